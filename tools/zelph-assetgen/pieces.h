// The game's pieces as small pictures: the cutting head, the three enemies and the four prizes. Each is drawn
// to fill a picture of any size (the How to Play page shows them at about 40 pixels; a game pack may draw its
// sprites from the same code at its own size and in every direction), lit from the top left, outlined so
// that it still reads at half size, with a soft shadow on a transparent ground.
#pragma once

#include <string_view>

#include "raster.h"

namespace zelph::assetgen {

enum class Piece {
  kHead, kBall, kHunter, kShuttle, kExtraLife, kGodMode, kSlowHead, kSlowEnemies, kEmitter,
  // The head while it cuts, in god mode, and both; the emitter after the head was lost; a stone pillar that
  // rises and sinks; a patch of sticky tar that slows the cutter; balls in other enamels.
  kHeadCut, kHeadGod, kHeadGodCut, kEmitterDead, kPillar, kTar, kBallBlue, kBallGreen
};

// The names descriptions use: "head", "ball", "hunter", "shuttle", "life", "god", "slow_head",
// "slow_enemies", "emitter" (the laser's source in the top bar), "head_cut", "head_god", "head_god_cut",
// "emitter_dead", "pillar", "tar", "ball_blue", "ball_green". False for any other.
bool PieceFromName(std::string_view name, Piece& out);

struct PiecePose {
  // Where in its cycle the piece's own motion is: frame `frame` of `frames` (the head's glow pulses once,
  // the ball turns half a revolution, which looks the same as a whole one for its banded surface).
  int frame = 0;
  int frames = 1;
  // Degrees clockwise from facing right: where a hunter looks, the axis a shuttle runs along.
  int heading = 0;
};

// The piece filling a w x h picture (premultiplied colour, coverage as alpha).
Image DrawPiece(Piece piece, int w, int h, const PiecePose& pose);

// Half the height of the pillar in frame `frame` of `frames`, in 1/1000 of the picture's smaller side: a
// level's obstacle rectangles are written from it (the pillar is 0.41 of the side wide).
int PillarHalfHeight(int frame, int frames);

}  // namespace zelph::assetgen
