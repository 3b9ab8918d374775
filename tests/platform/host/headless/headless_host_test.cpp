// The headless host itself: the virtual clock, scripted input at its times, the sound log, the
// calendar clock, stopping at a limit, and the temporary working directory.
#include "platform/host/headless/headless_host.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <limits>
#include <vector>

#include "harness/test_support.h"

namespace platform::headless {
namespace {

using harness::HeadlessSession;
using harness::TempWorkingDirectory;

TEST(HeadlessHost, TheClockMovesOnlyToDeadlinesAndScriptedEvents) {
    HeadlessHost host;
    HostEvent event;
    EXPECT_FALSE(host.WaitEvent(-1, &event));  // a poll
    EXPECT_EQ(host.NowMs(), 0);
    host.PressKey(1, 'A', 30);
    EXPECT_FALSE(host.WaitEvent(20, &event));
    EXPECT_EQ(host.NowMs(), 20);
    ASSERT_TRUE(host.WaitEvent(100, &event));
    EXPECT_EQ(host.NowMs(), 30);
    EXPECT_EQ(event.type, HostEventType::kKeyDown);
    ASSERT_TRUE(host.WaitEvent(100, &event));
    EXPECT_EQ(event.type, HostEventType::kChar);
    EXPECT_EQ(event.character, 'a');
    ASSERT_TRUE(host.WaitEvent(-1, &event));
    EXPECT_EQ(event.type, HostEventType::kKeyUp);
    host.Sleep(15);
    EXPECT_EQ(host.NowMs(), 45);

    // An action runs on the program's side at its time; a late event does not turn time back.
    bool called = false;
    host.Call(40, [&] { called = true; });
    EXPECT_FALSE(host.WaitEvent(-1, &event));
    EXPECT_TRUE(called);
    EXPECT_EQ(host.NowMs(), 45);
}

TEST(HeadlessHost, AWaitStopsAtTheLimitAndAClosedGateEndsWaitsAtOnce) {
    HeadlessHost host;
    HostEvent event;
    std::vector<double> stopped_at;
    host.SetLimit(50, [&] {
        stopped_at.push_back(host.NowMs());
        host.SetLimit(std::numeric_limits<double>::infinity(), nullptr);  // let it go on
    });
    EXPECT_FALSE(host.WaitEvent(100, &event));
    EXPECT_EQ(stopped_at, std::vector<double>{50});
    EXPECT_EQ(host.NowMs(), 100);

    // A scripted event past the limit also stops the clock there first.
    host.SetLimit(105, [&] {
        stopped_at.push_back(host.NowMs());
        host.SetLimit(std::numeric_limits<double>::infinity(), nullptr);
    });
    host.PressKey(1, 'A', 110);
    host.SetWaitGate([] { return false; });
    EXPECT_FALSE(host.WaitEvent(200, &event));
    EXPECT_EQ(host.NowMs(), 100) << "a closed gate lets no time pass";
    host.SetWaitGate(nullptr);
    ASSERT_TRUE(host.WaitEvent(200, &event));
    EXPECT_EQ(stopped_at, (std::vector<double>{50, 105}));
    EXPECT_EQ(host.NowMs(), 110);
    host.Advance(15);
    EXPECT_EQ(host.NowMs(), 125);
}

TEST(HeadlessHost, RecordsSoundsTitlesAndTheCalendar) {
    HeadlessSession env;
    SoundClip clip{"giggle", 11025, nullptr, 11025};
    env.host.Sleep(250);
    env.host.PlaySound(clip);
    ASSERT_EQ(env.host.sounds().size(), 1u);
    EXPECT_EQ(env.host.sounds()[0].clip.name, "giggle");
    EXPECT_EQ(env.host.sounds()[0].at_ms, 250);
    EXPECT_EQ(env.host.sounds()[0].clip.DurationMs(), 1000);
    env.host.SetCalendarSeconds(1234567);
    EXPECT_EQ(platform::time(nullptr), 1234567);
}

TEST(HeadlessHost, ForgettingHistoryKeepsOnlyTheWindowsStillThere) {
    HeadlessHost host;
    HostWindowId gone = host.CreateWindow(HostWindowParams{"box", 20, 10});
    HostWindowId kept = host.CreateWindow(HostWindowParams{"main", 30, 20});
    host.DestroyWindow(gone);
    host.PlaySound(SoundClip{"splat", 11025, nullptr, 5512});
    host.ForgetHistory();
    EXPECT_EQ(host.Window(gone), nullptr);
    ASSERT_NE(host.Window(kept), nullptr);
    EXPECT_EQ(host.Window(kept)->title, "main");
    EXPECT_TRUE(host.sounds().empty());
    // Ids are not handed out again.
    EXPECT_GT(host.CreateWindow(HostWindowParams{"next", 1, 1}), kept);
}

TEST(HeadlessHost, PresentsCanBeCountedWithoutKeepingThePixels) {
    HeadlessHost host;
    HostWindowId window = host.CreateWindow(HostWindowParams{"main", 4, 2});
    Surface pixels = Surface::Color(4, 2);
    pixels.SetPixel(1, 1, 0x123456);
    host.Present(window, pixels);
    EXPECT_EQ(host.Window(window)->presented.Pixel(1, 1), 0x123456u);
    host.KeepPresentedPixels(false);
    pixels.SetPixel(1, 1, 0x654321);
    host.Present(window, pixels);
    EXPECT_EQ(host.Window(window)->presents, 2);
    EXPECT_EQ(host.Window(window)->presented.Pixel(1, 1), 0x123456u);
}

TEST(HeadlessHost, TempWorkingDirectoryIsFreshAndGoesAway) {
    std::string before = std::filesystem::current_path().string();
    std::string made;
    {
        TempWorkingDirectory dir;
        made = dir.path();
        EXPECT_EQ(std::filesystem::current_path().string(), made);
        EXPECT_TRUE(std::filesystem::is_empty(made));
        std::ofstream("scores.txt") << "350";
    }
    EXPECT_EQ(std::filesystem::current_path().string(), before);
    EXPECT_FALSE(std::filesystem::exists(made));
}

}  // namespace
}  // namespace platform::headless
