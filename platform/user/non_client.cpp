// The classic frame: raised outer edge, a band of button face, the title bar with its bold
// caption and buttons, and the sunken client edge, in the system colours.
#include "platform/user/non_client.h"

#include "platform/gdi/surface_dc.h"
#include "platform/user/geometry.h"
#include "platform/user/painting.h"
#include "platform/user/user_state.h"
#include "platform/win32.h"

namespace platform::user {

namespace {

constexpr int kButtonWidth = 16;  // a caption button
constexpr int kButtonHeight = 14;

// Two rings: the outer pair of colours, then the inner pair.
void Edge(HDC hdc, RECT r, const int (&colours)[4]) {
    DrawEdgeRing(hdc, &r, colours[0], colours[1]);
    DrawEdgeRing(hdc, &r, colours[2], colours[3]);
}

constexpr int kRaised[4] = {COLOR_3DLIGHT, COLOR_3DDKSHADOW, COLOR_BTNHIGHLIGHT, COLOR_BTNSHADOW};
constexpr int kSunken[4] = {COLOR_BTNSHADOW, COLOR_BTNHIGHLIGHT, COLOR_3DDKSHADOW, COLOR_3DLIGHT};

enum class Glyph { kClose, kMinimize, kMaximize };

// A raised caption button with its black glyph.
void CaptionButton(HDC hdc, int left, int top, Glyph glyph) {
    RECT box{left, top, left + kButtonWidth, top + kButtonHeight};
    FillBox(hdc, box.left, box.top, box.right, box.bottom, COLOR_BTNFACE);
    Edge(hdc, box, kRaised);
    int x = left + 4, y = top + 3;
    switch (glyph) {
        case Glyph::kClose:
            for (int i = 0; i < 7; ++i) {
                FillBox(hdc, x + i, y + i, x + i + 2, y + i + 1, COLOR_BTNTEXT);
                FillBox(hdc, x + 6 - i, y + i, x + 8 - i, y + i + 1, COLOR_BTNTEXT);
            }
            break;
        case Glyph::kMinimize:
            FillBox(hdc, x, y + 6, x + 6, y + 8, COLOR_BTNTEXT);
            break;
        case Glyph::kMaximize:
            FillBox(hdc, x - 1, y - 1, x + 8, y + 1, COLOR_BTNTEXT);
            FillBox(hdc, x - 1, y - 1, x, y + 8, COLOR_BTNTEXT);
            FillBox(hdc, x + 7, y - 1, x + 8, y + 8, COLOR_BTNTEXT);
            FillBox(hdc, x - 1, y + 7, x + 8, y + 8, COLOR_BTNTEXT);
            break;
    }
}

struct Layout {
    int side = 0;    // the frame outside the client edge
    int client = 0;  // the client edge
    bool caption = false;
};

Layout LayoutFor(DWORD style, DWORD ex_style) {
    RECT insets = FrameInsets(style, ex_style);
    Layout layout;
    layout.client = (ex_style & WS_EX_CLIENTEDGE) ? kEdge : 0;
    layout.side = insets.left - layout.client;
    layout.caption = (style & WS_CAPTION) == WS_CAPTION;
    return layout;
}

void Paint(Surface& surface, DWORD style, const Layout& layout, const HostFrame& frame,
           const std::string& caption, bool active) {
    const int width = surface.width, height = surface.height;
    HDC hdc = gdi::CreateSurfaceDC(&surface, POINT{0, 0}, RECT{0, 0, width, height});
    FillBox(hdc, 0, 0, width, height, COLOR_BTNFACE);
    if (layout.side >= 2) Edge(hdc, RECT{0, 0, width, height}, kRaised);
    if (layout.client) {
        RECT client{frame.client_left - layout.client, frame.client_top - layout.client,
                    width - layout.side, height - layout.side};
        Edge(hdc, client, kSunken);
    }
    if (layout.caption) {
        int top = layout.side, bottom = frame.caption_bottom - 1;
        FillBox(hdc, layout.side, top, width - layout.side, bottom,
                active ? COLOR_ACTIVECAPTION : COLOR_INACTIVECAPTION);
        HFONT font = CreateFontA(-11, 0, 0, 0, FW_BOLD, FALSE, FALSE, FALSE, DEFAULT_CHARSET,
                                 OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY,
                                 DEFAULT_PITCH | FF_DONTCARE, "MS Sans Serif");
        HGDIOBJ old = SelectObject(hdc, font);
        SetBkMode(hdc, TRANSPARENT);
        SetTextColor(hdc, GetSysColor(active ? COLOR_CAPTIONTEXT : COLOR_INACTIVECAPTIONTEXT));
        RECT text{layout.side + 3, top, frame.close_right ? frame.close_left - 2 : width, bottom};
        DrawTextA(hdc, caption.c_str(), static_cast<int>(caption.size()), &text,
                  DT_LEFT | DT_VCENTER | DT_SINGLELINE | DT_NOPREFIX);
        SelectObject(hdc, old);
        DeleteObject(font);
        if (frame.close_right) {
            CaptionButton(hdc, frame.close_left, frame.close_top, Glyph::kClose);
            if (style & WS_MAXIMIZEBOX)
                CaptionButton(hdc, frame.close_left - kButtonWidth - 2, frame.close_top,
                              Glyph::kMaximize);
            if (style & WS_MINIMIZEBOX)
                CaptionButton(hdc, frame.close_left - 2 * kButtonWidth - 2, frame.close_top,
                              Glyph::kMinimize);
        }
    }
    DeleteDC(hdc);
}

}  // namespace

HostFrame DrawFrame(DWORD style, DWORD ex_style, int width, int height,
                    const std::string& caption) {
    RECT insets = FrameInsets(style, ex_style);
    Layout layout = LayoutFor(style, ex_style);
    HostFrame frame;
    frame.client_left = insets.left;
    frame.client_top = insets.top;
    if (layout.caption) {
        frame.caption_bottom = layout.side + kCaption;
        if (style & WS_SYSMENU) {
            frame.close_right = width - layout.side - 2;
            frame.close_left = frame.close_right - kButtonWidth;
            frame.close_top = layout.side + 2;
            frame.close_bottom = frame.close_top + kButtonHeight;
        }
    }
    frame.active = Surface::Color(width, height);
    frame.inactive = Surface::Color(width, height);
    Paint(frame.active, style, layout, frame, caption, true);
    Paint(frame.inactive, style, layout, frame, caption, false);
    frame.active.ClearDirty();
    frame.inactive.ClearDirty();
    return frame;
}

void UpdateHostFrame(UserState& state, const Window& window) {
    if (!window.host_window || !state.host().WantsFrames()) return;
    state.host().SetFrame(window.host_window,
                          DrawFrame(window.style, window.ex_style, Width(window.rect),
                                    Height(window.rect), window.text));
}

}  // namespace platform::user
