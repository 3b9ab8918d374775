// The drawing objects behind GDI handles: bitmaps, brushes, pens, fonts and device contexts.
#pragma once

#include <cstdint>
#include <memory>

#include "platform/core/handle_table.h"
#include "platform/core/surface.h"
#include "platform/gdi/fonts.h"
#include "platform/win32.h"

namespace platform::gdi {

using Handle = HandleTable::Handle;

struct BitmapObject : HandleTable::Object {
    explicit BitmapObject(Surface pixels) : surface(std::move(pixels)) {}
    Surface surface;
};

struct BrushObject : HandleTable::Object {
    enum class Style { kSolid, kNull };
    BrushObject(Style style, COLORREF colour) : style(style), colour(colour) {}
    Style style;
    COLORREF colour;  // as given, top byte cleared
};

struct PenObject : HandleTable::Object {
    enum class Style { kSolid, kNull };
    PenObject(Style style, int width, COLORREF colour)
        : style(style), width(width), colour(colour) {}
    Style style;
    int width;  // 1 or more: a 0-width pen draws one pixel wide
    COLORREF colour;
};

struct FontObject : HandleTable::Object {
    explicit FontObject(FontChoice choice) : choice(choice) {}
    FontChoice choice;
};

// What a DC draws on, and the drawing state a fresh DC starts with.
struct DeviceContext : HandleTable::Object {
    enum class Kind { kMemory, kSurface };

    Kind kind = Kind::kMemory;
    Surface* surface = nullptr;  // a window's pixels, or the selected bitmap's
    POINT origin{0, 0};          // where device (0, 0) lies in the surface
    RECT clip{0, 0, 0, 0};       // surface coordinates

    Handle bitmap = 0;  // memory DCs only
    Handle brush = 0;
    Handle pen = 0;
    Handle font = 0;

    COLORREF text_colour = 0x000000;
    COLORREF bk_colour = 0xFFFFFF;
    int bk_mode = OPAQUE;
    int map_mode = MM_TEXT;
    POINT position{0, 0};
};

}  // namespace platform::gdi
