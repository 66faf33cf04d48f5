#include "app/zelph_main.h"

#include <cstdio>
#include <ctime>
#include <memory>
#include <mutex>
#include <sstream>

#include "app/input_script.h"
#include "app/game_display.h"
#include "app/options.h"
#include "app/startup.h"
#include "config/resources.h"
#include "game/world_dump.h"
#include "gfx/png_writer.h"
#include "objects/object_kinds.h"
#include "platform/file_io.h"
#include "platform/home.h"
#include "platform/random.h"
#include "platform/registry.h"
#include "platform/sdl/sdl_audio.h"
#include "platform/sdl/sdl_window.h"
#include "platform/system_info.h"
#include "platform/xmp/xmp_module.h"

namespace zelph::app {

namespace {

constexpr int kExitUsage = 2;
constexpr int kNoticeFrames = 45;  // a second and a half

// The build's packs beside the program (data/<build>), else where an installation keeps them relative to
// the program (<prefix>/share/orv-zelph/<build>), so that a moved installation still finds them.
std::filesystem::path DefaultDataDir(const platform::BuildVariant& variant) {
  const std::filesystem::path programDir = platform::ModulePath().parent_path();
  std::filesystem::path beside = programDir / "data" / variant.dataFolderName;
  std::error_code ec;
  if (std::filesystem::is_directory(beside, ec)) return beside;
  return (programDir / ".." / "share" / "orv-zelph" / variant.dataFolderName).lexically_normal();
}

bool SaveScreenshot(FrameDisplay& display, const std::filesystem::path& file) {
  int width = 0, height = 0, pitch = 0;
  const std::uint16_t* pixels = display.BackPixels(width, height, pitch);
  return pixels && gfx::WritePngRgb565(file, pixels, width, height, pitch);
}

// The game state as the game thread left it: read under the application lock, then written out.
bool SaveDump(const std::filesystem::path& file) {
  std::ostringstream text;
  {
    GameApp* app = TheApp();
    if (!app) return false;
    std::lock_guard hold(app->lock());
    game::WriteWorldDump(game::GameWorld::Current(), text);
  }
  return platform::WriteFileAtomically(file, text.str());
}

int Fail(const char* program, const std::string& text, int status) {
  std::fprintf(stderr, "%s: %s\n", program, text.c_str());
  return status;
}

}  // namespace

int ZelphMain(int argc, char** argv, const platform::BuildVariant& variant) {
  platform::SelectVariant(variant);
  objects::RegisterObjectKinds(game::ObjectFactory::Global());
  platform::InstallModuleReader(platform::ReadXmpModule);
  const char* program = variant.programName;

  std::vector<std::string> args(argv + 1, argv + argc);
  OptionsResult parsed = ParseOptions(args);
  if (!parsed.options) {
    return Fail(program, parsed.error + "\n" + "Try '" + program + " --help'.", kExitUsage);
  }
  const Options& opt = *parsed.options;
  if (opt.help) {
    std::fputs(UsageText(program).c_str(), stdout);
    return 0;
  }
  if (opt.version) {
    std::fputs(VersionText(program).c_str(), stdout);
    return 0;
  }

  std::filesystem::path home = opt.home.empty() ? platform::DefaultHomeDir(variant.homeFolderName) : opt.home;
  if (!platform::EnsureDir(home)) return Fail(program, "cannot create the home folder " + home.string(), 1);
  platform::SetHomeDir(home);
  platform::OpenSystemRegistry(home / "registry.reg");
  if (opt.seed) platform::SetFixedSeed(*opt.seed);

  InputScript script;
  if (!opt.inputScript.empty()) {
    auto bytes = platform::ReadWholeFile(opt.inputScript);
    if (!bytes) return Fail(program, "cannot read " + opt.inputScript.string(), kExitUsage);
    script = ParseInputScript(std::string_view(reinterpret_cast<const char*>(bytes->data()), bytes->size()),
                              opt.exitOnDeactivate);
    if (!script.error.empty()) return Fail(program, opt.inputScript.string() + ": " + script.error, kExitUsage);
  }

  std::filesystem::path dataDir = opt.data.empty() ? DefaultDataDir(variant) : opt.data;

  FrameOptions frameOptions;
  frameOptions.maxFrames = opt.frames;
  frameOptions.lockstep = opt.lockstep;
  if (!script.events.empty()) {
    frameOptions.beforeIdleStep = [events = std::move(script.events), next = std::size_t{0}](
                                      std::uint32_t step) mutable {
      while (next < events.size() && events[next].step <= step) {
        if (GameApp* app = TheApp(); app && app->window()) app->window()->PostMessage(events[next].message);
        ++next;
      }
    };
  }

  if (!opt.screenshots.empty() || !opt.dumps.empty()) {
    frameOptions.afterFrame = [program, shots = opt.screenshots, dumps = opt.dumps](std::uint32_t frame,
                                                                                  FrameDisplay& display) {
      for (const auto& shot : shots) {
        if (shot.frame == frame && !SaveScreenshot(display, shot.file)) {
          std::fprintf(stderr, "%s: cannot write %s\n", program, shot.file.c_str());
        }
      }
      for (const auto& dump : dumps) {
        if (dump.frame == frame && !SaveDump(dump.file)) {
          std::fprintf(stderr, "%s: cannot write %s\n", program, dump.file.c_str());
        }
      }
    };
  }
  frameOptions.onScreenshotKey = [home](FrameDisplay& display) {
    std::filesystem::path dir = home / "screenshots";
    std::time_t now = std::time(nullptr);
    char name[64];
    std::strftime(name, sizeof name, "zelph-%Y%m%d-%H%M%S.png", std::localtime(&now));
    // Confirmed on screen for a moment: the key gives no other sign that anything happened.
    const bool saved = platform::EnsureDir(dir) && SaveScreenshot(display, dir / name);
    display.ShowNotice(saved ? u"Screenshot saved" : u"Screenshot failed", kNoticeFrames);
    if (!saved) std::fprintf(stderr, "cannot write a screenshot into %s\n", dir.c_str());
  };

  platform::SdlWindowOptions windowOptions;
  windowOptions.headless = opt.headless;
  windowOptions.headlessSound = opt.headless && opt.sound;
  windowOptions.fullScreen = opt.fullScreen;
  windowOptions.exitOnDeactivate = opt.exitOnDeactivate;
  windowOptions.scale = static_cast<int>(opt.scale);
  // The icons sit beside the builds' data folders, in the build tree as in an installation.
  windowOptions.iconFile = (dataDir / ".." / "icons" / "orv-zelph-48.png").lexically_normal();

  StartupEnvironment env;
  env.commandLine = opt.commandLine;
  env.variant = &variant;
  env.freeMemory = [] { return platform::AvailablePhysicalMemory(); };
  env.lockDir = home;
  env.programDir = platform::ModulePath().parent_path();
  env.makeApp = [&](const AppConfig& config, const SoundConfig& soundConfig) {
    FramePlatform platform;
    platform.window = std::make_unique<platform::SdlWindow>(windowOptions);
    platform.display = std::make_unique<GameDisplay>(variant.screenWidth, variant.screenHeight);
    if (!opt.headless || opt.sound)
      platform.speaker = std::make_unique<platform::hssSpeaker>(platform::MakeSdlAudioOutput());
    auto app = std::make_unique<GameApp>(config, soundConfig, std::move(platform), std::move(frameOptions));
    app->SetDataDir(dataDir);
    if (opt.play) app->SetPlayLevel(static_cast<std::int32_t>(opt.play->difficulty), static_cast<std::int32_t>(opt.play->level));
    return app;
  };
  int status = StartGame(env);
  // The documents and packs outlive the application object.
  config::ReleaseResources();
  return status;
}

}  // namespace zelph::app
