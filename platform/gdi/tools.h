// The selected pen and brush of a DC, resolved for one drawing call, and the line rasteriser
// that Polygon and LineTo share.
#pragma once

#include <cstdint>

#include "platform/gdi/canvas.h"

namespace platform::gdi {

struct PenTool {
    bool visible = false;
    int width = 1;
    uint32_t ink = 0;

    // A wide pen is a square of its width centred on the point.
    void Plot(Canvas& canvas, int64_t x, int64_t y) const {
        int64_t half = width / 2;
        canvas.FillDeviceBox(x - half, y - half, x - half + width, y - half + width, ink);
    }
};

struct BrushTool {
    bool visible = false;
    uint32_t ink = 0;
};

PenTool PenOf(const DeviceContext& dc, const Canvas& canvas);
BrushTool BrushOf(const DeviceContext& dc, const Canvas& canvas);
BrushTool BrushFromHandle(HBRUSH brush, const Canvas& canvas, bool* valid);

// Rectangle's rule: the pen rings the box's outermost pixels, the brush fills inside.
void DrawRectangle(Canvas& canvas, const PenTool& pen, const BrushTool& brush, int64_t l, int64_t t,
                   int64_t r, int64_t b);

// From (x1, y1) up to but not including (x2, y2), with the bias rule for which of two equally
// near pixels is taken, so a line and its reverse cover the same pixels but for the ends.
void DrawLine(Canvas& canvas, const PenTool& pen, int64_t x1, int64_t y1, int64_t x2, int64_t y2);

}  // namespace platform::gdi
