// The soak's check on drawing objects: a baseline per set of open windows, fixed for none and
// for the main window alone, and every difference caught with what was alive.
#include "tests/program/soak/gdi_watch.h"

#include <gtest/gtest.h>

#include "harness/test_support.h"

namespace soak {
namespace {

LRESULT CALLBACK PlainProc(HWND hwnd, UINT message, WPARAM wparam, LPARAM lparam) {
    return DefWindowProcA(hwnd, message, wparam, lparam);
}

class GdiWatchTest : public ::testing::Test {
  protected:
    GdiWatchTest() {
        WNDCLASSA plain{};
        plain.lpfnWndProc = &PlainProc;
        plain.lpszClassName = "SoakPlain";
        RegisterClassA(&plain);
    }
    HWND Open(const char* title) {
        return CreateWindowExA(0, "SoakPlain", title, WS_OVERLAPPEDWINDOW, 0, 0, 200, 100, nullptr,
                               nullptr, nullptr, nullptr);
    }
    harness::HeadlessSession env_;
    GdiWatch watch_{"Main"};
    std::string problem_;
};

TEST_F(GdiWatchTest, WithNoWindowNothingMayBeAlive) {
    EXPECT_TRUE(watch_.Check(&problem_));
    HBRUSH brush = CreateSolidBrush(RGB(1, 2, 3));
    EXPECT_FALSE(watch_.Check(&problem_));
    EXPECT_NE(problem_.find("brush 1"), std::string::npos) << problem_;
    EXPECT_NE(problem_.find("brush 0x"), std::string::npos) << "the live objects are listed";
    DeleteObject(brush);
    EXPECT_TRUE(watch_.Check(&problem_));
}

TEST_F(GdiWatchTest, TheMainWindowAloneHoldsItsSeventeenPictures) {
    HWND main = Open("Main");
    EXPECT_FALSE(watch_.Check(&problem_)) << "no pictures loaded";
    HBITMAP pictures[17];
    for (HBITMAP& picture : pictures) picture = CreateBitmap(1, 1, 1, 1, nullptr);
    EXPECT_TRUE(watch_.Check(&problem_)) << problem_;
    HDC dc = GetDC(main);
    EXPECT_FALSE(watch_.Check(&problem_));
    ReleaseDC(main, dc);
    EXPECT_TRUE(watch_.Check(&problem_)) << problem_;
    for (HBITMAP picture : pictures) DeleteObject(picture);
    DestroyWindow(main);
}

TEST_F(GdiWatchTest, AnotherSetOfWindowsKeepsWhatItHeldWhenFirstSeen) {
    HWND main = Open("Main");
    HWND box = Open("Box");
    HFONT font = CreateFontA(13, 0, 0, 0, FW_NORMAL, FALSE, FALSE, FALSE, DEFAULT_CHARSET, 0, 0, 0,
                             0, "MS Sans Serif");
    EXPECT_TRUE(watch_.Check(&problem_));  // first seen: the box holds a font
    EXPECT_TRUE(watch_.Check(&problem_));
    DeleteObject(font);
    EXPECT_FALSE(watch_.Check(&problem_));
    EXPECT_NE(problem_.find("Main\nBox\n"), std::string::npos) << problem_;
    DestroyWindow(box);
    DestroyWindow(main);
}

}  // namespace
}  // namespace soak
