#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>

#include "fuzz/round_trip.h"
#include "score_dir.h"

namespace {

using FuzzRegression = ScoreDirTest;

// Every seed of the fuzzer's corpus and every input that ever made it fail, replayed through
// the fuzzer's own checks.
TEST_F(FuzzRegression, EveryKeptInputPassesTheRoundTrip) {
    int replayed = 0;
    for (const char* folder : {"fuzz/corpus", "tests/scores/regressions"}) {
        for (const auto& entry :
             std::filesystem::directory_iterator(std::filesystem::path(ZF_SOURCE_DIR) / folder)) {
            if (entry.path().extension() == ".md") continue;
            std::ifstream in(entry.path(), std::ios::binary);
            std::ostringstream bytes;
            bytes << in.rdbuf();
            const std::string input = bytes.str();
            for (const auto& stale : std::filesystem::directory_iterator("."))
                std::filesystem::remove_all(stale.path());
            EXPECT_EQ(CheckRoundTrip(reinterpret_cast<const uint8_t*>(input.data()), input.size()),
                      "")
                << entry.path();
            ++replayed;
        }
    }
    EXPECT_GE(replayed, 10);
}

}  // namespace
