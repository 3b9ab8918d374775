// CGameApp: the program's one application object. It builds the main window and shows it.
#pragma once

#include "framework/win_app.h"

class CGameApp : public CWinApp {
  public:
    BOOL InitInstance() override;
};
