#include "platform/user/dialog/message_box_icons.h"

#include <initializer_list>

namespace platform::user {
namespace {

// Pen and brush for one shape, put back and deleted when it is drawn.
class Paints {
  public:
    Paints(HDC hdc, COLORREF outline, COLORREF fill)
        : hdc_(hdc), pen_(CreatePen(PS_SOLID, 1, outline)), brush_(CreateSolidBrush(fill)) {
        old_pen_ = SelectObject(hdc_, pen_);
        old_brush_ = SelectObject(hdc_, brush_);
    }
    ~Paints() {
        SelectObject(hdc_, old_pen_);
        SelectObject(hdc_, old_brush_);
        DeleteObject(pen_);
        DeleteObject(brush_);
    }
    Paints(const Paints&) = delete;
    Paints& operator=(const Paints&) = delete;

  private:
    HDC hdc_;
    HPEN pen_;
    HBRUSH brush_;
    HGDIOBJ old_pen_;
    HGDIOBJ old_brush_;
};

void Shape(HDC hdc, int x, int y, std::initializer_list<POINT> points, COLORREF outline,
           COLORREF fill) {
    POINT moved[8];
    int n = 0;
    for (POINT p : points) moved[n++] = POINT{x + p.x, y + p.y};
    Paints paints(hdc, outline, fill);
    Polygon(hdc, moved, n);
}

void Blocks(HDC hdc, int x, int y, std::initializer_list<RECT> blocks, COLORREF colour) {
    HBRUSH brush = CreateSolidBrush(colour);
    for (RECT r : blocks) {
        RECT moved{x + r.left, y + r.top, x + r.right, y + r.bottom};
        FillRect(hdc, &moved, brush);
    }
    DeleteObject(brush);
}

void Stop(HDC hdc, int x, int y) {
    {
        Paints paints(hdc, RGB(128, 0, 0), RGB(255, 0, 0));
        Ellipse(hdc, x + 1, y + 1, x + 31, y + 31);
    }
    const COLORREF white = RGB(255, 255, 255);
    Shape(hdc, x, y, {{9, 11}, {11, 9}, {22, 20}, {20, 22}}, white, white);
    Shape(hdc, x, y, {{20, 9}, {22, 11}, {11, 22}, {9, 20}}, white, white);
}

void Balloon(HDC hdc, int x, int y) {
    const COLORREF black = RGB(0, 0, 0), white = RGB(255, 255, 255);
    Shape(hdc, x, y, {{7, 20}, {5, 30}, {15, 22}}, black, white);
    {
        Paints paints(hdc, black, white);
        Ellipse(hdc, x + 1, y + 1, x + 31, y + 25);
    }
    // The tail's joint, drawn over the balloon's outline.
    Blocks(hdc, x, y, {{8, 20, 14, 23}}, white);
}

void Question(HDC hdc, int x, int y) {
    Balloon(hdc, x, y);
    Blocks(hdc, x, y,
           {{12, 4, 20, 6},
            {10, 6, 13, 9},
            {19, 6, 22, 11},
            {16, 11, 20, 13},
            {14, 13, 17, 16},
            {14, 18, 17, 21}},
           RGB(0, 0, 255));
}

void Information(HDC hdc, int x, int y) {
    Balloon(hdc, x, y);
    Blocks(hdc, x, y, {{14, 4, 18, 8}, {12, 10, 18, 12}, {14, 12, 18, 19}, {12, 19, 20, 21}},
           RGB(0, 0, 255));
}

void Exclamation(HDC hdc, int x, int y) {
    Shape(hdc, x, y, {{15, 1}, {16, 1}, {31, 29}, {31, 30}, {0, 30}, {0, 29}}, RGB(0, 0, 0),
          RGB(255, 255, 0));
    Blocks(hdc, x, y, {{14, 9, 18, 21}, {14, 23, 18, 27}}, RGB(0, 0, 0));
}

}  // namespace

void DrawMessageIcon(HDC hdc, int x, int y, UINT icon) {
    switch (icon & MB_ICONMASK) {
        case MB_ICONHAND:
            Stop(hdc, x, y);
            break;
        case MB_ICONQUESTION:
            Question(hdc, x, y);
            break;
        case MB_ICONEXCLAMATION:
            Exclamation(hdc, x, y);
            break;
        case MB_ICONASTERISK:
            Information(hdc, x, y);
            break;
        default:
            break;
    }
}

}  // namespace platform::user
