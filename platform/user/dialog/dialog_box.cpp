// Dialogs built from templates: the window sized from dialog units of the template's font and
// centred over its owner, the controls in template order, then the modal run
// (DialogBoxIndirectParamA) or a modeless window (CreateDialogIndirectParamA).
#include <cctype>
#include <string>

#include "platform/dialog_template.h"
#include "platform/session.h"
#include "platform/user/dialog/dialog.h"
#include "platform/user/geometry.h"
#include "platform/user/user_state.h"

namespace platform::user {
namespace {

constexpr int kPointsPerInch = 72;
constexpr int kDotsPerInch = 96;

// The template's font, made for this dialog; the system font when it names none.
HFONT TemplateFont(const DLGTEMPLATE& dialog_template) {
    if (!(dialog_template.style & DS_SETFONT))
        return static_cast<HFONT>(GetStockObject(SYSTEM_FONT));
    const DLGTEMPLATEFONT& font = dialog_template.font;
    // Only the extended form stores weight, italic and character set.
    bool extended = dialog_template.extended;
    int height = -ScaleRounded(font.pointsize, kDotsPerInch, kPointsPerInch);
    return CreateFontA(
        height, 0, 0, 0, extended ? font.weight : FW_NORMAL, extended ? font.italic : FALSE, FALSE,
        FALSE, extended ? font.charset : DEFAULT_CHARSET, OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS,
        DEFAULT_QUALITY, DEFAULT_PITCH | FF_DONTCARE, font.typeface);
}

// A template may name the system's control classes by their numbers.
LPCSTR ClassOf(LPCSTR name) {
    if (!name || !IS_INTRESOURCE(name)) return name;
    switch (reinterpret_cast<ULONG_PTR>(name)) {
        case 0x80:
            return kButtonClass;
        case 0x81:
            return kEditClass;
        case 0x82:
            return kStaticClass;
        default:
            return name;
    }
}

bool IsClass(LPCSTR name, const char* wanted) {
    if (!name || IS_INTRESOURCE(name)) return false;
    for (; *name && *wanted; ++name, ++wanted)
        if (std::tolower(static_cast<unsigned char>(*name)) !=
            std::tolower(static_cast<unsigned char>(*wanted)))
            return false;
    return *name == *wanted;
}

// A picture is named by number in the template; the static control finds it as "#number".
std::string TextOf(LPCSTR title) {
    if (!title) return "";
    if (IS_INTRESOURCE(title)) {
        // Appended rather than prefixed: GCC 12 at -O3 warns falsely about "#" + std::string.
        std::string text = "#";
        return text += std::to_string(reinterpret_cast<ULONG_PTR>(title));
    }
    return title;
}

HWND CreateItem(HWND dialog, const DLGTEMPLATE& dialog_template, const DLGITEMTEMPLATE& item,
                BaseUnits base) {
    DWORD style = item.style, ex_style = item.dwExtendedStyle;
    LPCSTR class_name = ClassOf(item.windowClass);
    // The three-dimensional look: an edit field's thin border becomes a sunken edge.
    if (IsClass(class_name, kEditClass) && (style & WS_BORDER)) {
        style &= ~WS_BORDER;
        ex_style |= WS_EX_CLIENTEDGE;
    }
    // The system converts the position and the size each on its own, not the far edges, so a
    // control is as large as its size in dialog units says wherever it sits.
    int left = ScaleRounded(item.x, base.x, 4), top = ScaleRounded(item.y, base.y, 8);
    RECT rect{left, top, left + ScaleRounded(item.cx, base.x, 4),
              top + ScaleRounded(item.cy, base.y, 8)};
    // The standard form stores a control's id in 16 bits.
    int id = dialog_template.extended ? item.id : static_cast<WORD>(item.id);
    return CreateControl(dialog, class_name, TextOf(item.title).c_str(), style, ex_style, rect, id);
}

// The last default push button made is the dialog's default; earlier ones become plain.
void TakeDefaultButton(HWND dialog, HWND control, HWND* previous) {
    if (!(SendMessageA(control, WM_GETDLGCODE, 0, 0) & DLGC_DEFPUSHBUTTON)) return;
    if (*previous) SendMessageA(*previous, BM_SETSTYLE, BS_PUSHBUTTON, FALSE);
    *previous = control;
    if (DialogData* data = DialogOf(dialog)) data->default_id = GetDlgCtrlID(control);
}

// The dialog and its controls, hidden and without WM_INITDIALOG; nullptr when a part fails.
HWND BuildDialog(const DLGTEMPLATE& dialog_template, HWND owner, DLGPROC proc) {
    HFONT font = TemplateFont(dialog_template);
    bool own_font = (dialog_template.style & DS_SETFONT) != 0;
    BaseUnits base = BaseUnitsOf(font);
    DialogParams params;
    params.style = dialog_template.style & ~WS_VISIBLE;
    params.ex_style = dialog_template.dwExtendedStyle;
    params.title = dialog_template.title ? dialog_template.title : "";
    DWORD frame_ex = params.ex_style | (params.style & DS_MODALFRAME ? WS_EX_DLGMODALFRAME : 0);
    // The template's size is the client area's.
    params.rect = CentredRect(owner, ScaleRounded(dialog_template.cx, base.x, 4),
                              ScaleRounded(dialog_template.cy, base.y, 8), params.style, frame_ex);
    params.owner = owner;
    params.proc = proc;
    params.font = font;
    HWND dialog = CreateDialogWindow(params);
    if (!dialog) {
        if (own_font) DeleteObject(font);
        return nullptr;
    }
    if (own_font) DialogOf(dialog)->owned_font = font;
    HWND default_button = nullptr;
    for (WORD i = 0; i < dialog_template.cdit; ++i) {
        HWND control = CreateItem(dialog, dialog_template, dialog_template.items[i], base);
        if (!control) {
            DestroyWindow(dialog);
            return nullptr;
        }
        TakeDefaultButton(dialog, control, &default_button);
    }
    return dialog;
}

}  // namespace
}  // namespace platform::user

using namespace platform::user;

INT_PTR WINAPI DialogBoxIndirectParamA(HINSTANCE, LPCDLGTEMPLATEA dialog_template, HWND owner,
                                       DLGPROC proc, LPARAM init_param) {
    if (!dialog_template || (owner && !IsWindow(owner))) return -1;
    // The owner is disabled before anything of the dialog exists.
    HWND disabled = DisableOwnerForModal(owner);
    HWND dialog = BuildDialog(*dialog_template, owner, proc);
    if (!dialog) {
        if (disabled) EnableWindow(disabled, TRUE);
        return -1;
    }
    DialogOf(dialog)->disabled_owner = disabled;
    InitDialog(dialog, init_param);
    if (!IsWindow(dialog)) {
        // Destroyed while starting: the owner comes back all the same.
        if (disabled && IsWindow(disabled)) EnableWindow(disabled, TRUE);
        return -1;
    }
    INT_PTR result = RunModal(dialog);
    State().session().Notify(
        [&](platform::Observer& observer) { observer.DialogEnded(dialog_template, result); });
    return result;
}

HWND WINAPI CreateDialogIndirectParamA(HINSTANCE, LPCDLGTEMPLATEA dialog_template, HWND owner,
                                       DLGPROC proc, LPARAM init_param) {
    if (!dialog_template || (owner && !IsWindow(owner))) return nullptr;
    HWND dialog = BuildDialog(*dialog_template, owner, proc);
    if (!dialog) return nullptr;
    InitDialog(dialog, init_param);
    if (!IsWindow(dialog)) return nullptr;
    if (dialog_template->style & WS_VISIBLE) ShowWindow(dialog, SW_SHOWNORMAL);
    return dialog;
}
