// Writes an RGB 565 picture as a PNG file: screenshots for players, and pictures tests can look at.
#pragma once

#include <cstdint>
#include <filesystem>

namespace zelph::gfx {

// `pitchBytes` is the distance between rows. The file is written whole or not at all.
bool WritePngRgb565(const std::filesystem::path& path, const std::uint16_t* pixels, int width, int height,
                    int pitchBytes);

}  // namespace zelph::gfx
