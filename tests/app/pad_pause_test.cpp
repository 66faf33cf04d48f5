// A gamepad unplugged during a level pauses into the in-game menu; anywhere else it changes nothing.
#include "app/pad_pause.h"

#include <gtest/gtest.h>

namespace zelph::app {
namespace {

struct PadPauseTest : ::testing::Test {
  PadPauseTest() { window.gameScreen = std::make_unique<screens::GameScreen>(); }
  screens::MainWindow window;
};

TEST_F(PadPauseTest, DuringPlayTheInGameMenuOpens) {
  window.screenState = screens::kPlaying;
  EXPECT_TRUE(PauseForLostController(&window, &window));
  EXPECT_EQ(window.screenState, screens::kOpenInGameMenu);
  EXPECT_EQ(window.previousScreenState, screens::kPlaying);
}

TEST_F(PadPauseTest, OutsidePlayNothingChanges) {
  for (std::int32_t state : {screens::kMainMenuShown, screens::kIntroShown, screens::kInGameMenuShown,
                             screens::kOptionsShown, screens::kYouLoseShown, screens::kStartNextLevel}) {
    window.screenState = state;
    EXPECT_FALSE(PauseForLostController(&window, &window)) << state;
    EXPECT_EQ(window.screenState, state);
  }
  // Play under another tree (the start-up window), or no main window at all.
  window.screenState = screens::kPlaying;
  screens::MainWindow other;
  EXPECT_FALSE(PauseForLostController(&other, &window));
  EXPECT_FALSE(PauseForLostController(&window, nullptr));
  EXPECT_EQ(window.screenState, screens::kPlaying);
}

}  // namespace
}  // namespace zelph::app
