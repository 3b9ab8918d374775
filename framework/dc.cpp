// CDC's member functions: thin calls through to the drawing operations.
#include "framework/dc.h"

#include <cstring>

namespace {

// Wraps a handle without owning it.
template <typename T>
class StandIn : public T {
  public:
    explicit StandIn(HGDIOBJ handle) { this->m_hObject = handle; }
    ~StandIn() override { this->Detach(); }
};

}  // namespace

CDC::~CDC() {
    if (m_hDC) ::DeleteDC(Detach());
}

BOOL CDC::Attach(HDC hdc) {
    if (m_hDC || !hdc) return FALSE;
    m_hDC = hdc;
    return TRUE;
}

HDC CDC::Detach() {
    HDC hdc = m_hDC;
    m_hDC = nullptr;
    stand_ins_.clear();
    return hdc;
}

BOOL CDC::CreateCompatibleDC(CDC* dc) {
    return !m_hDC && Attach(::CreateCompatibleDC(dc ? dc->GetSafeHdc() : nullptr));
}

BOOL CDC::DeleteDC() {
    if (!m_hDC) return FALSE;
    return ::DeleteDC(Detach());
}

template <typename T>
T* CDC::Previous(HGDIOBJ handle) {
    if (!handle) return nullptr;
    for (const auto& stand_in : stand_ins_) {
        if (stand_in->m_hObject == handle) {
            if (T* typed = dynamic_cast<T*>(stand_in.get())) return typed;
        }
    }
    auto stand_in = std::make_unique<StandIn<T>>(handle);
    T* result = stand_in.get();
    stand_ins_.push_back(std::move(stand_in));
    return result;
}

CGdiObject* CDC::SelectObject(CGdiObject* object) {
    return Previous<CGdiObject>(::SelectObject(m_hDC, object ? object->m_hObject : nullptr));
}
CBitmap* CDC::SelectObject(CBitmap* bitmap) {
    return Previous<CBitmap>(::SelectObject(m_hDC, bitmap ? bitmap->m_hObject : nullptr));
}
CBrush* CDC::SelectObject(CBrush* brush) {
    return Previous<CBrush>(::SelectObject(m_hDC, brush ? brush->m_hObject : nullptr));
}
CPen* CDC::SelectObject(CPen* pen) {
    return Previous<CPen>(::SelectObject(m_hDC, pen ? pen->m_hObject : nullptr));
}
CFont* CDC::SelectObject(CFont* font) {
    return Previous<CFont>(::SelectObject(m_hDC, font ? font->m_hObject : nullptr));
}
CGdiObject* CDC::SelectStockObject(int index) {
    return Previous<CGdiObject>(::SelectObject(m_hDC, ::GetStockObject(index)));
}

BOOL CDC::Rectangle(int left, int top, int right, int bottom) {
    return ::Rectangle(m_hDC, left, top, right, bottom);
}
BOOL CDC::Rectangle(LPCRECT rect) {
    return rect && ::Rectangle(m_hDC, rect->left, rect->top, rect->right, rect->bottom);
}
BOOL CDC::Ellipse(int left, int top, int right, int bottom) {
    return ::Ellipse(m_hDC, left, top, right, bottom);
}
BOOL CDC::Ellipse(LPCRECT rect) {
    return rect && ::Ellipse(m_hDC, rect->left, rect->top, rect->right, rect->bottom);
}
BOOL CDC::Polygon(const POINT* points, int count) {
    return ::Polygon(m_hDC, points, count);
}

POINT CDC::MoveTo(int x, int y) {
    POINT previous{0, 0};
    ::MoveToEx(m_hDC, x, y, &previous);
    return previous;
}
BOOL CDC::LineTo(int x, int y) {
    return ::LineTo(m_hDC, x, y);
}

void CDC::FillRect(LPCRECT rect, CBrush* brush) {
    ::FillRect(m_hDC, rect, brush ? static_cast<HBRUSH>(*brush) : nullptr);
}
void CDC::DrawFocusRect(LPCRECT rect) {
    ::DrawFocusRect(m_hDC, rect);
}
COLORREF CDC::SetPixel(int x, int y, COLORREF colour) {
    return ::SetPixel(m_hDC, x, y, colour);
}
COLORREF CDC::GetPixel(int x, int y) const {
    return ::GetPixel(m_hDC, x, y);
}

BOOL CDC::TextOut(int x, int y, LPCSTR text, int count) {
    return ::TextOutA(m_hDC, x, y, text, count);
}
BOOL CDC::TextOut(int x, int y, LPCSTR text) {
    return text && TextOut(x, y, text, static_cast<int>(std::strlen(text)));
}
SIZE CDC::GetTextExtent(LPCSTR text, int count) const {
    SIZE size{0, 0};
    ::GetTextExtentPoint32A(m_hDC, text, count, &size);
    return size;
}
BOOL CDC::GetTextMetrics(TEXTMETRICA* metrics) const {
    return ::GetTextMetricsA(m_hDC, metrics);
}

BOOL CDC::BitBlt(int x, int y, int width, int height, CDC* source, int source_x, int source_y,
                 DWORD rop) {
    return ::BitBlt(m_hDC, x, y, width, height, source ? source->GetSafeHdc() : nullptr, source_x,
                    source_y, rop);
}

COLORREF CDC::SetBkColor(COLORREF colour) {
    return ::SetBkColor(m_hDC, colour);
}
COLORREF CDC::GetBkColor() const {
    return ::GetBkColor(m_hDC);
}
COLORREF CDC::SetTextColor(COLORREF colour) {
    return ::SetTextColor(m_hDC, colour);
}
COLORREF CDC::GetTextColor() const {
    return ::GetTextColor(m_hDC);
}
int CDC::SetBkMode(int mode) {
    return ::SetBkMode(m_hDC, mode);
}
int CDC::GetBkMode() const {
    return ::GetBkMode(m_hDC);
}
int CDC::GetMapMode() const {
    return ::GetMapMode(m_hDC);
}
int CDC::SetMapMode(int mode) {
    return ::SetMapMode(m_hDC, mode);
}
BOOL CDC::DPtoLP(LPPOINT points, int count) const {
    return ::DPtoLP(m_hDC, points, count);
}
