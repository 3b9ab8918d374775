// The drawing-object wrappers.
#include "framework/gdi_objects.h"

#include "framework/dc.h"

CGdiObject::~CGdiObject() {
    DeleteObject();
}

BOOL CGdiObject::Attach(HGDIOBJ object) {
    if (m_hObject || !object) return FALSE;
    m_hObject = object;
    return TRUE;
}

HGDIOBJ CGdiObject::Detach() {
    HGDIOBJ object = m_hObject;
    m_hObject = nullptr;
    return object;
}

BOOL CGdiObject::DeleteObject() {
    if (!m_hObject) return FALSE;
    return ::DeleteObject(Detach());
}

int CGdiObject::GetObject(int count, LPVOID object) const {
    return m_hObject ? ::GetObjectA(m_hObject, count, object) : 0;
}

BOOL CBitmap::CreateCompatibleBitmap(CDC* dc, int width, int height) {
    return !m_hObject &&
           Attach(::CreateCompatibleBitmap(dc ? dc->GetSafeHdc() : nullptr, width, height));
}

BOOL CBitmap::CreateBitmap(int width, int height, UINT planes, UINT bits_per_pixel,
                           const void* bits) {
    return !m_hObject && Attach(::CreateBitmap(width, height, planes, bits_per_pixel, bits));
}
