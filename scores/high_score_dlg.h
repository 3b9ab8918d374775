// CHighScoreDlg: asks a player whose score made the table for a name. Only the "OK" button
// accepts a name, and only a non-empty one; leaving any other way accepts nothing.
#pragma once

#include "framework/cstring.h"
#include "framework/dialog.h"

class CHighScoreDlg : public CDialog {
  public:
    CHighScoreDlg();
    ~CHighScoreDlg() override;

    CString m_Name;          // the name field's text
    CString m_AcceptedName;  // set only by "OK"; empty after Escape

  protected:
    DECLARE_MESSAGE_MAP()

    void DoDataExchange(CDataExchange* dx) override;
    void OnNameOK();
};
