// The cutting head the player steers: keys and stylus, the cut it traces over open ground, the capture
// when the cut closes, death on its own cut or at an enemy's touch, respawn with protection, god mode.
#pragma once

#include <array>
#include <cstdint>

#include "config/value_types.h"
#include "game/head_object.h"
#include "gfx/sprite.h"
#include "sound/sound_clip.h"

namespace zelph::objects {

inline constexpr std::int32_t kDirNone = 0;
inline constexpr std::int32_t kDirLeft = 1;
inline constexpr std::int32_t kDirUp = 2;
inline constexpr std::int32_t kDirRight = 3;
inline constexpr std::int32_t kDirDown = 4;
inline constexpr std::int32_t kDirStop = 255;

inline constexpr std::int32_t kStartDelayFrames = 4;
inline constexpr std::int32_t kStylusTimeoutFrames = 40;

class Player : public game::HeadObject {
 public:
  Player();

  Result Init(const config::ConfigSection& definition, std::int32_t x, std::int32_t y) override;
  Result Draw(gfx::Surface& surface, std::int32_t originX, std::int32_t originY) override;
  Result Update(game::CellGrid& grid, std::uint32_t flags) override;
  Result Move(game::CellGrid& grid) override;
  int Collide(game::FieldObject* other, std::uint32_t flags) override;
  Result OnCollision(game::FieldObject* other, std::uint32_t flags) override;
  Result Prepare(game::CellGrid& grid) override;
  void KeyDown(int key) override { SetDirection(key, false); }
  Result StylusPress(std::int32_t x, std::int32_t y) override;
  Result StylusRelease(std::int32_t x, std::int32_t y) override;
  Result StylusDrag(std::int32_t x, std::int32_t y) override;
  bool OnForbiddenGround(const game::CellGrid&, const gfx::Surface&) override { return false; }
  void SlowDown(std::int32_t newSpeed, std::int32_t seconds) override;
  void ReleaseImages(int flag) override;
  Result LoadImages(int flag) override;

  void Respawn() override;
  void TouchedCut(std::int32_t x, std::int32_t y) override;
  bool Visible() const override { return protectFrames == 0 || blinkPhase > 0; }
  std::uint32_t CurrentLaserColour() const override { return godFrames > 0 ? godLaserColour : laserColour; }

  void SetDirection(std::int32_t code, bool remember);
  void Die();
  void SetGodMode(std::int32_t seconds) override;
  std::int32_t GodFrames() const override { return godFrames; }
  bool Cutting() const { return cutState > 0; }

  std::int32_t direction = kDirNone;
  std::int32_t stepsSinceTurn = 0;
  std::int32_t startDelay = kStartDelayFrames;
  std::int32_t cutState = 0;  // 0 not cutting, 1 cutting, 2 just closed
  config::Point cutStart{-1, -1};
  config::Point seedA{-1, -1};
  config::Point seedB{-1, -1};
  std::int32_t slowSteps = 0;
  std::int32_t slowFactor = 128;
  std::int32_t lineThick = 3;
  std::uint32_t lineColour = 0;
  std::uint32_t laserColour = 255;
  std::uint32_t godLaserColour = 0xFF0000;
  std::int32_t godFrames = 0;
  std::int32_t protectFrames = 0;
  std::int32_t protectSeconds = 30;
  std::int32_t blinkPeriod = 10;
  std::int32_t blinkPhase = 10;
  bool stylusPressed = false;
  config::Point stylusPoint;
  std::int32_t stylusTimeout = 0;
  std::int32_t margin = 0;

 private:
  struct Trace {
    bool closed = false;
    config::Point seedA, seedB, cutStart;
  };
  // Traces the cut for a step along one axis; `vertical` steps run down column `across` from `from` to
  // `to`, horizontal ones along row `across`.
  Trace TraceCut(game::CellGrid& grid, bool vertical, std::int32_t across, std::int32_t from, std::int32_t to);
  void ChoosePictures();
  void ProtectionOn();

  enum Pair { kNormal, kCut, kGod, kGodCut };
  std::array<gfx::Sprite, 4> pictures_;
  std::array<gfx::Sprite, 4> alphas_;
  std::array<std::uint32_t, 4> pictureIds_{};
  std::array<std::uint32_t, 4> alphaIds_{};
  std::array<std::int32_t, 4> playParam_{};
  int shownPair_ = -1;
  gfx::Rect rect_;
  gfx::Rect cutRect_;
  sound::SoundClip cutDoneSound_;
  sound::SoundClip cutWoodSound_;
};

}  // namespace zelph::objects
