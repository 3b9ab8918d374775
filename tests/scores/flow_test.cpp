// The end of a game: the loser's way and the qualifying way through the boxes, the table as
// the file holds it at the moment it is shown, a new game after "Yes", a game over for good
// after "No", and input that reaches the window while the flow runs.
#include <gtest/gtest.h>

#include <set>
#include <string>
#include <vector>

#include "resources/resource_ids.h"
#include "scores/high_scores.h"
#include "tests/scores/game_over_fixture.h"

namespace game_test {
namespace {

using harness::ModalWindow;

// Ten ranks scoring 1000 down to 100.
const char kFullTable[] =
    "1000\r\n900\r\n800\r\n700\r\n600\r\n500\r\n400\r\n300\r\n200\r\n100\r\n"
    "One\r\nTwo\r\nThree\r\nFour\r\nFive\r\nSix\r\nSeven\r\nEight\r\nNine\r\nTen";

const std::string kStars(80, '*');

class FlowTest : public GameOverTest {};

TEST_F(FlowTest, AScoreEqualToTheTenthLosesAndTheTableIsReadAgainAfterTheLoserBox) {
    WriteTableFile(kFullTable);
    std::string edited = kFullTable;
    edited.replace(edited.find("One"), 3, "Zed");
    answers_[kGameOverCaption] = [&](ModalWindow& box) {
        WriteTableFile(edited);  // someone else's game ended meanwhile
        box.PressButton(IDOK);
    };
    ReadPasses reads;
    EndTheGame(100);

    EXPECT_EQ(Captions(), (std::vector<std::string>{kGameOverCaption, kTableCaption,
                                                    kQuestionCaption, "Your a dork"}));
    ASSERT_EQ(recorder_.boxes.size(), 4u);
    const std::vector<UINT> types = {MB_OK, MB_SYSTEMMODAL, MB_YESNO, MB_OK};
    const std::vector<std::string> texts = {"You're a loser!", "", "Play Again?", kNoText};
    for (size_t i = 0; i < 4; ++i) {
        EXPECT_EQ(recorder_.boxes[i].type, types[i]) << i;
        EXPECT_EQ(recorder_.boxes[i].owner, MainHwnd()) << i;
        if (i != 1) {
            EXPECT_EQ(recorder_.boxes[i].text, texts[i]);
        }
    }
    EXPECT_EQ(recorder_.boxes[2].answer, IDNO);
    EXPECT_EQ(recorder_.boxes[1].text.rfind(kStars + "\n 1) Zed\n     1000\n" + kStars, 0), 0u)
        << recorder_.boxes[1].text;
    EXPECT_EQ(reads.Count(), 4);     // two loads
    EXPECT_EQ(TableFile(), edited);  // never written
    EXPECT_TRUE(recorder_.dialogs.empty());
    EXPECT_TRUE(SoundNames().empty());
    EXPECT_EQ(EndPhase, 666);
    EXPECT_EQ(GameWorld.Lives, 0);
}

TEST_F(FlowTest, AQualifyingScoreHearsTheAudienceTakesANameAndShowsTheTableWithIt) {
    size_t sounds_when_asked = 99;
    answers_[kNameTitle] = [&](ModalWindow& dialog) {
        sounds_when_asked = recorder_.sounds.size();
        EnterName(dialog, "Ann");
    };
    const Counts before = GdiCounts();
    EndTheGame(350);

    ASSERT_EQ(recorder_.sounds.size(), 1u);
    EXPECT_EQ(recorder_.sounds[0].name, "audience");
    EXPECT_EQ(recorder_.sounds[0].flags, UINT{SND_ASYNC});
    EXPECT_EQ(sounds_when_asked, 1u);  // started before the dialog, not waited for
    ASSERT_EQ(recorder_.dialogs.size(), 1u);
    EXPECT_EQ(recorder_.dialogs[0].id, IDD_NAME_ENTRY);
    EXPECT_EQ(recorder_.dialogs[0].result, IDOK);
    // With no file every stored score was 0: rank 1, and the first file of a new table.
    EXPECT_EQ(TableFile(),
              "350\r\n\r\n\r\n\r\n\r\n\r\n\r\n\r\n\r\n\r\nAnn\r\n\r\n\r\n\r\n\r\n\r\n\r\n\r\n\r\n");
    EXPECT_EQ(TableFile().size(), 44u);
    EXPECT_EQ(Captions(),
              (std::vector<std::string>{kTableCaption, kQuestionCaption, "Your a dork"}));
    ASSERT_EQ(recorder_.boxes.size(), 3u);
    EXPECT_EQ(recorder_.boxes[0].text.rfind(kStars + "\n 1) Ann\n     350\n" + kStars, 0), 0u)
        << recorder_.boxes[0].text;
    EXPECT_EQ(recorder_.boxes[0].owner, MainHwnd());
    EXPECT_EQ(EndPhase, 666);
    EXPECT_EQ(NewEntryName.Length(), 0);
    EXPECT_EQ(GdiCounts(), before);
}

TEST_F(FlowTest, AQualifyingGameReadsTheFileThreeTimesAndShowsWhatItWrote) {
    WriteTableFile(kFullTable);
    answers_[kNameTitle] = [](ModalWindow& dialog) { EnterName(dialog, "Eleven"); };
    ReadPasses reads;
    EndTheGame(101);  // one above the tenth: rank 10

    EXPECT_EQ(reads.Count(), 6);  // at the start, after writing, and before showing
    std::vector<std::string> lines = TableLines();
    ASSERT_EQ(lines.size(), 20u);
    EXPECT_EQ(lines[9], "101");
    EXPECT_EQ(lines[19], "Eleven");
    ASSERT_EQ(BoxesCaptioned(kTableCaption), 1);
    EXPECT_NE(recorder_.boxes[0].text.find("\n\n10) Eleven\n      101"), std::string::npos)
        << recorder_.boxes[0].text;
    EXPECT_EQ(recorder_.boxes[0].text, std::string(HighScoreText.Chars()));
}

TEST_F(FlowTest, YesStartsANewGameAtOnceOnARepaintedSceneEitherWay) {
    yes_no_answer_ = IDYES;
    GameWorld.SplatMarks[0] = 100;
    GameWorld.SplatMarks[1] = 200;
    GameWorld.SplatMarks[2] = 300;
    GameWorld.CookieTime = 5;
    GameWorld.TimeLeft = 3;
    MarkTheWall();
    const Counts before = GdiCounts();
    EndTheGame(0);  // no file: every stored score is 0, and 0 is not above it

    EXPECT_EQ(Captions(),
              (std::vector<std::string>{kGameOverCaption, kTableCaption, kQuestionCaption, "Yes"}));
    EXPECT_EQ(BoxTexts().back(), "Get Ready!");
    EXPECT_EQ(recorder_.boxes.back().type, UINT{MB_OK});
    EXPECT_EQ(GameWorld.Lives, 4);
    EXPECT_EQ(GameWorld.Score, 0);
    EXPECT_EQ(GameWorld.TimeLeft, 15);
    EXPECT_EQ(GameWorld.CookieTime, 0);
    EXPECT_EQ(std::vector<int32_t>(GameWorld.SplatMarks, GameWorld.SplatMarks + 3),
              std::vector<int32_t>({0, 0, 0}));
    EXPECT_EQ(GameWorld.State, kPlaying);
    EXPECT_EQ(GameWorld.PlayerX, 405);
    EXPECT_EQ(GameWorld.PlayerY, 505);
    EXPECT_EQ(EndPhase, 0);
    EXPECT_TRUE(TimerRuns(kTickTimer));
    EXPECT_TRUE(TimerRuns(kClockTimer));
    EXPECT_FALSE(WallMarked());
    EXPECT_EQ(GdiCounts(), before);

    // The new game's end qualifies; its "Yes" comes from the nested run, and only once.
    StopTimers();
    recorder_.boxes.clear();
    MarkTheWall();
    EndTheGame(500);
    EXPECT_EQ(Captions(), (std::vector<std::string>{kTableCaption, kQuestionCaption, "Yes"}));
    EXPECT_EQ(GameWorld.Lives, 4);
    EXPECT_EQ(GameWorld.Score, 0);
    EXPECT_EQ(EndPhase, 0);
    EXPECT_FALSE(WallMarked());
    EXPECT_EQ(TableLines()[10], "Quibbert");
    EXPECT_EQ(GdiCounts(), before);

    Advance(kTickMs);
    EXPECT_FALSE(recorder_.ticks.empty());
}

TEST_F(FlowTest, AfterNoEveryKeyAndClickIsIgnoredButAboutStillOpens) {
    MarkTheWall();
    EndTheGame(0);
    ASSERT_EQ(BoxesCaptioned(kQuestionCaption), 1);
    EXPECT_EQ(EndPhase, 666);

    recorder_.boxes.clear();
    const auto mower = std::vector<int>{GameWorld.MowerX + 5, GameWorld.MowerY + 5};
    Press('A');
    Press(VK_RETURN);
    Press(VK_UP);
    Click(mower[0], mower[1]);
    Click(GameWorld.PlayerX + 5, GameWorld.PlayerY + 5);
    Advance(2000);
    EXPECT_TRUE(recorder_.boxes.empty());
    EXPECT_TRUE(SoundNames().empty());
    EXPECT_EQ(GameWorld.Lives, 0);
    EXPECT_EQ(GameWorld.State, kRunOver);
    EXPECT_EQ(GameWorld.PlayerY, 505);
    EXPECT_EQ(EndPhase, 666);
    EXPECT_FALSE(TimerRuns(kTickTimer));
    EXPECT_TRUE(WallMarked());

    Click(300, 150, platform::MouseButton::kRight);
    ASSERT_EQ(recorder_.dialogs.size(), 1u);
    EXPECT_EQ(recorder_.dialogs[0].id, IDD_ABOUT);
    EXPECT_EQ(EndPhase, 666);
}

// Keys and clicks posted to the main window while each box and the dialog are open reach it
// from their nested loops; none may start the flow again.
class InputDuringTheFlow : public GameOverTest, public ::testing::WithParamInterface<int32_t> {
  protected:
    void SetUp() override {
        GameOverTest::SetUp();
        for (const char* title :
             {kGameOverCaption, kTableCaption, kQuestionCaption, "Your a dork", kNameTitle}) {
            answers_[title] = [this, title = std::string(title)](ModalWindow& window) {
                HWND main = MainHwnd();
                // Once per title, so that a flow that did start again still comes to an end.
                if (disturbed_.insert(title).second) {
                    LPARAM on_mower = MAKELPARAM(GameWorld.MowerX + 5, GameWorld.MowerY + 5);
                    PostMessageA(main, WM_CHAR, 'a', 0);
                    PostMessageA(main, WM_LBUTTONDOWN, MK_LBUTTON, on_mower);
                    PostMessageA(main, WM_LBUTTONUP, 0, on_mower);
                }
                if (title == kNameTitle)
                    EnterName(window, "Ann");
                else if (title == kQuestionCaption)
                    window.PressButton(IDNO, 1);
                else
                    window.PressButton(IDOK, 1);
            };
        }
    }
    std::set<std::string> disturbed_;
};

TEST_P(InputDuringTheFlow, StartsNothingASecondTime) {
    EndTheGame(GetParam());
    Advance(100);
    for (const char* caption : {kTableCaption, kQuestionCaption, "Your a dork"})
        EXPECT_EQ(BoxesCaptioned(caption), 1) << caption;
    EXPECT_LE(BoxesCaptioned(kGameOverCaption), 1);
    EXPECT_LE(recorder_.dialogs.size(), 1u);
    EXPECT_EQ(BoxesCaptioned("John Deer"), 0);
    EXPECT_EQ(GameWorld.Lives, 0);
    EXPECT_EQ(EndPhase, 666);
}

INSTANTIATE_TEST_SUITE_P(LoserAndQualifier, InputDuringTheFlow, ::testing::Values(0, 350));

}  // namespace
}  // namespace game_test
