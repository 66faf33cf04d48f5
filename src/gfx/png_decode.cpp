// PNG pictures from memory through libpng, widened to 8-bit RGBA one row at a time and packed to RGB 565
// (or, with kLoadAlphaAsGrey, the alpha byte as a grey pixel) straight into the surface: the only memory
// besides the surface is one row.
//
// libpng reports errors by longjmp, so everything it can jump out of lives in small functions that own no
// C++ objects; the row buffer is allocated between the header pass and the pixel pass.
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
  int passes = 1;                 // 7 for an interlaced picture
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
  shape.passes = png_set_interlace_handling(r.png);
  png_read_update_info(r.png, r.info);
  shape.rowBytes = png_get_rowbytes(r.png, r.info);
  return true;
}

// The next row of the current pass. Of an interlaced picture libpng writes only this pass's pixels.
bool ReadRow(PngReader& r, png_bytep row) {
  if (setjmp(png_jmpbuf(r.png))) return false;
  png_read_row(r.png, row, nullptr);
  return true;
}

// The pixels of one RGBA row that `pass` brought, into the surface's row `out`.
void PackRow(const std::uint8_t* rgba, Pixel* out, std::int32_t width, int passes, int pass,
             bool alphaAsGrey) {
  const std::int32_t first = passes > 1 ? PNG_PASS_START_COL(pass) : 0;
  const std::int32_t step = passes > 1 ? 1 << PNG_PASS_COL_SHIFT(pass) : 1;
  for (std::int32_t x = first; x < width; x += step) {
    const std::uint8_t* in = rgba + 4 * static_cast<std::size_t>(x);
    out[x] = alphaAsGrey ? GreyToPixel(in[3])
                         : ColorToPixel(Color{in[0]} | Color{in[1]} << 8 | Color{in[2]} << 16);
  }
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
  if (!PictureSizeAllowed(shape.width, shape.height) || shape.rowBytes != std::size_t{shape.width} * 4 ||
      shape.storedBytes > std::uint64_t{data.size()} * kMaxInflateRatio) {
    return GFX_E_BAD_IMAGE;
  }

  const auto w = static_cast<std::int32_t>(shape.width), h = static_cast<std::int32_t>(shape.height);
  std::unique_ptr<std::uint8_t[]> row(new (std::nothrow) std::uint8_t[shape.rowBytes]);
  if (!row) return E_OUTOFMEMORY;
  if (Result res = target.CreateSurface(flags | kCreateClear, w, h); Failed(res)) return res;
  // Another pixel format would need other packing; the picture stays black there.
  const bool pack = target.Context().IsRgb565();
  const bool alphaAsGrey = (flags & kLoadAlphaAsGrey) != 0;
  for (int pass = 0; pass < shape.passes; ++pass) {
    for (std::int32_t y = 0; y < h; ++y) {
      if (!ReadRow(r, row.get())) {
        target.CreateSurface(0, 0, 0);
        return GFX_E_BAD_IMAGE;
      }
      if (pack && (shape.passes == 1 || PNG_ROW_IN_INTERLACE_PASS(y, pass))) {
        PackRow(row.get(), target.Row(y), w, shape.passes, pass, alphaAsGrey);
      }
    }
  }
  return S_OK;
}

}  // namespace zelph::gfx
