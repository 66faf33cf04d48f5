// What a soak run needs to know of the content it plays: every level of the game document and the points
// of the GUI document where something can be pressed.
#pragma once

#include <cstdint>
#include <filesystem>
#include <string>
#include <vector>

#include "config/config_document.h"
#include "soak_script.h"

namespace zelph::soak {

struct Level {
  std::int32_t difficulty = 0;
  std::int32_t number = 0;
};

struct Content {
  std::vector<Level> levels;  // in document order, each once
  ScriptTargets targets;
};

// From the documents as loaded: the levels of every "level" section, and the middle of every "rect" that
// lies on a screen of the given size (a rectangle without a size is a picture placed at its corner: a point
// a little inside it is taken), except the buttons that end the program ("exit" or "close" in their names).
Content ReadContent(const config::ConfigDocument& gui, const config::ConfigDocument& game, int width, int height);

// Loads the packs of a data folder as the game does, with `scratchHome` as the home folder for the registry
// it needs. False with a reason when they do not load.
bool LoadContent(const std::filesystem::path& dataDir, const std::filesystem::path& scratchHome, int width,
                 int height, Content& out, std::string& error);

}  // namespace zelph::soak
