// The rules every field object shares: what its definition gives it, its first heading, snapping to
// allowed angles, collision figures, ground, slowing down and being killed.
#include <gtest/gtest.h>

#include <cmath>

#include "gfx/gfx_result.h"
#include "world_fixture.h"

namespace zelph::game::test {
namespace {

class FieldObjectRules : public WorldTest {
 protected:
  // An object made from a definition whose common keys are followed by `extra`.
  std::unique_ptr<FieldObject> Make(const std::string& extra, std::int32_t x = 10, std::int32_t y = 10) {
    document.Clear();
    Document(Enemy(1, extra), false);
    auto pin = std::make_unique<Pin>();
    if (Failed(pin->Init(*document.FindSection("enemy"), x, y))) return nullptr;
    return pin;
  }

  // An object with a rectangle figure (x, y, width, height) at cell (cx, cy).
  std::unique_ptr<FieldObject> MakeBox(int x, int y, int w, int h, std::int32_t cx = 10, std::int32_t cy = 10) {
    document.Clear();
    Document("[enemy]\nID=5\nrect=0 0 4 4\naprox_figure=20001\naprox_figure_param=" + std::to_string(x) + " " +
                 std::to_string(y) + " " + std::to_string(w) + " " + std::to_string(h) + " 0 0 0 0\n",
             false);
    auto pin = std::make_unique<Pin>();
    if (Failed(pin->Init(*document.FindSection("enemy"), cx, cy))) return nullptr;
    return pin;
  }

  static double Degrees(Vec8 v) {
    double a = std::atan2(v.y, v.x) * 180 / 3.14159265358979;
    return a < 0 ? a + 360 : a;
  }
};

TEST_F(FieldObjectRules, TheDefinitionGivesSpeedGroundAndDefaults) {
  auto o = Make("speed_rand=4 4\n");
  ASSERT_TRUE(o);
  EXPECT_EQ(o->speed, 4 * 256);
  EXPECT_EQ(o->moveOn, kMoveOnOpen);
  EXPECT_EQ(o->testFill, 1);
  EXPECT_EQ(o->opacity, 255);
  EXPECT_EQ(o->fadeStep, 15);
  EXPECT_EQ(o->absRect, (gfx::Rect{5, 5, 15, 15}));
  EXPECT_EQ(o->radius, 5);
  EXPECT_EQ(Make("")->speed, 3 * 256) << "absent speed_rand";
  EXPECT_EQ(Make("move_on=7\n")->moveOn, kMoveOnOpen);
  EXPECT_EQ(Make("move_on=3\n")->moveOn, kMoveAnywhere);
  for (int i = 0; i < 200; ++i) {
    const std::int32_t s = Make("speed_rand=2 6\n")->speed;
    EXPECT_EQ(s % 256, 0) << "whole pixels per frame";
    EXPECT_GE(s, 2 * 256);
    EXPECT_LE(s, 5 * 256) << "6 only when the generator gives its maximum";
  }
  auto box = MakeBox(-3, -2, 6, 4);
  ASSERT_TRUE(box);
  EXPECT_EQ(box->figureKind, kFigureRect);
  EXPECT_EQ(box->figureRect, (gfx::Rect{-3, -2, 3, 2}));
}

TEST_F(FieldObjectRules, ADefinitionWithoutFigureOrRectangleMakesNothing) {
  document.Clear();
  Document("[enemy]\nID=1\nrect=0 0 4 4\n[enemy]\nID=2\naprox_figure=20000\n"
           "[enemy]\nID=3\nrect=0 0 4 4\naprox_figure=12345\n", false);
  for (int i = 0; i < 3; ++i) {
    Pin pin;
    const config::ConfigSection* def = document.SectionAt(i);
    ASSERT_NE(def, nullptr);
    EXPECT_EQ(pin.Init(*def, 1, 1), gfx::GFX_E_GENERIC) << i;
  }
}

TEST_F(FieldObjectRules, TheFirstHeadingHasTheSpeedAndNeverGoesLeftAndUp) {
  for (int i = 0; i < 500; ++i) {
    auto o = Make("speed_rand=5 5\n");
    const double length = std::hypot(o->velocity.x, o->velocity.y);
    EXPECT_NEAR(length, 5 * 256, 13) << "within the rounding of 8.8 directions";
    EXPECT_FALSE(o->velocity.x < 0 && o->velocity.y < 0) << o->velocity.x << "," << o->velocity.y;
  }
}

TEST_F(FieldObjectRules, AllowedAnglesTakeTheNearestTheFirstOfEqualOnes) {
  auto o = Make("speed_rand=4 4\nalow_grad_arr=4 45 135 225 315\n");
  auto at = [&](double degrees) {
    o->velocity = {static_cast<std::int32_t>(std::lround(1024 * std::cos(degrees * 3.14159265358979 / 180))),
                   static_cast<std::int32_t>(std::lround(1024 * std::sin(degrees * 3.14159265358979 / 180)))};
    o->SnapToAllowedAngle();
    return Degrees(o->velocity);
  };
  EXPECT_NEAR(at(100), 135, 0.5);
  EXPECT_NEAR(at(90), 45, 0.5) << "90 is as far from 45 as from 135";
  EXPECT_NEAR(at(350), 315, 0.5) << "no wrapping at 360";
  EXPECT_NEAR(at(200), 225, 0.5);
  EXPECT_NEAR(std::hypot(o->velocity.x, o->velocity.y), 1024, 10) << "the speed is kept, within 8.8 rounding";
  auto free = Make("speed_rand=4 4\n");
  free->velocity = {100, 7};
  free->SnapToAllowedAngle();
  EXPECT_EQ(free->velocity, (Vec8{100, 7})) << "no list, no change";
}

TEST_F(FieldObjectRules, CirclesTouchOnlyWhenCloserThanTheirRadii) {
  auto a = Make(""), b = Make("");
  a->SetPosition({0, 0});
  b->SetPosition({10 * 256, 0});
  EXPECT_FALSE(FieldObject::CircleHitsCircle(*a, *b)) << "exactly 10 cells apart";
  b->SetPosition({10 * 256 - 3, 0});
  EXPECT_TRUE(FieldObject::CircleHitsCircle(*a, *b)) << "9.99 cells apart";
  b->moveOn = kMoveOnFilled;
  EXPECT_FALSE(FieldObject::CircleHitsCircle(*a, *b)) << "different ground never meets";
  b->moveOn = kMoveAnywhere;
  EXPECT_TRUE(FieldObject::CircleHitsCircle(*a, *b));
}

TEST_F(FieldObjectRules, ACircleTouchingARectanglesCornerAtItsRadiusHits) {
  auto ball = Make("", 0, 0);
  auto box = MakeBox(0, 0, 10, 10, 20, 20);
  std::uint32_t sides = 0;
  ball->SetCell(17, 16);  // 3 left and 4 above the corner: 5 away
  EXPECT_TRUE(FieldObject::CircleHitsRect(*ball, *box, &sides));
  EXPECT_EQ(sides, kSideLeft) << "the horizontal side wins";
  ball->SetCell(16, 16);
  EXPECT_FALSE(FieldObject::CircleHitsRect(*ball, *box, &sides));
  ball->SetCell(25, 15);
  EXPECT_TRUE(FieldObject::CircleHitsRect(*ball, *box, &sides));
  EXPECT_EQ(sides, kSideAbove);
  ball->SetCell(36, 25);
  EXPECT_FALSE(FieldObject::CircleHitsRect(*ball, *box, &sides)) << "6 right of the right edge";
  auto other = MakeBox(0, 0, 5, 5, 30, 30);
  EXPECT_TRUE(FieldObject::RectHitsRect(*box, *other)) << "touching edges count";
  other->SetCell(31, 30);
  EXPECT_FALSE(FieldObject::RectHitsRect(*box, *other));
}

TEST_F(FieldObjectRules, GroundAnObjectMayStandOn) {
  CellGrid grid;
  grid.Create(10, 10, CELL_OPEN);
  grid.At(2, 2) = CELL_FILLED;
  grid.At(3, 3) = CELL_OPEN | CELL_CUT;
  gfx::Surface none;
  auto o = Make("", 2, 2);
  EXPECT_TRUE(o->OnForbiddenGround(grid, none));
  o->SetCell(3, 3);
  EXPECT_FALSE(o->OnForbiddenGround(grid, none)) << "the cut is still open ground";
  o->moveOn = kMoveOnFilled;
  EXPECT_TRUE(o->OnForbiddenGround(grid, none));
  o->SetCell(20, 3);
  EXPECT_FALSE(o->OnForbiddenGround(grid, none)) << "off the grid";
  o->SetCell(3, 3);
  o->dead = true;
  EXPECT_FALSE(o->OnForbiddenGround(grid, none)) << "the dead stay until their fade ends";
  o->removed = true;
  EXPECT_TRUE(o->OnForbiddenGround(grid, none));
}

TEST_F(FieldObjectRules, SlowingDownScalesTheVelocityAndEndsOnTime) {
  auto o = Make("speed_rand=4 4\n");
  o->velocity = {1024, 0};
  o->SlowDown(128, 1);
  EXPECT_EQ(o->speed, 512);
  EXPECT_EQ(o->velocity, (Vec8{512, 0}));
  o->SlowDown(128, 2);
  EXPECT_EQ(o->speed, 512) << "a second slow-down only re-arms the timer";
  EXPECT_EQ(o->slowTimer, 60);
  CellGrid grid;
  grid.Create(20, 20, CELL_OPEN);
  for (int i = 0; i < 60; ++i) o->Update(grid, kUpdateAll);
  EXPECT_TRUE(o->slowed) << "two seconds of frames";
  o->Update(grid, kUpdateAll);
  EXPECT_FALSE(o->slowed);
  EXPECT_EQ(o->speed, 1024);
  EXPECT_EQ(o->velocity, (Vec8{1024, 0}));
  EXPECT_EQ(o->slowTimer, -1);
}

TEST_F(FieldObjectRules, KillingRespectsImmunityAndSparing) {
  auto o = Make("");
  EXPECT_EQ(o->Kill(kKillImmune), S_OK);
  EXPECT_FALSE(o->dead);
  EXPECT_EQ(o->Kill(kKillSpareHitter), gfx::GFX_E_GENERIC);
  EXPECT_TRUE(o->dead);
  auto p = Make("");
  EXPECT_EQ(p->Kill(0), S_OK);
  EXPECT_TRUE(p->dead);
}

TEST_F(FieldObjectRules, ADeathMarkIsStampedIntoTheFieldWhereTheObjectDied) {
  Document(Level(1, 1, kBox + std::string("enemy_count=1\nen_1_ID=1\nen_1_xy=50 50\n")) +
           Enemy(1, "death_mark_img=0x01020004\ndeath_mark_rect=-2 -2 4 4\n"));
  ASSERT_EQ(Load(), S_OK);
  ASSERT_EQ(world.objects.size(), 1u);
  EXPECT_EQ(world.objects[0]->Kill(0), S_OK);
  EXPECT_EQ(TexturePixel(48, 48), gfx::ColorToPixel(0x0000FF));
  EXPECT_EQ(TexturePixel(51, 51), gfx::ColorToPixel(0x0000FF));
  EXPECT_EQ(TexturePixel(52, 52), gfx::ColorToPixel(kWood));
  EXPECT_EQ(world.composed.Row(world.gameField.top + 48)[world.gameField.left + 48], gfx::ColorToPixel(0x0000FF));
}

TEST_F(FieldObjectRules, ADeadObjectIsDrawnInItsDeathColourAndFades) {
  auto o = Make("death_color=0 0 255\n", 20, 20);
  gfx::Sprite picture;
  ASSERT_EQ(picture.Load(config::GlobalPackList().FindPack(kMarkId), kMarkId), S_OK);  // 4 x 4 red
  o->sprite = &picture;
  gfx::Surface screen;
  ASSERT_EQ(screen.CreateSurface(gfx::kCreateClear, 64, 64), S_OK);
  auto at = [&](int x, int y) { return gfx::PixelToColor(screen.Row(y)[x]); };
  ASSERT_EQ(o->Draw(screen, 0, 0), S_OK);
  EXPECT_EQ(at(15, 15), gfx::PixelToColor(gfx::ColorToPixel(0x0000FF)) & 0xF8FCF8) << "alive: its own red";
  o->dead = true;
  screen = gfx::Surface();
  ASSERT_EQ(screen.CreateSurface(gfx::kCreateClear, 64, 64), S_OK);
  ASSERT_EQ(o->Draw(screen, 0, 0), S_OK);
  const gfx::Color dead = at(15, 15);
  EXPECT_GT((dead >> 16) & 0xFF, dead & 0xFF) << "a red picture drawn towards blue";
  o->opacity = 0;
  screen = gfx::Surface();
  ASSERT_EQ(screen.CreateSurface(gfx::kCreateClear, 64, 64), S_OK);
  ASSERT_EQ(o->Draw(screen, 0, 0), S_OK);
  EXPECT_EQ(at(15, 15), 0u) << "faded out";
}

TEST_F(FieldObjectRules, CollisionMemoryIgnoresTheSamePartnerTwice) {
  auto a = Make(""), b = Make("");
  EXPECT_EQ(a->OnCollision(b.get(), 0), S_OK);
  EXPECT_EQ(a->lastHit, b.get());
  EXPECT_EQ(a->OnCollision(b.get(), 0), gfx::GFX_E_GENERIC);
  EXPECT_EQ(a->OnCollision(nullptr, 0), gfx::GFX_E_GENERIC);
  EXPECT_EQ(a->Collide(b.get(), 0), 1);
  EXPECT_EQ(a->Collide(a.get(), 0), 0);
}

}  // namespace
}  // namespace zelph::game::test
