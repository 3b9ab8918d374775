// Message sequences of window creation, showing, painting and destruction, and the geometry
// and state operations around them.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "harness/test_support.h"
#include "platform/core/handle_table.h"
#include "platform/session.h"
#include "platform/win32.h"
#include "tests/platform/user/message_log.h"

namespace platform {
namespace {

using harness::HeadlessSession;
using testing::MessageLog;

class WindowTest : public ::testing::Test {
  protected:
    void SetUp() override { testing::RegisterLoggingClass("Logger", CS_HREDRAW | CS_VREDRAW); }
    HWND CreateMain(DWORD style = WS_OVERLAPPEDWINDOW) {
        return CreateWindowExA(WS_EX_CLIENTEDGE, "Logger", "Main", style, 0, 0, 800, 600, nullptr,
                               nullptr, GetModuleHandleA(nullptr), nullptr);
    }
    int LiveDCs() { return env.session.handles().LiveCount(ObjectKind::kDeviceContext); }

    HeadlessSession env;
    MessageLog log;
};

TEST_F(WindowTest, MainFrameHasTheClassicClientArea) {
    RECT outer{0, 0, 788, 569};
    AdjustWindowRectEx(&outer, WS_OVERLAPPEDWINDOW, FALSE, WS_EX_CLIENTEDGE);
    EXPECT_EQ(outer.left, -6);
    EXPECT_EQ(outer.top, -25);
    EXPECT_EQ(outer.right, 794);
    EXPECT_EQ(outer.bottom, 575);

    HWND hwnd = CreateMain();
    ASSERT_NE(hwnd, nullptr);
    RECT client, window;
    GetClientRect(hwnd, &client);
    GetWindowRect(hwnd, &window);
    EXPECT_EQ(client.right, 788);
    EXPECT_EQ(client.bottom, 569);
    EXPECT_EQ(window.right, 800);
    EXPECT_EQ(window.bottom, 600);
    POINT corner{0, 0};
    ClientToScreen(hwnd, &corner);
    EXPECT_EQ(corner.x, 6);
    EXPECT_EQ(corner.y, 25);
    const auto* record = env.host.Window(harness::HostWindowOf(hwnd));
    ASSERT_NE(record, nullptr);
    EXPECT_EQ(record->params.client_width, 788);
    EXPECT_EQ(record->params.client_height, 569);
    EXPECT_TRUE(record->params.resizable);
    EXPECT_TRUE(record->params.has_close_box);
    EXPECT_EQ(record->show, HostShow::kHidden);
}

TEST_F(WindowTest, CreateShowPaintAndDestroyInOrder) {
    HWND hwnd = CreateMain();
    EXPECT_EQ(log.Messages(), (std::vector<UINT>{WM_NCCREATE, WM_CREATE, WM_SIZE, WM_MOVE}));
    EXPECT_EQ(log.entries[2].lparam, MAKELPARAM(788, 569));
    log.Clear();

    EXPECT_FALSE(ShowWindow(hwnd, SW_SHOWNORMAL));
    EXPECT_EQ(log.Messages(), (std::vector<UINT>{WM_SHOWWINDOW, WM_ACTIVATE, WM_SETFOCUS}));
    EXPECT_EQ(GetActiveWindow(), hwnd);
    EXPECT_EQ(GetFocus(), hwnd);
    EXPECT_EQ(env.host.Window(harness::HostWindowOf(hwnd))->show, HostShow::kNormal);
    log.Clear();

    // UpdateWindow paints at once, and the paint DC erases with the class brush first.
    UpdateWindow(hwnd);
    EXPECT_EQ(log.Messages(), (std::vector<UINT>{WM_PAINT, WM_ERASEBKGND}));
    EXPECT_EQ(harness::WindowPixels(hwnd)->Pixel(400, 300), 0xFFFFFFu);
    EXPECT_EQ(LiveDCs(), 0);
    log.Clear();
    UpdateWindow(hwnd);
    EXPECT_TRUE(log.entries.empty());

    HWND child = CreateWindowExA(0, "Logger", "", WS_CHILD | WS_VISIBLE | WS_BORDER, 10, 10, 50, 30,
                                 hwnd, reinterpret_cast<HMENU>(7), nullptr, nullptr);
    EXPECT_EQ(log.Messages(),
              (std::vector<UINT>{WM_NCCREATE, WM_CREATE, WM_SIZE, WM_MOVE, WM_SHOWWINDOW}));
    EXPECT_EQ(log.entries[2].lparam, MAKELPARAM(48, 28));
    EXPECT_EQ(GetParent(child), hwnd);
    EXPECT_EQ(GetWindow(hwnd, GW_CHILD), child);
    EXPECT_EQ(GetWindowLongPtrA(child, GWLP_ID), 7);
    log.Clear();

    // WM_DESTROY goes down the tree, WM_NCDESTROY comes back up.
    EXPECT_TRUE(DestroyWindow(hwnd));
    std::vector<std::pair<HWND, UINT>> ends;
    for (const auto& m : log.entries)
        if (m.message == WM_DESTROY || m.message == WM_NCDESTROY)
            ends.emplace_back(m.hwnd, m.message);
    EXPECT_EQ(
        ends,
        (std::vector<std::pair<HWND, UINT>>{
            {hwnd, WM_DESTROY}, {child, WM_DESTROY}, {child, WM_NCDESTROY}, {hwnd, WM_NCDESTROY}}));
    EXPECT_FALSE(IsWindow(hwnd));
    EXPECT_FALSE(IsWindow(child));
    EXPECT_EQ(GetActiveWindow(), nullptr);
    EXPECT_EQ(GetFocus(), nullptr);
    EXPECT_EQ(env.session.handles().LiveCount(ObjectKind::kWindow), 0);
    EXPECT_FALSE(DestroyWindow(hwnd));
}

TEST_F(WindowTest, CreationCanBeRefused) {
    log.handler = [](HWND, UINT message, WPARAM, LPARAM, LRESULT* result) {
        if (message != WM_CREATE) return false;
        *result = -1;
        return true;
    };
    EXPECT_EQ(CreateMain(), nullptr);
    EXPECT_EQ(log.Count(WM_DESTROY), 1);
    EXPECT_EQ(log.Count(WM_NCDESTROY), 1);
    EXPECT_EQ(env.session.handles().LiveCount(ObjectKind::kWindow), 0);
    EXPECT_EQ(
        CreateWindowExA(0, "NoSuchClass", "", 0, 0, 0, 10, 10, nullptr, nullptr, nullptr, nullptr),
        nullptr);
}

TEST_F(WindowTest, MessagesComeInPriorityOrder) {
    HWND hwnd = CreateMain();
    ShowWindow(hwnd, SW_SHOW);
    SetTimer(hwnd, 1, 0, nullptr);
    env.host.Sleep(20);
    PostMessageA(hwnd, WM_USER, 0, 0);
    env.host.PressKey(harness::HostWindowOf(hwnd), 'A', 0);
    log.Clear();
    MSG msg;
    while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
        DispatchMessageA(&msg);
        // Every handler, the default paint and erase included, gives back what it made.
        EXPECT_EQ(LiveDCs(), 0) << msg.message;
        EXPECT_EQ(env.session.handles().LiveCount(ObjectKind::kBrush), 0) << msg.message;
    }
    std::vector<UINT> order;
    for (UINT m : log.Messages())
        if (m != WM_ERASEBKGND) order.push_back(m);
    EXPECT_EQ(order,
              (std::vector<UINT>{WM_USER, WM_KEYDOWN, WM_CHAR, WM_KEYUP, WM_PAINT, WM_TIMER}));

    // Quit comes after what was posted before it, and GetMessage then says so.
    PostMessageA(hwnd, WM_USER + 1, 0, 0);
    PostQuitMessage(3);
    ASSERT_TRUE(GetMessageA(&msg, nullptr, 0, 0));
    EXPECT_EQ(msg.message, static_cast<UINT>(WM_USER + 1));
    EXPECT_FALSE(GetMessageA(&msg, nullptr, 0, 0));
    EXPECT_EQ(msg.message, static_cast<UINT>(WM_QUIT));
    EXPECT_EQ(msg.wParam, 3u);
    EXPECT_FALSE(PostMessageA(reinterpret_cast<HWND>(12345), WM_USER, 0, 0));
}

TEST_F(WindowTest, PaintCoversTheUpdateAreaAndErasesOnlyWhenAsked) {
    HWND hwnd = CreateMain();
    ShowWindow(hwnd, SW_SHOW);
    UpdateWindow(hwnd);
    HDC dc = GetDC(hwnd);
    RECT all{0, 0, 788, 569};
    HBRUSH black = static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH));
    FillRect(dc, &all, black);
    ReleaseDC(hwnd, dc);
    EXPECT_EQ(LiveDCs(), 0);

    RECT area{10, 20, 30, 40};
    InvalidateRect(hwnd, &area, FALSE);
    log.Clear();
    PAINTSTRUCT paint{};
    log.handler = [&](HWND h, UINT message, WPARAM, LPARAM, LRESULT*) {
        if (message != WM_PAINT) return false;
        BeginPaint(h, &paint);
        EndPaint(h, &paint);
        return true;
    };
    UpdateWindow(hwnd);
    EXPECT_EQ(paint.rcPaint.left, 10);
    EXPECT_EQ(paint.rcPaint.bottom, 40);
    EXPECT_EQ(log.Count(WM_ERASEBKGND), 0);
    EXPECT_EQ(harness::WindowPixels(hwnd)->Pixel(15, 25), 0u);

    InvalidateRect(hwnd, &area, TRUE);
    UpdateWindow(hwnd);
    EXPECT_EQ(log.Count(WM_ERASEBKGND), 1);
    const Surface* pixels = harness::WindowPixels(hwnd);
    EXPECT_EQ(pixels->Pixel(10, 20), 0xFFFFFFu);
    EXPECT_EQ(pixels->Pixel(29, 39), 0xFFFFFFu);
    EXPECT_EQ(pixels->Pixel(30, 39), 0u);  // outside the update area: untouched
    EXPECT_EQ(pixels->Pixel(9, 20), 0u);

    InvalidateRect(hwnd, &area, TRUE);
    ValidateRect(hwnd, nullptr);
    log.Clear();
    UpdateWindow(hwnd);
    EXPECT_TRUE(log.entries.empty());
    EXPECT_EQ(LiveDCs(), 0);
}

TEST_F(WindowTest, ChildDrawingStaysInsideItsClientArea) {
    HWND hwnd = CreateMain();
    ShowWindow(hwnd, SW_SHOW);
    UpdateWindow(hwnd);
    HWND child = CreateWindowExA(0, "Logger", "", WS_CHILD | WS_VISIBLE | WS_BORDER, 10, 10, 20, 20,
                                 hwnd, nullptr, nullptr, nullptr);
    UpdateWindow(hwnd);
    const Surface* pixels = harness::WindowPixels(hwnd);
    EXPECT_EQ(pixels->Pixel(10, 10), 0u);  // the one-pixel border
    EXPECT_EQ(pixels->Pixel(29, 29), 0u);
    EXPECT_EQ(pixels->Pixel(11, 11), 0xFFFFFFu);

    HDC dc = GetDC(child);
    RECT huge{-100, -100, 1000, 1000};
    FillRect(dc, &huge, static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH)));
    ReleaseDC(child, dc);
    EXPECT_EQ(pixels->Pixel(11, 11), 0u);
    EXPECT_EQ(pixels->Pixel(28, 28), 0u);
    EXPECT_EQ(pixels->Pixel(30, 30), 0xFFFFFFu);
    EXPECT_EQ(pixels->Pixel(9, 9), 0xFFFFFFu);
    EXPECT_EQ(LiveDCs(), 0);
}

TEST_F(WindowTest, ChangedPixelsArePresentedBeforeWaiting) {
    HWND hwnd = CreateMain();
    ShowWindow(hwnd, SW_SHOW);
    const auto* record = env.host.Window(harness::HostWindowOf(hwnd));
    EXPECT_EQ(record->presents, 0);
    harness::PumpMessagesUntil(10);
    EXPECT_EQ(record->presents, 1);
    EXPECT_EQ(record->presented.Pixel(0, 0), 0xFFFFFFu);
    EXPECT_FALSE(harness::WindowPixels(hwnd)->HasDirty());
    harness::PumpMessagesUntil(20);
    EXPECT_EQ(record->presents, 1);  // nothing changed, nothing shown again

    HDC dc = GetDC(hwnd);
    RECT box{100, 100, 110, 110};
    FillRect(dc, &box, static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH)));
    ReleaseDC(hwnd, dc);
    harness::PumpMessagesUntil(30);
    EXPECT_EQ(record->presents, 2);
    EXPECT_EQ(record->presented.Pixel(105, 105), 0u);
    EXPECT_EQ(record->presented.Pixel(110, 105), 0xFFFFFFu);
}

TEST_F(WindowTest, DisablingTakesTheFocusAway) {
    HWND hwnd = CreateMain();
    ShowWindow(hwnd, SW_SHOW);
    HWND child = CreateWindowExA(0, "Logger", "", WS_CHILD | WS_VISIBLE, 0, 0, 20, 20, hwnd,
                                 nullptr, nullptr, nullptr);
    SetFocus(child);
    EXPECT_EQ(GetFocus(), child);
    log.Clear();
    EXPECT_FALSE(EnableWindow(child, FALSE));
    EXPECT_EQ(GetFocus(), nullptr);
    EXPECT_FALSE(IsWindowEnabled(child));
    EXPECT_EQ(log.Messages(child), (std::vector<UINT>{WM_KILLFOCUS, WM_ENABLE}));
    EXPECT_TRUE(EnableWindow(child, TRUE));
    EXPECT_TRUE(IsWindowEnabled(child));

    // A focused child that goes away hands the keyboard to its parent.
    SetFocus(child);
    DestroyWindow(child);
    EXPECT_EQ(GetFocus(), hwnd);
}

TEST_F(WindowTest, TextAndLongsRoundTrip) {
    HWND hwnd = CreateMain();
    SetWindowTextA(hwnd, "Renamed");
    char buffer[5];
    EXPECT_EQ(GetWindowTextA(hwnd, buffer, sizeof buffer), 4);
    EXPECT_STREQ(buffer, "Rena");
    EXPECT_EQ(GetWindowTextLengthA(hwnd), 7);
    EXPECT_EQ(env.host.Window(harness::HostWindowOf(hwnd))->title, "Renamed");
    EXPECT_EQ(SetWindowLongPtrA(hwnd, GWLP_USERDATA, 42), 0);
    EXPECT_EQ(GetWindowLongPtrA(hwnd, GWLP_USERDATA), 42);
    EXPECT_EQ(GetWindowLongPtrA(hwnd, GWL_EXSTYLE), WS_EX_CLIENTEDGE);
    EXPECT_EQ(GetWindowLongPtrA(hwnd, 0), 0);  // the class has no extra bytes
}

TEST_F(WindowTest, ModuleNameAndSystemResources) {
    char path[64];
    EXPECT_EQ(GetModuleFileNameA(nullptr, path, sizeof path), 20u);
    EXPECT_STREQ(path, "/usr/games/zandrofel");
    char short_buffer[5];
    EXPECT_EQ(GetModuleFileNameA(nullptr, short_buffer, sizeof short_buffer), 5u);
    EXPECT_STREQ(short_buffer, "/usr");
    EXPECT_NE(GetModuleHandleA(nullptr), nullptr);
    HICON icon = LoadIconA(nullptr, IDI_APPLICATION);
    EXPECT_NE(icon, nullptr);
    EXPECT_EQ(LoadIconA(nullptr, IDI_APPLICATION), icon);
    EXPECT_EQ(LoadIconA(nullptr, MAKEINTRESOURCEA(5)), nullptr);
    EXPECT_NE(LoadCursorA(nullptr, IDC_ARROW), nullptr);
    EXPECT_EQ(GetSysColor(COLOR_BTNFACE), RGB(192, 192, 192));
    EXPECT_EQ(GetSysColorBrush(COLOR_BTNFACE), GetSysColorBrush(COLOR_BTNFACE));
    EXPECT_EQ(env.session.handles().LiveCount(ObjectKind::kBrush), 0);
}

// A relay: a posted WM_USER makes it send itself WM_USER + 1.
LRESULT CALLBACK RelayProc(HWND hwnd, UINT message, WPARAM wparam, LPARAM lparam) {
    if (message == WM_USER) SendMessageA(hwnd, WM_USER + 1, 0, 0);
    return DefWindowProcA(hwnd, message, wparam, lparam);
}

TEST_F(WindowTest, AnObserverHearsADispatchedMessageAfterAllItsHandlerSent) {
    struct Heard : Observer {
        std::vector<std::string> events;
        void MessageHandled(HWND, UINT message, WPARAM, LPARAM) override {
            if (message == WM_USER || message == WM_USER + 1)
                events.push_back("handled " + std::to_string(message - WM_USER));
        }
        void MessageDispatched(const MSG& msg) override {
            if (msg.message == WM_USER || msg.message == WM_USER + 1)
                events.push_back("dispatched " + std::to_string(msg.message - WM_USER));
        }
    } heard;
    WNDCLASSA relay{};
    relay.lpfnWndProc = &RelayProc;
    relay.lpszClassName = "Relay";
    RegisterClassA(&relay);
    HWND hwnd = CreateWindowExA(0, "Relay", "Relay", WS_OVERLAPPEDWINDOW, 0, 0, 100, 100, nullptr,
                                nullptr, nullptr, nullptr);
    env.session.AddObserver(&heard);
    SendMessageA(hwnd, WM_USER + 1, 0, 0);  // sent: handled, never dispatched
    PostMessageA(hwnd, WM_USER, 0, 0);
    MSG msg;
    while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) DispatchMessageA(&msg);
    env.session.RemoveObserver(&heard);
    EXPECT_EQ(heard.events,
              std::vector<std::string>({"handled 1", "handled 1", "handled 0", "dispatched 0"}));
    DestroyWindow(hwnd);
}

}  // namespace
}  // namespace platform
