// Writes a surface as a PNG picture (colour or monochrome), optionally enlarged so that tiny
// test images can be looked at.
#pragma once

#include <string>

#include "platform/core/surface.h"

namespace png {

// Each pixel becomes a scale x scale block. False when the file cannot be written.
bool WritePng(const std::string& path, const platform::Surface& surface, int scale = 1);

}  // namespace png
