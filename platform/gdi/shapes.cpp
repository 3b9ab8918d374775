// Rectangles, FillRect, DrawFocusRect and single pixels.
#include <utility>

#include "platform/gdi/access.h"
#include "platform/gdi/colour.h"
#include "platform/gdi/tools.h"

namespace platform::gdi {

namespace {

// Half-open device coordinates, wide enough for any logical ones.
struct DeviceBox {
    int64_t left, top, right, bottom;
};

// Fills what of `outer` lies outside `inner` (all of it when `inner` is empty), as up to four
// bands; `inner` lies within `outer`.
void FillOutside(Canvas& canvas, const DeviceBox& outer, const DeviceBox& inner, uint32_t ink) {
    if (inner.left >= inner.right || inner.top >= inner.bottom) {
        canvas.FillDeviceBox(outer.left, outer.top, outer.right, outer.bottom, ink);
        return;
    }
    canvas.FillDeviceBox(outer.left, outer.top, outer.right, inner.top, ink);
    canvas.FillDeviceBox(outer.left, inner.bottom, outer.right, outer.bottom, ink);
    canvas.FillDeviceBox(outer.left, inner.top, inner.left, inner.bottom, ink);
    canvas.FillDeviceBox(inner.right, inner.top, outer.right, inner.bottom, ink);
}

}  // namespace

// The pen rings [l, r - 1] x [t, b - 1] (widened about that line for a wide pen) and the brush
// fills inside it; without a pen the brush covers [l, r - 2] x [t, b - 2].
void DrawRectangle(Canvas& canvas, const PenTool& pen, const BrushTool& brush, int64_t l, int64_t t,
                   int64_t r, int64_t b) {
    if (l > r) std::swap(l, r);
    if (t > b) std::swap(t, b);
    if (l == r || t == b) return;
    if (!pen.visible) {
        if (brush.visible) canvas.FillDeviceBox(l, t, r - 1, b - 1, brush.ink);
        return;
    }
    if (brush.visible) canvas.FillDeviceBox(l + 1, t + 1, r - 1, b - 1, brush.ink);
    int64_t half = pen.width / 2;
    int64_t w = pen.width;
    DeviceBox outer{l - half, t - half, r - 1 - half + w, b - 1 - half + w};
    DeviceBox inner{outer.left + w, outer.top + w, r - 1 - half, b - 1 - half};
    FillOutside(canvas, outer, inner, pen.ink);
}

}  // namespace platform::gdi

using namespace platform;
using namespace platform::gdi;

BOOL WINAPI Rectangle(HDC hdc, int left, int top, int right, int bottom) {
    DeviceContext* dc = LookupDc(hdc);
    if (!dc) return FALSE;
    Canvas canvas(*dc);
    DrawRectangle(canvas, PenOf(*dc, canvas), BrushOf(*dc, canvas), left, top, right, bottom);
    return TRUE;
}

int WINAPI FillRect(HDC hdc, const RECT* rect, HBRUSH brush) {
    DeviceContext* dc = LookupDc(hdc);
    if (!dc || !rect) return 0;
    Canvas canvas(*dc);
    bool valid = false;
    BrushTool tool = BrushFromHandle(brush, canvas, &valid);
    if (!valid) return 0;
    if (tool.visible)
        canvas.FillDeviceBox(rect->left, rect->top, rect->right, rect->bottom, tool.ink);
    return 1;
}

// Inverts every other pixel of the rectangle's border (those whose x + y is even), so a second
// call with the same rectangle takes the frame away again.
BOOL WINAPI DrawFocusRect(HDC hdc, const RECT* rect) {
    DeviceContext* dc = LookupDc(hdc);
    if (!dc || !rect) return FALSE;
    Canvas canvas(*dc);
    int64_t l = rect->left, t = rect->top, r = rect->right, b = rect->bottom;
    if (l >= r || t >= b) return TRUE;
    auto dot = [&](int64_t x, int64_t y) {
        if (((x + y) & 1) == 0) canvas.Invert(x, y);
    };
    for (int64_t x = l; x < r; ++x) {
        dot(x, t);
        if (b - 1 > t) dot(x, b - 1);
    }
    for (int64_t y = t + 1; y < b - 1; ++y) {
        dot(l, y);
        if (r - 1 > l) dot(r - 1, y);
    }
    return TRUE;
}

COLORREF WINAPI GetPixel(HDC hdc, int x, int y) {
    DeviceContext* dc = LookupDc(hdc);
    if (!dc) return CLR_INVALID;
    Canvas canvas(*dc);
    Box box = canvas.ToSurface(x, y, int64_t{x} + 1, int64_t{y} + 1);
    if (box.Empty()) return CLR_INVALID;
    const Surface& s = canvas.surface();
    if (s.IsMono()) return s.Bit(box.left, box.top) ? 0xFFFFFF : 0x000000;
    return ColorRefFromRgb(s.Pixel(box.left, box.top));
}

// Returns the colour actually set: on a monochrome bitmap, black or white.
COLORREF WINAPI SetPixel(HDC hdc, int x, int y, COLORREF color) {
    DeviceContext* dc = LookupDc(hdc);
    if (!dc) return CLR_INVALID;
    Canvas canvas(*dc);
    Box box = canvas.ToSurface(x, y, int64_t{x} + 1, int64_t{y} + 1);
    if (box.Empty()) return CLR_INVALID;
    uint32_t ink = canvas.Ink(color);
    canvas.FillBox(box, ink);
    if (canvas.IsMono()) return ink ? 0xFFFFFF : 0x000000;
    return color & 0x00FFFFFF;
}
