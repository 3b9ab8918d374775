// The real machine: SDL windows on the screen, the keyboard, the mouse and the speaker.
// Pixels reach the screen through each window's own SDL surface (no renderer). Where that
// surface has the window system's own pixel format, the window's surface draws straight into
// it, and presenting only tells the X server which boxes changed; elsewhere presenting copies
// the changed boxes. Windows may be shown magnified by a whole number (a dense screen, the
// scale keys) and the main window fullscreen between black bars; the window system never
// learns either, as a program of the game's age never learns the system's display scaling.
#pragma once

#include <SDL.h>

#include <cstdio>
#include <deque>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "event_translator.h"
#include "gamepad_input.h"
#include "platform/core/stoppable_clock.h"
#include "platform/host.h"
#include "screen_loan.h"
#include "sdl_audio.h"
#include "viewport.h"

namespace platform::sdl {

class SdlHost final : public Host {
  public:
    // Starts SDL's video and events (and audio when there is a device); nullptr with the reason
    // in *problem when there is no screen to open windows on, or another host is live.
    static std::unique_ptr<SdlHost> Create(std::string* problem);
    ~SdlHost() override;
    SdlHost(const SdlHost&) = delete;
    SdlHost& operator=(const SdlHost&) = delete;

    double NowMs() override;
    int64_t CalendarSeconds() override;
    bool WaitEvent(double deadline_ms, HostEvent* event) override;
    void Sleep(double ms) override;

    HostWindowId CreateWindow(const HostWindowParams& spec) override;
    void DestroyWindow(HostWindowId window) override;
    void ShowWindow(HostWindowId window, HostShow show) override;
    void SetTitle(HostWindowId window, const std::string& title) override;
    void Present(HostWindowId window, Surface& pixels) override;
    void Focus(HostWindowId window) override;
    void ScreenSize(int* width, int* height) override;

    void PlaySound(const SoundClip& clip) override;
    void StopSound() override;

    // For tests and tools: the SDL window behind a host window, the speaker, and the scale
    // of windows that are not fullscreen.
    SDL_Window* SdlWindow(HostWindowId window) const;
    const SdlAudio& audio() const { return *audio_; }
    int scale() const { return scale_; }

  private:
    struct SdlWindowCloser {
        void operator()(SDL_Window* window) const { SDL_DestroyWindow(window); }
    };
    using SdlWindowHandle = std::unique_ptr<SDL_Window, SdlWindowCloser>;

    struct Window {
        // First, so it goes last: the loan ends before SDL's image does.
        SdlWindowHandle handle;
        HostWindowId owner = 0;
        bool visible = false;
        // The SDL surface holds every pixel presented so far; false after SDL made a new one
        // (a size change), so the next present copies the whole client area.
        bool complete = false;
        SDL_Surface* surface = nullptr;  // SDL's, valid until the next size change
        ScreenLoan loan;  // the window system's surface drawing in SDL's image, if any
        // As the window system knows it: the one record of the size, the viewport's source.
        int client_width = 0;
        int client_height = 0;
        bool fullscreen = false;
        bool minimized = false;         // as SDL last told
        SDL_Point windowed_position{};  // where it was before fullscreen

        SDL_Window* sdl() const { return handle.get(); }
    };

    // What moved a window's layout; Relayout does what each one asks of SDL.
    enum class LayoutChange {
        kOpened,               // SDL made it where it asked to be, at its size
        kPlacedAsAsked,        // the first window, once its screen has told the scale
        kRescaled,             // the host's scale changed
        kFullscreenToggled,    // the record's fullscreen flag flipped
        kSizedBySdl,           // SDL reports a size: the user's, a maximise, or the host's own
        kSizedByWindowSystem,  // the window system presented a surface of another size
    };

    SdlHost();
    Window* Find(HostWindowId window);
    void Take(const SDL_Event& event);
    double MachineMs() const;
    void StopTimeWhileUnseen();
    void Deliver(const HostEvent& event);
    void WaitForInput(double ms);
    void Obey(HostCommand command);
    void SetScale(int scale);
    int LargestScale() const;
    void ToggleFullscreen(HostWindowId id);
    HostWindowId MainWindowOf(HostWindowId id);
    // `given` is the asked position (kPlacedAsAsked) or the new size (kSizedBy...).
    void Relayout(HostWindowId id, Window& window, LayoutChange change, SDL_Point given = {});
    Viewport ViewportOf(const Window& window, SDL_Point sdl_size) const;
    void SizeAtScale(Window& window);
    void CoverScreen(Window& window);
    void UncoverScreen(Window& window);
    bool TakeSdlSize(Window& window, SDL_Point sdl_size);
    void CentreOverOwner(const Window& window);
    void GiveFocus(const Window& window);
    void ReturnFocusToOwner(const Window& window);
    bool PresentLent(Window& window, Surface& pixels);
    void CopyToScreen(Window& window, SDL_Surface* target, const Surface& pixels,
                      const Viewport& view);
    void CopyScaledBox(SDL_Surface* target, const Surface& pixels, const SDL_Rect& box,
                       const Viewport& view);

    uint64_t counter_start_ = 0;
    StoppableClock clock_;
    double ms_per_count_ = 0;
    HostWindowId next_id_ = 1;
    std::map<HostWindowId, Window> windows_;
    WindowDirectory directory_;
    EventTranslator translator_{directory_};
    std::deque<HostEvent> pending_;
    std::unique_ptr<SdlAudio> audio_;
    int display_fd_ = -1;  // the X connection, once a window shows there is one
    GamepadInput gamepads_;
    int scale_ = 1;                     // of every window that is not fullscreen
    int density_scale_ = 0;             // what the screen asks for; 0 until the first window opens
    std::vector<uint32_t> scaled_row_;  // one magnified row, for formats other than the window's
    // Set through ZF_FRAME_LOG: one line per present, "milliseconds window", for measuring.
    std::FILE* frame_log_ = nullptr;
};

}  // namespace platform::sdl
