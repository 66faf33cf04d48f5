#include "gfx/png_writer.h"

#include <png.h>

#include <vector>

#include "platform/file_io.h"

namespace zelph::gfx {

namespace {

void AppendBytes(png_structp png, png_bytep data, png_size_t length) {
  auto* out = static_cast<std::vector<std::uint8_t>*>(png_get_io_ptr(png));
  out->insert(out->end(), data, data + length);
}

void NoFlush(png_structp) {}

std::uint8_t Expand5(unsigned v) { return static_cast<std::uint8_t>((v << 3) | (v >> 2)); }
std::uint8_t Expand6(unsigned v) { return static_cast<std::uint8_t>((v << 2) | (v >> 4)); }

struct PngWriter {
  png_structp png = nullptr;
  png_infop info = nullptr;
  ~PngWriter() { png_destroy_write_struct(&png, info ? &info : nullptr); }
};

// libpng reports errors by longjmp: this frame owns no C++ objects for it to skip.
bool Encode(PngWriter& w, std::vector<std::uint8_t>* encoded, int width, int height, int channels,
            const PngRowSource& rowAt, png_bytep row) {
  if (setjmp(png_jmpbuf(w.png))) return false;
  png_set_write_fn(w.png, encoded, AppendBytes, NoFlush);
  png_set_IHDR(w.png, w.info, static_cast<png_uint_32>(width), static_cast<png_uint_32>(height), 8,
               channels == 1 ? PNG_COLOR_TYPE_GRAY : PNG_COLOR_TYPE_RGB, PNG_INTERLACE_NONE,
               PNG_COMPRESSION_TYPE_DEFAULT, PNG_FILTER_TYPE_DEFAULT);
  png_write_info(w.png, w.info);
  for (int y = 0; y < height; ++y) {
    rowAt(y, row);
    png_write_row(w.png, row);
  }
  png_write_end(w.png, nullptr);
  return true;
}

}  // namespace

bool WritePngRgb565(const std::filesystem::path& path, const std::uint16_t* pixels, int width, int height,
                    int pitchBytes) {
  if (!pixels || width <= 0 || height <= 0 || pitchBytes < width * 2) return false;
  return WritePngRows(path, width, height, 3, [&](int y, std::uint8_t* out) {
    const auto* row = reinterpret_cast<const std::uint16_t*>(reinterpret_cast<const std::uint8_t*>(pixels) +
                                                             static_cast<std::size_t>(y) * pitchBytes);
    for (int x = 0; x < width; ++x) {
      std::uint16_t p = row[x];
      out[x * 3 + 0] = Expand5(p >> 11);
      out[x * 3 + 1] = Expand6((p >> 5) & 0x3F);
      out[x * 3 + 2] = Expand5(p & 0x1F);
    }
  });
}

bool WritePngRows(const std::filesystem::path& path, int width, int height, int channels,
                  const PngRowSource& rowAt) {
  if (!rowAt || width <= 0 || height <= 0 || (channels != 1 && channels != 3)) return false;
  std::vector<std::uint8_t> row(static_cast<std::size_t>(width) * static_cast<std::size_t>(channels));
  std::vector<std::uint8_t> encoded;
  PngWriter w;
  w.png = png_create_write_struct(PNG_LIBPNG_VER_STRING, nullptr, nullptr, nullptr);
  if (!w.png) return false;
  w.info = png_create_info_struct(w.png);
  if (!w.info || !Encode(w, &encoded, width, height, channels, rowAt, row.data())) return false;
  return platform::WriteFileAtomically(path, std::span<const std::uint8_t>(encoded.data(), encoded.size()));
}

}  // namespace zelph::gfx
