// Colours the shape tests draw with, as COLORREF for the calls and as pixels for the pictures.
#pragma once

#include "platform/win32.h"
#include "tests/support/picture.h"

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

}  // namespace gdi_test
