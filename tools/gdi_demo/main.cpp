// Draws a small scene with every drawing operation into a memory bitmap and writes it as a PNG
// file (the first argument, or gdi_demo.png), so the software GDI can be looked at without a
// window.
#include <cstdio>
#include <string>
#include <vector>

#include "framework/dc.h"
#include "framework/gdi_objects.h"
#include "platform/gdi/fonts.h"
#include "platform/gdi/surface_dc.h"
#include "platform/host/headless/headless_host.h"
#include "platform/resources.h"
#include "platform/session.h"
#include "render/sprite.h"
#include "tools/png/surface_png.h"

namespace {

constexpr int kWidth = 400, kHeight = 300;

void DrawHouse(CDC& dc) {
    CBrush sky(RGB(150, 200, 255));
    RECT all{0, 0, kWidth, kHeight};
    dc.FillRect(&all, &sky);
    {
        CBrush lawn(RGB(40, 170, 60));
        ScopedSelect brush(dc, lawn);
        dc.Rectangle(0, 200, kWidth, 225);
        for (int x = 0; x < kWidth; x += 5) {
            dc.MoveTo(x, 200);
            dc.LineTo(x, 195);
        }
    }
    {
        CBrush wall(RGB(230, 200, 150));
        ScopedSelect brush(dc, wall);
        dc.Rectangle(120, 120, 280, 225);
    }
    {
        CBrush roof(RGB(170, 40, 40));
        ScopedSelect brush(dc, roof);
        const POINT points[] = {{200, 50}, {110, 120}, {290, 120}};
        dc.Polygon(points, 3);
    }
    {
        CBrush door(RGB(120, 70, 20));
        ScopedSelect brush(dc, door);
        dc.Rectangle(185, 165, 215, 225);
        CBrush window(RGB(180, 230, 255));
        ScopedSelect window_brush(dc, window);
        dc.Rectangle(140, 140, 170, 170);
        dc.Rectangle(230, 140, 262, 170);
    }
    {
        CBrush sun(RGB(255, 220, 0));
        CPen rays(PS_SOLID, 1, RGB(255, 150, 0));
        ScopedSelect brush(dc, sun);
        ScopedSelect pen(dc, rays);
        dc.Ellipse(330, 20, 370, 60);
        dc.Ellipse(205, 190, 212, 197);
        for (int i = 0; i < 8; ++i) {
            const int dx[] = {0, 28, 40, 28, 0, -28, -40, -28};
            const int dy[] = {-40, -28, 0, 28, 40, 28, 0, -28};
            dc.MoveTo(350 + dx[i] * 6 / 10, 40 + dy[i] * 6 / 10);
            dc.LineTo(350 + dx[i], 40 + dy[i]);
        }
    }
    CBrush path(RGB(190, 190, 190));
    ScopedSelect brush(dc, path);
    dc.Rectangle(0, 250, kWidth, kHeight);
}

void DrawText(CDC& dc) {
    dc.TextOut(10, 1, "TIME LEFT:");
    dc.TextOut(100, 1, "42");
    dc.TextOut(10, 20, "LIVES:");
    dc.SetBkMode(TRANSPARENT);
    dc.SetTextColor(RGB(0, 0, 160));
    HFONT dialog_font = static_cast<HFONT>(GetStockObject(DEFAULT_GUI_FONT));
    HGDIOBJ old_font = ::SelectObject(dc, dialog_font);
    dc.TextOut(10, 260, "MS Sans Serif 8, transparent; wsprintfA:");
    char number[32];
    wsprintfA(number, "%i / %#x / %s", -2027, 255u, "ok");
    dc.TextOut(230, 260, number);
    ::SelectObject(dc, old_font);
    dc.SetBkMode(OPAQUE);
    dc.SetTextColor(RGB(0, 0, 0));
    RECT focus{8, 275, 120, 293};
    dc.DrawFocusRect(&focus);
    dc.TextOut(12, 276, "Focus frame");
}

// A sprite keyed on white, drawn with the five-context composition, and a mask made by
// converting it to monochrome and back.
void DrawSprites(CDC& dc) {
    std::vector<uint32_t> pixels(24 * 30, 0xFFFFFF);
    for (int y = 0; y < 30; ++y) {
        for (int x = 0; x < 24; ++x) {
            int cx = x - 12, cy = y - 12;
            if (cx * cx + cy * cy < 100) pixels[y * 24 + x] = 0x30A030;
            if (y >= 20 && x >= 8 && x < 16) pixels[y * 24 + x] = 0x204080;
        }
    }
    CSprite sprite;
    sprite.Attach(platform::gdi::CreateBitmapFromPixels(24, 30, pixels.data()));
    sprite.DrawTransparent(&dc, 40, 215, RGB(255, 255, 255));
    sprite.DrawTransparent(&dc, -10, 100, RGB(255, 255, 255));
    sprite.Draw(&dc, 70, 215);

    CDC image, mask;
    image.CreateCompatibleDC(&dc);
    mask.CreateCompatibleDC(&dc);
    CBitmap mask_bitmap;
    mask_bitmap.CreateBitmap(24, 30, 1, 1, nullptr);
    ScopedSelect select_image(image, sprite);
    ScopedSelect select_mask(mask, mask_bitmap);
    image.SetBkColor(RGB(255, 255, 255));
    mask.BitBlt(0, 0, 24, 30, &image, 0, 0, SRCCOPY);
    dc.SetTextColor(RGB(200, 0, 0));
    dc.SetBkColor(RGB(255, 255, 0));
    dc.BitBlt(100, 215, 24, 30, &mask, 0, 0, SRCCOPY);
    dc.BitBlt(130, 230, 24, 30, &mask, 0, 0, NOTSRCCOPY);
    dc.SetTextColor(RGB(0, 0, 0));
    dc.SetBkColor(RGB(255, 255, 255));
    dc.BitBlt(300, 230, 60, 15, &dc, 0, 200, SRCINVERT);
    dc.SetPixel(395, 295, RGB(255, 0, 255));
}

}  // namespace

int main(int argc, char** argv) {
    std::string path = argc > 1 ? argv[1] : "gdi_demo.png";
    std::string problem;
    if (!platform::gdi::FontsAvailable(&problem)) {
        std::fprintf(stderr, "%s\n", problem.c_str());
        return 1;
    }
    platform::headless::HeadlessHost host;
    platform::ResourceCatalogue resources;
    platform::Session session(host, resources, argv[0]);
    platform::Surface picture;
    {
        CBitmap canvas;
        CDC dc;
        dc.CreateCompatibleDC(nullptr);
        canvas.CreateBitmap(kWidth, kHeight, 1, 32, nullptr);
        ScopedSelect select(dc, canvas);
        DrawHouse(dc);
        DrawText(dc);
        DrawSprites(dc);
        picture = *platform::gdi::BitmapSurface(canvas);
    }
    if (!png::WritePng(path, picture)) {
        std::fprintf(stderr, "Could not write %s\n", path.c_str());
        return 1;
    }
    std::printf("Wrote %s\n", path.c_str());
    return 0;
}
