#include "harness/test_support.h"

#include <unistd.h>

#include <algorithm>
#include <cassert>
#include <cstdlib>
#include <filesystem>

#include "platform/user/user_state.h"

namespace harness {

using platform::user::UserState;

TempWorkingDirectory::TempWorkingDirectory() {
    previous_ = std::filesystem::current_path().string();
    std::string pattern = (std::filesystem::temp_directory_path() / "zf-test-XXXXXX").string();
    char* made = mkdtemp(pattern.data());
    assert(made && "cannot make a temporary directory");
    path_ = made;
    std::filesystem::current_path(path_);
}

TempWorkingDirectory::~TempWorkingDirectory() {
    std::error_code ignored;
    std::filesystem::current_path(previous_, ignored);
    std::filesystem::remove_all(path_, ignored);
}

const platform::Surface* WindowPixels(HWND hwnd) {
    UserState& state = platform::user::State();
    const platform::user::Window* top = state.Find(state.windows().TopLevelOf(hwnd));
    return top ? top->surface.get() : nullptr;
}

platform::HostWindowId HostWindowOf(HWND hwnd) {
    UserState& state = platform::user::State();
    const platform::user::Window* top = state.Find(state.windows().TopLevelOf(hwnd));
    return top ? top->host_window : 0;
}

bool PumpMessagesUntil(double until_ms) {
    UserState& state = platform::user::State();
    MSG msg;
    for (;;) {
        while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
            if (msg.message == WM_QUIT) {
                PostQuitMessage(static_cast<int>(msg.wParam));
                return false;
            }
            TranslateMessage(&msg);
            DispatchMessageA(&msg);
        }
        if (state.Now() >= until_ms) return true;
        double deadline = state.timers().NextDeadline([](HWND) { return true; });
        state.PumpHost(std::min(deadline, until_ms));
    }
}

}  // namespace harness
