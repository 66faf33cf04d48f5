// The prize: an animated picture that appears with a sound, lies still for its lifetime and then fades
// out. Only the cutting head can touch it; the head taking it starts the prize's effect, shows its icon and
// plays the pick-up sound, and the head comes to no harm.
#pragma once

#include <array>
#include <cstdint>

#include "game/prize_icon.h"
#include "objects/pictured_object.h"
#include "sound/sound_clip.h"

namespace zelph::objects {

inline constexpr std::int32_t kPrizeLifeSeconds = 10;

class PrizeObject : public PicturedObject {
 public:
  Result Init(const config::ConfigSection& definition, std::int32_t x, std::int32_t y) override;
  Result Update(game::CellGrid& grid, std::uint32_t flags) override;
  // One step by the velocity, kept inside the field by the radius; no bounce.
  Result Prepare(game::CellGrid& grid) override;
  int Collide(game::FieldObject* other, std::uint32_t flags) override;
  int AcceptsContact(game::FieldObject* other) override;
  // Taking the prize, whatever the flags; answers GFX_E_GENERIC so that the head survives the contact.
  Result Kill(std::uint32_t flags) override;

  std::int32_t Type() const { return type_; }
  const std::array<std::int32_t, 4>& Params() const { return params_; }
  const game::PrizeIconLook& Icon() const { return icon_; }
  // Frames left before the prize runs out.
  std::int32_t LifeFrames() const { return lifeFrames_; }

 private:
  std::int32_t type_ = 0;
  std::array<std::int32_t, 4> params_{};
  game::PrizeIconLook icon_;
  std::int32_t lifeFrames_ = 0;
  std::uint32_t takenSoundId_ = 0;
  sound::SoundClip sound_;  // the appearance sound, then the pick-up sound
};

}  // namespace zelph::objects
