#include "soak_content.h"

#include <algorithm>

#include "config/resources.h"
#include "platform/home.h"

namespace zelph::soak {

namespace {

constexpr int kCornerInset = 12;

}  // namespace

Content ReadContent(const config::ConfigDocument& gui, const config::ConfigDocument& game, int width, int height) {
  Content content;
  content.targets.width = width;
  content.targets.height = height;
  for (int i = game.FirstSection(); i >= 0; i = game.NextSection(i)) {
    const config::ConfigSection* section = game.SectionAt(i);
    if (!section || std::string_view(section->Name()) != "level") continue;
    Level level{section->GetInt("difficulty", -1), section->GetInt("level_num", -1)};
    if (level.difficulty < 1 || level.number < 1) continue;
    const bool known = std::any_of(content.levels.begin(), content.levels.end(), [&](const Level& l) {
      return l.difficulty == level.difficulty && l.number == level.number;
    });
    if (!known) content.levels.push_back(level);
  }
  for (int i = gui.FirstSection(); i >= 0; i = gui.NextSection(i)) {
    const config::ConfigSection* section = gui.SectionAt(i);
    config::Rect r;
    if (!section || !section->GetRect("rect", r)) continue;
    // Buttons that end the program are left to the random taps: sessions should go deep, not end early.
    const std::string_view name = section->Name();
    if (name.find("exit") != std::string_view::npos || name.find("close") != std::string_view::npos) continue;
    const bool sized = r.right > r.left && r.bottom > r.top;
    TapPoint p{sized ? (r.left + r.right) / 2 : r.left + kCornerInset,
               sized ? (r.top + r.bottom) / 2 : r.top + kCornerInset};
    if (p.x < 0 || p.y < 0 || p.x >= width || p.y >= height) continue;
    content.targets.taps.push_back(p);
  }
  return content;
}

bool LoadContent(const std::filesystem::path& dataDir, const std::filesystem::path& scratchHome, int width,
                 int height, Content& out, std::string& error) {
  std::error_code ec;
  std::filesystem::remove_all(scratchHome, ec);
  std::filesystem::create_directories(scratchHome, ec);
  platform::SetHomeDir(scratchHome);
  if (config::RegisterDefaultPacks(dataDir) == 0) {
    error = "no packs in " + dataDir.string();
    return false;
  }
  config::UserSettingsFile settings;
  if (config::LoadResources(settings) != S_OK) {
    error = "the packs of " + dataDir.string() + " do not load";
    config::ReleaseResources();
    return false;
  }
  out = ReadContent(config::GuiDocument(), config::GameDocument(), width, height);
  config::ReleaseResources();
  if (out.levels.empty()) {
    error = "the game document of " + dataDir.string() + " has no level";
    return false;
  }
  return true;
}

}  // namespace zelph::soak
