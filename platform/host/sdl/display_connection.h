// The display server behind SDL's windows: its connection, so the host can sleep on it
// directly, and the density of its screen.
#pragma once

#include <SDL.h>

namespace platform::sdl {

// -1 when the window is not on an X server (another video driver, or SDL's dummy one).
int DisplayConnectionFd(SDL_Window* window);

// The screen's dots per inch as the X server tells its programs: the Xft.dpi resource that
// desktops set for scaling, else SDL's figure, else the server's own size in millimetres.
// 96 elsewhere: a Wayland compositor scales whole windows by its output scale itself.
double ScreenDotsPerInch(SDL_Window* window);
// The value of "Xft.dpi:" in an X resource string, or 0 when it has none.
double XftDpiIn(const char* resources);

// Sleeps until the connection has something to read, a signal arrives or the time is up;
// an infinite time waits for the first two.
void WaitForReadable(int fd, double ms);

}  // namespace platform::sdl
