#include "platform/sound/sound_player.h"

#include <gtest/gtest.h>

#include "platform/host/headless/headless_host.h"
#include "platform/resources.h"
#include "platform/session.h"
#include "tests/support/test_files.h"

namespace platform::sound {
namespace {

using media_test::MakeWave;

// One second at 8000 Hz, a quarter second at 4000 Hz, and a sound in a format not played.
const std::vector<uint8_t> kLong =
    MakeWave({.rate = 8000, .samples = std::vector<uint8_t>(8000, 128)});
const std::vector<uint8_t> kShort =
    MakeWave({.rate = 4000, .samples = std::vector<uint8_t>(1000, 200)});
const std::vector<uint8_t> kStereo = MakeWave(
    {.rate = 8000, .samples = std::vector<uint8_t>(800, 128), .channels = 2, .block_align = 2});
const char kNotAWave[] = "not a wave";

const ResourceEntry kEntries[] = {
    {"SOUND", "GIGGLE", kLong.data(), kLong.size()},
    {"SOUND", "SPLAT", kShort.data(), kShort.size()},
    {"SOUND", "STEREO", kStereo.data(), kStereo.size()},
    {"SOUND", "BROKEN", kNotAWave, sizeof kNotAWave},
    {RT_BITMAP, "PICTURE", kShort.data(), kShort.size()},
};
const ResourceCatalogue kCatalogue{kEntries};

// The headless host with its clock at one second, where these cases start.
struct SecondOnHost : headless::HeadlessHost {
    SecondOnHost() { Advance(1000); }
    // Moves the clock on to `ms`.
    void To(double ms) { Advance(ms - NowMs()); }
};

class SoundPlayerTest : public ::testing::Test {
  protected:
    SecondOnHost host;
    SoundPlayer player{host, kCatalogue};
};

TEST_F(SoundPlayerTest, SynchronousPlayLastsTheSoundsLength) {
    EXPECT_TRUE(player.Play("giggle", SND_SYNC));
    ASSERT_EQ(host.sounds().size(), 1u);
    const SoundClip& clip = host.sounds()[0].clip;
    EXPECT_EQ(clip.name, "giggle");
    EXPECT_EQ(clip.sample_rate, 8000);
    EXPECT_EQ(clip.sample_count, 8000u);
    EXPECT_EQ(clip.samples, kLong.data() + 44);  // the resource's own bytes, not a copy
    EXPECT_EQ(host.sounds()[0].at_ms, 1000);
    EXPECT_EQ(host.NowMs(), 2000);
    EXPECT_FALSE(player.IsPlaying());
}

TEST_F(SoundPlayerTest, AsynchronousPlayReturnsAtOnceAndPlaysForItsLength) {
    EXPECT_TRUE(player.Play("SPLAT", SND_ASYNC));
    EXPECT_EQ(host.NowMs(), 1000);
    EXPECT_TRUE(host.sleeps().empty());
    EXPECT_TRUE(player.IsPlaying());
    host.To(1249);
    EXPECT_TRUE(player.IsPlaying());
    host.To(1250);
    EXPECT_FALSE(player.IsPlaying());
}

TEST_F(SoundPlayerTest, NoStopRefusesOnlyWhileASoundPlays) {
    ASSERT_TRUE(player.Play("giggle", SND_ASYNC));
    host.To(1500);
    EXPECT_FALSE(player.Play("splat", SND_ASYNC | SND_NOSTOP));
    EXPECT_EQ(host.sounds().size(), 1u);
    EXPECT_TRUE(host.stop_times().empty());
    host.To(2000);
    EXPECT_TRUE(player.Play("splat", SND_ASYNC | SND_NOSTOP));
    EXPECT_EQ(host.sounds().size(), 2u);
}

TEST_F(SoundPlayerTest, ANewSoundReplacesThePlayingOne) {
    ASSERT_TRUE(player.Play("giggle", SND_ASYNC));
    host.To(1100);
    ASSERT_TRUE(player.Play("splat", SND_SYNC));
    ASSERT_EQ(host.sounds().size(), 2u);
    EXPECT_EQ(host.sounds()[1].clip.name, "splat");
    EXPECT_EQ(host.NowMs(), 1350);
    // The first sound would have run to 2000; the record follows the one that replaced it.
    EXPECT_FALSE(player.IsPlaying());
    EXPECT_TRUE(player.Play("giggle", SND_ASYNC | SND_NOSTOP));
}

TEST_F(SoundPlayerTest, NullStopsTheSound) {
    ASSERT_TRUE(player.Play("giggle", SND_ASYNC));
    host.To(1200);
    EXPECT_TRUE(player.Play(nullptr, 0));
    EXPECT_EQ(host.stop_times(), std::vector<double>{1200});
    EXPECT_FALSE(player.IsPlaying());
    EXPECT_TRUE(player.Play("splat", SND_ASYNC | SND_NOSTOP));
}

TEST_F(SoundPlayerTest, MissingOrUnplayableSoundsAreSilentAndLeaveThePlayingOneAlone) {
    ASSERT_TRUE(player.Play("giggle", SND_ASYNC));
    for (const char* name : {"nothing", "broken", "stereo", "picture", ""}) {
        EXPECT_FALSE(player.Play(name, SND_SYNC)) << name;
        EXPECT_FALSE(player.Play(name, SND_ASYNC)) << name;
    }
    EXPECT_FALSE(player.Play("splat", SND_ASYNC | SND_LOOP));
    EXPECT_FALSE(player.Play(reinterpret_cast<LPCSTR>(kShort.data()), SND_ASYNC | SND_MEMORY));
    EXPECT_EQ(host.sounds().size(), 1u);
    EXPECT_TRUE(host.stop_times().empty());
    EXPECT_TRUE(host.sleeps().empty());
    EXPECT_EQ(host.NowMs(), 1000);
    EXPECT_TRUE(player.IsPlaying());
}

TEST_F(SoundPlayerTest, ClosingStopsASoundStillPlaying) {
    {
        SoundPlayer short_lived(host, kCatalogue);
        ASSERT_TRUE(short_lived.Play("giggle", SND_ASYNC));
    }
    EXPECT_EQ(host.stop_times().size(), 1u);
}

TEST(SndPlaySound, ReachesTheSessionsPlayer) {
    SecondOnHost host;
    Session session(host, kCatalogue, "/opt/zandrofel");
    EXPECT_EQ(sndPlaySoundA("Giggle", SND_SYNC), TRUE);
    EXPECT_EQ(host.NowMs(), 2000);
    EXPECT_EQ(sndPlaySoundA("missing", SND_SYNC), FALSE);
    EXPECT_EQ(host.NowMs(), 2000);
}

}  // namespace
}  // namespace platform::sound
