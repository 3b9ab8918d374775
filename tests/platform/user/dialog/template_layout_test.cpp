// Each template laid out in pixels: dialog units of the 8-point font are 1.5 pixels across and
// 1.625 down, a control's position and its size each rounded on its own, the template's size is
// the client area, and a picture control takes its picture's size. Expected rectangles are
// worked out by hand.
#include <string>
#include <vector>

#include "resources/resource_ids.h"
#include "tests/platform/user/dialog/dialog_fixture.h"
#include "tests/platform/user/dialog/template_layout_cases.h"

namespace dialog_tests {
namespace {

class TemplateLayout : public DialogTest, public ::testing::WithParamInterface<ExpectedDialog> {};

TEST_P(TemplateLayout, ControlsSitWhereTheirDialogUnitsSay) {
    const ExpectedDialog& want = GetParam();
    HWND dialog = CreateDialogIndirectParamA(nullptr, Template(want.number), nullptr, nullptr, 0);
    ASSERT_NE(dialog, nullptr);
    ExpectDialogWindow(dialog, want);
    // The templates are stored hidden; a modeless dialog shows only when its template says so.
    EXPECT_FALSE(IsWindowVisible(dialog));

    size_t index = 0;
    for (HWND control = GetWindow(dialog, GW_CHILD); control;
         control = GetWindow(control, GW_HWNDNEXT), ++index) {
        ASSERT_LT(index, want.controls.size());
        const ExpectedControl& expected = want.controls[index];
        SCOPED_TRACE("control " + std::to_string(index));
        EXPECT_EQ(GetDlgCtrlID(control), expected.id);
        EXPECT_EQ(TextOf(control), expected.text);
        EXPECT_EQ(RectInDialog(control), expected.rect);
    }
    EXPECT_EQ(index, want.controls.size());
    DestroyWindow(dialog);
}

INSTANTIATE_TEST_SUITE_P(AllFour, TemplateLayout, ::testing::ValuesIn(kDialogs),
                         [](const auto& info) { return std::to_string(info.param.number); });

TEST_F(DialogTest, DialogUnitsComeFromTheFontAndMapRectangles) {
    HWND dialog = CreateDialogIndirectParamA(nullptr, Template(IDD_ABOUT), nullptr, nullptr, 0);
    ASSERT_NE(dialog, nullptr);
    // Base units 6 x 13: four units are six pixels across, eight are thirteen down; halves
    // round away from zero, edge by edge.
    RECT units{4, 8, 7, 5};
    ASSERT_TRUE(MapDialogRect(dialog, &units));
    EXPECT_EQ(units, (RECT{6, 13, 11, 8}));
    RECT negative{-1, -1, 0, 0};
    MapDialogRect(dialog, &negative);
    EXPECT_EQ(negative, (RECT{-2, -2, 0, 0}));
    EXPECT_FALSE(MapDialogRect(nullptr, &units));
    DestroyWindow(dialog);
}

TEST_F(DialogTest, AnEditFieldsThinBorderBecomesASunkenEdge) {
    HWND dialog =
        CreateDialogIndirectParamA(nullptr, Template(IDD_NAME_ENTRY), nullptr, nullptr, 0);
    HWND edit = GetDlgItem(dialog, IDC_NAME);
    EXPECT_FALSE(GetWindowLongPtrA(edit, GWL_STYLE) & WS_BORDER);
    EXPECT_TRUE(GetWindowLongPtrA(edit, GWL_EXSTYLE) & WS_EX_CLIENTEDGE);
    RECT client{};
    GetClientRect(edit, &client);
    EXPECT_EQ(client, (RECT{0, 0, 205, 19}));  // two pixels of edge on every side
    DestroyWindow(dialog);
}

}  // namespace
}  // namespace dialog_tests
