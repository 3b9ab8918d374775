// The status numbers beside the labels DrawBackground leaves: lives, score and time left.
#pragma once

#include "framework/dc.h"

// Drawn by every tick on the tick's own DC. Only the time is wiped first, since it is the one
// number that shrinks during a round.
void DrawStatusNumbers(CDC& dc);
