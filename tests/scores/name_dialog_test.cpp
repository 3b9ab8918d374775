// The name dialog of a qualifying game: what each way of leaving it stores, the empty name it
// refuses with the dialog staying open, and the field's limit.
#include <gtest/gtest.h>

#include <optional>
#include <ostream>
#include <string>
#include <vector>

#include "resources/resource_ids.h"
#include "scores/high_scores.h"
#include "tests/scores/game_over_fixture.h"

namespace game_test {
namespace {

using harness::ModalWindow;

struct NameCase {
    const char* label;
    std::optional<std::string> typed;  // nothing: left with Escape
    std::string stored;
    INT_PTR result;
};

void PrintTo(const NameCase& name, std::ostream* out) {
    *out << name.label;
}

class NameStored : public GameOverTest, public ::testing::WithParamInterface<NameCase> {};

TEST_P(NameStored, AsTheDialogWasLeft) {
    answers_[kNameTitle] = [](ModalWindow& dialog) {
        if (GetParam().typed)
            EnterName(dialog, *GetParam().typed);
        else
            dialog.PressKey(VK_ESCAPE);
    };
    EndTheGame(350);
    ASSERT_EQ(recorder_.dialogs.size(), 1u);
    EXPECT_EQ(recorder_.dialogs[0].result, GetParam().result);
    std::vector<std::string> lines = TableLines();
    ASSERT_EQ(lines.size(), 20u);
    EXPECT_EQ(lines[10], GetParam().stored);
    EXPECT_EQ(std::string(HighScoreTable.Names[0]), GetParam().stored);
    EXPECT_EQ(EndPhase, 666);
}

INSTANTIATE_TEST_SUITE_P(
    Names, NameStored,
    ::testing::Values(NameCase{"Typed", "Ann", "Ann", IDOK},
                      NameCase{"Escape", std::nullopt, "Quibbert", IDCANCEL},
                      NameCase{"OneSpace", " ", "Quibbert", IDOK},
                      NameCase{"TwoSpaces", "  ", "  ", IDOK},
                      // The field takes twenty characters and the file keeps them all.
                      NameCase{"TooLong", "Grommelin Quibbert the Third", "Grommelin Quibbert t",
                               IDOK}),
    [](const ::testing::TestParamInfo<NameCase>& info) { return info.param.label; });

TEST_F(GameOverTest, AnEmptyNameIsRefusedWithAnErrorAndTheDialogStaysOpen) {
    HWND dialog_hwnd = nullptr, owner = nullptr;
    LRESULT limit = 0;
    std::vector<bool> open_after_error;
    answers_[kNameTitle] = [&](ModalWindow& dialog) {
        dialog_hwnd = dialog.hwnd();
        owner = GetWindow(dialog.hwnd(), GW_OWNER);
        limit = SendDlgItemMessageA(dialog.hwnd(), IDC_NAME, EM_GETLIMITTEXT, 0, 0);
        dialog.PressKey(VK_RETURN);  // "OK" is the default button
        dialog.PressButton(IDC_NAME_OK, 10);
        env_->host.Call(dialog.now() + 20, [&, hwnd = dialog.hwnd()] {
            open_after_error.push_back(IsWindow(hwnd) && IsWindowVisible(hwnd));
        });
        dialog.PressButton(IDC_NAME, 30);
        dialog.TypeText("Bo", 31);
        dialog.PressButton(IDC_NAME_OK, 32);
    };
    EndTheGame(350);

    EXPECT_EQ(owner, MainHwnd());
    EXPECT_EQ(limit, 20);
    ASSERT_GE(recorder_.boxes.size(), 2u);
    for (size_t i = 0; i < 2; ++i) {
        EXPECT_EQ(recorder_.boxes[i].caption, "Error");
        EXPECT_EQ(recorder_.boxes[i].text, "You need to enter your name!");
        EXPECT_EQ(recorder_.boxes[i].type, UINT{MB_ICONHAND});
        EXPECT_EQ(recorder_.boxes[i].owner, dialog_hwnd);
    }
    EXPECT_EQ(open_after_error, std::vector<bool>{true});
    EXPECT_EQ(BoxesCaptioned("Error"), 2);
    ASSERT_EQ(recorder_.dialogs.size(), 1u);
    EXPECT_EQ(recorder_.dialogs[0].result, IDOK);
    EXPECT_EQ(TableLines()[10], "Bo");
}

}  // namespace
}  // namespace game_test
