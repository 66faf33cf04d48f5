// The prizes of a level: the rules that place them on the field, the effects of taking one, and the icons
// shown while an effect lasts.
#include <algorithm>
#include <limits>

#include "game/animated_picture.h"
#include "game/game_world.h"
#include "gfx/blit.h"
#include "gfx/gfx_result.h"
#include "sound/sound_globals.h"
#include "ui/pictures.h"

namespace zelph::game {

namespace {

// A modder's numbers, kept where the fixed-point products stay in range.
constexpr std::int32_t kMaxHeadSpeed = 4096;      // pixels per frame
constexpr std::int32_t kMaxSlowPercent = 1000;    // of the current speed
constexpr std::int32_t kMaxBlinkPeriod = 1 << 20;  // frames

}  // namespace

void GameWorld::SpawnPrizes() {
  for (std::size_t i = prizeRules.size(); i-- > 0;) {
    PrizeSpawn& rule = prizeRules[i];
    // The frame in which the delay runs out is the frame of the spawn: a delay of 5 seconds at 30 frames
    // a second places a prize every 150 frames.
    if (rule.timer > 0 && --rule.timer > 0) continue;
    if (rule.timer == 0) {
      const auto alive = std::count_if(objects.begin(), objects.end(), [&](const auto& o) {
        return o->definitionId == static_cast<std::uint32_t>(rule.id);
      });
      if (alive < rule.maxAlive) {
        if (std::unique_ptr<FieldObject> prize = CreateObject(static_cast<std::uint32_t>(rule.id), -1, -1)) {
          --rule.remaining;
          objects.push_back(std::move(prize));
        }
      }
      rule.timer = -1;
    }
    if (rule.remaining < 1) {
      prizeRules.erase(prizeRules.begin() + static_cast<std::ptrdiff_t>(i));
      continue;
    }
    rule.timer = SecondsToFrames(RandomBetween(rule.minDelay, rule.maxDelay));
  }
}

void GameWorld::AddLives(std::int32_t n) {
  lives = static_cast<std::int32_t>(
      std::clamp<std::int64_t>(std::int64_t{lives} + n, 0, std::numeric_limits<std::int32_t>::max()));
}

void GameWorld::ApplyPrize(std::int32_t type, std::int32_t p1, std::int32_t p2) {
  switch (type) {
    case kPrizeLives:
      AddLives(p1);
      break;
    case kPrizeGodMode:
      if (player) player->SetGodMode(p1);
      break;
    case kPrizeSlowHead: {
      // An absolute speed in pixels per frame, converted in single precision.
      const float pixels = static_cast<float>(std::clamp(p1, 0, kMaxHeadSpeed));
      if (player) player->SlowDown(static_cast<std::int32_t>(pixels * kOne + 0.5f), p2);
      break;
    }
    case kPrizeSlowEnemies: {
      // A share of each object's own speed. An object already slowed keeps its speed and only has its
      // time restarted, so a second prize does not slow it again.
      const double share = std::clamp(p1, 0, kMaxSlowPercent) * 0.01;
      const auto factor = static_cast<std::int32_t>(share * kOne + 0.5);
      for (auto& object : objects) {
        if (object.get() != player) object->SlowDown(factor, p2);
      }
      break;
    }
    default:
      break;
  }
}

Result GameWorld::ShowPrizeIcon(std::int32_t key, const PrizeIconLook& look) {
  auto found = std::find_if(prizeIcons.begin(), prizeIcons.end(), [key](const auto& i) { return i->key == key; });
  PrizeIcon* icon = found != prizeIcons.end() ? found->get() : nullptr;
  if (!icon) {
    auto made = std::make_unique<PrizeIcon>();
    if (!LoadAnimatedPicture(made->sprite, ui::PackFor(look.image), look.image, look.animate, look.animate[3] != 0)) {
      return gfx::GFX_E_GENERIC;
    }
    made->key = key;
    made->place = look.place;
    made->textPlace = look.textPlace;
    icon = made.get();
    prizeIcons.push_back(std::move(made));
  }
  icon->lifeFrames = SecondsToFrames(look.param[1]);
  icon->steadyFrames = SecondsToFrames(look.param[2]);
  icon->blinkPeriod = icon->blinkPhase = std::clamp(look.param[3], 0, kMaxBlinkPeriod);
  return S_OK;
}

void GameWorld::TickPrizeIcons() {
  for (std::size_t i = prizeIcons.size(); i-- > 0;) {
    PrizeIcon& icon = *prizeIcons[i];
    icon.sprite.StepAnimation();
    if (--icon.lifeFrames < 0) {
      // God mode runs on the head's own count; the icon's end only gives the laser its working sound back.
      if (icon.key == kPrizeGodMode) PlayWorkSound();
      prizeIcons.erase(prizeIcons.begin() + static_cast<std::ptrdiff_t>(i));
      prizeBlinkSound.StopSound();
      return;
    }
    if (icon.steadyFrames > 0) --icon.steadyFrames;
    if (icon.steadyFrames > 0) continue;
    if (!prizeBlinkSound.IsSoundPlaying()) prizeBlinkSound.PlaySound(0, sound::kFullVolume);
    if (--icon.blinkPhase < -icon.blinkPeriod) icon.blinkPhase = icon.blinkPeriod;
  }
}

void GameWorld::DrawPrizeIcons(gfx::Surface& surface, std::int32_t x, std::int32_t y) {
  for (const auto& icon : prizeIcons) {
    gfx::Surface* frame = icon->blinkPhase > 0 ? icon->sprite.FrameSurface(-1) : nullptr;
    if (frame) gfx::Blt(surface, x + icon->place.left, y + icon->place.top, frame, nullptr, gfx::kBltColorKey);
  }
}

void GameWorld::ClearPrizeIcons() {
  prizeBlinkSound.StopSound();
  prizeIcons.clear();
}

}  // namespace zelph::game
