// The stock objects: made once per session, never counted as live, never deleted.
#include "platform/gdi/gdi_state.h"

#include <memory>

#include "platform/gdi/objects.h"

namespace platform::gdi {

namespace {
using Lifetime = HandleTable::Lifetime;

template <typename T, typename... Args>
HandleTable::Handle AddStock(HandleTable& handles, ObjectKind kind, Args&&... args) {
    return handles.Add(kind, std::make_unique<T>(std::forward<Args>(args)...), Lifetime::kStock);
}
}  // namespace

GdiState::GdiState(HandleTable& handles) : handles_(handles) {
    using Brush = BrushObject::Style;
    using Pen = PenObject::Style;
    auto brush = [&](int index, Brush style, COLORREF colour) {
        stock_[index] = AddStock<BrushObject>(handles_, ObjectKind::kBrush, style, colour);
    };
    brush(WHITE_BRUSH, Brush::kSolid, 0xFFFFFF);
    brush(LTGRAY_BRUSH, Brush::kSolid, 0xC0C0C0);
    brush(GRAY_BRUSH, Brush::kSolid, 0x808080);
    brush(DKGRAY_BRUSH, Brush::kSolid, 0x404040);
    brush(BLACK_BRUSH, Brush::kSolid, 0x000000);
    brush(NULL_BRUSH, Brush::kNull, 0x000000);
    auto pen = [&](int index, Pen style, COLORREF colour) {
        stock_[index] = AddStock<PenObject>(handles_, ObjectKind::kPen, style, 1, colour);
    };
    pen(WHITE_PEN, Pen::kSolid, 0xFFFFFF);
    pen(BLACK_PEN, Pen::kSolid, 0x000000);
    pen(NULL_PEN, Pen::kNull, 0x000000);
    stock_[SYSTEM_FONT] =
        AddStock<FontObject>(handles_, ObjectKind::kFont, FontChoice{FontFamily::kSystem, 0});
    stock_[DEFAULT_GUI_FONT] =
        AddStock<FontObject>(handles_, ObjectKind::kFont, FontChoice{FontFamily::kSansSerif, 0});
    default_bitmap_ = AddStock<BitmapObject>(handles_, ObjectKind::kBitmap, Surface::Mono(1, 1));
}

GdiState::~GdiState() = default;

HandleTable::Handle GdiState::Stock(int index) const {
    if (index < 0 || index >= kStockObjectCount) return 0;
    return stock_[index];
}

}  // namespace platform::gdi
