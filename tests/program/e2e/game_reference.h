// The game's pictures and text as the program draws them, made in the test's own process by the
// same drawing code, and a comparison of them with screenshots.
#pragma once

#include <cstdint>
#include <string>

#include "harness.h"
#include "platform/host/headless/headless_host.h"
#include "platform/resources.h"
#include "platform/session.h"
#include "platform/win32.h"

namespace e2e {

// Pictures and text as the program draws them, made in this process by the same code.
class Reference {
  public:
    Image Picture(const char* name) {
        HBITMAP bitmap = LoadBitmapA(GetModuleHandleA(nullptr), name);
        BITMAP info{};
        GetObjectA(bitmap, sizeof info, &info);
        Image image = ReadBack(bitmap, info.bmWidth, info.bmHeight, nullptr);
        DeleteObject(bitmap);
        return image;
    }
    Image Text(const std::string& text) {
        HDC screen = CreateCompatibleDC(nullptr);
        SIZE size{};
        GetTextExtentPoint32A(screen, text.c_str(), static_cast<int>(text.size()), &size);
        HBITMAP bitmap = CreateBitmap(size.cx, size.cy, 1, 32, nullptr);
        Image image = ReadBack(bitmap, size.cx, size.cy, text.c_str());
        DeleteObject(bitmap);
        DeleteDC(screen);
        return image;
    }

  private:
    Image ReadBack(HBITMAP bitmap, int width, int height, const char* text) {
        HDC dc = CreateCompatibleDC(nullptr);
        HGDIOBJ old = SelectObject(dc, bitmap);
        if (text) TextOutA(dc, 0, 0, text, static_cast<int>(std::string(text).size()));
        Image image{width, height, {}};
        for (int y = 0; y < height; ++y) {
            for (int x = 0; x < width; ++x) {
                COLORREF c = GetPixel(dc, x, y);
                image.pixels.push_back((uint32_t{GetRValue(c)} << 16) |
                                       (uint32_t{GetGValue(c)} << 8) | GetBValue(c));
            }
        }
        SelectObject(dc, old);
        DeleteDC(dc);
        return image;
    }

    platform::headless::HeadlessHost host_;
    platform::Session session_{host_, platform::ModuleResources(), "reference"};
};

// The screenshot shows `part` at (x, y); where `key` is given, pixels of that colour in the
// part are not compared.
inline bool Shows(const Image& shot, const Image& part, int x, int y, int64_t key = -1) {
    if (x < 0 || y < 0 || x + part.width > shot.width || y + part.height > shot.height)
        return false;
    for (int row = 0; row < part.height; ++row) {
        for (int column = 0; column < part.width; ++column) {
            uint32_t want = part.At(column, row);
            if (static_cast<int64_t>(want) == key) continue;
            if (shot.At(x + column, y + row) != want) return false;
        }
    }
    return true;
}

}  // namespace e2e
