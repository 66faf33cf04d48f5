#include "files.h"

#include <png.h>

#include <algorithm>
#include <cstdio>
#include <fstream>
#include <iterator>

#include "platform/file_io.h"

namespace zelph::assetgen {

namespace {

std::vector<std::uint8_t> EncodePng(int w, int h, std::span<const std::uint8_t> pixels, png_uint_32 format,
                                    int channels) {
  if (w <= 0 || h <= 0 || pixels.size() != static_cast<std::size_t>(w) * h * channels) return {};
  png_image image{};
  image.version = PNG_IMAGE_VERSION;
  image.width = static_cast<png_uint_32>(w);
  image.height = static_cast<png_uint_32>(h);
  image.format = format;
  png_alloc_size_t size = 0;
  if (!png_image_write_get_memory_size(image, size, 0, pixels.data(), 0, nullptr)) return {};
  std::vector<std::uint8_t> out(size);
  if (!png_image_write_to_memory(&image, out.data(), &size, 0, pixels.data(), 0, nullptr)) return {};
  out.resize(size);
  return out;
}

}  // namespace

std::vector<std::uint8_t> EncodePngRgb(int w, int h, std::span<const std::uint8_t> rgb) {
  return EncodePng(w, h, rgb, PNG_FORMAT_RGB, 3);
}

std::vector<std::uint8_t> EncodePngGrey(int w, int h, std::span<const std::uint8_t> grey) {
  return EncodePng(w, h, grey, PNG_FORMAT_GRAY, 1);
}

std::vector<std::uint8_t> EncodePngRgba(int w, int h, std::span<const std::uint8_t> rgba) {
  return EncodePng(w, h, rgba, PNG_FORMAT_RGBA, 4);
}

namespace {

std::vector<std::uint8_t> EbmHeader(const char* format, int w, int h, std::uint32_t dataSize, int frames) {
  std::vector<std::uint8_t> out(48, 0);
  auto put = [&out](std::size_t at, std::uint32_t v) {
    for (int i = 0; i < 4; ++i) out[at + i] = static_cast<std::uint8_t>(v >> (8 * i));
  };
  out[0] = 'e';
  out[1] = 'B';
  out[2] = 'M';
  for (int i = 0; i < 3; ++i) out[4 + i] = static_cast<std::uint8_t>(format[i]);
  put(8, static_cast<std::uint32_t>(w));
  put(12, static_cast<std::uint32_t>(h));
  put(16, dataSize);
  put(20, static_cast<std::uint32_t>(frames));
  put(24, static_cast<std::uint32_t>(w / std::max(1, frames)));
  put(28, 0);  // colour key: black
  return out;
}

}  // namespace

std::vector<std::uint8_t> EncodeEbm565(const Encoded& strip, int frames) {
  const int pitch = (strip.w + 1) & ~1;
  std::vector<std::uint8_t> out =
      EbmHeader("565", strip.w, strip.h, static_cast<std::uint32_t>(pitch * strip.h * 2), frames);
  for (int y = 0; y < strip.h; ++y)
    for (int x = 0; x < pitch; ++x) {
      std::uint16_t p = 0;
      if (x < strip.w) {
        const std::uint8_t* c = &strip.rgb[(static_cast<std::size_t>(y) * strip.w + x) * 3];
        p = static_cast<std::uint16_t>(((c[0] >> 3) << 11) | ((c[1] >> 2) << 5) | (c[2] >> 3));
      }
      out.push_back(static_cast<std::uint8_t>(p));
      out.push_back(static_cast<std::uint8_t>(p >> 8));
    }
  return out;
}

std::vector<std::uint8_t> EncodeEbm8ga(const Encoded& strip, int frames) {
  std::vector<std::uint8_t> out =
      EbmHeader("8GA", strip.w, strip.h, static_cast<std::uint32_t>(strip.w * strip.h), frames);
  out.insert(out.end(), strip.alpha.begin(), strip.alpha.end());
  return out;
}

bool WriteIfChanged(const std::filesystem::path& path, std::span<const std::uint8_t> bytes,
                    std::string& error) {
  if (const auto old = platform::ReadWholeFile(path);
      old && old->size() == bytes.size() && std::equal(old->begin(), old->end(), bytes.begin()))
    return true;
  std::error_code ec;
  std::filesystem::create_directories(path.parent_path(), ec);
  const std::filesystem::path temp = path.string() + ".tmp";
  {
    std::ofstream out(temp, std::ios::binary | std::ios::trunc);
    out.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
    if (!out.flush()) {
      error = "cannot write " + temp.string();
      return false;
    }
  }
  std::filesystem::rename(temp, path, ec);
  if (ec) {
    error = "cannot rename " + temp.string() + ": " + ec.message();
    std::filesystem::remove(temp, ec);
    return false;
  }
  return true;
}

bool WriteIfChanged(const std::filesystem::path& path, const std::string& text, std::string& error) {
  return WriteIfChanged(path, std::span(reinterpret_cast<const std::uint8_t*>(text.data()), text.size()),
                        error);
}

std::string ManifestText(const std::vector<ManifestEntry>& entries) {
  std::string text = "# identifier name type file (written by zelph-assetgen)\n";
  char id[16];
  for (const ManifestEntry& e : entries) {
    std::snprintf(id, sizeof id, "0x%08X", e.id);
    text += std::string(id) + " " + e.name + " " + e.type + " " + e.file + "\n";
  }
  return text;
}

}  // namespace zelph::assetgen
