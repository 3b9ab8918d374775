// Lines: the pen's Bresenham walk, MoveToEx and LineTo.
#include <cstdlib>

#include "platform/gdi/access.h"
#include "platform/gdi/tools.h"

namespace platform::gdi {

PenTool PenOf(const DeviceContext& dc, const Canvas& canvas) {
    PenTool tool;
    const PenObject* pen = Handles().Get<PenObject>(dc.pen, ObjectKind::kPen);
    if (!pen || pen->style == PenObject::Style::kNull) return tool;
    tool.visible = true;
    tool.width = pen->width;
    tool.ink = canvas.Ink(pen->colour);
    return tool;
}

BrushTool BrushFromHandle(HBRUSH handle, const Canvas& canvas, bool* valid) {
    BrushTool tool;
    const BrushObject* brush = Lookup<BrushObject>(handle, ObjectKind::kBrush);
    if (valid) *valid = brush != nullptr;
    if (!brush || brush->style == BrushObject::Style::kNull) return tool;
    tool.visible = true;
    tool.ink = canvas.Ink(brush->colour);
    return tool;
}

BrushTool BrushOf(const DeviceContext& dc, const Canvas& canvas) {
    return BrushFromHandle(HandleOf<HBRUSH>(dc.brush), canvas, nullptr);
}

void DrawLine(Canvas& canvas, const PenTool& pen, int64_t x1, int64_t y1, int64_t x2, int64_t y2) {
    int64_t dx = x2 - x1, dy = y2 - y1;
    if (!pen.visible || (dx == 0 && dy == 0)) return;
    bool x_major = std::llabs(dx) > std::llabs(dy);  // ties step along y
    int bias =
        ((dy > 0 && dx <= 0 && !x_major) || (dy <= 0 && dx < 0) || (dy <= 0 && dx >= 0 && x_major))
            ? 1
            : 0;
    int64_t major = x_major ? std::llabs(dx) : std::llabs(dy);
    int64_t minor = x_major ? std::llabs(dy) : std::llabs(dx);
    int64_t major_step = (x_major ? dx : dy) < 0 ? -1 : 1;
    int64_t minor_step = (x_major ? dy : dx) < 0 ? -1 : 1;
    int64_t major_start = x_major ? x1 : y1;
    int64_t minor_start = x_major ? y1 : x1;

    // Walk only the pixels whose major coordinate can reach the clip.
    const Box& clip = canvas.clip();
    int64_t margin = pen.width;
    int64_t lo = (x_major ? clip.left - canvas.origin_x() : clip.top - canvas.origin_y()) - margin;
    int64_t hi =
        (x_major ? clip.right - canvas.origin_x() : clip.bottom - canvas.origin_y()) + margin;
    int64_t first = major_step > 0 ? lo - major_start : major_start - hi + 1;
    int64_t last = major_step > 0 ? hi - major_start : major_start - lo + 1;  // exclusive
    if (first < 0) first = 0;
    if (last > major) last = major;
    if (first >= last) return;

    // Minor steps taken before pixel i: ceil((2 minor i - major + bias) / (2 major)).
    __int128 numerator = static_cast<__int128>(2 * minor) * first - major + bias;
    __int128 steps = numerator <= 0 ? 0 : (numerator + 2 * major - 1) / (2 * major);
    int64_t error =
        static_cast<int64_t>(2 * minor - major + static_cast<__int128>(2 * minor) * first -
                             static_cast<__int128>(2 * major) * steps);
    int64_t m = static_cast<int64_t>(steps);
    for (int64_t i = first; i < last; ++i) {
        int64_t a = major_start + major_step * i;
        int64_t b = minor_start + minor_step * m;
        if (x_major) {
            pen.Plot(canvas, a, b);
        } else {
            pen.Plot(canvas, b, a);
        }
        if (error + bias > 0) {
            ++m;
            error += 2 * minor - 2 * major;
        } else {
            error += 2 * minor;
        }
    }
}

}  // namespace platform::gdi

using namespace platform;
using namespace platform::gdi;

BOOL WINAPI MoveToEx(HDC hdc, int x, int y, LPPOINT previous) {
    DeviceContext* dc = LookupDc(hdc);
    if (!dc) return FALSE;
    if (previous) *previous = dc->position;
    dc->position = {x, y};
    return TRUE;
}

BOOL WINAPI LineTo(HDC hdc, int x, int y) {
    DeviceContext* dc = LookupDc(hdc);
    if (!dc) return FALSE;
    Canvas canvas(*dc);
    DrawLine(canvas, PenOf(*dc, canvas), dc->position.x, dc->position.y, x, y);
    dc->position = {x, y};
    return TRUE;
}
