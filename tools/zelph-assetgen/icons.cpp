#include "icons.h"

#include <algorithm>

#include <charconv>
#include <filesystem>

#include "files.h"
#include "jobs.h"
#include "shapes.h"
#include "wood.h"

namespace zelph::assetgen {

namespace {

// Every shape is placed on a 256-unit grid and scaled, so the sizes differ only in detail.
int At(int units, int size) { return units * size * kSub / 256; }

Mask PolygonMask(int size, const int* corners256, int count) {
  std::vector<int> c(static_cast<std::size_t>(count) * 2);
  for (int i = 0; i < count * 2; ++i) c[static_cast<std::size_t>(i)] = At(corners256[i], size);
  Mask m(size, size);
  for (int y = 0; y < size; ++y) {
    for (int x = 0; x < size; ++x) {
      m.At(x, y) = static_cast<std::uint16_t>(
          CoverageFromDistance(PolygonDistance(x * kSub + kSub / 2, y * kSub + kSub / 2, c.data(), count)));
    }
  }
  return m;
}

}  // namespace

Image DrawIcon(int size) {
  Image icon(size, size);
  const int margin = size / 16;
  const Mask panel = RoundedRectMask(size, size, margin, margin, size - margin, size - margin, size / 8);

  // The uncovered picture: a dusk sky, showing where the wood was captured.
  Fill(icon, Color{0x2C, 0x4A, 0x8C});
  Image wood = WoodTexture(size, size, HoneyWood(), 7);
  const int cutCorners[] = {16, 120, 150, 120, 150, 240, 240, 240, 240, 16, 16, 16};
  Mask cover = PolygonMask(size, cutCorners, 6);
  ClipToMask(wood, cover);
  DrawImage(icon, wood, 0, 0);

  // The laser from the emitter at the top to the head, and the head itself.
  Mask beam(size, size);
  DrawCapsule(beam, At(150, size), At(24, size), At(150, size), At(150, size), std::max(kSub / 2, At(5, size)));
  PaintMask(icon, beam, 0, 0, Color{0xFF, 0x30, 0x20});
  Mask glow = Blur(beam, std::max(1, size / 48));
  PaintMask(icon, glow, 0, 0, Color{0xFF, 0x90, 0x60}, kOne / 2);
  Mask head = CircleMask(size, size, At(150, size), At(150, size), At(24, size));
  PaintMask(icon, head, 0, 0, Color{0x30, 0x30, 0x38});
  Mask core = CircleMask(size, size, At(150, size), At(150, size), At(11, size));
  PaintMask(icon, core, 0, 0, Color{0xFF, 0xE0, 0x40});

  ClipToMask(icon, panel);
  return icon;
}

std::vector<std::uint8_t> StraightRgba(const Image& img) {
  std::vector<std::uint8_t> out;
  out.reserve(img.px.size() * 4);
  for (const Px& p : img.px) {
    auto channel = [&p](int c) {
      return static_cast<std::uint8_t>(p.a == 0 ? 0 : std::min(255, (c * 255 + p.a / 2) / p.a));
    };
    out.push_back(channel(p.r));
    out.push_back(channel(p.g));
    out.push_back(channel(p.b));
    out.push_back(static_cast<std::uint8_t>((p.a * 255 + kOne / 2) / kOne));
  }
  return out;
}

bool RunIconsJob(const JobOptions& options, std::string& error) {
  const std::string& sizes = options.description;
  for (std::size_t start = 0; start <= sizes.size();) {
    std::size_t end = sizes.find(',', start);
    if (end == std::string::npos) end = sizes.size();
    int size = 0;
    auto [ptr, ec] = std::from_chars(sizes.data() + start, sizes.data() + end, size);
    if (ec != std::errc() || ptr != sizes.data() + end || size < 16 || size > 1024) {
      error = "icon sizes are whole numbers from 16 to 1024, separated by commas: " + sizes;
      return false;
    }
    const std::vector<std::uint8_t> png = EncodePngRgba(size, size, StraightRgba(DrawIcon(size)));
    const std::filesystem::path file =
        std::filesystem::path(options.outDir) / ("orv-zelph-" + std::to_string(size) + ".png");
    if (png.empty() || !WriteIfChanged(file, png, error)) {
      if (error.empty()) error = "cannot encode " + file.string();
      return false;
    }
    start = end + 1;
  }
  return true;
}

}  // namespace zelph::assetgen
