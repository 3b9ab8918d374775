// Dialog windows: creation, the default dialog procedure, EndDialog and the control lookups.
#include <memory>

#include "platform/user/dialog/dialog.h"
#include "platform/user/focus.h"
#include "platform/user/geometry.h"
#include "platform/user/user_state.h"

namespace platform::user {

namespace {
bool ReturnsDirectly(UINT message) {
    return message == WM_INITDIALOG;
}
}  // namespace

DialogData* DialogOf(HWND dialog) {
    Window* window = State().Find(dialog);
    return window ? dynamic_cast<DialogData*>(window->extension.get()) : nullptr;
}

HWND CreateDialogWindow(const DialogParams& params) {
    DWORD ex_style = params.ex_style;
    if (params.style & DS_MODALFRAME) ex_style |= WS_EX_DLGMODALFRAME;
    const RECT& r = params.rect;
    HWND dialog = CreateWindowExA(ex_style, kDialogClass, params.title.c_str(),
                                  params.style & ~WS_VISIBLE, r.left, r.top, Width(r), Height(r),
                                  params.owner, nullptr, GetModuleHandleA(nullptr), nullptr);
    Window* window = State().Find(dialog);
    if (!window) return nullptr;
    auto data = std::make_unique<DialogData>();
    data->proc = params.proc;
    data->font = params.font ? params.font : static_cast<HFONT>(GetStockObject(DEFAULT_GUI_FONT));
    data->base_units = BaseUnitsOf(data->font);
    window->extension = std::move(data);
    return dialog;
}

HWND CreateControl(HWND dialog, LPCSTR class_name, LPCSTR text, DWORD style, DWORD ex_style,
                   RECT rect, int id) {
    HWND control = CreateWindowExA(ex_style, class_name, text, style | WS_CHILD, rect.left,
                                   rect.top, Width(rect), Height(rect), dialog,
                                   reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)),
                                   GetModuleHandleA(nullptr), nullptr);
    DialogData* data = DialogOf(dialog);
    if (control && data) SendMessageA(control, WM_SETFONT, reinterpret_cast<WPARAM>(data->font), 0);
    return control;
}

void InitDialog(HWND dialog, LPARAM init_param) {
    HWND first = GetNextDlgTabItem(dialog, nullptr, FALSE);
    LRESULT wants_focus =
        SendMessageA(dialog, WM_INITDIALOG, reinterpret_cast<WPARAM>(first), init_param);
    if (wants_focus && IsWindow(dialog)) {
        first = GetNextDlgTabItem(dialog, nullptr, FALSE);
        SetDialogFocus(dialog, first ? first : dialog);
    }
}

namespace {

bool IsPushButton(HWND hwnd) {
    return SendMessageA(hwnd, WM_GETDLGCODE, 0, 0) & (DLGC_DEFPUSHBUTTON | DLGC_UNDEFPUSHBUTTON);
}

// The focused push button looks like the default one; otherwise the dialog's default does.
void ShowDefaultButton(HWND dialog, HWND focus) {
    UserState& state = State();
    Window* window = state.Find(dialog);
    DialogData* data = DialogOf(dialog);
    if (!window || !data) return;
    bool focus_is_button = focus && state.windows().IsAncestor(dialog, focus) && IsPushButton(focus);
    std::vector<HWND> children = window->children;
    for (HWND child : children) {
        LRESULT code = SendMessageA(child, WM_GETDLGCODE, 0, 0);
        if (!(code & (DLGC_DEFPUSHBUTTON | DLGC_UNDEFPUSHBUTTON))) continue;
        bool should = focus_is_button ? child == focus : GetDlgCtrlID(child) == data->default_id;
        bool is = (code & DLGC_DEFPUSHBUTTON) != 0;
        if (should != is)
            SendMessageA(child, BM_SETSTYLE, should ? BS_DEFPUSHBUTTON : BS_PUSHBUTTON, TRUE);
    }
}

void RestoreFocus(HWND dialog, DialogData& data) {
    UserState& state = State();
    HWND target = data.saved_focus;
    if (!target || !state.windows().IsAncestor(dialog, target) || !IsWindowEnabled(target))
        target = GetNextDlgTabItem(dialog, nullptr, FALSE);
    if (target) SetDialogFocus(dialog, target);
}

}  // namespace

void SetDialogFocus(HWND dialog, HWND control) {
    if (!control) return;
    SetFocus(control);
    if (control != dialog && (SendMessageA(control, WM_GETDLGCODE, 0, 0) & DLGC_HASSETSEL))
        SendMessageA(control, EM_SETSEL, 0, -1);
    if (DialogData* data = DialogOf(dialog)) {
        if (State().windows().IsAncestor(dialog, control) && control != dialog) data->saved_focus = control;
    }
    ShowDefaultButton(dialog, control);
}

RECT CentredRect(HWND owner, int client_width, int client_height, DWORD style, DWORD ex_style) {
    RECT outer{0, 0, client_width, client_height};
    AdjustWindowRectEx(&outer, style, FALSE, ex_style);
    int width = Width(outer), height = Height(outer);
    RECT area{};
    if (!owner || !GetWindowRect(owner, &area)) {
        area = RECT{0, 0, GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN)};
    }
    int x = area.left + (Width(area) - width) / 2;
    int y = area.top + (Height(area) - height) / 2;
    return RECT{x, y, x + width, y + height};
}

namespace {

LRESULT DefaultDialogHandling(HWND dialog, UINT message, WPARAM wparam, LPARAM lparam) {
    DialogData* data = DialogOf(dialog);
    if (!data) return DefWindowProcA(dialog, message, wparam, lparam);
    switch (message) {
        case WM_ERASEBKGND: {
            RECT client;
            GetClientRect(dialog, &client);
            FillRect(reinterpret_cast<HDC>(wparam), &client, GetSysColorBrush(COLOR_3DFACE));
            return 1;
        }
        case WM_CLOSE:
            // The close box cancels, like Escape.
            SendMessageA(dialog, WM_COMMAND, IDCANCEL,
                         reinterpret_cast<LPARAM>(GetDlgItem(dialog, IDCANCEL)));
            return 0;
        case DM_GETDEFID:
            return data->default_id ? MAKELONG(data->default_id, DC_HASDEFID) : 0;
        case DM_SETDEFID:
            data->default_id = static_cast<int>(wparam);
            ShowDefaultButton(dialog, GetFocus());
            return TRUE;
        case WM_ACTIVATE:
            if (LOWORD(wparam) != kInactive) {
                if (!(GetFocus() && State().windows().IsAncestor(dialog, GetFocus())) || GetFocus() == dialog)
                    RestoreFocus(dialog, *data);
            } else if (GetFocus() && State().windows().IsAncestor(dialog, GetFocus())) {
                data->saved_focus = GetFocus();
            }
            return 0;
        case WM_SETFOCUS:
            RestoreFocus(dialog, *data);
            return 0;
        case WM_NEXTDLGCTL: {
            HWND target = lparam ? reinterpret_cast<HWND>(wparam)
                                 : GetNextDlgTabItem(dialog, GetFocus(), wparam != 0);
            SetDialogFocus(dialog, target);
            return 0;
        }
        case WM_SETFONT:
            data->font = reinterpret_cast<HFONT>(wparam);
            return 0;
        case WM_GETFONT:
            return reinterpret_cast<LRESULT>(data->font);
        case WM_NCDESTROY:
            // The controls are gone by now, so nothing still draws with the font.
            if (data->owned_font) DeleteObject(data->owned_font);
            data->owned_font = nullptr;
            return DefWindowProcA(dialog, message, wparam, lparam);
        default:
            return DefWindowProcA(dialog, message, wparam, lparam);
    }
}

}  // namespace

}  // namespace platform::user

using platform::user::DialogData;
using platform::user::DialogOf;

LRESULT WINAPI DefDlgProcA(HWND dialog, UINT message, WPARAM wparam, LPARAM lparam) {
    DialogData* data = DialogOf(dialog);
    if (data && data->proc) {
        SetWindowLongPtrA(dialog, DWLP_MSGRESULT, 0);
        INT_PTR handled = data->proc(dialog, message, wparam, lparam);
        if (handled) {
            if (platform::user::ReturnsDirectly(message)) return handled;
            return GetWindowLongPtrA(dialog, DWLP_MSGRESULT);
        }
        if (message == WM_INITDIALOG) return 0;
        if (!IsWindow(dialog)) return 0;
    }
    return platform::user::DefaultDialogHandling(dialog, message, wparam, lparam);
}

BOOL WINAPI EndDialog(HWND dialog, INT_PTR result) {
    DialogData* data = DialogOf(dialog);
    if (!data) return FALSE;
    data->ended = true;
    data->result = result;
    // The owner comes back before the dialog hides, so it is the one activated next.
    if (data->disabled_owner) {
        EnableWindow(data->disabled_owner, TRUE);
        data->disabled_owner = nullptr;
    }
    ShowWindow(dialog, SW_HIDE);
    return TRUE;
}

HWND WINAPI GetDlgItem(HWND dialog, int id) {
    platform::user::Window* window = platform::user::State().Find(dialog);
    if (!window) return nullptr;
    for (HWND child : window->children)
        if (GetWindowLongPtrA(child, GWLP_ID) == id) return child;
    return nullptr;
}

int WINAPI GetDlgCtrlID(HWND hwnd) {
    return static_cast<int>(GetWindowLongPtrA(hwnd, GWLP_ID));
}

UINT WINAPI GetDlgItemTextA(HWND dialog, int id, LPSTR buffer, int size) {
    HWND item = GetDlgItem(dialog, id);
    if (!item) {
        if (buffer && size > 0) buffer[0] = '\0';
        return 0;
    }
    return static_cast<UINT>(GetWindowTextA(item, buffer, size));
}

BOOL WINAPI SetDlgItemTextA(HWND dialog, int id, LPCSTR text) {
    HWND item = GetDlgItem(dialog, id);
    return item ? SetWindowTextA(item, text) : FALSE;
}

LRESULT WINAPI SendDlgItemMessageA(HWND dialog, int id, UINT message, WPARAM wparam,
                                   LPARAM lparam) {
    HWND item = GetDlgItem(dialog, id);
    return item ? SendMessageA(item, message, wparam, lparam) : 0;
}
