// An SDL host on SDL's dummy video and audio drivers, with one window shown and given the
// keyboard: what the tests of scaling and controllers start from.
#pragma once

#include <gtest/gtest.h>

#include <cstdlib>
#include <memory>
#include <string>

#include "platform/host/sdl/sdl_host.h"

namespace platform::sdl {

inline std::unique_ptr<SdlHost> StartDummyHost(int width, int height, HostWindowId* window) {
    setenv("SDL_VIDEODRIVER", "dummy", 1);
    setenv("SDL_AUDIODRIVER", "dummy", 1);
    std::string problem;
    std::unique_ptr<SdlHost> host = SdlHost::Create(&problem);
    EXPECT_TRUE(host) << problem;
    if (!host) return nullptr;
    *window = host->CreateWindow({.title = "Test", .client_width = width, .client_height = height});
    host->ShowWindow(*window, HostShow::kNormal);
    host->Focus(*window);
    return host;
}

}  // namespace platform::sdl
