#include "gfx/ebm_format.h"

#include <bit>
#include <cstring>

#include "gfx/byte_reader.h"
#include "gfx/image_decode.h"

namespace zelph::gfx {
namespace {

// "565" rows are copied into the buffer as they lie in the file.
static_assert(std::endian::native == std::endian::little, "eBM pixel data is little-endian");

constexpr std::uint8_t kMagic[4] = {'e', 'B', 'M', 0};
constexpr std::uint8_t kFormat565[4] = {'5', '6', '5', 0};
constexpr std::uint8_t kFormat8ga[4] = {'8', 'G', 'A', 0};

void PutLe32(std::vector<std::uint8_t>& out, std::uint32_t v) {
  for (int i = 0; i < 4; ++i) out.push_back(static_cast<std::uint8_t>(v >> (8 * i)));
}

}  // namespace

std::uint64_t EbmHeader::NeededBytes() const {
  if (format == EbmFormat::k565) return static_cast<std::uint64_t>(EvenUp(width)) * height * 2;
  return std::uint64_t{width} * height;
}

std::optional<EbmHeader> ReadEbmHeader(std::span<const std::uint8_t> data) {
  if (data.size() < kEbmHeaderSize || std::memcmp(data.data(), kMagic, 4) != 0) return std::nullopt;
  EbmHeader h;
  if (std::memcmp(data.data() + 4, kFormat565, 4) == 0) {
    h.format = EbmFormat::k565;
  } else if (std::memcmp(data.data() + 4, kFormat8ga, 4) == 0) {
    h.format = EbmFormat::k8ga;
  } else {
    return std::nullopt;
  }
  ByteReader in(data, 8);
  h.width = in.U32();
  h.height = in.U32();
  h.dataSize = in.U32();
  h.frames = in.U32();
  if (h.frames == 0) h.frames = 1;
  h.frameWidth = in.U32();
  h.colorKey = in.U32();
  return h;
}

Result DecodeEbm(Surface& target, std::span<const std::uint8_t> data, std::uint32_t flags) {
  const std::optional<EbmHeader> h = ReadEbmHeader(data);
  if (!h) return GFX_E_BAD_IMAGE;
  if (!PictureSizeAllowed(h->width, h->height)) return GFX_E_BAD_IMAGE;
  // The header's data size is only believed as far as the bytes really go, and must cover the picture.
  const std::uint64_t needed = h->NeededBytes();
  if (h->dataSize < needed || h->dataSize > data.size() - kEbmHeaderSize) return GFX_E_BAD_IMAGE;

  const auto w = static_cast<std::int32_t>(h->width), ht = static_cast<std::int32_t>(h->height);
  if (Result r = target.CreateSurface(flags, w, ht); Failed(r)) return r;
  const std::uint8_t* pixels = data.data() + kEbmHeaderSize;
  if (h->format == EbmFormat::k565) {
    std::memcpy(target.Pixels(), pixels, static_cast<std::size_t>(needed));
  } else {
    for (std::int32_t y = 0; y < ht; ++y) {
      Pixel* row = target.Row(y);
      const std::uint8_t* grey = pixels + static_cast<std::size_t>(y) * h->width;
      for (std::int32_t x = 0; x < w; ++x) row[x] = GreyToPixel(grey[x]);
    }
  }
  return S_OK;
}

std::vector<std::uint8_t> WriteEbm(EbmHeader header, std::span<const std::uint8_t> pixels) {
  std::vector<std::uint8_t> out(kMagic, kMagic + 4);
  const std::uint8_t* format = header.format == EbmFormat::k565 ? kFormat565 : kFormat8ga;
  out.insert(out.end(), format, format + 4);
  PutLe32(out, header.width);
  PutLe32(out, header.height);
  PutLe32(out, static_cast<std::uint32_t>(pixels.size()));
  PutLe32(out, header.frames);
  PutLe32(out, header.frameWidth);
  PutLe32(out, header.colorKey);
  out.resize(kEbmHeaderSize, 0);
  out.insert(out.end(), pixels.begin(), pixels.end());
  return out;
}

std::vector<std::uint8_t> Ebm565Pixels(const Surface& surface) {
  const std::int32_t w = surface.Width(), h = surface.Height();
  const auto rowPixels = static_cast<std::size_t>(EvenUp(w));
  std::vector<std::uint8_t> out(rowPixels * static_cast<std::size_t>(h) * 2, 0);
  for (std::int32_t y = 0; y < h; ++y) {
    const Pixel* row = surface.Row(y);
    std::uint8_t* dst = out.data() + static_cast<std::size_t>(y) * rowPixels * 2;
    for (std::int32_t x = 0; x < w; ++x) {
      dst[2 * x] = static_cast<std::uint8_t>(row[x] & 0xFF);
      dst[2 * x + 1] = static_cast<std::uint8_t>(row[x] >> 8);
    }
  }
  return out;
}

}  // namespace zelph::gfx
