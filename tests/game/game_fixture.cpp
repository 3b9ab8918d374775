#include "tests/game/game_fixture.h"

#include <filesystem>

#include "framework/win_app.h"
#include "platform/resources.h"
#include "platform/user/user_state.h"
#include "scores/high_scores.h"

namespace game_test {

using harness::HeadlessSession;
using harness::ModalWindow;
using harness::ProgramRunner;

void Recorder::MessageHandled(HWND hwnd, UINT message, WPARAM wparam, LPARAM) {
    if (message != WM_TIMER && message != WM_PAINT) return;
    if (!main) {
        // The main window is known by its title from its first paint on.
        char title[64] = "";
        GetWindowTextA(hwnd, title, sizeof title);
        if (std::string(title) == kMainTitle) main = hwnd;
    }
    if (hwnd != main) return;
    if (message == WM_TIMER) ticks.push_back(static_cast<UINT_PTR>(wparam));
    if (message == WM_PAINT) ++paints;
}

void Recorder::SoundStarted(LPCSTR name, UINT flags) {
    sounds.push_back(Sound{name, flags, platform::Session::Current().host().NowMs()});
}

void Recorder::MessageBoxEnded(HWND owner, LPCSTR text, LPCSTR caption, UINT type, int answer) {
    boxes.push_back(
        Box{caption, text, type, answer, owner, platform::Session::Current().host().NowMs()});
}

void Recorder::DialogEnded(LPCDLGTEMPLATEA dialog_template, INT_PTR result) {
    int id = 0;
    for (const platform::ResourceEntry& entry : platform::ModuleResources().entries()) {
        if (entry.type == RT_DIALOG && entry.data == static_cast<const void*>(dialog_template))
            id = static_cast<int>(reinterpret_cast<ULONG_PTR>(entry.name));
    }
    dialogs.push_back(Dialog{id, result, platform::Session::Current().host().NowMs()});
}

void GameTest::SetUp() {
    // The process-wide records start afresh, as in a new process.
    GameWorld = GameWorldRecord{};
    EndPhase = 0;
    original_directory_ = std::filesystem::current_path().string();
    directory_ = std::make_unique<harness::TempWorkingDirectory>();
    env_ = std::make_unique<HeadlessSession>(platform::ModuleResources(),
                                             std::string("/usr/games/") + kAppName);
    env_->session.AddObserver(&recorder_);
    env_->host.SetCalendarSeconds(kSeed);
    env_->answers.Answer(
        "", [this](ModalWindow& window) { Respond(window); }, harness::ModalAnswers::Times::kEvery);
    BeforeStart();
    program_ = std::make_unique<ProgramRunner>(
        env_->host, [this] { return harness::RunWinMain(show_command_); });
    ASSERT_TRUE(program_->RunUntil(start_until_ms_));
    ASSERT_NE(AfxGetApp()->m_pMainWnd, nullptr) << "the main window was not made";
    // The start-up's record is kept apart; the tests' own starts here.
    startup_ = recorder_;
    recorder_.sounds.clear();
    recorder_.boxes.clear();
    recorder_.dialogs.clear();
}

void GameTest::TearDown() {
    program_.reset();  // a program still running is told to quit
    env_.reset();
    directory_.reset();
}

void GameTest::Respond(ModalWindow& window) {
    auto special = answers_.find(window.title());
    if (special != answers_.end()) {
        special->second(window);
        return;
    }
    if (window.title() == kSplashTitle) {
        window.PressButton(1003);
    } else if (GetDlgItem(window.hwnd(), IDYES)) {
        window.PressButton(yes_no_answer_);
    } else if (GetDlgItem(window.hwnd(), IDOK)) {
        window.PressButton(IDOK);
    } else {
        window.PressKey(VK_ESCAPE);
    }
}

void GameTest::Run(const std::function<void()>& action) {
    env_->host.Call(Now(), action);
    // An event that changes nothing wakes the program's loop, so that whatever the action
    // queued (a paint, say) is handled before the program stops again.
    platform::HostEvent wake;
    wake.type = platform::HostEventType::kExposed;
    wake.window = MainHostWindow();
    env_->host.Inject(Now(), wake);
    program_->RunUntil(Now());
}

void GameTest::Advance(double ms) {
    program_->RunUntil(Now() + ms);
}

void GameTest::StopTimers() {
    Run([this] {
        Wnd().KillTimer(kTickTimer);
        Wnd().KillTimer(kClockTimer);
    });
}

void GameTest::Tick(UINT_PTR id) {
    Run([this, id] { Wnd().OnTimer(id); });
}

void GameTest::Press(int virtual_key) {
    env_->host.PressKey(MainHostWindow(), virtual_key, Now());
    program_->RunUntil(Now());
}

void GameTest::Click(int x, int y, platform::MouseButton button) {
    env_->host.Click(MainHostWindow(), x, y, Now(), button);
    program_->RunUntil(Now());
}

CGameWnd& GameTest::Wnd() {
    return *static_cast<CGameWnd*>(AfxGetApp()->m_pMainWnd);
}

platform::HostWindowId GameTest::MainHostWindow() {
    return harness::HostWindowOf(MainHwnd());
}

const platform::Surface& GameTest::Screen() {
    return *harness::WindowPixels(MainHwnd());
}

bool GameTest::TimerRuns(UINT_PTR id) {
    return platform::user::State().timers().Exists(MainHwnd(), id);
}

Counts GameTest::GdiCounts() {
    Counts counts;
    for (auto kind : {platform::ObjectKind::kDeviceContext, platform::ObjectKind::kBitmap,
                      platform::ObjectKind::kBrush, platform::ObjectKind::kPen})
        counts[kind] = env_->session.handles().LiveCount(kind);
    return counts;
}

namespace {
platform::Surface ReadBack(HDC dc, int width, int height) {
    platform::Surface pixels = platform::Surface::Color(width, height);
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x) pixels.SetPixel(x, y, OnScreen(GetPixel(dc, x, y)));
    return pixels;
}
}  // namespace

platform::Surface GameTest::TextPicture(const std::string& text) {
    HDC screen = GetDC(MainHwnd());
    SIZE size{};
    GetTextExtentPoint32A(screen, text.c_str(), static_cast<int>(text.size()), &size);
    HDC memory = CreateCompatibleDC(screen);
    HBITMAP bitmap = CreateCompatibleBitmap(screen, size.cx, size.cy);
    HGDIOBJ old = SelectObject(memory, bitmap);
    TextOutA(memory, 0, 0, text.c_str(), static_cast<int>(text.size()));
    platform::Surface pixels = ReadBack(memory, size.cx, size.cy);
    SelectObject(memory, old);
    DeleteObject(bitmap);
    DeleteDC(memory);
    ReleaseDC(MainHwnd(), screen);
    return pixels;
}

platform::Surface GameTest::ResourcePicture(const char* name) {
    HBITMAP bitmap = LoadBitmapA(GetModuleHandleA(nullptr), name);
    BITMAP info{};
    GetObjectA(bitmap, sizeof info, &info);
    HDC memory = CreateCompatibleDC(nullptr);
    HGDIOBJ old = SelectObject(memory, bitmap);
    platform::Surface pixels = ReadBack(memory, info.bmWidth, info.bmHeight);
    SelectObject(memory, old);
    DeleteDC(memory);
    DeleteObject(bitmap);
    return pixels;
}

::testing::AssertionResult GameTest::ScreenShows(const platform::Surface& picture, int x, int y,
                                                 int width, int height) {
    const platform::Surface& screen = Screen();
    for (int row = 0; row < height; ++row) {
        for (int column = 0; column < width; ++column) {
            uint32_t want = picture.Pixel(column, row), have = screen.Pixel(x + column, y + row);
            if (want != have) {
                return ::testing::AssertionFailure()
                       << "at (" << x + column << ", " << y + row << ") the window has " << std::hex
                       << have << ", the picture " << want;
            }
        }
    }
    return ::testing::AssertionSuccess();
}

std::vector<std::string> GameTest::SoundNames() const {
    std::vector<std::string> names;
    for (const Sound& sound : recorder_.sounds) names.push_back(sound.name);
    return names;
}

std::vector<std::string> GameTest::BoxTexts() const {
    std::vector<std::string> texts;
    for (const Box& box : recorder_.boxes) texts.push_back(box.text);
    return texts;
}

}  // namespace game_test
