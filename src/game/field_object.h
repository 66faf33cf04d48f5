// Everything that stands or moves on the field (enemies, the cutting head, prizes) is a FieldObject: the
// definition keys every kind reads, the state every kind carries, and the shared rules of movement,
// collision, ground, capture blocking, slow-down, death and the death mark. The kinds derive from it and
// replace some of its virtual operations; the world calls them in the order of the table below.
#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <vector>

#include "config/config_section.h"
#include "config/value_types.h"
#include "game/cell_grid.h"
#include "game/fixed_point.h"
#include "game/frame_rate.h"
#include "gfx/rect.h"
#include "gfx/sprite.h"
#include "gfx/surface.h"
#include "platform/result.h"

namespace zelph::config {
class ResourcePack;
}

namespace zelph::game {

class GameWorld;

// Kind codes other objects test.
inline constexpr std::int32_t kKindBall = 0;  // also prizes
inline constexpr std::int32_t kKindObstacle = 1;
inline constexpr std::int32_t kKindHunter = 2;
inline constexpr std::int32_t kKindShuttle = 3;
inline constexpr std::int32_t kKindStamp = 4;
inline constexpr std::int32_t kKindPlayer = 5;

// "aprox_figure" values and the figure kinds they become.
inline constexpr std::int32_t kAproxCircle = 20000;
inline constexpr std::int32_t kAproxRect = 20001;
inline constexpr std::int32_t kFigureCircle = 0;
inline constexpr std::int32_t kFigureRect = 1;

// "move_on": the ground an object keeps to, and its collision group.
inline constexpr std::int32_t kMoveOnFilled = 1;
inline constexpr std::int32_t kMoveOnOpen = 2;
inline constexpr std::int32_t kMoveAnywhere = 3;

// Update flags.
inline constexpr std::uint32_t kUpdateAnimate = 1;
inline constexpr std::uint32_t kUpdateMove = 2;
inline constexpr std::uint32_t kUpdateFade = 4;
inline constexpr std::uint32_t kUpdateAll = kUpdateAnimate | kUpdateMove | kUpdateFade;

// Collide and OnCollision flags: respond to a contact, ask the partner too; the contact's kind in bits
// 8-11, the sides of a rectangle in the low four bits.
inline constexpr std::uint32_t kCollideRespond = 0x1000;
inline constexpr std::uint32_t kCollideAskOther = 0x2000;
inline constexpr std::uint32_t kContactCircle = 0x100;
inline constexpr std::uint32_t kContactRect = 0x200;
inline constexpr std::uint32_t kContactKindMask = 0xF00;
inline constexpr std::uint32_t kSideAbove = 1;
inline constexpr std::uint32_t kSideBelow = 2;
inline constexpr std::uint32_t kSideLeft = 4;
inline constexpr std::uint32_t kSideRight = 8;

// Kill flags: immune to the hit (the hitter dies), or killed while sparing the hitter.
inline constexpr std::uint32_t kKillImmune = 0x20;
inline constexpr std::uint32_t kKillSpareHitter = 0x40;

// StampDeathMark runs only with this flag.
inline constexpr std::uint32_t kStampMark = 0x1000;

// Fixed-point ratio of a random value: a + |b - a| * rand() / 32767 in integers.
std::int32_t RandomBetween(std::int32_t a, std::int32_t b);

class FieldObject {
 public:
  FieldObject();
  FieldObject(const FieldObject&) = delete;
  FieldObject& operator=(const FieldObject&) = delete;

  // Virtual operations in slot order.
  virtual ~FieldObject();                                                                  // 0
  virtual Result Init(const config::ConfigSection& definition, std::int32_t x, std::int32_t y);  // 1
  virtual Result Placed(gfx::Surface& texture, CellGrid& grid);                            // 2
  virtual Result Draw(gfx::Surface& surface, std::int32_t originX, std::int32_t originY);  // 3
  virtual Result Update(CellGrid& grid, std::uint32_t flags);                              // 4
  virtual Result StampDeathMark(gfx::Surface& composed, std::int32_t originX, std::int32_t originY,
                                gfx::Surface& texture, CellGrid& grid, std::uint32_t flags);  // 5
  virtual Result Move(CellGrid& grid);                                                     // 6
  virtual int Collide(FieldObject* other, std::uint32_t flags);                            // 7
  virtual Result OnCollision(FieldObject* other, std::uint32_t flags);                     // 8
  virtual int AcceptsContact(FieldObject* other);                                          // 9
  virtual Result Prepare(CellGrid& grid);                                                  // 10
  virtual void KeyDown(int key);                                                           // 11
  virtual void KeyUp(int key);                                                             // 12
  virtual Result StylusPress(std::int32_t x, std::int32_t y);                              // 13
  virtual Result StylusRelease(std::int32_t x, std::int32_t y);                            // 14
  virtual Result StylusDrag(std::int32_t x, std::int32_t y);                               // 15
  virtual void RandomDirection();                                                          // 16
  virtual int BlocksFill(CellGrid& testGrid, gfx::Surface& surface, std::int32_t x, std::int32_t y);  // 17
  virtual bool OnForbiddenGround(const CellGrid& grid, const gfx::Surface& texture);      // 18
  virtual Result Kill(std::uint32_t flags);                                                // 19
  virtual void SlowDown(std::int32_t factor, std::int32_t seconds);                       // 20
  virtual void EndSlowDown();                                                              // 21
  virtual void ReleaseImages(int flag);                                                    // 22
  virtual Result LoadImages(int flag);                                                     // 23

  // Non-virtual helpers.
  void SetCell(std::int32_t x, std::int32_t y);
  void SetPosition(Vec8 position);
  void SnapToAllowedAngle();
  // Probes the cells under position + each offset (in cells). Answers 1 and the average of the counted
  // points (8.8) when any point counts for this object's ground, else 0.
  int ContactProbe(const CellGrid& grid, const std::vector<config::Point>& points, Vec8* centre);
  static bool CircleHitsCircle(const FieldObject& a, const FieldObject& b);
  // Whole cells; on a hit `sides` gets the side of the rectangle the circle is on.
  static bool CircleHitsRect(const FieldObject& circle, const FieldObject& rect, std::uint32_t* sides);
  static bool RectHitsRect(const FieldObject& a, const FieldObject& b);

  // The world this object lives in (set by the world when it creates the object); may be null in tests.
  void AttachWorld(GameWorld* world) { world_ = world; }
  GameWorld* World() const { return world_; }

  std::int32_t CellX() const { return position.x >> 8; }
  std::int32_t CellY() const { return position.y >> 8; }

  // State, public as the kinds and the world read and write it freely.
  std::int32_t kindCode = -1;
  std::uint32_t definitionId = 0;
  const config::ConfigSection* definition = nullptr;
  std::u16string name;
  gfx::Rect drawRect;
  gfx::Rect absRect;
  std::int32_t figureKind = kFigureCircle;
  std::array<std::int32_t, 8> figureParams{};
  std::int32_t radius = 0;
  gfx::Rect figureRect;
  Vec8 position;
  Vec8 velocity;
  std::int32_t speed = 0;
  std::int32_t savedSpeed = 0;
  bool slowed = false;
  std::int32_t slowTimer = -1;
  config::Point startPosition;
  double energy = 100.0;
  std::int32_t aiLevel = 1;
  std::int32_t moveOn = kMoveOnOpen;
  std::int32_t testFill = 1;
  bool process = false;
  bool collide = false;
  bool dead = false;
  bool removed = false;
  std::int32_t opacity = 255;
  std::int32_t fadeMin = 0;
  std::int32_t fadeStep = 15;
  std::int32_t opacityAtRespawn = 255;
  std::uint32_t deathColour = 0;
  gfx::Sprite* sprite = nullptr;       // chosen by the kind
  gfx::Sprite* alphaSprite = nullptr;  // chosen by the kind
  gfx::Sprite blowSprite;
  gfx::Sprite blowAlpha;
  gfx::Rect blowRect;
  std::array<std::int32_t, 4> blowAnim{};
  bool hasBlowAnim = false;
  gfx::Sprite markSprite;
  gfx::Sprite markAlpha;
  gfx::Rect markRect;
  std::vector<std::int32_t> allowedAngles;
  FieldObject* lastHit = nullptr;
  config::Point lastFillTest{-1, -1};

 protected:
  // The pack that holds the first of `ids` that is not 0, looked up once and remembered.
  config::ResourcePack* PackOf(std::initializer_list<std::uint32_t> ids);

 private:
  Result DrawFrame(gfx::Surface& surface, std::int32_t x, std::int32_t y);
  void AdvanceSlowDown();

  GameWorld* world_ = nullptr;
  config::ResourcePack* pack_ = nullptr;
  std::uint32_t blowImageId_ = 0, blowAlphaId_ = 0, markImageId_ = 0, markAlphaId_ = 0;
  gfx::Surface scratch_;  // the colourised frame of a dead object
};

}  // namespace zelph::game
