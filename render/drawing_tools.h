// Small owners the painters share: a solid brush selected for a run of shapes, and the one
// memory DC through which a routine copies its plain pictures.
#pragma once

#include "framework/dc.h"
#include "framework/gdi_objects.h"
#include "platform/win32.h"

// A solid brush selected into a DC while the object lives. The previous brush goes back in
// before this one is deleted.
class SolidFill {
  public:
    SolidFill(CDC& dc, COLORREF colour) : brush_(colour), select_(dc, brush_) {}

  private:
    CBrush brush_;
    ScopedSelect select_;
};

// A pen selected into a DC while the object lives, put back and deleted like SolidFill's brush.
class SolidPen {
  public:
    SolidPen(CDC& dc, COLORREF colour) : pen_(PS_SOLID, 1, colour), select_(dc, pen_) {}

  private:
    CPen pen_;
    ScopedSelect select_;
};

// Copies plain pictures opaque, each at the fixed size its caller states rather than the
// picture's own: where that size runs past the picture, the window keeps what it had.
class PlainCopier {
  public:
    explicit PlainCopier(CDC& target) : target_(target) { memory_.CreateCompatibleDC(&target); }

    void Copy(CBitmap& picture, int x, int y, int width, int height) {
        // A picture that failed to load draws nothing (rather than whatever was selected last).
        if (!memory_.SelectObject(&picture)) return;
        target_.BitBlt(x, y, width, height, &memory_, 0, 0, SRCCOPY);
    }

  private:
    CDC& target_;
    // Deleted with the last picture still selected; the pictures stay with the window.
    CDC memory_;
};
