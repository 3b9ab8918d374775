// CDialog: a modal dialog made from a template in the program's resources. DoModal runs it
// with its owner disabled; ids 1 and 2 end it through OnOK and OnCancel unless the derived
// dialog's own message map takes them first. Data moves between members and controls in
// DoDataExchange, called by UpdateData.
#pragma once

#include "framework/wnd.h"
#include "platform/win32.h"

class CDataExchange;

class CDialog : public CWnd {
  public:
    explicit CDialog(UINT templateId, CWnd* parent = nullptr);
    ~CDialog() override;

    // Runs the dialog until it ends and returns its result (IDOK, IDCANCEL, or what
    // EndDialog was given); -1 when the template is missing or the dialog cannot be made.
    // Without a parent the owner is the application's main window, else the active window.
    virtual int DoModal();
    void EndDialog(int result);

    // Loading (FALSE) fills the controls from the members; saving (TRUE) reads them back and
    // validates. FALSE when validation failed; the offending control then has the focus.
    BOOL UpdateData(BOOL saveAndValidate = TRUE);

    // WM_INITDIALOG: loads the controls. TRUE lets the focus go to the first tab stop.
    virtual BOOL OnInitDialog();

    UINT m_nIDTemplate;
    CWnd* m_pParentWnd;

  protected:
    virtual void DoDataExchange(CDataExchange* dx);
    // Saves and validates the data, then ends the dialog with IDOK.
    virtual void OnOK();
    // Ends the dialog with IDCANCEL.
    virtual void OnCancel();
    void PostNcDestroy() override;

    DECLARE_MESSAGE_MAP()

  private:
    static INT_PTR CALLBACK StartProc(HWND hwnd, UINT message, WPARAM wparam, LPARAM lparam);
    HWND OwnerForRun() const;
};
