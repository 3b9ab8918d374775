#include "framework/frame_wnd.h"

namespace {
// The icon number a frame looks for in the program's resources before the system's.
constexpr int kFrameIconId = 128;
}  // namespace

const RECT CFrameWnd::rectDefault = {CW_USEDEFAULT, CW_USEDEFAULT, 0, 0};

CFrameWnd::CFrameWnd() = default;
CFrameWnd::~CFrameWnd() = default;

BOOL CFrameWnd::Create(LPCSTR class_name, LPCSTR title, DWORD style, const RECT& rect, CWnd* parent,
                       LPCSTR, DWORD ex_style) {
    int x = rect.left, y = rect.top;
    int width = rect.right - rect.left, height = rect.bottom - rect.top;
    if (rect.left == CW_USEDEFAULT) width = height = CW_USEDEFAULT;
    return CreateEx(ex_style, class_name, title, style, x, y, width, height,
                    parent ? parent->m_hWnd : nullptr, nullptr);
}

BOOL CFrameWnd::PreCreateWindow(CREATESTRUCTA& create) {
    if (!create.lpszClass) {
        HINSTANCE instance = GetModuleHandleA(nullptr);
        HICON icon = LoadIconA(instance, MAKEINTRESOURCEA(kFrameIconId));
        if (!icon) icon = LoadIconA(nullptr, IDI_APPLICATION);
        create.lpszClass = AfxRegisterWndClass(CS_HREDRAW | CS_VREDRAW | CS_DBLCLKS,
                                               LoadCursorA(nullptr, IDC_ARROW),
                                               reinterpret_cast<HBRUSH>(COLOR_WINDOW + 1), icon);
    }
    create.dwExStyle |= WS_EX_CLIENTEDGE;
    return TRUE;
}

void CFrameWnd::PostNcDestroy() {
    delete this;
}

BEGIN_MESSAGE_MAP(CFrameWnd, CWnd)
END_MESSAGE_MAP()
