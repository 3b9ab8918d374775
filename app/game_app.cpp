#include "app/game_app.h"

#include "app/game_wnd.h"

// Named after the program file: the caption of the application's message boxes.
CGameApp theApp;

BOOL CGameApp::InitInstance() {
    m_pMainWnd = new CGameWnd;
    m_pMainWnd->ShowWindow(m_nCmdShow);
    // The first paint draws the scene and starts the timers before the loop begins.
    m_pMainWnd->UpdateWindow();
    return TRUE;
}
