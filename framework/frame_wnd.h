// CFrameWnd: a top-level frame window with the framework's default frame class and a sunken
// client edge. The frame owns its object: it deletes it after the window's last message.
#pragma once

#include "framework/wnd.h"

class CFrameWnd : public CWnd {
  public:
    static const RECT rectDefault;  // lets the system choose the position and size

    CFrameWnd();
    ~CFrameWnd() override;

    // `class_name` nullptr: the default frame class (redraws on any resize, double clicks,
    // the system's window colour, the arrow cursor, the standard application icon).
    BOOL Create(LPCSTR class_name, LPCSTR title, DWORD style = WS_OVERLAPPEDWINDOW,
                const RECT& rect = rectDefault, CWnd* parent = nullptr, LPCSTR menu_name = nullptr,
                DWORD ex_style = 0);
    BOOL PreCreateWindow(CREATESTRUCTA& create) override;
    void PostNcDestroy() override;

  protected:
    DECLARE_MESSAGE_MAP()
};
