// The window's two high-score operations, over the table and file code beside them.
#include "app/game_wnd.h"
#include "game/game_world.h"
#include "scores/high_scores.h"

void CGameWnd::LoadHighScores() {
    ::LoadHighScores();
}

void CGameWnd::SaveHighScore() {
    WriteHighScoreFile(GameWorld.Score);
    // The game is over and the table settled: the flow goes on to show it.
    EndPhase = kPhaseOver;
    GameOver();
}
