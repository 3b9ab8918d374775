// The pixels a DC draws on, seen through its origin and clip. Every rasteriser works the same
// way: translate to surface coordinates, clip here, return early when nothing is left, then
// write rows through FillRow.
#pragma once

#include <cstdint>

#include "platform/core/surface.h"
#include "platform/gdi/box.h"
#include "platform/gdi/objects.h"

namespace platform::gdi {

class Canvas {
  public:
    explicit Canvas(const DeviceContext& dc);

    Surface& surface() { return *surface_; }
    const Surface& surface() const { return *surface_; }
    bool IsMono() const { return surface_->IsMono(); }
    int origin_x() const { return origin_x_; }
    int origin_y() const { return origin_y_; }
    // In surface coordinates, inside the surface.
    const Box& clip() const { return clip_; }

    // The device box [left, right) x [top, bottom) in surface coordinates, clipped. Wide
    // coordinates so that far-off shapes cannot overflow.
    Box ToSurface(int64_t left, int64_t top, int64_t right, int64_t bottom) const;

    // The word a colour writes here (see InkFor).
    uint32_t Ink(COLORREF colour) const;

    // Device coordinates; these clip.
    void FillDeviceBox(int64_t left, int64_t top, int64_t right, int64_t bottom, uint32_t ink);
    void FillSpan(int64_t y, int64_t x0, int64_t x1, uint32_t ink) {
        FillDeviceBox(x0, y, x1, y + 1, ink);
    }
    void Plot(int64_t x, int64_t y, uint32_t ink) { FillDeviceBox(x, y, x + 1, y + 1, ink); }
    void Invert(int64_t x, int64_t y);

    // Surface coordinates; callers clip.
    void FillBox(const Box& box, uint32_t ink);

  private:
    Surface* surface_;
    int origin_x_;
    int origin_y_;
    Box clip_;
};

}  // namespace platform::gdi
