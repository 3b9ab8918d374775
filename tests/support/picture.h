// Pixel-exact checks against small pictures drawn in characters, one character per pixel, each
// naming a colour through a legend. A mismatch writes the actual and the expected image as PNG
// files and says where they are.
#pragma once

#include <gtest/gtest.h>

#include <cstdint>
#include <map>
#include <string>
#include <vector>

#include "platform/core/surface.h"

namespace test_support {

using Legend = std::map<char, uint32_t>;  // character -> 0x00RRGGBB (mono: 0 or 0xFFFFFF)
using Picture = std::vector<std::string>;

// Compares the surface's pixels at (left, top) and onwards with `picture`.
::testing::AssertionResult MatchesPicture(const platform::Surface& surface, int left, int top,
                                          const Picture& picture, const Legend& legend);

// The surface region drawn back in the legend's characters ('?' for colours it lacks).
Picture Describe(const platform::Surface& surface, int left, int top, int width, int height,
                 const Legend& legend);

// Where failure images go: a folder beside the test binary's working directory.
std::string FailureImagePath(const std::string& suffix);

}  // namespace test_support
