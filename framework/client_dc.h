// Drawing contexts of a window: CClientDC over its whole client area (GetDC / ReleaseDC) and
// CPaintDC for a paint handler (BeginPaint / EndPaint).
#pragma once

#include "framework/dc.h"
#include "framework/wnd.h"

class CClientDC : public CDC {
  public:
    explicit CClientDC(CWnd* wnd);
    ~CClientDC() override;

  protected:
    HWND m_hWnd;
};

class CPaintDC : public CDC {
  public:
    explicit CPaintDC(CWnd* wnd);
    ~CPaintDC() override;

    PAINTSTRUCT m_ps{};

  protected:
    HWND m_hWnd;
};
