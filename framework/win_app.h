// CWinApp: the program's one application object, made as a process-wide object before the
// framework's WinMain runs. WinMain sets it up, calls InitInstance and runs the message loop.
#pragma once

#include <string>

#include "framework/wnd.h"
#include "platform/win32.h"

class CWinApp {
  public:
    // With no name, the application is named after its program file (without directory and
    // extension) when WinMain sets it up.
    explicit CWinApp(LPCSTR app_name = nullptr);
    virtual ~CWinApp();
    CWinApp(const CWinApp&) = delete;
    CWinApp& operator=(const CWinApp&) = delete;

    virtual BOOL InitInstance();
    // The message loop; returns the exit code that WM_QUIT carried.
    virtual int Run();
    virtual int ExitInstance();

    CWnd* m_pMainWnd = nullptr;
    int m_nCmdShow = SW_SHOWNORMAL;
    HINSTANCE m_hInstance = nullptr;
    LPCSTR m_pszAppName = nullptr;
    LPSTR m_lpCmdLine = nullptr;

    // WinMain's part: instance, command line, show command and the name.
    void SetUp(HINSTANCE instance, LPSTR command_line, int show_command);

  private:
    std::string name_;  // what m_pszAppName points into
    bool named_by_caller_ = false;
    int exit_code_ = 0;
};

CWinApp* AfxGetApp();

// A message box owned by the main window, captioned with the application's name; without an
// icon of its own it shows the exclamation mark (the question mark when it asks yes or no).
int AfxMessageBox(LPCSTR text, UINT type = MB_OK, UINT help_context = 0);
