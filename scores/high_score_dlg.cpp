// The name-entry dialog over template 101: a name field of at most twenty characters and its
// "OK" button.
#include "scores/high_score_dlg.h"

#include "framework/data_exchange.h"
#include "resources/resource_ids.h"
#include "scores/high_scores.h"

CHighScoreDlg::CHighScoreDlg() : CDialog(IDD_NAME_ENTRY) {}

CHighScoreDlg::~CHighScoreDlg() = default;

BEGIN_MESSAGE_MAP(CHighScoreDlg, CDialog)
ON_BN_CLICKED(IDC_NAME_OK, OnNameOK)
END_MESSAGE_MAP()

void CHighScoreDlg::DoDataExchange(CDataExchange* dx) {
    CDialog::DoDataExchange(dx);
    DDX_Text(dx, IDC_NAME, m_Name);
    DDV_MaxChars(dx, m_Name, kMaxNameLength);
}

void CHighScoreDlg::OnNameOK() {
    UpdateData(TRUE);
    if (m_Name.IsEmpty()) {
        // The dialog stays open for another try.
        MessageBox("You need to enter your name!", "Error", MB_ICONHAND);
        return;
    }
    m_AcceptedName = m_Name;
    OnOK();
}
