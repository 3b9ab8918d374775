#include "render/status.h"

#include "game/game_world.h"

namespace {
// Process-wide, as the numbers are formatted into it and drawn from it; room for any int32.
char StatusText[16];
}  // namespace

void DrawStatusNumbers(CDC& dc) {
    int length = wsprintfA(StatusText, "%i", GameWorld.Lives);
    dc.TextOut(100, 20, StatusText, length);
    length = wsprintfA(StatusText, "%i", GameWorld.Score);
    dc.TextOut(100, 40, StatusText, length);
    length = wsprintfA(StatusText, "%i", GameWorld.TimeLeft);
    dc.TextOut(100, 1, "    ", 4);
    dc.TextOut(100, 1, StatusText, length);
}
