// The real game on the headless host: its application object, WinMain, the start-up with the
// splash answered by "PLAY!", and the main window running from its first paint. A test stops
// the program at virtual times to look at it, and runs code on the program's side with Run.
// Every message box is answered the moment it opens (OK, or the Yes/No the test chooses); the
// boxes and sounds from the first paint on are recorded, with every timer message handled.
#pragma once

#include <gtest/gtest.h>

#include <functional>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "app/game_wnd.h"
#include "game/game_world.h"
#include "harness/program_runner.h"
#include "harness/test_support.h"
#include "platform/core/handle_table.h"
#include "platform/session.h"

namespace game_test {

inline constexpr char kSplashTitle[] = "Grommelin Quibbert's Zandrofel V2.27";
inline constexpr char kMainTitle[] = "Grommelin Quibbert's Zandrofel";
inline constexpr char kAppName[] = "zandrofel";
inline constexpr int64_t kSeed = 1234;
// The start sound lasts one second and the splash is answered at once.
inline constexpr double kFirstPaintMs = 1000;
inline constexpr double kTickMs = 15.625;

struct Box {
    std::string caption;
    std::string text;
    UINT type = 0;
    int answer = 0;
    HWND owner = nullptr;
    double at_ms = 0;
};

struct Dialog {
    int id = 0;  // the template's number
    INT_PTR result = 0;
    double at_ms = 0;
};

struct Sound {
    std::string name;
    UINT flags = 0;
    double at_ms = 0;
};

// What the program did, as the platform reports it.
class Recorder : public platform::Observer {
  public:
    void MessageHandled(HWND hwnd, UINT message, WPARAM wparam, LPARAM) override;
    void SoundStarted(LPCSTR name, UINT flags) override;
    void MessageBoxEnded(HWND owner, LPCSTR text, LPCSTR caption, UINT type, int answer) override;
    void DialogEnded(LPCDLGTEMPLATEA dialog_template, INT_PTR result) override;

    std::vector<Box> boxes;
    std::vector<Sound> sounds;
    std::vector<Dialog> dialogs;
    std::vector<UINT_PTR> ticks;  // the timer ids handled, in order
    int paints = 0;
    HWND main = nullptr;  // the main window, whose ticks and paints are counted
};

using Counts = std::map<platform::ObjectKind, int>;

// A colour as the drawing calls take it (0x00BBGGRR), as the screen holds it (0x00RRGGBB).
constexpr uint32_t OnScreen(COLORREF colour) {
    return (uint32_t{GetRValue(colour)} << 16) | (uint32_t{GetGValue(colour)} << 8) |
           GetBValue(colour);
}
inline constexpr uint32_t kBlack = 0x000000, kWhite = 0xFFFFFF;

class GameTest : public ::testing::Test {
  protected:
    void SetUp() override;
    void TearDown() override;
    // Called by SetUp once the session exists and before the program starts.
    virtual void BeforeStart() {}

    // Runs `action` on the program's thread at the present virtual time.
    void Run(const std::function<void()>& action);
    // Lets the program run on for `ms` of virtual time.
    void Advance(double ms);
    double Now() { return env_->host.NowMs(); }
    // Stops both timers, so that a test can tick by hand and nothing else moves.
    void StopTimers();
    // One tick of the given timer, run by hand.
    void Tick(UINT_PTR id = kTickTimer);
    // A key going down and its character (if it types one), delivered now.
    void Press(int virtual_key);
    void Click(int x, int y, platform::MouseButton button = platform::MouseButton::kLeft);

    CGameWnd& Wnd();
    HWND MainHwnd() { return Wnd().m_hWnd; }
    platform::HostWindowId MainHostWindow();
    // The main window's client pixels as drawn so far.
    const platform::Surface& Screen();
    uint32_t PixelAt(int x, int y) { return Screen().Pixel(x, y); }
    bool TimerRuns(UINT_PTR id);

    // Text as the window's default font draws it, black on its white box.
    platform::Surface TextPicture(const std::string& text);
    // A picture of the program's resources, as loaded.
    platform::Surface ResourcePicture(const char* name);
    // The window shows `picture`'s top-left width x height at (x, y).
    ::testing::AssertionResult ScreenShows(const platform::Surface& picture, int x, int y,
                                           int width, int height);
    // Where a failing picture check leaves its pictures.
    std::string FailureFolder() const { return original_directory_ + "/pixel_failures"; }

    // The live drawing objects (DCs, bitmaps, brushes, pens).
    Counts GdiCounts();

    std::vector<std::string> SoundNames() const;
    std::vector<std::string> BoxTexts() const;

    // When SetUp stops the program: by then the main window has had its first paint.
    double start_until_ms_ = kFirstPaintMs;
    // The show command the program starts with.
    int show_command_ = SW_SHOWNORMAL;
    // How the next Yes/No boxes are answered, and answers for windows with these titles.
    int yes_no_answer_ = IDNO;
    std::map<std::string, std::function<void(harness::ModalWindow&)>> answers_;

    std::unique_ptr<harness::TempWorkingDirectory> directory_;
    std::string original_directory_;
    std::unique_ptr<harness::HeadlessSession> env_;
    Recorder recorder_;
    Recorder startup_;  // what happened before SetUp ended
    std::unique_ptr<harness::ProgramRunner> program_;

  private:
    void Respond(harness::ModalWindow& window);
};

}  // namespace game_test
