#include <gtest/gtest.h>

#include <climits>
#include <string>
#include <vector>

#include "score_dir.h"
#include "scores/high_scores.h"

namespace {

using HighScoreFile = ScoreDirTest;

const std::string kStars(80, '*');

std::vector<std::string> Lines(std::vector<std::string> scores, std::vector<std::string> names) {
    scores.resize(kTableSize);
    names.resize(kTableSize);
    scores.insert(scores.end(), names.begin(), names.end());
    return scores;
}

void ExpectEntries(const std::vector<std::string>& scores, const std::vector<std::string>& names) {
    for (int i = 0; i < kTableSize; ++i) {
        EXPECT_EQ(HighScoreTable.ScoreTexts[i], i < int(scores.size()) ? scores[i] : "")
            << "score line " << i + 1;
        EXPECT_EQ(HighScoreTable.Names[i], i < int(names.size()) ? names[i] : "")
            << "name line " << i + 1;
    }
}

TEST_F(HighScoreFile, FirstGameOverCreatesTheFileAndWritesTheFirstEntry) {
    LoadHighScores();
    ASSERT_TRUE(std::filesystem::is_regular_file("scores.txt"));
    EXPECT_EQ(std::filesystem::file_size("scores.txt"), 0u);
    ExpectEntries({}, {});
    for (int score : HighScoreTable.Scores) EXPECT_EQ(score, 0);

    Save(350, "Ann");
    EXPECT_EQ(EndPhase, 1);
    std::string bytes = "350\r\n";
    for (int i = 0; i < 9; ++i) bytes += "\r\n";
    bytes += "Ann\r\n";
    for (int i = 0; i < 8; ++i) bytes += "\r\n";
    EXPECT_EQ(bytes.size(), 44u);
    EXPECT_EQ(ReadBytes("scores.txt"), bytes);
    EXPECT_STREQ(NewEntryName.Chars(), "");
    EXPECT_EQ(DirectoryEntries(), std::vector<std::string>{"scores.txt"});

    // The save reloaded what it wrote; the tenth name line has no line end and reads empty.
    ExpectEntries({"350"}, {"Ann"});
    EXPECT_EQ(HighScoreTable.Scores[0], 350);
    EXPECT_EQ(HighScoreTable.Scores[1], 0) << "\"Ann\" is not a number";
}

TEST_F(HighScoreFile, NumbersAreReadAcrossEmptyLinesAndStopAtTheFirstFailure) {
    WriteBytes("scores.txt", FileOf(Lines({"350"}, {"Ann"})));
    for (int& score : HighScoreTable.Scores) score = 9;
    LoadHighScores();
    EXPECT_EQ(HighScoreTable.Scores[0], 350);
    EXPECT_EQ(HighScoreTable.Scores[1], 0);
    for (int i = 2; i < kTableSize; ++i) EXPECT_EQ(HighScoreTable.Scores[i], 9) << i;

    WriteBytes("scores.txt", FileOf(Lines({"350"}, {"42nd Street", "Zed"})));
    LoadHighScores();
    EXPECT_EQ(HighScoreTable.Scores[1], 42) << "a name that starts with digits reads as a number";
    EXPECT_EQ(HighScoreTable.Scores[2], 0);
    EXPECT_EQ(HighScoreTable.Scores[3], 9);
}

TEST_F(HighScoreFile, NumbersFollowTheOldStreamRules) {
    WriteBytes("scores.txt", "0x1F\r\n017\r\n-12\r\n  +5 \r\n\r\n\r\n08\r\n");
    LoadHighScores();
    // "08" is an octal 0 followed by a decimal 8.
    const int expected[] = {31, 15, -12, 5, 0, 8};
    for (int i = 0; i < 6; ++i) EXPECT_EQ(HighScoreTable.Scores[i], expected[i]) << i;

    // Out of range: the nearest limit, and the extraction fails like any other.
    for (int& score : HighScoreTable.Scores) score = 9;
    WriteBytes("scores.txt", "99999999999\r\n1\r\n");
    LoadHighScores();
    EXPECT_EQ(HighScoreTable.Scores[0], INT_MAX);
    EXPECT_EQ(HighScoreTable.Scores[1], 9);
    WriteBytes("scores.txt", "-2147483649\r\n1\r\n");
    LoadHighScores();
    EXPECT_EQ(HighScoreTable.Scores[0], INT_MIN);
    EXPECT_EQ(HighScoreTable.Scores[1], 9);
}

TEST_F(HighScoreFile, TiesRankBelowTheScoresAlreadyThere) {
    const std::string file = FileOf(Lines({"500", "400", "400", "300"}, {"A", "B", "C", "D"}));
    WriteBytes("scores.txt", file);
    LoadHighScores();
    Save(400, "New");
    EXPECT_EQ(EndPhase, 4);
    ExpectEntries({"500", "400", "400", "400", "300"}, {"A", "B", "C", "New", "D"});

    WriteBytes("scores.txt", file);
    LoadHighScores();
    Save(401, "New");
    EXPECT_EQ(EndPhase, 2);
    EXPECT_EQ(ReadBytes("scores.txt"),
              FileOf(Lines({"500", "401", "400", "400", "300"}, {"A", "New", "B", "C", "D"})));
}

TEST_F(HighScoreFile, RankTenReplacesTheOldTenth) {
    std::vector<std::string> scores, names;
    for (int i = 0; i < kTableSize; ++i) {
        scores.push_back(std::to_string(1000 - 100 * i));
        names.push_back("N" + std::to_string(i + 1));
    }
    WriteBytes("scores.txt", FileOf(Lines(scores, names)));
    LoadHighScores();
    Save(150, "Last");
    EXPECT_EQ(EndPhase, 10);
    scores.back() = "150";
    names.back() = "Last";
    EXPECT_EQ(ReadBytes("scores.txt"), FileOf(Lines(scores, names)));
    ExpectEntries(scores, names);
}

TEST_F(HighScoreFile, HandEditedScoreLinesStayText) {
    WriteBytes("scores.txt", FileOf(Lines({"500", "lots", "300"}, {"A", "B", "C"})));
    for (int& score : HighScoreTable.Scores) score = 7;
    LoadHighScores();
    EXPECT_STREQ(HighScoreTable.ScoreTexts[1], "lots");
    EXPECT_EQ(HighScoreTable.Scores[1], 0);
    EXPECT_EQ(HighScoreTable.Scores[2], 7);
    EXPECT_NE(std::string(HighScoreText.Chars()).find("\n     lots\n"), std::string::npos);

    Save(600, "Top");
    EXPECT_EQ(ReadBytes("scores.txt"),
              FileOf(Lines({"600", "500", "lots", "300"}, {"Top", "A", "B", "C"})));
}

TEST_F(HighScoreFile, TwentyCharacterNamesSurviveAndLongerOnesShiftNothing) {
    const std::string nineteen(19, 's');
    const std::string twenty = "Grommelin Q Quibbert";
    ASSERT_EQ(twenty.size(), 20u);
    LoadHighScores();
    Save(300, nineteen.c_str());
    Save(200, twenty.c_str());
    ExpectEntries({"300", "200"}, {nineteen, twenty});

    // A longer name is written in full; reading keeps twenty characters and drops the rest.
    const std::string long_name = twenty + " the Third";
    Save(250, long_name.c_str());
    EXPECT_NE(ReadBytes("scores.txt").find(long_name), std::string::npos);
    ExpectEntries({"300", "250", "200"}, {nineteen, twenty, twenty});
    EXPECT_EQ(HighScoreTable.Scores[2], 200);
}

TEST_F(HighScoreFile, ReadsLineFeedsAndKeepsLoneCarriageReturns) {
    WriteBytes("scores.txt", "350\n20\n\n\n\n\n\n\n\n\nAnn\nB\rob\n\n\n\n\n\n\n\nZed");
    LoadHighScores();
    ExpectEntries({"350", "20"}, {"Ann", "B\rob", "", "", "", "", "", "", "", "Zed"});
    EXPECT_EQ(HighScoreTable.Scores[1], 20);

    Save(400, "Cy");
    EXPECT_EQ(ReadBytes("scores.txt"), FileOf(Lines({"400", "350", "20"}, {"Cy", "Ann", "B\rob"})));
}

// What editors leave, a byte-order mark and lines ended by CR alone, reads as the table it holds,
// and the next save writes the file as the game always does.
TEST_F(HighScoreFile, EditorsFilesReadAsTheTablesTheyHold) {
    const std::vector<std::string> lines = Lines({"900", "800"}, {"Ann", "Bo"});
    std::string cr_only = lines[0];
    for (size_t i = 1; i < lines.size(); ++i) cr_only += "\r" + lines[i];
    const std::string mark = "\xEF\xBB\xBF";
    for (const std::string& bytes : {mark + FileOf(lines), cr_only, mark + cr_only}) {
        WriteBytes("scores.txt", bytes);
        HighScoreTable = {};
        LoadHighScores();
        ExpectEntries({"900", "800"}, {"Ann", "Bo"});
        EXPECT_EQ(HighScoreTable.Scores[0], 900);
        EXPECT_EQ(HighScoreTable.Scores[1], 800);
        Save(850, "Cy");
        EXPECT_EQ(ReadBytes("scores.txt"),
                  FileOf(Lines({"900", "850", "800"}, {"Ann", "Cy", "Bo"})));
    }
}

TEST_F(HighScoreFile, CtrlZEndsTheFile) {
    WriteBytes("scores.txt",
               "350\r\n12\x1a"
               "99\r\n\r\n\r\nAnn\r\n");
    for (int& score : HighScoreTable.Scores) score = 5;
    LoadHighScores();
    ExpectEntries({"350", "12"}, {});
    EXPECT_EQ(HighScoreTable.Scores[1], 12);
    EXPECT_EQ(HighScoreTable.Scores[2], 5);
}

TEST_F(HighScoreFile, LineEndsSplitAcrossReadsAreStillOneLineEnd) {
    // The CR and LF of a pair may fall either side of a refill of the read buffer.
    for (size_t length = 4090; length < 4100; ++length) {
        std::string bytes = std::string(length, '1') + "\r\n77\r\n";
        for (int line = 3; line <= 10; ++line) bytes += "\r\n";
        WriteBytes("scores.txt", bytes + "Ann");
        LoadHighScores();
        EXPECT_STREQ(HighScoreTable.ScoreTexts[1], "77") << length;
        EXPECT_STREQ(HighScoreTable.Names[0], "Ann") << length;
    }
}

TEST_F(HighScoreFile, EveryLoadAndSaveStartsWithGoodStreams) {
    WriteBytes("scores.txt", FileOf(Lines({"350"}, {"Ann"})));
    ScoreIn.setstate(std::ios::failbit);
    ScoreOut.setstate(std::ios::badbit);
    LoadHighScores();
    ExpectEntries({"350"}, {"Ann"});
    Save(400, "Bo");
    ExpectEntries({"400", "350"}, {"Bo", "Ann"});
}

TEST_F(HighScoreFile, AScoreWithoutARankLeavesTheFileAlone) {
    const std::string file = FileOf(Lines({"500", "400"}, {"A", "B"}));
    WriteBytes("scores.txt", file);
    HighScoreTable.Scores[9] = 100;
    Save(100, "Nope");
    EXPECT_EQ(ReadBytes("scores.txt"), file);
    EXPECT_STREQ(NewEntryName.Chars(), "");
    ExpectEntries({"500", "400"}, {"A", "B"});
}

TEST_F(HighScoreFile, LineBreaksInANameCannotShiftTheTable) {
    LoadHighScores();
    Save(100,
         "two\nlines\x1a"
         "end");
    ExpectEntries({"100"}, {"two lines end"});
}

TEST_F(HighScoreFile, DisplayTextOfAnEmptyTable) {
    LoadHighScores();
    std::string expected = kStars + "\n 1) \n     \n" + kStars + "\n 2) \n     ";
    for (int rank = 3; rank <= 9; ++rank) expected += "\n\n " + std::to_string(rank) + ") \n     ";
    expected += "\n\n10) \n      ";
    EXPECT_EQ(HighScoreText.Length(), 280);
    EXPECT_EQ(HighScoreText.Chars(), expected);
}

TEST_F(HighScoreFile, DisplayTextOfAFullTable) {
    WriteBytes("scores.txt",
               FileOf(Lines({"900", "800", "700", "600", "500", "400", "300", "200", "100", "50"},
                            {"Ann", "Bo", "Cy", "Di", "Ed", "Flo", "Gus", "Hal", "Ivy",
                             "Grommelin Q Quibbert"})));
    LoadHighScores();
    EXPECT_EQ(HighScoreText.Chars(), kStars + "\n 1) Ann\n     900\n" + kStars +
                                         "\n 2) Bo\n     800"
                                         "\n\n 3) Cy\n     700"
                                         "\n\n 4) Di\n     600"
                                         "\n\n 5) Ed\n     500"
                                         "\n\n 6) Flo\n     400"
                                         "\n\n 7) Gus\n     300"
                                         "\n\n 8) Hal\n     200"
                                         "\n\n 9) Ivy\n     100"
                                         "\n\n10) Grommelin Q Quibbert\n      50");
}

}  // namespace
