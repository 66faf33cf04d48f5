#include "app/options.h"

#include <charconv>
#include <string>

#include "app/build_info.h"

namespace zelph::app {

namespace {

bool ParseNumber(const std::string& text, std::uint32_t& out) {
  auto [ptr, ec] = std::from_chars(text.data(), text.data() + text.size(), out);
  return ec == std::errc() && ptr == text.data() + text.size() && !text.empty();
}

}  // namespace

OptionsResult ParseOptions(const std::vector<std::string>& args) {
  Options o;
  std::vector<std::string> rest;
  for (std::size_t i = 0; i < args.size(); ++i) {
    const std::string& a = args[i];
    if (!a.starts_with("--")) {
      rest.push_back(a);
      continue;
    }
    std::string name = a, value;
    bool hasValue = false;
    if (auto eq = a.find('='); eq != std::string::npos) {
      name = a.substr(0, eq);
      value = a.substr(eq + 1);
      hasValue = true;
    }
    auto takeValue = [&](std::string& out) {
      if (hasValue) {
        out = value;
        return true;
      }
      if (i + 1 >= args.size()) return false;
      out = args[++i];
      return true;
    };
    std::string v;
    if (name == "--help") {
      o.help = true;
    } else if (name == "--version") {
      o.version = true;
    } else if (name == "--headless") {
      o.headless = true;
    } else if (name == "--sound") {
      o.sound = true;
    } else if (name == "--fullscreen") {
      o.fullScreen = true;
    } else if (name == "--exit-on-deactivate") {
      o.exitOnDeactivate = true;
    } else if (name == "--lockstep") {
      o.lockstep = true;
    } else if (name == "--home" || name == "--data" || name == "--input") {
      if (!takeValue(v) || v.empty()) return {std::nullopt, name + " needs a path"};
      (name == "--home" ? o.home : name == "--data" ? o.data : o.inputScript) = v;
    } else if (name == "--screenshot" || name == "--dump") {
      std::uint32_t frame = 0;
      std::size_t colon = std::string::npos;
      if (takeValue(v)) colon = v.find(':');
      if (colon == std::string::npos || colon + 1 >= v.size() || !ParseNumber(v.substr(0, colon), frame) ||
          frame == 0) {
        return {std::nullopt, name + (name == "--dump" ? " needs FRAME:FILE" : " needs FRAME:FILE.png") +
                                  " with a frame from 1"};
      }
      (name == "--dump" ? o.dumps : o.screenshots).push_back({frame, v.substr(colon + 1)});
    } else if (name == "--play") {
      // DIFFICULTY:LEVEL is optional; a following argument counts as it only when it has that form.
      std::string pair = hasValue ? value : "";
      if (!hasValue && i + 1 < args.size() && args[i + 1].find(':') != std::string::npos &&
          !args[i + 1].starts_with("--")) {
        pair = args[++i];
      }
      Options::Play play;
      if (!pair.empty()) {
        const std::size_t colon = pair.find(':');
        if (colon == std::string::npos || !ParseNumber(pair.substr(0, colon), play.difficulty) ||
            !ParseNumber(pair.substr(colon + 1), play.level) || play.difficulty == 0 || play.level == 0) {
          return {std::nullopt, "--play takes DIFFICULTY:LEVEL, each from 1"};
        }
      }
      o.play = play;
    } else if (name == "--scale") {
      if (!takeValue(v) || !ParseNumber(v, o.scale) || o.scale == 0 || o.scale > kMaxScale) {
        return {std::nullopt, "--scale needs a whole number from 1 to " + std::to_string(kMaxScale)};
      }
    } else if (name == "--frames" || name == "--seed") {
      std::uint32_t n = 0;
      if (!takeValue(v) || !ParseNumber(v, n)) return {std::nullopt, name + " needs a whole number"};
      if (name == "--frames") {
        o.frames = n;
      } else {
        o.seed = n;
      }
    } else {
      return {std::nullopt, "unknown option " + a};
    }
    if (hasValue && (name == "--help" || name == "--version" || name == "--headless" || name == "--sound" ||
                     name == "--fullscreen" || name == "--exit-on-deactivate" || name == "--lockstep")) {
      return {std::nullopt, name + " takes no value"};
    }
  }
  for (std::size_t i = 0; i < rest.size(); ++i) {
    if (i) o.commandLine += ' ';
    o.commandLine += rest[i];
  }
  return {o, {}};
}

std::string UsageText(const char* programName) {
  return std::string("Usage: ") + programName +
         " [options] [/NoCloseFS]\n"
         "\n"
         "Options:\n"
         "  --home DIR            the game's home folder (registry, settings, scores, screenshots)\n"
         "  --data DIR            where the default resource packs are\n"
         "  --fullscreen          start full screen (Alt+Enter or F11 toggles it)\n"
         "  --scale N             open the window at N times the picture size (default: the largest\n"
         "                        whole scale that fits the desktop, at most 3)\n"
         "  --headless            no window and no sound device (for tests)\n"
         "  --sound               with --headless: a sound device after all, the one SDL_AUDIODRIVER names\n"
         "  --frames N            end normally after N drawn frames\n"
         "  --lockstep            alternate one tick and one draw per frame, without pacing\n"
         "  --seed N              start games from this random seed\n"
         "  --input FILE          play a script of input events (see the README)\n"
         "  --screenshot N:FILE   write the picture after drawn frame N as a PNG (repeatable)\n"
         "  --dump N:FILE         write the game state after drawn frame N as text (repeatable)\n"
         "  --play [D:L]          start straight on the game screen, at difficulty D, level L (default 1:1)\n"
         "  --exit-on-deactivate  end the game when another window takes the focus\n"
         "  --version             show the version and build\n"
         "  --help                show this text\n";
}

std::string VersionText(const char* programName) {
  return std::string(programName) + " " + kGameVersion + "\nbuild " + BuildId() + "\n";
}

}  // namespace zelph::app
