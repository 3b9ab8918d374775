// Push buttons in the classic look: button face with white, grey and black 3-D edges, a black
// frame around the default button, a sunken look while pressed, and a dotted focus rectangle.
// A click (mouse released over it, Space released, BM_CLICK) sends BN_CLICKED to the parent.
#include <memory>

#include "platform/user/dialog/dialog.h"
#include "platform/user/geometry.h"
#include "platform/user/painting.h"
#include "platform/user/user_state.h"
#include "platform/user/window_class.h"

namespace platform::user {
namespace {

struct ButtonData : WindowExtension {
    HFONT font = nullptr;
    bool pressed = false;
    bool tracking = false;  // the mouse went down on it and is captured
    bool space_down = false;
    // Kept by the focus messages: while WM_KILLFOCUS is handled the focus has not moved yet.
    bool focused = false;
};

ButtonData* ButtonOf(HWND hwnd) {
    Window* window = State().Find(hwnd);
    return window ? dynamic_cast<ButtonData*>(window->extension.get()) : nullptr;
}

bool IsDefault(HWND hwnd) {
    return (GetWindowLongPtrA(hwnd, GWL_STYLE) & BS_TYPEMASK) == BS_DEFPUSHBUTTON;
}

void Fill(HDC hdc, RECT r, int colour) {
    FillRect(hdc, &r, GetSysColorBrush(colour));
}

void DrawCaption(HDC hdc, HWND hwnd, RECT area, bool enabled) {
    char text[256];
    GetWindowTextA(hwnd, text, sizeof text);
    SetBkMode(hdc, TRANSPARENT);
    UINT format = DT_CENTER | DT_VCENTER | DT_SINGLELINE;
    if (!enabled) {
        // Disabled text is etched: white below and right, grey on top.
        RECT shadow = Offset(area, 1, 1);
        SetTextColor(hdc, GetSysColor(COLOR_BTNHIGHLIGHT));
        DrawTextA(hdc, text, -1, &shadow, format);
        SetTextColor(hdc, GetSysColor(COLOR_GRAYTEXT));
    } else {
        SetTextColor(hdc, GetSysColor(COLOR_BTNTEXT));
    }
    DrawTextA(hdc, text, -1, &area, format);
}

void Paint(HWND hwnd, HDC hdc) {
    ButtonData* data = ButtonOf(hwnd);
    RECT r;
    GetClientRect(hwnd, &r);
    bool focused = data && data->focused;
    bool enabled = IsWindowEnabled(hwnd);
    Fill(hdc, r, COLOR_BTNFACE);
    if (IsDefault(hwnd)) DrawEdgeRing(hdc, &r, COLOR_WINDOWFRAME, COLOR_WINDOWFRAME);
    if (data && data->pressed) {
        if (!IsDefault(hwnd)) DrawEdgeRing(hdc, &r, COLOR_WINDOWFRAME, COLOR_WINDOWFRAME);
        DrawEdgeRing(hdc, &r, COLOR_BTNSHADOW, COLOR_BTNSHADOW);
    } else {
        DrawEdgeRing(hdc, &r, COLOR_BTNHIGHLIGHT, COLOR_3DDKSHADOW);
        DrawEdgeRing(hdc, &r, COLOR_3DLIGHT, COLOR_BTNSHADOW);
    }
    RECT text_area = r;
    if (data && data->pressed) text_area = Offset(text_area, 1, 1);
    HGDIOBJ old_font =
        SelectObject(hdc, data && data->font ? data->font : GetStockObject(DEFAULT_GUI_FONT));
    DrawCaption(hdc, hwnd, text_area, enabled);
    SelectObject(hdc, old_font);
    if (focused) {
        RECT focus{r.left + 2, r.top + 2, r.right - 2, r.bottom - 2};
        DrawFocusRect(hdc, &focus);
    }
}

void Redraw(HWND hwnd) {
    InvalidateRect(hwnd, nullptr, FALSE);
    UpdateWindow(hwnd);
}

void Click(HWND hwnd) {
    HWND parent = GetParent(hwnd);
    SendMessageA(parent, WM_COMMAND, MAKEWPARAM(GetDlgCtrlID(hwnd), BN_CLICKED),
                 reinterpret_cast<LPARAM>(hwnd));
}

void SetPressed(HWND hwnd, ButtonData& data, bool pressed) {
    if (data.pressed == pressed) return;
    data.pressed = pressed;
    Redraw(hwnd);
}

LRESULT OnMouse(HWND hwnd, ButtonData& data, UINT message, LPARAM lparam) {
    RECT client;
    GetClientRect(hwnd, &client);
    bool inside = Contains(client, POINT{GET_X_LPARAM(lparam), GET_Y_LPARAM(lparam)});
    switch (message) {
        case WM_LBUTTONDOWN:
        case WM_LBUTTONDBLCLK:
            HWND dialog;
            dialog = GetParent(hwnd);
            if (DialogOf(dialog))
                SetDialogFocus(dialog, hwnd);
            else
                SetFocus(hwnd);
            State().input().SetCapture(hwnd);
            data.tracking = true;
            SetPressed(hwnd, data, true);
            break;
        case WM_MOUSEMOVE:
            if (data.tracking) SetPressed(hwnd, data, inside);
            break;
        case WM_LBUTTONUP:
            if (!data.tracking) break;
            data.tracking = false;
            State().input().ReleaseCapture();
            SetPressed(hwnd, data, false);
            if (inside) Click(hwnd);
            break;
        default:
            break;
    }
    return 0;
}

LRESULT CALLBACK ButtonProc(HWND hwnd, UINT message, WPARAM wparam, LPARAM lparam) {
    if (message == WM_NCCREATE) {
        if (Window* window = State().Find(hwnd)) window->extension = std::make_unique<ButtonData>();
        return TRUE;
    }
    ButtonData* data = ButtonOf(hwnd);
    if (!data) return DefWindowProcA(hwnd, message, wparam, lparam);
    switch (message) {
        case WM_PAINT: {
            PAINTSTRUCT paint;
            if (HDC hdc = BeginPaint(hwnd, &paint)) {
                Paint(hwnd, hdc);
                EndPaint(hwnd, &paint);
            }
            return 0;
        }
        case WM_ERASEBKGND:
            return 1;  // the paint covers everything
        case WM_SETFONT:
            data->font = reinterpret_cast<HFONT>(wparam);
            if (lparam) Redraw(hwnd);
            return 0;
        case WM_GETFONT:
            return reinterpret_cast<LRESULT>(data->font);
        case WM_GETDLGCODE:
            return DLGC_BUTTON | (IsDefault(hwnd) ? DLGC_DEFPUSHBUTTON : DLGC_UNDEFPUSHBUTTON);
        case WM_SETFOCUS:
            data->focused = true;
            Redraw(hwnd);
            return 0;
        case WM_KILLFOCUS:
            data->focused = false;
            data->space_down = false;
            data->pressed = false;
            Redraw(hwnd);
            return 0;
        case WM_ENABLE:
            Redraw(hwnd);
            return 0;
        case WM_SETTEXT: {
            LRESULT result = DefWindowProcA(hwnd, message, wparam, lparam);
            Redraw(hwnd);
            return result;
        }
        case WM_LBUTTONDOWN:
        case WM_LBUTTONDBLCLK:
        case WM_LBUTTONUP:
        case WM_MOUSEMOVE:
            return OnMouse(hwnd, *data, message, lparam);
        case WM_KEYDOWN:
            if (wparam == VK_SPACE && !(lparam & (LPARAM(1) << 30))) {
                data->space_down = true;
                SetPressed(hwnd, *data, true);
            }
            return 0;
        case WM_KEYUP:
            if (wparam == VK_SPACE && data->space_down) {
                data->space_down = false;
                SetPressed(hwnd, *data, false);
                Click(hwnd);
            }
            return 0;
        case BM_CLICK:
            Click(hwnd);
            return 0;
        case BM_GETSTATE:
            return (data->pressed ? BST_PUSHED : 0) | (data->focused ? BST_FOCUS : 0);
        case BM_SETSTATE:
            SetPressed(hwnd, *data, wparam != 0);
            return 0;
        case BM_SETSTYLE: {
            LONG_PTR style = GetWindowLongPtrA(hwnd, GWL_STYLE);
            SetWindowLongPtrA(hwnd, GWL_STYLE, (style & ~BS_TYPEMASK) | (wparam & BS_TYPEMASK));
            if (lparam) Redraw(hwnd);
            return 0;
        }
        default:
            return DefWindowProcA(hwnd, message, wparam, lparam);
    }
}

}  // namespace

void RegisterButtonClass(ClassRegistry& classes) {
    WNDCLASSA button{};
    button.style = CS_DBLCLKS;
    button.lpfnWndProc = &ButtonProc;
    button.lpszClassName = kButtonClass;
    classes.Register(button);
}

}  // namespace platform::user
