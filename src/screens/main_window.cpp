#include "screens/main_window.h"

#include <chrono>
#include <thread>
#include <utility>

#include "config/resources.h"
#include "config/user_settings.h"
#include "game/level_walk.h"
#include "screens/high_score_screens.h"
#include "screens/info_screens.h"
#include "screens/menu_screens.h"
#include "screens/result_screens.h"
#include "screens/screen_commands.h"
#include "sound/menu_click.h"
#include "sound/sound_globals.h"
#include "ui/pictures.h"

namespace zelph::screens {

namespace {

constexpr int kSwitchStepsPerCall = 4;  // the longest chain is next level -> you win
constexpr auto kProgressPause = std::chrono::milliseconds(10);

game::SavedGame RecordOf(const GameScreen& screen) {
  return {screen.walk.difficulty, screen.walk.level, screen.world.levelStartScore, screen.world.levelStartLives};
}

}  // namespace

MainWindow::MainWindow() {
  reportScoreGain = [](std::int32_t gain) {
    if (gain > 0) config::RecordPlugInAward(gain);
  };
  storeVolumes = [](int sound, int music) {
    config::WriteVolumes(static_cast<std::uint32_t>(sound), static_cast<std::uint32_t>(music));
  };
}

MainWindow::~MainWindow() {
  if (highScores) highScores->StoreScores(config::UserSettingsDocument(), settingsSource, config::ProgramDir());
  if (gameScreen) ReportScoreGain();
  music.Clear();
  CloseScreen();
  hiddenScreen.reset();
  gameScreen.reset();
  background.Reset(true);
}

void MainWindow::Step() {
  if (!progressStep) return;
  progressStep();
  std::this_thread::sleep_for(kProgressPause);
}

Result MainWindow::Create(std::uint32_t id, const ui::Rect& area, ui::Control* parent, std::uint32_t flags) {
  if (config::GlobalPackList().Count() == 0) return gfx::GFX_E_NO_RESOURCE;
  if (Result r = Control::Create(id, area, parent, flags | kScreenFlags); r < 0) return r;
  Step();
  section = ui::GuiSection("main_wnd");
  if (section) {
    backImageId = section->GetNumber("back_img", 0);
    if (backImageId != 0) ui::LoadPicture(background, ui::PackFor(backImageId), backImageId);
  }
  Step();
  if (highScores) highScores->LoadScores(config::UserSettingsDocument());
  Step();
  gameScreen = std::make_unique<GameScreen>();
  gameScreen->playGameMusic = [this] { music.PlayMusic(kGameMusic, 0, true, true); };
  gameScreen->saveGame = [this](GameScreen& played) {
    game::SaveGame(config::UserSettingsDocument(), settingsSource, RecordOf(played));
  };
  gameScreen->walk.readSavedGame = [] { return game::LoadSavedGame(config::UserSettingsDocument()); };
  gameScreen->walk.deleteSavedGame = [] { game::DeleteSavedGame(config::UserSettingsDocument()); };
  if (Result r = gameScreen->Create(kGameScreenId, rect, this, 0); r < 0) {
    gameScreen.reset();
    return r;
  }
  gameScreen->visible = false;
  Step();
  sound::LoadMenuClickSound("menu_btn_sound");
  music.AddMusic(kMenuMusic, "menu_music", false);
  music.AddMusic(kGameMusic, "game_music", false);
  PlayMenuMusic();
  Step();
  SetState(kOpenIntro);
  switchArmed = true;
  SwitchScreens();
  Step();
  Step();
  return S_OK;
}

bool MainWindow::HasSavedGame() { return game::HasSavedGame(config::UserSettingsDocument()); }

bool MainWindow::StartNewGameAt(std::int32_t difficulty, std::int32_t level) {
  if (!gameScreen) return false;
  newGameDifficulty = difficulty;
  newGameLevel = level;
  SetState(kStartNewGame);
  SwitchScreens();
  return screenState == kPlaying;
}

void MainWindow::SetState(std::int32_t state) {
  if (state == screenState) return;
  previousScreenState = screenState;
  screenState = state;
}

void MainWindow::CloseScreen() {
  if (!screen) return;
  screen->visible = false;
  screen.reset();
}

std::unique_ptr<ui::Control> MainWindow::MakeScreen(std::uint32_t screenId) {
  std::unique_ptr<ui::Control> made;
  switch (screenId) {
    case kIntroId:
      made = std::make_unique<IntroWindow>();
      break;
    case kOptionsId: {
      auto options = std::make_unique<OptionsWindow>();
      options->startMenuMusic = [this] { PlayMenuMusic(); };
      made = std::move(options);
      break;
    }
    case kInGameMenuId:
      made = std::make_unique<InGameMenuWindow>();
      break;
    case kInstructionsId:
      made = std::make_unique<InstructionsWindow>();
      break;
    case kYouLoseId:
      made = std::make_unique<YouLoseWindow>();
      break;
    case kYouWinId:
      made = std::make_unique<YouWinWindow>();
      break;
    case kHighScoresId:
      made = std::make_unique<HighScoresWindow>(highScores);
      break;
    case kAddHighScoreId:
      made = std::make_unique<AddHighScoreWindow>();
      break;
    default:
      // The main and continue menus.
      made = std::make_unique<PlainMenuWindow>(screenId);
      break;
  }
  if (made->Create(screenId, rect, this, kScreenFlags) < 0) {
    // The name entry still takes a name with its OK button when its field or keyboard is missing.
    auto* entry = dynamic_cast<AddHighScoreWindow*>(made.get());
    if (!entry || !entry->built) return nullptr;
  }
  return made;
}

void MainWindow::Open(std::uint32_t screenId, std::int32_t shownState) {
  gameScreen->visible = false;
  screen = MakeScreen(screenId);
  SetState(shownState);
}

void MainWindow::StartPlay() {
  gameScreen->visible = true;
  gameScreen->ResumePlay();
  SetState(kPlaying);
}

void MainWindow::SaveLevelStart() {
  if (!gameScreen->walk.levelLoaded) return;
  if (!game::SaveGame(config::UserSettingsDocument(), settingsSource, RecordOf(*gameScreen))) return;
  RequestSettingsSave();
}

void MainWindow::RequestSettingsSave() {
  // A request already raised keeps its turn; the periodic save writes the settings soon enough then.
  if (request == ui::kRequestNone || request == ui::kRequestInitial) request = kRequestSaveSettings;
}

void MainWindow::EnterName() {
  auto* entry = dynamic_cast<AddHighScoreWindow*>(screen.get());
  // Enter may arrive as a key and as a character: the name goes in once, on the first of them, while the
  // name entry is still the screen shown.
  if (!entry || screenState != kAddHighScoreShown || !highScores) return;
  highScores->Insert(entry->EnteredName(), finishedScore);
  if (highScores->StoreScores(config::UserSettingsDocument(), settingsSource, config::ProgramDir()))
    RequestSettingsSave();
}

void MainWindow::ReportScoreGain() {
  const std::int32_t gain = gameScreen->TakeScoreGain();
  if (reportScoreGain) reportScoreGain(gain);
}

bool MainWindow::SwitchOnce() {
  switch (screenState) {
    case kQuit:
      request = ui::kRequestQuit;
      return false;
    case kOpenMainMenu: {
      CloseScreen();
      // Leaving for the main menu forfeits the saved game.
      game::DeleteSavedGame(config::UserSettingsDocument());
      Open(kMainMenuId, kMainMenuShown);
      return false;
    }
    case kOpenIntro:
      CloseScreen();
      Open(kIntroId, kIntroShown);
      return false;
    case kOpenOptions:
      hiddenScreen = std::move(screen);
      hiddenScreenState = previousScreenState;
      if (hiddenScreen) hiddenScreen->visible = false;
      Open(kOptionsId, kOptionsShown);
      return false;
    case kCloseOptions:
      CloseScreen();
      if (!hiddenScreen) {
        SetState(kQuit);
        return false;
      }
      screen = std::move(hiddenScreen);
      SetState(hiddenScreenState);
      if (auto* menu = dynamic_cast<ui::MenuWindow*>(screen.get())) menu->ResetButtons();
      screen->visible = true;
      return false;
    case kOpenHighScores:
      CloseScreen();
      Open(kHighScoresId, kHighScoresShown);
      return false;
    case kOpenInstructions:
      CloseScreen();
      Open(kInstructionsId, kInstructionsShown);
      return false;
    case kOpenInGameMenu:
      CloseScreen();
      Open(kInGameMenuId, kInGameMenuShown);
      return false;
    case kOpenContinueMenu:
      CloseScreen();
      Open(kContinueMenuId, kContinueMenuShown);
      return false;
    case kOpenAddHighScore:
      CloseScreen();
      Open(kAddHighScoreId, kAddHighScoreShown);
      return false;
    case kOpenYouLose:
      CloseScreen();
      Open(kYouLoseId, kYouLoseShown);
      return false;
    case kOpenYouWin:
      CloseScreen();
      Open(kYouWinId, kYouWinShown);
      return false;
    case kStartNewGame: {
      CloseScreen();
      const std::int32_t difficulty = std::exchange(newGameDifficulty, 1);
      const std::int32_t level = std::exchange(newGameLevel, 1);
      if (gameScreen->NewGame(difficulty, level) < 0) {
        gameScreen->ResetWorld();
        SetState(kOpenMainMenu);
        return true;
      }
      StartPlay();
      SaveLevelStart();
      return false;
    }
    case kStartNextLevel: {
      if (previousScreenState != kPlaying) return false;
      const Result r = gameScreen->NextLevel();
      if (r == S_OK) {
        SetState(kPlaying);
        SaveLevelStart();
        return false;
      }
      gameScreen->ResetWorld();
      SetState(r == game::kNoFurtherLevel ? kOpenYouWin : kOpenMainMenu);
      return true;
    }
    case kContinueSavedGame:
      CloseScreen();
      if (gameScreen->ContinueGame() < 0) {
        gameScreen->ResetWorld();
        SetState(kOpenMainMenu);
        return true;
      }
      game::DeleteSavedGame(config::UserSettingsDocument());
      StartPlay();
      SaveLevelStart();
      return false;
    case kBackToGame:
      CloseScreen();
      gameScreen->world.ReloadObjectImages();
      StartPlay();
      return false;
    default:
      return false;
  }
}

void MainWindow::SwitchScreens() {
  if (!switchArmed || !gameScreen) return;
  for (int i = 0; i < kSwitchStepsPerCall && SwitchOnce(); ++i) {
  }
}

Result MainWindow::Draw(gfx::Surface&, int, int, const ui::Rect&) {
  SwitchScreens();
  return S_OK;
}

Result MainWindow::Tick(std::uint32_t frame) {
  Control::Tick(frame);
  // Each counter is reloaded on the frame that runs it down, so the refresh comes on every 300th frame and
  // the save on every 600th, the first ones included.
  if (--backlightCounter <= 0) {
    backlightCounter = kBacklightPeriod;
    if (keepBacklightOn) keepBacklightOn();
  }
  if (--saveCounter <= 0) {
    saveCounter = kSavePeriod;
    request = kRequestSaveSettings;
  }
  return S_OK;
}

Result MainWindow::KeyDown(int keyCode, std::uint32_t rawKey) {
  return screen && screen->visible ? screen->KeyDown(keyCode, rawKey) : ui::kNotHandled;
}

Result MainWindow::KeyUp(int keyCode, std::uint32_t rawKey) {
  return screen && screen->visible ? screen->KeyUp(keyCode, rawKey) : ui::kNotHandled;
}

Result MainWindow::Notify(std::uint32_t code, std::intptr_t argument, std::uint32_t senderId) {
  if (Control::Notify(code, argument, senderId) != ui::kPassOn) return ui::kConsumed;
  if (!gameScreen) return ui::kPassOn;
  switch (static_cast<std::int64_t>(code)) {
    case ui::kNotifyClicked:
      if (senderId != static_cast<std::uint32_t>(kCmdClose)) return ui::kPassOn;
      request = ui::kRequestQuit;
      break;
    case kCmdExit:
    case kCmdContinueExit:
      request = ui::kRequestQuit;
      break;
    case kMenuButtonId:
      gameScreen->PausePlay();
      gameScreen->world.ReleaseObjectImages();
      PlayMenuMusic();
      SetState(kOpenInGameMenu);
      break;
    case kCommandLevelWon:
      SetState(kStartNextLevel);
      break;
    case kCmdIntroDone:
      SetState(HasSavedGame() ? kOpenContinueMenu : kOpenMainMenu);
      break;
    case kCmdNewGame:
    case kCmdLosePlayAgain:
      SetState(kStartNewGame);
      break;
    case kCmdOptions:
    case kCmdInGameOptions:
      SetState(kOpenOptions);
      break;
    case kCmdHighScores:
      SetState(kOpenHighScores);
      break;
    case kCmdInstructions:
      SetState(kOpenInstructions);
      break;
    case kCmdOptionsBack: {
      platform::hssSpeaker* speaker = sound::Speaker();
      if (speaker) {
        if (storeVolumes) storeVolumes(speaker->volumeSounds(), speaker->volumeMusics());
        if (speaker->volumeMusics() <= kMusicAudibleAbove) music.UnloadAllMusic();
      }
      SetState(kCloseOptions);
      break;
    }
    case kCmdContinue:
      SetState(HasSavedGame() ? kContinueSavedGame : kOpenMainMenu);
      break;
    case kCmdAddHighScoreOk:
      EnterName();
      SetState(kOpenMainMenu);
      break;
    case kCmdContinueMainMenu:
    case kCmdLoseMainMenu:
    case kCmdBackToMainMenu:
      SetState(kOpenMainMenu);
      break;
    case kCmdWinNext:
      ReportScoreGain();
      finishedScore = gameScreen->world.score;
      SetState(Qualifies(finishedScore) ? kOpenAddHighScore : kOpenMainMenu);
      break;
    case kCmdInGameMainMenu:
      gameScreen->ResetWorld();
      ReportScoreGain();
      SetState(kOpenMainMenu);
      break;
    case kCmdInGamePlayAgain:
      ReportScoreGain();
      SetState(kStartNewGame);
      break;
    case kCmdInGameBack:
      SetState(kBackToGame);
      break;
    case kSignalGameOver:
      finishedScore = gameScreen->world.score;
      gameScreen->ResetWorld();
      ReportScoreGain();
      PlayMenuMusic();
      SetState(Qualifies(finishedScore) ? kOpenAddHighScore : kOpenYouLose);
      break;
    default:
      return ui::kPassOn;
  }
  return ui::kConsumed;
}

}  // namespace zelph::screens
