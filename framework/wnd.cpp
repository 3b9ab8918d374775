#include "framework/wnd.h"

#include <cassert>
#include <cstdio>
#include <memory>
#include <set>
#include <string>
#include <unordered_map>

#include "framework/cstring.h"
#include "framework/win_app.h"

namespace {

// Which object belongs to which window. The framework's own bookkeeping for the one
// user-interface thread, kept in a fiber-local slot: it ends with the thread, and window handles
// of a later one never find these objects.
struct Registry {
    ~Registry() {
        // The wrapped windows end with the thread; the wrappers must not reach for them.
        for (auto& [hwnd, wnd] : temporary) wnd->m_hWnd = nullptr;
        for (auto& [hwnd, wnd] : permanent) wnd->m_hWnd = nullptr;
    }
    std::unordered_map<HWND, CWnd*> permanent;
    std::unordered_map<HWND, std::unique_ptr<CWnd>> temporary;
    CWnd* creating = nullptr;  // the object whose window is being created
    std::set<std::string> class_names;
};

void WINAPI DeleteRegistry(PVOID registry) {
    delete static_cast<Registry*>(registry);
}

Registry& Windows() {
    static const DWORD slot = FlsAlloc(&DeleteRegistry);
    auto* registry = static_cast<Registry*>(FlsGetValue(slot));
    if (!registry) {
        auto made = std::make_unique<Registry>();
        [[maybe_unused]] BOOL kept = FlsSetValue(slot, made.get());
        assert(kept && "the framework's windows live inside a platform session");
        registry = made.release();
    }
    return *registry;
}

}  // namespace

LPCSTR AfxRegisterWndClass(UINT style, HCURSOR cursor, HBRUSH background, HICON icon) {
    char name[96];
    std::snprintf(name, sizeof name, "ZfWnd:%x:%p:%p:%p", style, static_cast<void*>(cursor),
                  static_cast<void*>(background), static_cast<void*>(icon));
    const std::string& stored = *Windows().class_names.insert(name).first;
    WNDCLASSA wc{};
    wc.style = style;
    wc.lpfnWndProc = &CWnd::FrameworkWndProc;
    wc.hInstance = GetModuleHandleA(nullptr);
    wc.hIcon = icon;
    wc.hCursor = cursor;
    wc.hbrBackground = background;
    wc.lpszClassName = stored.c_str();
    RegisterClassA(&wc);  // fails harmlessly when this session has it already
    return stored.c_str();
}

// Message routing, kept beside the registry it needs.
struct WndRouting {
    static LRESULT Route(CWnd* wnd, HWND hwnd, UINT message, WPARAM wparam, LPARAM lparam) {
        MSG saved = wnd->current_;
        wnd->current_ = MSG{hwnd, message, wparam, lparam, 0, POINT{}};
        LRESULT result = wnd->WindowProc(message, wparam, lparam);
        if (message == WM_NCDESTROY) {
            AfterLastMessage(wnd, hwnd);
            return result;
        }
        // The handler may have destroyed the window, and a frame its object with it.
        if (CWnd::FromHandlePermanent(hwnd) == wnd) wnd->current_ = saved;
        return result;
    }

    static void AfterLastMessage(CWnd* wnd, HWND hwnd) {
        // Destroying the application's main window ends the program's message loop.
        CWinApp* app = AfxGetApp();
        if (app && app->m_pMainWnd == wnd) {
            app->m_pMainWnd = nullptr;
            PostQuitMessage(0);
        }
        Windows().permanent.erase(hwnd);
        if (wnd->super_proc_)
            SetWindowLongPtrA(hwnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(wnd->super_proc_));
        wnd->m_hWnd = nullptr;
        wnd->super_proc_ = nullptr;
        wnd->PostNcDestroy();
    }
};

CWnd::CWnd() = default;

CWnd::~CWnd() {
    if (!m_hWnd) return;
    // The object goes before its window: the window carries on without it.
    HWND hwnd = Detach();
    if (IsWindow(hwnd)) ::DestroyWindow(hwnd);
}

LRESULT CALLBACK CWnd::FrameworkWndProc(HWND hwnd, UINT message, WPARAM wparam, LPARAM lparam) {
    Registry& registry = Windows();
    CWnd* wnd = FromHandlePermanent(hwnd);
    if (!wnd && registry.creating) {
        wnd = registry.creating;
        registry.creating = nullptr;
        wnd->Attach(hwnd);
    }
    if (!wnd) return ::DefWindowProcA(hwnd, message, wparam, lparam);
    return WndRouting::Route(wnd, hwnd, message, wparam, lparam);
}

CWnd* CWnd::FromHandlePermanent(HWND hwnd) {
    auto& permanent = Windows().permanent;
    auto it = permanent.find(hwnd);
    return it == permanent.end() ? nullptr : it->second;
}

CWnd* CWnd::FromHandle(HWND hwnd) {
    if (!hwnd) return nullptr;
    if (CWnd* wnd = FromHandlePermanent(hwnd)) return wnd;
    auto& temporary = Windows().temporary;
    auto& slot = temporary[hwnd];
    if (!slot) {
        slot = std::make_unique<CWnd>();
        slot->m_hWnd = hwnd;
    }
    return slot.get();
}

void CWnd::DeleteTempMap() {
    auto& temporary = Windows().temporary;
    for (auto& [hwnd, wnd] : temporary) wnd->m_hWnd = nullptr;  // not theirs to destroy
    temporary.clear();
}

BOOL CWnd::Attach(HWND hwnd) {
    assert(!m_hWnd && "this object already has a window");
    if (!hwnd || FromHandlePermanent(hwnd)) return FALSE;
    m_hWnd = hwnd;
    Windows().permanent[hwnd] = this;
    return TRUE;
}

BOOL CWnd::SubclassWindow(HWND hwnd) {
    if (!Attach(hwnd)) return FALSE;
    auto proc = reinterpret_cast<WNDPROC>(GetWindowLongPtrA(hwnd, GWLP_WNDPROC));
    if (proc != &FrameworkWndProc) {
        super_proc_ = proc;
        SetWindowLongPtrA(hwnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&FrameworkWndProc));
    }
    return TRUE;
}

HWND CWnd::Detach() {
    HWND hwnd = m_hWnd;
    if (hwnd) {
        Windows().permanent.erase(hwnd);
        if (super_proc_ && IsWindow(hwnd))
            SetWindowLongPtrA(hwnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(super_proc_));
    }
    m_hWnd = nullptr;
    super_proc_ = nullptr;
    return hwnd;
}

BOOL CWnd::Create(LPCSTR class_name, LPCSTR window_name, DWORD style, const RECT& rect,
                  CWnd* parent, UINT id, LPVOID param) {
    if (!class_name) class_name = AfxRegisterWndClass(CS_DBLCLKS, LoadCursorA(nullptr, IDC_ARROW));
    return CreateEx(0, class_name, window_name, style | WS_CHILD, rect.left, rect.top,
                    rect.right - rect.left, rect.bottom - rect.top,
                    parent ? parent->m_hWnd : nullptr,
                    reinterpret_cast<HMENU>(static_cast<UINT_PTR>(id)), param);
}

BOOL CWnd::CreateEx(DWORD ex_style, LPCSTR class_name, LPCSTR window_name, DWORD style, int x,
                    int y, int width, int height, HWND parent, HMENU menu, LPVOID param) {
    CREATESTRUCTA create{
        param, GetModuleHandleA(nullptr), menu,        parent,     height,  width, y,
        x,     static_cast<LONG>(style),  window_name, class_name, ex_style};
    if (!PreCreateWindow(create)) return FALSE;
    Registry& registry = Windows();
    registry.creating = this;
    HWND hwnd = ::CreateWindowExA(create.dwExStyle, create.lpszClass, create.lpszName,
                                  static_cast<DWORD>(create.style), create.x, create.y, create.cx,
                                  create.cy, create.hwndParent, create.hMenu, create.hInstance,
                                  create.lpCreateParams);
    registry.creating = nullptr;
    // A class of somebody else's: its messages come through us from now on.
    if (hwnd && !m_hWnd) SubclassWindow(hwnd);
    return hwnd != nullptr;
}

BOOL CWnd::PreCreateWindow(CREATESTRUCTA&) {
    return TRUE;
}
BOOL CWnd::DestroyWindow() {
    return m_hWnd ? ::DestroyWindow(m_hWnd) : FALSE;
}
BOOL CWnd::ShowWindow(int command) {
    return ::ShowWindow(m_hWnd, command);
}
void CWnd::UpdateWindow() {
    ::UpdateWindow(m_hWnd);
}
void CWnd::Invalidate(BOOL erase) {
    ::InvalidateRect(m_hWnd, nullptr, erase);
}
void CWnd::InvalidateRect(LPCRECT rect, BOOL erase) {
    ::InvalidateRect(m_hWnd, rect, erase);
}
void CWnd::ValidateRect(LPCRECT rect) {
    ::ValidateRect(m_hWnd, rect);
}

UINT_PTR CWnd::SetTimer(UINT_PTR id, UINT elapse, TIMERPROC proc) {
    return ::SetTimer(m_hWnd, id, elapse, proc);
}

BOOL CWnd::KillTimer(UINT_PTR id) {
    return ::KillTimer(m_hWnd, id);
}

int CWnd::MessageBox(LPCSTR text, LPCSTR caption, UINT type) {
    if (!caption) caption = AfxGetApp() ? AfxGetApp()->m_pszAppName : nullptr;
    return ::MessageBoxA(m_hWnd, text, caption, type);
}

void CWnd::GetClientRect(LPRECT rect) const {
    ::GetClientRect(m_hWnd, rect);
}
void CWnd::GetWindowRect(LPRECT rect) const {
    ::GetWindowRect(m_hWnd, rect);
}

LRESULT CWnd::SendMessage(UINT message, WPARAM wparam, LPARAM lparam) {
    return ::SendMessageA(m_hWnd, message, wparam, lparam);
}

BOOL CWnd::PostMessage(UINT message, WPARAM wparam, LPARAM lparam) {
    return ::PostMessageA(m_hWnd, message, wparam, lparam);
}

CWnd* CWnd::GetDlgItem(int id) const {
    return FromHandle(::GetDlgItem(m_hWnd, id));
}
CWnd* CWnd::GetParent() const {
    return FromHandle(::GetParent(m_hWnd));
}
BOOL CWnd::EnableWindow(BOOL enable) {
    return ::EnableWindow(m_hWnd, enable);
}
BOOL CWnd::IsWindowEnabled() const {
    return ::IsWindowEnabled(m_hWnd);
}
BOOL CWnd::IsWindowVisible() const {
    return ::IsWindowVisible(m_hWnd);
}
CWnd* CWnd::SetFocus() {
    return FromHandle(::SetFocus(m_hWnd));
}
CWnd* CWnd::GetFocus() {
    return FromHandle(::GetFocus());
}
void CWnd::SetWindowText(LPCSTR text) {
    ::SetWindowTextA(m_hWnd, text);
}

int CWnd::GetWindowText(LPSTR buffer, int size) const {
    return ::GetWindowTextA(m_hWnd, buffer, size);
}

void CWnd::GetWindowText(CString& text) const {
    int length = GetWindowTextLength();
    GetWindowText(text.GetBuffer(length), length + 1);
    text.ReleaseBuffer();
}

int CWnd::GetWindowTextLength() const {
    return ::GetWindowTextLengthA(m_hWnd);
}
int CWnd::GetDlgCtrlID() const {
    return ::GetDlgCtrlID(m_hWnd);
}

void CWnd::MoveWindow(int x, int y, int width, int height, BOOL repaint) {
    ::MoveWindow(m_hWnd, x, y, width, height, repaint);
}

void CWnd::MoveWindow(LPCRECT rect, BOOL repaint) {
    MoveWindow(rect->left, rect->top, rect->right - rect->left, rect->bottom - rect->top, repaint);
}

LRESULT CWnd::Default() {
    return DefWindowProc(current_.message, current_.wParam, current_.lParam);
}

LRESULT CWnd::DefWindowProc(UINT message, WPARAM wparam, LPARAM lparam) {
    if (super_proc_) return ::CallWindowProcA(super_proc_, m_hWnd, message, wparam, lparam);
    return ::DefWindowProcA(m_hWnd, message, wparam, lparam);
}

LRESULT CWnd::WindowProc(UINT message, WPARAM wparam, LPARAM lparam) {
    if (message == WM_COMMAND) {
        if (OnCommand(wparam, lparam)) return 0;
        return DefWindowProc(message, wparam, lparam);
    }
    for (const MessageMap* map = GetMessageMap(); map; map = map->base ? map->base() : nullptr)
        for (const MessageMapEntry* entry = map->entries; entry->message; ++entry)
            if (entry->message == message) return entry->call(this, wparam, lparam);
    return DefWindowProc(message, wparam, lparam);
}

BOOL CWnd::OnCommand(WPARAM wparam, LPARAM lparam) {
    UINT id = LOWORD(wparam);
    // Command entries take clicks and menu choices (code 0) and accelerators (1), not other
    // notifications such as an edit control's EN_CHANGE.
    if (HIWORD(wparam) > 1) return FALSE;
    for (const MessageMap* map = GetMessageMap(); map; map = map->base ? map->base() : nullptr) {
        for (const MessageMapEntry* entry = map->entries; entry->message; ++entry) {
            if (entry->message == WM_COMMAND && entry->id == id) {
                entry->call(this, wparam, lparam);
                return TRUE;
            }
        }
    }
    return FALSE;
}

void CWnd::PostNcDestroy() {}

const MessageMap* CWnd::GetThisMessageMap() {
    static constexpr MessageMapEntry entries[] = {{0, 0, nullptr}};
    static constexpr MessageMap map = {nullptr, entries};
    return &map;
}

const MessageMap* CWnd::GetMessageMap() const {
    return GetThisMessageMap();
}

void CWnd::OnPaint() {
    Default();
}
void CWnd::OnTimer(UINT_PTR) {
    Default();
}
void CWnd::OnKeyDown(UINT, UINT, UINT) {
    Default();
}
void CWnd::OnKeyUp(UINT, UINT, UINT) {
    Default();
}
void CWnd::OnChar(UINT, UINT, UINT) {
    Default();
}
void CWnd::OnLButtonDown(UINT, CPoint) {
    Default();
}
void CWnd::OnLButtonUp(UINT, CPoint) {
    Default();
}
void CWnd::OnLButtonDblClk(UINT, CPoint) {
    Default();
}
void CWnd::OnRButtonDown(UINT, CPoint) {
    Default();
}
void CWnd::OnRButtonUp(UINT, CPoint) {
    Default();
}
void CWnd::OnMouseMove(UINT, CPoint) {
    Default();
}
void CWnd::OnSize(UINT, int, int) {
    Default();
}
int CWnd::OnCreate(CREATESTRUCTA*) {
    return static_cast<int>(Default());
}
void CWnd::OnDestroy() {
    Default();
}
void CWnd::OnClose() {
    Default();
}
