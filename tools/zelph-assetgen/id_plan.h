// The identifier plan of the game's own packs (assets/README.md explains it). Every job keeps its outputs
// inside its block, alpha pictures included (colour identifier + 0x8000), so packs never overlap and the
// ranges above them stay free for modders.
#pragma once

#include <cstdint>

namespace zelph::assetgen {

struct IdBlock {
  std::uint32_t first, last;
};

inline constexpr IdBlock kGuiPictureIds{0x01010000, 0x0101FFFF};
inline constexpr IdBlock kGuiFontIds{0x01020000, 0x0102FFFF};
inline constexpr IdBlock kSoundEffectIds{0x02010000, 0x0201FFFF};
inline constexpr IdBlock kMusicIds{0x02020000, 0x0202FFFF};
inline constexpr IdBlock kGamePictureIds{0x03010000, 0x0301FFFF};

}  // namespace zelph::assetgen
