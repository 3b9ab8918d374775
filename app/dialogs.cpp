#include "app/dialogs.h"

#include "resources/resource_ids.h"

CSplashDlg::CSplashDlg() : CDialog(IDD_SPLASH) {}

BEGIN_MESSAGE_MAP(CSplashDlg, CDialog)
ON_COMMAND(IDC_PLAY, OnPlay)
ON_COMMAND(IDC_STORY, OnStory)
END_MESSAGE_MAP()

void CSplashDlg::OnPlay() {
    OnOK();
}

void CSplashDlg::OnStory() {
    // Owned by the splash, the active window now; the splash waits for it.
    CStoryDlg story;
    story.DoModal();
}

CStoryDlg::CStoryDlg() : CDialog(IDD_STORY) {}

void CStoryDlg::DoDataExchange(CDataExchange* dx) {
    CDialog::DoDataExchange(dx);
}

BEGIN_MESSAGE_MAP(CStoryDlg, CDialog)
END_MESSAGE_MAP()

CAboutDlg::CAboutDlg() : CDialog(IDD_ABOUT) {}

void CAboutDlg::DoDataExchange(CDataExchange* dx) {
    CDialog::DoDataExchange(dx);
}

BEGIN_MESSAGE_MAP(CAboutDlg, CDialog)
END_MESSAGE_MAP()
