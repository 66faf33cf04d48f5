// What the world needs of the cutting head, whose kind lives in the layer above: its dying state, the
// respawn after the laser is re-armed, the cut being touched, god mode, and how its beam is drawn.
#pragma once

#include <cstdint>

#include "game/field_object.h"

namespace zelph::game {

class HeadObject : public FieldObject {
 public:
  // Set from the head's death until its respawn; the world then only runs the death fades.
  bool dying = false;

  virtual void Respawn() = 0;
  // An open-ground object touched the unfinished cut at cell (x, y).
  virtual void TouchedCut(std::int32_t x, std::int32_t y) = 0;
  // False in the hidden half of the protection blink: neither head nor beam is drawn.
  virtual bool Visible() const = 0;
  virtual std::uint32_t CurrentLaserColour() const = 0;
  // God mode for `seconds` (the god-mode prize); the laser takes its god-mode sound when it was off.
  virtual void SetGodMode(std::int32_t seconds) = 0;
  // Frames of god mode left; 0 = off.
  virtual std::int32_t GodFrames() const = 0;
};

}  // namespace zelph::game
