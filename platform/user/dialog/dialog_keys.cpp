// Keyboard navigation in dialogs: Tab and Shift+Tab over tab stops, arrows within a group,
// Enter for the focused or default push button, Escape as IDCANCEL, and mnemonics. Controls
// keep the keys they claim through WM_GETDLGCODE.
#include <cctype>
#include <vector>

#include "platform/user/dialog/dialog.h"
#include "platform/user/user_state.h"

namespace platform::user {
namespace {

// The control's own flags count, not its dialog's: a dialog is still hidden when it picks the
// first focus.
bool CanTakeFocus(HWND hwnd) {
    return (GetWindowLongPtrA(hwnd, GWL_STYLE) & WS_VISIBLE) && IsWindowEnabled(hwnd);
}

std::vector<HWND> Controls(HWND dialog) {
    Window* window = State().Find(dialog);
    return window ? window->children : std::vector<HWND>{};
}

// The control in the dialog that holds `hwnd` (a control may have children of its own).
HWND ControlOf(HWND dialog, HWND hwnd) {
    UserState& state = State();
    while (hwnd) {
        Window* window = state.Find(hwnd);
        if (!window || !window->IsChild()) return nullptr;
        if (window->parent == dialog) return hwnd;
        hwnd = window->parent;
    }
    return nullptr;
}

// The next (or previous) visible, enabled control of the group holding `control`.
HWND NextInGroup(HWND dialog, HWND control, bool previous) {
    std::vector<HWND> all = Controls(dialog);
    size_t count = all.size(), at = 0;
    while (at < count && all[at] != control) ++at;
    if (at == count) return nullptr;
    // Group bounds: a group starts at a WS_GROUP control and runs to the next one.
    size_t first = at;
    while (first > 0 && !(GetWindowLongPtrA(all[first], GWL_STYLE) & WS_GROUP)) --first;
    size_t last = at + 1;
    while (last < count && !(GetWindowLongPtrA(all[last], GWL_STYLE) & WS_GROUP)) ++last;
    size_t size = last - first;
    for (size_t step = 1; step < size; ++step) {
        size_t i = previous ? first + (at - first + size - step) % size
                            : first + (at - first + step) % size;
        // A label never takes the focus.
        if (CanTakeFocus(all[i]) && !(SendMessageA(all[i], WM_GETDLGCODE, 0, 0) & DLGC_STATIC))
            return all[i];
    }
    return nullptr;
}

std::string MnemonicOf(const std::string& text) {
    for (size_t i = 0; i + 1 < text.size(); ++i) {
        if (text[i] != '&') continue;
        if (text[i + 1] == '&') {
            ++i;
            continue;
        }
        return std::string(
            1, static_cast<char>(std::tolower(static_cast<unsigned char>(text[i + 1]))));
    }
    return "";
}

bool PressMnemonic(HWND dialog, char typed) {
    std::string wanted(1, static_cast<char>(std::tolower(static_cast<unsigned char>(typed))));
    for (HWND control : Controls(dialog)) {
        if (!CanTakeFocus(control)) continue;
        Window* window = State().Find(control);
        if (!window || MnemonicOf(window->text) != wanted) continue;
        LRESULT code = SendMessageA(control, WM_GETDLGCODE, 0, 0);
        if (code & DLGC_BUTTON) {
            SendMessageA(control, BM_CLICK, 0, 0);
        } else if (code & DLGC_STATIC) {
            // A label's mnemonic moves to the control after it.
            SetDialogFocus(dialog, GetNextDlgTabItem(dialog, control, FALSE));
        } else {
            SetDialogFocus(dialog, control);
        }
        return true;
    }
    return false;
}

void PressEnter(HWND dialog, HWND focus) {
    if (focus && (SendMessageA(focus, WM_GETDLGCODE, 0, 0) & DLGC_DEFPUSHBUTTON) &&
        IsWindowEnabled(focus)) {
        SendMessageA(dialog, WM_COMMAND, MAKEWPARAM(GetDlgCtrlID(focus), BN_CLICKED),
                     reinterpret_cast<LPARAM>(focus));
        return;
    }
    LRESULT default_id = SendMessageA(dialog, DM_GETDEFID, 0, 0);
    int id = HIWORD(default_id) == DC_HASDEFID ? LOWORD(default_id) : IDOK;
    HWND control = GetDlgItem(dialog, id);
    if (control && !IsWindowEnabled(control)) return;
    SendMessageA(dialog, WM_COMMAND, MAKEWPARAM(id, BN_CLICKED), reinterpret_cast<LPARAM>(control));
}

}  // namespace
}  // namespace platform::user

using namespace platform::user;

HWND WINAPI GetNextDlgTabItem(HWND dialog, HWND control, BOOL previous) {
    std::vector<HWND> all = Controls(dialog);
    std::vector<HWND> stops;
    for (HWND hwnd : all)
        if ((GetWindowLongPtrA(hwnd, GWL_STYLE) & WS_TABSTOP) && CanTakeFocus(hwnd))
            stops.push_back(hwnd);
    if (stops.empty()) return nullptr;
    control = ControlOf(dialog, control);
    size_t count = all.size(), at = 0;
    while (at < count && all[at] != control) ++at;
    if (at == count) return previous ? stops.back() : stops.front();
    for (size_t step = 1; step <= count; ++step) {
        size_t i = previous ? (at + count - step) % count : (at + step) % count;
        for (HWND stop : stops)
            if (stop == all[i]) return stop;
    }
    return nullptr;
}

BOOL WINAPI IsDialogMessageA(HWND dialog, LPMSG msg) {
    UserState& state = State();
    if (!msg || !state.Find(dialog) || !msg->hwnd || !state.windows().IsAncestor(dialog, msg->hwnd))
        return FALSE;
    bool keyboard = msg->message == WM_KEYDOWN || msg->message == WM_CHAR;
    LRESULT code = keyboard ? SendMessageA(msg->hwnd, WM_GETDLGCODE, msg->wParam,
                                           reinterpret_cast<LPARAM>(msg))
                            : 0;
    if (keyboard && !(code & DLGC_WANTMESSAGE)) {
        if (msg->message == WM_KEYDOWN) {
            switch (msg->wParam) {
                case VK_TAB:
                    if (code & DLGC_WANTTAB) break;
                    SetDialogFocus(
                        dialog, GetNextDlgTabItem(dialog, GetFocus(), GetKeyState(VK_SHIFT) < 0));
                    return TRUE;
                case VK_LEFT:
                case VK_UP:
                case VK_RIGHT:
                case VK_DOWN:
                    if (code & DLGC_WANTARROWS) break;
                    if (HWND control = ControlOf(dialog, GetFocus())) {
                        bool back = msg->wParam == VK_LEFT || msg->wParam == VK_UP;
                        if (HWND next = NextInGroup(dialog, control, back))
                            SetDialogFocus(dialog, next);
                    }
                    return TRUE;
                case VK_ESCAPE:
                    // Always a cancel command, whether or not a Cancel button exists.
                    SendMessageA(dialog, WM_COMMAND, IDCANCEL,
                                 reinterpret_cast<LPARAM>(GetDlgItem(dialog, IDCANCEL)));
                    return TRUE;
                case VK_RETURN:
                    PressEnter(dialog, GetFocus());
                    return TRUE;
                default:
                    break;
            }
        } else if (msg->message == WM_CHAR && !(code & DLGC_WANTCHARS)) {
            WPARAM ch = msg->wParam;
            if (ch == '\t' && (code & DLGC_WANTTAB)) {
                // the control takes it
            } else if (ch == '\t' || ch == '\r' || ch == 27) {
                return TRUE;  // already acted on as keys
            } else if (ch > ' ' && PressMnemonic(dialog, static_cast<char>(ch))) {
                return TRUE;
            }
        }
    }
    TranslateMessage(msg);
    DispatchMessageA(msg);
    return TRUE;
}
