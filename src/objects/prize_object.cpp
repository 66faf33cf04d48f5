#include "objects/prize_object.h"

#include "game/game_world.h"
#include "gfx/gfx_result.h"
#include "objects/kind_motion.h"
#include "sound/sound_globals.h"
#include "ui/pictures.h"

namespace zelph::objects {

using game::CellGrid;
using game::FieldObject;

Result PrizeObject::Init(const config::ConfigSection& def, std::int32_t x, std::int32_t y) {
  lifeFrames_ = game::SecondsToFrames(kPrizeLifeSeconds);
  if (Failed(FieldObject::Init(def, x, y))) return gfx::GFX_E_GENERIC;
  kindCode = game::kKindBall;
  ReadPictureKeys(def);
  type_ = def.GetInt("prize_type", 0);
  lifeFrames_ = game::SecondsToFrames(def.GetInt("self_death_timer", kPrizeLifeSeconds));
  params_.fill(0);
  def.GetQuad("prize_param", params_);
  icon_ = {};
  // The icon's keys count only when "ico_param" asks for an icon.
  if (def.GetQuad("ico_param", icon_.param) && icon_.param[0] != 0) {
    icon_.image = def.GetNumber("ico_image", 0);
    icon_.place = ui::FindRect(def, "ico_rect").value_or(gfx::Rect{});
    icon_.textPlace = ui::FindRect(def, "ico_text_rect").value_or(gfx::Rect{});
    def.GetQuad("ico_animate", icon_.animate);
  } else {
    icon_.param.fill(0);
  }
  takenSoundId_ = def.GetNumber("get_prize_sound", 0);
  LoadImages(0);
  if (const std::uint32_t appear = def.GetNumber("appear_sound", 0); appear != 0) {
    if (Succeeded(sound_.LoadSound(appear, false))) sound_.PlaySound(1, sound::kFullVolume);
  }
  return S_OK;
}

Result PrizeObject::Update(CellGrid& grid, std::uint32_t flags) {
  if (Failed(FieldObject::Update(grid, flags))) return gfx::GFX_E_GENERIC;
  FadeOrMove(*this, grid, flags);
  // The update after the last frame of its life finds the count at 0: the prize dies and fades from the
  // next update on.
  if (lifeFrames_ > 0) {
    --lifeFrames_;
  } else {
    dead = true;
  }
  return S_OK;
}

int PrizeObject::AcceptsContact(FieldObject* other) { return other && other->kindCode == game::kKindPlayer ? 1 : 0; }

int PrizeObject::Collide(FieldObject* other, std::uint32_t) {
  if (!other || other == this || other->AcceptsContact(this) != 1) return 0;
  std::uint32_t sides = 0;
  const bool hit = other->figureKind == game::kFigureRect ? CircleHitsRect(*this, *other, &sides)
                                                          : CircleHitsCircle(*this, *other);
  // A contact is only reported: the head's own collision is what takes the prize.
  if (hit) return 1;
  if (other == lastHit) lastHit = nullptr;
  return 0;
}

Result PrizeObject::Kill(std::uint32_t) {
  if (dead) return gfx::GFX_E_GENERIC;
  if (type_ >= game::kPrizeLives && type_ <= game::kPrizeSlowEnemies) {
    game::GameWorld* world = World();
    if (world && icon_.Enabled()) world->ShowPrizeIcon(type_, icon_);
    sound_.StopSound();
    if (takenSoundId_ != 0 && Succeeded(sound_.LoadSound(takenSoundId_, false))) {
      sound_.PlaySound(1, sound::kFullVolume);
    }
    if (world) world->ApplyPrize(type_, params_[0], params_[1]);
  }
  dead = true;
  return gfx::GFX_E_GENERIC;
}

Result PrizeObject::Prepare(game::CellGrid& grid) {
  SetPosition(StepInsideField(*this, grid));
  return S_OK;
}

}  // namespace zelph::objects
