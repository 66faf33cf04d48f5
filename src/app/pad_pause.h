// A gamepad unplugged in the middle of a level sends the game to its in-game menu, as the Menu button does,
// so that a loose cable never costs a life.
#pragma once

#include "screens/main_window.h"

namespace zelph::app {

// Pauses into the in-game menu when `mainWindow` is the current tree and a level is being played; anywhere
// else (menus, the intro, result screens) nothing changes. True when it paused. Call under the application
// lock.
bool PauseForLostController(const ui::Control* current, screens::MainWindow* mainWindow);

}  // namespace zelph::app
