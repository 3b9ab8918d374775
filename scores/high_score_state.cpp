// The high-score subsystem's process-wide objects, alive from program start to program end.
#include "scores/high_scores.h"

ScoreTable HighScoreTable{};
CText ScoreFileName("scores.txt");
CText NewEntryName("");
CText HighScoreText;
TextInputFile ScoreIn;
TextOutputFile ScoreOut;
int32_t EndPhase = kPhasePlaying;
CText ScoreFileTrouble;
