// What the next tick would do to the player if nobody pressed anything: the lanes step and wrap,
// his ride carries him, and the road, the river and the lawn judge where he stands. The guided
// player looks ahead with it before a move, as a person watching the screen would; nothing
// checks the game against it, so a mistake here only makes the guided player clumsier.
#pragma once

#include "game/game_world.h"

namespace soak {

enum class Fate { kAlive, kDead, kHome };

// Moves `world` on by one tick and says how the player fares.
Fate AfterTick(GameWorldRecord& world);

}  // namespace soak
