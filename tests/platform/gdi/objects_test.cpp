// Handles and objects: fresh DC defaults, stock objects, deferred deletion, bad handles,
// bitmap formats and sizes.
#include <gtest/gtest.h>

#include <cstring>

#include "platform/gdi/surface_dc.h"
#include "tests/support/session_fixture.h"

namespace {

using platform::ObjectKind;

class ObjectTest : public test_support::SessionTest {};

BITMAP InfoOf(HGDIOBJ bitmap) {
    BITMAP info{};
    EXPECT_EQ(GetObjectA(bitmap, sizeof info, &info), static_cast<int>(sizeof info));
    return info;
}

TEST_F(ObjectTest, AFreshMemoryDcHasTheDefaultObjectsAndColours) {
    HDC dc = CreateCompatibleDC(nullptr);
    ASSERT_NE(dc, nullptr);
    EXPECT_EQ(GetCurrentObject(dc, OBJ_PEN), GetStockObject(BLACK_PEN));
    EXPECT_EQ(GetCurrentObject(dc, OBJ_BRUSH), GetStockObject(WHITE_BRUSH));
    EXPECT_EQ(GetCurrentObject(dc, OBJ_FONT), GetStockObject(SYSTEM_FONT));
    BITMAP info = InfoOf(GetCurrentObject(dc, OBJ_BITMAP));
    EXPECT_EQ(info.bmWidth, 1);
    EXPECT_EQ(info.bmHeight, 1);
    EXPECT_EQ(info.bmBitsPixel, 1);
    EXPECT_EQ(GetTextColor(dc), RGB(0, 0, 0));
    EXPECT_EQ(GetBkColor(dc), RGB(255, 255, 255));
    EXPECT_EQ(GetBkMode(dc), OPAQUE);
    EXPECT_EQ(GetMapMode(dc), MM_TEXT);
    POINT previous{-1, -1};
    MoveToEx(dc, 3, 4, &previous);
    EXPECT_EQ(previous.x, 0);
    EXPECT_EQ(previous.y, 0);
    EXPECT_EQ(GetCurrentObject(dc, 99), nullptr);
    EXPECT_EQ(Live(ObjectKind::kDeviceContext), 1);
    EXPECT_TRUE(DeleteDC(dc));
    EXPECT_FALSE(DeleteDC(dc));
}

TEST_F(ObjectTest, SettersReturnThePreviousValueAndRefuseWhatIsNotThere) {
    HDC dc = CreateCompatibleDC(nullptr);
    EXPECT_EQ(SetBkColor(dc, RGB(1, 2, 3)), RGB(255, 255, 255));
    EXPECT_EQ(SetBkColor(dc, 0xFF112233), RGB(1, 2, 3));
    EXPECT_EQ(GetBkColor(dc), 0x00112233u);  // palette flags are dropped
    EXPECT_EQ(SetTextColor(dc, RGB(9, 8, 7)), RGB(0, 0, 0));
    EXPECT_EQ(SetBkMode(dc, TRANSPARENT), OPAQUE);
    EXPECT_EQ(SetBkMode(dc, 7), 0);
    EXPECT_EQ(GetBkMode(dc), TRANSPARENT);
    EXPECT_EQ(SetMapMode(dc, MM_TEXT), MM_TEXT);
    EXPECT_EQ(SetMapMode(dc, 2), 0);  // only one unit per pixel exists
    EXPECT_EQ(GetMapMode(dc), MM_TEXT);
    POINT points[2] = {{5, -6}, {100, 200}};
    EXPECT_TRUE(DPtoLP(dc, points, 2));
    EXPECT_EQ(points[0].x, 5);
    EXPECT_EQ(points[1].y, 200);
    EXPECT_FALSE(DPtoLP(dc, nullptr, 1));
    DeleteDC(dc);
    // The same calls on the dead DC.
    EXPECT_EQ(SetBkColor(dc, 0), CLR_INVALID);
    EXPECT_EQ(GetTextColor(dc), CLR_INVALID);
    EXPECT_EQ(SetBkMode(dc, OPAQUE), 0);
    EXPECT_EQ(GetMapMode(dc), 0);
    EXPECT_FALSE(DPtoLP(dc, points, 1));
    EXPECT_FALSE(Rectangle(dc, 0, 0, 1, 1));
    EXPECT_FALSE(BitBlt(dc, 0, 0, 1, 1, nullptr, 0, 0, BLACKNESS));
}

TEST_F(ObjectTest, StockObjectsAreNotCountedAndSurviveDeletion) {
    for (int index : {WHITE_BRUSH, LTGRAY_BRUSH, GRAY_BRUSH, DKGRAY_BRUSH, BLACK_BRUSH, NULL_BRUSH,
                      WHITE_PEN, BLACK_PEN, NULL_PEN, SYSTEM_FONT, DEFAULT_GUI_FONT}) {
        HGDIOBJ stock = GetStockObject(index);
        ASSERT_NE(stock, nullptr) << index;
        EXPECT_TRUE(DeleteObject(stock));
        EXPECT_EQ(GetStockObject(index), stock);
    }
    EXPECT_EQ(GetStockObject(-1), nullptr);
    EXPECT_EQ(GetStockObject(9), nullptr);  // no stock object there
    EXPECT_EQ(GetStockObject(1000), nullptr);
    HDC dc = CreateCompatibleDC(nullptr);
    EXPECT_NE(SelectObject(dc, GetStockObject(GRAY_BRUSH)), nullptr);
    DeleteDC(dc);
}

TEST_F(ObjectTest, DeletingASelectedObjectWaitsUntilItIsDeselected) {
    HDC dc = CreateCompatibleDC(nullptr);
    HBRUSH brush = CreateSolidBrush(RGB(1, 2, 3));
    HGDIOBJ original = SelectObject(dc, brush);
    EXPECT_TRUE(DeleteObject(brush));
    EXPECT_EQ(Live(ObjectKind::kBrush), 1);  // still alive, still selected
    EXPECT_EQ(GetCurrentObject(dc, OBJ_BRUSH), brush);
    EXPECT_TRUE(DeleteObject(brush));  // asking twice is harmless
    EXPECT_EQ(SelectObject(dc, original), brush);
    EXPECT_EQ(Live(ObjectKind::kBrush), 0);  // died when let go
    EXPECT_FALSE(DeleteObject(brush));
    EXPECT_EQ(SelectObject(dc, brush), nullptr);

    // A pen shared by two DCs dies with the last of them.
    HDC other = CreateCompatibleDC(nullptr);
    HPEN pen = CreatePen(PS_SOLID, 1, RGB(0, 0, 0));
    SelectObject(dc, pen);
    SelectObject(other, pen);
    DeleteObject(pen);
    DeleteDC(dc);
    EXPECT_EQ(Live(ObjectKind::kPen), 1);
    DeleteDC(other);
    EXPECT_EQ(Live(ObjectKind::kPen), 0);
}

TEST_F(ObjectTest, WrongKindsAndStaleHandlesFailCleanly) {
    HDC dc = CreateCompatibleDC(nullptr);
    HBRUSH brush = CreateSolidBrush(0);
    EXPECT_EQ(SelectObject(dc, dc), nullptr);
    EXPECT_FALSE(DeleteObject(dc));
    EXPECT_FALSE(DeleteDC(reinterpret_cast<HDC>(brush)));
    EXPECT_EQ(GetObjectA(brush, sizeof(BITMAP), nullptr), 0);
    EXPECT_EQ(SelectObject(nullptr, brush), nullptr);
    EXPECT_EQ(SelectObject(dc, nullptr), nullptr);
    EXPECT_EQ(SelectObject(dc, reinterpret_cast<HGDIOBJ>(0x12345)), nullptr);
    EXPECT_EQ(CreateCompatibleDC(reinterpret_cast<HDC>(brush)), nullptr);
    DeleteObject(brush);
    EXPECT_EQ(SelectObject(dc, brush), nullptr);
    EXPECT_EQ(CreatePen(3, 1, 0), nullptr);  // dotted pens do not exist here
    DeleteDC(dc);
}

TEST_F(ObjectTest, ABitmapBelongsToOneDcAndOnlyToMemoryDcs) {
    HBITMAP bitmap = CreateBitmap(4, 4, 1, 32, nullptr);
    HDC first = CreateCompatibleDC(nullptr);
    HDC second = CreateCompatibleDC(nullptr);
    HGDIOBJ first_default = SelectObject(first, bitmap);
    ASSERT_NE(first_default, nullptr);
    EXPECT_EQ(SelectObject(first, bitmap), bitmap);  // already there
    EXPECT_EQ(SelectObject(second, bitmap), nullptr);
    // The default bitmap is shared by every fresh DC.
    EXPECT_EQ(GetCurrentObject(second, OBJ_BITMAP), first_default);
    platform::Surface window = platform::Surface::Color(4, 4);
    HDC surface_dc = platform::gdi::CreateSurfaceDC(&window, {0, 0}, {0, 0, 4, 4});
    SelectObject(first, first_default);
    EXPECT_EQ(SelectObject(surface_dc, bitmap), nullptr);
    EXPECT_NE(SelectObject(second, bitmap), nullptr);
    DeleteDC(surface_dc);
    DeleteDC(first);
    DeleteDC(second);  // the bitmap is only deselected, not deleted
    EXPECT_EQ(Live(ObjectKind::kBitmap), 1);
    DeleteObject(bitmap);
}

TEST_F(ObjectTest, CompatibleBitmapsFollowTheDcsBitmap) {
    HDC memory = CreateCompatibleDC(nullptr);
    HBITMAP mono = CreateCompatibleBitmap(memory, 10, 3);  // the classic surprise: 1 x 1 mono in it
    EXPECT_EQ(InfoOf(mono).bmBitsPixel, 1);
    HBITMAP colour = CreateBitmap(2, 2, 1, 32, nullptr);
    SelectObject(memory, colour);
    HBITMAP from_colour = CreateCompatibleBitmap(memory, 10, 3);
    EXPECT_EQ(InfoOf(from_colour).bmBitsPixel, 32);
    platform::Surface window = platform::Surface::Color(1, 1);
    HDC surface_dc = platform::gdi::CreateSurfaceDC(&window, {0, 0}, {0, 0, 1, 1});
    HBITMAP from_window = CreateCompatibleBitmap(surface_dc, 5, 5);
    BITMAP info = InfoOf(from_window);
    EXPECT_EQ(info.bmBitsPixel, 32);
    EXPECT_EQ(info.bmWidthBytes, 20);
    EXPECT_EQ(info.bmPlanes, 1);
    HBITMAP empty = CreateCompatibleBitmap(surface_dc, 0, 5);
    EXPECT_EQ(InfoOf(empty).bmWidth, 1);
    EXPECT_EQ(InfoOf(empty).bmBitsPixel, 1);
    EXPECT_EQ(CreateCompatibleBitmap(nullptr, 5, 5), nullptr);
    EXPECT_EQ(CreateCompatibleBitmap(surface_dc, -1, 5), nullptr);
    EXPECT_EQ(CreateCompatibleBitmap(surface_dc, 1 << 16, 1 << 16), nullptr);  // 16 GiB
    for (HBITMAP b : {mono, from_colour, from_window, empty}) DeleteObject(b);
    DeleteDC(surface_dc);
    DeleteDC(memory);
    DeleteObject(colour);
}

TEST_F(ObjectTest, CreateBitmapReadsPaddedMonoRowsAndBgrxPixels) {
    // 10 pixels wide: two bytes of bits per row, already a multiple of 16 bits.
    const uint8_t mono_bits[] = {0b10100000, 0b01000000, 0b01011111, 0b11000000};
    HBITMAP mono = CreateBitmap(10, 2, 1, 1, mono_bits);
    const platform::Surface* bits = platform::gdi::BitmapSurface(mono);
    ASSERT_NE(bits, nullptr);
    std::string rows;
    for (int y = 0; y < 2; ++y)
        for (int x = 0; x < 10; ++x) rows += bits->Bit(x, y) ? '1' : '0';
    EXPECT_EQ(rows,
              "1010000001"
              "0101111111");
    BITMAP info = InfoOf(mono);
    EXPECT_EQ(info.bmWidthBytes, 2);
    HBITMAP wide = CreateBitmap(17, 1, 1, 1, nullptr);
    EXPECT_EQ(InfoOf(wide).bmWidthBytes, 4);

    const uint8_t colour_bits[] = {0x11, 0x22, 0x33, 0xFF, 0xAA, 0xBB, 0xCC, 0x00};
    HBITMAP colour = CreateBitmap(2, 1, 1, 32, colour_bits);
    const platform::Surface* pixels = platform::gdi::BitmapSurface(colour);
    EXPECT_EQ(pixels->Pixel(0, 0), 0x332211u);
    EXPECT_EQ(pixels->Pixel(1, 0), 0xCCBBAAu);
    EXPECT_EQ(CreateBitmap(2, 2, 2, 1, nullptr), nullptr);
    EXPECT_EQ(CreateBitmap(2, 2, 1, 24, nullptr), nullptr);
    EXPECT_EQ(GetObjectA(colour, 0, nullptr), static_cast<int>(sizeof(BITMAP)));
    // A short buffer gets the start of the record and no more.
    LONG first_two[3] = {-1, -1, -1};
    EXPECT_EQ(GetObjectA(colour, 2 * sizeof(LONG), first_two), static_cast<int>(2 * sizeof(LONG)));
    EXPECT_EQ(first_two[1], 2);
    EXPECT_EQ(first_two[2], -1);
    for (HBITMAP b : {mono, wide, colour}) DeleteObject(b);
}

TEST_F(ObjectTest, BitmapsFromPixelsKeepTheirPixels) {
    const uint32_t pixels[] = {0x123456, 0xFF654321, 0, 0xFFFFFF, 1, 2};
    HBITMAP bitmap = platform::gdi::CreateBitmapFromPixels(3, 2, pixels);
    const platform::Surface* surface = platform::gdi::BitmapSurface(bitmap);
    ASSERT_NE(surface, nullptr);
    EXPECT_EQ(surface->width, 3);
    EXPECT_EQ(surface->Pixel(1, 0), 0x654321u);  // the unused top byte is cleared
    EXPECT_EQ(surface->Pixel(2, 1), 2u);
    EXPECT_EQ(platform::gdi::CreateBitmapFromPixels(0, 2, pixels), nullptr);
    EXPECT_EQ(platform::gdi::CreateBitmapFromPixels(3, 2, nullptr), nullptr);
    DeleteObject(bitmap);
    EXPECT_EQ(platform::gdi::BitmapSurface(bitmap), nullptr);
}

}  // namespace
