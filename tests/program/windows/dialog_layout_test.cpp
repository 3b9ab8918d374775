// The program's four templates laid out by the real dialog manager, held to the layout our
// Linux layer gives: the same titles, client sizes, ids, texts, control positions and sizes.
// Only a picture in a frame differs: it is sized to its picture with the frame inside, where
// ours puts the frame around it.
#include <gtest/gtest.h>

#include <array>
#include <string>

#include "platform/win32.h"
#include "tests/platform/user/dialog/template_layout_cases.h"

namespace dialog_tests {
namespace {

std::array<LONG, 2> TopLeft(const RECT& r) {
    return {r.left, r.top};
}

std::array<LONG, 2> Size(const RECT& r) {
    return {r.right - r.left, r.bottom - r.top};
}

RECT RectInDialog(HWND control) {
    RECT rect{};
    GetWindowRect(control, &rect);
    MapWindowPoints(nullptr, GetParent(control), reinterpret_cast<POINT*>(&rect), 2);
    return rect;
}

// A picture control's text is its bitmap's number, which the real system does not show as text.
bool IsPicture(HWND control) {
    return (GetWindowLongPtrA(control, GWL_STYLE) & SS_TYPEMASK) == SS_BITMAP;
}

class RealTemplateLayout : public ::testing::TestWithParam<ExpectedDialog> {};

TEST_P(RealTemplateLayout, ControlsSitWhereTheirDialogUnitsSay) {
    const ExpectedDialog& want = GetParam();
    HWND dialog = CreateDialogParamA(GetModuleHandleA(nullptr), MAKEINTRESOURCEA(want.number),
                                     nullptr, nullptr, 0);
    ASSERT_NE(dialog, nullptr) << GetLastError();
    ExpectDialogWindow(dialog, want);

    size_t index = 0;
    for (HWND control = GetWindow(dialog, GW_CHILD); control;
         control = GetWindow(control, GW_HWNDNEXT), ++index) {
        ASSERT_LT(index, want.controls.size());
        const ExpectedControl& expected = want.controls[index];
        SCOPED_TRACE("control " + std::to_string(index));
        EXPECT_EQ(GetDlgCtrlID(control) & 0xFFFF, expected.id & 0xFFFF);
        if (!IsPicture(control)) {
            EXPECT_EQ(TextOf(control), expected.text);
        }
        RECT got = RectInDialog(control);
        EXPECT_EQ(TopLeft(got), TopLeft(expected.rect));
        LONG style = static_cast<LONG>(GetWindowLongPtrA(control, GWL_STYLE));
        if (IsPicture(control) && (style & (WS_BORDER | SS_SUNKEN))) {
            BITMAP picture{};
            GetObjectA(
                reinterpret_cast<HGDIOBJ>(SendMessageA(control, STM_GETIMAGE, IMAGE_BITMAP, 0)),
                sizeof picture, &picture);
            EXPECT_EQ(Size(got), (std::array<LONG, 2>{picture.bmWidth, picture.bmHeight}));
        } else {
            EXPECT_EQ(Size(got), Size(expected.rect));
        }
    }
    EXPECT_EQ(index, want.controls.size());
    DestroyWindow(dialog);
}

INSTANTIATE_TEST_SUITE_P(AllFour, RealTemplateLayout, ::testing::ValuesIn(kDialogs),
                         [](const auto& info) { return std::to_string(info.param.number); });

}  // namespace
}  // namespace dialog_tests
