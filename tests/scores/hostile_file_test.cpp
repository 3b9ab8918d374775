#include <fcntl.h>
#include <sys/file.h>
#include <sys/resource.h>
#include <unistd.h>

#include <gtest/gtest.h>

#include <chrono>
#include <climits>
#include <csignal>
#include <cstring>
#include <fstream>
#include <random>
#include <string>
#include <thread>
#include <vector>

#include "score_dir.h"
#include "scores/high_scores.h"

namespace {

using HostileFile = ScoreDirTest;
namespace fs = std::filesystem;

const std::string kTable = FileOf({"900", "800", "700", "", "", "", "", "", "", "",
                                   "Ann", "Bo",  "Cy",  "", "", "", "", "", "", ""});

int EntriesLength() {
    int length = 0;
    for (int i = 0; i < kTableSize; ++i) {
        length += int(std::strlen(HighScoreTable.Names[i]));
        length += int(std::strlen(HighScoreTable.ScoreTexts[i]));
    }
    return length;
}

bool EveryEntryTerminated() {
    for (int i = 0; i < kTableSize; ++i) {
        if (!std::memchr(HighScoreTable.Names[i], '\0', kEntrySize)) return false;
        if (!std::memchr(HighScoreTable.ScoreTexts[i], '\0', kEntrySize)) return false;
    }
    return true;
}

TEST_F(HostileFile, AMegabyteLineKeepsTwentyCharactersAndShiftsNothing) {
    WriteBytes("scores.txt",
               std::string(1 << 20, '7') + "\r\n200\r\n" + std::string(8, '\n') + "Ann\r\nBo");
    LoadHighScores();
    EXPECT_EQ(HighScoreTable.ScoreTexts[0], std::string(20, '7'));
    EXPECT_STREQ(HighScoreTable.ScoreTexts[1], "200");
    EXPECT_STREQ(HighScoreTable.Names[0], "Ann");
    EXPECT_STREQ(HighScoreTable.Names[1], "Bo");
    EXPECT_EQ(HighScoreTable.Scores[0], INT_MAX);
    EXPECT_EQ(HighScoreTable.Scores[1], 0) << "kept from before the failed extraction";

    WriteBytes("scores.txt", std::string(1 << 20, 'a'));
    LoadHighScores();
    EXPECT_EQ(HighScoreTable.ScoreTexts[0], std::string(20, 'a'));
    EXPECT_EQ(EntriesLength(), 20);
}

TEST_F(HostileFile, NulsAndBinaryBytesStayInsideTheirEntries) {
    WriteBytes("scores.txt", std::string("12\0 34\r\n\xff\xfe\x01\x7f\r\n", 15) +
                                 std::string(8, '\n') + std::string("A\0nn\r\nBo", 8));
    LoadHighScores();
    EXPECT_STREQ(HighScoreTable.ScoreTexts[0], "12");
    EXPECT_STREQ(HighScoreTable.ScoreTexts[1], "\xff\xfe\x01\x7f");
    EXPECT_STREQ(HighScoreTable.Names[0], "A");
    EXPECT_STREQ(HighScoreTable.Names[1], "Bo");

    std::mt19937 random(2718);
    for (int round = 0; round < 20; ++round) {
        std::string bytes(size_t(random() % 65536), '\0');
        for (char& byte : bytes) byte = char(random() % 4 ? random() % 256 : '\n');
        WriteBytes("scores.txt", bytes);
        LoadHighScores();
        ASSERT_TRUE(EveryEntryTerminated()) << round;
        EXPECT_EQ(HighScoreText.Length(), 280 + EntriesLength()) << round;
        if (HighScoreTable.Scores[9] == INT_MAX) continue;

        Save(INT_MAX, "Max");
        const std::string written = ReadBytes("scores.txt");
        size_t line_ends = 0;
        for (size_t at = 0; (at = written.find("\r\n", at)) != std::string::npos; at += 2)
            ++line_ends;
        EXPECT_EQ(line_ends, 19u) << round;
        EXPECT_EQ(written.find('\x1a'), std::string::npos) << round;
        EXPECT_STREQ(HighScoreTable.Names[EndPhase - 1], "Max") << round;
        EXPECT_STREQ(HighScoreTable.ScoreTexts[EndPhase - 1], "2147483647") << round;
    }
}

TEST_F(HostileFile, ADirectoryNamedScoresTxtIsNeitherReadNorReplaced) {
    fs::create_directory("scores.txt");
    LoadHighScores();
    EXPECT_EQ(HighScoreText.Length(), 280);
    Save(100, "Ann");
    EXPECT_EQ(EndPhase, 1);
    EXPECT_STREQ(NewEntryName.Chars(), "");
    EXPECT_TRUE(fs::is_directory("scores.txt"));
    EXPECT_EQ(DirectoryEntries(), std::vector<std::string>{"scores.txt"});
}

TEST_F(HostileFile, AFullDiskLeavesTheOldTable) {
    WriteBytes("scores.txt", kTable);
    const int failed_step = RunInChild(Privileges::kKeep, [] {
        // Writes past 16 bytes fail as they would on a full disk.
        std::signal(SIGXFSZ, SIG_IGN);
        const rlimit limit{16, 16};
        if (setrlimit(RLIMIT_FSIZE, &limit) != 0) return 1;
        LoadHighScores();
        Save(1000, "Top");
        if (std::strcmp(HighScoreTable.ScoreTexts[0], "900") != 0) return 2;
        return std::strcmp(NewEntryName.Chars(), "") == 0 ? 0 : 3;
    });
    EXPECT_EQ(failed_step, 0);
    EXPECT_EQ(ReadBytes("scores.txt"), kTable);
    EXPECT_EQ(DirectoryEntries(), std::vector<std::string>{"scores.txt"});
}

// The two tests below need a user that file modes apply to: as root the check runs in a child
// process that has dropped to user nobody.
TEST_F(HostileFile, AFileWeCannotReadIsNeverReplaced) {
    fs::permissions(dir_, fs::perms::all);
    WriteBytes("scores.txt", kTable);
    GiveToUnprivileged("scores.txt");
    for (const fs::perms mode : {fs::perms::none, fs::perms::owner_write}) {
        fs::permissions("scores.txt", mode);
        const int failed_step = RunInChild(Privileges::kDrop, [] {
            LoadHighScores();
            if (HighScoreText.Length() != 280) return 1;
            Save(100, "Ann");
            return std::strcmp(NewEntryName.Chars(), "") == 0 ? 0 : 2;
        });
        EXPECT_EQ(failed_step, 0);
        fs::permissions("scores.txt", fs::perms::owner_read, fs::perm_options::add);
        EXPECT_EQ(ReadBytes("scores.txt"), kTable);
        EXPECT_EQ(DirectoryEntries(), std::vector<std::string>{"scores.txt"});
    }
}

TEST_F(HostileFile, AReadOnlyFolderHasItsFileRewrittenInPlace) {
    WriteBytes("scores.txt", kTable);
    GiveToUnprivileged("scores.txt");
    fs::permissions("scores.txt", fs::perms::owner_read | fs::perms::owner_write);
    fs::permissions(dir_, fs::perms::owner_read | fs::perms::owner_exec | fs::perms::group_read |
                              fs::perms::group_exec | fs::perms::others_read |
                              fs::perms::others_exec);
    const int failed_step = RunInChild(Privileges::kDrop, [] {
        LoadHighScores();
        Save(1000, "Top");
        if (std::strcmp(HighScoreTable.Names[0], "Top") != 0) return 1;
        return std::strcmp(HighScoreTable.Names[1], "Ann") == 0 ? 0 : 2;
    });
    EXPECT_EQ(failed_step, 0);
    EXPECT_EQ(ReadBytes("scores.txt"),
              FileOf({"1000", "900", "800", "700", "", "", "", "", "", "",
                      "Top",  "Ann", "Bo",  "Cy",  "", "", "", "", "", ""}));
    EXPECT_EQ(DirectoryEntries(), std::vector<std::string>{"scores.txt"});
}

TEST_F(HostileFile, ALinkedTableIsUpdatedWhereItLivesWithItsMode) {
    fs::create_directory("kept");
    WriteBytes("kept/table.txt", kTable);
    const fs::perms mode = fs::perms::owner_read | fs::perms::owner_write | fs::perms::group_read;
    fs::permissions("kept/table.txt", mode);
    fs::create_symlink("kept/table.txt", "scores.txt");
    LoadHighScores();
    Save(1000, "Top");
    EXPECT_TRUE(fs::is_symlink("scores.txt"));
    EXPECT_EQ(fs::status("kept/table.txt").permissions(), mode);
    EXPECT_EQ(ReadBytes("kept/table.txt").substr(0, 6), "1000\r\n");
    EXPECT_EQ(std::distance(fs::directory_iterator("kept"), fs::directory_iterator()), 1);
}

std::string Told() {
    return ScoreFileTrouble.Chars();
}

TEST_F(HostileFile, AFileFarTooLargeForATableIsNeitherReadNorSavedOver) {
    constexpr std::uintmax_t kSize = (std::uintmax_t{64} << 20) + 1;
    WriteBytes("scores.txt", "");
    fs::resize_file("scores.txt", kSize);
    LoadHighScores();
    EXPECT_NE(Told().find("it is far too large for a high-score table"), std::string::npos)
        << Told();
    Save(1000, "Top");
    EXPECT_EQ(fs::file_size("scores.txt"), kSize);
}

TEST_F(HostileFile, AnotherGamesSaveMeanwhileIsKept) {
    WriteBytes("scores.txt", kTable);
    LoadHighScores();
    // While this player types a name, another game ends and saves.
    const std::string theirs = FileOf({"950", "900", "800", "700", "", "", "", "", "", "",
                                       "Eve", "Ann", "Bo",  "Cy",  "", "", "", "", "", ""});
    WriteBytes("scores.txt", theirs);
    Save(850, "Top");
    EXPECT_EQ(EndPhase, 3);
    EXPECT_EQ(ReadBytes("scores.txt"),
              FileOf({"950", "900", "850", "800", "700", "", "", "", "", "",
                      "Eve", "Ann", "Top", "Bo",  "Cy",  "", "", "", "", ""}));
}

TEST_F(HostileFile, ASaveWaitsAFewSecondsForTheLockAndThenGivesUp) {
    using std::chrono::steady_clock;
    WriteBytes("scores.txt", kTable);
    LoadHighScores();
    const int other_game = open("scores.txt", O_RDONLY | O_CLOEXEC);
    ASSERT_EQ(flock(other_game, LOCK_EX), 0);
    std::thread release([other_game] {
        std::this_thread::sleep_for(std::chrono::milliseconds(300));
        flock(other_game, LOCK_UN);
    });
    auto start = steady_clock::now();
    Save(1000, "Top");
    release.join();
    EXPECT_GE(steady_clock::now() - start, std::chrono::milliseconds(300));
    EXPECT_EQ(Told(), "");
    EXPECT_STREQ(HighScoreTable.Names[0], "Top");

    close(other_game);

    // The save replaced the file: the other game locks the new one, and keeps it.
    const std::string saved = ReadBytes("scores.txt");
    const int keeping = open("scores.txt", O_RDONLY | O_CLOEXEC);
    ASSERT_EQ(flock(keeping, LOCK_EX), 0);
    start = steady_clock::now();
    Save(2000, "Max");
    const auto waited = steady_clock::now() - start;
    close(keeping);
    EXPECT_GE(waited, std::chrono::seconds(2));
    EXPECT_LT(waited, std::chrono::seconds(10));
    EXPECT_EQ(ReadBytes("scores.txt"), saved);
    EXPECT_NE(Told().find("could not lock " + (dir_ / "scores.txt").string()), std::string::npos)
        << Told();
}

TEST_F(HostileFile, OnlyAFolderThatRefusesNewFilesLeadsToARewriteInPlace) {
    // No temporary file can be named beside a table whose name is as long as names go: that
    // is a failed save, not a reason to rewrite the table in place.
    const std::string long_name(250, 'n');
    WriteBytes(long_name, kTable);
    fs::create_symlink(long_name, "scores.txt");
    LoadHighScores();
    Save(1000, "Top");
    EXPECT_EQ(ReadBytes(long_name), kTable);
    EXPECT_NE(Told().find("could not create a temporary file beside"), std::string::npos) << Told();
    EXPECT_EQ(DirectoryEntries(), (std::vector<std::string>{long_name, "scores.txt"}));
}

TEST_F(HostileFile, AHardLinkedTableStaysOneFile) {
    WriteBytes("scores.txt", kTable);
    fs::create_hard_link("scores.txt", "shared.txt");
    LoadHighScores();
    Save(1000, "Top");
    EXPECT_STREQ(HighScoreTable.Names[0], "Top");
    EXPECT_EQ(fs::hard_link_count("scores.txt"), 2u);
    EXPECT_EQ(ReadBytes("shared.txt"), ReadBytes("scores.txt"));
}

bool LinksProtected() {
    std::ifstream setting("/proc/sys/fs/protected_symlinks");
    int value = 0;
    return setting >> value && value == 1;
}

TEST_F(HostileFile, ALinkAnotherUserPlantedInASharedFolderIsNotFollowed) {
    if (geteuid() != 0) GTEST_SKIP() << "needs root, to be two users";
    if (!LinksProtected())
        GTEST_SKIP() << "the system does not protect links (fs.protected_symlinks)";
    fs::permissions(dir_, fs::perms::all);
    fs::create_directory("private");
    WriteBytes("private/secret", "root's own");
    fs::permissions("private/secret", fs::perms::owner_read | fs::perms::owner_write);
    // A folder like /tmp: anyone may add to it, and only owners remove.
    fs::create_directory("shared");
    fs::permissions("shared", fs::perms::all | fs::perms::sticky_bit);
    const std::string secret = (dir_ / "private/secret").string();
    ASSERT_EQ(RunInChild(Privileges::kDrop,
                         [&] { return symlink(secret.c_str(), "shared/scores.txt") == 0 ? 0 : 1; }),
              0);

    fs::current_path("shared");
    LoadHighScores();
    Save(1000, "Top");
    fs::current_path(dir_);
    EXPECT_EQ(ReadBytes(secret), "root's own");
    EXPECT_NE(Told().find("could not open " + (dir_ / "shared/scores.txt").string()),
              std::string::npos)
        << Told();
}

}  // namespace
