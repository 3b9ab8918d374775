// Saves in real processes: killed, failing at chosen system calls (strace), two at once, and run
// as another user (setpriv, as root). Each case states what the table must be afterwards.
#include <fcntl.h>
#include <pwd.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <gtest/gtest.h>

#include <chrono>
#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <regex>
#include <string>
#include <thread>
#include <vector>

#include "child_process.h"
#include "score_dir.h"
#include "scores/high_scores.h"

namespace {

namespace fs = std::filesystem;
using Args = std::vector<std::string>;

const std::string kTable = FileOf({"900", "800", "700", "", "", "", "", "", "", "",
                                   "Ann", "Bo",  "Cy",  "", "", "", "", "", "", ""});
const std::string kWithTop = FileOf({"1000", "900", "800", "700", "", "", "", "", "", "",
                                     "Top",  "Ann", "Bo",  "Cy",  "", "", "", "", "", ""});

Args operator+(Args a, const Args& b) {
    a.insert(a.end(), b.begin(), b.end());
    return a;
}

Args Saver(int score, const std::string& name) {
    return {ZF_SCORE_SAVER, std::to_string(score), name};
}

// strace making every call of `calls` (on `path`, when given) fail, be cut short, or kill the
// process.
Args Injected(const std::string& calls, const std::string& injection, const fs::path& path = {}) {
    // LeakSanitizer cannot work under a tracer, and would fail a sanitized build's saver.
    const char* asan_options = std::getenv("ASAN_OPTIONS");
    Args args = {
        "env", "ASAN_OPTIONS=" + std::string(asan_options ? asan_options : "") + ":detect_leaks=0"};
    args = args + Args{"strace", "-qq", "-f", "-o", "/dev/null", "-e", "trace=" + calls};
    args = args + Args{"-e", "inject=" + calls + ":" + injection};
    if (!path.empty()) args = args + Args{"-P", path.string()};
    return args;
}

std::string Nobody() {
    const passwd* nobody = getpwnam("nobody");
    return std::to_string(nobody ? nobody->pw_uid : 65534);
}

std::string NobodysGroup() {
    const passwd* nobody = getpwnam("nobody");
    return std::to_string(nobody ? nobody->pw_gid : 65534);
}

Args AsNobody(const std::string& extra_group = "") {
    return {"setpriv", "--reuid=" + Nobody(), "--regid=" + NobodysGroup(),
            extra_group.empty() ? "--clear-groups" : "--groups=" + extra_group};
}

class DurableSave : public ScoreDirTest {
  protected:
    fs::path Table() const { return dir_ / "scores.txt"; }

    static std::vector<std::string> Temporaries() {
        static const std::regex kPattern(R"(scores\.txt\.[0-9a-f]{8}\.tmp)");
        std::vector<std::string> found;
        for (const std::string& name : DirectoryEntries())
            if (std::regex_match(name, kPattern)) found.push_back(name);
        return found;
    }
};

enum class Folder { kWritable, kReadOnly, kMountedFile };

struct Fault {
    const char* what;
    Folder folder;
    const char* calls;  // empty: nothing injected
    const char* injection;
    bool saved;
    const char* told;  // a part of what the player is told, empty when nothing
};

void PrintTo(const Fault& fault, std::ostream* out) {
    *out << fault.what;
}

class InjectedFault : public DurableSave, public ::testing::WithParamInterface<Fault> {};

TEST_P(InjectedFault, LeavesAWholeTable) {
    const Fault& fault = GetParam();
    if (!Installed("strace")) GTEST_SKIP() << "strace is not installed";
    const bool root = geteuid() == 0;
    if (fault.folder == Folder::kMountedFile && !root) GTEST_SKIP() << "mounting needs root";

    WriteBytes("scores.txt", kTable);
    fs::path table = Table();
    Args prefix;
    if (fault.folder == Folder::kReadOnly) {
        GiveToUnprivileged("scores.txt");
        fs::permissions("scores.txt", fs::perms::owner_read | fs::perms::owner_write);
        fs::permissions(dir_, fs::perms::owner_read | fs::perms::owner_exec |
                                  fs::perms::others_read | fs::perms::others_exec);
        if (root) prefix = AsNobody();
    } else if (fault.folder == Folder::kMountedFile) {
        // The table lives elsewhere and is mounted over "scores.txt", as a container volume is.
        fs::create_directory("volume");
        WriteBytes("volume/table.txt", kTable);
        table = dir_ / "volume/table.txt";
        prefix = {"unshare",
                  "--mount",
                  "--propagation",
                  "private",
                  "sh",
                  "-c",
                  "mount --bind \"$0\" \"$1\" && shift && exec \"$@\"",
                  table.string(),
                  Table().string()};
    }
    const Args traced = *fault.calls ? Injected(fault.calls, fault.injection, Table()) : Args{};
    int status = 0;
    const std::string told = RunToEnd(prefix + traced + Saver(1000, "Top"), &status);

    const bool killed = std::string(fault.injection).find("KILL") != std::string::npos;
    EXPECT_EQ(status, killed ? 128 + SIGKILL : 0);
    EXPECT_EQ(ReadBytes(table.string()), fault.saved ? kWithTop : kTable);
    if (*fault.told) {
        EXPECT_NE(told.find(fault.told), std::string::npos) << told;
        EXPECT_NE(told.find(table.string()), std::string::npos) << "the full path: " << told;
    } else {
        EXPECT_EQ(told, "");
    }
    fs::permissions(dir_, fs::perms::owner_all, fs::perm_options::add);
    for (const std::string& name : DirectoryEntries())
        EXPECT_EQ(name.find(".tmp"), std::string::npos) << name;
}

INSTANTIATE_TEST_SUITE_P(
    Faults, InjectedFault,
    ::testing::Values(Fault{"EveryReadFails", Folder::kWritable, "read,pread64", "error=EIO", false,
                            "could not read"},
                      // The read under the lock and the one after the save find the table whole.
                      Fault{"TheFirstReadFails", Folder::kWritable, "read,pread64",
                            "error=EIO:when=1", true, ""},
                      Fault{"KilledAtTheInPlaceWrite", Folder::kReadOnly, "write,pwrite64",
                            "signal=KILL", false, ""},
                      Fault{"InPlaceWriteFails", Folder::kReadOnly, "write,pwrite64",
                            "error=ENOSPC:when=1", false, "No space left"},
                      Fault{"InPlaceWriteFallsShort", Folder::kReadOnly, "write,pwrite64",
                            "retval=10:when=1", false, "could not write"},
                      Fault{"ReadOnlyFolder", Folder::kReadOnly, "", "", true, ""},
                      Fault{"KilledAtTheWriteOverAMountedFile", Folder::kMountedFile,
                            "write,pwrite64,sendfile,copy_file_range", "signal=KILL", false, ""},
                      Fault{"MountedFile", Folder::kMountedFile, "", "", true, ""},
                      Fault{"InPlaceTruncationFails", Folder::kReadOnly, "ftruncate",
                            "error=EIO:when=1", false, "Input/output error"},
                      Fault{"InPlaceSyncFails", Folder::kReadOnly, "fsync,fdatasync", "error=EIO",
                            false, "Input/output error"},
                      Fault{"TheOldTableCannotBePutBack", Folder::kReadOnly, "write,pwrite64",
                            "error=ENOSPC", false, "and the old table could not be put back"}),
    [](const auto& info) { return std::string(info.param.what); });

// Faults on the temporary file and its rename, which strace cannot pick out by the table's path.
class SaveByRenameFault : public DurableSave, public ::testing::WithParamInterface<Fault> {};

TEST_P(SaveByRenameFault, LeavesAWholeTable) {
    const Fault& fault = GetParam();
    if (!Installed("strace")) GTEST_SKIP() << "strace is not installed";
    WriteBytes("scores.txt", kTable);
    int status = 0;
    const std::string told =
        RunToEnd(Injected(fault.calls, fault.injection) + Saver(1000, "Top"), &status);
    EXPECT_EQ(status, 0);
    EXPECT_EQ(ReadBytes("scores.txt"), fault.saved ? kWithTop : kTable);
    if (*fault.told)
        EXPECT_NE(told.find(fault.told + (" " + Table().string())), std::string::npos) << told;
    else
        EXPECT_EQ(told, "");
    EXPECT_EQ(Temporaries(), std::vector<std::string>{});
}

INSTANTIATE_TEST_SUITE_P(
    Faults, SaveByRenameFault,
    // The first sync of a save by rename is the temporary file's.
    ::testing::Values(Fault{"TheTemporaryCannotBeSynced", Folder::kWritable, "fsync",
                            "error=EIO:when=1", false, "could not write"},
                      Fault{"TheRenameFails", Folder::kWritable, "rename,renameat,renameat2",
                            "error=EIO", false, "could not replace"}),
    [](const auto& info) { return std::string(info.param.what); });

void Backdate(const std::string& path, int seconds) {
    struct stat info;
    ASSERT_EQ(stat(path.c_str(), &info), 0);
    const timespec times[2] = {{info.st_mtime - seconds, 0}, {info.st_mtime - seconds, 0}};
    ASSERT_EQ(utimensat(AT_FDCWD, path.c_str(), times, 0), 0);
}

TEST_F(DurableSave, AKilledSaveLeavesAPrivateTemporaryThatALaterSaveRemoves) {
    if (!Installed("strace")) GTEST_SKIP() << "strace is not installed";
    WriteBytes("scores.txt", kTable);
    fs::permissions("scores.txt", fs::perms::owner_read | fs::perms::owner_write);
    int status = 0;
    // Killed at its first write, which goes to the new temporary file.
    RunToEnd(Injected("pwrite64", "signal=KILL") + Saver(1000, "Top"), &status);
    EXPECT_EQ(status, 128 + SIGKILL);
    EXPECT_EQ(ReadBytes("scores.txt"), kTable);
    const std::vector<std::string> left = Temporaries();
    ASSERT_EQ(left.size(), 1u);
    EXPECT_EQ(fs::status(left[0]).permissions(), fs::perms::owner_read | fs::perms::owner_write)
        << "a private table's new copy is private from the start";

    // A minute on it is stale; a younger one may be another game's save, and is kept, as is
    // anything not named as the game names them.
    Backdate(left[0], 61);
    WriteBytes("scores.txt.0123abcd.tmp", "another game's");
    WriteBytes("scores.txt.0123abcg.tmp", "not ours");
    Backdate("scores.txt.0123abcg.tmp", 3600);
    LoadHighScores();
    Save(500, "Di");
    EXPECT_EQ(DirectoryEntries(), (std::vector<std::string>{"scores.txt", "scores.txt.0123abcd.tmp",
                                                            "scores.txt.0123abcg.tmp"}));
    EXPECT_STREQ(HighScoreTable.Names[3], "Di");
}

TEST_F(DurableSave, ATableReplacedWhileTheSaveWaitedIsLeftToTheOtherGame) {
    if (!Installed("strace")) GTEST_SKIP() << "strace is not installed";
    WriteBytes("scores.txt", kTable);
    // The lock comes only after the three seconds a save waits, and by then another game has
    // put its own table in the place of the one the save opened.
    ChildProcess saver(Injected("flock", "delay_enter=4500000") + Saver(1000, "Top") +
                       Args{"--wait"});
    ASSERT_EQ(saver.ReadLine(), "loaded");
    saver.WriteLine("");
    std::this_thread::sleep_for(std::chrono::milliseconds(1500));
    const std::string theirs = FileOf(
        {"950", "", "", "", "", "", "", "", "", "", "Eve", "", "", "", "", "", "", "", "", ""});
    WriteBytes("theirs.txt", theirs);
    ASSERT_EQ(rename("theirs.txt", "scores.txt"), 0);
    saver.Finish();
    EXPECT_NE(saver.Output().find("could not lock " + Table().string() +
                                  ": other games kept replacing it"),
              std::string::npos)
        << saver.Output();
    EXPECT_EQ(ReadBytes("scores.txt"), theirs);
}

TEST_F(DurableSave, TwoGamesSavingAtOnceKeepBothEntries) {
    WriteBytes("scores.txt", kTable);
    // Both read the table before either saves, as two games ending together do.
    ChildProcess first(Saver(1000, "Top") + Args{"--wait"});
    ChildProcess second(Saver(750, "Mid") + Args{"--wait"});
    ASSERT_EQ(first.ReadLine(), "loaded");
    ASSERT_EQ(second.ReadLine(), "loaded");
    first.WriteLine("");
    second.WriteLine("");
    first.Finish();
    second.Finish();
    EXPECT_EQ(first.Output() + second.Output(), "");
    EXPECT_EQ(ReadBytes("scores.txt"),
              FileOf({"1000", "900", "800", "750", "700", "", "", "", "", "",
                      "Top",  "Ann", "Bo",  "Mid", "Cy",  "", "", "", "", ""}));
}

TEST_F(DurableSave, AGroupTableKeepsItsOwnerAndGroupWhoeverSaves) {
    if (geteuid() != 0) GTEST_SKIP() << "needs root, to be two users";
    constexpr gid_t kPlayers = 4242;
    // A folder and table the group shares, owned by root; nobody is a member.
    fs::permissions(dir_, fs::perms::owner_all | fs::perms::group_all);
    ASSERT_EQ(chown(dir_.c_str(), 0, kPlayers), 0);
    WriteBytes("scores.txt", kTable);
    ASSERT_EQ(chown("scores.txt", 0, kPlayers), 0);
    const fs::perms shared = fs::perms::owner_read | fs::perms::owner_write |
                             fs::perms::group_read | fs::perms::group_write;
    fs::permissions("scores.txt", shared);

    int status = 0;
    const std::string told =
        RunToEnd(AsNobody(std::to_string(kPlayers)) + Saver(1000, "Top"), &status);
    EXPECT_EQ(told, "");
    EXPECT_EQ(ReadBytes("scores.txt"), kWithTop);
    struct stat info;
    ASSERT_EQ(stat("scores.txt", &info), 0);
    EXPECT_EQ(info.st_uid, 0u);
    EXPECT_EQ(info.st_gid, kPlayers);
    EXPECT_EQ(fs::status("scores.txt").permissions(), shared);

    // Root saving nobody's table gives the new file back to nobody.
    ASSERT_EQ(chown("scores.txt", std::stoul(Nobody()), kPlayers), 0);
    LoadHighScores();
    Save(2000, "Root");
    ASSERT_EQ(stat("scores.txt", &info), 0);
    EXPECT_EQ(info.st_uid, std::stoul(Nobody()));
    EXPECT_EQ(info.st_gid, kPlayers);
    EXPECT_STREQ(HighScoreTable.Names[0], "Root");
    EXPECT_EQ(DirectoryEntries(), std::vector<std::string>{"scores.txt"});
}

}  // namespace
