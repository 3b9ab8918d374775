// The modal-dialog core shared by message boxes and the dialog manager: dialog windows and
// their default procedure, controls, keyboard navigation and the nested modal loop.
#pragma once

#include <string>

#include "platform/user/window.h"
#include "platform/win32.h"

namespace platform::user {

class ClassRegistry;

inline constexpr char kDialogClass[] = "#32770";
inline constexpr char kButtonClass[] = "Button";
inline constexpr char kStaticClass[] = "Static";
inline constexpr char kEditClass[] = "Edit";

// Registers the system's window classes (dialogs, push buttons, statics, edit fields).
void RegisterSystemClasses(ClassRegistry& classes);
void RegisterButtonClass(ClassRegistry& classes);
void RegisterStaticClass(ClassRegistry& classes);
void RegisterEditClass(ClassRegistry& classes);

// The average character width (a quarter of it is a horizontal dialog unit) and the height (an
// eighth of it is a vertical one) of the dialog's font.
struct BaseUnits {
    int x = 0;
    int y = 0;
};

// What a dialog window keeps beside the common window fields.
struct DialogData : WindowExtension {
    DLGPROC proc = nullptr;
    INT_PTR result = 0;
    bool ended = false;
    HWND disabled_owner = nullptr;  // the owner this dialog's modal run disabled
    HFONT font = nullptr;
    HFONT owned_font = nullptr;  // made for this dialog from its template; deleted with it
    BaseUnits base_units;
    HWND saved_focus = nullptr;
    int default_id = 0;  // 0: none set, so Enter means IDOK
};

DialogData* DialogOf(HWND dialog);

struct DialogParams {
    DWORD style = WS_POPUP | WS_CAPTION | DS_MODALFRAME;
    DWORD ex_style = 0;
    std::string title;
    RECT rect{};  // outer rectangle on the screen
    HWND owner = nullptr;
    DLGPROC proc = nullptr;
    HFONT font = nullptr;  // nullptr: the dialog font
};

// Creates the dialog window, hidden, without sending WM_INITDIALOG.
HWND CreateDialogWindow(const DialogParams& params);
// Creates a control of the dialog (client coordinates) and gives it the dialog's font.
HWND CreateControl(HWND dialog, LPCSTR class_name, LPCSTR text, DWORD style, DWORD ex_style,
                   RECT rect, int id);
// Sends WM_INITDIALOG; when the procedure returns TRUE, focuses the first tab stop.
void InitDialog(HWND dialog, LPARAM init_param);
// Moves the focus to a control and gives a push button the default look while it has it; a
// control that takes selections (an edit field) gets all its text selected.
void SetDialogFocus(HWND dialog, HWND control);

// Disables the top-level window of `owner` for a modal run; returns it when this call disabled
// it (so the run gives it back), nullptr otherwise.
HWND DisableOwnerForModal(HWND owner);
// Shows the dialog and runs the nested loop until EndDialog (or WM_QUIT, which is put back),
// then re-enables the owner, destroys the dialog and returns its result.
INT_PTR RunModal(HWND dialog);

// The outer rectangle of a window of this client size centred over `owner` (or the screen).
RECT CentredRect(HWND owner, int client_width, int client_height, DWORD style, DWORD ex_style);

// value * numerator / denominator, rounded to the nearest (halves away from zero).
int ScaleRounded(int value, int numerator, int denominator);
// Measured from the font: the alphabet's width as base for x, the cell height for y.
BaseUnits BaseUnitsOf(HFONT font);
RECT DialogUnitsToPixels(const RECT& units, BaseUnits base);

}  // namespace platform::user
