// The browser: one canvas is the screen, on which the host composites every top-level window
// with the frame the window system drew for it; keys and mouse come from the page, time from
// its monotonic clock, sound from Web Audio. Waiting suspends the program (ASYNCIFY) until a
// page event or the deadline, so nested modal loops wait exactly as on the desktop.
#pragma once

#include <cstdint>
#include <deque>
#include <map>
#include <memory>
#include <set>
#include <string>
#include <vector>

#include "gamepad_poll.h"
#include "platform/core/stoppable_clock.h"
#include "platform/host.h"
#include "touch_gestures.h"

namespace platform::web {

// The page's touch events, in their order.
enum class TouchPhase { kStart, kMove, kEnd, kCancel };
// What a key did: went down (or repeated), came up, or typed a character.
enum class HostKeyStroke { kDown, kUp, kCharacter };

class WebHost final : public Host {
  public:
    // The screen: the main window's outer size, which fills it.
    static constexpr int kScreenWidth = 800;
    static constexpr int kScreenHeight = 600;

    // Sizes the canvas and starts listening to the page; one host per page.
    WebHost();
    ~WebHost() override;
    WebHost(const WebHost&) = delete;
    WebHost& operator=(const WebHost&) = delete;

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
    bool WantsFrames() const override { return true; }
    void SetFrame(HostWindowId window, const HostFrame& frame) override;
    void SetTextInput(bool active) override;

    void PlaySound(const SoundClip& clip) override;
    void StopSound() override;

    // Called by the page's event handlers: they only queue, never draw or wait.
    void KeyDown(int virtual_key, bool repeat, bool shift);
    void KeyUp(int virtual_key);
    void Character(int character);
    void Mouse(HostEventType type, MouseButton button, int screen_x, int screen_y);
    // A finger at a point of the page (not of the screen): taps, long presses and swipes.
    void Touch(TouchPhase phase, int finger, double page_x, double page_y);
    // Whether the host keeps this stroke for itself (Alt+Enter, F11: fullscreen and back).
    bool TakeHostKey(HostKeyStroke stroke, int virtual_key, bool alt);
    // The page was hidden (another tab, a minimised browser, a locked phone) or shown again.
    void PageHidden(bool hidden);

  private:
    struct Window {
        HostWindowParams params;
        int x = 0;  // outer top-left on the screen
        int y = 0;
        bool visible = false;
        Surface blank;                       // the client area until its first present
        const Surface* presented = nullptr;  // the window system's own, once presented
        int presented_width = 0, presented_height = 0;
        const Surface& client() const { return presented ? *presented : blank; }
        HostFrame frame;
    };
    struct Box {
        int left, top, right, bottom;
    };

    Window* Find(HostWindowId id);
    Box Outer(const Window& window) const;
    bool Covers(const Window& window, Box box) const;
    void Place(Window& window);
    void Raise(HostWindowId id);
    void Compose(Box box);
    // True when a pixel of the screen changed.
    bool ComposeWindow(const Window& window, Box box);
    // Notes a composed box for the canvas; ShowChanges copies every noted box there.
    void MarkShown(Box box);
    void ShowChanges();
    HostWindowId WindowAt(int x, int y) const;
    void Queue(const HostEvent& event);
    void ListWindows();
    void Perform(const std::vector<TouchAction>& actions);
    void KeepAwakeWhilePlaying(double deadline_ms);
    void PollPads(double now);
    void PerformPad(const PadAction& action);

    double start_ms_ = 0;
    HostWindowId next_id_ = 1;
    std::map<HostWindowId, Window> windows_;
    std::vector<HostWindowId> z_order_;  // bottom first
    HostWindowId keyboard_ = 0;
    HostWindowId mouse_owner_ = 0;  // the window a held button belongs to
    int buttons_down_ = 0;
    bool frame_press_ = false;  // the held button went down on a frame, not a client area
    TouchGestures touch_;
    GamepadPoll pads_;
    StoppableClock clock_;
    bool awake_ = false;  // the screen is held awake
    std::set<int> host_keys_held_;
    double last_tick_wait_ms_ = -1e9;
    std::deque<HostEvent> pending_;
    static constexpr uint32_t kDesktop = 0xff808000;  // teal, as the canvas takes it (0xAABBGGRR)
    std::vector<uint32_t> screen_;                    // RGBA as the canvas takes it
    std::vector<Box> shown_;                          // composed, not yet on the canvas
};

}  // namespace platform::web
