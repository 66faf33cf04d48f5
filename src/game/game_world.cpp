#include "game/game_world.h"

#include "gfx/gfx_result.h"
#include "sound/sound_globals.h"

namespace zelph::game {

namespace {
GameWorld* current = nullptr;
}  // namespace

GameWorld::GameWorld() : factory_(&ObjectFactory::Global()) { current = this; }

GameWorld::~GameWorld() {
  Reset();
  if (current == this) current = nullptr;
}

GameWorld* GameWorld::Current() { return current; }

void GameWorld::Reset() {
  laserDeathCountdown = -1;
  objects.clear();
  player = nullptr;
  ClearPrizeIcons();
  prizeRules.clear();
  emitter.Reset(false);
  composed = gfx::Surface();
  backImage.Reset(false);
  bottomPanel = gfx::Surface();
  levelPassImage.Reset(false);
  texture = gfx::Surface();
  grid.Free();
  testGrid.Free();
  for (sound::SoundClip* clip : {&laserSound, &laserReloadSound, &enemyDeathSound, &prizeBlinkSound}) {
    clip->UnloadSound(true);
  }
  levelSection = nullptr;
}

void GameWorld::HandleDeath(FieldObject& object) {
  const Result r = object.StampDeathMark(composed, gameField.left, gameField.top, texture, grid, kStampMark);
  if (Succeeded(r) && object.kindCode != kKindPlayer) enemyDeathSound.PlaySound(1, sound::kFullVolume);
}

void GameWorld::StepObjects(std::uint32_t updateFlags, bool collisions) {
  // Indices, not iterators: a kind may append to the list while it updates.
  for (std::size_t i = 0; i < objects.size(); ++i) {
    FieldObject* object = objects[i].get();
    if (object->process) object->Update(grid, updateFlags);
    if (!collisions || !object->collide) continue;
    for (std::size_t j = i + 1; j < objects.size(); ++j) {
      if (objects[j]->collide) object->Collide(objects[j].get(), kCollideRespond | kCollideAskOther);
    }
  }
}

void GameWorld::TouchedCut(FieldObject& by, std::int32_t x, std::int32_t y) {
  if (player && &by != player) player->TouchedCut(x, y);
}

void GameWorld::RemoveStrandedObjects() {
  for (std::size_t i = objects.size(); i-- > 0;) {
    if (objects[i]->OnForbiddenGround(grid, texture)) EraseObject(i);
  }
}

void GameWorld::EraseObject(std::size_t index) {
  FieldObject* gone = objects[index].get();
  if (gone == player) player = nullptr;
  // Nobody may keep pointing at an object that is gone.
  for (auto& other : objects) {
    if (other->lastHit == gone) other->lastHit = nullptr;
  }
  objects.erase(objects.begin() + static_cast<std::ptrdiff_t>(index));
}

void GameWorld::ReleaseObjectImages() {
  for (auto& object : objects) object->ReleaseImages(0);
}

void GameWorld::ReloadObjectImages() {
  for (auto& object : objects) object->LoadImages(0);
}

}  // namespace zelph::game
