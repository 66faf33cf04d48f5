#include "app/app_config.h"

namespace zelph::app {

bool IsNoCloseFs(const std::string& commandLine) { return commandLine == kNoCloseFsSwitch; }

AppConfig MakeAppConfig(const platform::BuildVariant& variant, const std::string& commandLine) {
  AppConfig c;
  c.instance = 1;  // there are no module handles here; any non-zero value names this program
  c.title = variant.title;
  c.frameRate = 30;
  c.threadFrameRate = 30;
  c.displayFlags = variant.displayFlags;
  c.displayMode = 0x1 | (IsNoCloseFs(commandLine) ? kDisplayModeKeepFullScreen : 0);
  c.smallWidth = variant.smallWidth;
  c.smallHeight = variant.smallHeight;
  c.largeWidth = variant.largeWidth;
  c.largeHeight = variant.largeHeight;
  c.iconId = 101;
  c.displayOptions = 0x400000;
  return c;
}

SoundConfig MakeSoundConfig() { return SoundConfig{22050, 0, 1, 1, 16}; }

}  // namespace zelph::app
