// The window classes every program finds registered: dialogs and the controls they hold.
#include "platform/user/dialog/dialog.h"
#include "platform/user/window_class.h"

namespace platform::user {

void RegisterSystemClasses(ClassRegistry& classes) {
    RegisterButtonClass(classes);

    WNDCLASSA dialog{};
    dialog.style = CS_DBLCLKS;
    dialog.lpfnWndProc = &DefDlgProcA;
    dialog.cbWndExtra = 3 * sizeof(LONG_PTR);  // DWLP_MSGRESULT and the procedure's own
    dialog.lpszClassName = kDialogClass;
    classes.Register(dialog);

    RegisterStaticClass(classes);
    RegisterEditClass(classes);
}

}  // namespace platform::user
