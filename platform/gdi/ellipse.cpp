// Ellipse: a midpoint walk over the upper-right quarter, mirrored into the other three, the
// brush spanning each row between its outline pixels and the pen drawn over it.
#include <functional>
#include <utility>

#include "platform/gdi/access.h"
#include "platform/gdi/tools.h"

namespace platform::gdi {

namespace {

// Past this the walk's squares would overflow; no window comes near it.
constexpr int64_t kMaxEllipseSide = int64_t{1} << 20;

// Calls row(y, x_low, x_high) once for each quarter row y (counted up from the box's bottom
// row, starting at the middle) with the run of outline columns the walk visits in it.
void WalkQuarter(int64_t width, int64_t height,
                 const std::function<void(int64_t, int64_t, int64_t)>& row) {
    const int64_t a = width - 1, b = height - 1;
    const int64_t step_x = 8 * b * b, step_y = 8 * a * a;
    int64_t dx = 4 * b * b * (1 - a);
    int64_t dy = 4 * a * a * (1 + (b & 1));
    int64_t err = dx + dy + a * a * (b & 1);
    int64_t x = a, y = height / 2;
    int64_t run_y = y, run_low = x, run_high = x;
    while (x >= width / 2) {
        if (y != run_y) {
            row(run_y, run_low, run_high);
            run_y = y, run_low = x, run_high = x;
        }
        run_low = std::min(run_low, x);
        run_high = std::max(run_high, x);
        int64_t e2 = 2 * err;
        int64_t dy_before = dy;
        if (e2 >= dx) x -= 1, dx += step_x, err += dx;
        if (e2 <= dy_before) y += 1, dy += step_y, err += dy;
    }
    row(run_y, run_low, run_high);
    // A tall, narrow ellipse can run out of columns before it reaches the box's top and bottom
    // rows; finish its tips straight up so that it always touches all four sides.
    for (int64_t tip = run_y + 1; tip <= b; ++tip) row(tip, width / 2, width / 2);
}

void DrawEllipse(Canvas& canvas, const PenTool& pen, const BrushTool& brush, int64_t l, int64_t t,
                 int64_t r, int64_t b) {
    const int64_t width = r - l, height = b - t;
    // Each quarter row y stands for the screen rows t + height - 1 - y and its mirror t + y;
    // column x for l + x and its mirror l + width - 1 - x.
    auto for_both_rows = [&](int64_t y, const std::function<void(int64_t)>& draw) {
        draw(t + height - 1 - y);
        if (t + y != t + height - 1 - y) draw(t + y);
    };
    if (brush.visible) {
        WalkQuarter(width, height, [&](int64_t y, int64_t, int64_t high) {
            for_both_rows(y, [&](int64_t py) {
                canvas.FillSpan(py, l + width - 1 - high, l + high + 1, brush.ink);
            });
        });
    }
    if (pen.visible) {
        WalkQuarter(width, height, [&](int64_t y, int64_t low, int64_t high) {
            for_both_rows(y, [&](int64_t py) {
                for (int64_t x = low; x <= high; ++x) {
                    pen.Plot(canvas, l + x, py);
                    pen.Plot(canvas, l + width - 1 - x, py);
                }
            });
        });
    }
}

}  // namespace

}  // namespace platform::gdi

using namespace platform;
using namespace platform::gdi;

BOOL WINAPI Ellipse(HDC hdc, int left, int top, int right, int bottom) {
    DeviceContext* dc = LookupDc(hdc);
    if (!dc) return FALSE;
    Canvas canvas(*dc);
    PenTool pen = PenOf(*dc, canvas);
    BrushTool brush = BrushOf(*dc, canvas);
    int64_t l = left, t = top, r = right, b = bottom;
    if (l > r) std::swap(l, r);
    if (t > b) std::swap(t, b);
    if (l == r || t == b) return TRUE;
    if (r - l > kMaxEllipseSide || b - t > kMaxEllipseSide) return FALSE;
    if (r - l <= 2 || b - t <= 2) {
        DrawRectangle(canvas, pen, brush, l, t, r, b);
        return TRUE;
    }
    // Without a pen the brush fills the figure one pixel smaller, as Rectangle's does.
    if (!pen.visible) {
        if (r - l > 3 && b - t > 3) {
            DrawEllipse(canvas, pen, brush, l, t, r - 1, b - 1);
        } else {
            DrawRectangle(canvas, pen, brush, l, t, r, b);
        }
        return TRUE;
    }
    DrawEllipse(canvas, pen, brush, l, t, r, b);
    return TRUE;
}
