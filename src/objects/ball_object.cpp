#include "objects/ball_object.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>

#include "gfx/gfx_result.h"
#include "objects/kind_math.h"
#include "objects/kind_motion.h"
#include "objects/numbered_keys.h"
#include "objects/rect_contact.h"
#include "platform/random.h"

namespace zelph::objects {

using game::CellGrid;
using game::FieldObject;
using game::kOne;

namespace {

// A reflected direction closer than this to an axis gets a random component, so that the ball never runs
// along an edge for ever.
constexpr double kStallLimit = 0.05;
constexpr double kStallSpread = 0.7;

std::int32_t AntiStallComponent() {
  const double unit = platform::Rand() * (2 * kStallSpread) / platform::kRandMax - kStallSpread;
  return static_cast<std::int32_t>(unit * kOne + 0.5);
}

}  // namespace

Result BallObject::Init(const config::ConfigSection& def, std::int32_t x, std::int32_t y) {
  if (Failed(FieldObject::Init(def, x, y))) return gfx::GFX_E_GENERIC;
  kindCode = game::kKindBall;
  ReadPictureKeys(def);
  ReadBorderLists(def);
  LoadImages(0);
  border_ = 0;
  SelectBorderList();
  loaded_ = true;
  return S_OK;
}

void BallObject::ReadBorderLists(const config::ConfigSection& def) {
  borders_ = ReadPointLists(def, "b_frame_", 1, def.GetInt("frames_borders_count", 0));
}

const std::vector<config::Point>* BallObject::CurrentBorder() const {
  return border_ < borders_.size() ? &borders_[border_] : nullptr;
}

void BallObject::SelectBorderList() {
  const std::int32_t frame = Picture().Frame();
  if (frame >= 0 && static_cast<std::size_t>(frame) < borders_.size())
    border_ = static_cast<std::size_t>(frame);
}

Result BallObject::Draw(gfx::Surface& surface, std::int32_t originX, std::int32_t originY) {
  return Failed(FieldObject::Draw(surface, originX, originY)) ? gfx::GFX_E_GENERIC : S_OK;
}

Result BallObject::Kill(std::uint32_t flags) {
  return Failed(FieldObject::Kill(flags)) ? gfx::GFX_E_GENERIC : S_OK;
}

Result BallObject::Update(CellGrid& grid, std::uint32_t flags) {
  if (Failed(FieldObject::Update(grid, flags))) return gfx::GFX_E_GENERIC;
  SelectBorderList();
  FadeOrMove(*this, grid, flags);
  SnapToAllowedAngle();
  return S_OK;
}

Result BallObject::Move(CellGrid& grid) {
  const Vec8 incoming = velocity;
  Vec8 p = Add(position, velocity);
  TurnAtEdges(p, velocity, radius, grid);

  position = p;
  const std::vector<config::Point>* border = CurrentBorder();
  Vec8 contact;
  if (!border || ContactProbe(grid, *border, &contact) == 0) {
    SetPosition(p);
    return S_OK;
  }
  // Ground touched in the frame an edge turned the ball: backing off and reflecting with the turned
  // velocity would push it into that ground and strand it, so both use the velocity it came in with.
  velocity = incoming;
  // `contact` keeps the last place the rim touched while backing out.
  BackOff(*this, grid, *border, velocity, &contact);
  Bounce(contact);
  lastContact_ = {contact.x >> 8, contact.y >> 8};
  SetPosition(Add(position, velocity));
  return S_OK;
}

void BallObject::Bounce(Vec8 contact) {
  Vec8 n = Sub(contact, position);
  game::FxNormalise(n);
  Vec8 u = velocity;
  const std::int32_t speed0 = game::FxNormalise(u);
  const std::int32_t along = game::FxDot(u, n);
  Vec8 reflected = Sub(u, Scale(n, 2 * std::int64_t{along}));
  game::FxNormalise(reflected);
  for (std::int32_t* k : {&reflected.x, &reflected.y}) {
    if (std::abs(*k) / static_cast<double>(kOne) < kStallLimit) *k = AntiStallComponent();
  }
  velocity = Scale(reflected, std::min(speed, speed0));
}

int BallObject::Collide(FieldObject* other, std::uint32_t flags) {
  if (!other || other == this || other->AcceptsContact(this) != 1) return 0;
  if (other->figureKind == game::kFigureCircle) {
    if (CircleHitsCircle(*this, *other)) {
      if (flags & game::kCollideRespond) OnCollision(other, game::kContactCircle);
      return 1;
    }
  } else if (other->figureKind == game::kFigureRect) {
    std::uint32_t sides = 0;
    if (CircleHitsRect(*this, *other, &sides)) {
      if (flags & game::kCollideAskOther) other->Collide(this, game::kCollideRespond);
      if (flags & game::kCollideRespond) OnCollision(other, sides | game::kContactRect);
      return 1;
    }
  }
  EndContact(*this, *other);
  return 0;
}

Result BallObject::OnCollision(FieldObject* other, std::uint32_t flags) {
  if (Failed(FieldObject::OnCollision(other, flags))) return gfx::GFX_E_GENERIC;  // the same contact goes on
  const std::uint32_t contactKind = flags & game::kContactKindMask;
  if (contactKind == game::kContactCircle) {
    // Equal masses: the components along the line of centres are exchanged, the rest kept. A hunter is
    // an immovable wall to the ball.
    Vec8 n = Sub(other->position, position);
    game::FxNormalise(n);
    const bool hunter = other->kindCode == game::kKindHunter;
    const Vec8 w1 = velocity;
    const Vec8 w2 = hunter ? Vec8{-w1.x, -w1.y} : other->velocity;
    const Vec8 p1 = Scale(n, game::FxDot(w1, n)), t1 = Sub(w1, p1);
    const Vec8 p2 = Scale(n, game::FxDot(w2, n)), t2 = Sub(w2, p2);
    constexpr std::int64_t kHalf = kOne / 2;
    const Vec8 own = Add(t1, Scale(Sub(Add(p1, p2), Sub(p1, p2)), kHalf));
    const Vec8 theirs = Add(t2, Scale(Sub(Add(p1, p2), Sub(p2, p1)), kHalf));
    velocity = WithLength(own, speed);
    SnapToAllowedAngle();
    if (!hunter) {
      other->velocity = WithLength(theirs, other->speed);
      other->SnapToAllowedAngle();
    }
  } else if (contactKind == game::kContactRect) {
    if (flags & game::kSideAbove) {
      velocity.y = -std::abs(velocity.y);
    } else if (flags & game::kSideBelow) {
      velocity.y = std::abs(velocity.y);
    }
    if (flags & game::kSideLeft) {
      velocity.x = -std::abs(velocity.x);
    } else if (flags & game::kSideRight) {
      velocity.x = std::abs(velocity.x);
    }
  }
  return S_OK;
}

Result BallObject::Prepare(game::CellGrid& grid) {
  SetPosition(StepInsideField(*this, grid));
  return S_OK;
}

}  // namespace zelph::objects
