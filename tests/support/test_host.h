// A Host for tests and benchmarks: a virtual clock that only moves when told, no input unless
// queued, and windows that are just records of what was asked of them.
#pragma once

#include <deque>
#include <map>
#include <string>
#include <vector>

#include "platform/host.h"

namespace test_support {

class TestHost : public platform::Host {
  public:
    struct Window {
        platform::HostWindowSpec spec;
        platform::HostShow show = platform::HostShow::kHidden;
        int presents = 0;
    };

    double NowMs() override { return now_ms_; }
    int64_t CalendarSeconds() override { return calendar_seconds_; }
    bool WaitEvent(double deadline_ms, platform::HostEvent* event) override;
    void Sleep(double ms) override { now_ms_ += ms; }

    platform::HostWindowId CreateWindow(const platform::HostWindowSpec& spec) override;
    void DestroyWindow(platform::HostWindowId window) override { windows_.erase(window); }
    void ShowWindow(platform::HostWindowId window, platform::HostShow show) override;
    void SetTitle(platform::HostWindowId window, const std::string& title) override;
    void Present(platform::HostWindowId window, platform::Surface& pixels) override;
    void Focus(platform::HostWindowId) override {}
    void ScreenSize(int* width, int* height) override;

    void PlaySound(const platform::SoundClip& clip) override { sounds_.push_back(clip.name); }
    void StopSound() override {}

    void Advance(double ms) { now_ms_ += ms; }
    void SetCalendarSeconds(int64_t seconds) { calendar_seconds_ = seconds; }
    void QueueEvent(const platform::HostEvent& event) { events_.push_back(event); }
    const std::map<platform::HostWindowId, Window>& windows() const { return windows_; }
    const std::vector<std::string>& sounds() const { return sounds_; }

  private:
    double now_ms_ = 0;
    int64_t calendar_seconds_ = 0;
    platform::HostWindowId next_window_ = 1;
    std::map<platform::HostWindowId, Window> windows_;
    std::deque<platform::HostEvent> events_;
    std::vector<std::string> sounds_;
};

}  // namespace test_support
