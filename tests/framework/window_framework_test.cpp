// The framework's windows: message maps chained through base classes, the default frame, the
// frame deleting itself, the application's main window ending the loop, drawing contexts and
// the application message box.
#include <gtest/gtest.h>

#include <vector>

#include "framework/client_dc.h"
#include "framework/frame_wnd.h"
#include "framework/win_app.h"
#include "harness/test_support.h"
#include "platform/core/handle_table.h"

namespace {

using harness::HeadlessSession;
using harness::ModalWindow;
using platform::ObjectKind;

struct Events {
    std::vector<std::string> log;
    bool destroyed = false;
};

class CTestFrame : public CFrameWnd {
  public:
    explicit CTestFrame(Events& events) : events_(events) {}
    ~CTestFrame() override { events_.destroyed = true; }

  protected:
    void OnPaint() {
        CPaintDC dc(this);
        events_.log.push_back("paint");
    }
    void OnTimer(UINT_PTR id) { events_.log.push_back("timer " + std::to_string(id)); }
    void OnKeyDown(UINT key, UINT repeat, UINT) {
        events_.log.push_back("key " + std::to_string(key) + " x" + std::to_string(repeat));
    }
    void OnChar(UINT ch, UINT, UINT) { events_.log.push_back("char " + std::to_string(ch)); }
    void OnLButtonDown(UINT flags, CPoint point) {
        events_.log.push_back("left " + std::to_string(flags) + " " + std::to_string(point.x) +
                              "," + std::to_string(point.y));
    }
    void OnRButtonDown(UINT, CPoint) { events_.log.push_back("right"); }
    void OnFive() { events_.log.push_back("command 5"); }
    void OnButton() { events_.log.push_back("button"); }

    Events& events_;
    DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(CTestFrame, CFrameWnd)
ON_WM_PAINT()
ON_WM_TIMER()
ON_WM_KEYDOWN()
ON_WM_CHAR()
ON_WM_LBUTTONDOWN()
ON_WM_RBUTTONDOWN()
ON_COMMAND(5, OnFive)
ON_COMMAND(40, OnButton)
END_MESSAGE_MAP()

// Overrides one handler and adds a command; the rest comes from the base's table.
class CDerivedFrame : public CTestFrame {
  public:
    using CTestFrame::CTestFrame;

  protected:
    void OnTimer(UINT_PTR id) { events_.log.push_back("derived timer " + std::to_string(id)); }
    void OnSix() { events_.log.push_back("command 6"); }
    DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(CDerivedFrame, CTestFrame)
ON_WM_TIMER()
ON_COMMAND(6, OnSix)
END_MESSAGE_MAP()

// A push button of the system's class, watched through the framework.
class CWatchedButton : public CWnd {
  public:
    int presses = 0;

  protected:
    void OnLButtonDown(UINT flags, CPoint point) {
        ++presses;
        CWnd::OnLButtonDown(flags, point);  // the button's own handling goes on
    }
    DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(CWatchedButton, CWnd)
ON_WM_LBUTTONDOWN()
END_MESSAGE_MAP()

class FrameworkTest : public ::testing::Test {
  protected:
    void SetUp() override {
        char command_line[] = "";
        app.SetUp(GetModuleHandleA(nullptr), command_line, SW_SHOWNORMAL);
    }
    void TearDown() override {
        EXPECT_EQ(env.session.handles().LiveCount(ObjectKind::kDeviceContext), 0);
        EXPECT_EQ(env.session.handles().LiveCount(ObjectKind::kBrush), 0);
    }
    template <typename Frame>
    Frame* MakeMain() {
        auto* frame = new Frame(events);
        EXPECT_TRUE(frame->Create(nullptr, "Frame", WS_OVERLAPPEDWINDOW, RECT{0, 0, 800, 600}));
        app.m_pMainWnd = frame;
        frame->ShowWindow(SW_SHOW);
        frame->UpdateWindow();
        return frame;
    }

    HeadlessSession env{platform::ResourceCatalogue{}, "/opt/games/Zandrofel.exe"};
    CWinApp app;
    Events events;
};

TEST_F(FrameworkTest, DefaultFrameHasTheClassicClientAreaAndWhiteBackground) {
    CTestFrame* frame = MakeMain<CTestFrame>();
    RECT client;
    frame->GetClientRect(&client);
    EXPECT_EQ(client.right, 788);
    EXPECT_EQ(client.bottom, 569);
    EXPECT_EQ(GetWindowLongPtrA(frame->m_hWnd, GWL_EXSTYLE) & WS_EX_CLIENTEDGE, WS_EX_CLIENTEDGE);
    EXPECT_EQ(GetWindowLongPtrA(frame->m_hWnd, GWL_STYLE) & WS_VISIBLE, WS_VISIBLE);
    // The paint handler took the paint; the class brush erased the window white.
    EXPECT_EQ(events.log, (std::vector<std::string>{"paint"}));
    EXPECT_EQ(harness::WindowPixels(frame->m_hWnd)->Pixel(10, 10), 0xFFFFFFu);
    EXPECT_EQ(CWnd::FromHandlePermanent(frame->m_hWnd), frame);
    frame->DestroyWindow();
}

TEST_F(FrameworkTest, MapsRouteMessagesAndChainToTheBase) {
    CDerivedFrame* frame = MakeMain<CDerivedFrame>();
    HWND hwnd = frame->m_hWnd;
    platform::HostWindowId host_window = harness::HostWindowOf(hwnd);
    events.log.clear();
    frame->SetTimer(3, 100);
    env.host.PressKey(host_window, 'Z', 50);
    env.host.Click(host_window, 30, 40, 60);
    env.host.Click(host_window, 30, 40, 70, platform::MouseButton::kRight);
    frame->PostMessage(WM_COMMAND, 5);
    frame->PostMessage(WM_COMMAND, 6);
    frame->PostMessage(WM_COMMAND, 7);  // nobody's: goes to the default procedure
    frame->PostMessage(WM_COMMAND, MAKEWPARAM(5, EN_CHANGE));  // a notification, not a command
    harness::PumpMessagesUntil(100);
    EXPECT_EQ(events.log,
              (std::vector<std::string>{"command 5", "command 6", "key 90 x1", "char 122",
                                        "left 1 30,40", "right", "derived timer 3"}));

    // WM_CLOSE is not in any map: the default closes the window, which ends the loop because
    // it is the main window, and the frame deletes its own object.
    frame->PostMessage(WM_CLOSE);
    EXPECT_FALSE(harness::PumpMessagesUntil(200));
    EXPECT_TRUE(events.destroyed);
    EXPECT_FALSE(IsWindow(hwnd));
    EXPECT_EQ(app.m_pMainWnd, nullptr);
    EXPECT_EQ(CWnd::FromHandlePermanent(hwnd), nullptr);
    MSG msg;
    EXPECT_FALSE(GetMessageA(&msg, nullptr, 0, 0));
}

TEST_F(FrameworkTest, ClientDcDrawsAndIsReleased) {
    CTestFrame* frame = MakeMain<CTestFrame>();
    {
        CClientDC dc(frame);
        RECT all{0, 0, 5, 5};
        ::FillRect(dc, &all, static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH)));
        EXPECT_EQ(env.session.handles().LiveCount(ObjectKind::kDeviceContext), 1);
    }
    EXPECT_EQ(env.session.handles().LiveCount(ObjectKind::kDeviceContext), 0);
    EXPECT_EQ(harness::WindowPixels(frame->m_hWnd)->Pixel(4, 4), 0u);
    frame->DestroyWindow();
}

TEST_F(FrameworkTest, ApplicationMessageBoxIsTheMainWindowsAndNamedAfterTheProgram) {
    EXPECT_STREQ(app.m_pszAppName, "Zandrofel");
    CTestFrame* frame = MakeMain<CTestFrame>();
    HWND owner = nullptr;
    int yellow = 0;
    env.answers.Answer("Zandrofel", [&](ModalWindow& box) {
        owner = GetParent(box.hwnd());
        HWND hwnd = box.hwnd();
        env.host.Call(box.now() + 5, [&yellow, hwnd] {
            const platform::Surface* pixels = harness::WindowPixels(hwnd);
            for (int y = 0; y < pixels->height; ++y)
                for (int x = 0; x < 50; ++x) yellow += pixels->Pixel(x, y) == 0xFFFF00u;
        });
        box.PressKey(VK_RETURN, 10);
    });
    EXPECT_EQ(AfxMessageBox("Mr. Hankey"), IDOK);
    EXPECT_EQ(owner, frame->m_hWnd);
    EXPECT_GT(yellow, 100);  // the exclamation icon

    // A frame's own message box has the application's name as its caption too.
    env.answers.Answer("Zandrofel", [](ModalWindow& box) { box.PressKey('N', 10); });
    EXPECT_EQ(frame->MessageBox("Play Again?", nullptr, MB_YESNO), IDNO);
    frame->DestroyWindow();
}

TEST_F(FrameworkTest, AWindowOfAnotherClassIsSubclassedAndKeepsItsOwnBehaviour) {
    CTestFrame* frame = MakeMain<CTestFrame>();
    CWatchedButton button;
    ASSERT_TRUE(button.Create("Button", "Press", WS_VISIBLE | BS_PUSHBUTTON, RECT{10, 10, 90, 40},
                              frame, 40));
    events.log.clear();
    env.host.Click(harness::HostWindowOf(frame->m_hWnd), 50, 25, 10);
    harness::PumpMessagesUntil(20);
    EXPECT_EQ(button.presses, 1);
    EXPECT_EQ(GetFocus(), button.m_hWnd);
    EXPECT_EQ(events.log, (std::vector<std::string>{"button"}));  // BN_CLICKED reached the frame
    EXPECT_EQ(CWnd::FromHandle(GetDlgItem(frame->m_hWnd, 40)), &button);
    button.DestroyWindow();
    EXPECT_EQ(button.m_hWnd, nullptr);
    frame->DestroyWindow();
}

// The objects behind windows are the session's: a window still open when its session ends
// leaves nothing behind for the window that gets the same handle in the next one.
TEST(FrameworkSessionsTest, ASecondSessionFindsNoObjectOfTheFirstUnderTheSameHandle) {
    CWnd first;
    HWND first_hwnd = nullptr;
    {
        HeadlessSession env;
        ASSERT_TRUE(first.CreateEx(0, "Button", "First", WS_POPUP, 0, 0, 80, 30, nullptr, 0));
        first_hwnd = first.m_hWnd;
        ASSERT_EQ(CWnd::FromHandlePermanent(first_hwnd), &first);
    }
    EXPECT_EQ(first.m_hWnd, nullptr);  // its window went with the session

    HeadlessSession env;
    HWND second_hwnd = CreateWindowExA(0, "Button", "Second", WS_POPUP, 0, 0, 80, 30, nullptr,
                                       nullptr, GetModuleHandleA(nullptr), nullptr);
    ASSERT_EQ(second_hwnd, first_hwnd);  // handle values repeat from one session to the next
    EXPECT_EQ(CWnd::FromHandlePermanent(second_hwnd), nullptr);
    CWnd second;
    EXPECT_TRUE(second.Attach(second_hwnd));
    EXPECT_EQ(CWnd::FromHandle(second_hwnd), &second);
    ::DestroyWindow(second.Detach());
}

}  // namespace
