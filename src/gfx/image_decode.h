// Pictures into surfaces: the game's own "eBM" format ("565" colour and "8GA" grey), PNG and BMP, from
// memory or from a file. Every size and offset is checked against the bytes given, so a truncated or
// hostile picture answers GFX_E_BAD_IMAGE and leaves the surface empty.
#pragma once

#include <cstdint>
#include <filesystem>
#include <span>

#include "gfx/gfx_result.h"
#include "gfx/surface.h"

namespace zelph::gfx {

// Flag 0x002 rides along with the creation flags (which accept it without effect): a PNG's alpha channel is
// decoded as a grey picture, so one PNG can serve as both a picture and its alpha picture.
inline constexpr std::uint32_t kLoadAlphaAsGrey = 0x002;

// The one picture-size limit of every decoder, checked before anything is allocated: each side at most
// kMaxImageSide (an animation strip puts its frames side by side; the longest is some 7800 pixels) and at
// most kMaxImagePixels in all, a 32 MiB surface. Far above anything the game shows on its 640 x 480 screen.
inline constexpr std::int32_t kMaxImageSide = 8192;
inline constexpr std::int64_t kMaxImagePixels = 4096 * 4096;

// Whether a picture of this size may be decoded.
constexpr bool PictureSizeAllowed(std::int64_t width, std::int64_t height) {
  return width > 0 && height > 0 && width <= kMaxImageSide && height <= kMaxImageSide &&
         width * height <= kMaxImagePixels;
}

enum class ImageFormat { kUnknown, kEbm, kPng, kBmp };

// Which decoder `data` goes to: a valid "eBM" header, the PNG signature, or more than 13 bytes beginning
// "BM".
ImageFormat DetectImageFormat(std::span<const std::uint8_t> data);

// Re-creates `target` at the picture's size with `flags` (creation flags, plus kLoadAlphaAsGrey) and decodes
// into it. PNG and BMP pictures start from black. The colour key is left as it was.
Result DecodeImage(Surface& target, std::span<const std::uint8_t> data, std::uint32_t flags);

// The same from a file; a relative path is taken from the folder of the game's program.
// GFX_E_FILE_NOT_FOUND when the file cannot be read.
Result LoadImageFile(Surface& target, const std::filesystem::path& path, std::uint32_t flags);

}  // namespace zelph::gfx
