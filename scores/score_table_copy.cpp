// The high-score table as the page copies it to a file and back ("Save the table to a file",
// "Load a table from a file"): read with the game's own reader, written as the game writes
// scores.txt, so that a table taken from the desktop game and back is the same to the byte. The
// page calls these before the program starts or after it has ended, never during a game; the
// game's own table is left as it was.
#include <cstring>
#include <string>
#include <string_view>

#include "scores/high_scores.h"
#include "scores/score_file_system.h"

namespace {

// What the last read found, kept for the page to fetch.
struct CopiedTable {
    std::string text;
    std::string bytes;
};
CopiedTable copied;

}  // namespace

extern "C" {

// Reads a table from size bytes as the game reads scores.txt; 0, with nothing read, when there
// are more than zf_score_table_largest bytes, which no table has.
int zf_score_table_read(const char* bytes, int size) {
    copied = {};
    if (size < 0 || size_t(size) > kMaxScoreFileBytes) return 0;
    const ScoreTable game_table = HighScoreTable;
    const CText game_text = HighScoreText;
    // As at program start, so that a short file's scores do not come from an earlier read.
    HighScoreTable = {};
    ReadHighScoresFrom(std::string_view(bytes, size_t(size)));
    copied.text = HighScoreText.Chars();
    copied.bytes = HighScoreFileBytes();
    HighScoreTable = game_table;
    HighScoreText = game_text;
    return 1;
}

int zf_score_table_largest() {
    return int(kMaxScoreFileBytes);
}

// The table as the game shows it, lines ended by LF.
const char* zf_score_table_text() {
    return copied.text.c_str();
}

// The table as the game writes it; it holds no NUL, which ends every entry.
const char* zf_score_table_bytes() {
    return copied.bytes.c_str();
}

}  // extern "C"
