// The file descriptor of the display server connection behind SDL's windows, so the host can
// sleep on it directly.
#pragma once

#include <SDL.h>

namespace platform::sdl {

// -1 when the window is not on an X server (another video driver, or SDL's dummy one).
int DisplayConnectionFd(SDL_Window* window);

// Sleeps until the connection has something to read, a signal arrives or the time is up;
// an infinite time waits for the first two.
void WaitForReadable(int fd, double ms);

}  // namespace platform::sdl
