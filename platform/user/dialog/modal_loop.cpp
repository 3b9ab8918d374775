// The nested loop of a modal dialog. It reads every window's messages, so the owner's timers
// and paints keep running (a handler can be entered again from inside it), and gives the
// dialog's own keyboard messages to IsDialogMessageA.
#include "platform/user/dialog/dialog.h"
#include "platform/user/user_state.h"

namespace platform::user {

HWND DisableOwnerForModal(HWND owner) {
    HWND top = State().windows().TopLevelOf(owner);
    if (!top || !IsWindowEnabled(top)) return nullptr;
    EnableWindow(top, FALSE);
    return top;
}

INT_PTR RunModal(HWND dialog) {
    DialogData* data = DialogOf(dialog);
    if (!data) return -1;
    bool idle_messages = !(GetWindowLongPtrA(dialog, GWL_STYLE) & DS_NOIDLEMSG);
    HWND owner = GetWindow(dialog, GW_OWNER);
    // Kept aside: a dialog destroyed without EndDialog still gives its owner back.
    HWND disabled_owner = data->disabled_owner;
    if (!data->ended) ShowWindow(dialog, SW_SHOW);
    MSG msg;
    while ((data = DialogOf(dialog)) && !data->ended) {
        if (!PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
            if (idle_messages && owner)
                SendMessageA(owner, WM_ENTERIDLE, 0, reinterpret_cast<LPARAM>(dialog));
            if (!GetMessageA(&msg, nullptr, 0, 0)) {
                // The program is quitting: the loop ends and the quit goes on outwards.
                PostQuitMessage(static_cast<int>(msg.wParam));
                break;
            }
        } else if (msg.message == WM_QUIT) {
            PostQuitMessage(static_cast<int>(msg.wParam));
            break;
        }
        if (!IsDialogMessageA(dialog, &msg)) {
            TranslateMessage(&msg);
            DispatchMessageA(&msg);
        }
    }
    INT_PTR result = 0;
    if ((data = DialogOf(dialog))) {
        result = data->result;
        disabled_owner = data->disabled_owner;
        data->disabled_owner = nullptr;
    }
    if (disabled_owner && IsWindow(disabled_owner)) EnableWindow(disabled_owner, TRUE);
    DestroyWindow(dialog);
    return result;
}

}  // namespace platform::user
