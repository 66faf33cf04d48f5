#include "config/resources.h"

#include <algorithm>
#include <map>
#include <string>
#include <system_error>

#include "config/registry_values.h"
#include "platform/build_variant.h"
#include "platform/dialogs.h"
#include "platform/home.h"
#include "platform/registry.h"

namespace zelph::config {

namespace {

constexpr char kResSubkey[] = "\\Res";
constexpr char kPackExtension[] = ".pak";

bool EqualsNoCase(std::string_view a, std::string_view b) {
  return std::equal(a.begin(), a.end(), b.begin(), b.end(), [](char x, char y) {
    auto lower = [](char c) { return (c >= 'A' && c <= 'Z') ? static_cast<char>(c + 32) : c; };
    return lower(x) == lower(y);
  });
}

// The document a pack of this type feeds, or null for an unknown type.
ConfigDocument* TargetDocument(std::string_view type) {
  if (EqualsNoCase(type, "gui")) return &GuiDocument();
  if (EqualsNoCase(type, "game")) return &GameDocument();
  if (EqualsNoCase(type, "sound")) return &SoundDocument();
  return nullptr;
}

// Whether `key` is the canonical decimal spelling of a number in 1..count; the number.
std::int32_t ListedIndex(std::string_view key, std::int32_t count) {
  if (key.empty() || key.size() > 10 || key[0] == '0') return 0;
  std::int64_t n = 0;
  for (char c : key) {
    if (c < '0' || c > '9') return 0;
    n = n * 10 + (c - '0');
  }
  return n <= count ? static_cast<std::int32_t>(n) : 0;
}

// The identifiers of the documents "1".."count" of a description's "main" section, in that order. Keys are
// gathered from the entries themselves (first entry of each name wins, as for every lookup), so that a count
// far beyond the keys present costs nothing.
std::vector<std::uint32_t> DeclaredDocuments(const ConfigSection& main) {
  const std::int32_t count = main.GetInt("count", 0);
  std::map<std::int32_t, std::uint32_t> listed;
  for (std::string_view key : main.Keys()) {
    if (std::int32_t i = ListedIndex(key, count); i > 0 && !listed.contains(i)) listed[i] = main.GetNumber(key, 0);
  }
  std::vector<std::uint32_t> ids;
  for (const auto& [index, id] : listed) ids.push_back(id);
  return ids;
}

// Steps 1 to 4 of taking one registered pack: open it, read its description and check its filter. Loads
// the documents it declares. The pack stays registered unless its filter does not match.
void TakePack(const std::string& path, std::string_view filter) {
  PackList& packs = GlobalPackList();
  int index = packs.Add(path);
  if (index < 0) return;
  ResourcePack* pack = packs.At(index);
  auto description = pack->Extract(pack->Range().first);
  if (!description) return;
  ConfigDocument about;
  if (about.LoadMemory(std::move(*description), kMemoryLabel) < 0) return;
  const ConfigSection* main = about.FindSection("main");
  if (!main) return;
  const char* packFilter = main->GetRaw("filter");
  if (!packFilter) return;
  if (!EqualsNoCase(packFilter, filter)) {
    packs.Remove(index);
    return;
  }
  const char* type = main->GetRaw("type");
  if (!type) return;
  ConfigDocument* target = TargetDocument(type);
  for (std::uint32_t id : DeclaredDocuments(*main)) {
    if (id == 0) continue;
    auto bytes = pack->Extract(id);
    if (bytes && target) target->LoadMemory(std::move(*bytes), kMemoryLabel);
  }
}

std::string ResKey() { return std::string(platform::Variant().gameKey) + kResSubkey; }

}  // namespace

PackList& GlobalPackList() {
  static PackList packs;
  return packs;
}

ConfigDocument& GuiDocument() {
  static ConfigDocument document;
  return document;
}

ConfigDocument& GameDocument() {
  static ConfigDocument document;
  return document;
}

ConfigDocument& SoundDocument() {
  static ConfigDocument document;
  return document;
}

std::filesystem::path ProgramDir() { return platform::HomeDir(); }

Result LoadResources(UserSettingsFile& userSettings) {
  const char* gameKey = platform::Variant().gameKey;
  const std::string resKey = ResKey();
  platform::Registry& registry = platform::SystemRegistry();
  registry.CreateKey(platform::RootKey::LocalMachine, gameKey);
  registry.CreateKey(platform::RootKey::LocalMachine, resKey);

  RegReadDword(gameKey, "ResVersion", 1);
  const std::string filter = RegReadString(gameKey, "ResFilter", "1.0");

  for (std::size_t i = 0;; ++i) {
    auto value = registry.EnumValue(platform::RootKey::LocalMachine, resKey, i);
    if (!value) break;
    if (const auto* path = std::get_if<std::string>(&value->value)) TakePack(*path, filter);
  }

  if (GuiDocument().SectionCount() > 0 && GameDocument().SectionCount() > 0) {
    return Succeeded(OpenUserSettings(userSettings)) ? S_OK : kGenericFailure;
  }
  platform::ShowMessageBox("Bluehollow Error", "Not all resource files found.\nReinslall program.",
                           platform::MessageIcon::None);
  return kGenericFailure;
}

int RegisterDefaultPacks(const std::filesystem::path& dataDir) {
  const std::string resKey = ResKey();
  platform::Registry& registry = platform::SystemRegistry();
  if (registry.EnumValue(platform::RootKey::LocalMachine, resKey, 0)) return 0;

  std::vector<std::filesystem::path> found;
  std::error_code ec;
  for (const auto& item : std::filesystem::directory_iterator(dataDir, ec)) {
    if (item.is_regular_file(ec) && item.path().extension() == kPackExtension) found.push_back(item.path());
  }
  std::sort(found.begin(), found.end());
  int registered = 0;
  for (const auto& path : found) {
    std::filesystem::path absolute = std::filesystem::absolute(path, ec);
    if (registry.WriteString(platform::RootKey::LocalMachine, resKey, path.filename().string(),
                             (ec ? path : absolute).string())) {
      ++registered;
    }
  }
  return registered;
}

void ReleaseResources() {
  GlobalPackList().Clear();
  GuiDocument().Clear();
  GameDocument().Clear();
  SoundDocument().Clear();
  UserSettingsDocument().Clear();
}

}  // namespace zelph::config
