// The game's home folder: registry file, user settings, award and score files, screenshots.
#pragma once

#include <filesystem>

namespace zelph::platform {

// $XDG_DATA_HOME/<folderName>, or ~/.local/share/<folderName> when XDG_DATA_HOME is unset or relative.
std::filesystem::path DefaultHomeDir(const char* folderName);

// Creates the folder when missing; false when it cannot be created or is not a folder.
bool EnsureDir(const std::filesystem::path& dir);

// The home folder of this run, with a trailing separator when set (the game joins file names to it). A copy:
// another thread may set the folder meanwhile.
std::filesystem::path HomeDir();
void SetHomeDir(const std::filesystem::path& dir);

}  // namespace zelph::platform
