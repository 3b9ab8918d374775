// Creating, inspecting and deleting brushes, pens, bitmaps and fonts.
#include <strings.h>
#include <algorithm>
#include <cstring>
#include <memory>

#include "platform/gdi/access.h"
#include "platform/gdi/colour.h"
#include "platform/gdi/surface_dc.h"

namespace platform::gdi {

namespace {

// Larger requests fail as an out-of-memory bitmap would, instead of exhausting the machine.
constexpr int64_t kMaxBitmapPixels = int64_t{1} << 26;

bool SizeAllowed(int width, int height) {
    return width >= 0 && height >= 0 && int64_t{width} * height <= kMaxBitmapPixels;
}

HBITMAP AddBitmap(Surface pixels) {
    return HandleOf<HBITMAP>(
        Handles().Add(ObjectKind::kBitmap, std::make_unique<BitmapObject>(std::move(pixels))));
}

// Win32 hands out a 1 x 1 monochrome bitmap when asked for an empty one.
Surface MakeSurface(int width, int height, bool mono) {
    if (width == 0 || height == 0) return Surface::Mono(1, 1);
    return mono ? Surface::Mono(width, height) : Surface::Color(width, height);
}

// Monochrome rows come padded to 16 bits, most significant bit first, as CreateBitmap takes them.
void CopyMonoBits(Surface& surface, const uint8_t* bits) {
    int row_bytes = ((surface.width + 15) / 16) * 2;
    for (int y = 0; y < surface.height; ++y) {
        const uint8_t* row = bits + static_cast<ptrdiff_t>(y) * row_bytes;
        for (int x = 0; x < surface.width; ++x) {
            surface.SetBit(x, y, (row[x >> 3] >> (7 - (x & 7))) & 1);
        }
    }
}

// Colour rows are B, G, R, unused bytes per pixel.
void CopyColourBits(Surface& surface, const uint8_t* bits) {
    for (int y = 0; y < surface.height; ++y) {
        uint32_t* row = surface.Row(y);
        for (int x = 0; x < surface.width; ++x) {
            const uint8_t* p = bits + (static_cast<ptrdiff_t>(y) * surface.width + x) * 4;
            row[x] = (uint32_t{p[2]} << 16) | (uint32_t{p[1]} << 8) | p[0];
        }
    }
}

FontFamily FamilyFor(LPCSTR face) {
    if (face && (strcasecmp(face, "MS Sans Serif") == 0 || strcasecmp(face, "MS Shell Dlg") == 0))
        return FontFamily::kSansSerif;
    return FontFamily::kSystem;
}

}  // namespace

HBITMAP CreateBitmapFromPixels(int width, int height, const uint32_t* pixels) {
    if (width <= 0 || height <= 0 || !pixels || !SizeAllowed(width, height)) return nullptr;
    Surface surface = Surface::Color(width, height);
    for (int y = 0; y < height; ++y) {
        const uint32_t* from = pixels + static_cast<size_t>(y) * width;
        std::transform(from, from + width, surface.Row(y),
                       [](uint32_t rgb) { return rgb & kRgbMask; });
    }
    return AddBitmap(std::move(surface));
}

const Surface* BitmapSurface(HBITMAP bitmap) {
    BitmapObject* object = Lookup<BitmapObject>(bitmap, ObjectKind::kBitmap);
    return object ? &object->surface : nullptr;
}

}  // namespace platform::gdi

using namespace platform;
using namespace platform::gdi;

HGDIOBJ WINAPI GetStockObject(int index) {
    return HandleOf<HGDIOBJ>(Gdi().Stock(index));
}

BOOL WINAPI DeleteObject(HGDIOBJ object) {
    HandleTable& handles = Handles();
    ObjectKind kind;
    if (!handles.KindOf(IdOf(object), &kind)) return FALSE;
    if (kind != ObjectKind::kBitmap && kind != ObjectKind::kBrush && kind != ObjectKind::kPen &&
        kind != ObjectKind::kFont)
        return FALSE;
    return handles.Delete(IdOf(object), kind) != HandleTable::DeleteOutcome::kRefused;
}

int WINAPI GetObjectA(HGDIOBJ object, int size, LPVOID out) {
    BitmapObject* bitmap = Lookup<BitmapObject>(object, ObjectKind::kBitmap);
    if (!bitmap) return 0;
    if (!out) return static_cast<int>(sizeof(BITMAP));
    if (size <= 0) return 0;
    const Surface& s = bitmap->surface;
    BITMAP info{};
    info.bmType = 0;
    info.bmWidth = s.width;
    info.bmHeight = s.height;
    info.bmWidthBytes = s.IsMono() ? ((s.width + 15) / 16) * 2 : s.width * 4;
    info.bmPlanes = 1;
    info.bmBitsPixel = static_cast<WORD>(s.bits_per_pixel);
    info.bmBits = nullptr;
    size_t copied = std::min(static_cast<size_t>(size), sizeof info);
    std::memcpy(out, &info, copied);
    return static_cast<int>(copied);
}

HBRUSH WINAPI CreateSolidBrush(COLORREF color) {
    auto brush = std::make_unique<BrushObject>(BrushObject::Style::kSolid, color & 0x00FFFFFF);
    return HandleOf<HBRUSH>(Handles().Add(ObjectKind::kBrush, std::move(brush)));
}

HPEN WINAPI CreatePen(int style, int width, COLORREF color) {
    if (style != PS_SOLID && style != PS_NULL) return nullptr;
    auto pen_style = style == PS_NULL ? PenObject::Style::kNull : PenObject::Style::kSolid;
    auto pen = std::make_unique<PenObject>(pen_style, width < 1 ? 1 : width, color & 0x00FFFFFF);
    return HandleOf<HPEN>(Handles().Add(ObjectKind::kPen, std::move(pen)));
}

HBITMAP WINAPI CreateCompatibleBitmap(HDC hdc, int width, int height) {
    DeviceContext* dc = LookupDc(hdc);
    if (!dc || !SizeAllowed(width, height)) return nullptr;
    // Compatible with a memory DC means the format of the bitmap selected in it.
    bool mono = dc->kind == DeviceContext::Kind::kMemory && dc->surface->IsMono();
    return AddBitmap(MakeSurface(width, height, mono));
}

HBITMAP WINAPI CreateBitmap(int width, int height, UINT planes, UINT bitsPerPixel,
                            const void* bits) {
    if (planes != 1 || (bitsPerPixel != 1 && bitsPerPixel != 32)) return nullptr;
    if (!SizeAllowed(width, height)) return nullptr;
    Surface surface = MakeSurface(width, height, bitsPerPixel == 1);
    if (bits && width > 0 && height > 0) {
        const auto* bytes = static_cast<const uint8_t*>(bits);
        if (surface.IsMono()) {
            CopyMonoBits(surface, bytes);
        } else {
            CopyColourBits(surface, bytes);
        }
    }
    return AddBitmap(std::move(surface));
}

// Only two families exist: "MS Sans Serif" (and the dialog alias) and, for every other face, the
// System font. Weight, slant and decorations are not synthesised on these raster fonts.
HFONT WINAPI CreateFontA(int height, int, int, int, int, DWORD, DWORD, DWORD, DWORD, DWORD, DWORD,
                         DWORD, DWORD, LPCSTR faceName) {
    auto font = std::make_unique<FontObject>(FontChoice{FamilyFor(faceName), height});
    return HandleOf<HFONT>(Handles().Add(ObjectKind::kFont, std::move(font)));
}
