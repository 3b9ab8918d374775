// Device contexts: creation and deletion, object selection and the per-DC drawing state.
#include <cassert>
#include <memory>

#include "platform/gdi/access.h"
#include "platform/gdi/surface_dc.h"

namespace platform::gdi {

namespace {

HDC AddDc(std::unique_ptr<DeviceContext> dc) {
    GdiState& gdi = Gdi();
    dc->brush = gdi.Stock(WHITE_BRUSH);
    dc->pen = gdi.Stock(BLACK_PEN);
    dc->font = gdi.Stock(SYSTEM_FONT);
    return HandleOf<HDC>(gdi.handles().Add(ObjectKind::kDeviceContext, std::move(dc)));
}

Handle* SlotFor(DeviceContext& dc, ObjectKind kind) {
    switch (kind) {
        case ObjectKind::kBitmap:
            return &dc.bitmap;
        case ObjectKind::kBrush:
            return &dc.brush;
        case ObjectKind::kPen:
            return &dc.pen;
        case ObjectKind::kFont:
            return &dc.font;
        default:
            return nullptr;
    }
}

// A bitmap belongs to one memory DC at a time.
bool CanSelectBitmap(const DeviceContext& dc, Handle bitmap) {
    HandleTable& handles = Handles();
    if (dc.kind != DeviceContext::Kind::kMemory) return false;
    return bitmap == dc.bitmap || handles.IsStock(bitmap) || handles.Selections(bitmap) == 0;
}

}  // namespace

HDC CreateSurfaceDC(Surface* surface, POINT origin, RECT clip) {
    assert(surface && "a surface DC needs a surface");
    auto dc = std::make_unique<DeviceContext>();
    dc->kind = DeviceContext::Kind::kSurface;
    dc->surface = surface;
    dc->origin = origin;
    dc->clip = clip;
    return AddDc(std::move(dc));
}

}  // namespace platform::gdi

using namespace platform;
using namespace platform::gdi;

HDC WINAPI CreateCompatibleDC(HDC hdc) {
    if (hdc && !LookupDc(hdc)) return nullptr;
    auto dc = std::make_unique<DeviceContext>();
    Handle bitmap = Gdi().DefaultBitmap();
    dc->bitmap = bitmap;
    dc->surface = &Handles().Get<BitmapObject>(bitmap, ObjectKind::kBitmap)->surface;
    dc->clip = {0, 0, dc->surface->width, dc->surface->height};
    return AddDc(std::move(dc));
}

BOOL WINAPI DeleteDC(HDC hdc) {
    HandleTable& handles = Handles();
    std::unique_ptr<HandleTable::Object> object =
        handles.Remove(IdOf(hdc), ObjectKind::kDeviceContext);
    if (!object) return FALSE;
    auto& dc = static_cast<DeviceContext&>(*object);
    // Objects deleted while selected die here.
    for (Handle held : {dc.bitmap, dc.brush, dc.pen, dc.font}) {
        if (held) handles.Release(held);
    }
    return TRUE;
}

HGDIOBJ WINAPI SelectObject(HDC hdc, HGDIOBJ object) {
    DeviceContext* dc = LookupDc(hdc);
    HandleTable& handles = Handles();
    Handle id = IdOf(object);
    ObjectKind kind;
    if (!dc || !handles.KindOf(id, &kind)) return nullptr;
    Handle* slot = SlotFor(*dc, kind);
    if (!slot || handles.IsDeletePending(id)) return nullptr;
    if (kind == ObjectKind::kBitmap) {
        if (!CanSelectBitmap(*dc, id)) return nullptr;
        Surface& pixels = handles.Get<BitmapObject>(id, kind)->surface;
        dc->surface = &pixels;
        dc->clip = {0, 0, pixels.width, pixels.height};
    }
    Handle previous = *slot;
    if (previous == id) return object;
    *slot = id;
    handles.Retain(id);
    handles.Release(previous);  // last, because it may destroy the previous object
    return HandleOf<HGDIOBJ>(previous);
}

HGDIOBJ WINAPI GetCurrentObject(HDC hdc, UINT type) {
    DeviceContext* dc = LookupDc(hdc);
    if (!dc) return nullptr;
    switch (type) {
        case OBJ_PEN:
            return HandleOf<HGDIOBJ>(dc->pen);
        case OBJ_BRUSH:
            return HandleOf<HGDIOBJ>(dc->brush);
        case OBJ_FONT:
            return HandleOf<HGDIOBJ>(dc->font);
        case OBJ_BITMAP:
            return HandleOf<HGDIOBJ>(dc->bitmap);
        default:
            return nullptr;
    }
}

COLORREF WINAPI SetBkColor(HDC hdc, COLORREF color) {
    DeviceContext* dc = LookupDc(hdc);
    if (!dc) return CLR_INVALID;
    COLORREF previous = dc->bk_colour;
    dc->bk_colour = color & 0x00FFFFFF;
    return previous;
}

COLORREF WINAPI GetBkColor(HDC hdc) {
    DeviceContext* dc = LookupDc(hdc);
    return dc ? dc->bk_colour : CLR_INVALID;
}

COLORREF WINAPI SetTextColor(HDC hdc, COLORREF color) {
    DeviceContext* dc = LookupDc(hdc);
    if (!dc) return CLR_INVALID;
    COLORREF previous = dc->text_colour;
    dc->text_colour = color & 0x00FFFFFF;
    return previous;
}

COLORREF WINAPI GetTextColor(HDC hdc) {
    DeviceContext* dc = LookupDc(hdc);
    return dc ? dc->text_colour : CLR_INVALID;
}

int WINAPI SetBkMode(HDC hdc, int mode) {
    DeviceContext* dc = LookupDc(hdc);
    if (!dc || (mode != OPAQUE && mode != TRANSPARENT)) return 0;
    int previous = dc->bk_mode;
    dc->bk_mode = mode;
    return previous;
}

int WINAPI GetBkMode(HDC hdc) {
    DeviceContext* dc = LookupDc(hdc);
    return dc ? dc->bk_mode : 0;
}

int WINAPI GetMapMode(HDC hdc) {
    DeviceContext* dc = LookupDc(hdc);
    return dc ? dc->map_mode : 0;
}

// Only the one-unit-per-pixel mapping exists here; asking for another fails and changes nothing.
int WINAPI SetMapMode(HDC hdc, int mode) {
    DeviceContext* dc = LookupDc(hdc);
    if (!dc || mode != MM_TEXT) return 0;
    int previous = dc->map_mode;
    dc->map_mode = mode;
    return previous;
}

// Under MM_TEXT with no window or viewport origin, device and logical points coincide.
BOOL WINAPI DPtoLP(HDC hdc, LPPOINT points, int count) {
    if (!LookupDc(hdc) || count < 0 || (count > 0 && !points)) return FALSE;
    return TRUE;
}
