// The game's shipped data: the resource packs registered under the game key's "Res" subkey, and the three
// documents their description documents feed (GUI, game, sound). All live from before the application object
// until after it.
#pragma once

#include <cstdint>
#include <filesystem>

#include "config/config_document.h"
#include "config/config_result.h"
#include "config/pack_list.h"
#include "config/user_settings.h"
#include "platform/result.h"

namespace zelph::config {

PackList& GlobalPackList();
ConfigDocument& GuiDocument();
ConfigDocument& GameDocument();
ConfigDocument& SoundDocument();
// The folder of the game's own files (user settings, award file): the home folder, with a trailing separator.
std::filesystem::path ProgramDir();

// Opens every pack named under "Res" whose description matches the resource filter ("ResFilter", default
// "1.0") and loads the documents it declares, then opens the user settings. S_OK, or kGenericFailure after
// telling the player when the GUI or game documents are missing or the user settings cannot be set up.
Result LoadResources(UserSettingsFile& userSettings);

// What an installer does: when the "Res" key holds no value yet, registers every "*.pak" file in `dataDir`
// (in name order, each under its file name) so that LoadResources finds them. Returns how many were
// registered; 0 when "Res" already names packs or the folder holds none. Called before LoadResources with the
// folder given by "--data" or the one the build produced.
int RegisterDefaultPacks(const std::filesystem::path& dataDir);

// Closes every pack and clears the GUI, game, sound and user-settings documents (at exit).
void ReleaseResources();

}  // namespace zelph::config
