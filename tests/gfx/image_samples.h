// Small pictures built byte by byte for the decoder tests: BMP files of every form the game reads, PNG
// files written through libpng, and "eBM" files.
#pragma once

#include <png.h>

#include <array>
#include <cstdint>
#include <vector>

#include "gfx/ebm_format.h"
#include "gfx/pixel.h"

namespace zelph::gfx::samples {

using Bytes = std::vector<std::uint8_t>;

inline void Le16(Bytes& out, std::uint32_t v) {
  out.push_back(static_cast<std::uint8_t>(v));
  out.push_back(static_cast<std::uint8_t>(v >> 8));
}
inline void Le32(Bytes& out, std::uint32_t v) {
  for (int i = 0; i < 4; ++i) out.push_back(static_cast<std::uint8_t>(v >> (8 * i)));
}

struct Rgb {
  std::uint8_t r, g, b;
  Pixel ToPixel() const { return ColorToPixel(Color{r} | Color{g} << 8 | Color{b} << 16); }
};

struct BmpPicture {
  std::int32_t width = 0;
  std::int32_t height = 0;  // positive: bottom-up
  std::uint16_t bitsPerPixel = 8;
  std::uint32_t compression = 0;
  bool coreHeader = false;  // the 12-byte header with 3-byte table entries
  std::vector<Rgb> palette;
  Bytes data;  // the pixel data as stored
};

inline Bytes BuildBmp(const BmpPicture& s) {
  Bytes info;
  const std::size_t entrySize = s.coreHeader ? 3 : 4;
  if (s.coreHeader) {
    Le32(info, 12);
    Le16(info, static_cast<std::uint32_t>(s.width));
    Le16(info, static_cast<std::uint32_t>(s.height));
    Le16(info, 1);
    Le16(info, s.bitsPerPixel);
  } else {
    Le32(info, 40);
    Le32(info, static_cast<std::uint32_t>(s.width));
    Le32(info, static_cast<std::uint32_t>(s.height));
    Le16(info, 1);
    Le16(info, s.bitsPerPixel);
    Le32(info, s.compression);
    Le32(info, static_cast<std::uint32_t>(s.data.size()));
    Le32(info, 2835);
    Le32(info, 2835);
    Le32(info, static_cast<std::uint32_t>(s.palette.size()));
    Le32(info, 0);
  }
  for (const Rgb& c : s.palette) {
    info.push_back(c.b);
    info.push_back(c.g);
    info.push_back(c.r);
    if (entrySize == 4) info.push_back(0);
  }
  Bytes file = {'B', 'M'};
  Le32(file, static_cast<std::uint32_t>(14 + info.size() + s.data.size()));
  Le32(file, 0);
  Le32(file, static_cast<std::uint32_t>(14 + info.size()));
  file.insert(file.end(), info.begin(), info.end());
  file.insert(file.end(), s.data.begin(), s.data.end());
  return file;
}

// Rows of palette indices (top row first) packed as a plain BMP stores them: `bits` per pixel, rows padded
// to four bytes, bottom row first unless topDown.
inline Bytes PackIndexRows(const std::vector<std::vector<int>>& rows, int bits, bool topDown) {
  Bytes out;
  const std::size_t width = rows.empty() ? 0 : rows[0].size();
  const std::size_t stride = (width * static_cast<std::size_t>(bits) + 31) / 32 * 4;
  for (std::size_t i = 0; i < rows.size(); ++i) {
    const auto& row = rows[topDown ? i : rows.size() - 1 - i];
    Bytes packed(stride, 0);
    for (std::size_t x = 0; x < width; ++x) {
      const std::size_t bit = x * static_cast<std::size_t>(bits);
      packed[bit / 8] |= static_cast<std::uint8_t>(row[x] << (8 - bits - static_cast<int>(bit % 8)));
    }
    out.insert(out.end(), packed.begin(), packed.end());
  }
  return out;
}

// A PNG written by libpng from rows already in the file's sample layout.
struct PngPicture {
  std::uint32_t width = 0;
  std::uint32_t height = 0;
  int bitDepth = 8;
  int colorType = PNG_COLOR_TYPE_RGB;
  bool interlaced = false;
  std::vector<Rgb> palette;
  Bytes transparency;  // tRNS: alpha per palette entry
  std::vector<Bytes> rows;
};

inline void AppendToBytes(png_structp png, png_bytep data, png_size_t size) {
  auto* out = static_cast<Bytes*>(png_get_io_ptr(png));
  out->insert(out->end(), data, data + size);
}

inline Bytes BuildPng(const PngPicture& s) {
  Bytes out;
  png_structp png = png_create_write_struct(PNG_LIBPNG_VER_STRING, nullptr, nullptr, nullptr);
  png_infop info = png_create_info_struct(png);
  if (setjmp(png_jmpbuf(png))) {
    png_destroy_write_struct(&png, &info);
    return {};
  }
  png_set_write_fn(png, &out, AppendToBytes, nullptr);
  png_set_IHDR(png, info, s.width, s.height, s.bitDepth, s.colorType,
               s.interlaced ? PNG_INTERLACE_ADAM7 : PNG_INTERLACE_NONE, PNG_COMPRESSION_TYPE_DEFAULT,
               PNG_FILTER_TYPE_DEFAULT);
  std::vector<png_color> palette;
  for (const Rgb& c : s.palette) palette.push_back(png_color{c.r, c.g, c.b});
  if (!palette.empty()) png_set_PLTE(png, info, palette.data(), static_cast<int>(palette.size()));
  if (!s.transparency.empty()) {
    png_set_tRNS(png, info, s.transparency.data(), static_cast<int>(s.transparency.size()), nullptr);
  }
  png_write_info(png, info);
  std::vector<png_bytep> rows;
  for (const Bytes& row : s.rows) rows.push_back(const_cast<png_bytep>(row.data()));
  png_write_image(png, rows.data());
  png_write_end(png, nullptr);
  png_destroy_write_struct(&png, &info);
  return out;
}

// An 8-bit run-length BMP whose data is only the end code: a 60-byte file for a black picture of any size.
inline Bytes RunLengthBmp(std::int32_t width, std::int32_t height) {
  BmpPicture bmp;
  bmp.width = width;
  bmp.height = height;
  bmp.compression = 1;
  bmp.palette = {{9, 9, 9}};
  bmp.data = {0, 1};
  return BuildBmp(bmp);
}

// A black one-bit grey PNG: deflate makes its rows almost nothing (8 KB for 8192 x 8192).
inline Bytes OneBitPng(std::uint32_t width, std::uint32_t height, bool interlaced = false) {
  PngPicture png;
  png.width = width;
  png.height = height;
  png.bitDepth = 1;
  png.colorType = PNG_COLOR_TYPE_GRAY;
  png.interlaced = interlaced;
  png.rows.assign(height, Bytes((width + 7) / 8, 0));
  return BuildPng(png);
}

inline Bytes BuildEbm565(std::uint32_t width, std::uint32_t height, const std::vector<Pixel>& pixels,
                         std::uint32_t frames = 1, std::uint32_t frameWidth = 0, Color key = kMagenta) {
  // Rows of even(width) pixels; the padding pixel gets a value that must never show.
  Bytes data;
  const std::uint32_t pitch = (width + 1) & ~1u;
  for (std::uint32_t y = 0; y < height; ++y) {
    for (std::uint32_t x = 0; x < pitch; ++x) Le16(data, x < width ? pixels[y * width + x] : 0x1234);
  }
  EbmHeader h;
  h.format = EbmFormat::k565;
  h.width = width;
  h.height = height;
  h.frames = frames;
  h.frameWidth = frameWidth;
  h.colorKey = key;
  return WriteEbm(h, data);
}

}  // namespace zelph::gfx::samples
