// The application shell run as the program: the start-up's order (sound, splash, pictures,
// seed), the splash and its story, the main window, About over a running game, and the end.
#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

#include "scores/high_scores.h"
#include "tests/game/game_fixture.h"

namespace game_test {
namespace {

using harness::ModalWindow;

constexpr char kStoryTitle[] = "The Story...";

int LiveBitmaps() {
    return platform::Session::Current().handles().LiveCount(platform::ObjectKind::kBitmap);
}

class StartupTest : public GameTest {
  protected:
    void BeforeStart() override {
        answers_[kSplashTitle] = [this](ModalWindow& splash) {
            splash_shown_at_ = splash.now();
            splash_owner_ = GetWindow(splash.hwnd(), GW_OWNER);
            bitmaps_under_splash_ = LiveBitmaps();
            platform::HostWindowId main = env_->host.FindWindow(kMainTitle);
            main_hidden_under_splash_ =
                main && env_->host.Window(main)->show == platform::HostShow::kHidden;
            // Pressed a while later, with the clock moved on.
            env_->host.SetCalendarSeconds(kSeed + 50);
            splash.PressButton(1003, 300);
        };
        start_until_ms_ = kFirstPaintMs + 300;
    }

    double splash_shown_at_ = -1;
    HWND splash_owner_ = reinterpret_cast<HWND>(1);
    int bitmaps_under_splash_ = -1;
    bool main_hidden_under_splash_ = false;
};

TEST_F(StartupTest, TheSoundPlaysToItsEndThenTheSplashThenThePicturesAndTheSeed) {
    ASSERT_EQ(startup_.sounds.size(), 1u);
    EXPECT_EQ(startup_.sounds[0].name, "giggle");
    EXPECT_EQ(startup_.sounds[0].flags, UINT{SND_SYNC});
    EXPECT_EQ(startup_.sounds[0].at_ms, 0);
    ASSERT_EQ(env_->host.sounds().size(), 1u);  // the host heard it for its whole second
    EXPECT_EQ(env_->host.sounds()[0].clip.DurationMs(), 1000);
    // The splash only once the sound is over, over a main window that exists but is hidden.
    EXPECT_EQ(splash_shown_at_, 1000);
    EXPECT_TRUE(main_hidden_under_splash_);
    EXPECT_EQ(splash_owner_, nullptr);
    // The pictures come after it: fewer than the window's seventeen exist while it is up.
    EXPECT_LT(bitmaps_under_splash_, 17);
    EXPECT_GE(LiveBitmaps(), 17);
    ASSERT_EQ(startup_.dialogs.size(), 1u);
    EXPECT_EQ(startup_.dialogs[0].id, 110);
    EXPECT_EQ(startup_.dialogs[0].result, IDOK);
    EXPECT_EQ(startup_.dialogs[0].at_ms, 1300);
    EXPECT_EQ(startup_.paints, 1);
    // The generator was seeded with the time at which "PLAY!" was pressed.
    uint32_t state = static_cast<uint32_t>(kSeed + 50) * 214013u + 2531011u;
    EXPECT_EQ(platform::rand(), static_cast<int>((state >> 16) & 0x7FFF));
}

TEST_F(StartupTest, TheMainWindowIsTheFrameOfTheGame) {
    HWND main = MainHwnd();
    RECT outer{}, client{};
    GetWindowRect(main, &outer);
    GetClientRect(main, &client);
    EXPECT_EQ(std::vector<LONG>({outer.left, outer.top, outer.right, outer.bottom}),
              std::vector<LONG>({0, 0, 800, 600}));
    EXPECT_EQ(std::vector<LONG>({client.right, client.bottom}), std::vector<LONG>({788, 569}));
    EXPECT_EQ(GetWindowLongPtrA(main, GWL_STYLE) & ~WS_VISIBLE, LONG_PTR{WS_OVERLAPPEDWINDOW});
    char title[64] = "";
    GetWindowTextA(main, title, sizeof title);
    EXPECT_STREQ(title, kMainTitle);
    EXPECT_EQ(env_->host.Window(MainHostWindow())->show, platform::HostShow::kNormal);
    EXPECT_TRUE(TimerRuns(kTickTimer));
    EXPECT_TRUE(TimerRuns(kClockTimer));
}

class SplashStoryTest : public GameTest {
  protected:
    void BeforeStart() override {
        answers_[kSplashTitle] = [this](ModalWindow& splash) {
            splash_ = std::make_unique<ModalWindow>(splash);
            splash.PressKey(VK_ESCAPE, 100);
        };
        answers_[kStoryTitle] = [this](ModalWindow& story) {
            ++stories_;
            story_owner_ = GetWindow(story.hwnd(), GW_OWNER);
            splash_enabled_under_story_ = IsWindowEnabled(splash_->hwnd());
            if (stories_ == 1) {
                story.PressKey(VK_ESCAPE, 100);  // back to the splash, which opens it again
                splash_->PressButton(2, 200);
            } else {
                story.PressButton(IDOK, 100);
                splash_->PressButton(1003, 200);
            }
        };
        start_until_ms_ = 2000;
    }

    std::unique_ptr<ModalWindow> splash_;
    int stories_ = 0;
    HWND story_owner_ = nullptr;
    BOOL splash_enabled_under_story_ = TRUE;
};

TEST_F(SplashStoryTest, EscapeOnTheSplashOpensTheStoryAndEscapeThereGoesBack) {
    EXPECT_EQ(stories_, 2);
    EXPECT_EQ(story_owner_, splash_->hwnd());
    EXPECT_FALSE(splash_enabled_under_story_);
    EXPECT_EQ(env_->answers.modal_titles(),
              (std::vector<std::string>{kSplashTitle, kStoryTitle, kStoryTitle}));
    std::vector<std::pair<int, INT_PTR>> dialogs;
    for (const Dialog& dialog : startup_.dialogs) dialogs.emplace_back(dialog.id, dialog.result);
    EXPECT_EQ(dialogs,
              (std::vector<std::pair<int, INT_PTR>>{{112, IDCANCEL}, {112, IDOK}, {110, IDOK}}));
    // The game starts only after "PLAY!".
    EXPECT_EQ(startup_.dialogs.back().at_ms, 1500);
    EXPECT_EQ(startup_.sounds.size(), 1u);
}

class MaximisedStartTest : public GameTest {
  protected:
    void BeforeStart() override { show_command_ = SW_SHOWMAXIMIZED; }
};

TEST_F(MaximisedStartTest, TheWindowIsShownWithTheShowCommandTheProgramWasGiven) {
    EXPECT_EQ(env_->host.Window(MainHostWindow())->show, platform::HostShow::kMaximized);
    EXPECT_GE(recorder_.paints + startup_.paints, 1);
}

TEST_F(GameTest, AboutOpensOverTheGameWhichGoesOnTickingBehindIt) {
    bool main_enabled_under_about = true;
    HWND about_owner = nullptr;
    answers_["About"] = [&](ModalWindow& about) {
        main_enabled_under_about = IsWindowEnabled(MainHwnd());
        about_owner = GetWindow(about.hwnd(), GW_OWNER);
        about.PressButton(IDOK, 500);
    };
    int car = GameWorld.Car2X;
    Click(100, 100, platform::MouseButton::kRight);
    Advance(600);
    ASSERT_EQ(recorder_.dialogs.size(), 1u);
    EXPECT_EQ(recorder_.dialogs[0].id, 118);
    EXPECT_EQ(recorder_.dialogs[0].result, IDOK);
    EXPECT_EQ(about_owner, MainHwnd());
    EXPECT_FALSE(main_enabled_under_about);
    // 38 ticks in 600 ms, 32 of them while the box was up.
    EXPECT_EQ(recorder_.ticks.size(), 38u);
    EXPECT_EQ(GameWorld.Car2X, car + 380);
    EXPECT_TRUE(IsWindowEnabled(MainHwnd()));
    Press(VK_UP);
    EXPECT_EQ(GameWorld.PlayerY, 480);
}

TEST_F(GameTest, AboutOpensInEveryPhaseEvenAfterTheGameIsOver) {
    GameWorld.State = kSplatted;
    GameWorld.Lives = 1;
    Press('A');
    ASSERT_NE(EndPhase, 0);
    Click(5, 5, platform::MouseButton::kRight);
    ASSERT_EQ(recorder_.dialogs.size(), 1u);
    EXPECT_EQ(recorder_.dialogs[0].id, 118);
}

TEST_F(GameTest, ClosingTheWindowEndsTheProgramAtOnceAndWritesNothing) {
    Press(VK_UP);
    env_->host.RequestClose(MainHostWindow(), Now());
    ASSERT_TRUE(program_->RunToEnd(Now()));
    EXPECT_EQ(program_->exit_code(), 0);
    EXPECT_TRUE(recorder_.boxes.empty());
    EXPECT_TRUE(std::filesystem::is_empty(directory_->path()));
    // The window and its pictures are gone with it.
    EXPECT_EQ(env_->session.handles().LiveCount(platform::ObjectKind::kWindow), 0);
    EXPECT_EQ(env_->session.handles().LiveCount(platform::ObjectKind::kBitmap), 0);
    EXPECT_EQ(env_->session.handles().LiveCount(platform::ObjectKind::kDeviceContext), 0);
}

}  // namespace
}  // namespace game_test
