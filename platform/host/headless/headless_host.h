// A host without a display or real time. The clock moves only when a test moves it, when the
// program waits for a deadline, or when it sleeps, so timers fire exactly on time and every
// run is the same. Input is scripted at virtual times; windows' pixels, titles and the
// sounds played are recorded; modal windows are answered by responders as they appear.
#pragma once

#include <condition_variable>
#include <cstdint>
#include <functional>
#include <map>
#include <mutex>
#include <string>
#include <utility>
#include <variant>
#include <vector>

#include "platform/host.h"
#include "platform/win32.h"

namespace platform::headless {

class ModalWindow;

class HeadlessHost : public Host {
  public:
    HeadlessHost();
    ~HeadlessHost() override;

    // --- Host ---
    double NowMs() override;
    int64_t CalendarSeconds() override;
    bool WaitEvent(double deadline_ms, HostEvent* event) override;
    void Sleep(double ms) override;
    HostWindowId CreateWindow(const HostWindowSpec& params) override;
    void DestroyWindow(HostWindowId window) override;
    void ShowWindow(HostWindowId window, HostShow show) override;
    void SetTitle(HostWindowId window, const std::string& title) override;
    void Present(HostWindowId window, Surface& pixels) override;
    void Focus(HostWindowId window) override;
    void ScreenSize(int* width, int* height) override;
    void PlaySound(const SoundClip& clip) override;
    void StopSound() override;

    // --- Clocks ---
    void SetCalendarSeconds(int64_t seconds);
    void SetScreenSize(int width, int height);

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

    // --- Answers to modal windows (pop-ups and owned windows) as they are shown ---
    using Responder = std::function<void(ModalWindow&)>;
    enum class Times { kOnce, kEvery };
    // An empty title answers any modal window. The first matching responder is used.
    void Answer(const std::string& title, Responder responder, Times times = Times::kOnce);
    // Titles of the modal windows that were shown, in order, answered or not.
    const std::vector<std::string>& modal_titles() const { return modal_titles_; }

    // --- What the program did ---
    struct WindowRecord {
        HostWindowSpec params;
        std::string title;
        HostShow show = HostShow::kHidden;
        bool alive = true;
        int presents = 0;
        Surface presented;  // the pixels as last presented
    };
    const WindowRecord* Window(HostWindowId window) const;
    HostWindowId focused() const { return focused_; }
    // The window created last with this title that still exists; 0 when none.
    HostWindowId FindWindow(const std::string& title) const;

    struct PlayedSound {
        std::string name;
        double at_ms;
        double duration_ms;
    };
    const std::vector<PlayedSound>& sounds() const { return sounds_; }
    int stops() const { return stops_; }
    // Drops the records of windows that are gone, the sounds played and the modal titles, so
    // that a run of hours keeps only what is still on the screen.
    void ForgetHistory();
    // Whether a present keeps a copy of the pixels (WindowRecord::presented) for a test to read;
    // a run that never reads them saves the copying. On unless turned off.
    void KeepPresentedPixels(bool keep) { keep_pixels_ = keep; }

    // --- Running a program on its own thread (see ProgramRunner) ---
    // The program stops at `limit_ms`: it waits there until Resume is called.
    void SetLimit(double limit_ms) { limit_ms_ = limit_ms; }
    // From the test's thread: gives the program its turn (starting its thread through `start`
    // the first time) and waits until it stops at its limit or finishes.
    void GiveProgramTurn(const std::function<void()>& start);
    void ProgramFinished();
    // Makes every later wait of the program post WM_QUIT, so it ends.
    void RequestQuit(bool quit = true) { quitting_ = quit; }

  private:
    struct Scheduled {
        std::variant<HostEvent, std::function<void()>> what;
    };
    using Key = std::pair<double, uint64_t>;

    void Schedule(double at_ms, Scheduled item);
    void Park();
    void AnswerModal(HostWindowId window);

    double now_ms_ = 0;
    int64_t calendar_seconds_ = 0;
    int screen_width_ = 1024;
    int screen_height_ = 768;
    std::map<Key, Scheduled> script_;
    uint64_t next_seq_ = 0;

    std::map<HostWindowId, WindowRecord> windows_;
    HostWindowId next_window_ = 1;
    HostWindowId focused_ = 0;

    struct Answerer {
        std::string title;
        Responder responder;
        Times times;
    };
    std::vector<Answerer> answerers_;
    std::vector<std::string> modal_titles_;

    std::vector<PlayedSound> sounds_;
    int stops_ = 0;
    bool keep_pixels_ = true;

    // Hand-over between the test's thread and a program's thread: only one runs at a time.
    double limit_ms_;
    bool quitting_ = false;
    std::mutex mutex_;
    std::condition_variable turn_changed_;
    enum class Turn { kTest, kProgram } turn_ = Turn::kTest;
};

// What a responder gets: the modal window, and ways to answer it after some virtual time.
class ModalWindow {
  public:
    ModalWindow(HeadlessHost& host, HostWindowId window, HWND hwnd, std::string title)
        : host_(host), window_(window), hwnd_(hwnd), title_(std::move(title)) {}

    const std::string& title() const { return title_; }
    HWND hwnd() const { return hwnd_; }
    HostWindowId host_window() const { return window_; }
    double now() const { return host_.NowMs(); }

    // Clicks the child button with this control id, or whose caption (without '&') matches.
    void PressButton(int control_id, double after_ms = 0);
    void PressButton(const std::string& caption, double after_ms = 0);
    void PressKey(int virtual_key, double after_ms = 0, bool shift = false);
    void TypeText(const std::string& text, double after_ms = 0);
    void RequestClose(double after_ms = 0);

  private:
    void ClickChild(HWND child, double after_ms);

    HeadlessHost& host_;
    HostWindowId window_;
    HWND hwnd_;
    std::string title_;
};

}  // namespace platform::headless
