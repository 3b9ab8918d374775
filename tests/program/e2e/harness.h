// The end-to-end harness: a private Xvfb display, programs started on it, and the tools a
// person's hands and eyes would be (xdotool for keys and clicks, ImageMagick for screenshots).
// No window manager runs, so focus is given explicitly and closing is a client message.
#pragma once

#include <gtest/gtest.h>
#include <sys/types.h>

#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <vector>

namespace e2e {

// Runs a command to its end and returns its exit status (-1 when it could not run or was
// killed); its standard output goes to *output when given.
int RunCommand(const std::vector<std::string>& args, std::string* output = nullptr);

// A child process, killed and reaped when the object goes if it still runs.
class Process {
  public:
    explicit Process(const std::vector<std::string>& args);
    ~Process();
    Process(const Process&) = delete;
    Process& operator=(const Process&) = delete;

    pid_t pid() const { return pid_; }
    bool Running();
    // The exit status, or nothing when it has not ended within the time.
    std::optional<int> Wait(double seconds);
    void Signal(int signal);

  private:
    pid_t pid_ = -1;
    std::optional<int> status_;
};

// Xvfb on a display number it picks itself; DISPLAY names it while the object lives.
class Display {
  public:
    // A screen of the given size ("WIDTHxHEIGHTxDEPTH") and further Xvfb arguments.
    explicit Display(const std::string& screen = "1280x1024x24",
                     const std::vector<std::string>& extra = {});
    ~Display();
    bool ok() const { return !name_.empty(); }
    const std::string& name() const { return name_; }

  private:
    std::unique_ptr<Process> server_;
    std::string name_;
};

struct Image {
    int width = 0;
    int height = 0;
    std::vector<uint32_t> pixels;  // 0x00RRGGBB
    uint32_t At(int x, int y) const { return pixels[static_cast<size_t>(y) * width + x]; }
};

struct Geometry {
    int x = 0, y = 0, width = 0, height = 0;
};

// Polls until the condition holds; false when the time runs out first.
bool WaitFor(const std::function<bool()>& condition, double seconds = 10);
std::string ReadFile(const std::string& path);

// The id of the visible window with exactly this title, or "" when none appears in time.
std::string FindWindow(const std::string& title, double seconds = 10);
bool WindowExists(const std::string& title);
bool FocusWindow(const std::string& window);
// Key names as xdotool knows them ("Return", "Up", "a", "shift+a"), typed into the focus.
bool PressKeys(const std::vector<std::string>& keys);
bool Click(const std::string& window, int x, int y, int button = 1);
Geometry WindowGeometry(const std::string& window);
// A window manager's close button: WM_DELETE_WINDOW.
bool CloseWindow(const std::string& window);

// Each test gets a display of its own; its screenshots are kept when it fails.
class E2eTest : public ::testing::Test {
  protected:
    void SetUp() override;
    void TearDown() override;

    // A screenshot of the window, saved as NAME.png beside the test's other screenshots.
    Image Screenshot(const std::string& window, const std::string& name);
    // A scratch file in the test's own folder.
    std::string TempPath(const std::string& name) const;

    std::unique_ptr<Display> display_;

  private:
    std::string folder_;
    std::vector<std::string> screenshots_;
};

}  // namespace e2e
