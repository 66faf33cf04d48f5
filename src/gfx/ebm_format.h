// The game's own picture format "eBM": a 48-byte little-endian header (magic, pixel format, size, data size,
// animation strip layout and colour key) followed by raw pixels. "565" data is RGB 565 in rows of even(width)
// pixels; "8GA" data is one grey byte per pixel in rows of exactly width bytes (alpha pictures).
#pragma once

#include <cstdint>
#include <optional>
#include <span>
#include <vector>

#include "gfx/gfx_result.h"
#include "gfx/pixel.h"
#include "gfx/surface.h"

namespace zelph::gfx {

inline constexpr std::size_t kEbmHeaderSize = 48;

enum class EbmFormat { k565, k8ga };

struct EbmHeader {
  EbmFormat format = EbmFormat::k565;
  std::uint32_t width = 0;
  std::uint32_t height = 0;
  std::uint32_t dataSize = 0;
  std::uint32_t frames = 1;  // 0 in the file is read as 1
  std::uint32_t frameWidth = 0;
  Color colorKey = 0;

  // Pixel bytes the picture needs: what a well-formed file's data size says.
  std::uint64_t NeededBytes() const;
};

// The header when `data` starts with the magic and a known pixel format; nothing is checked beyond that.
std::optional<EbmHeader> ReadEbmHeader(std::span<const std::uint8_t> data);

// Decodes a whole "eBM" file image into `target`: the sizes must be sane and the data the header announces
// must be there and large enough for the picture.
Result DecodeEbm(Surface& target, std::span<const std::uint8_t> data, std::uint32_t flags);

// A file image of `header` (its data size is set from the pixels) followed by `pixels`, which must hold
// NeededBytes() bytes.
std::vector<std::uint8_t> WriteEbm(EbmHeader header, std::span<const std::uint8_t> pixels);

// The "565" pixel data of a surface: rows of even(width) little-endian pixels, padding pixels zero.
std::vector<std::uint8_t> Ebm565Pixels(const Surface& surface);

}  // namespace zelph::gfx
