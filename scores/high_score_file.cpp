// Loading and writing "scores.txt": ten score lines, then ten name lines, each line an entry of
// at most twenty characters.
#include <algorithm>
#include <chrono>
#include <istream>
#include <limits>
#include <ostream>
#include <string>
#include <string_view>

#include "scores/high_scores.h"
#include "scores/score_file_system.h"

namespace {

constexpr int kCtrlZ = 26;
// Long enough for any other game's save to finish; the player is waiting meanwhile.
constexpr std::chrono::seconds kLockWait{3};

// Pieces of the display text that come before each rank's name.
constexpr const char* kBeforeName[kTableSize] = {
    "\n 1) ",   "\n 2) ",   "\n\n 3) ", "\n\n 4) ", "\n\n 5) ",
    "\n\n 6) ", "\n\n 7) ", "\n\n 8) ", "\n\n 9) ", "\n\n10) ",
};

void ReadEntry(char (&entry)[kEntrySize]) {
    entry[0] = '\0';
    // Once the file has ended every later entry stays empty.
    if (!ScoreIn.good()) return;
    ScoreIn.getline(entry, kEntrySize);
    if (ScoreIn.fail() && !ScoreIn.eof() && ScoreIn.gcount() == kEntrySize - 1) {
        // An over-long line keeps its first characters and loses the rest, so no line shifts.
        ScoreIn.clear();
        ScoreIn.ignore(std::numeric_limits<std::streamsize>::max(), '\n');
    }
}

void AppendToHighScoreText(const char* piece) {
    HighScoreText = HighScoreText + CText(piece);
}

void BuildHighScoreText() {
    const std::string stars(80, '*');
    HighScoreText = "";
    AppendToHighScoreText(stars.c_str());
    for (int rank = 1; rank <= kTableSize; ++rank) {
        AppendToHighScoreText(kBeforeName[rank - 1]);
        AppendToHighScoreText(HighScoreTable.Names[rank - 1]);
        AppendToHighScoreText(rank == kTableSize ? "\n      " : "\n     ");
        AppendToHighScoreText(HighScoreTable.ScoreTexts[rank - 1]);
        if (rank == 1) AppendToHighScoreText(("\n" + stars).c_str());
    }
}

// A line feed or a Ctrl-Z inside a text would split its line or end the file early and so
// shift or lose every entry after it; they are written as spaces.
std::string LineText(std::string_view text) {
    std::string line(text);
    std::replace_if(
        line.begin(), line.end(), [](char c) { return c == '\n' || c == kCtrlZ; }, ' ');
    return line;
}

std::string LineText(const char (&entry)[kEntrySize]) {
    return LineText(std::string_view(entry, std::find(entry, entry + kEntrySize, '\0') - entry));
}

// The file's bytes with the new entry at rank EndPhase, 1 to 10.
std::string TableBytes(int32_t score) {
    const ScoreTable& table = HighScoreTable;
    const std::string name = LineText(NewEntryName.Chars());
    ScoreOut.Open();
    for (int i = 1; i <= 9; ++i) {
        if (EndPhase == i) ScoreOut << score << '\n';
        ScoreOut << LineText(table.ScoreTexts[i - 1]) << '\n';
    }
    if (EndPhase == 10) ScoreOut << score << '\n';
    for (int i = 1; i <= 8; ++i) {
        if (EndPhase == i) ScoreOut << name << '\n';
        ScoreOut << LineText(table.Names[i - 1]) << '\n';
    }
    if (EndPhase == 9) ScoreOut << name << '\n';
    // The last line has no line end.
    ScoreOut << LineText(table.Names[8]);
    if (EndPhase == 10) ScoreOut << '\n' << name;
    return ScoreOut.Bytes();
}

void ReadLines() {
    for (auto& entry : HighScoreTable.ScoreTexts) ReadEntry(entry);
    for (auto& entry : HighScoreTable.Names) ReadEntry(entry);
    ScoreIn.Close();
}

void ReadNumbers() {
    // No base set: "0x1f" reads as hexadecimal and "017" as octal, as the classic streams read.
    ScoreIn.unsetf(std::ios::basefield);
    // A failed extraction stores 0 and leaves every later score as it was; one out of range
    // stores the nearest int limit and fails likewise.
    for (int32_t& score : HighScoreTable.Scores) ScoreIn >> score;
    ScoreIn.Close();
}

constexpr std::string_view kSaveFailure = "Your score could not be saved in the high-score table.";

bool SaveFailureNoted() {
    return std::string_view(ScoreFileTrouble.Chars()).starts_with(kSaveFailure);
}

// A failed read is told only while the table last read is the incomplete one: once a read
// succeeds, the table shown is whole and a save can go ahead, so the warning would be untrue. A
// failed save stays told.
void NoteReadOutcome(const ScoreFileError& error) {
    if (SaveFailureNoted()) return;
    if (error.message.empty()) {
        ScoreFileTrouble = "";
        return;
    }
    ScoreFileTrouble = CText(
        ("The high-score table could not be read, so it may be shown incomplete, and no score "
         "is saved in it until it can be read.\n\nThe game " +
         error.message + ".")
            .c_str());
}

void NoteSaveFailure(const ScoreFileError& error) {
    ScoreFileTrouble =
        CText((std::string(kSaveFailure) + "\n\nThe game " + error.message + ".").c_str());
}

// Only a score above the tenth has a rank: the smallest whose stored score is below it.
void RankNewEntry(int32_t score) {
    EndPhase = kTableSize;
    for (int k = kTableSize - 1; k >= 1; --k) {
        if (score > HighScoreTable.Scores[k - 1]) EndPhase = k;
    }
}

// Under the lock the table is read again, as another game may have saved since this one read
// it, and the entry ranked against what is there now. Nothing is written unless that read
// succeeded, so a table that could not be read whole is never replaced by a part of it.
void SaveUnderLock(int32_t score) {
    ScoreFile file;
    ScoreFileError error;
    std::string old_bytes;
    if (!file.Open(ScoreFileName.Chars(), kLockWait, &error) || !file.ReadAll(&old_bytes, &error))
        return NoteSaveFailure(error);
    ScoreIn.OpenBytes(old_bytes);
    ReadLines();
    ScoreIn.OpenBytes(old_bytes);
    ReadNumbers();
    if (!(score > HighScoreTable.Scores[kTableSize - 1])) return;
    RankNewEntry(score);
    if (!file.Replace(old_bytes, TableBytes(score), &error)) NoteSaveFailure(error);
}

}  // namespace

void LoadHighScores() {
    ScoreIn.Open(ScoreFileName.Chars());
    ScoreFileError error = ScoreIn.ReadError();
    ReadLines();

    BuildHighScoreText();

    ScoreIn.Open(ScoreFileName.Chars());
    if (error.message.empty()) error = ScoreIn.ReadError();
    ReadNumbers();
    NoteReadOutcome(error);
}

void WriteHighScoreFile(int32_t score) {
    // Only a score above the tenth has a rank; the game-over flow never asks for any other, and
    // writing one would leave the file a line short.
    if (score > HighScoreTable.Scores[kTableSize - 1]) {
        RankNewEntry(score);
        SaveUnderLock(score);
    }
    NewEntryName = "";
    LoadHighScores();
}

void ReadHighScoresFrom(std::string_view bytes) {
    ScoreIn.OpenBytes(bytes);
    ReadLines();
    BuildHighScoreText();
    ScoreIn.OpenBytes(bytes);
    ReadNumbers();
}

std::string HighScoreFileBytes() {
    ScoreOut.Open();
    for (const auto& line : HighScoreTable.ScoreTexts) ScoreOut << LineText(line) << '\n';
    for (int i = 0; i < kTableSize; ++i)
        ScoreOut << LineText(HighScoreTable.Names[i]) << (i + 1 < kTableSize ? "\n" : "");
    return ScoreOut.Bytes();
}
