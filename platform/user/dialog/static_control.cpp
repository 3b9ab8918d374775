// Static controls: text on the button face, wrapped at the control's right edge with "&"
// prefixes, and pictures (SS_BITMAP) loaded by the name in the control's text and shown at
// their own size from the top-left corner. SS_SUNKEN gives the half-sunken static edge.
#include <memory>

#include "platform/user/dialog/dialog.h"
#include "platform/user/geometry.h"
#include "platform/user/user_state.h"
#include "platform/user/window_class.h"

namespace platform::user {
namespace {

struct StaticData : WindowExtension {
    HFONT font = nullptr;
    HBITMAP bitmap = nullptr;
    bool owns_bitmap = false;  // loaded from the resources by the control itself
};

StaticData* StaticOf(HWND hwnd) {
    Window* window = State().Find(hwnd);
    return window ? dynamic_cast<StaticData*>(window->extension.get()) : nullptr;
}

DWORD TypeOf(HWND hwnd) {
    return static_cast<DWORD>(GetWindowLongPtrA(hwnd, GWL_STYLE)) & SS_TYPEMASK;
}

bool IsPicture(HWND hwnd) {
    return TypeOf(hwnd) == SS_BITMAP;
}

void Redraw(HWND hwnd) {
    InvalidateRect(hwnd, nullptr, TRUE);
}

// A picture control takes the size of its picture, whatever the template asked for.
void FitToPicture(HWND hwnd, HBITMAP bitmap) {
    BITMAP info{};
    Window* window = State().Find(hwnd);
    if (!window || !bitmap || !GetObjectA(bitmap, sizeof info, &info)) return;
    RECT insets = FrameInsets(window->style, window->ex_style);
    SetWindowPos(hwnd, nullptr, 0, 0, info.bmWidth + insets.left + insets.right,
                 info.bmHeight + insets.top + insets.bottom,
                 SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
}

void LoadPicture(HWND hwnd, StaticData& data) {
    const Window* window = State().Find(hwnd);
    if (!window || window->text.empty()) return;
    data.bitmap = LoadBitmapA(window->instance, window->text.c_str());
    data.owns_bitmap = data.bitmap != nullptr;
    FitToPicture(hwnd, data.bitmap);
}

void PaintPicture(HDC hdc, HBITMAP bitmap) {
    BITMAP info{};
    if (!bitmap || !GetObjectA(bitmap, sizeof info, &info)) return;
    HDC source = CreateCompatibleDC(hdc);
    HGDIOBJ old = SelectObject(source, bitmap);
    BitBlt(hdc, 0, 0, info.bmWidth, info.bmHeight, source, 0, 0, SRCCOPY);
    SelectObject(source, old);
    DeleteDC(source);
}

UINT TextFormat(DWORD style) {
    UINT format = DT_WORDBREAK | DT_EXPANDTABS;
    if ((style & SS_TYPEMASK) == SS_CENTER) format |= DT_CENTER;
    if ((style & SS_TYPEMASK) == SS_RIGHT) format |= DT_RIGHT;
    if (style & SS_NOPREFIX) format |= DT_NOPREFIX;
    return format;
}

void PaintText(HWND hwnd, HDC hdc, const StaticData& data, RECT client) {
    DWORD style = static_cast<DWORD>(GetWindowLongPtrA(hwnd, GWL_STYLE));
    DWORD type = style & SS_TYPEMASK;
    if (type != SS_LEFT && type != SS_CENTER && type != SS_RIGHT) return;
    const Window* window = State().Find(hwnd);
    if (!window) return;
    HGDIOBJ old_font = SelectObject(
        hdc, data.font ? static_cast<HGDIOBJ>(data.font) : GetStockObject(DEFAULT_GUI_FONT));
    SetBkMode(hdc, TRANSPARENT);
    SetTextColor(hdc, GetSysColor(IsWindowEnabled(hwnd) ? COLOR_WINDOWTEXT : COLOR_GRAYTEXT));
    DrawTextA(hdc, window->text.c_str(), -1, &client, TextFormat(style));
    SelectObject(hdc, old_font);
}

void Paint(HWND hwnd, const StaticData& data) {
    PAINTSTRUCT paint;
    HDC hdc = BeginPaint(hwnd, &paint);
    if (!hdc) return;
    RECT client;
    GetClientRect(hwnd, &client);
    FillRect(hdc, &client, GetSysColorBrush(COLOR_3DFACE));
    if (IsPicture(hwnd))
        PaintPicture(hdc, data.bitmap);
    else
        PaintText(hwnd, hdc, data, client);
    EndPaint(hwnd, &paint);
}

// Hands back the picture shown until now; whoever gets it frees it.
LRESULT SetPicture(HWND hwnd, StaticData& data, HBITMAP bitmap) {
    HBITMAP old = data.bitmap;
    data.bitmap = bitmap;
    data.owns_bitmap = false;
    FitToPicture(hwnd, bitmap);
    Redraw(hwnd);
    return reinterpret_cast<LRESULT>(old);
}

LRESULT CALLBACK StaticProc(HWND hwnd, UINT message, WPARAM wparam, LPARAM lparam) {
    if (message == WM_NCCREATE) {
        Window* window = State().Find(hwnd);
        if (!window) return FALSE;
        window->extension = std::make_unique<StaticData>();
        if (window->style & SS_SUNKEN) window->ex_style |= WS_EX_STATICEDGE;
        return TRUE;
    }
    StaticData* data = StaticOf(hwnd);
    if (!data) return DefWindowProcA(hwnd, message, wparam, lparam);
    switch (message) {
        case WM_CREATE:
            if (IsPicture(hwnd)) LoadPicture(hwnd, *data);
            return 0;
        case WM_NCDESTROY:
            if (data->owns_bitmap) DeleteObject(data->bitmap);
            data->bitmap = nullptr;
            return 0;
        case WM_PAINT:
            Paint(hwnd, *data);
            return 0;
        case WM_ERASEBKGND:
            return 1;  // the paint covers everything
        case WM_SETFONT:
            data->font = reinterpret_cast<HFONT>(wparam);
            if (lparam) Redraw(hwnd);
            return 0;
        case WM_GETFONT:
            return reinterpret_cast<LRESULT>(data->font);
        case WM_GETDLGCODE:
            return DLGC_STATIC;
        case WM_ENABLE:
            Redraw(hwnd);
            return 0;
        case WM_SETTEXT: {
            LRESULT result = DefWindowProcA(hwnd, message, wparam, lparam);
            Redraw(hwnd);
            return result;
        }
        case STM_GETIMAGE:
            return wparam == IMAGE_BITMAP ? reinterpret_cast<LRESULT>(data->bitmap) : 0;
        case STM_SETIMAGE:
            if (wparam != IMAGE_BITMAP || !IsPicture(hwnd)) return 0;
            return SetPicture(hwnd, *data, reinterpret_cast<HBITMAP>(lparam));
        default:
            return DefWindowProcA(hwnd, message, wparam, lparam);
    }
}

}  // namespace

void RegisterStaticClass(ClassRegistry& classes) {
    WNDCLASSA control{};
    control.lpfnWndProc = &StaticProc;
    control.lpszClassName = kStaticClass;
    classes.Register(control);
}

}  // namespace platform::user
