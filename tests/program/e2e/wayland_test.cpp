// The game on a Wayland compositor, natively: Weston with its X11 backend, nested in the test's
// Xvfb (its headless backend offers no seat, and SDL cannot start there). What the game shows
// is followed through its frame log; keys reach it through Weston's window.
#include <stdlib.h>

#include <algorithm>
#include <csignal>
#include <filesystem>
#include <memory>
#include <sstream>
#include <string>
#include <vector>

#include "harness.h"

namespace e2e {
namespace {

constexpr char kSocket[] = "zf-wayland";

// How many presents the frame log has for each window.
std::vector<int> PresentsPerWindow(const std::string& log) {
    std::vector<int> counts;
    std::istringstream lines(log);
    double ms = 0;
    unsigned window = 0;
    while (lines >> ms >> window) {
        if (window >= counts.size()) counts.resize(window + 1);
        ++counts[window];
    }
    return counts;
}

constexpr int kPlayX = 379, kPlayY = 213;  // "PLAY!" on the splash, in client pixels

// The first pixel, row by row, that starts a run of the dialogs' silver 100 pixels long.
bool SilverCorner(const Image& shot, int* left, int* top) {
    constexpr uint32_t kSilver = 0xC0C0C0;
    for (int y = 0; y < shot.height; ++y) {
        for (int x = 0; x + 100 <= shot.width; ++x) {
            int run = 0;
            while (run < 100 && shot.At(x + run, y) == kSilver) ++run;
            if (run == 100) {
                *left = x;
                *top = y;
                return true;
            }
            x += run;
        }
    }
    return false;
}

class Wayland : public E2eTest {
  protected:
    void SetUp() override {
        E2eTest::SetUp();
        if (HasFatalFailure()) return;
        // A socket's path must fit in 108 bytes, which the test's own folder may not.
        char runtime_template[] = "/tmp/zf-xdg-XXXXXX";
        ASSERT_NE(mkdtemp(runtime_template), nullptr);
        runtime_ = runtime_template;
        const std::string& runtime = runtime_;
        setenv("XDG_RUNTIME_DIR", runtime.c_str(), 1);
        weston_ = std::make_unique<Process>(std::vector<std::string>{
            "weston", "--backend=x11-backend.so", "--use-pixman", "--width=1024", "--height=768",
            std::string("--socket=") + kSocket, "--idle-time=0"});
        ASSERT_TRUE(WaitFor([&] { return std::filesystem::exists(runtime + "/" + kSocket); }))
            << "Weston did not start";
        frames_ = TempPath("frames.log");
        game_ = std::make_unique<Process>(std::vector<std::string>{
            "env", "-u", "DISPLAY", std::string("WAYLAND_DISPLAY=") + kSocket,
            "SDL_VIDEODRIVER=wayland", "SDL_VIDEO_WAYLAND_ALLOW_LIBDECOR=0",
            "ZF_FRAME_LOG=" + frames_, ZF_GAME_PATH});
    }
    void TearDown() override {
        game_.reset();
        weston_.reset();
        unsetenv("XDG_RUNTIME_DIR");
        if (!runtime_.empty()) std::filesystem::remove_all(runtime_);
        E2eTest::TearDown();
    }
    std::unique_ptr<Process> weston_, game_;
    std::string frames_, runtime_;
};

TEST_F(Wayland, SplashThenPlayThenTheSceneMovesAndSigtermEndsWithZero) {
    // The first window to show anything is the splash; the main window is another one.
    unsigned splash = 0;
    ASSERT_TRUE(WaitFor(
        [&] {
            std::vector<int> counts = PresentsPerWindow(ReadFile(frames_));
            for (unsigned window = 0; window < counts.size() && !splash; ++window)
                if (counts[window] > 0) splash = window;
            return splash != 0;
        },
        20))
        << "no splash";
    auto main_presents = [&] {
        std::vector<int> counts = PresentsPerWindow(ReadFile(frames_));
        int most = 0;
        for (unsigned window = 0; window < counts.size(); ++window)
            if (window != splash) most = std::max(most, counts[window]);
        return most;
    };
    EXPECT_EQ(main_presents(), 0);
    // Weston shows its output as one X window; keys typed there go to the focused surface.
    std::string output;
    RunCommand({"xdotool", "search", "--sync", "--onlyvisible", "--class", "weston"}, &output);
    std::string compositor = output.substr(0, output.find('\n'));
    ASSERT_FALSE(compositor.empty()) << "no Weston window";
    // The compositor places the splash where it likes: find its silver top-left corner
    // (there is no frame on it), then click PLAY!, which also gives it the keyboard.
    int left = -1, top = -1;
    ASSERT_TRUE(WaitFor([&] {
        Image shot = Screenshot(compositor, "splash");
        return SilverCorner(shot, &left, &top);
    })) << "the splash is not on the compositor's screen";
    // Weston may take the pointer's first move into its window as an entry alone, leaving the
    // pointer where it was: bring it in first, so that the click lands where it is aimed.
    RunCommand({"xdotool", "mousemove", "--sync", "--window", compositor, "1", "1"});
    ASSERT_TRUE(Click(compositor, left + kPlayX, top + kPlayY));
    ASSERT_TRUE(WaitFor([&] { return main_presents() > 0; })) << "PLAY! did not start the game";
    ASSERT_TRUE(PressKeys({"Up"}));
    int before = main_presents();
    EXPECT_TRUE(WaitFor([&] { return main_presents() > before + 30; })) << "the scene stood still";
    EXPECT_TRUE(game_->Running());
    game_->Signal(SIGTERM);
    EXPECT_EQ(game_->Wait(10), 0);
}

}  // namespace
}  // namespace e2e
