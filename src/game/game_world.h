// The one game state: the level's identity, the field (grid, test copy, texture, back image and the
// composed picture), the objects on it, the prize rules, score and lives. The world is reset before every
// level load; a level lives from LoadLevel to the next Reset.
#pragma once

#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "config/config_document.h"
#include "config/config_section.h"
#include "config/value_types.h"
#include "game/cell_grid.h"
#include "game/field_fill.h"
#include "game/field_object.h"
#include "game/head_object.h"
#include "game/object_factory.h"
#include "game/prize_icon.h"
#include "game/prize_spawn.h"
#include "gfx/alpha_font.h"
#include "gfx/rect.h"
#include "gfx/sprite.h"
#include "gfx/surface.h"
#include "sound/sound_clip.h"

namespace zelph::config {
class ResourcePack;
}

namespace zelph::game {

inline constexpr config::Point kNoCell{-1, -1};

class GameWorld {
 public:
  GameWorld();
  ~GameWorld();
  GameWorld(const GameWorld&) = delete;
  GameWorld& operator=(const GameWorld&) = delete;

  // The world objects reach through the field; null when none exists.
  static GameWorld* Current();

  // Where CreateObject finds the kinds (the process-wide factory unless a test hands its own).
  void SetFactory(const ObjectFactory* factory) { factory_ = factory; }

  // Back to an empty world: objects, prize rules, surfaces, grids and sounds go; score, lives and the
  // level's identity stay.
  void Reset();

  // Loading.
  Result LoadFieldLayout(const config::ConfigSection* layout);
  Result LoadLevel(const config::ConfigDocument& document, std::int32_t difficulty, std::int32_t levelNumber);
  std::unique_ptr<FieldObject> CreateObject(std::uint32_t definitionId, std::int32_t x, std::int32_t y);
  Result BuildField();

  // The field.
  std::int64_t FillFrom(std::int32_t x, std::int32_t y, CellValue mask, bool redraw, bool testObjects);
  std::int64_t FillFromUnblocked(std::int32_t x, std::int32_t y, CellValue mask, bool redraw, bool testObjects);
  int RegionReachable(CellGrid& grid, gfx::Surface* surface, std::int32_t fromX, std::int32_t fromY,
                      std::int32_t toX, std::int32_t toY, bool paintEdge);
  int IsFillBlocked(std::int32_t x, std::int32_t y);
  void RemoveStrandedObjects();
  Result RedrawField();
  static std::int32_t MeasurePercent(const CellGrid& grid);
  // The capture of a closed cut: the open regions at the two seeds (kNoCell when not found) unless
  // guarded, then the cut itself from its first cell, then the objects left on forbidden ground. The head
  // follows up and then asks for UpdateScore.
  void Capture(config::Point seedA, config::Point seedB, config::Point cutStart);
  void UpdateScore();
  // Lives stay between 0 and what 32 bits hold, whatever a prize's data asks for: a count below 0 could
  // never reach the 0 that ends the game.
  void AddLives(std::int32_t n);

  // One frame of play; answers the laser death countdown.
  std::int32_t Tick();
  // The field, bottom panel, progress bar and objects with the game screen's origin at (x, y).
  Result Draw(gfx::Surface& surface, std::int32_t x, std::int32_t y);

  // The laser.
  void ArmLaser();
  void LaserDeath();
  void PlayWorkSound();
  void PlayGodSound();
  void PlayDeathSound();
  void DrawLaserEmitter(gfx::Surface& surface, std::int32_t x, std::int32_t y);
  void DrawBeam(gfx::Surface& surface, std::int32_t x, std::int32_t y);
  void PauseSounds();
  void ResumeSounds();
  HeadObject* Head() const { return player; }

  // Objects.
  // Stamps the object's death mark and plays the enemy death sound (not for the head).
  void HandleDeath(FieldObject& object);
  // One frame of the objects: Update with `updateFlags` for every processed object, then each colliding
  // pair once (the earlier asking) unless `collisions` is off.
  void StepObjects(std::uint32_t updateFlags, bool collisions);
  // An open-ground object's probe found the head's unfinished cut at cell (x, y).
  void TouchedCut(FieldObject& by, std::int32_t x, std::int32_t y);
  void ReleaseObjectImages();
  void ReloadObjectImages();

  // Prizes. Each frame, over the rules from the last to the first: a rule whose delay ran out places a
  // prize when fewer than its most alive are on the field, then waits a new random delay; a rule with
  // no spawns left goes.
  void SpawnPrizes();
  // The effect of a taken prize of `type` with the first two "prize_param" numbers.
  void ApplyPrize(std::int32_t type, std::int32_t p1, std::int32_t p2);
  // Shows the icon of effect `key`; a second prize of a kind only restarts its icon's timers. Fails
  // (no icon) when the picture cannot be loaded.
  Result ShowPrizeIcon(std::int32_t key, const PrizeIconLook& look);
  // Ages the icons: the last seconds blink with the blink sound; the god-mode icon's end gives the laser
  // back its working sound.
  void TickPrizeIcons();
  void DrawPrizeIcons(gfx::Surface& surface, std::int32_t x, std::int32_t y);
  void ClearPrizeIcons();

  // What the screen hangs on the world: the level-won signal (sent every frame from the third frame after
  // the winning capture).
  std::function<void()> onLevelWon;

  // Level identity.
  std::int32_t difficulty = 1;
  std::int32_t levelNumber = 1;
  std::u16string name;
  std::int32_t passPercent = 100;
  std::int32_t percentPrice = 1;
  config::Point fillStart;
  std::uint32_t backImageId = 0;
  std::uint32_t textureImageId = 0;
  config::ResourcePack* backPack = nullptr;

  // Score and lives.
  std::int32_t percent = 0;
  std::int32_t lastPercent = 0;
  std::int32_t initialPercent = 0;
  std::int32_t score = 0;
  std::int32_t levelStartScore = 0;
  std::int32_t lives = 10;
  std::int32_t levelStartLives = 10;
  gfx::Rect barClip;
  std::int32_t barFullWidth = 0;
  std::int32_t wonFrames = 0;
  std::int32_t laserDeathCountdown = -1;

  // The layout ("game_filed").
  const config::ConfigSection* layout = nullptr;
  gfx::Rect backDcRect;
  gfx::Rect gameField;
  gfx::Rect stylusRect;
  config::Point laserStart;
  gfx::Rect bottRect;
  gfx::Rect levelPassRect;
  gfx::Rect bottLevelRect;
  std::uint32_t bottColour = 0;
  std::uint32_t borderColour = 0;
  gfx::Surface bottomPanel;
  gfx::Sprite levelPassImage;
  std::unique_ptr<gfx::AlphaFont> bottFont;

  // The field.
  CellGrid grid;
  CellGrid testGrid;
  gfx::Surface texture;
  gfx::Sprite backImage;
  gfx::Surface composed;

  std::vector<std::unique_ptr<FieldObject>> objects;
  HeadObject* player = nullptr;

  // The laser emitter in the top bar.
  gfx::Sprite emitter;
  gfx::Rect emitterRect;
  std::vector<PrizeSpawn> prizeRules;
  std::vector<std::unique_ptr<PrizeIcon>> prizeIcons;

  sound::SoundClip laserSound;
  sound::SoundClip laserReloadSound;
  sound::SoundClip enemyDeathSound;
  sound::SoundClip prizeBlinkSound;

  // The level section the field was built from, and its document (both borrowed).
  const config::ConfigSection* levelSection = nullptr;
  const config::ConfigDocument* document = nullptr;

 private:
  std::int64_t Fill(std::int32_t x, std::int32_t y, FillRule rule, bool redraw, bool testObjects);
  Result BuildLevel(const config::ConfigSection& level);
  void PlaceObjects(const config::ConfigSection& level);
  void WriteLevelNumber();
  void EraseObject(std::size_t index);

  const ObjectFactory* factory_;
};

}  // namespace zelph::game
