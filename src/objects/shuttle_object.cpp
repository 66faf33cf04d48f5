#include "objects/shuttle_object.h"

#include <array>
#include <cstdlib>

#include "gfx/gfx_result.h"
#include "objects/kind_math.h"
#include "objects/kind_motion.h"
#include "objects/rect_contact.h"
#include "platform/random.h"

namespace zelph::objects {

using game::CellGrid;
using game::FieldObject;
using game::kOne;

namespace {

constexpr std::int32_t kHalfRand = 16383;

}  // namespace

Result ShuttleObject::Init(const config::ConfigSection& def, std::int32_t x, std::int32_t y) {
  if (Failed(FieldObject::Init(def, x, y))) return gfx::GFX_E_GENERIC;
  kindCode = game::kKindShuttle;
  ReadPictureKeys(def);
  lowEnd_.clear();
  highEnd_.clear();
  def.GetPointList("b_pnt1", lowEnd_);
  def.GetPointList("b_pnt2", highEnd_);
  figureRect = ReadEdges(def, "coll_rect").value_or(gfx::Rect{});
  std::array<std::int32_t, 4> move{1, 0, 0, 0};
  def.GetQuad("move_param", move);
  axis_ = move[0] != 0 ? Axis::kHorizontal : move[1] != 0 ? Axis::kVertical : Axis::kFree;
  if (axis_ == Axis::kHorizontal) {
    velocity = {platform::Rand() > kHalfRand - 1 ? speed : -speed, 0};
  } else if (axis_ == Axis::kVertical) {
    velocity = {0, platform::Rand() < kHalfRand ? -speed : speed};
  }
  LoadImages(0);
  return S_OK;
}

Result ShuttleObject::Update(CellGrid& grid, std::uint32_t flags) {
  if (Failed(FieldObject::Update(grid, flags))) return gfx::GFX_E_GENERIC;
  FadeOrMove(*this, grid, flags);
  return S_OK;
}

int ShuttleObject::KeepInside(Vec8& p, const CellGrid& grid) const {
  int corrected = 0;
  // Per axis: the rectangle's near edges (lo, hi) against the field's size, the position's fraction kept.
  auto keep = [](std::int32_t& at, std::int32_t lo, std::int32_t hi, std::int32_t size) {
    const std::int64_t cell = at >> 8;
    if (cell + lo < 0) {
      at = static_cast<std::int32_t>(std::int64_t{-lo} * kOne + (at & (kOne - 1)));
      return true;
    }
    if (cell + hi > size) {
      at = static_cast<std::int32_t>(at + (size - cell - hi) * kOne);
      return true;
    }
    return false;
  };
  if (keep(p.x, figureRect.left, figureRect.right, grid.Width())) corrected |= 1;
  if (keep(p.y, figureRect.top, figureRect.bottom, grid.Height())) corrected |= 2;
  return corrected;
}

Result ShuttleObject::Move(CellGrid& grid) {
  Vec8 p = Add(position, velocity);
  const int corrected = KeepInside(p, grid);
  if (corrected & 1) velocity.x = -velocity.x;
  if (corrected & 2) velocity.y = -velocity.y;
  position = p;
  // Captured ground at an end sends the shuttle towards the other end.
  if (ContactProbe(grid, lowEnd_, nullptr)) {
    if (axis_ == Axis::kHorizontal) velocity.x = std::abs(velocity.x);
    if (axis_ == Axis::kVertical) velocity.y = std::abs(velocity.y);
  }
  if (ContactProbe(grid, highEnd_, nullptr)) {
    if (axis_ == Axis::kHorizontal) velocity.x = -std::abs(velocity.x);
    if (axis_ == Axis::kVertical) velocity.y = -std::abs(velocity.y);
  }
  SetPosition(p);
  return S_OK;
}

Result ShuttleObject::Prepare(CellGrid& grid) {
  Vec8 p = Add(position, velocity);
  KeepInside(p, grid);
  SetPosition(p);
  return S_OK;
}

int ShuttleObject::Collide(FieldObject* other, std::uint32_t flags) {
  return RectKindCollide(*this, other, flags, true);
}

Result ShuttleObject::OnCollision(FieldObject* other, std::uint32_t flags) {
  if (Failed(FieldObject::OnCollision(other, flags))) return gfx::GFX_E_GENERIC;  // the same contact goes on
  if (axis_ == Axis::kHorizontal) {
    velocity.x = -velocity.x;
  } else if (axis_ == Axis::kVertical) {
    velocity.y = -velocity.y;
  }
  return S_OK;
}

}  // namespace zelph::objects
