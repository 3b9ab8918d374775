#include "framework/dialog.h"

#include "framework/data_exchange.h"
#include "framework/win_app.h"

CDialog::CDialog(UINT templateId, CWnd* parent) : m_nIDTemplate(templateId), m_pParentWnd(parent) {}

CDialog::~CDialog() = default;

HWND CDialog::OwnerForRun() const {
    if (m_pParentWnd) return m_pParentWnd->GetSafeHwnd();
    CWinApp* app = AfxGetApp();
    if (app && app->m_pMainWnd && app->m_pMainWnd->GetSafeHwnd())
        return app->m_pMainWnd->GetSafeHwnd();
    return GetActiveWindow();
}

int CDialog::DoModal() {
    HINSTANCE instance = GetModuleHandleA(nullptr);
    HRSRC found = FindResourceA(instance, MAKEINTRESOURCEA(m_nIDTemplate), RT_DIALOG);
    auto dialog_template =
        static_cast<LPCDLGTEMPLATEA>(LockResource(LoadResource(instance, found)));
    if (!dialog_template) return -1;
    return static_cast<int>(DialogBoxIndirectParamA(instance, dialog_template, OwnerForRun(),
                                                    &CDialog::StartProc,
                                                    reinterpret_cast<LPARAM>(this)));
}

// The dialog procedure only hands the window over: from WM_INITDIALOG on, the window's
// messages go through the message maps, and what they leave goes to the dialog manager.
INT_PTR CALLBACK CDialog::StartProc(HWND hwnd, UINT message, WPARAM, LPARAM lparam) {
    if (message != WM_INITDIALOG) return FALSE;
    auto* dialog = reinterpret_cast<CDialog*>(lparam);
    if (!dialog->SubclassWindow(hwnd)) return FALSE;
    return dialog->OnInitDialog();
}

void CDialog::EndDialog(int result) {
    ::EndDialog(m_hWnd, result);
}

BOOL CDialog::UpdateData(BOOL saveAndValidate) {
    CDataExchange dx(this, saveAndValidate);
    DoDataExchange(&dx);
    return !dx.failed();
}

BOOL CDialog::OnInitDialog() {
    UpdateData(FALSE);
    return TRUE;
}

void CDialog::DoDataExchange(CDataExchange*) {}

void CDialog::OnOK() {
    if (!UpdateData(TRUE)) return;
    EndDialog(IDOK);
}

void CDialog::OnCancel() {
    EndDialog(IDCANCEL);
}

// The object belongs to whoever made it (usually a local of the caller of DoModal).
void CDialog::PostNcDestroy() {}

BEGIN_MESSAGE_MAP(CDialog, CWnd)
ON_COMMAND(IDOK, OnOK)
ON_COMMAND(IDCANCEL, OnCancel)
END_MESSAGE_MAP()
