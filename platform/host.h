// What the window system needs from the machine it runs on: clocks, input, top-level windows
// on a screen and a speaker. The SDL host gives the real ones; the headless host gives a virtual
// clock and scripted input for tests. Nothing above the platform sees this interface.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

#include "platform/core/surface.h"

namespace platform {

using HostWindowId = uint32_t;  // 0 is no window

enum class HostShow { kHidden, kNormal, kMinimized, kMaximized };

struct HostWindowParams {
    std::string title;
    int client_width = 0;
    int client_height = 0;
    int x = 0;  // outer top-left on the screen, as created
    int y = 0;
    HostWindowId owner = 0;     // a dialog or message box is modal for its owner
    bool resizable = false;     // sizing border and maximise box
    bool has_close_box = true;  // without a system menu a close request is ignored
};

enum class HostEventType {
    kKeyDown,       // virtual_key, repeat, shift
    kKeyUp,         // virtual_key
    kChar,          // character (a byte)
    kButtonDown,    // button, x, y in client coordinates
    kButtonUp,      // button, x, y
    kMouseMove,     // x, y
    kCloseRequest,  // the close button, or the quit event / SIGTERM for the main window
    kResized,       // width, height: the new client size (also on maximise and restore)
    kMinimized,
    kRestored,     // back from minimised: the window wants repainting
    kExposed,      // uncovered: only the retained pixels need showing again
    kQuitRequest,  // the session is ending (the quit event, SIGTERM); no window is named
};

enum class MouseButton { kLeft, kRight, kMiddle };

struct HostEvent {
    HostEventType type = HostEventType::kKeyDown;
    HostWindowId window = 0;
    int virtual_key = 0;
    bool repeat = false;
    bool shift = false;
    int character = 0;
    MouseButton button = MouseButton::kLeft;
    int x = 0;
    int y = 0;
    int width = 0;
    int height = 0;
};

// 8-bit unsigned mono PCM, as the game's sounds are stored.
struct SoundClip {
    std::string name;
    int sample_rate = 0;
    const uint8_t* samples = nullptr;
    size_t sample_count = 0;

    double DurationMs() const {
        return sample_rate > 0 ? 1000.0 * static_cast<double>(sample_count) / sample_rate : 0.0;
    }
};

// The frame and title bar around a top-level window's client area, drawn by the window system for
// a host with no desktop of its own to draw them (the browser), as Win32 draws its non-client area.
struct HostFrame {
    Surface active;  // the outer rectangle with the title bar of the active window
    Surface inactive;
    int client_left = 0;  // where the client area lies within the outer rectangle
    int client_top = 0;
    int caption_bottom = 0;  // the title bar ends here (0: there is none)
    // The close box, empty when the window has none.
    int close_left = 0, close_top = 0, close_right = 0, close_bottom = 0;
};

class Host {
  public:
    virtual ~Host() = default;

    // A monotonic clock in milliseconds; every timer of the window system runs on it.
    virtual double NowMs() = 0;
    // The calendar clock in seconds since 1970, for the runtime's time().
    virtual int64_t CalendarSeconds() = 0;
    // Waits until an input event arrives (true, event filled) or until NowMs() reaches
    // deadline_ms (false). A deadline in the past only polls.
    virtual bool WaitEvent(double deadline_ms, HostEvent* event) = 0;
    // Lets time pass without taking events; they stay queued (a synchronous sound).
    virtual void Sleep(double ms) = 0;

    virtual HostWindowId CreateWindow(const HostWindowParams& params) = 0;
    virtual void DestroyWindow(HostWindowId window) = 0;
    virtual void ShowWindow(HostWindowId window, HostShow show) = 0;
    virtual void SetTitle(HostWindowId window, const std::string& title) = 0;
    // Shows the surface's dirty boxes (or all of it when nothing is marked) on the screen.
    // A host may lend the surface the screen's own memory to draw in (Surface::DrawIn), so
    // later presents copy nothing; it then gives the pixels back (Surface::DrawInOwnMemory)
    // before that memory goes, at DestroyWindow at the latest. The surface must therefore stay
    // where it is until the window is destroyed or another surface is presented there. The
    // host may mark a lent surface's whole area dirty (an expose).
    virtual void Present(HostWindowId window, Surface& pixels) = 0;
    // Raises the window and gives it the keyboard.
    virtual void Focus(HostWindowId window) = 0;
    virtual void ScreenSize(int* width, int* height) = 0;
    // True when the window system must draw the frames (SetFrame), false where a desktop does.
    virtual bool WantsFrames() const { return false; }
    // The window's frame, given when the window is made and again whenever its caption changes.
    virtual void SetFrame(HostWindowId /*window*/, const HostFrame& /*frame*/) {}
    // A text field took the keyboard (true) or gave it up (false). A host whose keyboard is on
    // the screen (a phone's) shows it only meanwhile.
    virtual void SetTextInput(bool /*active*/) {}

    // Starts a sound, stopping any that plays; returns at once.
    virtual void PlaySound(const SoundClip& clip) = 0;
    virtual void StopSound() = 0;
};

}  // namespace platform
