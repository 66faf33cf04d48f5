#include "game/field_object.h"

#include <algorithm>
#include <cstdlib>

#include "config/pack_list.h"
#include "config/resources.h"
#include "game/animated_picture.h"
#include "game/game_world.h"
#include "gfx/gfx_result.h"
#include "platform/random.h"
#include "ui/pictures.h"

namespace zelph::game {

namespace {

// Definition numbers are a modder's data: kept in a range where the fixed-point products cannot overflow.
constexpr std::int32_t kMaxSpeedPixels = 4096;
constexpr std::int32_t kMaxFigure = ui::kMaxCoordinate;
// A cell position a document puts far off the field is kept where its 8.8 value, and its rectangles with
// their offsets, still fit in 32 bits.
constexpr std::int32_t kMaxCell = 1 << 22;

}  // namespace

std::int32_t RandomBetween(std::int32_t a, std::int32_t b) {
  const std::int64_t span = std::llabs(std::int64_t{b} - a);
  return static_cast<std::int32_t>(a + span * platform::Rand() / platform::kRandMax);
}

FieldObject::FieldObject() = default;
FieldObject::~FieldObject() = default;

Result FieldObject::Init(const config::ConfigSection& def, std::int32_t x, std::int32_t y) {
  definition = &def;
  def.GetString("name", name);
  const std::optional<gfx::Rect> rect = ui::FindRect(def, "rect");
  if (!rect) return gfx::GFX_E_GENERIC;
  drawRect = *rect;
  // A level may place an object far off the field; it stays far off without overflowing its 8.8 position.
  x = std::clamp(x, -ui::kMaxCoordinate, ui::kMaxCoordinate);
  y = std::clamp(y, -ui::kMaxCoordinate, ui::kMaxCoordinate);
  SetCell(x, y);
  startPosition = {x, y};

  if (!def.GetRaw("aprox_figure")) return gfx::GFX_E_GENERIC;
  const std::int32_t figure = def.GetInt("aprox_figure", 0);
  figureParams.fill(0);
  def.GetEightInts("aprox_figure_param", figureParams);
  for (std::int32_t& p : figureParams) p = std::clamp(p, -kMaxFigure, kMaxFigure);
  radius = figureParams[2];
  if (figure == kAproxCircle) {
    figureKind = kFigureCircle;
  } else if (figure == kAproxRect) {
    figureKind = kFigureRect;
    if (figureParams[2] != 0 || figureParams[3] != 0) {
      figureRect = {figureParams[0], figureParams[1], figureParams[0] + figureParams[2],
                    figureParams[1] + figureParams[3]};
    }
  } else {
    return gfx::GFX_E_GENERIC;
  }

  definitionId = def.GetNumber("ID", 0);
  aiLevel = def.GetInt("AI_level", 1);
  config::Point speeds{3, 3};
  def.GetPoint("speed_rand", speeds);
  const std::int32_t a = std::clamp(speeds.x, -kMaxSpeedPixels, kMaxSpeedPixels);
  const std::int32_t b = std::clamp(speeds.y, -kMaxSpeedPixels, kMaxSpeedPixels);
  speed = (a == b ? a : RandomBetween(a, b)) * kOne;
  savedSpeed = speed;

  energy = def.GetDouble("energy", 100.0);
  process = def.GetBool("process_cur_state", false);
  collide = def.GetBool("collide", false);
  testFill = def.GetInt("test_fill_flag", 1);
  std::array<std::int32_t, 4> death{255, 0, 15, 255};
  def.GetQuad("death_param", death);
  opacity = death[0];
  fadeMin = death[1];
  fadeStep = death[2];
  opacityAtRespawn = death[3];
  deathColour = 0;
  def.GetColor("death_color", deathColour);
  moveOn = def.GetInt("move_on", kMoveOnOpen);
  if (moveOn < kMoveOnFilled || moveOn > kMoveAnywhere) moveOn = kMoveOnOpen;

  hasBlowAnim = def.GetQuad("blow_param", blowAnim);
  if (hasBlowAnim) {
    blowImageId_ = def.GetNumber("blow_img", 0);
    blowAlphaId_ = def.GetNumber("blow_img_a", 0);
    blowRect = ui::ReadRect(def, "blow_rect");
  }
  markImageId_ = def.GetNumber("death_mark_img", 0);
  markAlphaId_ = def.GetNumber("death_mark_img_a", 0);
  markRect = ui::ReadRect(def, "death_mark_rect");
  allowedAngles.clear();
  def.GetIntList("alow_grad_arr", allowedAngles);

  LoadImages(0);
  RandomDirection();
  return S_OK;
}

Result FieldObject::Placed(gfx::Surface&, CellGrid&) { return S_OK; }
Result FieldObject::Move(CellGrid&) { return S_OK; }

int FieldObject::Collide(FieldObject* other, std::uint32_t) {
  return other && other != this && other->AcceptsContact(this) == 1 ? 1 : 0;
}

Result FieldObject::OnCollision(FieldObject* other, std::uint32_t) {
  if (!other || other == lastHit) return gfx::GFX_E_GENERIC;
  lastHit = other;
  return S_OK;
}

int FieldObject::AcceptsContact(FieldObject*) { return 1; }
Result FieldObject::Prepare(CellGrid&) { return S_OK; }
void FieldObject::KeyDown(int) {}
void FieldObject::KeyUp(int) {}
Result FieldObject::StylusPress(std::int32_t, std::int32_t) { return gfx::GFX_E_GENERIC; }
Result FieldObject::StylusRelease(std::int32_t, std::int32_t) { return gfx::GFX_E_GENERIC; }
Result FieldObject::StylusDrag(std::int32_t, std::int32_t) { return gfx::GFX_E_GENERIC; }

Result FieldObject::Update(CellGrid&, std::uint32_t flags) {
  if (flags & kUpdateAnimate) {
    if (sprite) sprite->StepAnimation();
    if (alphaSprite) alphaSprite->StepAnimation();
  }
  if (dead) {
    blowSprite.StepAnimation();
    blowAlpha.StepAnimation();
  }
  AdvanceSlowDown();
  return S_OK;
}

void FieldObject::AdvanceSlowDown() {
  if (slowTimer < 0) return;
  if (slowTimer == 0) {
    EndSlowDown();
    slowTimer = -1;
  } else {
    --slowTimer;
  }
}

Result FieldObject::Kill(std::uint32_t flags) {
  if (flags & kKillImmune) return S_OK;
  if (flags & kKillSpareHitter) {
    dead = true;
    if (world_) world_->HandleDeath(*this);
    return gfx::GFX_E_GENERIC;
  }
  if (world_) world_->HandleDeath(*this);
  dead = true;
  return S_OK;
}

void FieldObject::SetCell(std::int32_t x, std::int32_t y) {
  x = std::clamp(x, -kMaxCell, kMaxCell);
  y = std::clamp(y, -kMaxCell, kMaxCell);
  position = {x * kOne, y * kOne};
  absRect = {drawRect.left + x, drawRect.top + y, drawRect.right + x, drawRect.bottom + y};
}

void FieldObject::SetPosition(Vec8 p) {
  position = p;
  const std::int32_t x = p.x >> 8, y = p.y >> 8;
  absRect = {drawRect.left + x, drawRect.top + y, drawRect.right + x, drawRect.bottom + y};
}

config::ResourcePack* FieldObject::PackOf(std::initializer_list<std::uint32_t> ids) {
  if (pack_) return pack_;
  for (const std::uint32_t id : ids) {
    if (id != 0) return pack_ = config::GlobalPackList().FindPack(id);
  }
  return nullptr;
}

void FieldObject::ReleaseImages(int) {
  blowSprite.Reset(false);
  blowAlpha.Reset(false);
  markSprite.Reset(false);
  markAlpha.Reset(false);
}

Result FieldObject::LoadImages(int) {
  config::ResourcePack* pack = PackOf({blowImageId_, blowAlphaId_, markImageId_, markAlphaId_});
  if (hasBlowAnim) {
    LoadAnimatedPicture(blowSprite, pack, blowImageId_, blowAnim, blowAnim[3] != 0);
    LoadAnimatedPicture(blowAlpha, pack, blowAlphaId_, blowAnim, blowAnim[3] != 0);
  }
  if (markImageId_) ui::LoadPicture(markSprite, pack, markImageId_);
  if (markAlphaId_) ui::LoadPicture(markAlpha, pack, markAlphaId_);
  return S_OK;
}

}  // namespace zelph::game
