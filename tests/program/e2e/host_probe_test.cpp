// The SDL host on a real X server, driven through a probe program that logs each host event:
// keys, characters, clicks, closing, resizing, an owned box and its focus, exposes.
#include <csignal>
#include <sstream>

#include "harness.h"

namespace e2e {
namespace {

class HostProbe : public E2eTest {
  protected:
    void SetUp() override {
        E2eTest::SetUp();
        if (HasFatalFailure()) return;
        log_ = TempPath("events.log");
        probe_ = std::make_unique<Process>(std::vector<std::string>{ZF_HOST_PROBE_PATH, log_});
        main_ = FindWindow("Host probe");
        ASSERT_FALSE(main_.empty()) << "the probe's window did not appear";
        ASSERT_TRUE(FocusWindow(main_));
    }

    void TearDown() override {
        probe_.reset();
        E2eTest::TearDown();
    }

    // Waits for a logged event line that starts with the text.
    bool Logged(const std::string& start, double seconds = 5) {
        return WaitFor(
            [&] {
                std::istringstream lines(ReadFile(log_));
                for (std::string line; std::getline(lines, line);)
                    if (line.rfind(start, 0) == 0) return true;
                return false;
            },
            seconds);
    }

    int CountLogged(const std::string& start) {
        std::istringstream lines(ReadFile(log_));
        int count = 0;
        for (std::string line; std::getline(lines, line);) count += line.rfind(start, 0) == 0;
        return count;
    }

    std::string log_;
    std::unique_ptr<Process> probe_;
    std::string main_;
};

TEST_F(HostProbe, KeysArriveAsVirtualKeysAndCharacterKeysAlsoAsCharacters) {
    ASSERT_TRUE(PressKeys({"Return", "Escape", "BackSpace", "Tab", "a", "shift+b", "space", "Up",
                           "Left", "F1", "x"}));
    ASSERT_TRUE(Logged("char 1 key=0 repeat=0 shift=0 char=120"));  // the last key, 'x'
    std::string log = ReadFile(log_);
    for (const char* expected :
         {"keydown 1 key=13 ", "char 1 key=0 repeat=0 shift=0 char=13 ", "keydown 1 key=27 ",
          "char 1 key=0 repeat=0 shift=0 char=27 ", "keydown 1 key=8 ",
          "char 1 key=0 repeat=0 shift=0 char=8 ", "keydown 1 key=9 ",
          "char 1 key=0 repeat=0 shift=0 char=9 ", "keydown 1 key=65 repeat=0 shift=0",
          "char 1 key=0 repeat=0 shift=0 char=97 ", "keydown 1 key=66 repeat=0 shift=1",
          "char 1 key=0 repeat=0 shift=0 char=66 ", "char 1 key=0 repeat=0 shift=0 char=32 ",
          "keydown 1 key=38 ", "keydown 1 key=37 ", "keydown 1 key=112 ", "keyup 1 key=38 "})
        EXPECT_NE(log.find(expected), std::string::npos) << expected << "\nin\n" << log;
    // Eleven keys, of which the arrows and F1 make no character; shift makes none either.
    EXPECT_EQ(CountLogged("char "), 8) << log;
}

TEST_F(HostProbe, AHeldKeyRepeatsAsKeyDownsMarkedAsRepeats) {
    ASSERT_EQ(
        RunCommand({"timeout", "15", "xdotool", "keydown", "Up", "sleep", "1.2", "keyup", "Up"}),
        0);
    ASSERT_TRUE(Logged("keyup 1 key=38 "));
    EXPECT_EQ(CountLogged("keydown 1 key=38 repeat=0 "), 1);
    EXPECT_GE(CountLogged("keydown 1 key=38 repeat=1 "), 3) << ReadFile(log_);
    EXPECT_EQ(CountLogged("keyup 1 key=38 "), 1) << "a repeat is not a release";
    EXPECT_EQ(CountLogged("char "), 0) << "arrows make no characters";
}

TEST_F(HostProbe, ClicksArriveInClientCoordinatesOfTheWindowUnderTheMouse) {
    ASSERT_TRUE(Click(main_, 37, 45, 1));
    ASSERT_TRUE(Click(main_, 300, 200, 3));
    ASSERT_TRUE(Logged("buttonup 1 key=0 repeat=0 shift=0 char=0 button=1 x=300 y=200"));
    std::string log = ReadFile(log_);
    EXPECT_NE(log.find("buttondown 1 key=0 repeat=0 shift=0 char=0 button=0 x=37 y=45"),
              std::string::npos)
        << log;
    EXPECT_NE(log.find("buttondown 1 key=0 repeat=0 shift=0 char=0 button=1 x=300 y=200"),
              std::string::npos)
        << log;
}

TEST_F(HostProbe, ThePresentedPixelsAreOnTheScreen) {
    Image shot = Screenshot(main_, "quarters");
    ASSERT_EQ(shot.width, 320);
    ASSERT_EQ(shot.height, 240);
    EXPECT_EQ(shot.At(0, 0), 0xFF0000u);
    EXPECT_EQ(shot.At(159, 119), 0xFF0000u);
    EXPECT_EQ(shot.At(160, 0), 0x0000FFu);
    EXPECT_EQ(shot.At(0, 120), 0xFFFF00u);
    EXPECT_EQ(shot.At(319, 239), 0x00FFFFu);
}

TEST_F(HostProbe, AnOwnedBoxOpensCentredWithTheKeyboardAndGivesItBack) {
    ASSERT_TRUE(PressKeys({"m"}));
    std::string box = FindWindow("Probe box");
    ASSERT_FALSE(box.empty());
    Geometry owner = WindowGeometry(main_);
    Geometry geometry = WindowGeometry(box);
    EXPECT_EQ(geometry.width, 120);
    EXPECT_EQ(geometry.height, 80);
    EXPECT_EQ(geometry.x, owner.x + (owner.width - 120) / 2);
    EXPECT_EQ(geometry.y, owner.y + (owner.height - 80) / 2);
    Image shown = Screenshot(box, "box");
    ASSERT_EQ(shown.width, 120);
    EXPECT_EQ(shown.At(0, 0), 0x00FF00u);
    EXPECT_EQ(shown.At(119, 79), 0x00FF00u);

    // No focus is given by hand from here on: the host moves the keyboard itself.
    ASSERT_TRUE(PressKeys({"z"}));
    ASSERT_TRUE(Logged("char 2 key=0 repeat=0 shift=0 char=122"));
    ASSERT_TRUE(PressKeys({"Return"}));
    ASSERT_TRUE(WaitFor([] { return !WindowExists("Probe box"); }));
    ASSERT_TRUE(PressKeys({"y"}));
    ASSERT_TRUE(Logged("char 1 key=0 repeat=0 shift=0 char=121"));

    // What the box covered is shown again from the host's own copy, unasked.
    Image after = Screenshot(main_, "box-closed");
    EXPECT_EQ(after.At(160, 120), 0x00FFFFu);
    EXPECT_EQ(after.At(159, 119), 0xFF0000u);
    EXPECT_EQ(CountLogged("exposed 1"), 0);
}

TEST_F(HostProbe, TheCloseButtonOfTheBoxReachesTheBoxAndOnlyIt) {
    ASSERT_TRUE(PressKeys({"m"}));
    std::string box = FindWindow("Probe box");
    ASSERT_FALSE(box.empty());
    ASSERT_TRUE(CloseWindow(box));
    ASSERT_TRUE(Logged("close 2"));
    ASSERT_TRUE(WaitFor([] { return !WindowExists("Probe box"); }));
    EXPECT_TRUE(probe_->Running());
    EXPECT_EQ(CountLogged("close 1"), 0);
}

TEST_F(HostProbe, TheCloseButtonClosesTheMainWindowAndSigtermEndsTheSession) {
    ASSERT_TRUE(CloseWindow(main_));
    EXPECT_EQ(probe_->Wait(10), 0);
    EXPECT_TRUE(Logged("close 1", 0));

    // Again, ended by a signal this time.
    probe_ = std::make_unique<Process>(std::vector<std::string>{ZF_HOST_PROBE_PATH, log_});
    ASSERT_FALSE(FindWindow("Host probe").empty());
    probe_->Signal(SIGTERM);
    EXPECT_EQ(probe_->Wait(10), 0);
    EXPECT_TRUE(Logged("quit 0", 0));
}

TEST_F(HostProbe, ResizingGivesTheNewClientSizeAndTheNewPixelsShow) {
    ASSERT_EQ(RunCommand({"timeout", "15", "xdotool", "windowsize", "--sync", main_, "400", "300"}),
              0);
    ASSERT_TRUE(Logged("resized 1 key=0 repeat=0 shift=0 char=0 button=0 x=0 y=0 w=400 h=300"));
    Image shot;
    EXPECT_TRUE(WaitFor([&] {
        shot = Screenshot(main_, "resized");
        return shot.width == 400 && shot.At(399, 299) == 0x00FFFFu;
    }));
    EXPECT_EQ(shot.At(199, 149), 0xFF0000u);
    EXPECT_EQ(shot.At(200, 149), 0x0000FFu);
}

}  // namespace
}  // namespace e2e
