// The sprite's two drawing operations.
#include "render/sprite.h"

namespace {

struct Geometry {
    BITMAP info{};
    POINT size{0, 0};    // the copy size, in the target's logical units
    POINT origin{0, 0};  // the source origin, likewise
};

// False when there is no bitmap: one that failed to load draws nothing.
bool CopyGeometry(const CSprite& sprite, CDC* target, Geometry* geometry) {
    if (!sprite.GetBitmap(&geometry->info)) return false;
    geometry->size = {geometry->info.bmWidth, geometry->info.bmHeight};
    target->DPtoLP(&geometry->size);
    target->DPtoLP(&geometry->origin);
    return true;
}

}  // namespace

void CSprite::Draw(CDC* target, int x, int y) {
    Geometry geometry;
    if (!CopyGeometry(*this, target, &geometry)) return;
    const POINT size = geometry.size, origin = geometry.origin;
    CDC image;
    image.CreateCompatibleDC(target);
    CBitmap* old_image = image.SelectObject(this);
    image.SetMapMode(target->GetMapMode());
    target->BitBlt(x, y, size.x, size.y, &image, origin.x, origin.y, SRCCOPY);
    image.SelectObject(old_image);
    image.DeleteDC();
}

void CSprite::DrawTransparent(CDC* target, int x, int y, COLORREF key) {
    Geometry geometry;
    if (!CopyGeometry(*this, target, &geometry)) return;
    const POINT size = geometry.size, origin = geometry.origin;
    const BITMAP& info = geometry.info;
    const int map_mode = target->GetMapMode();

    CDC image;
    image.CreateCompatibleDC(target);
    CBitmap* old_image = image.SelectObject(this);
    image.SetMapMode(map_mode);

    CDC copy;
    copy.CreateCompatibleDC(target);
    CBitmap copy_bitmap;
    copy_bitmap.CreateCompatibleBitmap(&image, info.bmWidth, info.bmHeight);
    CBitmap* old_copy = copy.SelectObject(&copy_bitmap);
    copy.SetMapMode(map_mode);
    copy.BitBlt(origin.x, origin.y, size.x, size.y, &image, origin.x, origin.y, SRCCOPY);

    // Key-coloured pixels become 1 in the mask, all others 0.
    CDC mask;
    mask.CreateCompatibleDC(target);
    CBitmap mask_bitmap;
    mask_bitmap.CreateBitmap(info.bmWidth, info.bmHeight, 1, 1, nullptr);
    CBitmap* old_mask = mask.SelectObject(&mask_bitmap);
    mask.SetMapMode(map_mode);
    COLORREF old_background = image.SetBkColor(key);
    mask.BitBlt(origin.x, origin.y, size.x, size.y, &image, origin.x, origin.y, SRCCOPY);
    image.SetBkColor(old_background);

    // 1 marks the pixels to draw.
    CDC inverse;
    inverse.CreateCompatibleDC(target);
    CBitmap inverse_bitmap;
    inverse_bitmap.CreateBitmap(info.bmWidth, info.bmHeight, 1, 1, nullptr);
    CBitmap* old_inverse = inverse.SelectObject(&inverse_bitmap);
    inverse.SetMapMode(map_mode);
    inverse.BitBlt(origin.x, origin.y, size.x, size.y, &mask, origin.x, origin.y, NOTSRCCOPY);

    // The copy turns black where the key was.
    copy.BitBlt(origin.x, origin.y, size.x, size.y, &inverse, origin.x, origin.y, SRCAND);

    // What the target shows under the sprite, blacked out where the sprite will be, then the
    // sprite XORed into the black.
    CDC composite;
    composite.CreateCompatibleDC(target);
    CBitmap composite_bitmap;
    composite_bitmap.CreateCompatibleBitmap(&image, info.bmWidth, info.bmHeight);
    CBitmap* old_composite = composite.SelectObject(&composite_bitmap);
    composite.SetMapMode(map_mode);
    composite.BitBlt(origin.x, origin.y, size.x, size.y, target, x, y, SRCCOPY);
    composite.BitBlt(origin.x, origin.y, size.x, size.y, &mask, origin.x, origin.y, SRCAND);
    composite.BitBlt(origin.x, origin.y, size.x, size.y, &copy, origin.x, origin.y, SRCINVERT);

    // The one write to the target.
    target->BitBlt(x, y, size.x, size.y, &composite, origin.x, origin.y, SRCCOPY);

    composite.SelectObject(old_composite);
    inverse.SelectObject(old_inverse);
    mask.SelectObject(old_mask);
    copy.SelectObject(old_copy);
    image.SelectObject(old_image);
    composite_bitmap.DeleteObject();
    composite.DeleteDC();
    inverse_bitmap.DeleteObject();
    inverse.DeleteDC();
    mask_bitmap.DeleteObject();
    mask.DeleteDC();
    copy_bitmap.DeleteObject();
    copy.DeleteDC();
    image.DeleteDC();
}
