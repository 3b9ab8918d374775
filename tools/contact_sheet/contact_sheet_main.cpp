// zandrofel-contact-sheet OUT.png: lays out every bitmap resource of the program, as LoadBitmapA
// builds it from the embedded bytes, at its own size with its name and size beneath, on a grey
// sheet, in rows no wider than the sky. For review of the pictures as the game really sees them.
#include <algorithm>
#include <cstdio>
#include <fstream>
#include <string>
#include <vector>

#include "harness/test_support.h"
#include "platform/resources.h"
#include "platform/win32.h"
#include "tools/png/png_encoder.h"

namespace {

constexpr int kMargin = 8;
constexpr int kLabelHeight = 32;  // two lines of the dialog font
constexpr int kRowWidth = 800 + 2 * kMargin;
constexpr COLORREF kSheetColour = RGB(72, 76, 88);

struct Picture {
    std::string name;
    HBITMAP bitmap;
    int width;
    int height;
    int x = 0;
    int y = 0;
};

std::string NameOf(LPCSTR name) {
    if (IS_INTRESOURCE(name)) return std::to_string(reinterpret_cast<ULONG_PTR>(name));
    std::string lower = name;
    std::transform(lower.begin(), lower.end(), lower.begin(),
                   [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    return lower;
}

std::vector<Picture> LoadPictures() {
    std::vector<Picture> pictures;
    for (const platform::ResourceEntry& entry : platform::ModuleResources().entries()) {
        if (entry.type != RT_BITMAP) continue;
        HBITMAP bitmap = LoadBitmapA(GetModuleHandleA(nullptr), entry.name);
        BITMAP info{};
        if (!bitmap || !GetObjectA(bitmap, sizeof info, &info)) {
            std::fprintf(stderr, "zandrofel-contact-sheet: %s does not load\n",
                         NameOf(entry.name).c_str());
            if (bitmap) DeleteObject(bitmap);
            continue;
        }
        pictures.push_back({NameOf(entry.name), bitmap, info.bmWidth, info.bmHeight});
    }
    return pictures;
}

// Places the pictures left to right in rows; returns the sheet's height.
int LayOut(std::vector<Picture>& pictures) {
    int x = kMargin, y = kMargin, row_height = 0;
    for (Picture& picture : pictures) {
        int cell_width = std::max(picture.width, 90);
        if (x > kMargin && x + cell_width + kMargin > kRowWidth) {
            x = kMargin;
            y += row_height + kLabelHeight + kMargin;
            row_height = 0;
        }
        picture.x = x;
        picture.y = y;
        x += cell_width + kMargin;
        row_height = std::max(row_height, picture.height);
    }
    return y + row_height + kLabelHeight + kMargin;
}

void Draw(HDC sheet, const std::vector<Picture>& pictures, int height) {
    HBRUSH background = CreateSolidBrush(kSheetColour);
    RECT all{0, 0, kRowWidth, height};
    FillRect(sheet, &all, background);
    DeleteObject(background);
    HDC source = CreateCompatibleDC(sheet);
    HGDIOBJ old_font = SelectObject(sheet, GetStockObject(DEFAULT_GUI_FONT));
    SetBkMode(sheet, TRANSPARENT);
    SetTextColor(sheet, RGB(255, 255, 255));
    for (const Picture& picture : pictures) {
        HGDIOBJ old = SelectObject(source, picture.bitmap);
        BitBlt(sheet, picture.x, picture.y, picture.width, picture.height, source, 0, 0, SRCCOPY);
        SelectObject(source, old);
        std::string size = std::to_string(picture.width) + " x " + std::to_string(picture.height);
        int text_y = picture.y + picture.height + 2;
        TextOutA(sheet, picture.x, text_y, picture.name.c_str(),
                 static_cast<int>(picture.name.size()));
        TextOutA(sheet, picture.x, text_y + 14, size.c_str(), static_cast<int>(size.size()));
    }
    SelectObject(sheet, old_font);
    DeleteDC(source);
}

bool WritePng(HDC sheet, int width, int height, const std::string& path) {
    std::vector<uint8_t> rgb;
    rgb.reserve(static_cast<size_t>(width) * height * 3);
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x) {
            COLORREF c = GetPixel(sheet, x, y);
            rgb.insert(rgb.end(), {GetRValue(c), GetGValue(c), GetBValue(c)});
        }
    }
    std::vector<uint8_t> png = png::Encode(width, height, png::Channels::kRgb, rgb);
    std::ofstream file(path, std::ios::binary);
    file.write(reinterpret_cast<const char*>(png.data()), static_cast<std::streamsize>(png.size()));
    return static_cast<bool>(file);
}

}  // namespace

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: zandrofel-contact-sheet OUT.png\n");
        return 2;
    }
    harness::HeadlessSession env(platform::ModuleResources(), "zandrofel");
    std::vector<Picture> pictures = LoadPictures();
    int height = LayOut(pictures);
    HDC screen = CreateCompatibleDC(nullptr);
    HBITMAP canvas = CreateBitmap(kRowWidth, height, 1, 32, nullptr);
    HGDIOBJ old = SelectObject(screen, canvas);
    Draw(screen, pictures, height);
    bool written = WritePng(screen, kRowWidth, height, argv[1]);
    SelectObject(screen, old);
    DeleteObject(canvas);
    DeleteDC(screen);
    for (const Picture& picture : pictures) DeleteObject(picture.bitmap);
    if (!written) {
        std::fprintf(stderr, "zandrofel-contact-sheet: cannot write %s\n", argv[1]);
        return 1;
    }
    std::printf("%s: %zu pictures\n", argv[1], pictures.size());
    return pictures.empty() ? 1 : 0;
}
