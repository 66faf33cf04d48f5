// Where the tests find the asset descriptions and the fonts, and a PNG reader that decodes the way the
// game does (to 5-6-5 pixels), independent of the generator's own code.
#pragma once

#include <png.h>

#include <cstdint>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "description.h"

namespace zelph::assetgen::test {

inline std::string AssetsDir() { return ZELPH_ASSETS_DIR; }
inline std::string FontsDir() { return ZELPH_FONTS_DIR; }

inline std::string ReadText(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  return std::string((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
}

inline std::vector<Item> LoadItems(const std::string& relative) {
  std::vector<Item> items;
  std::string error;
  if (!ParseDescription(ReadText(AssetsDir() + "/" + relative), items, error)) items.clear();
  return items;
}

struct Pixels565 {
  int w = 0, h = 0;
  std::vector<std::uint16_t> px;
  std::uint16_t At(int x, int y) const { return px[static_cast<std::size_t>(y) * w + x]; }
};

// The game's conversion: pixel = (R >> 3) << 11 | (G >> 2) << 5 | (B >> 3); grey pictures become grey RGB.
inline bool DecodePng565(const std::vector<std::uint8_t>& file, Pixels565& out) {
  png_image image{};
  image.version = PNG_IMAGE_VERSION;
  if (!png_image_begin_read_from_memory(&image, file.data(), file.size())) return false;
  image.format = PNG_FORMAT_RGB;
  std::vector<std::uint8_t> rgb(PNG_IMAGE_SIZE(image));
  if (!png_image_finish_read(&image, nullptr, rgb.data(), 0, nullptr)) return false;
  out.w = static_cast<int>(image.width);
  out.h = static_cast<int>(image.height);
  out.px.resize(static_cast<std::size_t>(out.w) * out.h);
  for (std::size_t i = 0; i < out.px.size(); ++i)
    out.px[i] = static_cast<std::uint16_t>(((rgb[i * 3] >> 3) << 11) | ((rgb[i * 3 + 1] >> 2) << 5) |
                                           (rgb[i * 3 + 2] >> 3));
  return true;
}

}  // namespace zelph::assetgen::test
