// The speaker: conversion of the game's 8-bit sounds to the device's format, replacement of a
// playing sound, and silence without a device.
#include <gtest/gtest.h>

#include <cstdlib>
#include <vector>

#include "platform/host/sdl/sdl_audio.h"
#include "platform/host/sdl/sdl_host.h"

namespace platform::sdl {
namespace {

SDL_AudioSpec DeviceFormat(SDL_AudioFormat format, Uint8 channels, int rate) {
    SDL_AudioSpec device{};
    device.format = format;
    device.channels = channels;
    device.freq = rate;
    return device;
}

TEST(ConvertClip, WidensEightBitMonoToTheDeviceFormat) {
    std::vector<uint8_t> samples = {0x80, 0xFF, 0x00, 0x80};
    SoundClip clip{.name = "tone",
                   .sample_rate = 22050,
                   .samples = samples.data(),
                   .sample_count = samples.size()};
    std::vector<uint8_t> out = ConvertClip(clip, DeviceFormat(AUDIO_S16SYS, 2, 22050));
    ASSERT_EQ(out.size(), samples.size() * 2 * sizeof(int16_t));
    const auto* pcm = reinterpret_cast<const int16_t*>(out.data());
    EXPECT_EQ(pcm[0], 0);  // 0x80 is silence
    EXPECT_EQ(pcm[1], 0);  // both channels carry the one
    EXPECT_GT(pcm[2], 32000);
    EXPECT_EQ(pcm[2], pcm[3]);
    EXPECT_LE(pcm[4], -32767);
    EXPECT_EQ(pcm[6], 0);
}

TEST(ConvertClip, ResamplesToTheDeviceRate) {
    std::vector<uint8_t> samples(11025, 0x80);  // one second
    SoundClip clip{.name = "hum",
                   .sample_rate = 11025,
                   .samples = samples.data(),
                   .sample_count = samples.size()};
    std::vector<uint8_t> out = ConvertClip(clip, DeviceFormat(AUDIO_F32SYS, 1, 44100));
    double seconds = static_cast<double>(out.size()) / sizeof(float) / 44100;
    EXPECT_NEAR(seconds, 1.0, 0.001);
}

TEST(ConvertClip, AnEmptyOrBrokenClipIsNothing) {
    std::vector<uint8_t> samples(100, 0x80);
    SDL_AudioSpec device = DeviceFormat(AUDIO_S16SYS, 2, 44100);
    EXPECT_TRUE(ConvertClip({.name = "", .sample_rate = 11025}, device).empty());
    EXPECT_TRUE(
        ConvertClip({.name = "", .sample_rate = 0, .samples = samples.data(), .sample_count = 100},
                    device)
            .empty());
}

class SpeakerTest : public ::testing::Test {
  protected:
    void SetUp() override { setenv("SDL_VIDEODRIVER", "dummy", 1); }
    void TearDown() override { unsetenv("SDL_AUDIODRIVER"); }
};

TEST_F(SpeakerTest, ANewSoundReplacesThePlayingOneAndStopSilences) {
    setenv("SDL_AUDIODRIVER", "dummy", 1);
    std::string problem;
    auto host = SdlHost::Create(&problem);
    ASSERT_TRUE(host) << problem;
    ASSERT_TRUE(host->audio().IsOpen());
    const SDL_AudioSpec& device = host->audio().device_format();

    std::vector<uint8_t> long_samples(11025 * 5, 0x90);
    std::vector<uint8_t> short_samples(1102, 0x70);
    SoundClip long_clip{.name = "long",
                        .sample_rate = 11025,
                        .samples = long_samples.data(),
                        .sample_count = long_samples.size()};
    SoundClip short_clip{.name = "short",
                         .sample_rate = 11025,
                         .samples = short_samples.data(),
                         .sample_count = short_samples.size()};
    size_t long_bytes = ConvertClip(long_clip, device).size();
    size_t short_bytes = ConvertClip(short_clip, device).size();

    host->PlaySound(long_clip);
    EXPECT_GT(host->audio().QueuedBytes(), short_bytes);
    EXPECT_LE(host->audio().QueuedBytes(), long_bytes);
    host->PlaySound(short_clip);
    EXPECT_LE(host->audio().QueuedBytes(), short_bytes);
    host->StopSound();
    EXPECT_EQ(host->audio().QueuedBytes(), 0u);
}

TEST_F(SpeakerTest, WithoutADeviceSoundsAreSilentlyNothing) {
    setenv("SDL_AUDIODRIVER", "no-such-driver", 1);
    std::string problem;
    auto host = SdlHost::Create(&problem);
    ASSERT_TRUE(host) << problem;
    EXPECT_FALSE(host->audio().IsOpen());
    std::vector<uint8_t> samples(100, 0x90);
    host->PlaySound({.name = "hum",
                     .sample_rate = 11025,
                     .samples = samples.data(),
                     .sample_count = samples.size()});
    host->StopSound();
    EXPECT_EQ(host->audio().QueuedBytes(), 0u);
}

}  // namespace
}  // namespace platform::sdl
