// Host input as window messages: keys and characters to the focus, clicks in client
// coordinates, double clicks, disabled windows, close requests and resizing.
#include <gtest/gtest.h>

#include "harness/test_support.h"
#include "platform/win32.h"
#include "tests/platform/user/message_log.h"

namespace platform {
namespace {

using harness::HeadlessSession;
using testing::MessageLog;

class InputTest : public ::testing::Test {
  protected:
    void SetUp() override {
        testing::RegisterLoggingClass("Logger", CS_DBLCLKS | CS_HREDRAW | CS_VREDRAW);
        testing::RegisterLoggingClass("Plain");
        hwnd = CreateWindowExA(WS_EX_CLIENTEDGE, "Logger", "Main", WS_OVERLAPPEDWINDOW, 0, 0, 800,
                               600, nullptr, nullptr, nullptr, nullptr);
        ShowWindow(hwnd, SW_SHOW);
        UpdateWindow(hwnd);
        host_window = harness::HostWindowOf(hwnd);
        log.Clear();
    }
    std::vector<testing::LoggedMessage> Received(UINT message) const {
        std::vector<testing::LoggedMessage> out;
        for (const auto& m : log.entries)
            if (m.message == message) out.push_back(m);
        return out;
    }
    HeadlessSession env;
    MessageLog log;
    HWND hwnd = nullptr;
    HostWindowId host_window = 0;
};

TEST_F(InputTest, KeysRepeatAndCharactersFollow) {
    HostEvent down;
    down.type = HostEventType::kKeyDown;
    down.window = host_window;
    down.virtual_key = VK_UP;
    env.host.Inject(5, down);
    down.repeat = true;
    env.host.Inject(40, down);
    env.host.PressKey(host_window, VK_RETURN, 50);
    env.host.PressKey(host_window, 'Q', 60);
    short during = 0;
    log.handler = [&](HWND, UINT message, WPARAM wparam, LPARAM, LRESULT*) {
        if (message == WM_KEYDOWN && wparam == 'Q') during = GetKeyState('Q');
        return false;
    };
    harness::PumpMessagesUntil(100);

    auto keys = Received(WM_KEYDOWN);
    ASSERT_EQ(keys.size(), 4u);
    EXPECT_EQ(keys[0].wparam, static_cast<WPARAM>(VK_UP));
    EXPECT_EQ(keys[0].lparam & (1 << 30), 0);
    EXPECT_NE(keys[1].lparam & (1 << 30), 0);  // auto-repeat: the key was already down
    auto chars = Received(WM_CHAR);
    ASSERT_EQ(chars.size(), 2u);  // none for the arrow
    EXPECT_EQ(chars[0].wparam, 13u);
    EXPECT_EQ(chars[1].wparam, static_cast<WPARAM>('q'));
    EXPECT_LT(during, 0);
    EXPECT_GE(GetKeyState('Q'), 0);
}

TEST_F(InputTest, KeysGoToTheFocusedChild) {
    HWND child = CreateWindowExA(0, "Plain", "", WS_CHILD | WS_VISIBLE, 0, 0, 50, 50, hwnd, nullptr,
                                 nullptr, nullptr);
    SetFocus(child);
    harness::PumpMessagesUntil(1);
    log.Clear();
    env.host.PressKey(host_window, VK_SPACE, 1);
    harness::PumpMessagesUntil(2);
    EXPECT_EQ(log.Messages(child), (std::vector<UINT>{WM_KEYDOWN, WM_CHAR, WM_KEYUP}));
    EXPECT_TRUE(log.Messages(hwnd).empty());
}

TEST_F(InputTest, ClicksArriveInClientCoordinatesWithButtonFlags) {
    HWND child = CreateWindowExA(0, "Plain", "", WS_CHILD | WS_VISIBLE | WS_BORDER, 100, 100, 50,
                                 50, hwnd, nullptr, nullptr, nullptr);
    env.host.Click(host_window, 300, 200, 10);
    env.host.Click(host_window, 120, 130, 20, MouseButton::kRight);
    harness::PumpMessagesUntil(30);
    auto down = Received(WM_LBUTTONDOWN);
    ASSERT_EQ(down.size(), 1u);
    EXPECT_EQ(down[0].hwnd, hwnd);
    EXPECT_EQ(down[0].lparam, MAKELPARAM(300, 200));
    EXPECT_EQ(down[0].wparam, static_cast<WPARAM>(MK_LBUTTON));
    EXPECT_EQ(Received(WM_LBUTTONUP)[0].wparam, 0u);
    auto right = Received(WM_RBUTTONDOWN);
    ASSERT_EQ(right.size(), 1u);
    EXPECT_EQ(right[0].hwnd, child);
    EXPECT_EQ(right[0].lparam, MAKELPARAM(19, 29));  // inside the child's one-pixel border
    EXPECT_EQ(right[0].wparam, static_cast<WPARAM>(MK_RBUTTON));
}

TEST_F(InputTest, QuickSecondClickIsADoubleClick) {
    env.host.Click(host_window, 50, 50, 100);
    env.host.Click(host_window, 52, 49, 600);   // 500 ms and 2 pixels: a double click
    env.host.Click(host_window, 52, 49, 700);   // a third is a new first click
    env.host.Click(host_window, 52, 49, 1300);  // too late
    env.host.Click(host_window, 56, 49, 1400);  // too far
    harness::PumpMessagesUntil(1500);
    EXPECT_EQ(Received(WM_LBUTTONDBLCLK).size(), 1u);
    EXPECT_EQ(Received(WM_LBUTTONDOWN).size(), 4u);

    // A class without CS_DBLCLKS gets two presses.
    HWND plain = CreateWindowExA(0, "Plain", "", WS_OVERLAPPEDWINDOW, 0, 0, 100, 100, nullptr,
                                 nullptr, nullptr, nullptr);
    ShowWindow(plain, SW_SHOW);
    log.Clear();
    env.host.Click(harness::HostWindowOf(plain), 5, 5, 1600);
    env.host.Click(harness::HostWindowOf(plain), 5, 5, 1650);
    harness::PumpMessagesUntil(1700);
    EXPECT_EQ(Received(WM_LBUTTONDOWN).size(), 2u);
    EXPECT_TRUE(Received(WM_LBUTTONDBLCLK).empty());
}

TEST_F(InputTest, DisabledWindowsGetNoInput) {
    EnableWindow(hwnd, FALSE);
    log.Clear();
    env.host.PressKey(host_window, 'A', 1);
    env.host.Click(host_window, 5, 5, 2);
    env.host.RequestClose(host_window, 3);
    harness::PumpMessagesUntil(10);
    EXPECT_EQ(Received(WM_KEYDOWN).size(), 0u);
    EXPECT_EQ(Received(WM_LBUTTONDOWN).size(), 0u);
    EXPECT_TRUE(IsWindow(hwnd));
    EXPECT_GE(GetKeyState('A'), 0);  // the key still went up
}

TEST_F(InputTest, CloseRequestsCloseOnlyWindowsWithASystemMenu) {
    HWND bare = CreateWindowExA(0, "Plain", "Bare", WS_POPUP | WS_CAPTION, 0, 0, 100, 100, nullptr,
                                nullptr, nullptr, nullptr);
    ShowWindow(bare, SW_SHOW);
    env.host.RequestClose(harness::HostWindowOf(bare), 1);
    env.host.RequestClose(host_window, 2);
    harness::PumpMessagesUntil(10);
    EXPECT_TRUE(IsWindow(bare));
    EXPECT_FALSE(IsWindow(hwnd));  // WM_CLOSE went to DefWindowProcA, which destroys
    EXPECT_EQ(log.Count(WM_CLOSE), 1);
}

// The session ending (SIGTERM, the desktop logging out) must end the program even when no
// close button could be pressed.
TEST_F(InputTest, QuitRequestClosesTheMainWindowOrEndsEveryLoop) {
    HostEvent quit;
    quit.type = HostEventType::kQuitRequest;

    env.host.Inject(1, quit);
    harness::PumpMessagesUntil(10);
    EXPECT_FALSE(IsWindow(hwnd)) << "a main window on the screen closes as its close box would";
    EXPECT_EQ(log.Count(WM_CLOSE), 1);
}

TEST_F(InputTest, QuitRequestWithTheMainWindowHiddenPostsTheQuitMessage) {
    ShowWindow(hwnd, SW_HIDE);
    HostEvent quit;
    quit.type = HostEventType::kQuitRequest;
    env.host.Inject(1, quit);
    MSG msg;
    while (GetMessageA(&msg, nullptr, 0, 0)) DispatchMessageA(&msg);
    EXPECT_EQ(msg.message, static_cast<UINT>(WM_QUIT));
    EXPECT_EQ(msg.wParam, 0u);
    EXPECT_TRUE(IsWindow(hwnd));
    EXPECT_EQ(log.Count(WM_CLOSE), 0);
}

TEST_F(InputTest, QuitRequestUnderAModalBoxEndsTheBoxAndThenTheLoop) {
    env.answers.Answer("", [this](harness::ModalWindow&) {
        HostEvent quit;
        quit.type = HostEventType::kQuitRequest;
        env.host.Inject(env.host.NowMs() + 5, quit);
    });
    MessageBoxA(hwnd, "Still there?", "Question", MB_YESNO);
    EXPECT_TRUE(IsWindow(hwnd));
    EXPECT_TRUE(IsWindowEnabled(hwnd)) << "the box gave its owner back";
    MSG msg;
    EXPECT_FALSE(GetMessageA(&msg, nullptr, 0, 0)) << "the quit message waits for the main loop";
}

TEST_F(InputTest, ResizingRepaintsAndExposingOnlyPresentsAgain) {
    const auto* record = env.host.Window(host_window);
    harness::PumpMessagesUntil(1);
    int presents = record->presents;
    HostEvent expose;
    expose.type = HostEventType::kExposed;
    expose.window = host_window;
    env.host.Inject(2, expose);
    harness::PumpMessagesUntil(3);
    EXPECT_EQ(log.Count(WM_PAINT), 0);
    EXPECT_EQ(record->presents, presents + 1);

    env.host.Resize(host_window, 900, 700, 4);
    harness::PumpMessagesUntil(5);
    auto sizes = Received(WM_SIZE);
    ASSERT_EQ(sizes.size(), 1u);
    EXPECT_EQ(sizes[0].lparam, MAKELPARAM(900, 700));
    EXPECT_EQ(log.Count(WM_PAINT), 1);
    RECT client;
    GetClientRect(hwnd, &client);
    EXPECT_EQ(client.right, 900);
    EXPECT_EQ(harness::WindowPixels(hwnd)->Pixel(899, 699), 0xFFFFFFu);
    EXPECT_EQ(record->presented.width, 900);

    // Nothing is painted while minimised; restoring repaints.
    HostEvent minimized;
    minimized.type = HostEventType::kMinimized;
    minimized.window = host_window;
    env.host.Inject(6, minimized);
    harness::PumpMessagesUntil(7);
    InvalidateRect(hwnd, nullptr, TRUE);
    log.Clear();
    harness::PumpMessagesUntil(8);
    EXPECT_EQ(log.Count(WM_PAINT), 0);
    HostEvent restored = minimized;
    restored.type = HostEventType::kRestored;
    env.host.Inject(9, restored);
    harness::PumpMessagesUntil(10);
    EXPECT_EQ(log.Count(WM_PAINT), 1);
}

}  // namespace
}  // namespace platform
