// The game screen as the screen controller sees it: what it needs to be built, the signals it raises, and
// how it hands the stylus to the head.
#include "screens/game_screen.h"

#include <gtest/gtest.h>

#include "config/resources.h"
#include "game/world_fixture.h"
#include "gfx/blit.h"
#include "gfx/gfx_result.h"
#include "objects/object_kinds.h"
#include "objects/player.h"
#include "ui/control_tree.h"

namespace zelph::screens {
namespace {

using game::test::kBox;

// Stands in for the main window: records what the game screen tells it.
class MainWindow : public ui::Control {
 public:
  Result Notify(std::uint32_t code, std::intptr_t, std::uint32_t) override {
    codes.push_back(code);
    return ui::kConsumed;
  }
  std::vector<std::uint32_t> codes;
};

class GameScreenTest : public game::test::WorldTest {
 protected:
  void SetUp() override {
    WorldTest::SetUp();
    objects::RegisterObjectKinds(game::ObjectFactory::Global());
    ui::ResetControlGlobals();
    ASSERT_EQ(back.CreateSurface(gfx::kCreateClear, 640, 480), S_OK);
    ui::SetBackSurface(&back);
  }
  void TearDown() override {
    screen.reset();
    main.reset();
    ui::ResetControlGlobals();
    ui::SetBackSurface(nullptr);
    config::GuiDocument().Clear();
    config::GameDocument().Clear();
    WorldTest::TearDown();
  }

  void Gui(const std::string& text) {
    std::vector<std::uint8_t> ino;
    std::string error;
    ASSERT_TRUE(config::CompileInoText(text, ino, error)) << error;
    ASSERT_GE(config::GuiDocument().LoadMemory(std::move(ino)), 0);
  }

  // The GUI's bar and board, and a level whose head (protected for no time) starts on the top border.
  void Build(const std::string& allLevels = "[all_levels]\ndif1_level=1 0 0 0\nstart_lifes=1\n") {
    Gui("[game_menu_top]\nrect=0 0 640 40\nback_img=0x01020001\nscore_rect=100 5 100 30\n"
        "lifes_rect=400 5 100 30\n[next_level_wnd]\nrect=160 160 100 60\nimg=0x01020004\ntext_center=210 190\n");
    std::vector<std::uint8_t> ino;
    std::string error;
    ASSERT_TRUE(config::CompileInoText(
        std::string(game::test::kLayout) + "laser_death_time=1\n" + allLevels +
            Level(1, 1, kBox + std::string("enemy_count=1\nen_1_ID=1\nen_1_xy=100 0\n")) +
            "[enemy]\nID=1\ntype=999999\nrect=-2 -2 5 5\ncut_rect=-2 -2 5 5\naprox_figure=20000\n"
            "speed_rand=1 1\nmove_on=3\ncollide=1\nprocess_cur_state=1\ntest_fill_flag=0\nunbreakable_param=0 10\n",
        ino, error))
        << error;
    ASSERT_GE(config::GameDocument().LoadMemory(std::move(ino)), 0);
    main = std::make_unique<MainWindow>();
    main->Create(1, ui::Rect{0, 0, 640, 480}, nullptr, 0);
    screen = std::make_unique<GameScreen>();
    ASSERT_EQ(screen->Create(kGameScreenId, ui::Rect{0, 0, 640, 480}, main.get(), 0), S_OK);
  }

  objects::Player& Head() { return static_cast<objects::Player&>(*screen->world.player); }

  gfx::Surface back;
  std::unique_ptr<MainWindow> main;
  std::unique_ptr<GameScreen> screen;
};

TEST_F(GameScreenTest, NeedsTheGuiPackAndTheBarsSection) {
  GameScreen bare;
  EXPECT_EQ(bare.Create(kGameScreenId, ui::Rect{0, 0, 640, 480}, nullptr, 0), gfx::GFX_E_NO_RESOURCE);
  Gui("[other]\nx=1\n");
  game::GameWorld world2;
  TopBar bar(world2);
  EXPECT_EQ(bar.CreateBar(kTopBarId, nullptr, nullptr, 0), gfx::GFX_E_BAD_IMAGE);
  config::GuiDocument().Clear();
  Gui("[game_menu_top]\nrect=0 0 640 40\nback_img=0x0102FFFF\n");
  TopBar noPicture(world2);
  EXPECT_EQ(noPicture.CreateBar(kTopBarId, nullptr, nullptr, 0), gfx::GFX_E_GENERIC);
}

TEST_F(GameScreenTest, TheLastLifeLostEndsTheGameInThatFrame) {
  Build();
  ASSERT_EQ(screen->NewGame(1, 1), S_OK);
  EXPECT_EQ(screen->world.lives, 1);
  for (int i = 0; i < 5; ++i) ui::TickTree(*main, 0);
  EXPECT_EQ(screen->topBar.LivesLabel().text, u"x1");
  Head().KeyDown(objects::kDirDown);
  for (int i = 0; i < 20; ++i) ui::TickTree(*main, 0);
  Head().Die();
  int frames = 0;
  while (screen->world.lives > 0 && frames < 200) {
    ui::TickTree(*main, 0);
    ++frames;
    if (screen->world.lives > 0) EXPECT_TRUE(main->codes.empty()) << frames;
  }
  ASSERT_EQ(screen->world.lives, 0);
  ASSERT_EQ(main->codes.size(), 1u) << "raised in the frame the life went";
  EXPECT_EQ(main->codes[0], kSignalGameOver);
  EXPECT_EQ(screen->topBar.LivesLabel().text, u"x0");
}

TEST_F(GameScreenTest, EscapeAsksForTheInGameMenuAsTheMenuButtonDoes) {
  Build();
  ASSERT_EQ(screen->NewGame(1, 1), S_OK);
  ui::SetKeyFocus(screen.get());
  ui::RouteKeyDown(*main, 27, gfx::KeyList{});
  EXPECT_EQ(main->codes, (std::vector<std::uint32_t>{kMenuButtonId}));
}

TEST_F(GameScreenTest, WhatASmallFieldDoesNotCoverIsBlackNotTheScreenBefore) {
  Build();
  ASSERT_EQ(screen->NewGame(1, 1), S_OK);
  gfx::FillRect(back, nullptr, 0xFFFFFF);  // what a menu left behind
  ui::DrawTree(*main, back, 0, 0, ui::Rect{0, 0, 640, 480});
  gfx::Color beside = 1, field = 0;
  back.GetPixel(500, 300, &beside);
  back.GetPixel(150, 100, &field);
  EXPECT_EQ(beside, 0u) << "beside the field";
  EXPECT_NE(field, 0u) << "the field itself";
}

TEST_F(GameScreenTest, TheLevelIsWonFromTheThirdFrameAfterTheCapture) {
  Build();
  ASSERT_EQ(screen->NewGame(1, 1), S_OK);
  screen->world.passPercent = 3;  // the borders alone are 2 percent
  screen->world.grid.At(50, 50) = game::CELL_FILLED;
  for (int x = 0; x < 200; ++x) screen->world.grid.At(x, 40) = game::CELL_FILLED;
  screen->world.UpdateScore();
  ASSERT_GE(screen->world.percent, 3);
  for (int frame = 1; frame <= 3; ++frame) {
    ui::DrawTree(*main, back, 0, 0, ui::Rect{0, 0, 640, 480});
    EXPECT_EQ(main->codes.size(), frame < 3 ? 0u : 1u) << frame;
  }
  EXPECT_EQ(main->codes.back(), kCommandLevelWon);
  EXPECT_GT(screen->world.score, 0);
  ui::TickTree(*main, 0);
  const std::string digits = std::to_string(screen->world.score);
  EXPECT_EQ(screen->topBar.ScoreLabel().text, std::u16string(digits.begin(), digits.end()));
}

TEST_F(GameScreenTest, TheStylusSteersOnlyInsideItsRectangleInCells) {
  Build();
  ASSERT_EQ(screen->NewGame(1, 1), S_OK);
  // "stylus_rect" 0 0 300 200, the field at 10 20 of the composed picture at 0 0.
  EXPECT_EQ(ui::RouteStylusDown(*main, 310, 100), ui::kHandled);
  EXPECT_FALSE(Head().stylusPressed) << "outside the rectangle";
  ui::RouteStylusDown(*main, 300, 200);
  EXPECT_TRUE(Head().stylusPressed) << "its edges count";
  EXPECT_EQ(Head().stylusPoint, (config::Point{290, 180}));
}

}  // namespace
}  // namespace zelph::screens
