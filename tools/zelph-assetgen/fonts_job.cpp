#include <cstdio>
#include <map>

#include "contact_sheet.h"
#include "font_items.h"
#include "fonts.h"
#include "job_support.h"
#include "jobs.h"
#include "lettering.h"
#include "pictures.h"

namespace zelph::assetgen {

namespace {

// Draws `text` the way the game's alpha fonts do: cell after cell, each through its alpha weights.
Encoded Sample(const FontStrip& strip, std::u32string_view chars, std::u32string_view text, Color back) {
  std::vector<std::pair<int, int>> cells;  // start, end, from the marker row
  for (int x = 0; x < strip.picture.w;) {
    if (strip.picture.rgb[static_cast<std::size_t>(x) * 3 + 1] != 255) {
      ++x;
      continue;
    }
    int end = x;
    while (end < strip.picture.w && strip.picture.rgb[static_cast<std::size_t>(end) * 3 + 1] == 255) ++end;
    cells.emplace_back(x, end);
    x = end;
  }
  std::map<char32_t, std::size_t> index;
  for (std::size_t i = 0; i < chars.size() && i < cells.size(); ++i) index[chars[i]] = i;
  int width = 8;
  for (char32_t c : text)
    if (index.count(c)) width += cells[index[c]].second - cells[index[c]].first;
  Image img(width + 8, strip.picture.h + 8);
  Fill(img, back);
  int x = 8;
  for (char32_t c : text) {
    if (!index.count(c)) continue;
    const auto [start, end] = cells[index[c]];
    for (int y = 1; y < strip.picture.h; ++y)
      for (int cx = start; cx < end; ++cx) {
        const std::size_t k = static_cast<std::size_t>(y) * strip.picture.w + cx;
        const int g = strip.picture.alpha[k];
        const int weight = (g & 0xFC) >= 244 ? kOne : ((g & 0xFC) >> 3) * (kOne / 32);
        const Color ink{strip.picture.rgb[k * 3], strip.picture.rgb[k * 3 + 1], strip.picture.rgb[k * 3 + 2]};
        BlendOver(img.At(x + cx - start, y + 3), Premultiply(ink), weight);
      }
    x += end - start;
  }
  return Encode(img);
}

}  // namespace

bool ReadFontItem(const Item& item, FontItem& f, std::string& error) {
  if (item.kind != "font") {
    error = "line " + std::to_string(item.line) + ": unknown font kind \"" + item.kind + "\"";
    return false;
  }
  ItemReader r(item);
  std::string set;
  if (!r.Text("face", f.face, "DejaVuSans-Bold.ttf") || !r.Int("vga_px", f.px[0], 20, 6, 120) ||
      !r.Int("qvga_px", f.px[1], 10, 6, 120) || !r.Choice("set", set, "@EN", {"@EN", "@ENRU", "@RU"}) ||
      !r.Colour("fill", f.look.fill, Color{0xFF, 0xF4, 0xDC}) ||
      !r.Colour("fill2", f.look.fill2, f.look.fill) ||
      !r.Colour("outline", f.look.outline, Color{0x2E, 0x1A, 0x0C}) ||
      !r.Int("outline_px", f.look.outlineWidth, 0, 0, 6) || !r.Int("shadow_px", f.look.shadow, 0, 0, 6) ||
      !r.Finish()) {
    error = r.error();
    return false;
  }
  ParseCharSet(set, f.set);
  return true;
}

bool BuildFontItem(const FontItem& f, int build, FaceCache& faces, FontStrip& strip, std::string& error) {
  FontFace* face = faces.Get(f.face, error);
  if (!face) return false;
  FontLook look = f.look;
  if (build == 1) {  // the small build: half the outline and shadow, dropped below one pixel
    look.outlineWidth /= 2;
    look.shadow /= 2;
  }
  if (!face->SetPixelSize(f.px[build])) {
    error = "cannot use size " + std::to_string(f.px[build]) + " of " + f.face;
    return false;
  }
  return BuildFontStrip(*face, CharSetString(f.set), look, strip, error);
}

bool RunFontsJob(const JobOptions& options, std::string& error) {
  std::vector<Item> items;
  if (!LoadDescription(options.description, items, error)) return false;
  FaceCache faces(options.fontsDir);
  std::vector<SheetEntry> sheet;
  std::vector<ManifestEntry> manifests[2];
  for (const Item& item : items) {
    FontItem f;
    if (!ReadFontItem(item, f, error)) return false;
    const std::u32string chars = CharSetString(f.set);
    for (int v = 0; v < 2; ++v) {
      FontStrip strip;
      if (!BuildFontItem(f, v, faces, strip, error)) {
        error = "line " + std::to_string(item.line) + " (" + item.name + "): " + error;
        return false;
      }
      const std::filesystem::path dir = std::filesystem::path(options.outDir) / kVariants[v];
      if (!WritePicture(dir, options.subdir, item.id, item.id + kAlphaIdOffset, item.name, strip.picture,
                        true, 1, manifests[v], error))
        return false;
      if (v == options.sheetBuild && !options.contactSheet.empty() &&
          item.name.find(options.sheetFilter) != std::string::npos) {
        const std::u32string text = f.set == CharSet::kEn
                                        ? U"Orv Zelph II: New Game, Options 0123456789 (Qjy!?)"
                                        : U"Новая игра, Ёлка, Щука: Orv Zelph II `Ok`";
        char label[128];
        std::snprintf(label, sizeof label, "0x%08X %s %s %dpx", item.id, item.name.c_str(), CharSetTag(f.set),
                      f.px[v]);
        sheet.push_back({label, Sample(strip, chars, text, Color{0x8A, 0x55, 0x2C}), false});
        sheet.push_back({"", Sample(strip, chars, text, Color{0xE6, 0xD8, 0xB8}), false});
      }
    }
  }
  for (int v = 0; v < 2; ++v) {
    const std::filesystem::path dir = std::filesystem::path(options.outDir) / kVariants[v];
    if (!CheckUniqueIds(manifests[v], error) || !CheckIdBlock(manifests[v], kGuiFontIds, error) ||
        !WriteManifest(dir / options.manifest, manifests[v], error))
      return false;
  }
  return WriteContactSheet(options, sheet, faces, error);
}

}  // namespace zelph::assetgen
