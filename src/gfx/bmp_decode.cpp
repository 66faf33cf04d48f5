// BMP pictures, read by hand: the core (12-byte) and information (40 bytes and longer) headers; 1, 4 and 8
// bits per pixel through a colour table, plain or run-length encoded (8-bit and 4-bit forms); 24 bits per
// pixel; rows stored bottom-up or top-down. Every field is checked against the bytes before it is used.
#include <algorithm>
#include <array>
#include <cstdlib>

#include "gfx/byte_reader.h"
#include "gfx/image_decode.h"
#include "gfx/image_decoders.h"
#include "gfx/pixel.h"

namespace zelph::gfx {
namespace {

constexpr std::uint32_t kCoreHeaderSize = 12;
constexpr std::uint32_t kInfoHeaderSize = 40;
constexpr std::uint32_t kLargestInfoHeader = 124;  // the version 5 header

enum Compression : std::uint32_t { kPlain = 0, kRle8 = 1, kRle4 = 2 };

struct BmpInfo {
  std::int32_t width = 0;
  std::int32_t height = 0;
  bool topDown = false;
  std::uint32_t bitsPerPixel = 0;
  std::uint32_t compression = kPlain;
  std::uint32_t tableEntries = 0;
  std::uint32_t tableEntrySize = 4;
};

Pixel FromBgr(std::uint8_t b, std::uint8_t g, std::uint8_t r) {
  return ColorToPixel(Color{r} | Color{g} << 8 | Color{b} << 16);
}

// Reads the information header at the reader's position; false for anything this decoder cannot draw.
bool ReadInfo(ByteReader& in, BmpInfo& info) {
  const std::uint32_t headerSize = in.U32();
  std::int64_t width = 0, height = 0;
  std::uint32_t colorsUsed = 0;
  if (headerSize == kCoreHeaderSize) {
    width = in.U16();
    height = in.U16();
    in.U16();  // planes
    info.bitsPerPixel = in.U16();
    info.tableEntrySize = 3;
  } else if (headerSize >= kInfoHeaderSize && headerSize <= kLargestInfoHeader) {
    width = in.S32();
    height = in.S32();
    in.U16();  // planes
    info.bitsPerPixel = in.U16();
    info.compression = in.U32();
    in.Skip(12);  // image size, resolution
    colorsUsed = in.U32();
    in.Skip(headerSize - 36);
  } else {
    return false;
  }
  if (in.Failed()) return false;
  info.topDown = height < 0;
  height = std::llabs(height);
  if (!PictureSizeAllowed(width, height)) return false;
  info.width = static_cast<std::int32_t>(width);
  info.height = static_cast<std::int32_t>(height);

  switch (info.bitsPerPixel) {
    case 1:
    case 4:
    case 8:
    case 24:
      break;
    default:
      return false;  // 16 and 32 bits per pixel are not read
  }
  const bool rleMatches = (info.compression == kRle8 && info.bitsPerPixel == 8) ||
                          (info.compression == kRle4 && info.bitsPerPixel == 4);
  if (info.compression != kPlain && !rleMatches) return false;
  if (info.bitsPerPixel <= 8) {
    const std::uint32_t most = 1u << info.bitsPerPixel;
    info.tableEntries = colorsUsed == 0 || colorsUsed > most ? most : colorsUsed;
  }
  return true;
}

// Places pixels by stored row (0 = first row in the data) and column; everything outside is dropped.
class RowWriter {
 public:
  RowWriter(Surface& target, const BmpInfo& info) : target_(target), info_(info) {}
  void Put(std::int64_t x, std::int64_t storedRow, Pixel p) {
    if (x < 0 || x >= info_.width || storedRow < 0 || storedRow >= info_.height) return;
    const auto row = static_cast<std::int32_t>(storedRow);
    target_.Row(info_.topDown ? row : info_.height - 1 - row)[x] = p;
  }

 private:
  Surface& target_;
  const BmpInfo& info_;
};

class Palette {
 public:
  // Indices beyond the table draw black.
  Pixel operator[](std::uint32_t index) const { return index < size_ ? colors_[index] : 0; }
  void Add(Pixel p) { colors_[size_++] = p; }

 private:
  std::array<Pixel, 256> colors_{};
  std::uint32_t size_ = 0;
};

void DecodePlain(ByteReader& in, const BmpInfo& info, const Palette& palette, RowWriter& out) {
  const std::size_t stride = (static_cast<std::size_t>(info.width) * info.bitsPerPixel + 31) / 32 * 4;
  for (std::int32_t r = 0; r < info.height; ++r) {
    std::span<const std::uint8_t> row = in.Bytes(stride);
    for (std::int32_t x = 0; x < info.width; ++x) {
      if (info.bitsPerPixel == 24) {
        out.Put(x, r, FromBgr(row[3 * x], row[3 * x + 1], row[3 * x + 2]));
        continue;
      }
      const std::size_t bit = static_cast<std::size_t>(x) * info.bitsPerPixel;
      const std::uint32_t shift = 8 - info.bitsPerPixel - bit % 8;
      out.Put(x, r, palette[(row[bit / 8] >> shift) & ((1u << info.bitsPerPixel) - 1)]);
    }
  }
}

// The 8-bit and 4-bit run-length forms: (count, colour) runs, and after a zero count: 0 end of row, 1 end of
// picture, 2 a move, 3 or more a literal run padded to a 16-bit boundary. Data that ends before the end
// code while rows remain is refused.
bool DecodeRle(ByteReader& in, const BmpInfo& info, const Palette& palette, RowWriter& out) {
  const bool four = info.compression == kRle4;
  std::int64_t x = 0, row = 0;
  while (row < info.height) {
    const std::uint8_t count = in.U8(), value = in.U8();
    if (in.Failed()) return false;
    if (count > 0) {
      for (int i = 0; i < count; ++i, ++x) {
        const std::uint8_t index = four ? (i % 2 == 0 ? value >> 4 : value & 0xF) : value;
        out.Put(x, row, palette[index]);
      }
      continue;
    }
    if (value == 0) {
      x = 0;
      ++row;
    } else if (value == 1) {
      return true;
    } else if (value == 2) {
      x += in.U8();
      row += in.U8();
    } else {
      const std::size_t bytes = four ? (value + 1u) / 2 : value;
      std::span<const std::uint8_t> literal = in.Bytes(bytes);
      if (in.Failed()) return false;
      for (int i = 0; i < value; ++i, ++x) {
        const std::uint8_t index = four ? (i % 2 == 0 ? literal[static_cast<std::size_t>(i / 2)] >> 4
                                                      : literal[static_cast<std::size_t>(i / 2)] & 0xF)
                                        : literal[static_cast<std::size_t>(i)];
        out.Put(x, row, palette[index]);
      }
      if (bytes % 2 == 1) in.Skip(1);
    }
    if (in.Failed()) return false;
  }
  return true;
}

}  // namespace

Result DecodeBmp(Surface& target, std::span<const std::uint8_t> data, std::uint32_t flags, bool fileForm) {
  ByteReader in(data);
  std::uint32_t pixelOffset = 0;
  if (fileForm) {
    if (in.U8() != 'B' || in.U8() != 'M') return GFX_E_BAD_IMAGE;
    in.Skip(8);  // file size, reserved
    pixelOffset = in.U32();
  }
  BmpInfo info;
  if (!ReadInfo(in, info)) return GFX_E_BAD_IMAGE;

  Palette palette;
  if (info.bitsPerPixel <= 8) {
    // A file's table ends where its pixels begin: writers of the short header size it that way.
    if (fileForm && pixelOffset >= in.Position()) {
      info.tableEntries = std::min<std::uint32_t>(
          info.tableEntries, static_cast<std::uint32_t>((pixelOffset - in.Position()) / info.tableEntrySize));
    }
    if (info.tableEntries == 0) return GFX_E_BAD_IMAGE;
    for (std::uint32_t i = 0; i < info.tableEntries; ++i) {
      std::span<const std::uint8_t> entry = in.Bytes(info.tableEntrySize);
      if (in.Failed()) return GFX_E_BAD_IMAGE;
      palette.Add(FromBgr(entry[0], entry[1], entry[2]));
    }
  }
  if (fileForm) in.Seek(pixelOffset);
  if (in.Failed()) return GFX_E_BAD_IMAGE;
  if (info.compression == kPlain) {
    const std::uint64_t stride =
        (std::uint64_t{static_cast<std::uint32_t>(info.width)} * info.bitsPerPixel + 31) / 32 * 4;
    if (stride * static_cast<std::uint64_t>(info.height) > in.Remaining()) return GFX_E_BAD_IMAGE;
  }

  if (Result r = target.CreateSurface(flags | kCreateClear, info.width, info.height); Failed(r)) return r;
  RowWriter out(target, info);
  if (info.compression == kPlain) {
    DecodePlain(in, info, palette, out);
  } else if (!DecodeRle(in, info, palette, out)) {
    target.CreateSurface(0, 0, 0);
    return GFX_E_BAD_IMAGE;
  }
  return S_OK;
}

}  // namespace zelph::gfx
