// Every level of both builds, loaded through the game's own loader with the real object kinds: each can be
// won in principle, everything it names resolves, and a stretch of play with random steering runs cleanly.
#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <cctype>
#include <cmath>
#include <cstdio>
#include <set>
#include <string>
#include <string_view>
#include <vector>

#include "config/resources.h"
#include "game/cell_grid.h"
#include "game/game_world.h"
#include "game/head_object.h"
#include "game/object_factory.h"
#include "key_checks.h"
#include "objects/object_kinds.h"
#include "platform/random.h"
#include "shipped_packs.h"

namespace zelph::content {
namespace {

bool EndsWith(std::string_view text, std::string_view end) {
  return text.size() >= end.size() && text.substr(text.size() - end.size()) == end;
}

// Keys whose value is a picture identifier: "image", "image_a", "image_3_a", "cut_image", "ico_image",
// "back_img", "blow_img_a", "laser_death_image" ...
bool IsPictureKey(std::string_view key) {
  std::string k(key);
  if (EndsWith(k, "_a")) k.resize(k.size() - 2);
  while (!k.empty() && std::isdigit(static_cast<unsigned char>(k.back()))) k.pop_back();
  if (EndsWith(k, "_")) k.pop_back();
  return EndsWith(k, "image") || EndsWith(k, "img");
}

class ShippedLevels : public ShippedPacks {
 protected:
  void SetUp() override {
    ShippedPacks::SetUp();
    objects::RegisterObjectKinds(factory);
    world.SetFactory(&factory);
    const config::ConfigSection* all = document().FindSection("all_levels");
    ASSERT_NE(all, nullptr);
    std::array<std::int32_t, 4> dif1{};
    ASSERT_TRUE(all->GetQuad("dif1_level", dif1));
    levels = dif1[0];
  }
  void TearDown() override {
    world.Reset();
    ShippedPacks::TearDown();
  }

  static config::ConfigDocument& document() { return config::GameDocument(); }

  Result Load(int level) {
    world.Reset();
    if (Result r = world.LoadFieldLayout(document().FindSection("game_filed")); Failed(r)) return r;
    return world.LoadLevel(document(), 1, level);
  }

  // The "enemy" definition with the identifier, or null.
  static const config::ConfigSection* Definition(std::uint32_t id) {
    for (int i = document().FirstSection(); i >= 0; i = document().NextSection(i)) {
      const config::ConfigSection* s = document().SectionAt(i);
      if (std::string_view(s->Name()) == "enemy" && s->GetNumber("ID", 0) == id) return s;
    }
    return nullptr;
  }

  // Every picture, sound and font the section names loads.
  static void CheckResources(const config::ConfigSection& section) {
    for (std::string_view key : section.Keys()) {
      if (IsPictureKey(key)) CheckKey(document(), section, {std::string(key), Kind::kPicture});
      if (EndsWith(key, "_sound")) CheckKey(document(), section, {std::string(key), Kind::kSound});
      if (EndsWith(key, "_font_chars")) CheckKey(document(), section, {std::string(key), Kind::kCharSet});
    }
  }

  // The definitions a level places and spawns as prizes.
  static std::vector<std::uint32_t> DefinitionsOf(const config::ConfigSection& level) {
    std::vector<std::uint32_t> ids;
    for (auto [count, key] : {std::pair{"enemy_count", "en_%d_ID"}, {"prize_count", "prz_%d_ID"}}) {
      for (int n = 1; n <= level.GetInt(count, 0); ++n) {
        char name[32];
        std::snprintf(name, sizeof name, key, n);
        if (const std::uint32_t id = level.GetNumber(name, 0)) ids.push_back(id);
      }
    }
    return ids;
  }

  game::ObjectFactory factory;
  game::GameWorld world;
  int levels = 0;
};

TEST_P(ShippedLevels, AGameOfAtLeastTwentyLevelsStartsWithThreeLivesAndNoScore) {
  const config::ConfigSection* all = document().FindSection("all_levels");
  EXPECT_GE(levels, 20);
  EXPECT_EQ(all->GetInt("start_score", -1), 0);
  EXPECT_GE(all->GetInt("start_lifes", 0), 3);
  CheckResources(*document().FindSection("game_filed"));
}

TEST_P(ShippedLevels, EveryLevelLoadsAndCanBeWonInPrinciple) {
  std::set<std::uint32_t> backs;
  for (int n = 1; n <= levels; ++n) {
    SCOPED_TRACE("level " + std::to_string(n));
    ASSERT_EQ(Load(n), S_OK);
    const config::ConfigSection& level = *world.levelSection;
    EXPECT_GE(world.passPercent, 70);
    EXPECT_LE(world.passPercent, 85);
    EXPECT_GT(world.passPercent, world.initialPercent) << "the pass share lies above what the build captures";
    EXPECT_TRUE(backs.insert(world.backImageId).second) << "a back picture of its own";
    ASSERT_NE(world.player, nullptr) << "a head";
    EXPECT_TRUE(world.grid.At(world.player->CellX(), world.player->CellY()) & game::CELL_FILLED)
        << "the head starts on captured ground at " << world.player->CellX() << "," << world.player->CellY();
    // Objects at fixed places stand on ground their "move_on" allows (random ones are the loader's care).
    for (int e = 2; e <= level.GetInt("enemy_count", 0); ++e) {
      config::Point at{-1, -1};
      level.GetPoint("en_" + std::to_string(e) + "_xy", at);
      const config::ConfigSection* definition = Definition(level.GetNumber("en_" + std::to_string(e) + "_ID", 0));
      if (at.x < 0 || at.y < 0 || !definition) continue;
      ASSERT_TRUE(world.grid.Inside(at.x, at.y)) << "object " << e;
      const bool open = world.grid.At(at.x, at.y) & game::CELL_OPEN;
      const std::int32_t moveOn = definition->GetInt("move_on", 2);
      if (moveOn != 3 && definition->GetInt("type", -1) != game::kTypeStamp) {
        EXPECT_EQ(open, moveOn != 1) << "object " << e << " on ground it may not stand on at " << at.x << "," << at.y;
      }
    }
    CheckResources(level);
    for (std::uint32_t id : DefinitionsOf(level)) {
      const config::ConfigSection* definition = Definition(id);
      ASSERT_NE(definition, nullptr) << "no definition " << id;
      const std::int32_t type = definition->GetInt("type", -1);
      EXPECT_TRUE(factory.Knows(type)) << "definition " << id << " of type " << type << " has no kind";
      CheckResources(*definition);
    }
  }
}

// A ball's probe points sit on the rim of the ball its picture shows: inside the drawn frame and no nearer
// the centre than its figure, so it bounces where it is seen to touch.
TEST_P(ShippedLevels, BallProbesMatchTheirPicturesAndEveryMoverMoves) {
  for (int i = document().FirstSection(); i >= 0; i = document().NextSection(i)) {
    const config::ConfigSection& s = *document().SectionAt(i);
    if (std::string_view(s.Name()) != "enemy") continue;
    SCOPED_TRACE("definition " + std::to_string(s.GetNumber("ID", 0)));
    const std::int32_t type = s.GetInt("type", -1);
    std::vector<std::int32_t> speed;
    if (type == game::kTypeBall || type == game::kTypeHunter || type == game::kTypeShuttle ||
        type == game::kTypePlayer) {
      ASSERT_TRUE(s.GetIntList("speed_rand", speed));
      EXPECT_GE(speed.front(), 1) << "a speed that survives halving";
    }
    if (type != game::kTypeBall) continue;
    config::Rect rect{};
    ASSERT_TRUE(s.GetRect("rect", rect));
    std::array<std::int32_t, 8> figure{};
    ASSERT_TRUE(s.GetEightInts("aprox_figure_param", figure));
    const int lists = s.GetInt("frames_borders_count", 0);
    EXPECT_GE(lists, 1);
    for (int n = 1; n <= lists; ++n) {
      std::vector<config::Point> probe;
      ASSERT_TRUE(s.GetPointList("b_frame_" + std::to_string(n), probe));
      for (const config::Point& p : probe) {
        EXPECT_TRUE(p.x >= rect.left && p.x < rect.right && p.y >= rect.top && p.y < rect.bottom)
            << p.x << "," << p.y << " outside the picture";
        EXPECT_GE(std::hypot(p.x, p.y), figure[2] - 1.0) << p.x << "," << p.y << " inside the figure";
      }
    }
  }
}

// 600 frames of each level with the head steered at random from a fixed seed: nothing breaks (the sanitizer
// build watches), the head stays on the field, and every level can be played to a capture.
TEST_P(ShippedLevels, EveryLevelSurvivesSixHundredFramesOfRandomSteering) {
  gfx::Surface screen;
  ASSERT_EQ(screen.CreateSurface(gfx::kCreateClear, GetParam().width, GetParam().height), S_OK);
  int captured = 0, died = 0;
  for (int n = 1; n <= levels; ++n) {
    SCOPED_TRACE("level " + std::to_string(n));
    platform::SRand(static_cast<unsigned>(1000 + n));
    ASSERT_EQ(Load(n), S_OK);
    const std::int32_t start = world.percent;
    for (int frame = 0; frame < 600; ++frame) {
      if (world.player && frame % 12 == 0) world.player->KeyDown(1 + platform::Rand() % 4);
      world.Tick();
      if (frame % 25 == 0) {
        ASSERT_EQ(world.Draw(screen, 0, 0), S_OK);
        world.DrawBeam(screen, 0, 0);
      }
      ASSERT_NE(world.player, nullptr);
      ASSERT_TRUE(world.grid.Inside(world.player->CellX(), world.player->CellY()));
    }
    EXPECT_GE(world.percent, start);
    captured += world.percent > start;
    died += world.player->dying || world.lives < world.levelStartLives;
  }
  // The steering really plays: cuts close and capture land, and enemies catch the head now and then.
  EXPECT_GE(captured, levels / 2);
  EXPECT_GE(died, 1);
  std::printf("%d of %d levels captured land, the head was lost in %d\n", captured, levels, died);
}

// A patient player: from the bottom border it cuts straight up to the top border and back down again in
// strips a sixteenth of the field apart, left to right and then between the earlier strips, so every cut
// splits the land a ball is not in from the land it is in; before each cut it waits on the border until no
// enemy is near the strip, for a while. With the keys alone and at most fifteen lives (it is far clumsier than a
// person) it must win each of the first five levels, the ones a new player meets first.
TEST_P(ShippedLevels, TheFirstFiveLevelsAreWonByCuttingStripsWithTheKeys) {
  for (int n = 1; n <= 5; ++n) {
    SCOPED_TRACE("level " + std::to_string(n));
    platform::SRand(static_cast<unsigned>(2000 + n));
    ASSERT_EQ(Load(n), S_OK);
    world.lives = world.levelStartLives = 15;
    const std::int32_t w = world.grid.Width(), h = world.grid.Height();
    const std::int32_t top = h * 6 / 400, bottom = h - 1 - h * 6 / 400, step = w / 16;
    // The strips' columns: left to right, then again between the earlier ones, so that land a ball kept open
    // is split again.
    std::vector<std::int32_t> columns;
    for (int pass = 0; pass < 4; ++pass)
      for (std::int32_t c = step / 2 + pass * step / 4; c < w - step / 4; c += step) columns.push_back(c);
    std::size_t next = 0;
    std::int32_t column = columns[0], goal = bottom;  // the strip being cut, and the border it runs to
    bool won = false;
    int frame = 0, waited = 0;
    for (; frame < 9000 && world.lives > 0 && !won; ++frame) {
      game::HeadObject& head = *world.player;
      const std::int32_t x = head.CellX(), y = head.CellY();
      if (!head.dying) {
        // Along the border to the strip's column, then across the field to the other border.
        int key = 0;
        if (std::abs(x - column) > 2 && (y == top || y == bottom || y <= top + 2 || y >= bottom - 2)) {
          key = x < column ? 3 : 1;
        } else if (std::abs(y - goal) > 2) {
          const bool onBorder = y <= top + 2 || y >= bottom - 2;
          const bool enemyNear = std::any_of(world.objects.begin(), world.objects.end(), [&](const auto& o) {
            return o.get() != world.player && o->process && std::abs(o->CellX() - column) < w / 6;
          });
          // It waits three seconds at most: a ball shut in a narrow strip may never leave.
          waited = onBorder && enemyNear ? waited + 1 : 0;
          key = waited > 0 && waited < 90 ? 255 : (y < goal ? 4 : 2);
        } else {
          next = (next + 1) % columns.size();
          column = columns[next];
          goal = goal == bottom ? top : bottom;
        }
        if (key) head.KeyDown(key);
      }
      world.Tick();
      won = world.percent >= world.passPercent;
    }
    EXPECT_TRUE(won) << "captured " << world.percent << " of " << world.passPercent << " percent, "
                     << world.lives << " lives left after " << frame << " frames";
    std::printf("level %d won in %d frames, %d lives used\n", n, frame, 15 - world.lives);
  }
}

INSTANTIATE_TEST_SUITE_P(Builds, ShippedLevels, ::testing::Values(kVgaBuild, kQvgaBuild),
                         [](const auto& info) { return std::string(info.param.name); });

}  // namespace
}  // namespace zelph::content
