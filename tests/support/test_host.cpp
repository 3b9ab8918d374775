// The test double Host: time passes only through Advance, Sleep and waits.
#include "tests/support/test_host.h"

namespace test_support {

bool TestHost::WaitEvent(double deadline_ms, platform::HostEvent* event) {
    if (!events_.empty()) {
        *event = events_.front();
        events_.pop_front();
        return true;
    }
    if (deadline_ms > now_ms_) now_ms_ = deadline_ms;
    return false;
}

platform::HostWindowId TestHost::CreateWindow(const platform::HostWindowSpec& spec) {
    platform::HostWindowId id = next_window_++;
    windows_[id].spec = spec;
    return id;
}

void TestHost::ShowWindow(platform::HostWindowId window, platform::HostShow show) {
    auto it = windows_.find(window);
    if (it != windows_.end()) it->second.show = show;
}

void TestHost::SetTitle(platform::HostWindowId window, const std::string& title) {
    auto it = windows_.find(window);
    if (it != windows_.end()) it->second.spec.title = title;
}

void TestHost::Present(platform::HostWindowId window, platform::Surface&) {
    auto it = windows_.find(window);
    if (it != windows_.end()) ++it->second.presents;
}

void TestHost::ScreenSize(int* width, int* height) {
    *width = 1024;
    *height = 768;
}

}  // namespace test_support
