// PNG pictures from memory through libpng, widened to 8-bit RGBA rows and then packed to RGB 565 (or, with
// kLoadAlphaAsGrey, the alpha byte as a grey pixel).
//
// libpng reports errors by longjmp, so everything it can jump out of lives in small functions that own no
// C++ objects; buffers are allocated between the header pass and the pixel pass.
#include <png.h>

#include <csetjmp>
#include <cstring>
#include <memory>
#include <new>

#include "gfx/image_decode.h"
#include "gfx/image_decoders.h"
#include "gfx/pixel.h"

namespace zelph::gfx {
namespace {

// Deflate cannot expand data by much more than 1032 to 1: a header that promises more pixels than its
// bytes could ever hold is refused before the picture is allocated.
constexpr std::uint64_t kMaxInflateRatio = 1100;

struct MemorySource {
  const std::uint8_t* data;
  std::size_t size;
  std::size_t pos;
};

void ReadFromMemory(png_structp png, png_bytep out, png_size_t length) {
  auto* src = static_cast<MemorySource*>(png_get_io_ptr(png));
  if (length > src->size - src->pos) png_error(png, "Read Error");
  std::memcpy(out, src->data + src->pos, length);
  src->pos += length;
}

[[noreturn]] void OnError(png_structp png, png_const_charp) { png_longjmp(png, 1); }
void OnWarning(png_structp, png_const_charp) {}

struct PngReader {
  png_structp png = nullptr;
  png_infop info = nullptr;
  ~PngReader() { png_destroy_read_struct(&png, info ? &info : nullptr, nullptr); }
};

struct PngShape {
  png_uint_32 width = 0;
  png_uint_32 height = 0;
  std::uint64_t storedBytes = 0;  // the filtered rows as stored, before any transformation
  std::size_t rowBytes = 0;       // after the transformations
};

// Reads the chunks before the pixels and sets up the transformations to 8-bit RGBA.
bool ReadHeader(PngReader& r, MemorySource& source, PngShape& shape) {
  if (setjmp(png_jmpbuf(r.png))) return false;
  png_set_read_fn(r.png, &source, ReadFromMemory);
  png_set_user_limits(r.png, kMaxImageSide, kMaxImageSide);
  png_read_info(r.png, r.info);
  int depth = 0, colour = 0;
  png_get_IHDR(r.png, r.info, &shape.width, &shape.height, &depth, &colour, nullptr, nullptr, nullptr);
  shape.storedBytes = std::uint64_t{shape.height} * (png_get_rowbytes(r.png, r.info) + 1);
  const bool transparency = png_get_valid(r.png, r.info, PNG_INFO_tRNS) != 0;
  png_set_expand(r.png);  // palette to RGB, grey below 8 bits to 8, transparency chunk to alpha
  png_set_strip_16(r.png);
  png_set_gray_to_rgb(r.png);
  if (!(colour & PNG_COLOR_MASK_ALPHA) && !transparency) png_set_filler(r.png, 0xFF, PNG_FILLER_AFTER);
  png_set_interlace_handling(r.png);
  png_read_update_info(r.png, r.info);
  shape.rowBytes = png_get_rowbytes(r.png, r.info);
  return true;
}

bool ReadRows(PngReader& r, png_bytepp rows) {
  if (setjmp(png_jmpbuf(r.png))) return false;
  png_read_image(r.png, rows);
  return true;
}

}  // namespace

Result DecodePng(Surface& target, std::span<const std::uint8_t> data, std::uint32_t flags) {
  if (data.size() < sizeof kPngSignature ||
      std::memcmp(data.data(), kPngSignature, sizeof kPngSignature) != 0) {
    return GFX_E_BAD_IMAGE;
  }
  PngReader r;
  r.png = png_create_read_struct(PNG_LIBPNG_VER_STRING, nullptr, OnError, OnWarning);
  if (!r.png) return E_OUTOFMEMORY;
  r.info = png_create_info_struct(r.png);
  if (!r.info) return E_OUTOFMEMORY;

  MemorySource source{data.data(), data.size(), 0};
  PngShape shape;
  if (!ReadHeader(r, source, shape)) return GFX_E_BAD_IMAGE;
  if (shape.width == 0 || shape.height == 0 || shape.rowBytes != std::size_t{shape.width} * 4 ||
      shape.storedBytes > std::uint64_t{data.size()} * kMaxInflateRatio) {
    return GFX_E_BAD_IMAGE;
  }

  const auto w = static_cast<std::int32_t>(shape.width), h = static_cast<std::int32_t>(shape.height);
  std::unique_ptr<std::uint8_t[]> rgba(new (std::nothrow) std::uint8_t[shape.rowBytes * shape.height]);
  std::unique_ptr<png_bytep[]> rows(new (std::nothrow) png_bytep[shape.height]);
  if (!rgba || !rows) return E_OUTOFMEMORY;
  for (png_uint_32 y = 0; y < shape.height; ++y) rows[y] = rgba.get() + y * shape.rowBytes;

  if (Result res = target.CreateSurface(flags | kCreateClear, w, h); Failed(res)) return res;
  if (!ReadRows(r, rows.get())) {
    target.CreateSurface(0, 0, 0);
    return GFX_E_BAD_IMAGE;
  }
  // Another pixel format would need other packing; the picture stays black there.
  if (!target.Context().IsRgb565()) return S_OK;

  const bool alphaAsGrey = (flags & kLoadAlphaAsGrey) != 0;
  for (std::int32_t y = 0; y < h; ++y) {
    const std::uint8_t* in = rows[static_cast<std::size_t>(y)];
    Pixel* out = target.Row(y);
    for (std::int32_t x = 0; x < w; ++x, in += 4) {
      out[x] = alphaAsGrey ? GreyToPixel(in[3])
                           : ColorToPixel(Color{in[0]} | Color{in[1]} << 8 | Color{in[2]} << 16);
    }
  }
  return S_OK;
}

}  // namespace zelph::gfx
