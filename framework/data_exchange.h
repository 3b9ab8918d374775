// Dialog data exchange: a dialog's DoDataExchange names, control by control, which member
// goes with which control (DDX_) and what the member must satisfy (DDV_). The same calls load
// the controls when a dialog opens and save and check them when it is accepted.
#pragma once

#include "platform/win32.h"

class CDialog;
class CString;
class CWnd;

class CDataExchange {
  public:
    CDataExchange(CDialog* dialog, BOOL saveAndValidate);

    BOOL m_bSaveAndValidate;  // TRUE: controls to members, checked; FALSE: members to controls
    CDialog* m_pDlgWnd;

    // The edit control with this id, remembered as the one a following DDV_ call checks.
    HWND PrepareEditCtrl(int id);
    HWND last_control() const { return last_control_; }

    // Gives the last prepared control the focus and stops the exchange: DDX_ and DDV_ calls
    // after a failure do nothing, and UpdateData answers FALSE.
    void Fail();
    bool failed() const { return failed_; }

  private:
    HWND last_control_ = nullptr;
    bool failed_ = false;
};

// The text of edit control `id` and a string member.
void DDX_Text(CDataExchange* dx, int id, CString& value);
// A string member of at most `count` characters: when loading, the control prepared last is
// limited to that many; when saving, a longer text fails the exchange with a message.
void DDV_MaxChars(CDataExchange* dx, const CString& value, int count);
