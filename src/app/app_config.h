// The application's configuration record and the sound output's settings, filled at start-up.
#pragma once

#include <cstdint>
#include <string>

#include "platform/build_variant.h"

namespace zelph::app {

struct AppConfig {
  std::uintptr_t instance = 0;       // owner of the window class and icon; never 0 once filled
  std::string title;                 // window title; base of the class name
  std::string className;             // explicit class name; empty: title + " WndCls"
  std::uint32_t frameRate = 0;       // main loop frames per second (0 = ungoverned)
  std::uint32_t threadFrameRate = 0; // game thread; 0 = frameRate
  std::uint32_t displayFlags = 0;    // bits 0x10 and 0x1000 are also read by the frame
  std::uint32_t displayMode = 0;     // low four bits: orientation; 0x100: leave full screen as it is on exit
  std::uint32_t doubleClicks = 0;
  std::uint32_t runWhenInactive = 0;
  std::uint32_t keepOnDeactivate = 0;
  std::int32_t smallWidth = 0, smallHeight = 0, largeWidth = 0, largeHeight = 0;  // display size hints
  std::uint32_t bitsPerPixel = 0;    // 0 or 16
  std::uint32_t reserved15 = 0;
  std::uint32_t iconId = 0;
  std::uint32_t displayOptions = 0;  // kept with the configuration; not read by the frame
  std::uint32_t reserved18 = 0;
};

inline constexpr std::uint32_t kDisplayModeKeepFullScreen = 0x100;
inline constexpr std::uint32_t kDisplayFlagVsync = 0x1000;

struct SoundConfig {
  std::uint32_t sampleRate = 0;     // 0: no sound output
  std::uint32_t bitsPerSample = 0;  // 0: 16 bits, else 8
  std::uint32_t channelMode = 0;    // 1: stereo
  std::uint32_t musicChannels = 0;
  std::uint32_t soundChannels = 0;
};

// The game's command-line switch: the whole line, exactly.
inline constexpr const char* kNoCloseFsSwitch = "/NoCloseFS";
bool IsNoCloseFs(const std::string& commandLine);

// The values the game starts with for `variant`.
AppConfig MakeAppConfig(const platform::BuildVariant& variant, const std::string& commandLine);
SoundConfig MakeSoundConfig();

}  // namespace zelph::app
