// The end of a game: the table checked against the final score, a qualifying name taken and
// stored, the table shown, and "Play Again?" asked. EndPhase both drives the flow and keeps
// the round settlement out of it while it runs.
#include "app/game_wnd.h"
#include "framework/win_app.h"
#include "game/game_world.h"
#include "scores/high_score_dlg.h"
#include "scores/high_scores.h"

namespace {

constexpr char kHighScoresCaption[] =
    "                         H  I  G  H       S  C  O  R  E  S          ";

// A new game: the round settlement, which called us, starts it at once with 4 lives.
void ResetForNewGame() {
    GameWorldRecord& world = GameWorld;
    world.Lives = 5;
    world.Score = 0;
    world.TimeLeft = 15;
    world.CookieTime = 0;
    for (int32_t& mark : world.SplatMarks) mark = 0;
    EndPhase = kPhasePlaying;
}

}  // namespace

void CGameWnd::GameOver() {
    if (EndPhase == kPhasePlaying) {
        ScoreFileTrouble = "";
        LoadHighScores();
        if (GameWorld.Score > HighScoreTable.Scores[kTableSize - 1]) EndPhase = kPhaseQualified;
    }

    int answer = 0;  // none until "Play Again?" is asked
    if (EndPhase == kPhasePlaying) {
        // Settled before the box opens: a key already queued for this window must not start
        // the flow a second time from inside the box.
        EndPhase = kPhaseOver;
        MessageBox("You're a loser!", "G  A  M  E    O  V  E  R", MB_OK);
    }
    if (EndPhase == kPhaseOver) {
        ShowHighScores();
        answer = MessageBox("Play Again?", "Quibbert needs you...", MB_YESNO);
    }

    if (EndPhase == kPhaseQualified) {
        sndPlaySoundA("audience", SND_ASYNC);
        CHighScoreDlg dialog;
        dialog.DoModal();
        NewEntryName = dialog.m_AcceptedName;
        if (NewEntryName == CText("") || NewEntryName == CText(" ")) NewEntryName = "Quibbert";
        // Writes the entry and runs this flow again from the table on; that call answers
        // "Play Again?", so this one has nothing left to do.
        SaveHighScore();
    }

    if (answer == IDYES) {
        MessageBox("Get Ready!", "Yes", MB_OK);
        ResetForNewGame();
    } else if (answer == IDNO) {
        MessageBox("Fine, be that way, now you can't do anything\nHAHAHAHAHAHHAHHa", "Your a dork",
                   MB_OK);
    }
}

void CGameWnd::ShowHighScores() {
    LoadHighScores();
    // A table that could not be read or saved is told once, before it is shown.
    if (ScoreFileTrouble.Length() != 0) {
        AfxMessageBox(ScoreFileTrouble.Chars(), MB_ICONEXCLAMATION);
        ScoreFileTrouble = "";
    }
    MessageBox(HighScoreText.Chars(), kHighScoresCaption, MB_SYSTEMMODAL);
}
