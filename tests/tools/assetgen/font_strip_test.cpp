// Every font the build makes must measure correctly under both of the game's rules: the marker-row layout
// of bitmap fonts (glyph columns from rows 1..h-1, cells from row 0) and the glyph rectangles of alpha fonts
// (runs of non-key pixels on row 0 ended by a key pixel). The rules are written out again here, from their
// description, rather than taken from the generator.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "asset_sources.h"
#include "files.h"
#include "font_items.h"
#include "fonts.h"

namespace zelph::assetgen {
namespace {

constexpr std::uint16_t kWhite = 0xFFFF;
constexpr std::uint16_t kKey = 0xF81F;

struct Span {
  int start = 0, end = 0;
  bool operator==(const Span&) const = default;
};

struct LayoutA {
  std::vector<Span> glyphs;  // first pass, in character order
  std::vector<Span> cells;   // second pass: runs of marker pixels on row 0
};

LayoutA MeasureLayoutA(const test::Pixels565& p, std::u32string_view chars) {
  LayoutA m;
  std::size_t current = 0;
  int open = -1;
  for (int j = 0; j < p.w && current < chars.size(); ++j) {
    const bool marker = p.At(j, 0) == kWhite;
    if (marker && chars[current] == U' ') {
      if (open < 0) open = j;
      continue;
    }
    bool ink = false;
    for (int y = 1; y < p.h && !ink; ++y) ink = p.At(j, y) != kKey;
    if (ink) {
      if (open < 0) open = j;
      continue;
    }
    if (marker || open < 0) continue;
    m.glyphs.push_back({open, j});
    open = -1;
    ++current;
  }
  for (int j = 0; j < p.w;) {
    if (p.At(j, 0) != kWhite) {
      ++j;
      continue;
    }
    Span cell{j, j};
    while (cell.end < p.w && p.At(cell.end, 0) == kWhite) ++cell.end;
    m.cells.push_back(cell);
    j = cell.end;
  }
  return m;
}

std::vector<Span> AlphaFontRects(const test::Pixels565& p) {
  std::vector<Span> rects;
  int start = -1;
  for (int x = 0; x < p.w; ++x) {
    if (p.At(x, 0) != kKey) {
      if (start < 0) start = x;
    } else if (start >= 0) {
      rects.push_back({start, x});
      start = -1;
    }
  }
  return rects;  // a run still open at the right edge is not a glyph
}

// Weight the game's alpha blit gives a grey pixel: 0 draws nothing.
int BlitWeight(std::uint16_t grey) { return ((grey >> 3) & 0xFC) >> 3; }

struct Decoded {
  test::Pixels565 strip, alpha;
};

Decoded DecodeStrip(const FontStrip& s) {
  Decoded d;
  EXPECT_TRUE(test::DecodePng565(EncodePngRgb(s.picture.w, s.picture.h, s.picture.rgb), d.strip));
  EXPECT_TRUE(test::DecodePng565(EncodePngGrey(s.picture.w, s.picture.h, s.picture.alpha), d.alpha));
  return d;
}

// Everything the game relies on, for one strip; `what` names it in failures.
void CheckStrip(const Decoded& d, std::u32string_view chars, const std::string& what) {
  SCOPED_TRACE(what);
  ASSERT_EQ(d.alpha.w, d.strip.w);
  ASSERT_EQ(d.alpha.h, d.strip.h);
  const LayoutA a = MeasureLayoutA(d.strip, chars);
  ASSERT_EQ(a.glyphs.size(), chars.size()) << "characters without a glyph under the marker-row rule";
  ASSERT_EQ(a.cells.size(), a.glyphs.size()) << "cells and glyphs differ: the game would refuse the font";
  const std::vector<Span> rects = AlphaFontRects(d.strip);
  ASSERT_EQ(rects.size(), chars.size()) << "characters without a glyph under the alpha-font rule";
  for (std::size_t i = 0; i < chars.size(); ++i) {
    SCOPED_TRACE("character " + std::to_string(i) + " (U+" + std::to_string(static_cast<unsigned>(chars[i])) +
                 ")");
    EXPECT_EQ(rects[i], a.cells[i]);
    // The glyph lies inside its own cell: no negative left bearing, and it closes where the cell ends.
    EXPECT_GE(a.glyphs[i].start, a.cells[i].start);
    EXPECT_EQ(a.glyphs[i].end, a.cells[i].end);
  }
  for (int x = 0; x < d.strip.w; ++x) {
    EXPECT_TRUE(d.strip.At(x, 0) == kWhite || d.strip.At(x, 0) == kKey) << "marker row column " << x;
    EXPECT_EQ(BlitWeight(d.alpha.At(x, 0)), 0) << "marker row of the alpha picture, column " << x;
  }
  // Ink exactly where the alpha picture draws: no invisible ink (it would widen glyphs) and no visible
  // weight over key pixels (the keyed fallback would drop it).
  int mismatches = 0;
  for (int y = 1; y < d.strip.h; ++y)
    for (int x = 0; x < d.strip.w; ++x)
      if ((d.strip.At(x, y) != kKey) != (BlitWeight(d.alpha.At(x, y)) > 0)) ++mismatches;
  EXPECT_EQ(mismatches, 0);
}

TEST(FontStrips, EveryFontOfTheBuildMeasuresUnderBothRulesInBothBuilds) {
  const std::vector<Item> items = test::LoadItems("gui/fonts.txt");
  ASSERT_FALSE(items.empty());
  FaceCache faces(test::FontsDir());
  for (const Item& item : items) {
    FontItem font;
    std::string error;
    ASSERT_TRUE(ReadFontItem(item, font, error)) << error;
    for (int build = 0; build < 2; ++build) {
      FontStrip strip;
      ASSERT_TRUE(BuildFontItem(font, build, faces, strip, error)) << error;
      CheckStrip(DecodeStrip(strip), CharSetString(font.set), item.name + (build ? " qvga" : " vga"));
    }
  }
}

TEST(FontStrips, TinyOutlinedAndShadowedFontsOfEverySetStillGiveEveryCharacterAGlyph) {
  FaceCache faces(test::FontsDir());
  for (CharSet set : {CharSet::kEn, CharSet::kEnRu, CharSet::kRu})
    for (int px : {6, 7, 40}) {
      FontItem font;
      font.face = "DejaVuSans.ttf";
      font.px[0] = px;
      font.set = set;
      font.look.outlineWidth = px > 20 ? 3 : 1;
      font.look.shadow = px > 20 ? 2 : 1;
      FontStrip strip;
      std::string error;
      ASSERT_TRUE(BuildFontItem(font, 0, faces, strip, error)) << error;
      CheckStrip(DecodeStrip(strip), CharSetString(set),
                 std::string(CharSetTag(set)) + " " + std::to_string(px) + "px");
    }
}

TEST(FontStrips, TheMeasuringRulesCatchTwoCellsRunTogether) {
  // The checks above must be able to fail: join two cells by whitening the key column between them, and
  // both rules find one character fewer (the marker-row rule then even agrees with itself, so only the
  // count against the character string shows the fault).
  FaceCache faces(test::FontsDir());
  FontItem font;
  font.face = "DejaVuSans.ttf";
  font.px[0] = 14;
  FontStrip strip;
  std::string error;
  ASSERT_TRUE(BuildFontItem(font, 0, faces, strip, error)) << error;
  Decoded d = DecodeStrip(strip);
  const std::u32string chars = CharSetString(CharSet::kEn);
  const LayoutA before = MeasureLayoutA(d.strip, chars);
  ASSERT_GE(before.cells.size(), 2u);
  d.strip.px[static_cast<std::size_t>(before.cells[1].end)] = kWhite;  // the column after "!"'s cell
  EXPECT_EQ(AlphaFontRects(d.strip).size(), chars.size() - 1);
  const LayoutA after = MeasureLayoutA(d.strip, chars);
  EXPECT_EQ(after.glyphs.size(), chars.size() - 1);
  EXPECT_EQ(after.cells.size(), chars.size() - 1);
}

TEST(FontStrips, CharacterSetsHoldTheGamesCharactersInPictureOrder) {
  const std::u32string en = CharSetString(CharSet::kEn);
  const std::u32string enru = CharSetString(CharSet::kEnRu);
  const std::u32string ru = CharSetString(CharSet::kRu);
  ASSERT_EQ(en.size(), 95u);
  ASSERT_EQ(enru.size(), 161u);
  ASSERT_EQ(ru.size(), 109u);
  EXPECT_EQ(en.front(), U' ');
  EXPECT_EQ(en.back(), U'~');
  EXPECT_EQ(en[7], U'\'');
  EXPECT_EQ(enru[7], U'`');  // the grave accent stands in for the apostrophe
  EXPECT_EQ(enru.substr(95, 7), U"АБВГДЕЁ");
  EXPECT_EQ(enru.back(), U'я');
  EXPECT_EQ(enru.substr(128, 7), U"абвгдеё");
  EXPECT_EQ(ru.substr(0, 33), enru.substr(0, 33));  // space to "@"
  EXPECT_EQ(ru.substr(33, 33), enru.substr(95, 33));
  EXPECT_EQ(ru.substr(66, 6), U"[\\]^_`");
  EXPECT_EQ(ru.substr(72, 33), enru.substr(128, 33));
  EXPECT_EQ(ru.substr(105), U"{|}~");
  CharSet parsed;
  EXPECT_TRUE(ParseCharSet("@ENRU", parsed));
  EXPECT_EQ(parsed, CharSet::kEnRu);
  EXPECT_FALSE(ParseCharSet("@XX", parsed));
}

}  // namespace
}  // namespace zelph::assetgen
