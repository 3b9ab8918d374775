// Kept apart because SDL's window-system header brings in Xlib and its macros.
#include "display_connection.h"

#include <SDL_syswm.h>
#include <poll.h>

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <cstring>
#include <ctime>

namespace platform::sdl {

namespace {
constexpr double kForeverMs = 1e12;  // about thirty years
}  // namespace

int DisplayConnectionFd(SDL_Window* window) {
#if defined(SDL_VIDEO_DRIVER_X11)
    SDL_SysWMinfo info;
    SDL_VERSION(&info.version);
    if (window && SDL_GetWindowWMInfo(window, &info) && info.subsystem == SDL_SYSWM_X11)
        return ConnectionNumber(info.info.x11.display);
#else
    (void)window;
#endif
    return -1;
}

double XftDpiIn(const char* resources) {
    static constexpr char kName[] = "Xft.dpi:";
    for (const char* line = resources; line && *line;) {
        if (std::strncmp(line, kName, sizeof kName - 1) == 0)
            return std::max(0.0, std::strtod(line + sizeof kName - 1, nullptr));
        line = std::strchr(line, '\n');
        if (line) ++line;
    }
    return 0;
}

double ScreenDotsPerInch(SDL_Window* window) {
#if defined(SDL_VIDEO_DRIVER_X11)
    SDL_SysWMinfo info;
    SDL_VERSION(&info.version);
    if (window && SDL_GetWindowWMInfo(window, &info) && info.subsystem == SDL_SYSWM_X11) {
        ::Display* display = info.info.x11.display;
        if (double xft = XftDpiIn(XResourceManagerString(display)); xft > 0) return xft;
        float horizontal = 0;
        if (SDL_GetDisplayDPI(SDL_GetWindowDisplayIndex(window), nullptr, &horizontal, nullptr) ==
                0 &&
            horizontal > 0)
            return horizontal;
        int screen = DefaultScreen(display);
        if (DisplayWidthMM(display, screen) > 0)
            return DisplayWidth(display, screen) * 25.4 / DisplayWidthMM(display, screen);
    }
#else
    (void)window;
#endif
    return 96;
}

void WaitForReadable(int fd, double ms) {
    if (ms <= 0) return;
    pollfd connection{.fd = fd, .events = POLLIN, .revents = 0};
    if (!std::isfinite(ms) || ms > kForeverMs) {
        ppoll(&connection, 1, nullptr, nullptr);  // no timer runs: wait for input or a signal
        return;
    }
    double whole = std::floor(ms / 1000);
    timespec timeout{.tv_sec = static_cast<time_t>(whole),
                     .tv_nsec = static_cast<long>((ms - whole * 1000) * 1e6)};
    ppoll(&connection, 1, &timeout, nullptr);
}

}  // namespace platform::sdl
