// A level as it starts, for reviewing the game pack's levels without playing them: the composed field with
// its borders and figure edges, the bottom panel, every object at its starting place, the laser's emitter and
// its beam, all drawn by the game's own world from the game document.
#pragma once

#include "game/game_world.h"
#include "game/object_factory.h"
#include "ui/control.h"

namespace zelph::preview {

// The number of levels of difficulty 1 the game document names ("all_levels"), 0 without it.
int LevelCount();

class LevelView : public ui::Control {
 public:
  LevelView();
  // Loads level `number` of difficulty 1, its random places drawn from a fixed seed; false when it does not
  // load.
  bool Load(int number);
  Result Draw(gfx::Surface& target, int originX, int originY, const ui::Rect& clip) override;

 private:
  game::ObjectFactory factory_;
  game::GameWorld world_;
};

}  // namespace zelph::preview
