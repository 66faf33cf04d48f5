#include "contact_sheet.h"

#include <algorithm>

#include "platform/utf8.h"

namespace zelph::assetgen {

namespace {

constexpr int kGap = 10;
constexpr int kLabelHeight = 16;

// What the alpha blit does with a grey weight g: nothing below 8, a plain copy from 244, else g >> 3 / 32.
int GameWeight(int g) {
  if ((g & 0xFC) >= 244) return kOne;
  return ((g & 0xFC) >> 3) * (kOne / 32);
}

}  // namespace

bool RenderContactSheet(const std::vector<SheetEntry>& entries, int width, int zoom, FaceCache& faces,
                        Image& sheet, std::string& error) {
  zoom = std::max(1, zoom);
  FontFace* face = faces.Get("DejaVuSans.ttf", error);
  if (!face || !face->SetPixelSize(11)) return false;
  // Lay out in rows, left to right.
  struct Place {
    int x, y;
  };
  std::vector<Place> places;
  int x = kGap, y = kGap, rowHeight = 0;
  for (const SheetEntry& e : entries) {
    const int w = std::max(e.picture.w * zoom, 120);
    if (x + w + kGap > width && x > kGap) {
      x = kGap;
      y += rowHeight + kGap;
      rowHeight = 0;
    }
    places.push_back({x, y});
    x += w + kGap;
    rowHeight = std::max(rowHeight, e.picture.h * zoom + kLabelHeight);
  }
  sheet = Image(width, y + rowHeight + kGap);
  for (int py = 0; py < sheet.h; ++py)
    for (int px = 0; px < sheet.w; ++px) {
      const bool light = ((px >> 3) + (py >> 3)) & 1;
      sheet.At(px, py) = Premultiply(light ? Color{0x9A, 0x9A, 0x9A} : Color{0x7A, 0x7A, 0x7A});
    }
  for (std::size_t i = 0; i < entries.size(); ++i) {
    const Encoded& p = entries[i].picture;
    for (int py = 0; py < p.h * zoom; ++py)
      for (int px = 0; px < p.w * zoom; ++px) {
        const std::size_t k = static_cast<std::size_t>(py / zoom) * p.w + px / zoom;
        const int weight = entries[i].hasAlpha ? GameWeight(p.alpha[k]) : kOne;
        const Color c{p.rgb[k * 3], p.rgb[k * 3 + 1], p.rgb[k * 3 + 2]};
        const int tx = places[i].x + px, ty = places[i].y + py;
        if (tx < sheet.w && ty < sheet.h) BlendOver(sheet.At(tx, ty), Premultiply(c), weight);
      }
    const std::u32string label = platform::DecodeUtf8(entries[i].label).value_or(U"?");
    TextLine line = RenderLine(*face, label, 0);
    PaintMask(sheet, line.mask, places[i].x, places[i].y + p.h * zoom + 2, Color{0xFF, 0xFF, 0xFF});
  }
  return true;
}

}  // namespace zelph::assetgen
