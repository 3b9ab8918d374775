// A fresh temporary working directory per test, with the high-score records reset, and helpers
// to read and write raw file bytes and to run a check as an unprivileged user.
#pragma once

#include <gtest/gtest.h>

#include <filesystem>
#include <functional>
#include <string>
#include <vector>

class ScoreDirTest : public ::testing::Test {
  protected:
    void SetUp() override;
    void TearDown() override;

    static void WriteBytes(const std::string& path, const std::string& bytes);
    static std::string ReadBytes(const std::string& path);
    // Names of the entries of the working directory, sorted.
    static std::vector<std::string> DirectoryEntries();

    // The steps of a qualifying game's save: the name, then the file written and reloaded.
    static void Save(int score, const char* name);

    enum class Privileges { kKeep, kDrop };
    // Runs check in a child process, with kDrop as user nobody when we are root, and returns its
    // exit status: 0 when every step passed, else the number of the step that failed.
    static int RunInChild(Privileges privileges, const std::function<int()>& check);
    // Hands a file to the user RunInChild drops to, so that its mode alone decides access.
    static void GiveToUnprivileged(const std::string& path);

    std::filesystem::path dir_;
    std::filesystem::path previous_dir_;
};

// The file as the program writes it: lines joined by CR LF, no line end after the last.
std::string FileOf(const std::vector<std::string>& lines);
