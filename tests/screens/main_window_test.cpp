// The screen controller as a state machine: commands go in as the screens send them, each draw runs the
// switch, and the test looks at the screen shown and the state.
#include "screens/main_window.h"

#include <gtest/gtest.h>

#include "config/user_settings.h"
#include "game/saved_game.h"
#include "game/world_fixture.h"
#include "gfx/key_input.h"
#include "objects/object_kinds.h"
#include "platform/home.h"
#include "screens/high_score_screens.h"
#include "screens/menu_screens.h"
#include "screens/screen_commands.h"
#include "screens/screen_rig.h"
#include "test_support/temp_dir.h"
#include "ui/control_tree.h"

namespace zelph::screens::test {
namespace {

class MainWindowTest : public ScreenRig {
 protected:
  void SetUp() override {
    ScreenRig::SetUp();
    objects::RegisterObjectKinds(game::ObjectFactory::Global());
    Add(game::test::kBackId, Solid(220, 130, {0x30C030}));
    Add(game::test::kTextureId, Solid(200, 100, {0x204080}));
    Build("[game_menu_top]\nrect=0 0 640 40\nback_img=0x01020001\nscore_rect=100 5 100 30\n"
          "lifes_rect=400 5 100 30\n[next_level_wnd]\nrect=160 160 100 60\nimg=0x01020001\ntext_center=210 190\n"
          "[intro_wnd]\nimage=0x309\n[add_hs_wnd]\nedit_rect=100 100 200 30\nedit_font=0x30A\nedit_font_a=0x30B\n" +
          Window("m_in_game_wnd") + Buttons({"m_in_game_playagain_btn", "m_in_game_back_btn"}) +
          Window("m_main_wnd") + Buttons({"m_main_newgame_btn"}));
    std::vector<std::uint8_t> ino;
    std::string error;
    ASSERT_TRUE(config::CompileInoText(std::string(game::test::kLayout) +
                                           "[all_levels]\ndif1_level=1 0 0 0\nstart_lifes=1\n"
                                           "[level]\ndifficulty=1\nlevel_num=1\nback_img=0x01020001\ntexture_img=0x01020002\n" +
                                           game::test::kBox,
                                       ino, error))
        << error;
    ASSERT_GE(config::GameDocument().LoadMemory(std::move(ino)), 0);
    settingsSource = config::UserSettingsDocument().AddEmptySource(false);
    platform::SetHomeDir(home.path());
  }
  void TearDown() override {
    main.reset();
    platform::SetHomeDir({});
    config::GameDocument().Clear();
    config::UserSettingsDocument().Clear();
    ScreenRig::TearDown();
  }

  void Create() {
    main = std::make_unique<MainWindow>();
    main->settingsSource = settingsSource;
    main->progressStep = [this] { ++steps; };
    main->reportScoreGain = [](std::int32_t) {};
    main->storeVolumes = [this](int sound, int music) { stored = {sound, music}; };
    ASSERT_EQ(main->Create(kMainWindowId, ui::Rect{0, 0, 640, 480}, nullptr, 0), S_OK);
  }
  // A command as a screen sends it, then the next frame's switch.
  void Command(std::int32_t code, std::uint32_t senderId = 0) {
    EXPECT_EQ(main->Notify(static_cast<std::uint32_t>(code), 0, senderId), ui::kConsumed) << code;
    main->Draw(back, 0, 0, main->rect);
  }
  std::uint32_t ShownId() const { return main->screen ? main->screen->id : 0; }
  void SaveGame(bool withParam) {
    const int index = config::UserSettingsDocument().AddSection(settingsSource, "game_save", 64);
    ASSERT_GE(index, 0);
    ASSERT_EQ(config::UserSettingsDocument().SectionAt(index)->SetString(withParam ? "param" : "other", "1 1 0 3"), 1);
  }
  void ToGame() {
    Command(kCmdIntroDone);
    Command(kCmdNewGame);
    ASSERT_EQ(main->screenState, kPlaying);
  }

  int settingsSource = -1;
  zelph::test::TempDir home;
  game::HighScoreTable table;
  int steps = 0;
  std::pair<int, int> stored{-1, -1};
  std::unique_ptr<MainWindow> main;
};

TEST_F(MainWindowTest, CreationTakesSevenStepsAndOpensTheIntro) {
  Create();
  EXPECT_EQ(steps, 7);
  EXPECT_EQ(main->screenState, kIntroShown);
  EXPECT_EQ(ShownId(), kIntroId);
  ASSERT_NE(main->gameScreen, nullptr);
  EXPECT_EQ(main->gameScreen->Parent(), main.get());
  EXPECT_FALSE(main->gameScreen->visible) << "not in play";

  config::GlobalPackList().Clear();
  MainWindow bare;
  EXPECT_EQ(bare.Create(kMainWindowId, ui::Rect{0, 0, 640, 480}, nullptr, 0), gfx::GFX_E_NO_RESOURCE);
}

TEST_F(MainWindowTest, TheIntroLeadsToTheContinueMenuOnlyWithASavedGameAndTheMainMenuForfeitsIt) {
  Create();
  SaveGame(false);
  Command(kCmdIntroDone);
  EXPECT_EQ(ShownId(), kMainMenuId) << "a game_save without param is no saved game";
  EXPECT_EQ(main->screenState, kMainMenuShown);

  Create();
  SaveGame(true);
  Command(kCmdIntroDone);
  EXPECT_EQ(ShownId(), kContinueMenuId);
  EXPECT_EQ(main->screenState, kContinueMenuShown);
  Command(kCmdContinueMainMenu);
  EXPECT_EQ(ShownId(), kMainMenuId);
  EXPECT_EQ(config::UserSettingsDocument().FindSection("game_save"), nullptr);
  EXPECT_FALSE(MainWindow::HasSavedGame());
  Command(kCmdContinue);
  EXPECT_EQ(ShownId(), kMainMenuId) << "continue without a saved game: the main menu";
}

TEST_F(MainWindowTest, OptionsReturnToTheScreenTheyWereOpenedFrom) {
  Create();
  ToGame();
  EXPECT_TRUE(main->gameScreen->visible);
  Command(kMenuButtonId);
  EXPECT_EQ(main->screenState, kInGameMenuShown);
  ui::Control* inGame = main->screen.get();
  ASSERT_NE(dynamic_cast<InGameMenuWindow*>(inGame), nullptr);
  EXPECT_FALSE(main->gameScreen->visible) << "paused: it no longer ticks";

  Command(kCmdInGameOptions);
  EXPECT_EQ(ShownId(), kOptionsId);
  EXPECT_EQ(main->hiddenScreen.get(), inGame);
  EXPECT_FALSE(inGame->visible);
  speaker->volumeMusics(3);
  Command(kCmdOptionsBack);
  EXPECT_EQ(main->screenState, kInGameMenuShown);
  EXPECT_EQ(main->screen.get(), inGame);
  EXPECT_TRUE(inGame->visible);
  EXPECT_FALSE(static_cast<InGameMenuWindow*>(inGame)->Buttons().front().button->visible)
      << "its buttons appear anew";
  EXPECT_EQ(stored, (std::pair<int, int>{64, 3}));

  Command(kCmdInGameBack);
  EXPECT_EQ(main->screenState, kPlaying);
  EXPECT_EQ(main->screen, nullptr);
  EXPECT_TRUE(main->gameScreen->visible);

  Command(kCmdInGameMainMenu);
  Command(kCmdOptions);
  Command(kCmdOptionsBack);
  EXPECT_EQ(main->screenState, kMainMenuShown);
  EXPECT_EQ(ShownId(), kMainMenuId);
}

TEST_F(MainWindowTest, AfterTheLastLevelTheLevelWonCommandOpensYouWinInOneFrame) {
  Create();
  ToGame();
  Command(kCommandLevelWon);
  EXPECT_EQ(main->screenState, kYouWinShown);
  EXPECT_EQ(ShownId(), kYouWinId);
  Command(kCmdWinNext);
  EXPECT_EQ(ShownId(), kMainMenuId) << "no high-score table yet: nothing qualifies";
}

TEST_F(MainWindowTest, GameOverLeadsToYouLoseOrTheHighScoreEntryAndQuitCommandsAskToQuit) {
  Create();
  ToGame();
  Command(static_cast<std::int32_t>(kSignalGameOver));
  EXPECT_EQ(ShownId(), kYouLoseId);
  Command(kCmdLosePlayAgain);
  EXPECT_EQ(main->screenState, kPlaying);
  main->highScores = &table;
  main->gameScreen->world.score = 100;
  Command(static_cast<std::int32_t>(kSignalGameOver));
  EXPECT_EQ(main->screenState, kAddHighScoreShown);

  for (std::int32_t code : {kCmdExit, kCmdContinueExit}) {
    main->request = 0;
    Command(code);
    EXPECT_EQ(main->request, ui::kRequestQuit) << code;
  }
  main->request = 0;
  Command(ui::kNotifyClicked, static_cast<std::uint32_t>(kCmdClose));
  EXPECT_EQ(main->request, ui::kRequestQuit);
  EXPECT_EQ(main->Notify(12345, 0, 0), ui::kPassOn);
}

TEST_F(MainWindowTest, OneEnterStoresOneEntryAndAnEmptyNameIsUnknown) {
  Create();
  main->highScores = &table;
  ToGame();
  main->gameScreen->world.score = 1500;
  Command(static_cast<std::int32_t>(kSignalGameOver));
  auto* entry = dynamic_cast<AddHighScoreWindow*>(main->screen.get());
  ASSERT_NE(entry, nullptr);
  ASSERT_NE(entry->field, nullptr);
  // The hardware enter key reaches the screen as a key and as a character before the next frame.
  for (char16_t c : std::u16string(u"Ann")) entry->field->Char(c, 0);
  entry->field->KeyDown(0, static_cast<std::uint32_t>(kHardwareEnter));
  entry->field->Char(static_cast<std::uint32_t>(kHardwareEnter), 0);
  main->Draw(back, 0, 0, main->rect);
  EXPECT_EQ(ShownId(), kMainMenuId);
  ASSERT_EQ(table.Entries().size(), 1u);
  EXPECT_EQ(table.Entries()[0].name, u"Ann");
  EXPECT_EQ(table.Entries()[0].score, 1500);
  EXPECT_EQ(main->request, kRequestSaveSettings) << "the new entry is written at once";
  EXPECT_NE(config::UserSettingsDocument().FindSection(game::kHighScoresSection), nullptr);

  // Nothing typed, and the OK button: "<unknown>".
  Command(kCmdNewGame);
  main->gameScreen->world.score = 700;
  Command(static_cast<std::int32_t>(kSignalGameOver));
  ASSERT_EQ(main->screenState, kAddHighScoreShown);
  Command(kCmdAddHighScoreOk);
  ASSERT_EQ(table.Entries().size(), 2u);
  EXPECT_EQ(table.Entries()[1].name, kUnknownName);
  Command(kCmdAddHighScoreOk);
  EXPECT_EQ(table.Entries().size(), 2u) << "an OK after the screen is gone stores nothing";
}

TEST_F(MainWindowTest, EachLevelStartKeepsTheSavedGameAndAGameOverLeavesNone) {
  Create();
  ToGame();
  EXPECT_EQ(main->request, kRequestSaveSettings) << "the record goes to disk as the level starts";
  const std::optional<game::SavedGame> saved = game::LoadSavedGame(config::UserSettingsDocument());
  ASSERT_TRUE(saved.has_value());
  EXPECT_EQ(saved->difficulty, 1);
  EXPECT_EQ(saved->level, 1);
  EXPECT_EQ(saved->lives, 1);

  Command(static_cast<std::int32_t>(kSignalGameOver));
  EXPECT_FALSE(MainWindow::HasSavedGame()) << "a lost game cannot be continued";
  main.reset();
  EXPECT_FALSE(MainWindow::HasSavedGame()) << "nor saved on exit";

  // A game still in play is saved by the window's end, with the values of its level's start.
  Create();
  ToGame();
  game::DeleteSavedGame(config::UserSettingsDocument());
  main->gameScreen->world.score = 480;
  main.reset();
  const std::optional<game::SavedGame> atExit = game::LoadSavedGame(config::UserSettingsDocument());
  ASSERT_TRUE(atExit.has_value());
  EXPECT_EQ(atExit->score, 0);
  EXPECT_EQ(atExit->lives, 1);
}

TEST_F(MainWindowTest, AKeyboardPlayerGoesFromTheIntroIntoPlayAndThroughTheInGameMenuBack) {
  Create();
  const gfx::KeyList keys = gfx::DesktopKeys();
  auto press = [&](std::uint32_t raw, int frames = 1) {
    ui::RouteKeyDown(*main, raw, keys);
    ui::RouteKeyUp(*main, raw, keys);
    for (int i = 0; i < frames; ++i) {
      ui::TickTree(*main, 0);
      main->Draw(back, 0, 0, main->rect);
    }
  };
  press(13);  // any key ends the intro
  EXPECT_EQ(main->screenState, kMainMenuShown);
  press(13, 3);  // the buttons are still appearing: nothing to press
  EXPECT_EQ(main->screenState, kMainMenuShown);
  for (int i = 0; i < 20; ++i) ui::TickTree(*main, 0);
  press(13, 3);  // New Game, the first button
  EXPECT_EQ(main->screenState, kPlaying);
  press(27);  // Escape: the in-game menu
  EXPECT_EQ(main->screenState, kInGameMenuShown);
  for (int i = 0; i < 20; ++i) ui::TickTree(*main, 0);
  press(27, 3);  // Escape there: back to the game
  EXPECT_EQ(main->screenState, kPlaying);
}

TEST_F(MainWindowTest, TheTestersShortcutStartsItsLevelThroughTheNewGameStateOnce) {
  Create();
  EXPECT_FALSE(main->StartNewGameAt(2, 1)) << "the fixture has no level of difficulty 2";
  EXPECT_EQ(main->screenState, kMainMenuShown);
  EXPECT_EQ(main->newGameDifficulty, 1);
  EXPECT_EQ(main->newGameLevel, 1) << "the menu's next New Game starts at the first level again";
  EXPECT_TRUE(main->StartNewGameAt(1, 1));
  EXPECT_EQ(main->screenState, kPlaying);
  EXPECT_EQ(main->gameScreen->world.difficulty, 1);
  EXPECT_EQ(ShownId(), 0u) << "the intro is gone";
  EXPECT_TRUE(main->gameScreen->visible);
}

TEST_F(MainWindowTest, TheSettingsAreSavedEvery600FramesAndTheBacklightRefreshedEvery300) {
  Create();
  int refreshes = 0;
  std::vector<int> saves, backlight;
  main->keepBacklightOn = [&] { ++refreshes; };
  for (int frame = 1; frame <= 1300; ++frame) {
    const int before = refreshes;
    main->Tick(0);
    if (refreshes != before) backlight.push_back(frame);
    if (main->request == kRequestSaveSettings) {
      saves.push_back(frame);
      main->request = 0;  // the application handled it
    }
    // Whatever is shown: the screens change on the way.
    if (frame == 700) Command(kCmdHighScores);
  }
  EXPECT_EQ(saves, (std::vector<int>{600, 1200}));
  EXPECT_EQ(backlight, (std::vector<int>{300, 600, 900, 1200}));
}

}  // namespace
}  // namespace zelph::screens::test
