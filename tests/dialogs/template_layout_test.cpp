// Each template laid out in pixels: dialog units of the 8-point font are 1.5 pixels across and
// 1.625 down, each edge rounded on its own, the template's size is the client area, and a
// picture control takes its picture's size. Expected rectangles are worked out by hand.
#include <string>
#include <vector>

#include "resources/resource_ids.h"
#include "tests/dialogs/dialog_fixture.h"

namespace dialog_tests {
namespace {

struct ExpectedControl {
    int id;  // the standard form keeps 16 bits, so -1 reads back as 0xFFFF
    const char* text;
    RECT rect;
};

struct ExpectedDialog {
    int number;
    const char* title;
    bool close_box;
    SIZE client;
    std::vector<ExpectedControl> controls;  // in tab order
};

const ExpectedDialog kDialogs[] = {
    {IDD_NAME_ENTRY,
     "Quibbert's Hall of Fame",
     false,
     {357, 151},
     {{IDC_NAME_OK, "OK", {263, 107, 347, 140}},
      {IDC_STATIC, "New High Score!", {11, 11, 98, 29}},
      {IDC_STATIC, "Enter your name:", {131, 37, 225, 60}},
      {IDC_NAME, "", {75, 62, 284, 85}}}},
    {IDD_SPLASH,
     "Grommelin Quibbert's Zandrofel V2.27",
     false,
     {429, 237},
     {{0xFFFF, "#111", {11, 11, 419, 168}},  // the picture's own 408 x 157
      {0xFFFF, "A game by the Grommelins", {149, 172, 279, 185}},
      {0xFFFF, "Pictures and code", {171, 190, 258, 203}},
      {IDC_STORY, "Story", {11, 200, 90, 226}},
      {0xFFFF, "Press PLAY! when ready", {153, 213, 273, 226}},
      {IDC_PLAY, "PLAY!", {339, 200, 419, 226}}}},
    {IDD_STORY,
     "The Story...",
     true,
     {353, 171},
     {{IDOK, "OK", {263, 137, 338, 159}},
      {0xFFFF, "The Grommelin quibbert has done it again...", {11, 10, 215, 23}},
      {0xFFFF,
       "Hurry and help quibbert turn off the oven\nbefore his house catches on FIRE!\n"
       "You have 15 seconds, good luck!",
       {11, 78, 215, 124}},
      {0xFFFF,
       "He left his house to go get some brown sugar, \nforgetting about the toaster pastries "
       "he had left\nin the oven!!!",
       {11, 31, 239, 70}},
      // 91 x 91 inside a black border and a sunken edge
      {0xFFFF, "#115", {248, 10, 343, 105}}}},
    {IDD_ABOUT,
     "About",
     true,
     {374, 284},
     {{IDOK, "OK", {288, 250, 363, 273}},
      {0xFFFF, "#111", {0, 0, 408, 157}},  // wider than the dialog
      {0xFFFF, "A game by the Grommelins", {122, 159, 252, 172}},
      {0xFFFF, "Pictures and code", {144, 177, 231, 190}},
      {0xFFFF, "Thanks for playing!", {11, 198, 176, 211}},
      {0xFFFF,
       "Changes since last version:\n=>Dialog boxs!\n=>New Graphics && Sounds\n"
       "=>Fixed up source code",
       {11, 221, 164, 273}},
      {0xFFFF, "V.2.27", {41, 167, 74, 180}}}},
};

class TemplateLayout : public DialogTest, public ::testing::WithParamInterface<ExpectedDialog> {};

std::string TextOf(HWND hwnd) {
    char text[512];
    GetWindowTextA(hwnd, text, sizeof text);
    return text;
}

TEST_P(TemplateLayout, ControlsSitWhereTheirDialogUnitsSay) {
    const ExpectedDialog& want = GetParam();
    HWND dialog = CreateDialogIndirectParamA(nullptr, Template(want.number), nullptr, nullptr, 0);
    ASSERT_NE(dialog, nullptr);
    EXPECT_EQ(TextOf(dialog), want.title);
    EXPECT_EQ((GetWindowLongPtrA(dialog, GWL_STYLE) & WS_SYSMENU) != 0, want.close_box);
    RECT client{};
    GetClientRect(dialog, &client);
    EXPECT_EQ(client.right, want.client.cx);
    EXPECT_EQ(client.bottom, want.client.cy);
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
