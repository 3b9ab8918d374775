// The three simple dialogs: the splash with "PLAY!" and "Story", the story, and About.
#pragma once

#include "framework/dialog.h"

// Ends only by "PLAY!": "Story" (and so Escape, which sends the same id) opens the story.
class CSplashDlg : public CDialog {
  public:
    CSplashDlg();

  protected:
    void OnPlay();
    void OnStory();
    DECLARE_MESSAGE_MAP()
};

class CStoryDlg : public CDialog {
  public:
    CStoryDlg();

  protected:
    void DoDataExchange(CDataExchange* dx) override;
    DECLARE_MESSAGE_MAP()
};

class CAboutDlg : public CDialog {
  public:
    CAboutDlg();

  protected:
    void DoDataExchange(CDataExchange* dx) override;
    DECLARE_MESSAGE_MAP()
};
