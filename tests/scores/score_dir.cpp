// The working-directory fixture of the high-score tests.
#include "score_dir.h"

#include <grp.h>
#include <pwd.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <cstdlib>
#include <fstream>
#include <iterator>
#include <sstream>

#include "scores/high_scores.h"

void ScoreDirTest::SetUp() {
    std::string pattern = (std::filesystem::temp_directory_path() / "zf-scores-XXXXXX").string();
    ASSERT_NE(mkdtemp(pattern.data()), nullptr);
    dir_ = pattern;
    previous_dir_ = std::filesystem::current_path();
    std::filesystem::current_path(dir_);
    HighScoreTable = {};
    EndPhase = 0;
    NewEntryName = "";
    HighScoreText = "";
    ScoreFileTrouble = "";
}

void ScoreDirTest::TearDown() {
    std::filesystem::current_path(previous_dir_);
    std::error_code error;
    std::filesystem::permissions(dir_, std::filesystem::perms::owner_all,
                                 std::filesystem::perm_options::add, error);
    std::filesystem::remove_all(dir_, error);
}

void ScoreDirTest::WriteBytes(const std::string& path, const std::string& bytes) {
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out << bytes;
    ASSERT_TRUE(out.good()) << path;
}

std::string ScoreDirTest::ReadBytes(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    std::ostringstream bytes;
    bytes << in.rdbuf();
    return bytes.str();
}

std::vector<std::string> ScoreDirTest::DirectoryEntries() {
    std::vector<std::string> names;
    for (const auto& entry : std::filesystem::directory_iterator("."))
        names.push_back(entry.path().filename().string());
    std::sort(names.begin(), names.end());
    return names;
}

void ScoreDirTest::Save(int score, const char* name) {
    NewEntryName = name;
    WriteHighScoreFile(score);
}

namespace {

uid_t NobodyUid() {
    const passwd* nobody = getpwnam("nobody");
    return nobody ? nobody->pw_uid : 65534;
}

gid_t NobodyGid() {
    const passwd* nobody = getpwnam("nobody");
    return nobody ? nobody->pw_gid : 65534;
}

}  // namespace

void ScoreDirTest::GiveToUnprivileged(const std::string& path) {
    if (geteuid() != 0) return;
    ASSERT_EQ(chown(path.c_str(), NobodyUid(), NobodyGid()), 0) << path;
}

int ScoreDirTest::RunInChild(Privileges privileges, const std::function<int()>& check) {
    const pid_t child = fork();
    if (child == 0) {
        if (privileges == Privileges::kDrop && geteuid() == 0) {
            if (setgroups(0, nullptr) != 0 || setgid(NobodyGid()) != 0 || setuid(NobodyUid()) != 0)
                _exit(100);
        }
        _exit(check());
    }
    int status = 0;
    if (child < 0 || waitpid(child, &status, 0) != child) return 101;
    return WIFEXITED(status) ? WEXITSTATUS(status) : 128 + WTERMSIG(status);
}

std::string FileOf(const std::vector<std::string>& lines) {
    std::string bytes;
    for (size_t i = 0; i < lines.size(); ++i) {
        if (i) bytes += "\r\n";
        bytes += lines[i];
    }
    return bytes;
}
