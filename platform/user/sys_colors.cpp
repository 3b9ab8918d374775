// The classic colour scheme and its shared brushes.
#include <memory>

#include "platform/core/handle_table.h"
#include "platform/gdi/objects.h"
#include "platform/user/user_state.h"
#include "platform/win32.h"

namespace {

constexpr int kColourCount = 25;

// Indexed by COLOR_*: button face 192,192,192 with white highlights and grey shadows.
constexpr COLORREF kClassic[kColourCount] = {
    RGB(192, 192, 192),  // scroll bar
    RGB(0, 128, 128),    // desktop
    RGB(0, 0, 128),      // active caption
    RGB(128, 128, 128),  // inactive caption
    RGB(192, 192, 192),  // menu
    RGB(255, 255, 255),  // window
    RGB(0, 0, 0),        // window frame
    RGB(0, 0, 0),        // menu text
    RGB(0, 0, 0),        // window text
    RGB(255, 255, 255),  // caption text
    RGB(192, 192, 192),  // active border
    RGB(192, 192, 192),  // inactive border
    RGB(128, 128, 128),  // application workspace
    RGB(0, 0, 128),      // highlight
    RGB(255, 255, 255),  // highlight text
    RGB(192, 192, 192),  // button face
    RGB(128, 128, 128),  // button shadow
    RGB(128, 128, 128),  // grey text
    RGB(0, 0, 0),        // button text
    RGB(192, 192, 192),  // inactive caption text
    RGB(255, 255, 255),  // button highlight
    RGB(0, 0, 0),        // 3-D dark shadow
    RGB(192, 192, 192),  // 3-D light
    RGB(0, 0, 0),        // tooltip text
    RGB(255, 255, 225),  // tooltip background
};

}  // namespace

namespace platform::user {

HBRUSH UserState::SystemBrush(int index) {
    HBRUSH& brush = system_brushes_[static_cast<size_t>(index)];
    if (!brush) {
        auto object =
            std::make_unique<gdi::BrushObject>(gdi::BrushObject::Style::kSolid, kClassic[index]);
        brush = reinterpret_cast<HBRUSH>(
            handles().Add(ObjectKind::kBrush, std::move(object), HandleTable::Lifetime::kStock));
    }
    return brush;
}

}  // namespace platform::user

DWORD WINAPI GetSysColor(int index) {
    if (index < 0 || index >= kColourCount) return 0;
    return kClassic[index];
}

HBRUSH WINAPI GetSysColorBrush(int index) {
    if (index < 0 || index >= kColourCount) return nullptr;
    return platform::user::State().SystemBrush(index);
}
