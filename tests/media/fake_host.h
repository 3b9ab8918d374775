// A host for the media tests: a virtual clock that Sleep advances, a record of every sound
// started and stopped, and no windows.
#pragma once

#include <string>
#include <vector>

#include "platform/host.h"

namespace media_test {

class FakeHost : public platform::Host {
  public:
    struct Started {
        platform::SoundClip clip;
        double at_ms;
    };

    double now_ms = 1000;
    std::vector<Started> started;
    std::vector<double> stopped_at_ms;
    std::vector<double> slept_ms;

    double NowMs() override { return now_ms; }
    int64_t CalendarSeconds() override { return 0; }
    bool WaitEvent(double deadline_ms, platform::HostEvent*) override {
        if (deadline_ms > now_ms) now_ms = deadline_ms;
        return false;
    }
    void Sleep(double ms) override {
        slept_ms.push_back(ms);
        now_ms += ms;
    }
    platform::HostWindowId CreateWindow(const platform::HostWindowSpec&) override { return 0; }
    void DestroyWindow(platform::HostWindowId) override {}
    void ShowWindow(platform::HostWindowId, platform::HostShow) override {}
    void SetTitle(platform::HostWindowId, const std::string&) override {}
    void Present(platform::HostWindowId, platform::Surface&) override {}
    void Focus(platform::HostWindowId) override {}
    void ScreenSize(int* width, int* height) override { *width = 1024, *height = 768; }
    void PlaySound(const platform::SoundClip& clip) override { started.push_back({clip, now_ms}); }
    void StopSound() override { stopped_at_ms.push_back(now_ms); }
};

}  // namespace media_test
