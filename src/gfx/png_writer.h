// Writes pictures as PNG files, one row at a time: screenshots for players, the image tool's decoded
// pictures, and pictures tests can look at. Besides the encoded file only one row is held.
#pragma once

#include <cstdint>
#include <filesystem>
#include <functional>

namespace zelph::gfx {

// `pitchBytes` is the distance between rows. The file is written whole or not at all.
bool WritePngRgb565(const std::filesystem::path& path, const std::uint16_t* pixels, int width, int height,
                    int pitchBytes);

// Fills `samples` (width × channels bytes) with row `y`.
using PngRowSource = std::function<void(int y, std::uint8_t* samples)>;

// 8-bit samples: `channels` 1 writes grey, 3 writes RGB; `rowAt` is asked for each row in turn. The file is
// written whole or not at all.
bool WritePngRows(const std::filesystem::path& path, int width, int height, int channels,
                  const PngRowSource& rowAt);

}  // namespace zelph::gfx
