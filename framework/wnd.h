// CWnd: a C++ object attached to a window. Messages reach it through its class's message map
// (and the maps of its bases); whatever no map takes goes to the default window procedure.
#pragma once

#include "framework/message_map.h"
#include "platform/win32.h"

class CString;

// Registers (once) a window class whose procedure is the framework's and returns its name.
LPCSTR AfxRegisterWndClass(UINT style, HCURSOR cursor = nullptr, HBRUSH background = nullptr,
                           HICON icon = nullptr);

class CWnd {
  public:
    CWnd();
    virtual ~CWnd();
    CWnd(const CWnd&) = delete;
    CWnd& operator=(const CWnd&) = delete;

    HWND m_hWnd = nullptr;
    operator HWND() const { return m_hWnd; }
    HWND GetSafeHwnd() const { return m_hWnd; }

    // The object attached to a window; for a window of nobody's, a temporary object that the
    // framework deletes when the message loop next goes idle.
    static CWnd* FromHandle(HWND hwnd);
    // The attached object only; nullptr for a window of nobody's.
    static CWnd* FromHandlePermanent(HWND hwnd);
    static void DeleteTempMap();
    BOOL Attach(HWND hwnd);
    HWND Detach();
    // Attaches to a window of another procedure and routes its messages through this object;
    // what no map takes goes on to that procedure.
    BOOL SubclassWindow(HWND hwnd);

    // `class_name` nullptr: the framework's plain window class.
    BOOL Create(LPCSTR class_name, LPCSTR window_name, DWORD style, const RECT& rect, CWnd* parent,
                UINT id, LPVOID param = nullptr);
    BOOL CreateEx(DWORD ex_style, LPCSTR class_name, LPCSTR window_name, DWORD style, int x, int y,
                  int width, int height, HWND parent, HMENU menu, LPVOID param = nullptr);
    virtual BOOL PreCreateWindow(CREATESTRUCTA& create);
    virtual BOOL DestroyWindow();

    BOOL ShowWindow(int command);
    void UpdateWindow();
    void Invalidate(BOOL erase = TRUE);
    void InvalidateRect(LPCRECT rect, BOOL erase = TRUE);
    void ValidateRect(LPCRECT rect);
    UINT_PTR SetTimer(UINT_PTR id, UINT elapse, TIMERPROC proc = nullptr);
    BOOL KillTimer(UINT_PTR id);
    // `caption` nullptr: the application's name.
    int MessageBox(LPCSTR text, LPCSTR caption = nullptr, UINT type = MB_OK);
    void GetClientRect(LPRECT rect) const;
    void GetWindowRect(LPRECT rect) const;
    LRESULT SendMessage(UINT message, WPARAM wparam = 0, LPARAM lparam = 0);
    BOOL PostMessage(UINT message, WPARAM wparam = 0, LPARAM lparam = 0);
    CWnd* GetDlgItem(int id) const;
    CWnd* GetParent() const;
    BOOL EnableWindow(BOOL enable = TRUE);
    BOOL IsWindowEnabled() const;
    BOOL IsWindowVisible() const;
    CWnd* SetFocus();
    static CWnd* GetFocus();
    void SetWindowText(LPCSTR text);
    int GetWindowText(LPSTR buffer, int size) const;
    void GetWindowText(CString& text) const;
    int GetWindowTextLength() const;
    int GetDlgCtrlID() const;
    void MoveWindow(int x, int y, int width, int height, BOOL repaint = TRUE);
    void MoveWindow(LPCRECT rect, BOOL repaint = TRUE);

    // The default handling of the message being handled now.
    LRESULT Default();
    // Routes a message: commands to OnCommand, others through the maps, the rest to
    // DefWindowProc.
    virtual LRESULT WindowProc(UINT message, WPARAM wparam, LPARAM lparam);
    virtual LRESULT DefWindowProc(UINT message, WPARAM wparam, LPARAM lparam);
    // Finds the command's id in the maps; FALSE when none handles it.
    virtual BOOL OnCommand(WPARAM wparam, LPARAM lparam);
    // Called after the window's last message; a frame deletes itself here.
    virtual void PostNcDestroy();

    // The window procedure of every window the framework creates or attaches.
    static LRESULT CALLBACK FrameworkWndProc(HWND hwnd, UINT message, WPARAM wparam, LPARAM lparam);

  protected:
    static const MessageMap* GetThisMessageMap();
    virtual const MessageMap* GetMessageMap() const;

    // Default handlers; each passes the message on to Default().
    void OnPaint();
    void OnTimer(UINT_PTR id);
    void OnKeyDown(UINT key, UINT repeat, UINT flags);
    void OnKeyUp(UINT key, UINT repeat, UINT flags);
    void OnChar(UINT character, UINT repeat, UINT flags);
    void OnLButtonDown(UINT flags, CPoint point);
    void OnLButtonUp(UINT flags, CPoint point);
    void OnLButtonDblClk(UINT flags, CPoint point);
    void OnRButtonDown(UINT flags, CPoint point);
    void OnRButtonUp(UINT flags, CPoint point);
    void OnMouseMove(UINT flags, CPoint point);
    void OnSize(UINT type, int width, int height);
    int OnCreate(CREATESTRUCTA* create);
    void OnDestroy();
    void OnClose();

  private:
    friend struct WndRouting;

    WNDPROC super_proc_ = nullptr;  // the class's own procedure, for windows we subclassed
    MSG current_{};                 // the message being handled, for Default()
};
