// The high-score file's Windows side on the real file API: exact bytes (CR LF once), the lock
// between two saves, replacement without leftovers, stale temporary files, linked and
// read-only tables, and anything but a plain file left alone.
#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "platform/win32.h"
#include "scores/score_file_system.h"

namespace {

using namespace std::chrono_literals;

class WindowsScoreFile : public ::testing::Test {
  protected:
    void SetUp() override {
        char temp[MAX_PATH];
        GetTempPathA(sizeof temp, temp);
        dir_ = std::string(temp) + "zf-scores-" + std::to_string(GetCurrentProcessId()) + "-" +
               std::to_string(GetTickCount64());
        ASSERT_TRUE(CreateDirectoryA(dir_.c_str(), nullptr));
        char previous[MAX_PATH];
        GetCurrentDirectoryA(sizeof previous, previous);
        previous_ = previous;
        ASSERT_TRUE(SetCurrentDirectoryA(dir_.c_str()));
    }
    void TearDown() override {
        SetCurrentDirectoryA(previous_.c_str());
        for (const std::string& name : Entries()) {
            SetFileAttributesA((dir_ + "\\" + name).c_str(), FILE_ATTRIBUTE_NORMAL);
            if (!DeleteFileA((dir_ + "\\" + name).c_str()))
                RemoveDirectoryA((dir_ + "\\" + name).c_str());
        }
        RemoveDirectoryA(dir_.c_str());
    }

    static void Write(const std::string& name, const std::string& bytes) {
        std::ofstream(name, std::ios::binary) << bytes;
    }
    static std::string Read(const std::string& name) {
        std::ostringstream bytes;
        bytes << std::ifstream(name, std::ios::binary).rdbuf();
        return bytes.str();
    }
    std::vector<std::string> Entries() const {
        std::vector<std::string> names;
        WIN32_FIND_DATAA found;
        HANDLE search = FindFirstFileA((dir_ + "\\*").c_str(), &found);
        if (search == INVALID_HANDLE_VALUE) return names;
        do {
            std::string name = found.cFileName;
            if (name != "." && name != "..") names.push_back(name);
        } while (FindNextFileA(search, &found));
        FindClose(search);
        return names;
    }
    // A whole save as the game makes it.
    static bool Save(const std::string& bytes, ScoreFileError* error) {
        ScoreFile file;
        std::string old_bytes;
        return file.Open("scores.txt", 200ms, error) && file.ReadAll(&old_bytes, error) &&
               file.Replace(old_bytes, bytes, error);
    }

    std::string dir_;
    std::string previous_;
};

TEST_F(WindowsScoreFile, AMissingFileIsCreatedEmptyAndReadsEmpty) {
    std::string bytes = "left over";
    ScoreFileError error;
    ASSERT_TRUE(ReadScoreFile("scores.txt", &bytes, &error)) << error.message;
    EXPECT_EQ(bytes, "");
    EXPECT_EQ(Entries(), std::vector<std::string>{"scores.txt"});
}

// Line ends, Ctrl-Z and NULs are bytes like any other here: nothing is translated either way.
TEST_F(WindowsScoreFile, SavesAndReadsTheExactBytes) {
    const std::string tables[] = {
        "350\r\n\r\nAnn\r\n",
        std::string("a\rb\nc\r\n\x1A"
                    "d\0e",
                    11),
        "",
        std::string(100000, 'x') + "\r\n",
        "short",  // shorter than the one before: nothing of it may remain
    };
    for (const std::string& table : tables) {
        ScoreFileError error;
        ASSERT_TRUE(Save(table, &error)) << error.message;
        EXPECT_EQ(Read("scores.txt"), table);
        std::string read;
        ASSERT_TRUE(ReadScoreFile("scores.txt", &read, &error)) << error.message;
        EXPECT_EQ(read, table);
        EXPECT_EQ(Entries(), std::vector<std::string>{"scores.txt"}) << "a temporary file was left";
    }
}

TEST_F(WindowsScoreFile, TheRealPathIsTheFullName) {
    ScoreFile file;
    ScoreFileError error;
    ASSERT_TRUE(file.Open("scores.txt", 0ms, &error)) << error.message;
    EXPECT_EQ(file.RealPath().substr(file.RealPath().size() - 11), "\\scores.txt");
    EXPECT_EQ(file.RealPath().find("\\\\?\\"), std::string::npos);
    EXPECT_NE(file.RealPath().find(':'), std::string::npos) << file.RealPath();
}

TEST_F(WindowsScoreFile, ASecondSaveWaitsForTheLockAndGivesUp) {
    ScoreFile first;
    ScoreFileError error;
    ASSERT_TRUE(first.Open("scores.txt", 0ms, &error)) << error.message;
    ScoreFile second;
    auto started = std::chrono::steady_clock::now();
    EXPECT_FALSE(second.Open("scores.txt", 150ms, &error));
    EXPECT_GE(std::chrono::steady_clock::now() - started, 150ms);
    EXPECT_NE(error.message.find("another game kept it locked"), std::string::npos)
        << error.message;
    // The lock keeps saves out, not readers.
    std::string bytes;
    EXPECT_TRUE(ReadScoreFile("scores.txt", &bytes, &error)) << error.message;
    first.Close();
    EXPECT_TRUE(second.Open("scores.txt", 0ms, &error)) << error.message;
}

TEST_F(WindowsScoreFile, StaleTemporaryFilesGoAndOthersStay) {
    const std::string stale = "scores.txt.0123abcd.tmp";
    const std::string fresh = "scores.txt.89abcdef.tmp";
    const std::string foreign[] = {"scores.txt.0123abcg.tmp", "scores.txt.0123abc.tmp",
                                   "other.txt.0123abcd.tmp"};
    for (const std::string& name : {stale, fresh, foreign[0], foreign[1], foreign[2]})
        Write(name, "x");
    FILETIME now, old;
    GetSystemTimeAsFileTime(&now);
    ULONGLONG ticks = (ULONGLONG{now.dwHighDateTime} << 32 | now.dwLowDateTime) -
                      2ull * 60 * 10000000;  // two minutes ago
    old = {static_cast<DWORD>(ticks), static_cast<DWORD>(ticks >> 32)};
    for (const std::string& name : {stale, foreign[0], foreign[1], foreign[2]}) {
        HANDLE file =
            CreateFileA(name.c_str(), FILE_WRITE_ATTRIBUTES, 0, nullptr, OPEN_EXISTING, 0, nullptr);
        SetFileTime(file, nullptr, nullptr, &old);
        CloseHandle(file);
    }
    ScoreFileError error;
    ASSERT_TRUE(Save("1\r\n", &error)) << error.message;
    std::vector<std::string> left = Entries();
    EXPECT_EQ(std::count(left.begin(), left.end(), stale), 0);
    for (const std::string& name : {fresh, foreign[0], foreign[1], foreign[2]})
        EXPECT_EQ(std::count(left.begin(), left.end(), name), 1) << name;
}

TEST_F(WindowsScoreFile, ALinkedTableIsRewrittenWhereItIs) {
    Write("scores.txt", "old table\r\n");
    ASSERT_TRUE(CreateHardLinkA("linked.txt", "scores.txt", nullptr));
    ScoreFileError error;
    ASSERT_TRUE(Save("new\r\n", &error)) << error.message;
    EXPECT_EQ(Read("scores.txt"), "new\r\n");
    EXPECT_EQ(Read("linked.txt"), "new\r\n");
}

TEST_F(WindowsScoreFile, AReadOnlyTableIsNeitherOpenedForSavingNorChanged) {
    Write("scores.txt", "kept\r\n");
    ASSERT_TRUE(SetFileAttributesA("scores.txt", FILE_ATTRIBUTE_READONLY));
    ScoreFileError error;
    EXPECT_FALSE(Save("new\r\n", &error));
    EXPECT_NE(error.message.find("scores.txt"), std::string::npos) << error.message;
    EXPECT_NE(error.code, 0);
    EXPECT_EQ(Read("scores.txt"), "kept\r\n");
}

TEST_F(WindowsScoreFile, AFolderNamedScoresTxtIsNeitherReadNorReplaced) {
    ASSERT_TRUE(CreateDirectoryA("scores.txt", nullptr));
    std::string bytes;
    ScoreFileError error;
    EXPECT_FALSE(ReadScoreFile("scores.txt", &bytes, &error));
    EXPECT_FALSE(Save("new\r\n", &error));
    EXPECT_TRUE(GetFileAttributesA("scores.txt") & FILE_ATTRIBUTE_DIRECTORY);
    EXPECT_EQ(Entries(), std::vector<std::string>{"scores.txt"});
}

}  // namespace
