// The player's persistent state: the scrambled user-settings file (options, high scores, saved game), the
// volumes in the registry, and the award file read by the companion shell.
#pragma once

#include <cstdint>
#include <filesystem>
#include <utility>

#include "config/config_document.h"
#include "config/config_result.h"
#include "platform/result.h"

namespace zelph::config {

inline constexpr char kUserSettingsFileName[] = "Settings.ino";
inline constexpr char kPlugInDataFileName[] = "PlugInData.ino";
// An unreadable file is kept under its name with this suffix before a fresh one replaces it.
inline constexpr char kBadFileSuffix[] = ".bad";
inline constexpr std::uint32_t kDefaultVolume = 50;

// Which source of UserSettingsDocument() is the player's file, and where it is saved.
struct UserSettingsFile {
  int source = -1;
  std::filesystem::path path;
};

ConfigDocument& UserSettingsDocument();
// The source of UserSettingsDocument() that is saved to the player's file (the last one OpenUserSettings
// made), where the game writes its sections; -1 before the settings are opened.
int UserSettingsSource();

// Loads the file named by "UserSettings" into UserSettingsDocument() as a writable copy, or creates a fresh
// "Settings.ino" with an empty "main" section in the program folder (keeping an unreadable old file as
// "Settings.ino.bad") and points "UserSettings" at it. S_OK, or kGenericFailure after telling the player.
Result OpenUserSettings(UserSettingsFile& file);
// Saves the player's source to its path when the source is valid: the Save result, or 0 when there is none.
int SaveUserSettings(const UserSettingsFile& file);
// Clears the document, deletes the file named by "UserSettings" and opens fresh settings.
Result ResetUserSettings(UserSettingsFile& file);

// "sound_vol" and "music_vol" of the game key (default 50, written when missing).
std::pair<std::uint32_t, std::uint32_t> ReadVolumes();
void WriteVolumes(std::uint32_t sound, std::uint32_t music);

// Appends an award section for `amount` (> 0) to the companion shell's "PlugInData.ino". S_OK, or
// kGenericFailure when the existing file cannot be copied.
Result RecordPlugInAward(std::int32_t amount);

}  // namespace zelph::config
