// Owning wrappers for drawing objects: each deletes its handle when destroyed, so a brush, pen
// or bitmap lives exactly as long as the object that holds it.
#pragma once

#include "platform/win32.h"

class CDC;

class CGdiObject {
  public:
    CGdiObject() = default;
    virtual ~CGdiObject();
    CGdiObject(const CGdiObject&) = delete;
    CGdiObject& operator=(const CGdiObject&) = delete;

    operator HGDIOBJ() const { return m_hObject; }
    HGDIOBJ GetSafeHandle() const { return m_hObject; }

    // Takes ownership of a handle; FALSE when this object already holds one or none is given.
    BOOL Attach(HGDIOBJ object);
    // Gives the handle up without deleting it.
    HGDIOBJ Detach();
    BOOL DeleteObject();
    int GetObject(int count, LPVOID object) const;

    HGDIOBJ m_hObject = nullptr;
};

class CBitmap : public CGdiObject {
  public:
    operator HBITMAP() const { return static_cast<HBITMAP>(m_hObject); }

    // From the program's own resources; case does not matter in the name.
    BOOL LoadBitmap(LPCSTR name) {
        return !m_hObject && Attach(::LoadBitmapA(::GetModuleHandleA(nullptr), name));
    }
    BOOL CreateCompatibleBitmap(CDC* dc, int width, int height);
    BOOL CreateBitmap(int width, int height, UINT planes, UINT bits_per_pixel, const void* bits);
    int GetBitmap(BITMAP* info) const { return GetObject(sizeof(BITMAP), info); }
};

class CBrush : public CGdiObject {
  public:
    CBrush() = default;
    explicit CBrush(COLORREF colour) { CreateSolidBrush(colour); }
    operator HBRUSH() const { return static_cast<HBRUSH>(m_hObject); }
    BOOL CreateSolidBrush(COLORREF colour) {
        return !m_hObject && Attach(::CreateSolidBrush(colour));
    }
};

class CPen : public CGdiObject {
  public:
    CPen() = default;
    CPen(int style, int width, COLORREF colour) { CreatePen(style, width, colour); }
    operator HPEN() const { return static_cast<HPEN>(m_hObject); }
    BOOL CreatePen(int style, int width, COLORREF colour) {
        return !m_hObject && Attach(::CreatePen(style, width, colour));
    }
};

class CFont : public CGdiObject {
  public:
    operator HFONT() const { return static_cast<HFONT>(m_hObject); }
};
