// The process-wide high-score records: the table, the texts and streams of the high-score file,
// and the game-over phase; with the load and write of "scores.txt".
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "scores/text.h"
#include "scores/text_file.h"

// Twenty characters and the terminator: every name the entry dialog accepts fits.
constexpr int kEntrySize = 21;
constexpr int kMaxNameLength = kEntrySize - 1;
constexpr int kTableSize = 10;

// The values of EndPhase besides the ranks 1 to kTableSize.
constexpr int32_t kPhasePlaying = 0;
constexpr int32_t kPhaseQualified = 50;
constexpr int32_t kPhaseOver = 666;

struct ScoreTable {
    char Names[kTableSize][kEntrySize];
    // The score lines as read, which is what is shown and written back.
    char ScoreTexts[kTableSize][kEntrySize];
    // The same lines as numbers, for ranking only.
    int32_t Scores[kTableSize];
};

extern ScoreTable HighScoreTable;
extern CText ScoreFileName;
extern CText NewEntryName;
extern CText HighScoreText;
extern TextInputFile ScoreIn;
extern TextOutputFile ScoreOut;
// kPhasePlaying while a game runs, kPhaseQualified when the score qualifies, the new entry's
// rank while the file is written, kPhaseOver once the game is over.
extern int32_t EndPhase;
// What went wrong with the file, in words for the player: that the save of this game over
// failed, or else that the table last read could not be read whole; empty when neither.
extern CText ScoreFileTrouble;

// Reads the table from the file (creating it empty when missing) and rebuilds HighScoreText. A
// file that could not be read to its end leaves what could be read, and ScoreFileTrouble; one
// read whole clears a failed read from ScoreFileTrouble.
void LoadHighScores();
// Ranks score into EndPhase, rewrites the file with the new entry NewEntryName at that rank,
// clears NewEntryName and reloads the table. A score that does not beat the tenth leaves the
// file untouched. The rewrite locks the file and ranks against the table read again under the
// lock; a failure leaves the file as it was and is noted in ScoreFileTrouble.
void WriteHighScoreFile(int32_t score);
// Reads the table from a file's bytes as LoadHighScores reads the file, and rebuilds
// HighScoreText.
void ReadHighScoresFrom(std::string_view bytes);
// The file's bytes for the table as it stands, as a save writes them but with no new entry.
std::string HighScoreFileBytes();
