// MessageBoxA as a dialog of our own: an icon, the text wrapped to a fixed width, and a row of
// OK or Yes/No buttons, laid out in the dialog font and centred over the owner, which stays
// disabled while the box is open.
#include <algorithm>
#include <string>
#include <vector>

#include "platform/session.h"
#include "platform/user/dialog/dialog.h"
#include "platform/user/dialog/message_box_icons.h"
#include "platform/user/geometry.h"
#include "platform/user/user_state.h"

namespace platform::user {
namespace {

constexpr int kTextWidthUnits = 176;  // the text's wrapping width, in dialog units
constexpr int kMarginUnits = 8;
constexpr UINT kTextFormat = DT_WORDBREAK | DT_EXPANDTABS | DT_NOPREFIX;

struct Button {
    const char* caption;
    int id;
};

struct MessageBoxLayout {
    UINT type = 0;
    std::string text;
    std::vector<Button> buttons;
    int cancel_answer = 0;  // what Escape or the close box answers; 0: they do nothing
    POINT icon_at{};
    RECT text_rect{};
    std::vector<RECT> button_rects;
    int client_width = 0;
    int client_height = 0;
};

std::vector<Button> ButtonsFor(UINT type, int* cancel_answer) {
    switch (type & MB_TYPEMASK) {
        case MB_YESNO:
            *cancel_answer = 0;
            return {{"&Yes", IDYES}, {"&No", IDNO}};
        case MB_OKCANCEL:
            *cancel_answer = IDCANCEL;
            return {{"OK", IDOK}, {"Cancel", IDCANCEL}};
        default:
            *cancel_answer = IDOK;
            return {{"OK", IDOK}};
    }
}

// Measures everything with the dialog font and places the parts.
void Layout(HDC hdc, MessageBoxLayout* box) {
    SIZE alphabet{};
    const char letters[] = "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz";
    GetTextExtentPoint32A(hdc, letters, 52, &alphabet);
    int base_x = (alphabet.cx / 26 + 1) / 2;

    int bw = 1, bh = 1;
    for (const Button& button : box->buttons) {
        RECT r{0, 0, 0, 0};
        DrawTextA(hdc, button.caption, -1, &r, DT_CALCRECT | DT_SINGLELINE);
        bw = std::max<int>(bw, r.right);
        bh = std::max<int>(bh, r.bottom);
    }
    bw = std::max(bw, 2 * bh) * 2;
    bh *= 2;
    int gap = bw / 3;

    RECT text{0, 0, ScaleRounded(kTextWidthUnits, base_x, 4), 0};
    DrawTextA(hdc, box->text.c_str(), -1, &text, kTextFormat | DT_CALCRECT);
    int tw = Width(text), th = Height(text);

    bool has_icon = (box->type & MB_ICONMASK) != 0;
    int ileft = ScaleRounded(kMarginUnits, base_x, 4);
    int icon_height = has_icon ? kIconSize : 0;
    int tleft = has_icon ? 2 * ileft + kIconSize : ileft;
    int n = static_cast<int>(box->buttons.size());
    int row = (bw + gap) * n - gap;
    int twidth = std::max(tw, row + 2 * gap - tleft);
    int tiheight = 16 + std::max(icon_height, th);

    box->client_width = tleft + twidth + ileft;
    box->client_height = 8 + tiheight + bh;
    box->icon_at = POINT{ileft, (tiheight - icon_height) / 2};
    int text_top = (tiheight - th) / 2;
    box->text_rect = RECT{tleft, text_top, tleft + twidth, text_top + th};
    int x = (box->client_width - row) / 2;
    for (int i = 0; i < n; ++i, x += bw + gap)
        box->button_rects.push_back(RECT{x, tiheight, x + bw, tiheight + bh});
}

void MeasureWithDialogFont(MessageBoxLayout* box) {
    HDC hdc = CreateCompatibleDC(nullptr);
    HGDIOBJ old = SelectObject(hdc, GetStockObject(DEFAULT_GUI_FONT));
    Layout(hdc, box);
    SelectObject(hdc, old);
    DeleteDC(hdc);
}

MessageBoxLayout* LayoutOf(HWND dialog) {
    return reinterpret_cast<MessageBoxLayout*>(GetWindowLongPtrA(dialog, GWLP_USERDATA));
}

void PaintBox(HWND dialog, const MessageBoxLayout& box) {
    PAINTSTRUCT paint;
    HDC hdc = BeginPaint(dialog, &paint);
    if (!hdc) return;
    DrawMessageIcon(hdc, box.icon_at.x, box.icon_at.y, box.type);
    HGDIOBJ old_font =
        SelectObject(hdc, reinterpret_cast<HGDIOBJ>(SendMessageA(dialog, WM_GETFONT, 0, 0)));
    SetBkMode(hdc, TRANSPARENT);
    SetTextColor(hdc, GetSysColor(COLOR_WINDOWTEXT));
    RECT text = box.text_rect;
    DrawTextA(hdc, box.text.c_str(), -1, &text, kTextFormat);
    SelectObject(hdc, old_font);
    EndPaint(dialog, &paint);
}

INT_PTR CALLBACK MessageBoxProc(HWND dialog, UINT message, WPARAM wparam, LPARAM) {
    MessageBoxLayout* box = LayoutOf(dialog);
    if (!box) return FALSE;
    switch (message) {
        case WM_INITDIALOG: {
            int which = static_cast<int>((box->type & MB_DEFMASK) >> 8);
            if (which >= static_cast<int>(box->buttons.size())) which = 0;
            SetDialogFocus(dialog, GetDlgItem(dialog, box->buttons[which].id));
            return FALSE;  // the focus is set
        }
        case WM_PAINT:
            PaintBox(dialog, *box);
            return TRUE;
        case WM_COMMAND: {
            int id = LOWORD(wparam);
            if (id == IDCANCEL && GetDlgItem(dialog, IDCANCEL) == nullptr) id = box->cancel_answer;
            if (id) EndDialog(dialog, id);
            return TRUE;
        }
        default:
            return FALSE;
    }
}

}  // namespace
}  // namespace platform::user

using namespace platform::user;

int WINAPI MessageBoxA(HWND owner, LPCSTR text, LPCSTR caption, UINT type) {
    UserState& state = State();
    if (owner && !state.Find(owner)) return 0;
    HWND top = state.windows().TopLevelOf(owner);
    HWND disabled = DisableOwnerForModal(top);

    MessageBoxLayout box;
    box.type = type;
    box.text = text ? text : "";
    box.buttons = ButtonsFor(type, &box.cancel_answer);
    MeasureWithDialogFont(&box);

    DialogParams params;
    params.style = WS_POPUP | WS_CAPTION | DS_MODALFRAME | DS_NOIDLEMSG;
    if (box.cancel_answer) params.style |= WS_SYSMENU;  // a close box only where it can answer
    if (type & MB_SYSTEMMODAL) params.ex_style |= WS_EX_TOPMOST;
    params.title = caption ? caption : "Error";
    params.rect = CentredRect(top, box.client_width, box.client_height, params.style,
                              params.ex_style | WS_EX_DLGMODALFRAME);
    params.owner = top;
    params.proc = &MessageBoxProc;
    HWND dialog = CreateDialogWindow(params);
    if (!dialog) {
        if (disabled) EnableWindow(disabled, TRUE);
        return 0;
    }
    DialogOf(dialog)->disabled_owner = disabled;
    SetWindowLongPtrA(dialog, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(&box));
    for (size_t i = 0; i < box.buttons.size(); ++i) {
        CreateControl(dialog, kButtonClass, box.buttons[i].caption,
                      WS_VISIBLE | WS_TABSTOP | (i == 0 ? WS_GROUP : 0) | BS_PUSHBUTTON, 0,
                      box.button_rects[i], box.buttons[i].id);
    }
    InitDialog(dialog, 0);
    int answer = static_cast<int>(RunModal(dialog));
    state.session().Notify([&](platform::Observer& observer) {
        observer.MessageBoxEnded(owner, box.text.c_str(), params.title.c_str(), type, answer);
    });
    return answer;
}
