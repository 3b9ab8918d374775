// Whole games played by zandrofel-replay from the scripts in replays/, each compared line by line
// with its recorded outcome (the world after every tick, sounds, boxes, dialogs) and, for a game
// that ended, the "scores.txt" it left with the recorded one. With ZF_UPDATE_GOLDEN=1 in the
// environment the outcomes are written afresh instead.
#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

namespace {

namespace fs = std::filesystem;

struct ToolRun {
    int status = -1;
    std::string output;
};

// Runs the tool in `folder` (the working directory when empty), where a game over leaves its
// "scores.txt".
ToolRun RunTool(const std::string& arguments, const fs::path& folder = {}) {
    ToolRun run;
    std::string command = std::string(ZF_REPLAY_TOOL) + " " + arguments + " 2>&1";
    if (!folder.empty()) command = "cd '" + folder.string() + "' && " + command;
    FILE* pipe = popen(command.c_str(), "r");
    if (!pipe) return run;
    char buffer[4096];
    for (size_t got; (got = fread(buffer, 1, sizeof buffer, pipe)) > 0;)
        run.output.append(buffer, got);
    int status = pclose(pipe);
    run.status = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    return run;
}

std::string ReadFile(const fs::path& path) {
    std::ifstream in(path, std::ios::binary);
    std::stringstream text;
    text << in.rdbuf();
    return text.str();
}

std::vector<std::string> Lines(const std::string& text) {
    std::vector<std::string> lines;
    std::istringstream in(text);
    for (std::string line; std::getline(in, line);) lines.push_back(line);
    return lines;
}

// The seed a script names in its first line: "# seed N".
long SeedOf(const std::string& script) {
    long seed = -1;
    std::sscanf(script.c_str(), "# seed %ld", &seed);
    return seed;
}

class Replay : public ::testing::TestWithParam<std::string> {};

TEST_P(Replay, PlaysAsRecorded) {
    fs::path folder = ZF_REPLAY_DIR;
    fs::path script = folder / (GetParam() + ".script");
    fs::path expected = folder / (GetParam() + ".expected");
    // The table a game over writes, byte for byte; no file when the game never ended.
    fs::path expected_scores = folder / (GetParam() + ".scores");
    long seed = SeedOf(ReadFile(script));
    ASSERT_GE(seed, 0) << script << " does not start with its seed";
    // Each game in a folder of its own, so no table carries over from another.
    fs::path run_folder = fs::absolute("replay-runs") / GetParam();
    fs::remove_all(run_folder);
    fs::create_directories(run_folder);
    ToolRun run = RunTool(std::to_string(seed) + " " + script.string(), run_folder);
    ASSERT_EQ(run.status, 0) << run.output;
    fs::path scores = run_folder / "scores.txt";

    const char* update = std::getenv("ZF_UPDATE_GOLDEN");
    if (update && std::string(update) == "1") {
        std::ofstream(expected, std::ios::binary) << run.output;
        if (fs::exists(scores))
            fs::copy_file(scores, expected_scores, fs::copy_options::overwrite_existing);
        return;
    }
    std::vector<std::string> want = Lines(ReadFile(expected)), have = Lines(run.output);
    ASSERT_FALSE(want.empty()) << "no recorded outcome in " << expected;
    for (size_t i = 0; i < std::min(want.size(), have.size()); ++i) {
        if (want[i] != have[i]) {
            fs::path actual = fs::absolute(GetParam() + ".actual");
            std::ofstream(actual, std::ios::binary) << run.output;
            FAIL() << "line " << i + 1 << " differs\n  recorded: " << want[i]
                   << "\n  played:   " << have[i] << "\nthe whole run: " << actual;
        }
    }
    EXPECT_EQ(have.size(), want.size()) << "the run has a different length";
    ASSERT_EQ(fs::exists(scores), fs::exists(expected_scores)) << "scores.txt in " << run_folder;
    if (fs::exists(scores)) {
        EXPECT_EQ(ReadFile(scores), ReadFile(expected_scores)) << "scores.txt in " << run_folder;
    }
}

INSTANTIATE_TEST_SUITE_P(Games, Replay,
                         ::testing::Values("run_over", "drowned", "ridden", "home", "cookie",
                                           "splat", "burnt", "loser", "high_score"));

TEST(ReplayScript, AMistakeIsNamedWithItsLineAndNothingRuns) {
    fs::path script = fs::absolute("bad.script");
    std::ofstream(script) << "# a script\nat 10 key UP\nat 20 hop 3\nend 100\n";
    ToolRun run = RunTool("1 " + script.string());
    EXPECT_EQ(run.status, 2);
    EXPECT_NE(run.output.find("line 3"), std::string::npos) << run.output;
    std::ofstream(script) << "at 10 key F1\nend 100\n";
    EXPECT_EQ(RunTool("1 " + script.string()).status, 2);
    std::ofstream(script) << "at 10 key UP\n";
    EXPECT_NE(RunTool("1 " + script.string()).output.find("no end"), std::string::npos);
    EXPECT_EQ(RunTool("x " + script.string()).status, 2);
}

TEST(ReplayScript, EveryEventIsLoggedInOrderWithTimesFromTheFirstPaint) {
    fs::path script = fs::absolute("events.script");
    std::ofstream(script) << "at 0.5 key a\nat 1 key 7\nat 2 click 3 4\nat 2 click 3 4\nend 20\n";
    std::vector<std::string> lines = Lines(RunTool("1 " + script.string()).output);
    std::vector<std::string> shown;
    for (const std::string& line : lines)
        if (line.rfind("tick", 0) != 0) shown.push_back(line);
    // The start sound before the first paint, the splash left by "PLAY!" at once; two clicks
    // close together stay two clicks.
    EXPECT_EQ(shown, (std::vector<std::string>{"sound -1000.000 giggle 0", "dialog 0.000 110 1",
                                               "paint 0.000", "key 0.500 a", "key 1.000 7",
                                               "click 2.000 3 4", "click 2.000 3 4"}));
    ASSERT_FALSE(lines.empty());
    EXPECT_EQ(lines.back().rfind("tick 15.625 1 1 15 4 0 405 505 ", 0), 0u) << lines.back();
}

}  // namespace
