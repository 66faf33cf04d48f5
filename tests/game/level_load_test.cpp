// Choosing and building a level from the game document, and walking a game's levels.
#include <gtest/gtest.h>

#include "game/level_walk.h"
#include "gfx/gfx_result.h"
#include "world_fixture.h"

namespace zelph::game::test {
namespace {

using LevelLoad = WorldTest;

TEST_F(LevelLoad, TheFirstOfTwoLevelsWithTheSameNumberIsUsed) {
  Document(Level(1, 1, "pass_percent=60\n") + Level(1, 1, "pass_percent=70\n") + Level(1, 2, ""));
  ASSERT_EQ(Load(1, 1), S_OK);
  EXPECT_EQ(world.passPercent, 60);
  ASSERT_EQ(Load(1, 2), S_OK);
  EXPECT_EQ(world.passPercent, 80) << "absent pass_percent";
  EXPECT_EQ(world.percentPrice, 1);
  EXPECT_EQ(Load(2, 1), gfx::GFX_E_GENERIC) << "no such level";
}

TEST_F(LevelLoad, TheGridTakesTheTexturesSizeAndStartsOpen) {
  Document(Level(1, 1, kBox) + "[level]\ndifficulty=1\nlevel_num=2\nback_img=0x01020001\ntexture_img=0x01020003\n");
  ASSERT_EQ(Load(1, 1), S_OK);
  EXPECT_EQ(world.grid.Width(), 200);
  EXPECT_EQ(world.grid.Height(), 100);
  EXPECT_EQ(Count(CELL_FILLED), 596) << "the fill starts on a border and takes nothing";
  EXPECT_EQ(world.percent, 2);
  EXPECT_EQ(world.initialPercent, 2);
  EXPECT_EQ(world.composed.Width(), 220) << "back_dc_rect cut down to the back picture";
  EXPECT_EQ(world.composed.Height(), 130);
  ASSERT_EQ(Load(1, 2), S_OK);
  EXPECT_EQ(world.percent, 100) << "without borders the fill from (0, 0) takes the whole field";
  EXPECT_EQ(world.grid.Width(), 150) << "a texture smaller than game_field";
  EXPECT_EQ(world.grid.Height(), 60);
  EXPECT_EQ(world.gameField, (gfx::Rect{10, 20, 160, 80}));
}

TEST_F(LevelLoad, EveryRequiredPieceMissingFailsTheLoad) {
  for (const char* key : {"back_dc_rect", "game_field", "stylus_rect", "bott_rect", "level_pass_rect"}) {
    std::string layout = kLayout;
    const auto at = layout.find(key);
    layout.erase(at, layout.find('\n', at) - at + 1);
    document.Clear();
    Document(layout + Level(1, 1, ""), false);
    world.Reset();
    EXPECT_EQ(world.LoadFieldLayout(document.FindSection("game_filed")), gfx::GFX_E_GENERIC) << key;
  }
  world.Reset();
  EXPECT_EQ(world.LoadFieldLayout(nullptr), gfx::GFX_E_GENERIC);

  document.Clear();
  Document("[level]\ndifficulty=1\nlevel_num=1\ntexture_img=0x01020002\n"
           "[level]\ndifficulty=1\nlevel_num=2\nback_img=0x01020001\ntexture_img=0x0102FFFF\n"
           "[level]\ndifficulty=1\nlevel_num=3\nback_img=0x01020001\ntexture_img=0x01020004\n");
  EXPECT_EQ(Load(1, 1), gfx::GFX_E_GENERIC) << "no back picture";
  EXPECT_EQ(Load(1, 2), gfx::GFX_E_GENERIC) << "a texture that is not in the pack";
  EXPECT_EQ(Load(1, 3), S_OK) << "a 4 x 4 texture is small, not empty";
  EXPECT_EQ(world.grid.Width(), 4);
}

TEST_F(LevelLoad, PlacedObjectsSkipWhatCannotBeMade) {
  Document(Level(1, 1,
                 "enemy_count=6\n"
                 "en_1_ID=0\nen_1_xy=50 50\n"   // skipped
                 "en_2_ID=77\nen_2_xy=50 50\n"  // no such definition
                 "en_3_ID=1\nen_3_xy=60 40\n"
                 "en_4_ID=2\nen_4_xy=60 40\n"   // type 0
                 "en_5_ID=3\nen_5_xy=60 40\n"   // type 123
                 "en_6_ID=4\nen_6_xy=60 40\n")  // no collision figure
           + Enemy(1, "") + Enemy(2, "").replace(Enemy(2, "").find("type=100000"), 11, "type=0") +
           Enemy(3, "").replace(Enemy(3, "").find("type=100000"), 11, "type=123") +
           "[enemy]\nID=4\ntype=100000\nrect=0 0 4 4\n");
  ASSERT_EQ(Load(), S_OK);
  ASSERT_EQ(world.objects.size(), 1u);
  EXPECT_EQ(world.objects[0]->definitionId, 1u);
  EXPECT_EQ(world.objects[0]->CellX(), 60);
  EXPECT_EQ(world.objects[0]->CellY(), 40);
  EXPECT_EQ(static_cast<Pin*>(world.objects[0].get())->placedCalls, 1);
  EXPECT_EQ(world.player, nullptr);
}

TEST_F(LevelLoad, ANegativeCoordinateIsDrawnAtRandomOnTheGridAsItStandsThen) {
  // Objects are placed before the borders are drawn, on a grid that is still all open: an open-ground
  // object lands anywhere, a captured-ground one finds no allowed cell in ten draws and is left out.
  std::string placed = "enemy_count=21\n";
  for (int n = 1; n <= 20; ++n) placed += "en_" + std::to_string(n) + "_ID=1\nen_" + std::to_string(n) + "_xy=-1 70\n";
  placed += "en_21_ID=2\nen_21_xy=-1 -1\n";
  Document(Level(1, 1, kBox + placed) + Enemy(1, "") + Enemy(2, "move_on=1\n"));
  ASSERT_EQ(Load(), S_OK);
  ASSERT_EQ(world.objects.size(), 20u);
  std::int32_t lowest = 200, highest = -1;
  for (const auto& o : world.objects) {
    EXPECT_EQ(o->definitionId, 1u);
    EXPECT_EQ(o->CellY(), 70) << "its first position was allowed";
    lowest = std::min(lowest, o->CellX());
    highest = std::max(highest, o->CellX());
  }
  EXPECT_GE(lowest, 0);
  EXPECT_LE(highest, 200);
  EXPECT_GT(highest - lowest, 50) << "drawn, not fixed";
}

TEST_F(LevelLoad, PrizeRulesKeepTheirOrderAndDefaults) {
  Document(Level(1, 1, "prize_count=3\nprz_1_ID=9\nprz_2_ID=0\nprz_3_ID=0x10\nprz_3_rand=1 2 3 4\n"));
  ASSERT_EQ(Load(), S_OK);
  ASSERT_EQ(world.prizeRules.size(), 2u);
  EXPECT_EQ(world.prizeRules[0].id, 9);
  EXPECT_EQ(world.prizeRules[0].timer, -1);
  EXPECT_EQ(world.prizeRules[0].minDelay, 10);
  EXPECT_EQ(world.prizeRules[0].maxDelay, 60);
  EXPECT_EQ(world.prizeRules[0].maxAlive, 1);
  EXPECT_EQ(world.prizeRules[0].remaining, 1);
  EXPECT_EQ(world.prizeRules[1].id, 16);
  EXPECT_EQ(world.prizeRules[1].remaining, 4);
  world.Reset();
  EXPECT_TRUE(world.prizeRules.empty());
  EXPECT_TRUE(world.grid.Empty());
}

TEST_F(LevelLoad, HostileNumbersLoadOrFailWithoutHarm) {
  Document(Level(1, 1,
                 "borders_count=4\nline_1=-100000 -5 2000000000 70\nline_2=5 -2147483647 5 2147483647\n"
                 "line_3=-2147483647 -2147483647 2147483647 2147483647\nline_4=300 300 400 400\n"
                 "fugures_count=2\nfigure_1_pnt_xy=5000 5000\nfigure_2_pnt_xy=-1 -1\n"
                 "enemy_count=2000000000\nen_1_ID=1\nen_1_xy=2147483647 -2147483648\n"
                 "fill_start_pnt=-7 99999\n") +
           Enemy(1, "speed_rand=-2147483648 2147483647\naprox_figure_param=0 0 2147483647 0 0 0 0 0\n"));
  ASSERT_EQ(Load(), S_OK);
  EXPECT_EQ(world.objects.size(), 1u);
  EXPECT_EQ(world.grid.At(5, 0), CELL_FILLED) << "the column cut to the grid";
  EXPECT_EQ(world.grid.At(5, 99), CELL_FILLED);
  EXPECT_EQ(world.grid.At(50, 50), CELL_FILLED) << "the diagonal clipped onto the grid";
  EXPECT_EQ(world.grid.At(99, 99), CELL_FILLED);
  EXPECT_EQ(Count(CELL_FILLED), 199) << "the nearly flat line never crosses the grid";
}

// ---- walking the levels ----

class LevelWalkTest : public WorldTest {
 protected:
  void Levels(const std::string& allLevels, int count) {
    std::string text = allLevels;
    for (int n = 1; n <= count; ++n) text += Level(1, n, "");
    Document(text);
    walk.document = &document;
    walk.showLevelNumber = [this](std::int32_t n) { shown.push_back(n); };
    walk.readSavedGame = [this] { return saved; };
    walk.deleteSavedGame = [this] { saved.reset(); };
  }

  LevelWalk walk{world};
  std::vector<std::int32_t> shown;
  std::optional<SavedGame> saved;
};

TEST_F(LevelWalkTest, WithoutAllLevelsANewGameHasFiveLivesAndNoLastLevel) {
  Levels("", 6);
  world.score = 77;
  ASSERT_EQ(walk.NewGame(1, 1), S_OK);
  EXPECT_TRUE(walk.levelLoaded);
  EXPECT_EQ(world.lives, 5);
  EXPECT_EQ(world.score, 77) << "the score is left as it was";
  for (int n = 2; n <= 6; ++n) ASSERT_EQ(walk.NextLevel(), S_OK) << n;
  EXPECT_EQ(world.levelNumber, 6);
  EXPECT_EQ(walk.NextLevel(), gfx::GFX_E_GENERIC) << "no level 7 in the document";
  EXPECT_FALSE(walk.levelLoaded);
  EXPECT_EQ(shown, (std::vector<std::int32_t>{1, 2, 3, 4, 5, 6, 7}));
}

TEST_F(LevelWalkTest, ASavedGameBeyondTheLastLevelContinuesAtTheLast) {
  Levels("[all_levels]\ndif1_level=3 0 0 0\nstart_score=100\nstart_lifes=4\n", 5);
  saved = SavedGame{1, 5, 900, 2};
  ASSERT_EQ(walk.ContinueGame(), S_OK);
  EXPECT_EQ(world.levelNumber, 3);
  EXPECT_EQ(world.score, 900);
  EXPECT_EQ(world.lives, 2);
  EXPECT_EQ(world.levelStartLives, 2);
  world.score = 950;
  world.lives = 1;
  EXPECT_EQ(walk.NextLevel(), kNoFurtherLevel);
  EXPECT_EQ(walk.level, 3) << "nothing changes after the last level";
  EXPECT_EQ(world.levelNumber, 3);

  ASSERT_EQ(walk.NewGame(1, 9), S_OK);
  EXPECT_EQ(walk.level, 3) << "lowered to the last level";
  EXPECT_EQ(world.score, 100);
  EXPECT_EQ(world.lives, 4);
  EXPECT_FALSE(saved) << "a new game deletes the saved one";
  EXPECT_EQ(walk.ContinueGame(), gfx::GFX_E_GENERIC) << "nothing saved";
}

TEST_F(LevelWalkTest, TheNextLevelTakesTheScoreAndLivesAsItsStart) {
  Levels("[all_levels]\ndif1_level=2 0 0 0\nstart_lifes=3\n", 2);
  ASSERT_EQ(walk.NewGame(1, 1), S_OK);
  world.score = 40;
  world.lives = 2;
  ASSERT_EQ(walk.NextLevel(), S_OK);
  EXPECT_EQ(world.levelStartScore, 40);
  EXPECT_EQ(world.levelStartLives, 2);
  EXPECT_EQ(world.levelNumber, 2);
}

}  // namespace
}  // namespace zelph::game::test
