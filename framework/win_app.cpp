#include "framework/win_app.h"

#include <cassert>

namespace {
// The application object: there is exactly one, made before WinMain runs.
CWinApp* g_app = nullptr;

std::string NameFromPath(const std::string& path) {
    size_t slash = path.find_last_of("/\\");
    std::string name = slash == std::string::npos ? path : path.substr(slash + 1);
    size_t dot = name.find_last_of('.');
    if (dot != std::string::npos && dot > 0) name.resize(dot);
    return name;
}
}  // namespace

CWinApp::CWinApp(LPCSTR app_name) {
    assert(!g_app && "a program has one application object");
    g_app = this;
    if (app_name) {
        name_ = app_name;
        named_by_caller_ = true;
        m_pszAppName = name_.c_str();
    }
}

CWinApp::~CWinApp() {
    if (g_app == this) g_app = nullptr;
}

CWinApp* AfxGetApp() {
    return g_app;
}

void CWinApp::SetUp(HINSTANCE instance, LPSTR command_line, int show_command) {
    m_hInstance = instance;
    m_lpCmdLine = command_line;
    m_nCmdShow = show_command;
    m_pMainWnd = nullptr;
    exit_code_ = 0;
    if (!named_by_caller_) {
        char path[4096];
        DWORD length = GetModuleFileNameA(nullptr, path, sizeof path);
        name_ = NameFromPath(std::string(path, length < sizeof path ? length : 0));
        m_pszAppName = name_.c_str();
    }
}

BOOL CWinApp::InitInstance() {
    return TRUE;
}

int CWinApp::Run() {
    MSG msg;
    for (;;) {
        // Windows of nobody's that were wrapped for a moment are let go once all is quiet.
        if (!PeekMessageA(&msg, nullptr, 0, 0, PM_NOREMOVE)) CWnd::DeleteTempMap();
        if (!GetMessageA(&msg, nullptr, 0, 0)) break;
        TranslateMessage(&msg);
        DispatchMessageA(&msg);
    }
    exit_code_ = static_cast<int>(msg.wParam);
    return ExitInstance();
}

int CWinApp::ExitInstance() {
    return exit_code_;
}

int AfxMessageBox(LPCSTR text, UINT type, UINT) {
    CWinApp* app = AfxGetApp();
    HWND owner = app && app->m_pMainWnd ? app->m_pMainWnd->m_hWnd : nullptr;
    if (!(type & MB_ICONMASK)) {
        type |= (type & MB_TYPEMASK) == MB_YESNO ? MB_ICONQUESTION : MB_ICONEXCLAMATION;
    }
    return MessageBoxA(owner, text, app ? app->m_pszAppName : nullptr, type);
}
