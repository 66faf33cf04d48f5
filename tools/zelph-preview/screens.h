// The screens zelph-preview can show, built from the GUI document the way the game's screens build
// themselves: the window's timing, its five pictures, its buttons, and what each screen adds of its own.
#pragma once

#include <memory>
#include <string>
#include <vector>

#include "ui/control.h"

namespace zelph::preview {

struct ScreenOptions {
  int scroll = 0;  // pixels the instructions page is scrolled down
};

// The names accepted on the command line, in the order "all" renders them.
const std::vector<std::string>& ScreenNames();

// Builds the screen `name` under `root` (the main window's place); the controls are kept in `owned`. False
// when the name is unknown.
bool BuildScreen(const std::string& name, ui::Control& root, std::vector<std::unique_ptr<ui::Control>>& owned,
                 const ScreenOptions& options = {});

}  // namespace zelph::preview
