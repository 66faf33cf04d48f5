// The main window: the root of the control tree while the game runs. It owns the game screen and one screen
// window at a time, turns the commands the screens send into a pending screen state, and acts on that
// state the next time it is drawn. It also chooses the music and asks for the periodic settings save.
#pragma once

#include <cstdint>
#include <functional>
#include <memory>

#include "game/high_score_table.h"
#include "game/saved_game.h"
#include "gfx/sprite.h"
#include "config/user_settings.h"
#include "screens/game_screen.h"
#include "sound/sound_set.h"
#include "ui/control.h"

namespace zelph::screens {

inline constexpr std::uint32_t kMainWindowId = 10001;

// Screen states: even numbers (and 23 to 26) ask for a screen, the odd ones below 23 are shown.
enum ScreenState : std::int32_t {
  kQuit = 0,
  kPlaying = 1,
  kOpenMainMenu = 2,
  kMainMenuShown = 3,
  kOpenIntro = 4,
  kIntroShown = 5,
  kOpenOptions = 6,
  kOptionsShown = 7,
  kCloseOptions = 8,
  kOpenHighScores = 9,
  kHighScoresShown = 10,
  kOpenInstructions = 11,
  kInstructionsShown = 12,
  kOpenInGameMenu = 13,
  kInGameMenuShown = 14,
  kOpenContinueMenu = 15,
  kContinueMenuShown = 16,
  kOpenAddHighScore = 17,
  kAddHighScoreShown = 18,
  kOpenYouLose = 19,
  kYouLoseShown = 20,
  kOpenYouWin = 21,
  kYouWinShown = 22,
  kStartNewGame = 23,
  kStartNextLevel = 24,
  kContinueSavedGame = 25,
  kBackToGame = 26,
};

// Requests the main window raises for the application.
inline constexpr std::int32_t kRequestSaveSettings = 4098;
inline constexpr std::int32_t kBacklightPeriod = 300;
inline constexpr std::int32_t kSavePeriod = 600;
// Music tracks of the main window's sound set.
inline constexpr int kMenuMusic = 2;
inline constexpr int kGameMusic = 3;

class MainWindow : public ui::Control {
 public:
  MainWindow();
  // Stores the scores, reports the score gain, stops the music, closes the screen, then the game screen.
  ~MainWindow() override;

  // 0xC8661000 without resource packs; a game screen that cannot be built fails it. Advances the progress
  // seven times along the way and opens the intro.
  Result Create(std::uint32_t id, const ui::Rect& rect, ui::Control* parent, std::uint32_t flags) override;
  // Acts on the screen state; draws nothing itself.
  Result Draw(gfx::Surface& target, int originX, int originY, const ui::Rect& clip) override;
  // Counts down to the next backlight refresh and the next settings save.
  Result Tick(std::uint32_t frame) override;
  // Keys that reach the root go on to the screen shown, so the menus answer the keyboard too.
  Result KeyDown(int keyCode, std::uint32_t rawKey) override;
  Result KeyUp(int keyCode, std::uint32_t rawKey) override;
  // The screens' commands; anything else is passed on.
  Result Notify(std::uint32_t code, std::intptr_t argument, std::uint32_t senderId) override;

  // Moves to a new screen state, remembering the old one.
  void SetState(std::int32_t state);
  // Runs the screen switch now (Draw does it once per frame).
  void SwitchScreens();
  // A new game at this difficulty and level at once, the way the main menu's New Game starts one at 1, 1
  // (the tester's shortcut). False when the level cannot be loaded: the main menu is shown instead.
  bool StartNewGameAt(std::int32_t difficulty, std::int32_t level);
  // The saved game waits in the user settings ("game_save" with "param").
  static bool HasSavedGame();

  // Hooks the application installs: each step of Create, the award for the companion shell, the volumes'
  // store and the backlight refresh.
  std::function<void()> progressStep;
  std::function<void(std::int32_t gain)> reportScoreGain;
  std::function<void(int sound, int music)> storeVolumes;
  std::function<void()> keepBacklightOn;

  // The application's high-score table (stays its owner's): loaded when the window is built, stored into
  // the user settings and "HighScores.sco" when it goes. Without one no score qualifies.
  game::HighScoreTable* highScores = nullptr;
  // The source of the user-settings document the table and the saved game are written to.
  int settingsSource = config::UserSettingsSource();
  // The score of the game that just ended, for the name entry.
  std::int32_t finishedScore = 0;

  const config::ConfigSection* section = nullptr;
  std::uint32_t backImageId = 0;
  gfx::Sprite background;
  std::unique_ptr<GameScreen> gameScreen;
  std::unique_ptr<ui::Control> screen;
  std::unique_ptr<ui::Control> hiddenScreen;
  std::int32_t hiddenScreenState = kQuit;  // the shown state of the screen under the options
  std::int32_t screenState = kQuit;
  std::int32_t previousScreenState = kQuit;
  bool switchArmed = false;
  std::int32_t backlightCounter = kBacklightPeriod;
  std::int32_t saveCounter = kSavePeriod;
  sound::SoundSet music;
  // Where the next new game starts; back to 1, 1 once it has.
  std::int32_t newGameDifficulty = 1;
  std::int32_t newGameLevel = 1;

 private:
  void Step();
  void CloseScreen();
  // Builds a screen window of that kind; null when it cannot be built.
  std::unique_ptr<ui::Control> MakeScreen(std::uint32_t screenId);
  void Open(std::uint32_t screenId, std::int32_t shownState);
  void StartPlay();
  // Keeps the level just started as the saved game and has the settings written, so that a game that is
  // killed rather than ended loses at most the level in progress.
  void SaveLevelStart();
  void RequestSettingsSave();
  bool Qualifies(std::int32_t score) const { return highScores && highScores->Qualifies(score); }
  // Puts the typed name into the table once per name entry, and keeps the table in the settings at once.
  void EnterName();
  void ReportScoreGain();
  void PlayMenuMusic() { music.PlayMusic(kMenuMusic, 0, true, true); }
  // One step of the switch; true when the state asks for another step in the same call.
  bool SwitchOnce();
};

}  // namespace zelph::screens
