#include "framework/data_exchange.h"

#include <cstdio>

#include "framework/cstring.h"
#include "framework/dialog.h"
#include "framework/win_app.h"

CDataExchange::CDataExchange(CDialog* dialog, BOOL saveAndValidate)
    : m_bSaveAndValidate(saveAndValidate), m_pDlgWnd(dialog) {}

HWND CDataExchange::PrepareEditCtrl(int id) {
    last_control_ = GetDlgItem(m_pDlgWnd->GetSafeHwnd(), id);
    return last_control_;
}

void CDataExchange::Fail() {
    failed_ = true;
    if (!last_control_) return;
    SetFocus(last_control_);
    SendMessageA(last_control_, EM_SETSEL, 0, -1);
}

void DDX_Text(CDataExchange* dx, int id, CString& value) {
    if (dx->failed()) return;
    HWND control = dx->PrepareEditCtrl(id);
    if (!control) return;
    if (!dx->m_bSaveAndValidate) {
        SetWindowTextA(control, value);
        return;
    }
    int length = GetWindowTextLengthA(control);
    GetWindowTextA(control, value.GetBuffer(length), length + 1);
    value.ReleaseBuffer();
}

void DDV_MaxChars(CDataExchange* dx, const CString& value, int count) {
    if (dx->failed()) return;
    HWND control = dx->last_control();
    if (!dx->m_bSaveAndValidate) {
        if (control) SendMessageA(control, EM_LIMITTEXT, static_cast<WPARAM>(count), 0);
        return;
    }
    if (value.GetLength() <= count) return;
    // The program put a longer text there than a player could type.
    char message[64];
    std::snprintf(message, sizeof message, "Enter no more than %d characters.", count);
    CWinApp* app = AfxGetApp();
    MessageBoxA(dx->m_pDlgWnd->GetSafeHwnd(), message, app ? app->m_pszAppName : nullptr,
                MB_OK | MB_ICONEXCLAMATION);
    dx->Fail();
}
