// Colours the shape tests draw with, as COLORREF for the calls and as pixels for the pictures,
// and the paper they draw on.
#pragma once

#include "platform/win32.h"
#include "tests/support/picture.h"
#include "tests/support/session_fixture.h"

namespace gdi_test {

constexpr COLORREF kPenRef = RGB(200, 0, 0);
constexpr COLORREF kBrushRef = RGB(0, 0, 180);
constexpr uint32_t kPen = 0xC80000;
constexpr uint32_t kBrush = 0x0000B4;
constexpr uint32_t kWhite = 0xFFFFFF;
constexpr uint32_t kBlack = 0x000000;

inline const test_support::Legend& ShapeLegend() {
    static const test_support::Legend legend{
        {'.', kWhite}, {'P', kPen}, {'B', kBrush}, {'#', kBlack}};
    return legend;
}

class PaperTest : public test_support::SessionTest {
  protected:
    // A white colour bitmap with the pen and the brush selected.
    HDC Paper(int width, int height) {
        HDC dc = ColourDc(width, height, kWhite);
        SelectObject(dc, Keep(CreatePen(PS_SOLID, 1, kPenRef)));
        SelectObject(dc, Keep(CreateSolidBrush(kBrushRef)));
        return dc;
    }
};

}  // namespace gdi_test
