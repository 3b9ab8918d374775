// A host without a display or real time. The clock moves only when a test moves it, when the
// program waits for a deadline, or when it sleeps, so timers fire exactly on time and every
// run is the same. Input is scripted at virtual times; windows' pixels, titles and the
// sounds played are recorded. It knows nothing of the window system above it.
#pragma once

#include <cstdint>
#include <functional>
#include <map>
#include <string>
#include <utility>
#include <variant>
#include <vector>

#include "platform/host.h"

namespace platform::headless {

class HeadlessHost : public Host {
  public:
    HeadlessHost();
    ~HeadlessHost() override;

    // --- Host ---
    double NowMs() override;
    int64_t CalendarSeconds() override;
    bool WaitEvent(double deadline_ms, HostEvent* event) override;
    void Sleep(double ms) override;
    HostWindowId CreateWindow(const HostWindowParams& params) override;
    void DestroyWindow(HostWindowId window) override;
    void ShowWindow(HostWindowId window, HostShow show) override;
    void SetTitle(HostWindowId window, const std::string& title) override;
    void Present(HostWindowId window, Surface& pixels) override;
    void Focus(HostWindowId window) override;
    void ScreenSize(int* width, int* height) override;
    void PlaySound(const SoundClip& clip) override;
    void StopSound() override;
    void SetTextInput(bool active) override { text_input_ = active; }

    // --- Clocks ---
    void SetCalendarSeconds(int64_t seconds);
    void SetScreenSize(int width, int height);
    // Moves the clock on from the test's side (a later event is not turned back).
    void Advance(double ms);

    // --- Scripted input, delivered when the program next looks at the time `at_ms` or later ---
    void Inject(double at_ms, HostEvent event);
    // Runs `action` on the program's side at that virtual time (to look at pixels, say).
    void Call(double at_ms, std::function<void()> action);
    // A key going down and up; character keys also send their character.
    void PressKey(HostWindowId window, int virtual_key, double at_ms, bool shift = false);
    void TypeText(HostWindowId window, const std::string& text, double at_ms);
    void Click(HostWindowId window, int x, int y, double at_ms,
               MouseButton button = MouseButton::kLeft);
    void RequestClose(HostWindowId window, double at_ms);
    void Resize(HostWindowId window, int client_width, int client_height, double at_ms);

    // --- What the program did ---
    struct WindowRecord {
        HostWindowParams params;
        std::string title;
        HostShow show = HostShow::kHidden;
        bool alive = true;
        int presents = 0;
        Surface presented;  // the pixels as last presented
    };
    const WindowRecord* Window(HostWindowId window) const;
    HostWindowId focused() const { return focused_; }
    // Whether a text field holds the keyboard, as the window system last said.
    bool text_input() const { return text_input_; }
    // The window created last with this title that still exists; 0 when none.
    HostWindowId FindWindow(const std::string& title) const;

    struct PlayedSound {
        SoundClip clip;  // its samples are the program's, alive as long as its resources
        double at_ms;
    };
    const std::vector<PlayedSound>& sounds() const { return sounds_; }
    // When StopSound was called, and how long each Sleep was.
    const std::vector<double>& stop_times() const { return stop_times_; }
    const std::vector<double>& sleeps() const { return sleeps_; }
    // Drops the records of windows that are gone and of the sounds played, stopped and slept,
    // so that a run of hours keeps only what is still on the screen.
    void ForgetHistory();
    // Whether a present keeps a copy of the pixels (WindowRecord::presented) for a test to read;
    // a run that never reads them saves the copying. On unless turned off.
    void KeepPresentedPixels(bool keep) { keep_pixels_ = keep; }

    // --- Stopping the program at a virtual time ---
    // When a wait would take the clock past `limit_ms`, the clock stops there and `at_limit`
    // runs on the program's side; the wait goes on when it returns (under the limit then set).
    void SetLimit(double limit_ms, std::function<void()> at_limit);
    // Asked at the start of every wait; when it says false, the wait ends at once with nothing.
    void SetWaitGate(std::function<bool()> gate) { wait_gate_ = std::move(gate); }

  private:
    struct Scheduled {
        std::variant<HostEvent, std::function<void()>> what;
    };
    using Key = std::pair<double, uint64_t>;

    void Schedule(double at_ms, Scheduled item);
    void StopAtLimit();

    double now_ms_ = 0;
    int64_t calendar_seconds_ = 0;
    int screen_width_ = 1024;
    int screen_height_ = 768;
    std::map<Key, Scheduled> script_;
    uint64_t next_seq_ = 0;

    std::map<HostWindowId, WindowRecord> windows_;
    HostWindowId next_window_ = 1;
    bool text_input_ = false;
    HostWindowId focused_ = 0;

    std::vector<PlayedSound> sounds_;
    std::vector<double> stop_times_;
    std::vector<double> sleeps_;
    bool keep_pixels_ = true;

    double limit_ms_;
    std::function<void()> at_limit_;
    std::function<bool()> wait_gate_;
};

}  // namespace platform::headless
