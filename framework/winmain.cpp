// The program's entry point: sets up the application object, lets it build its windows, runs
// its message loop and tidies up the main window if the loop ended while it still existed.
#include <cassert>

#include "framework/win_app.h"

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR command_line, int show_command) {
    CWinApp* app = AfxGetApp();
    assert(app && "the program has no application object");
    app->SetUp(instance, command_line, show_command);
    int exit_code;
    if (!app->InitInstance()) {
        exit_code = app->ExitInstance();
    } else {
        exit_code = app->Run();
    }
    // A main window left over (the loop ended by a quit of its own) goes the ordinary way, so
    // its object and everything it owns are freed.
    if (app->m_pMainWnd && app->m_pMainWnd->m_hWnd) app->m_pMainWnd->DestroyWindow();
    CWnd::DeleteTempMap();
    return exit_code;
}
