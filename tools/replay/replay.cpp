#include "tools/replay/replay.h"

#include <cmath>
#include <cstdio>
#include <limits>

#include "framework/win_app.h"
#include "game/game_world.h"
#include "harness/program_runner.h"
#include "harness/test_support.h"
#include "platform/resources.h"
#include "resources/resource_ids.h"
#include "scores/high_scores.h"

namespace replay {

namespace {

constexpr char kSplashTitle[] = "Grommelin Quibbert's Zandrofel V2.27";
constexpr char kNameTitle[] = "Quibbert's Hall of Fame";
constexpr int kNameButton = 1002;

std::string Quoted(const std::string& text) {
    std::string out = "\"";
    for (char c : text) {
        if (c == '\\')
            out += "\\\\";
        else if (c == '"')
            out += "\\\"";
        else if (c == '\n')
            out += "\\n";
        else
            out += c;
    }
    return out + "\"";
}

std::string Fields(std::initializer_list<long long> values) {
    std::string out;
    for (long long value : values) {
        if (!out.empty()) out += ' ';
        out += std::to_string(value);
    }
    return out;
}

// The number of the dialog template, found by where its data lies in the catalogue.
long long TemplateId(LPCDLGTEMPLATEA dialog_template) {
    for (const platform::ResourceEntry& entry : platform::ModuleResources().entries()) {
        if (entry.type == RT_DIALOG && entry.data == static_cast<const void*>(dialog_template))
            return IS_INTRESOURCE(entry.name)
                       ? static_cast<long long>(reinterpret_cast<ULONG_PTR>(entry.name))
                       : -1;
    }
    return -1;
}

}  // namespace

Replay::Replay(platform::headless::HeadlessHost& host, Script script)
    : host_(host), script_(std::move(script)) {}

HWND Replay::MainWindow() const {
    CWinApp* app = AfxGetApp();
    return app && app->m_pMainWnd ? app->m_pMainWnd->m_hWnd : nullptr;
}

void Replay::Add(const char* kind, std::string rest) {
    lines_.push_back(Line{host_.NowMs(), kind, std::move(rest)});
}

void Replay::MessageHandled(HWND hwnd, UINT message, WPARAM wparam, LPARAM) {
    if (!hwnd || hwnd != MainWindow()) return;
    if (message == WM_PAINT) {
        if (!painted_) OnFirstPaint();
        Add("paint", "");
    } else if (message == WM_TIMER) {
        const GameWorldRecord& w = GameWorld;
        Add("tick", Fields({static_cast<long long>(wparam),
                            w.State,
                            w.TimeLeft,
                            w.Lives,
                            w.Score,
                            w.PlayerX,
                            w.PlayerY,
                            w.Car1X,
                            w.Car2X,
                            w.BusX,
                            w.SemiX,
                            w.MowerX,
                            w.TruckX,
                            w.LogX,
                            w.BigLogX,
                            w.Lily1X,
                            w.Lily2X,
                            w.Ride,
                            w.CookieTime,
                            w.CookieX,
                            w.CookieY,
                            w.SplatMarks[0],
                            w.SplatMarks[1],
                            w.SplatMarks[2],
                            EndPhase}));
    }
}

void Replay::SoundStarted(LPCSTR name, UINT flags) {
    Add("sound", std::string(name) + " " + std::to_string(flags));
}

void Replay::MessageBoxEnded(HWND, LPCSTR text, LPCSTR caption, UINT type, int answer) {
    Add("box", std::to_string(type) + " " + Quoted(caption) + " " + Quoted(text) + " " +
                   std::to_string(answer));
}

void Replay::DialogEnded(LPCDLGTEMPLATEA dialog_template, INT_PTR result) {
    Add("dialog", Fields({TemplateId(dialog_template), static_cast<long long>(result)}));
}

void Replay::OnFirstPaint() {
    painted_ = true;
    first_paint_ms_ = host_.NowMs();
    for (const Input& input : script_.inputs)
        host_.Call(first_paint_ms_ + input.at_ms, [this, input] { Deliver(input); });
    // Just after the end, so that everything due at the end itself still happens.
    double end =
        std::nextafter(first_paint_ms_ + script_.end_ms, std::numeric_limits<double>::infinity());
    host_.Call(end, [this] { harness::QuitEveryWait(host_); });
}

void Replay::Deliver(const Input& input) {
    HWND main = MainWindow();
    if (!main) return;
    platform::HostWindowId window = harness::HostWindowOf(main);
    double now = host_.NowMs();
    if (input.kind == InputKind::kKey) {
        Add("key", input.key_name);
        platform::HostEvent key;
        key.window = window;
        key.type = platform::HostEventType::kKeyDown;
        key.virtual_key = input.virtual_key;
        host_.Inject(now, key);
        if (input.character) {
            platform::HostEvent typed;
            typed.window = window;
            typed.type = platform::HostEventType::kChar;
            typed.character = input.character;
            host_.Inject(now, typed);
        }
        key.type = platform::HostEventType::kKeyUp;
        host_.Inject(now, key);
        return;
    }
    bool left = input.kind == InputKind::kClick;
    Add(left ? "click" : "rclick", Fields({input.x, input.y}));
    // Posted to the window itself, so that two clicks close together stay two single clicks
    // rather than becoming a double click.
    LPARAM where = MAKELPARAM(input.x, input.y);
    PostMessageA(main, left ? WM_LBUTTONDOWN : WM_RBUTTONDOWN, left ? MK_LBUTTON : MK_RBUTTON,
                 where);
    PostMessageA(main, left ? WM_LBUTTONUP : WM_RBUTTONUP, 0, where);
    // An event that changes nothing wakes the message loop to take them now.
    platform::HostEvent wake;
    wake.window = window;
    wake.type = platform::HostEventType::kExposed;
    host_.Inject(now, wake);
}

void Replay::Answer(harness::ModalWindow& window) {
    if (window.title() == kSplashTitle) {
        window.PressButton(IDC_PLAY);
    } else if (window.title() == kNameTitle) {
        if (script_.name && !script_.name->empty()) {
            // The focus starts on the button. Keys go where the focus is when they arrive, so
            // they come a moment after the click that moves it, and "OK" after them.
            window.PressButton(IDC_NAME);
            window.TypeText(*script_.name, 1);
            window.PressButton(kNameButton, 2);
        } else {
            window.PressKey(VK_ESCAPE);
        }
    } else if (GetDlgItem(window.hwnd(), IDYES)) {
        window.PressButton(script_.play_again ? IDYES : IDNO);
    } else {
        window.PressButton(IDOK);
    }
}

void Replay::Write(std::ostream& out) const {
    for (const Line& line : lines_) {
        char time[32];
        std::snprintf(time, sizeof time, "%.3f", line.at_ms - first_paint_ms_);
        out << line.kind << ' ' << time;
        if (!line.rest.empty()) out << ' ' << line.rest;
        out << '\n';
    }
}

}  // namespace replay
