// A small program run the way the real one is: its application object, WinMain, a frame with
// a 0 ms timer, a message box answered by a responder, and the end of the program when its
// main window closes. The test stops it at chosen virtual times to look at it.
#include <gtest/gtest.h>

#include "framework/client_dc.h"
#include "framework/frame_wnd.h"
#include "framework/win_app.h"
#include "harness/program_runner.h"
#include "harness/test_support.h"
#include "platform/core/handle_table.h"

namespace {

using harness::HeadlessSession;
using harness::ModalWindow;
using harness::ProgramRunner;

// What the program did, for the test to read.
struct Record {
    int ticks = 0;
    int ticks_at_box = 0;
    int box_answer = 0;
    int ticks_inside_box = 0;
    bool in_box = false;
    bool window_deleted = false;
};
Record g_record;

class CTickWnd : public CFrameWnd {
  public:
    CTickWnd() { Create(nullptr, "Ticker", WS_OVERLAPPEDWINDOW, RECT{0, 0, 800, 600}); }
    ~CTickWnd() override { g_record.window_deleted = true; }

  protected:
    void OnPaint() {
        CPaintDC dc(this);
        SetTimer(1, 0);
    }
    void OnTimer(UINT_PTR) {
        ++g_record.ticks;
        if (g_record.in_box) ++g_record.ticks_inside_box;
        if (g_record.ticks != 64) return;
        g_record.ticks_at_box = g_record.ticks;
        g_record.in_box = true;
        g_record.box_answer = AfxMessageBox("One second!");
        g_record.in_box = false;
        KillTimer(1);
        PostMessage(WM_CLOSE);
    }
    DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(CTickWnd, CFrameWnd)
ON_WM_PAINT()
ON_WM_TIMER()
END_MESSAGE_MAP()

class CTickApp : public CWinApp {
  public:
    BOOL InitInstance() override {
        m_pMainWnd = new CTickWnd;
        m_pMainWnd->ShowWindow(m_nCmdShow);
        m_pMainWnd->UpdateWindow();
        return TRUE;
    }
};

CTickApp the_app;

TEST(SmallProgram, TicksShowsABoxAndEndsWhenItsWindowCloses) {
    g_record = Record{};
    HeadlessSession env(platform::ResourceCatalogue{}, "/usr/games/ticker");
    env.answers.Answer("ticker", [](ModalWindow& box) { box.PressButton("OK", 250); });
    ProgramRunner program(env.host, [] { return harness::RunWinMain(); });

    EXPECT_TRUE(program.RunUntil(500));
    EXPECT_EQ(g_record.ticks, 32);
    platform::HostWindowId main_window = env.host.FindWindow("Ticker");
    ASSERT_NE(main_window, 0u);
    EXPECT_EQ(env.host.Window(main_window)->show, platform::HostShow::kNormal);
    EXPECT_EQ(env.host.Window(main_window)->presented.Pixel(100, 100), 0xFFFFFFu);

    EXPECT_TRUE(program.RunUntil(1100));
    EXPECT_TRUE(g_record.in_box);
    EXPECT_EQ(g_record.ticks_at_box, 64);
    EXPECT_EQ(env.answers.modal_titles(), (std::vector<std::string>{"ticker"}));

    EXPECT_TRUE(program.RunToEnd(5000));
    EXPECT_EQ(program.exit_code(), 0);
    EXPECT_EQ(g_record.box_answer, IDOK);
    // The timer ran on behind the box: 16 expiries in its 250 ms, the last one due with the
    // click that closed it, and input comes before timers.
    EXPECT_EQ(g_record.ticks_inside_box, 15);
    EXPECT_TRUE(g_record.window_deleted);
    EXPECT_EQ(env.session.handles().LiveCount(platform::ObjectKind::kWindow), 0);
    EXPECT_EQ(env.host.NowMs(), 1250);
}

TEST(SmallProgram, AProgramStillRunningIsToldToQuit) {
    g_record = Record{};
    HeadlessSession env(platform::ResourceCatalogue{}, "/usr/games/ticker");
    {
        ProgramRunner program(env.host, [] { return harness::RunWinMain(); });
        EXPECT_TRUE(program.RunUntil(1100));  // inside the unanswered box
        EXPECT_TRUE(g_record.in_box);
    }
    EXPECT_TRUE(g_record.window_deleted);
    EXPECT_EQ(env.session.handles().LiveCount(platform::ObjectKind::kWindow), 0);
}

}  // namespace
