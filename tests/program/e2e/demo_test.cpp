// The demo program (a Win32 program on the window system and the SDL host) driven as a person
// would: its box moves on the 0 ms timer, clicks and keys reach it, a message box opens over it
// and hands the keyboard back, resizing repaints, and closing ends it.
#include <algorithm>
#include <csignal>
#include <sstream>

#include "harness.h"

namespace e2e {
namespace {

constexpr uint32_t kBoxColour = 0xC80000;
constexpr uint32_t kWhite = 0xFFFFFF;

class Demo : public E2eTest {
  protected:
    void SetUp() override {
        E2eTest::SetUp();
        if (HasFatalFailure()) return;
        log_ = TempPath("demo.log");
        setenv("SDL_DEMO_LOG", log_.c_str(), 1);
        demo_ = std::make_unique<Process>(std::vector<std::string>{ZF_SDL_DEMO_PATH});
        main_ = FindWindow("SDL host demo");
        ASSERT_FALSE(main_.empty()) << "the demo's window did not appear";
        ASSERT_TRUE(FocusWindow(main_));
    }

    void TearDown() override {
        demo_.reset();
        unsetenv("SDL_DEMO_LOG");
        E2eTest::TearDown();
    }

    bool Logged(const std::string& line, double seconds = 5) {
        return WaitFor(
            [&] {
                std::istringstream lines(ReadFile(log_));
                for (std::string text; std::getline(lines, text);)
                    if (text == line) return true;
                return false;
            },
            seconds);
    }

    // The left edge of the red box on row y, or -1.
    static int BoxLeft(const Image& image, int y) {
        for (int x = 0; x < image.width; ++x)
            if (image.At(x, y) == kBoxColour) return x;
        return -1;
    }

    std::string log_;
    std::unique_ptr<Process> demo_;
    std::string main_;
};

TEST_F(Demo, TheClientAreaIsTheFramesAndTheBoxMovesOnTheTimer) {
    Image first = Screenshot(main_, "first");
    ASSERT_EQ(first.width, 788);
    ASSERT_EQ(first.height, 569);
    EXPECT_EQ(first.At(5, 5), kWhite);
    Image later;
    ASSERT_TRUE(WaitFor([&] {
        later = Screenshot(main_, "later");
        return BoxLeft(later, 120) > BoxLeft(first, 120) + 30;
    })) << "the box did not move";
    // Where the box was is white again, and the box is one piece.
    int left = BoxLeft(later, 120);
    EXPECT_EQ(later.At(left + 39, 120), kBoxColour);
    EXPECT_EQ(later.At(left + 40, 120), kWhite);
    EXPECT_EQ(later.At(left, 100), kBoxColour);
    EXPECT_EQ(later.At(left, 99), kWhite);
}

TEST_F(Demo, KeysAndClicksArriveAsTheirMessages) {
    ASSERT_TRUE(PressKeys({"space", "Up", "Return", "a"}));
    ASSERT_TRUE(Logged("char 97"));
    std::string log = ReadFile(log_);
    EXPECT_NE(log.find("keydown 32\nchar 32\nkeydown 38\nkeydown 13\nchar 13\nkeydown 65\n"),
              std::string::npos)
        << log;

    ASSERT_TRUE(Click(main_, 200, 300));
    ASSERT_TRUE(Logged("click 200 300"));
    Image shot;
    EXPECT_TRUE(WaitFor([&] {
        shot = Screenshot(main_, "clicked");
        return shot.At(200, 300) == kBoxColour && shot.At(239, 339) == kBoxColour;
    }));
    EXPECT_EQ(shot.At(199, 300), kWhite);
    EXPECT_EQ(shot.At(240, 339), kWhite);
}

TEST_F(Demo, AMessageBoxOpensOverTheWindowWhileTheBoxMovesOnAndGivesTheKeysBack) {
    ASSERT_TRUE(PressKeys({"m"}));
    std::string box = FindWindow("SDL demo");
    ASSERT_FALSE(box.empty()) << "no message box";
    Geometry owner = WindowGeometry(main_);
    Geometry geometry = WindowGeometry(box);
    EXPECT_NEAR(geometry.x + geometry.width / 2, owner.x + owner.width / 2, 1);
    EXPECT_NEAR(geometry.y + geometry.height / 2, owner.y + owner.height / 2, 1);
    Screenshot(box, "message-box");

    // The timer keeps running in the box's loop; the disabled window takes no clicks and
    // its close button does nothing.
    Image before = Screenshot(main_, "behind-1");
    ASSERT_TRUE(WaitFor(
        [&] { return BoxLeft(Screenshot(main_, "behind-2"), 120) != BoxLeft(before, 120); }));
    ASSERT_TRUE(Click(main_, 700, 500));
    ASSERT_TRUE(CloseWindow(main_));
    ASSERT_TRUE(PressKeys({"Return"}));
    ASSERT_TRUE(Logged("messagebox 1"));
    ASSERT_TRUE(WaitFor([] { return !WindowExists("SDL demo"); }));
    EXPECT_EQ(ReadFile(log_).find("click 700 500"), std::string::npos);
    EXPECT_TRUE(demo_->Running());

    ASSERT_TRUE(PressKeys({"q"}));  // no focus given by hand
    EXPECT_TRUE(Logged("char 113"));
}

TEST_F(Demo, ResizingRepaintsTheNewClientArea) {
    ASSERT_EQ(RunCommand({"timeout", "15", "xdotool", "windowsize", "--sync", main_, "500", "400"}),
              0);
    ASSERT_TRUE(Logged("size 500 400"));
    Image shot;
    EXPECT_TRUE(WaitFor([&] {
        shot = Screenshot(main_, "resized");
        return shot.width == 500 && shot.height == 400 && shot.At(499, 399) == kWhite;
    }));
    EXPECT_NE(BoxLeft(shot, 120), -1);
}

TEST_F(Demo, TheCloseButtonEndsTheProgram) {
    ASSERT_TRUE(CloseWindow(main_));
    EXPECT_EQ(demo_->Wait(10), 0);
}

TEST_F(Demo, SigtermEndsTheProgramAsTheCloseButtonWould) {
    demo_->Signal(SIGTERM);
    EXPECT_EQ(demo_->Wait(10), 0);
}

TEST(DemoWithoutAScreen, SaysWhyInOneLineAndEndsWithStatusOne) {
    std::string output;
    // Without SDL_VIDEODRIVER too: SDL's invisible fallback drivers must not stand in for a screen.
    int status = RunCommand({"env", "-u", "DISPLAY", "-u", "WAYLAND_DISPLAY", "-u",
                             "SDL_VIDEODRIVER", "sh", "-c", ZF_SDL_DEMO_PATH " 2>&1"},
                            &output);
    EXPECT_EQ(status, 1);
    EXPECT_NE(output.find("cannot open the screen"), std::string::npos) << output;
    EXPECT_EQ(std::count(output.begin(), output.end(), '\n'), 1) << output;
}

}  // namespace
}  // namespace e2e
