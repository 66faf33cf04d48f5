#include "objects/player.h"

#include <cstdlib>

#include "config/pack_list.h"
#include "game/animated_picture.h"
#include "game/game_world.h"
#include "gfx/blit.h"
#include "gfx/gfx_result.h"
#include "sound/sound_globals.h"
#include "ui/pictures.h"

namespace zelph::objects {

using game::CellGrid;
using game::FieldObject;

namespace {

constexpr const char* kPictureKeys[4] = {"image", "cut_image", "gm_image", "gm_cut_image"};
constexpr const char* kAlphaKeys[4] = {"image_a", "cut_image_a", "gm_image_a", "gm_cut_image_a"};

}  // namespace

Player::Player() { kindCode = game::kKindPlayer; }

Result Player::Init(const config::ConfigSection& def, std::int32_t x, std::int32_t y) {
  if (Result r = FieldObject::Init(def, x, y); Failed(r)) return r;
  kindCode = game::kKindPlayer;
  velocity = {};
  rect_ = drawRect;
  const std::optional<gfx::Rect> cut = ui::FindRect(def, "cut_rect");
  if (!cut) return gfx::GFX_E_GENERIC;
  cutRect_ = *cut;
  margin = std::max(radius, 0);

  def.GetQuad("play_param", playParam_);
  for (int i = 0; i < 4; ++i) {
    pictureIds_[i] = def.GetNumber(kPictureKeys[i], 0);
    alphaIds_[i] = def.GetNumber(kAlphaKeys[i], 0);
  }
  slowFactor = static_cast<std::int32_t>(def.GetDouble("player_slow_down", 0.5) * game::kOne + 0.5);
  laserColour = 255;
  def.GetColor("laser_color", laserColour);
  godLaserColour = 0xFF0000;
  def.GetColor("gm_laser_color", godLaserColour);
  lineColour = 0;
  def.GetColor("line_color", lineColour);
  lineThick = std::clamp(def.GetInt("line_thick", 3), 1, 255);
  std::array<std::int32_t, 4> unbreakable{30, 10, 0, 0};
  def.GetQuad("unbreakable_param", unbreakable);
  protectSeconds = std::clamp(unbreakable[0], 0, 24 * 3600);
  blinkPeriod = std::clamp(unbreakable[1], 0, 1 << 20);
  if (const std::uint32_t id = def.GetNumber("cut_done_sound", 0)) cutDoneSound_.LoadSound(id, false);
  if (const std::uint32_t id = def.GetNumber("cut_wood_sound", 0)) cutWoodSound_.LoadSound(id, false);

  LoadImages(0);
  shownPair_ = -1;
  ChoosePictures();
  startDelay = kStartDelayFrames;
  ProtectionOn();
  return S_OK;
}

void Player::ProtectionOn() {
  protectFrames = game::SecondsToFrames(protectSeconds);
  blinkPhase = blinkPeriod;
}

void Player::ReleaseImages(int flag) {
  FieldObject::ReleaseImages(flag);
  for (auto& s : pictures_) s.Reset(false);
  for (auto& s : alphas_) s.Reset(false);
}

Result Player::LoadImages(int flag) {
  FieldObject::LoadImages(flag);
  config::ResourcePack* pack = PackOf({pictureIds_[0], alphaIds_[0], pictureIds_[1], alphaIds_[1], pictureIds_[2],
                                       alphaIds_[2], pictureIds_[3], alphaIds_[3]});
  for (int i = 0; i < 4; ++i) {
    game::LoadAnimatedPicture(pictures_[i], pack, pictureIds_[i], playParam_, false);
    game::LoadAnimatedPicture(alphas_[i], pack, alphaIds_[i], playParam_, false);
  }
  return S_OK;
}

void Player::ChoosePictures() {
  const bool god = godFrames > 0;
  const int pair = Cutting() ? (god ? kGodCut : kCut) : (god ? kGod : kNormal);
  if (pair == shownPair_) return;
  shownPair_ = pair;
  sprite = &pictures_[pair];
  alphaSprite = &alphas_[pair];
  drawRect = Cutting() ? cutRect_ : rect_;
  SetPosition(position);
}

void Player::SetDirection(std::int32_t code, bool) {
  if (startDelay > 0) return;
  if (code != kDirStop && stepsSinceTurn < 1) return;
  if (Cutting() && ((code == kDirLeft && direction == kDirRight) || (code == kDirRight && direction == kDirLeft) ||
                    (code == kDirUp && direction == kDirDown) || (code == kDirDown && direction == kDirUp))) {
    return;
  }
  stepsSinceTurn = 0;
  switch (code) {
    case kDirLeft: velocity = {-speed, 0}; break;
    case kDirUp: velocity = {0, -speed}; break;
    case kDirRight: velocity = {speed, 0}; break;
    case kDirDown: velocity = {0, speed}; break;
    case kDirStop: velocity = {}; break;
    default: code = kDirNone; break;
  }
  direction = code == kDirStop ? kDirNone : code;
  protectFrames = 0;
  blinkPhase = blinkPeriod;
}

Result Player::StylusPress(std::int32_t x, std::int32_t y) {
  stylusPressed = true;
  stylusPoint = {x, y};
  stylusTimeout = kStylusTimeoutFrames;
  return S_OK;
}

Result Player::StylusDrag(std::int32_t x, std::int32_t y) {
  if (stylusPressed) StylusPress(x, y);
  return S_OK;
}

Result Player::StylusRelease(std::int32_t x, std::int32_t y) {
  if (!stylusPressed) return S_OK;
  stylusPressed = false;
  const std::int64_t dx = std::int64_t{x} - CellX(), dy = std::int64_t{y} - CellY();
  std::int32_t code;
  if (std::llabs(dy) < std::llabs(dx)) {
    code = dx > 0 ? kDirRight : kDirLeft;
  } else {
    code = dy > 0 ? kDirDown : dy < 0 ? kDirUp : kDirStop;
  }
  SetDirection(code, true);
  return S_OK;
}

Result Player::Update(CellGrid& grid, std::uint32_t flags) {
  if (startDelay > 0) --startDelay;
  FieldObject::Update(grid, flags);
  if (godFrames > 0) --godFrames;
  if (stylusPressed && --stylusTimeout <= 0) stylusPressed = false;
  if ((flags & game::kUpdateFade) && dead) {
    if (fadeStep < opacity && fadeMin < opacity) {
      opacity -= fadeStep;
    } else {
      dead = false;  // the fade has ended; the world re-arms the laser and respawns the head
    }
  } else if (flags & game::kUpdateMove) {
    Move(grid);
  }
  ChoosePictures();
  if (Cutting() && !cutWoodSound_.IsSoundPlaying()) cutWoodSound_.PlaySound(0, sound::kFullVolume);
  if (dying && cutWoodSound_.IsSoundPlaying()) cutWoodSound_.StopSound();
  if (protectFrames > 0 && --protectFrames == 0) blinkPhase = blinkPeriod;
  if (--blinkPhase < -blinkPeriod) blinkPhase = blinkPeriod;
  return S_OK;
}

Result Player::Draw(gfx::Surface& surface, std::int32_t originX, std::int32_t originY) {
  if (!Visible()) return S_OK;
  const Result r = FieldObject::Draw(surface, originX, originY);
  if (stylusPressed) {
    // The guide towards the point, along the axis on which it is farther away.
    const std::int32_t dx = stylusPoint.x - CellX(), dy = stylusPoint.y - CellY();
    const bool acrossX = std::abs(dx) > std::abs(dy);
    gfx::DrawLine(surface, originX + CellX(), originY + CellY(), originX + (acrossX ? stylusPoint.x : CellX()),
                  originY + (acrossX ? CellY() : stylusPoint.y), 0);
  }
  return r;
}

Result Player::Prepare(CellGrid&) {
  SetPosition({position.x + velocity.x, position.y + velocity.y});
  return S_OK;
}

int Player::Collide(FieldObject* other, std::uint32_t flags) {
  if (!other || other == this || protectFrames >= 1 || other->AcceptsContact(this) != 1) return 0;
  std::uint32_t sides = 0;
  const bool rect = other->figureKind == game::kFigureRect;
  const bool overlap = rect ? CircleHitsRect(*this, *other, &sides) : CircleHitsCircle(*this, *other);
  if (!overlap) {
    if (other == lastHit) lastHit = nullptr;
    return 0;
  }
  const bool hurts = Cutting() ? (other->moveOn & 2) != 0 : (other->moveOn & 1) != 0;
  if (hurts && (flags & game::kCollideRespond)) {
    OnCollision(other, rect ? game::kContactRect : game::kContactCircle);
  }
  return 1;
}

Result Player::OnCollision(FieldObject* other, std::uint32_t) {
  if (!other || other == lastHit) return gfx::GFX_E_GENERIC;
  lastHit = other;
  if (other->Kill(godFrames > 0 ? game::kKillSpareHitter : game::kKillImmune) == S_OK) Die();
  return S_OK;
}

void Player::TouchedCut(std::int32_t, std::int32_t) {
  if (protectFrames > 0 || godFrames > 0) return;
  Die();
}

void Player::Die() {
  if (dying) return;
  if (game::GameWorld* world = World()) world->LaserDeath();
  Kill(0);
  dying = true;
}

void Player::SetGodMode(std::int32_t seconds) {
  if (godFrames == 0) {
    if (game::GameWorld* world = World()) world->PlayGodSound();
  }
  godFrames = game::SecondsToFrames(seconds);
}

void Player::SlowDown(std::int32_t newSpeed, std::int32_t seconds) {
  if (!slowed) {
    slowed = true;
    savedSpeed = speed;
    speed = newSpeed;
    velocity = game::FxRescale(velocity, speed);
  }
  slowTimer = game::SecondsToFrames(seconds);
}

void Player::Respawn() {
  cutWoodSound_.StopSound();
  cutDoneSound_.StopSound();
  game::GameWorld* world = World();
  if (world) world->grid.ClearCut();
  opacity = opacityAtRespawn;
  seedA = seedB = cutStart = {-1, -1};
  godFrames = 0;
  cutState = 0;
  EndSlowDown();
  if (world) {
    for (auto& object : world->objects) {
      if (object.get() != this) object->EndSlowDown();
    }
    world->ClearPrizeIcons();
  }
  SetCell(startPosition.x, startPosition.y);
  velocity = {};
  direction = kDirNone;
  dying = false;
  dead = false;
  lastHit = nullptr;
  ChoosePictures();
  if (world) world->RedrawField();
  ProtectionOn();
}

}  // namespace zelph::objects
