#include "gfx/image_decode.h"

#include <cstring>

#include "gfx/ebm_format.h"
#include "gfx/image_decoders.h"
#include "platform/file_io.h"
#include "platform/system_info.h"

namespace zelph::gfx {
namespace {

// A BMP file is only taken for one when there is more than its 14-byte file header.
constexpr std::size_t kMinBmpFile = 14;

}  // namespace

ImageFormat DetectImageFormat(std::span<const std::uint8_t> data) {
  if (ReadEbmHeader(data)) return ImageFormat::kEbm;
  if (data.size() >= sizeof kPngSignature &&
      std::memcmp(data.data(), kPngSignature, sizeof kPngSignature) == 0) {
    return ImageFormat::kPng;
  }
  if (data.size() >= kMinBmpFile && data[0] == 'B' && data[1] == 'M') return ImageFormat::kBmp;
  return ImageFormat::kUnknown;
}

Result DecodeImage(Surface& target, std::span<const std::uint8_t> data, std::uint32_t flags) {
  Result r = GFX_E_BAD_IMAGE;
  switch (DetectImageFormat(data)) {
    case ImageFormat::kEbm:
      r = DecodeEbm(target, data, flags);
      break;
    case ImageFormat::kPng:
      r = DecodePng(target, data, flags);
      break;
    case ImageFormat::kBmp:
      r = DecodeBmp(target, data, flags, /*fileForm=*/true);
      break;
    case ImageFormat::kUnknown:
      break;
  }
  // No half-decoded or stale picture is left behind (a locked or display surface refuses, and keeps its own).
  if (Failed(r)) target.CreateSurface(0, 0, 0);
  return r;
}

Result LoadImageFile(Surface& target, const std::filesystem::path& path, std::uint32_t flags) {
  if (path.empty()) return E_INVALIDARG;
  const std::filesystem::path full = path.is_absolute() ? path : platform::ModulePath().parent_path() / path;
  std::optional<std::vector<std::uint8_t>> bytes = platform::ReadWholeFile(full);
  if (!bytes) return GFX_E_FILE_NOT_FOUND;
  return DecodeImage(target, *bytes, flags);
}

}  // namespace zelph::gfx
