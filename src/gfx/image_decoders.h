// The decoders behind DecodeImage, one per format. Each re-creates the target at the picture's size only
// after the picture's header has been checked, and leaves it empty when decoding fails.
#pragma once

#include <cstdint>
#include <span>

#include "gfx/gfx_result.h"
#include "gfx/surface.h"

namespace zelph::gfx {

inline constexpr std::uint8_t kPngSignature[8] = {0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n'};

Result DecodePng(Surface& target, std::span<const std::uint8_t> data, std::uint32_t flags);

// `fileForm`: a file header ("BM", 14 bytes) comes first; otherwise the data starts with the information
// header, as bitmaps stored in a program's resources do.
Result DecodeBmp(Surface& target, std::span<const std::uint8_t> data, std::uint32_t flags, bool fileForm);

}  // namespace zelph::gfx
