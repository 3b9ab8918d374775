// A table that cannot be read or saved is told to the player in one application message box,
// after the name dialog and before the table; the rest of the flow is as always.
#include <gtest/gtest.h>

#include <filesystem>
#include <ostream>
#include <string>
#include <vector>

#include "tests/scores/game_over_fixture.h"

namespace game_test {
namespace {

using harness::ModalWindow;

struct Trouble {
    const char* label;
    int32_t score;
    std::vector<std::string> captions;
    std::string text;  // the box's text before the file's full path
    std::string after_path;
};

void PrintTo(const Trouble& trouble, std::ostream* out) {
    *out << trouble.label;
}

class TroubleTold : public GameOverTest, public ::testing::WithParamInterface<Trouble> {};

TEST_P(TroubleTold, OnceBeforeTheTable) {
    const Trouble& trouble = GetParam();
    // A folder in the table's place: it reads as no table and cannot be saved over.
    std::filesystem::create_directory("scores.txt");
    answers_[kNameTitle] = [](ModalWindow& dialog) { EnterName(dialog, "Ann"); };
    EndTheGame(trouble.score);

    EXPECT_EQ(Captions(), trouble.captions);
    EXPECT_EQ(recorder_.dialogs.size(), trouble.score ? 1u : 0u);
    const std::string path = (std::filesystem::current_path() / "scores.txt").string();
    const auto box = std::find_if(recorder_.boxes.begin(), recorder_.boxes.end(),
                                  [](const Box& box) { return box.caption == kAppName; });
    ASSERT_NE(box, recorder_.boxes.end());
    EXPECT_EQ(box->text, trouble.text + path + trouble.after_path);
    EXPECT_EQ(box->type, UINT{MB_ICONEXCLAMATION});
    EXPECT_EQ(box->owner, MainHwnd());
    EXPECT_TRUE(std::filesystem::is_directory("scores.txt"));
}

INSTANTIATE_TEST_SUITE_P(
    Flows, TroubleTold,
    ::testing::Values(
        Trouble{"Loser",
                0,
                {kGameOverCaption, kAppName, kTableCaption, kQuestionCaption, "Your a dork"},
                "The high-score table could not be read, so it may be shown incomplete, and no "
                "score is saved in it until it can be read.\n\nThe game could not read ",
                ": it is not a plain file."},
        Trouble{"Qualifier",
                350,
                {kAppName, kTableCaption, kQuestionCaption, "Your a dork"},
                "Your score could not be saved in the high-score table.\n\nThe game could not "
                "open ",
                ": Is a directory."}),
    [](const auto& info) { return std::string(info.param.label); });

}  // namespace
}  // namespace game_test
