// Writes an RGB 565 picture as a PNG file: screenshots for players, and pictures tests can look at.
#pragma once

#include <cstdint>
#include <filesystem>

namespace zelph::gfx {

// `pitchBytes` is the distance between rows. The file is written whole or not at all.
bool WritePngRgb565(const std::filesystem::path& path, const std::uint16_t* pixels, int width, int height,
                    int pitchBytes);

// 8-bit samples, rows packed without padding: `channels` 1 writes grey, 3 writes RGB.
bool WritePng8(const std::filesystem::path& path, const std::uint8_t* samples, int width, int height,
               int channels);

}  // namespace zelph::gfx
