// The one game record, alive from program start to program end.
#include "game/game_world.h"

GameWorldRecord GameWorld;
