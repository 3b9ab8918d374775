// CDC: a drawing context with the classic framework's member functions over an HDC. Destroying a
// CDC deletes the DC it holds; CClientDC and CPaintDC derive from it and release theirs instead.
// ScopedSelect puts back whatever a selection replaced.
#pragma once

#include <memory>
#include <vector>

#include "framework/gdi_objects.h"
#include "platform/win32.h"

class CDC {
  public:
    CDC() = default;
    virtual ~CDC();
    CDC(const CDC&) = delete;
    CDC& operator=(const CDC&) = delete;

    operator HDC() const { return m_hDC; }
    HDC GetSafeHdc() const { return m_hDC; }
    BOOL Attach(HDC hdc);
    HDC Detach();

    BOOL CreateCompatibleDC(CDC* dc);
    BOOL DeleteDC();

    // Each returns the object that was selected before (an object this CDC keeps for the
    // purpose when the handle is not one of the caller's), or nullptr on failure.
    CGdiObject* SelectObject(CGdiObject* object);
    CBitmap* SelectObject(CBitmap* bitmap);
    CBrush* SelectObject(CBrush* brush);
    CPen* SelectObject(CPen* pen);
    CFont* SelectObject(CFont* font);
    CGdiObject* SelectStockObject(int index);

    BOOL Rectangle(int left, int top, int right, int bottom);
    BOOL Rectangle(LPCRECT rect);
    BOOL Ellipse(int left, int top, int right, int bottom);
    BOOL Ellipse(LPCRECT rect);
    BOOL Polygon(const POINT* points, int count);
    POINT MoveTo(int x, int y);
    POINT MoveTo(POINT point) { return MoveTo(point.x, point.y); }
    BOOL LineTo(int x, int y);
    BOOL LineTo(POINT point) { return LineTo(point.x, point.y); }
    void FillRect(LPCRECT rect, CBrush* brush);
    void DrawFocusRect(LPCRECT rect);
    COLORREF SetPixel(int x, int y, COLORREF colour);
    COLORREF GetPixel(int x, int y) const;

    BOOL TextOut(int x, int y, LPCSTR text, int count);
    BOOL TextOut(int x, int y, LPCSTR text);
    SIZE GetTextExtent(LPCSTR text, int count) const;
    BOOL GetTextMetrics(TEXTMETRICA* metrics) const;

    BOOL BitBlt(int x, int y, int width, int height, CDC* source, int source_x, int source_y,
                DWORD rop);

    COLORREF SetBkColor(COLORREF colour);
    COLORREF GetBkColor() const;
    COLORREF SetTextColor(COLORREF colour);
    COLORREF GetTextColor() const;
    int SetBkMode(int mode);
    int GetBkMode() const;
    int GetMapMode() const;
    int SetMapMode(int mode);
    BOOL DPtoLP(LPPOINT points, int count = 1) const;

    HDC m_hDC = nullptr;

  private:
    template <typename T>
    T* Previous(HGDIOBJ handle);

    // Stand-ins for previously selected handles that belong to nobody here; they never delete.
    std::vector<std::unique_ptr<CGdiObject>> stand_ins_;
};

// Selects an object for the length of a scope and then selects back what it replaced.
class ScopedSelect {
  public:
    ScopedSelect(HDC dc, HGDIOBJ object) : dc_(dc), previous_(::SelectObject(dc, object)) {}
    ScopedSelect(CDC& dc, CGdiObject& object) : ScopedSelect(dc.GetSafeHdc(), object.m_hObject) {}
    ~ScopedSelect() {
        if (previous_) ::SelectObject(dc_, previous_);
    }
    ScopedSelect(const ScopedSelect&) = delete;
    ScopedSelect& operator=(const ScopedSelect&) = delete;

    // FALSE when the selection failed (nothing will be put back).
    explicit operator bool() const { return previous_ != nullptr; }

  private:
    HDC dc_;
    HGDIOBJ previous_;
};
