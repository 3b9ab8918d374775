// The end of a game, for now: the game stays where the last life left it, with no lives, and
// takes no more keys or clicks, as after declining another game. The high-score flow (the
// table, the name entry and "Play Again?") replaces this file.
#include "app/game_wnd.h"
#include "scores/high_scores.h"

void CGameWnd::GameOver() {
    EndPhase = 666;
}
