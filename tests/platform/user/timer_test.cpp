// Timer rules: the tick for short intervals, restarts, merging of late expiries, KillTimer
// taking back a pending message, and the order of timers due together.
#include <gtest/gtest.h>

#include "harness/test_support.h"
#include "platform/user/timers.h"
#include "platform/win32.h"
#include "tests/platform/user/message_log.h"

namespace platform {
namespace {

using harness::HeadlessSession;
using testing::MessageLog;

class TimerTest : public ::testing::Test {
  protected:
    void SetUp() override {
        testing::RegisterLoggingClass("Logger");
        hwnd = CreateWindowExA(0, "Logger", "", WS_OVERLAPPEDWINDOW, 0, 0, 200, 200, nullptr,
                               nullptr, nullptr, nullptr);
        log.Clear();
    }
    // The ids and virtual times of the timer messages dispatched up to `until_ms`.
    std::vector<std::pair<UINT_PTR, DWORD>> TicksUntil(double until_ms) {
        log.handler = [this](HWND, UINT message, WPARAM wparam, LPARAM, LRESULT*) {
            if (message == WM_TIMER) ticks.emplace_back(wparam, GetTickCount());
            return false;
        };
        harness::PumpMessagesUntil(until_ms);
        return ticks;
    }

    HeadlessSession env;
    MessageLog log;
    HWND hwnd = nullptr;
    std::vector<std::pair<UINT_PTR, DWORD>> ticks;
};

TEST_F(TimerTest, ZeroMillisecondsTicks64TimesASecond) {
    SetTimer(hwnd, 1, 0, nullptr);
    auto got = TicksUntil(1000);
    ASSERT_EQ(got.size(), 64u);
    EXPECT_EQ(got.front().second, 15u);  // 15.625 ms, as whole milliseconds
    EXPECT_EQ(got[1].second, 31u);
    EXPECT_EQ(got.back().second, 1000u);
}

TEST_F(TimerTest, LongIntervalsKeepTheirOwnLength) {
    SetTimer(hwnd, 2, 800, nullptr);
    auto got = TicksUntil(2500);
    ASSERT_EQ(got.size(), 3u);
    EXPECT_EQ(got[0].second, 800u);
    EXPECT_EQ(got[1].second, 1600u);
    EXPECT_EQ(got[2].second, 2400u);
}

TEST_F(TimerTest, SettingAgainRestartsTheCountdown) {
    SetTimer(hwnd, 2, 800, nullptr);
    harness::PumpMessagesUntil(500);
    SetTimer(hwnd, 2, 800, nullptr);
    auto got = TicksUntil(1400);
    ASSERT_EQ(got.size(), 1u);
    EXPECT_EQ(got[0].second, 1300u);
}

TEST_F(TimerTest, LateExpiriesMergeIntoOneMessageAndKeepTheBeat) {
    SetTimer(hwnd, 2, 100, nullptr);
    env.host.Sleep(350);  // a synchronous sound: nothing is read meanwhile
    auto got = TicksUntil(500);
    ASSERT_EQ(got.size(), 3u);
    EXPECT_EQ(got[0].second, 350u);  // one message for 100, 200 and 300
    EXPECT_EQ(got[1].second, 400u);
    EXPECT_EQ(got[2].second, 500u);
}

TEST_F(TimerTest, KillTimerTakesBackAPendingMessage) {
    SetTimer(hwnd, 1, 50, nullptr);
    env.host.Sleep(60);
    MSG msg;
    ASSERT_TRUE(PeekMessageA(&msg, nullptr, 0, 0, PM_NOREMOVE));
    EXPECT_EQ(msg.message, static_cast<UINT>(WM_TIMER));
    EXPECT_TRUE(KillTimer(hwnd, 1));
    EXPECT_FALSE(PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE));
    EXPECT_FALSE(KillTimer(hwnd, 1));
}

TEST_F(TimerTest, TimersDueTogetherComeInTheOrderTheyWereSet) {
    SetTimer(hwnd, 9, 100, nullptr);
    SetTimer(hwnd, 4, 100, nullptr);
    SetTimer(hwnd, 6, 50, nullptr);
    auto got = TicksUntil(100);
    ASSERT_EQ(got.size(), 4u);
    EXPECT_EQ(got[0].first, 6u);
    // At 100 all three are due at the same instant: the order of setting decides.
    EXPECT_EQ(got[1].first, 9u);
    EXPECT_EQ(got[2].first, 4u);
    EXPECT_EQ(got[3].first, 6u);
}

TEST_F(TimerTest, TimerMessagesWaitBehindEverythingElse) {
    SetTimer(hwnd, 1, 10, nullptr);
    env.host.Sleep(10);
    for (int i = 0; i < 3; ++i) PostMessageA(hwnd, WM_USER + i, 0, 0);
    auto got = TicksUntil(10);
    EXPECT_EQ(log.Messages(), (std::vector<UINT>{WM_USER, WM_USER + 1, WM_USER + 2, WM_TIMER}));
    EXPECT_EQ(got.size(), 1u);
}

TEST_F(TimerTest, TimersDieWithTheirWindowAndThreadTimersGetFreshIds) {
    SetTimer(hwnd, 1, 10, nullptr);
    DestroyWindow(hwnd);
    EXPECT_FALSE(KillTimer(hwnd, 1));
    EXPECT_EQ(SetTimer(hwnd, 1, 10, nullptr), 0u);
    UINT_PTR a = SetTimer(nullptr, 0, 10, nullptr);
    UINT_PTR b = SetTimer(nullptr, 0, 10, nullptr);
    EXPECT_NE(a, 0u);
    EXPECT_NE(a, b);
}

TEST(TimerList, ShortIntervalsRunAtTheTick) {
    EXPECT_EQ(user::TimerList::IntervalFor(0), 15.625);
    EXPECT_EQ(user::TimerList::IntervalFor(9), 15.625);
    EXPECT_EQ(user::TimerList::IntervalFor(10), 10.0);
    EXPECT_EQ(user::TimerList::IntervalFor(800), 800.0);
}

}  // namespace
}  // namespace platform
