// A plain-text snapshot of the game state, for testers, level designers and replay checks: the level and
// score, every object, and the main grid as rows of hexadecimal cell values.
#pragma once

#include <ostream>

#include "game/game_world.h"

namespace zelph::game {

// Writes the snapshot of `world` (null or without a level: a line saying no game is running).
void WriteWorldDump(const GameWorld* world, std::ostream& out);

}  // namespace zelph::game
