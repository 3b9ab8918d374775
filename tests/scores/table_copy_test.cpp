// The table as the browser's page copies it to a file and back: the desktop's bytes come back
// unchanged, hostile bytes come back as a table the game would write, and the game's own table
// is left as it was.
#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

#include "score_dir.h"
#include "scores/high_scores.h"
#include "scores/score_file_system.h"

extern "C" {
int zf_score_table_read(const char* bytes, int size);
const char* zf_score_table_text();
const char* zf_score_table_bytes();
}

namespace {

// The file of a table whose first score lines and names are given, the rest empty.
std::string TableFile(std::vector<std::string> scores, std::vector<std::string> names) {
    scores.resize(kTableSize);
    names.resize(kTableSize);
    scores.insert(scores.end(), names.begin(), names.end());
    return FileOf(scores);
}

std::string Copied(const std::string& bytes) {
    EXPECT_EQ(zf_score_table_read(bytes.data(), int(bytes.size())), 1);
    return zf_score_table_bytes();
}

TEST(TableCopy, TheDesktopsBytesComeBackAndHostileOnesAsTheGameWouldWriteThem) {
    const std::string desktop = TableFile({"9100", "870", "eight hundred"},
                                          {"Twenty Characters Ok", "Ann", "  two spaces"});
    const struct {
        const char* what;
        std::string bytes, copy;
    } cases[] = {
        {"the desktop's own", desktop, desktop},
        {"nothing", "", TableFile({}, {})},
        {"a byte-order mark and LF ends",
         "\xEF\xBB\xBF"
         "5\n6",
         TableFile({"5", "6"}, {})},
        {"an endless line", std::string(1 << 20, '7'),
         TableFile({std::string(kMaxNameLength, '7')}, {})},
        {"NUL and Ctrl-Z",
         std::string("1\0x\r\n2\x1a"
                     "3",
                     8),
         TableFile({"1", "2"}, {})},
    };
    HighScoreTable.Scores[9] = 42;
    for (const auto& c : cases) EXPECT_EQ(Copied(c.bytes), c.copy) << c.what;
    EXPECT_EQ(HighScoreTable.Scores[9], 42) << "the game's table changed";
    EXPECT_NE(std::strstr(zf_score_table_text(), " 1) "), nullptr);
    EXPECT_EQ(zf_score_table_read("", int(kMaxScoreFileBytes) + 1), 0);
}

}  // namespace
