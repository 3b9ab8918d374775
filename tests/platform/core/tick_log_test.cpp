// The tick log: written only when ZF_TICK_LOG names a file, a line for each tick, sound and
// answered box, with the host's clock.
#include "platform/tick_log.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>

#include "platform/host/headless/headless_host.h"

namespace platform {
namespace {

TEST(TickLog, WritesTicksSoundsAndBoxesOnlyWhenAsked) {
    headless::HeadlessHost host;

    unsetenv("ZF_TICK_LOG");
    EXPECT_EQ(TickLog::FromEnvironment(host), nullptr);

    std::string path = (std::filesystem::temp_directory_path() / "zf_tick_log_test.txt").string();
    setenv("ZF_TICK_LOG", path.c_str(), 1);
    {
        std::unique_ptr<TickLog> log = TickLog::FromEnvironment(host);
        ASSERT_NE(log, nullptr);
        HWND window = reinterpret_cast<HWND>(uintptr_t{42});
        log->MessageHandled(window, WM_TIMER, 1, 0);
        log->MessageHandled(window, WM_PAINT, 0, 0);  // not a tick
        log->SoundStarted("ahhh", SND_ASYNC);
        log->MessageBoxEnded(window, "Play Again?", "Quibbert needs you...", MB_YESNO, IDNO);
        log->MessageHandled(window, WM_TIMER, 2, 0);
    }
    unsetenv("ZF_TICK_LOG");
    std::ifstream file(path);
    std::stringstream text;
    text << file.rdbuf();
    std::filesystem::remove(path);

    std::istringstream lines(text.str());
    std::string time, kind, rest, kinds;
    double previous = -1;
    while (lines >> time >> kind && std::getline(lines, rest)) {
        double at = std::stod(time);
        EXPECT_GE(at, previous);
        previous = at;
        kinds += kind + rest + ";";
    }
    EXPECT_EQ(kinds, "tick 1 42;sound ahhh;box 7;tick 2 42;");
}

}  // namespace
}  // namespace platform
