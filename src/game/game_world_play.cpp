// The world in play: one frame's tick, drawing the field and what stands on it, and the laser from the
// emitter in the top bar to the head.
#include <algorithm>
#include <array>

#include "game/animated_picture.h"
#include "game/game_world.h"
#include "gfx/blit.h"
#include "sound/sound_globals.h"
#include "ui/pictures.h"

namespace zelph::game {

namespace {

constexpr std::int32_t kLaserDeathSeconds = 5;

// An emitter picture with its animation ("laser_anim" and the like).
void LoadEmitter(gfx::Sprite& sprite, std::uint32_t id, const std::array<std::int32_t, 4>& anim) {
  LoadAnimatedPicture(sprite, ui::PackFor(id), id, anim, anim[3] != 0);
}

}  // namespace

std::int32_t GameWorld::Tick() {
  if (!player) return 0;
  const bool dying = player->dying;
  for (std::size_t i = 0; i < objects.size(); ++i) {
    FieldObject* object = objects[i].get();
    if (object->process) object->Update(grid, dying ? kUpdateFade : kUpdateAll);
    // The head's step may capture and remove stranded objects: the list is indexed afresh every time.
    if (!object->collide || !player || player->dead) continue;
    for (std::size_t j = i + 1; j < objects.size(); ++j) {
      if (objects[j]->collide) object->Collide(objects[j].get(), kCollideRespond | kCollideAskOther);
    }
  }
  if (player && player->dying && !player->dead) {
    const bool fading = std::any_of(objects.begin(), objects.end(), [](const auto& o) { return o->dead; });
    if (!fading && laserDeathCountdown == 0) {
      laserDeathCountdown = -1;
      if (lives > 0) --lives;
      ArmLaser();
      player->Respawn();
    }
  }
  RemoveStrandedObjects();
  if (laserDeathCountdown < 0) SpawnPrizes();
  TickPrizeIcons();
  emitter.StepAnimation();
  if (laserDeathCountdown >= 1) --laserDeathCountdown;
  return laserDeathCountdown;
}

Result GameWorld::Draw(gfx::Surface& surface, std::int32_t x, std::int32_t y) {
  if (composed.HasPixels()) {
    gfx::Blt(surface, x + backDcRect.left, y + backDcRect.top, &composed, nullptr, gfx::kBltPlain);
  }
  if (bottomPanel.HasPixels()) {
    gfx::Blt(surface, x + bottRect.left, y + bottRect.top, &bottomPanel, nullptr, gfx::kBltPlain);
  }
  if (gfx::Surface* bar = levelPassImage.FrameSurface(-1); bar && !gfx::Intersect(barClip, bar->Bounds()).IsEmpty()) {
    const gfx::Rect part = gfx::Intersect(barClip, bar->Bounds());
    gfx::Blt(surface, x + bottRect.left + levelPassRect.left, y + bottRect.top + levelPassRect.top, bar, &part,
             gfx::kBltColorKey);
  }
  const std::int32_t fieldX = x + backDcRect.left + gameField.left, fieldY = y + backDcRect.top + gameField.top;
  for (auto& object : objects) object->Draw(surface, fieldX, fieldY);
  DrawPrizeIcons(surface, x, y);
  ++wonFrames;
  if (wonFrames > 2 && percent >= passPercent && onLevelWon) onLevelWon();
  return S_OK;
}

void GameWorld::ArmLaser() {
  if (!layout) return;
  const std::optional<gfx::Rect> out = ui::FindRect(*layout, "laser_out_rect");
  if (!out) return;
  std::array<std::int32_t, 4> anim{};
  layout->GetQuad("laser_anim", anim);
  const std::uint32_t id = layout->GetNumber("laser_image", 0);
  if (id == 0) return;
  emitterRect = *out;
  LoadEmitter(emitter, id, anim);
  PlayWorkSound();
  laserReloadSound.PlaySound(1, sound::kFullVolume);
}

void GameWorld::LaserDeath() {
  // A negative time would leave the countdown below 0 for ever, and the head would never come back.
  laserDeathCountdown =
      SecondsToFrames(layout ? layout->GetInt("laser_death_time", kLaserDeathSeconds) : kLaserDeathSeconds);
  if (!layout) return;
  const std::optional<gfx::Rect> out = ui::FindRect(*layout, "laser_death_out_rect");
  if (!out) return;
  std::array<std::int32_t, 4> anim{};
  layout->GetQuad("laser_death_anim", anim);
  emitterRect = *out;
  LoadEmitter(emitter, layout->GetNumber("laser_death_image", 0), anim);
  PlayDeathSound();
}

namespace {

// The laser clip is one clip for three sounds: it stops, takes the sound of `key` and plays it.
void Retake(sound::SoundClip& clip, const config::ConfigSection* layout, const char* key, int loops) {
  clip.StopSound();
  clip.UnloadSound(true);
  const std::uint32_t id = layout ? layout->GetNumber(key, 0) : 0;
  if (id == 0 || Failed(clip.LoadSound(id, false))) return;
  clip.PlaySound(loops, sound::kFullVolume);
}

}  // namespace

void GameWorld::PlayWorkSound() { Retake(laserSound, layout, "laser_work_sound", 0); }
void GameWorld::PlayGodSound() { Retake(laserSound, layout, "laser_god_work_sound", 0); }
void GameWorld::PlayDeathSound() { Retake(laserSound, layout, "laser_death_sound", 1); }

void GameWorld::DrawLaserEmitter(gfx::Surface& surface, std::int32_t x, std::int32_t y) {
  gfx::Surface* frame = emitter.FrameSurface(-1);
  if (!player || !frame) return;
  gfx::Blt(surface, x + emitterRect.left, y + emitterRect.top, frame, nullptr, gfx::kBltColorKey);
}

void GameWorld::DrawBeam(gfx::Surface& surface, std::int32_t x, std::int32_t y) {
  if (!player || !emitter.FrameSurface(-1)) return;
  if (laserDeathCountdown >= 0 || !player->Visible()) return;
  const std::int32_t headX = x + backDcRect.left + gameField.left + player->CellX();
  const std::int32_t headY = y + backDcRect.top + gameField.top + player->CellY();
  gfx::DrawLine(surface, x + laserStart.x, y + laserStart.y, headX, headY, player->CurrentLaserColour(),
                gfx::kLineAntialias);
}

void GameWorld::PauseSounds() {
  for (sound::SoundClip* clip : {&laserSound, &enemyDeathSound, &prizeBlinkSound}) {
    if (clip->IsSoundPlaying()) clip->PauseSound();
  }
}

void GameWorld::ResumeSounds() {
  for (sound::SoundClip* clip : {&laserSound, &enemyDeathSound, &prizeBlinkSound}) clip->ResumeSound();
}

}  // namespace zelph::game
