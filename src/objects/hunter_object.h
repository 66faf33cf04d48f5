// The hunter: it chases the cutting head in eight directions, stops where it would run into a colliding
// object or onto captured ground, and turns its picture a step at a time towards the way it moves, with a
// picture, probe points and a collision rectangle for each of the eight directions it can show.
#pragma once

#include <array>
#include <cstdint>
#include <vector>

#include "game/field_object.h"
#include "gfx/rect.h"
#include "gfx/sprite.h"
#include "objects/numbered_keys.h"

namespace zelph::objects {

// Directions 0 (up) to 7 (up-left), clockwise; 255 stops without changing the target.
inline constexpr std::int32_t kHunterDirections = 8;
inline constexpr std::int32_t kHunterStop = 255;

class HunterObject : public game::FieldObject {
 public:
  HunterObject();

  Result Init(const config::ConfigSection& definition, std::int32_t x, std::int32_t y) override;
  Result Update(game::CellGrid& grid, std::uint32_t flags) override;
  Result Move(game::CellGrid& grid) override;
  int Collide(game::FieldObject* other, std::uint32_t flags) override;
  Result Prepare(game::CellGrid& grid) override;
  void ReleaseImages(int flag) override;
  Result LoadImages(int flag) override;

  // The velocity of direction d (0-7), and of 255 (stop), at this hunter's speed; sets the target
  // direction unless stopping.
  void Head(std::int32_t direction);

  std::int32_t TargetDirection() const { return target_; }
  std::int32_t ShownDirection() const { return shown_; }
  std::int32_t TurnDelay() const { return playParam_[3]; }
  const std::vector<PointList>& ProbeLists() const { return probes_; }
  const std::vector<gfx::Rect>& CollisionRects() const { return rects_; }
  gfx::Sprite& Picture(std::int32_t direction) { return pictures_[static_cast<std::size_t>(direction)]; }

 private:
  // One step of the shown direction towards the target, the shorter way round.
  void Turn();
  // The probe list and collision rectangle of the shown direction, where it has them.
  void SelectShownFigure();
  // A colliding object of the world this hunter would touch.
  bool TouchesCollider();

  std::array<gfx::Sprite, kHunterDirections> pictures_;
  std::array<gfx::Sprite, kHunterDirections> alphas_;
  std::array<std::uint32_t, kHunterDirections> pictureIds_{};
  std::array<std::uint32_t, kHunterDirections> alphaIds_{};
  // First frame, frame step, frame delay, turn delay.
  std::array<std::int32_t, 4> playParam_{0, 1, 1, 2};
  std::int32_t target_ = 0;
  std::int32_t shown_ = 0;
  std::int32_t turnCountdown_ = 2;
  std::vector<PointList> probes_;
  std::vector<gfx::Rect> rects_;
  const PointList* probe_ = nullptr;
};

}  // namespace zelph::objects
