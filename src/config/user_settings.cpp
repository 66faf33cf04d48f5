#include "config/user_settings.h"

#include <cstdio>
#include <system_error>

#include "config/registry_values.h"
#include "config/resources.h"
#include "platform/build_variant.h"
#include "platform/dialogs.h"
#include "platform/file_io.h"

namespace zelph::config {

namespace {

constexpr char kUserSettingsValue[] = "UserSettings";
constexpr char kPlugInDataValue[] = "PlugInData";
constexpr char kSoundVolumeValue[] = "sound_vol";
constexpr char kMusicVolumeValue[] = "music_vol";
constexpr char kErrorCaption[] = "Bluehollow Error";
constexpr std::size_t kSectionSize = 1024;

// Why a settings file did not load, in the player's words.
const char* LoadFailureReason(int code) {
  switch (code) {
    case kLoadChecksumMismatch: return "its checksum does not match: damaged or edited";
    case kLoadOutOfMemory: return "it is too large";
    case kLoadCorrupt: return "it is empty or its entries do not fit its data";
    case kLoadCannotOpen: return "it cannot be opened or unscrambled";
    default: return "it is not a settings file";
  }
}

// Loads the file named by a registry value into `reader`; an empty path when there is none or it failed.
std::string LoadNamedFile(ConfigDocument& reader, std::string_view key, std::string_view value) {
  std::string path = RegReadString(key, value);
  if (path.empty()) return path;
  if (const int loaded = reader.LoadFile(path); loaded < 0) {
    // The fresh file replaces it; the old one is kept for the player rather than destroyed silently.
    platform::SetAsideUnreadable(path, value == kUserSettingsValue ? "settings" : "plug-in data",
                                 LoadFailureReason(loaded));
    path.clear();
  }
  return path;
}

// The registry without the settings' path (edited by hand, or replaced) while the settings file is still in its
// place: it is read and named again, so that the fresh file of a first run does not overwrite the player's
// scores and saved game. Empty when there is none or it does not load (then it is kept aside as well).
std::string LoadLeftSettings(ConfigDocument& reader, std::string_view key) {
  const std::filesystem::path path = ProgramDir() / kUserSettingsFileName;
  std::error_code ec;
  if (!std::filesystem::exists(path, ec)) return {};
  if (const int loaded = reader.LoadFile(path); loaded < 0) {
    platform::SetAsideUnreadable(path.string(), "settings", LoadFailureReason(loaded));
    return {};
  }
  RegWriteString(key, kUserSettingsValue, path.string());
  return path.string();
}

int g_userSettingsSource = -1;

Result OpenSettingsFile(UserSettingsFile& file) {
  const char* gameKey = platform::Variant().gameKey;
  ConfigDocument& settings = UserSettingsDocument();
  ConfigDocument loaded;
  loaded.SetScrambled(true);
  std::string path = LoadNamedFile(loaded, gameKey, kUserSettingsValue);
  if (path.empty()) path = LoadLeftSettings(loaded, gameKey);

  if (path.empty()) {
    file.path = ProgramDir() / kUserSettingsFileName;
    file.source = settings.AddEmptySource(true);
    if (file.source < 0) return kGenericFailure;
    settings.AddSection(file.source, "main", kSectionSize);
    if (settings.Save(file.source, file.path) == kSaveOk) {
      RegWriteString(gameKey, kUserSettingsValue, file.path.string());
    }
    return S_OK;
  }

  file.path = path;
  // A copy, so that every section can be written.
  file.source = settings.CopyFrom(loaded);
  if (file.source < 0) {
    platform::ShowMessageBox(kErrorCaption, "Error create user settins copy.", platform::MessageIcon::None);
    return kGenericFailure;
  }
  return S_OK;
}

}  // namespace

ConfigDocument& UserSettingsDocument() {
  static ConfigDocument document;
  return document;
}

int UserSettingsSource() { return g_userSettingsSource; }

Result OpenUserSettings(UserSettingsFile& file) {
  const Result r = OpenSettingsFile(file);
  g_userSettingsSource = file.source;
  return r;
}

int SaveUserSettings(const UserSettingsFile& file) {
  ConfigDocument& settings = UserSettingsDocument();
  if (file.source < 0 || file.source >= settings.SourceCount()) return 0;
  return settings.Save(file.source, file.path);
}

Result ResetUserSettings(UserSettingsFile& file) {
  UserSettingsDocument().Clear();
  file = {};
  std::string path = RegReadString(platform::Variant().gameKey, kUserSettingsValue);
  if (!path.empty()) std::remove(path.c_str());
  // The fresh file goes to the program folder; an older one there must not be taken up instead.
  std::error_code ec;
  std::filesystem::remove(ProgramDir() / kUserSettingsFileName, ec);
  return OpenUserSettings(file);
}

std::pair<std::uint32_t, std::uint32_t> ReadVolumes() {
  const char* gameKey = platform::Variant().gameKey;
  std::uint32_t sound = RegReadDword(gameKey, kSoundVolumeValue, kDefaultVolume);
  std::uint32_t music = RegReadDword(gameKey, kMusicVolumeValue, kDefaultVolume);
  return {sound, music};
}

void WriteVolumes(std::uint32_t sound, std::uint32_t music) {
  const char* gameKey = platform::Variant().gameKey;
  RegWriteDword(gameKey, kSoundVolumeValue, sound);
  RegWriteDword(gameKey, kMusicVolumeValue, music);
}

Result RecordPlugInAward(std::int32_t amount) {
  if (amount <= 0) return S_OK;
  const char* shellKey = platform::Variant().shellKey;
  ConfigDocument reader;
  reader.SetScrambled(true);
  ConfigDocument writer;
  std::filesystem::path path = LoadNamedFile(reader, shellKey, kPlugInDataValue);

  int source;
  if (path.empty()) {
    path = ProgramDir() / kPlugInDataFileName;
    source = writer.AddEmptySource(true);
    if (ConfigSection* main = writer.SectionAt(writer.AddSection(source, "main", kSectionSize))) {
      main->SetWideString("Version", u"1.0");
    }
    if (writer.Save(source, path) == kSaveOk) RegWriteString(shellKey, kPlugInDataValue, path.string());
  } else {
    source = writer.CopyFrom(reader);
  }
  if (source < 0) return kGenericFailure;

  // One section per award, even when the file already holds some: the shell adds them up.
  ConfigSection* award = writer.SectionAt(writer.AddSection(source, "BluehollowPlugInInfo", kSectionSize));
  if (!award) return kGenericFailure;
  award->SetString("plugin_name", "Zelph II");
  award->SetInt("res_count", 1);
  award->SetString("1_res_name", "wood");
  award->SetInt("1_res_add", amount);
  writer.Save(source, path);
  return S_OK;
}

}  // namespace zelph::config
