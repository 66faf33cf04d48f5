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

}  // namespace

bool WritePngRgb565(const std::filesystem::path& path, const std::uint16_t* pixels, int width, int height,
                    int pitchBytes) {
  if (!pixels || width <= 0 || height <= 0 || pitchBytes < width * 2) return false;
  std::vector<std::uint8_t> rgb(static_cast<std::size_t>(width) * height * 3);
  for (int y = 0; y < height; ++y) {
    const auto* row = reinterpret_cast<const std::uint16_t*>(reinterpret_cast<const std::uint8_t*>(pixels) +
                                                             static_cast<std::size_t>(y) * pitchBytes);
    std::uint8_t* out = &rgb[static_cast<std::size_t>(y) * width * 3];
    for (int x = 0; x < width; ++x) {
      std::uint16_t p = row[x];
      out[x * 3 + 0] = Expand5(p >> 11);
      out[x * 3 + 1] = Expand6((p >> 5) & 0x3F);
      out[x * 3 + 2] = Expand5(p & 0x1F);
    }
  }

  return WritePng8(path, rgb.data(), width, height, 3);
}

bool WritePng8(const std::filesystem::path& path, const std::uint8_t* samples, int width, int height,
               int channels) {
  if (!samples || width <= 0 || height <= 0 || (channels != 1 && channels != 3)) return false;
  const std::size_t rowBytes = static_cast<std::size_t>(width) * static_cast<std::size_t>(channels);
  std::vector<std::uint8_t> encoded;
  png_structp png = png_create_write_struct(PNG_LIBPNG_VER_STRING, nullptr, nullptr, nullptr);
  if (!png) return false;
  png_infop info = png_create_info_struct(png);
  if (!info) {
    png_destroy_write_struct(&png, nullptr);
    return false;
  }
  std::vector<png_bytep> rows(static_cast<std::size_t>(height));
  for (int y = 0; y < height; ++y)
    rows[y] = const_cast<png_bytep>(samples + static_cast<std::size_t>(y) * rowBytes);
  if (setjmp(png_jmpbuf(png))) {
    png_destroy_write_struct(&png, &info);
    return false;
  }
  png_set_write_fn(png, &encoded, AppendBytes, NoFlush);
  png_set_IHDR(png, info, static_cast<png_uint_32>(width), static_cast<png_uint_32>(height), 8,
               channels == 1 ? PNG_COLOR_TYPE_GRAY : PNG_COLOR_TYPE_RGB, PNG_INTERLACE_NONE,
               PNG_COMPRESSION_TYPE_DEFAULT, PNG_FILTER_TYPE_DEFAULT);
  png_write_info(png, info);
  png_write_image(png, rows.data());
  png_write_end(png, nullptr);
  png_destroy_write_struct(&png, &info);
  return platform::WriteFileAtomically(path, std::span<const std::uint8_t>(encoded.data(), encoded.size()));
}

}  // namespace zelph::gfx
