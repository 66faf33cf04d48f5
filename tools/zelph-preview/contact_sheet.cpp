#include "contact_sheet.h"

#include <algorithm>
#include <cstdio>
#include <map>
#include <memory>
#include <vector>

#include "config/pack_image.h"
#include "config/resource_pack.h"
#include "gfx/blit.h"
#include "gfx/image_decode.h"
#include "gfx/png_writer.h"
#include "gfx/surface.h"
#include "gfx/system_fonts.h"
#include "platform/file_io.h"

namespace zelph::preview {
namespace {

constexpr int kGap = 10;
constexpr int kMinCellWidth = 150;
// Pictures wider or taller than this are shown reduced, so a full-screen background does not fill a page.
constexpr int kMaxShownWidth = 330;
constexpr int kMaxShownHeight = 250;
// Our packs keep a picture's alpha picture at its identifier + 0x8000.
constexpr std::uint32_t kAlphaOffset = 0x8000;

constexpr gfx::Color kCheckLight = 0x9A9A9A;
constexpr gfx::Color kCheckDark = 0x7A7A7A;
constexpr gfx::Color kSheetBack = 0x302820;
constexpr gfx::Color kLabelColour = 0xFFFFFF;
constexpr gfx::Color kNameColour = 0xB0D0E0;

struct Picture {
  std::uint32_t id = 0;
  std::string name;
  gfx::Surface surface;
  const gfx::Surface* alpha = nullptr;  // its alpha picture, when the pack has one of the same size
  int divide = 1, zoom = 1;             // shown at size * zoom / divide
  int x = 0, y = 0;                     // place of the cell on the sheet
  int ShownWidth() const { return surface.Width() * zoom / divide; }
  int ShownHeight() const { return surface.Height() * zoom / divide; }
};

std::string Hex(std::uint32_t id) {
  char text[16];
  std::snprintf(text, sizeof text, "0x%08X", id);
  return text;
}

std::u16string Wide(const std::string& text) { return std::u16string(text.begin(), text.end()); }

// Cuts `text` until it fits `width` with the font.
std::u16string Fitted(const gfx::BitmapFont& font, std::string text, int width) {
  while (!text.empty() && font.TextWidth(Wide(text)) > width) text.pop_back();
  return Wide(text);
}

void Checkerboard(gfx::Surface& sheet, const gfx::Rect& area) {
  for (int y = area.top; y < area.bottom; y += 8)
    for (int x = area.left; x < area.right; x += 8) {
      const gfx::Rect cell{x, y, std::min(x + 8, area.right), std::min(y + 8, area.bottom)};
      gfx::FillRect(sheet, &cell, (((x - area.left) ^ (y - area.top)) & 8) ? kCheckLight : kCheckDark);
    }
}

// The picture as the game would show it: through its alpha picture, else with black as the colour key (the
// key of every PNG picture), scaled when the cell shows it at another size.
void DrawPicture(gfx::Surface& sheet, const Picture& p) {
  const gfx::Rect at{p.x, p.y, p.x + p.ShownWidth(), p.y + p.ShownHeight()};
  Checkerboard(sheet, at);
  if (p.zoom == 1 && p.divide == 1) {
    if (p.alpha)
      gfx::AlphaBlt(sheet, p.x, p.y, &p.surface, nullptr, p.alpha, nullptr);
    else
      gfx::Blt(sheet, p.x, p.y, &p.surface, nullptr, gfx::kBltColorKey);
    return;
  }
  gfx::StretchBlt(sheet, &at, &p.surface, nullptr, gfx::kBltColorKey);
}

}  // namespace

bool WriteContactSheet(const std::filesystem::path& packPath, const std::filesystem::path& out,
                       const SheetOptions& options, std::string& error) {
  auto file = platform::ReadWholeFile(packPath);
  if (!file) {
    error = "cannot read " + packPath.string();
    return false;
  }
  auto image = config::ReadPackImage(*file, error);
  if (!image) return false;
  config::ResourcePack pack;
  if (!pack.Open(packPath)) {
    error = packPath.string() + " is not a readable pack";
    return false;
  }
  gfx::BitmapFont* font = gfx::DefaultFont();
  if (!font) {
    error = "the default font cannot be made";
    return false;
  }

  std::vector<std::unique_ptr<Picture>> pictures;
  std::map<std::uint32_t, Picture*> byId;
  int broken = 0;
  for (const auto& entry : image->entries) {
    auto bytes = pack.Extract(entry.entry.id);
    if (!bytes || gfx::DetectImageFormat(*bytes) == gfx::ImageFormat::kUnknown) continue;
    auto p = std::make_unique<Picture>();
    if (gfx::DecodeImage(p->surface, *bytes, gfx::kCreateSystemMemory) != S_OK) {
      std::fprintf(stderr, "zelph-preview: %s %s does not decode\n", Hex(entry.entry.id).c_str(), entry.name.c_str());
      ++broken;
      continue;
    }
    p->surface.SetColorKey(0);
    p->id = entry.entry.id;
    p->name = entry.name;
    byId[p->id] = p.get();
    pictures.push_back(std::move(p));
  }
  if (pictures.empty()) {
    error = packPath.string() + " holds no picture";
    return false;
  }
  for (auto& p : pictures) {
    const auto alpha = byId.find(p->id + kAlphaOffset);
    if (alpha != byId.end() && alpha->second->surface.Width() == p->surface.Width() &&
        alpha->second->surface.Height() == p->surface.Height())
      p->alpha = &alpha->second->surface;
  }

  // Rows, left to right; each cell is the picture with two label lines under it.
  const int lineHeight = font->GlyphHeight() + 2;
  const int width = std::max(options.width, kMaxShownWidth + 2 * kGap);
  int x = kGap, y = kGap, rowHeight = 0;
  for (auto& p : pictures) {
    while (p->ShownWidth() > kMaxShownWidth || p->ShownHeight() > kMaxShownHeight) ++p->divide;
    if (p->divide == 1)
      while (p->zoom < options.zoom && p->surface.Width() * (p->zoom + 1) <= kMaxShownWidth &&
             p->surface.Height() * (p->zoom + 1) <= kMaxShownHeight)
        ++p->zoom;
    const int cellWidth = std::max(p->ShownWidth(), kMinCellWidth);
    if (x + cellWidth + kGap > width && x > kGap) {
      x = kGap;
      y += rowHeight + kGap;
      rowHeight = 0;
    }
    p->x = x;
    p->y = y;
    x += cellWidth + kGap;
    rowHeight = std::max(rowHeight, p->ShownHeight() + 2 * lineHeight + 2);
  }
  gfx::Surface sheet;
  if (sheet.CreateSurface(gfx::kCreateSystemMemory, width, y + rowHeight + kGap) != S_OK) {
    error = "the sheet is too large to draw";
    return false;
  }
  gfx::FillRect(sheet, nullptr, kSheetBack);
  for (const auto& p : pictures) {
    DrawPicture(sheet, *p);
    const int cellWidth = std::max(p->ShownWidth(), kMinCellWidth);
    std::string label = Hex(p->id) + "  " + std::to_string(p->surface.Width()) + "x" +
                        std::to_string(p->surface.Height());
    if (p->divide > 1) label += " 1/" + std::to_string(p->divide);
    if (p->zoom > 1) label += " x" + std::to_string(p->zoom);
    gfx::BltFx fx;
    fx.fillColor = kLabelColour;
    const int labelY = p->y + p->ShownHeight() + 2;
    gfx::DrawText(sheet, p->x, labelY, Fitted(*font, label, cellWidth), font, gfx::kAlignLeft, gfx::kBltFillColor,
                  &fx);
    fx.fillColor = kNameColour;
    gfx::DrawText(sheet, p->x, labelY + lineHeight, Fitted(*font, p->name, cellWidth), font, gfx::kAlignLeft,
                  gfx::kBltFillColor, &fx);
  }
  if (!gfx::WritePngRgb565(out, sheet.Pixels(), sheet.Width(), sheet.Height(), sheet.YStep() * 2)) {
    error = "cannot write " + out.string();
    return false;
  }
  if (broken > 0) {
    error = std::to_string(broken) + " of the pack's pictures do not decode";
    return false;
  }
  return true;
}

}  // namespace zelph::preview
