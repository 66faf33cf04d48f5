#include "objects/hunter_object.h"

#include <cstdlib>
#include <string>

#include "game/animated_picture.h"
#include "game/game_world.h"
#include "gfx/gfx_result.h"
#include "objects/kind_math.h"
#include "objects/kind_motion.h"
#include "objects/rect_contact.h"

namespace zelph::objects {

using game::CellGrid;
using game::FieldObject;

namespace {

// Unit steps of directions 0 (up) to 7 (up-left); diagonals take the full speed on both axes.
constexpr std::array<std::array<std::int32_t, 2>, kHunterDirections> kSteps{
    {{0, -1}, {1, -1}, {1, 0}, {1, 1}, {0, 1}, {-1, 1}, {-1, 0}, {-1, -1}}};

std::string Numbered(const char* prefix, int i, const char* suffix = "") {
  return prefix + std::to_string(i) + suffix;
}

// The direction from (0, 0) towards (dx, dy): straight along the axis of the larger distance, diagonal when
// both are equal; -1 when there is no distance.
std::int32_t Towards(std::int64_t dx, std::int64_t dy) {
  const std::int64_t ax = std::llabs(dx), ay = std::llabs(dy);
  if (ay < ax) return dx > 0 ? 2 : 6;
  if (ax < ay) return dy > 0 ? 4 : 0;
  if (dx == 0) return -1;
  if (dy > 0) return dx > 0 ? 3 : 5;
  return dx > 0 ? 1 : 7;
}

}  // namespace

HunterObject::HunterObject() {
  sprite = &pictures_[0];
  alphaSprite = &alphas_[0];
}

Result HunterObject::Init(const config::ConfigSection& def, std::int32_t x, std::int32_t y) {
  if (Failed(FieldObject::Init(def, x, y))) return gfx::GFX_E_GENERIC;
  kindCode = game::kKindHunter;
  playParam_ = {0, 1, 1, 2};
  def.GetQuad("play_param", playParam_);
  for (int d = 0; d < kHunterDirections; ++d) {
    pictureIds_[static_cast<std::size_t>(d)] = def.GetNumber(Numbered("image_", d), 0);
    alphaIds_[static_cast<std::size_t>(d)] = def.GetNumber(Numbered("image_", d, "_a"), 0);
  }
  probes_ = ReadPointLists(def, "b_pnt_", 0, kHunterDirections - 1);
  rects_ = ReadEdgeRects(def, "coll_rect_", 0, kHunterDirections - 1);
  target_ = shown_ = 0;
  turnCountdown_ = 2;
  SelectShownFigure();
  LoadImages(0);
  return S_OK;
}

void HunterObject::Turn() {
  if (target_ == shown_) return;
  if (turnCountdown_ > 0) {
    --turnCountdown_;
    return;
  }
  turnCountdown_ = playParam_[3];
  const std::int32_t ahead = target_ - shown_;
  // Clockwise when the target is at most half a turn ahead that way.
  const bool clockwise = ahead > 0 ? ahead <= 4 : -ahead > 4;
  shown_ = (shown_ + (clockwise ? 1 : kHunterDirections - 1)) % kHunterDirections;
}

void HunterObject::SelectShownFigure() {
  const auto h = static_cast<std::size_t>(shown_);
  if (h < probes_.size()) probe_ = &probes_[h];
  if (h < rects_.size()) figureRect = rects_[h];
}

Result HunterObject::Update(CellGrid& grid, std::uint32_t flags) {
  Turn();
  sprite = &pictures_[static_cast<std::size_t>(shown_)];
  alphaSprite = &alphas_[static_cast<std::size_t>(shown_)];
  if (Failed(FieldObject::Update(grid, flags))) return gfx::GFX_E_GENERIC;
  SelectShownFigure();
  FadeOrMove(*this, grid, flags);
  return S_OK;
}

void HunterObject::Head(std::int32_t direction) {
  if (direction < 0 || direction >= kHunterDirections) {
    velocity = {};
    return;
  }
  const auto& step = kSteps[static_cast<std::size_t>(direction)];
  velocity = {step[0] * speed, step[1] * speed};
  target_ = direction;
}

Result HunterObject::Move(CellGrid& grid) {
  game::GameWorld* world = World();
  const game::HeadObject* head = world ? world->Head() : nullptr;
  if (!head) return S_OK;
  const std::int32_t chosen =
      Towards(std::int64_t{head->CellX()} - CellX(), std::int64_t{head->CellY()} - CellY());
  if (chosen >= 0) Head(chosen);
  SelectShownFigure();

  const Vec8 old = position;
  const Vec8 incoming = velocity;
  Vec8 p = Add(position, velocity);
  TurnAtEdges(p, velocity, radius, grid);
  position = p;
  if (!collide && TouchesCollider()) {
    Head(kHunterStop);
    position = old;
  } else if (probe_ && ContactProbe(grid, *probe_, nullptr)) {
    // Backed out the way it came, even when an edge turned it in this frame: backing off along the
    // turned velocity would push it on into the ground.
    BackOff(*this, grid, *probe_, incoming, nullptr);
    Head(kHunterStop);
  }
  SetPosition(position);
  return S_OK;
}

bool HunterObject::TouchesCollider() {
  for (const auto& other : World()->objects) {
    if (other.get() != this && other->collide && Collide(other.get(), 0)) return true;
  }
  return false;
}

int HunterObject::Collide(FieldObject* other, std::uint32_t flags) {
  // The hunter's own course is not changed by a contact: it only tells, and lets the other respond.
  return RectKindCollide(*this, other, flags, false);
}

Result HunterObject::Prepare(CellGrid& grid) {
  SetPosition(ClampToField(Add(position, velocity), radius, grid));
  return S_OK;
}

void HunterObject::ReleaseImages(int flag) {
  FieldObject::ReleaseImages(flag);
  for (auto& s : pictures_) s.Reset(true);
  for (auto& s : alphas_) s.Reset(true);
}

Result HunterObject::LoadImages(int flag) {
  FieldObject::LoadImages(flag);
  config::ResourcePack* pack = nullptr;
  for (int d = 0; d < kHunterDirections && !pack; ++d) {
    pack = PackOf({pictureIds_[static_cast<std::size_t>(d)], alphaIds_[static_cast<std::size_t>(d)]});
  }
  for (std::size_t d = 0; d < pictures_.size(); ++d) {
    game::LoadAnimatedPicture(pictures_[d], pack, pictureIds_[d], playParam_, false);
    game::LoadAnimatedPicture(alphas_[d], pack, alphaIds_[d], playParam_, false);
  }
  return S_OK;
}

}  // namespace zelph::objects
