// CSprite: a bitmap that draws itself opaque or colour-keyed onto a window's drawing context.
#pragma once

#include "framework/dc.h"
#include "framework/gdi_objects.h"
#include "platform/win32.h"

class CSprite : public CBitmap {
  public:
    // Copies the whole bitmap with its top-left corner at (x, y) on `target`.
    virtual void Draw(CDC* target, int x, int y);
    // As Draw, but pixels of colour `key` let `target` show through. The picture is composed
    // off screen and written to `target` in one copy, so no half-drawn state is ever seen.
    virtual void DrawTransparent(CDC* target, int x, int y, COLORREF key);
};
