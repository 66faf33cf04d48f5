// The values that differ between the two programs built from these sources. Everything else is shared, so the
// libraries are compiled once and each program selects its variant at start-up.
#pragma once

#include <cstdint>
#include <string>

namespace zelph::platform {

struct BuildVariant {
  const char* programName;     // "zelph-vga" / "zelph-qvga"
  const char* homeFolderName;  // default home folder below $XDG_DATA_HOME
  const char* dataFolderName;  // the build's packs are in data/<this> beside the program
  const char* title;           // window title; also the base of the window class name
  const char* gameKey;         // registry key of the game under HKEY_LOCAL_MACHINE
  const char* shellKey;        // registry key of the companion shell
  std::uint32_t displayFlags;
  std::int32_t smallWidth, smallHeight, largeWidth, largeHeight;  // display size hints
  int screenWidth, screenHeight;  // logical screen size of the build
  bool isVga;
};

inline constexpr const char* kServiceSettingsKey = "SOFTWARE\\Orv Software House\\BluehollowService\\Settings";

const BuildVariant& VgaVariant();
const BuildVariant& QvgaVariant();

// The variant of this process. Programs select theirs first thing in main; until then (and in tests) it is
// the VGA variant.
const BuildVariant& Variant();
void SelectVariant(const BuildVariant& variant);

}  // namespace zelph::platform
