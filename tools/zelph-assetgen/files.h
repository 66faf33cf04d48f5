// Output files: PNG and "eBM" encoding, and writing that leaves unchanged files untouched so that build
// steps after the generator only rerun for what really changed.
#pragma once

#include <cstdint>
#include <filesystem>
#include <span>
#include <string>
#include <vector>

#include "raster.h"

namespace zelph::assetgen {

// 8-bit RGB (3 bytes per pixel) or grey (1 byte per pixel) PNG files in memory; empty on failure.
std::vector<std::uint8_t> EncodePngRgb(int w, int h, std::span<const std::uint8_t> rgb);
std::vector<std::uint8_t> EncodePngGrey(int w, int h, std::span<const std::uint8_t> grey);
// 8-bit RGBA (4 bytes per pixel, straight alpha).
std::vector<std::uint8_t> EncodePngRgba(int w, int h, std::span<const std::uint8_t> rgba);

// The game's own "eBM" picture format, which alone carries an animation strip: a 48-byte header (magic, pixel
// format, strip width and height, data size, frame count, frame width, colour key), then "565" pixels (rows
// padded to an even width, little-endian) or "8GA" grey bytes (rows of exactly the width). The colour key is
// black, as for PNG pictures, whose pixels under alpha 0 are black.
std::vector<std::uint8_t> EncodeEbm565(const Encoded& strip, int frames);
std::vector<std::uint8_t> EncodeEbm8ga(const Encoded& strip, int frames);

// Writes `bytes` unless the file already holds exactly them (through a temporary file and a rename, so an
// interrupted run never leaves half a file). Creates missing folders.
bool WriteIfChanged(const std::filesystem::path& path, std::span<const std::uint8_t> bytes,
                    std::string& error);
bool WriteIfChanged(const std::filesystem::path& path, const std::string& text, std::string& error);

// One output of a run, for the manifest that the packing step reads. Its lines are those of zelph-pack's
// manifests (identifier, resource name, type tag, file relative to the manifest), so a pack's manifest is
// the generator's manifests put together.
struct ManifestEntry {
  std::uint32_t id = 0;
  std::string type;
  std::string name;
  std::string file;
};
std::string ManifestText(const std::vector<ManifestEntry>& entries);

}  // namespace zelph::assetgen
