// zelph-preview: renders screens of a built GUI pack into PNG pictures, as they look once every button has
// appeared (or at a given frame), and contact sheets of a pack's pictures, so the look of both builds can be
// reviewed without playing.
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <memory>
#include <string>
#include <vector>

#include "config/resources.h"
#include "contact_sheet.h"
#include "level_view.h"
#include "gfx/graphics_context.h"
#include "gfx/png_writer.h"
#include "gfx/surface.h"
#include "platform/home.h"
#include "screens.h"
#include "ui/control_tree.h"

namespace {

constexpr int kOk = 0;
constexpr int kFailed = 1;
constexpr int kUsage = 2;
// Enough frames for the slowest screen's buttons to have swung in and settled.
constexpr int kSettledFrames = 120;

constexpr char kHelp[] =
    R"(Usage: zelph-preview DATA_DIR SCREEN OUT.png [--frame N] [--scroll N]
       zelph-preview DATA_DIR all OUT_DIR [--frame N] [--scroll N]
       zelph-preview DATA_DIR levels OUT_DIR
       zelph-preview --sheet PACK OUT.png [--zoom N]

DATA_DIR is a build's data folder (build/data/vga or build/data/qvga); its packs are loaded as the game
loads them, at 640 x 480 or, for a folder named qvga, 320 x 240. SCREEN is one of:
  startup intro main options ingame continue hiscores addhs instr youlose youwin question error game
level-N shows level N of the game pack as it starts (the field with its borders and figure edges, the
objects at their places, the bottom panel, the emitter and its beam). "all" writes every screen as
OUT_DIR/<screen>.png, "levels" every level as OUT_DIR/level-N.png. --frame N draws the screen after N frames instead of
once its buttons have settled (frame 0: before anything has appeared). --scroll N shows the instructions
page scrolled down by N pixels (as far as it goes).
--sheet draws every picture of one pack (build/data/vga/gui.pak, for example) on a contact sheet, each
with its identifier, size and resource name; --zoom N (1 to 8) magnifies small pictures.
Exit status: 0 success, 1 the packs or a screen could not be loaded or written, 2 wrong usage.
)";

// A throw-away home folder: loading the packs writes the user settings there.
class TempHome {
 public:
  TempHome() {
    std::string pattern = (std::filesystem::temp_directory_path() / "zelph-preview-XXXXXX").string();
    if (::mkdtemp(pattern.data())) path_ = pattern;
  }
  ~TempHome() {
    std::error_code ec;
    if (!path_.empty()) std::filesystem::remove_all(path_, ec);
  }
  const std::filesystem::path& path() const { return path_; }

 private:
  std::filesystem::path path_;
};

bool Render(const std::string& screen, int width, int height, int frames, const zelph::preview::ScreenOptions& options,
            const std::filesystem::path& out) {
  using namespace zelph;
  ui::ResetControlGlobals();
  gfx::Surface back;
  if (back.CreateSurface(gfx::kCreateClear, width, height) != S_OK) return false;
  ui::SetBackSurface(&back);
  std::vector<std::unique_ptr<ui::Control>> owned;
  bool built = false;
  {
    ui::Control root;
    root.Create(1, ui::Rect{0, 0, width, height}, nullptr, ui::kHitTopmostFirst);
    built = preview::BuildScreen(screen, root, owned, options);
    for (int i = 0; built && i < frames; ++i) ui::TickTree(root, static_cast<std::uint32_t>(i));
    if (built) ui::DrawTree(root, back, 0, 0, ui::Rect{0, 0, width, height});
    // Children first: they unlink from the root as they go.
    while (!owned.empty()) owned.pop_back();
  }
  ui::SetBackSurface(nullptr);
  ui::ResetControlGlobals();
  if (!built) {
    std::fprintf(stderr, "zelph-preview: unknown screen %s (or a level that does not load)\n", screen.c_str());
    return false;
  }
  if (!gfx::WritePngRgb565(out, back.Pixels(), back.Width(), back.Height(), back.YStep() * 2)) {
    std::fprintf(stderr, "zelph-preview: cannot write %s\n", out.string().c_str());
    return false;
  }
  return true;
}

int Sheet(int argc, char** argv) {
  using namespace zelph;
  preview::SheetOptions options;
  if (argc == 6 && std::strcmp(argv[4], "--zoom") == 0 && argv[5][0] >= '1' && argv[5][0] <= '8' &&
      argv[5][1] == 0) {
    options.zoom = argv[5][0] - '0';
  } else if (argc != 4) {
    std::fputs(kHelp, stderr);
    return kUsage;
  }
  gfx::GraphicsContext::Global().MarkOpen(gfx::DisplayProperties::Rgb565(640, 480));
  std::string error;
  if (!preview::WriteContactSheet(argv[2], argv[3], options, error)) {
    std::fprintf(stderr, "zelph-preview: %s\n", error.c_str());
    return kFailed;
  }
  return kOk;
}

}  // namespace

int main(int argc, char** argv) {
  using namespace zelph;
  if (argc >= 2 && (std::strcmp(argv[1], "--help") == 0 || std::strcmp(argv[1], "-h") == 0)) {
    std::fputs(kHelp, stdout);
    return kOk;
  }
  if (argc >= 2 && std::strcmp(argv[1], "--sheet") == 0) return Sheet(argc, argv);
  if (argc < 4) {
    std::fputs(kHelp, stderr);
    return kUsage;
  }
  int frames = kSettledFrames;
  preview::ScreenOptions screenOptions;
  for (int i = 4; i < argc; i += 2) {
    const bool frame = std::strcmp(argv[i], "--frame") == 0, scroll = std::strcmp(argv[i], "--scroll") == 0;
    char* end = nullptr;
    const long n = i + 1 < argc ? std::strtol(argv[i + 1], &end, 10) : -1;
    if ((!frame && !scroll) || i + 1 >= argc || *argv[i + 1] == 0 || *end != 0 || n < 0 || n > 100000) {
      std::fputs(kHelp, stderr);
      return kUsage;
    }
    (frame ? frames : screenOptions.scroll) = static_cast<int>(n);
  }
  const std::filesystem::path data = std::filesystem::absolute(argv[1]);
  const bool small = data.filename() == "qvga" || data.parent_path().filename() == "qvga";
  const int width = small ? 320 : 640, height = small ? 240 : 480;

  TempHome home;
  if (home.path().empty()) return kFailed;
  platform::SetHomeDir(home.path());
  if (config::RegisterDefaultPacks(data) == 0) {
    std::fprintf(stderr, "zelph-preview: no packs in %s\n", data.string().c_str());
    return kFailed;
  }
  config::UserSettingsFile settings;
  if (config::LoadResources(settings) != S_OK) {
    std::fprintf(stderr, "zelph-preview: the packs of %s do not load\n", data.string().c_str());
    return kFailed;
  }
  gfx::GraphicsContext::Global().MarkOpen(gfx::DisplayProperties::Rgb565(width, height));
  bool ok = true;
  if (std::strcmp(argv[2], "levels") == 0) {
    std::error_code ec;
    std::filesystem::create_directories(argv[3], ec);
    const int levels = preview::LevelCount();
    if (levels == 0) std::fprintf(stderr, "zelph-preview: the game document names no levels\n");
    ok = levels > 0;
    for (int n = 1; n <= levels; ++n) {
      const std::string screen = "level-" + std::to_string(n);
      ok = Render(screen, width, height, frames, screenOptions, std::filesystem::path(argv[3]) / (screen + ".png")) && ok;
    }
  } else if (std::strcmp(argv[2], "all") == 0) {
    std::error_code ec;
    std::filesystem::create_directories(argv[3], ec);
    for (const std::string& screen : preview::ScreenNames())
      ok = Render(screen, width, height, frames, screenOptions, std::filesystem::path(argv[3]) / (screen + ".png")) &&
           ok;
  } else {
    ok = Render(argv[2], width, height, frames, screenOptions, argv[3]);
  }
  config::ReleaseResources();
  return ok ? kOk : kFailed;
}
