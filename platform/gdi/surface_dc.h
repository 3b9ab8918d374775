// The window system's way in: DCs over a window's pixels, and bitmaps made from or read as
// plain pixels.
#pragma once

#include <cstdint>

#include "platform/core/surface.h"
#include "platform/win32.h"

namespace platform::gdi {

// A DC drawing on a window's pixels: device (0, 0) lies at `origin` in the surface and nothing is
// drawn outside `clip` (surface coordinates). DeleteDC frees it; it never owns the surface.
HDC CreateSurfaceDC(Surface* surface, POINT origin, RECT clip);
// A 32-bit bitmap from 0x00RRGGBB pixels, top row first (LoadBitmapA builds its bitmaps with it).
HBITMAP CreateBitmapFromPixels(int width, int height, const uint32_t* pixels);
// A bitmap's pixels (picture controls, tests); nullptr for a bad handle.
const Surface* BitmapSurface(HBITMAP bitmap);

}  // namespace platform::gdi
