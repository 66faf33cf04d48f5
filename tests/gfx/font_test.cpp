#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "gfx/alpha_font.h"
#include "gfx/bitmap_font.h"
#include "gfx/char_sets.h"
#include "gfx/system_fonts.h"
#include "reference.h"

namespace zelph::gfx {
namespace {

constexpr Pixel kKey = 0xF81F;
constexpr Pixel kInk = 0x07E0;

// Paints a picture from rows of art: 'W' the white marker, '#' ink, '.' the key colour.
void Paint(Surface& s, const std::vector<std::string>& art) {
  ASSERT_EQ(s.CreateSurface(0, static_cast<int>(art[0].size()), static_cast<int>(art.size())), S_OK);
  for (std::size_t y = 0; y < art.size(); ++y) {
    for (std::size_t x = 0; x < art[y].size(); ++x) {
      const char c = art[y][x];
      s.Row(static_cast<int>(y))[x] = c == 'W' ? kMarkerPixel : c == '#' ? kInk : kKey;
    }
  }
}

// Columns of `dest` row y that are not `background`, as a string of '#' and '.'.
std::string InkedColumns(const Surface& dest, int y, Pixel background = 0) {
  std::string out;
  for (int x = 0; x < dest.Width(); ++x) out += dest.Row(y)[x] != background ? '#' : '.';
  return out;
}

class FontTest : public ::testing::Test {
 protected:
  void SetUp() override { ASSERT_EQ(dest.CreateSurface(kCreateClear, 24, 4), S_OK); }

  ref::OpenContext open;
  Surface dest{open.context};
};

// A's cell is columns 0-4 with ink in 1-2; B's cell is 7-10 with ink from 6 (one column before its cell,
// so its left bearing is -1) to 9.
const std::vector<std::string> kMarkerAB = {
    "WWWWW..WWWW.",
    ".##...####..",
    ".#.#..#..#..",
};

TEST_F(FontTest, MarkerLayoutMeasuresGlyphsAndBearings) {
  BitmapFont font(open.context);
  Paint(font.Picture(), kMarkerAB);
  const std::int32_t spacing = 1;
  ASSERT_EQ(font.CreateFont(std::u16string_view(u"AB"), kMagenta, kFontSpacing, &spacing), S_OK);
  EXPECT_EQ(font.Picture().ColorKey(), kMagenta);
  EXPECT_TRUE(font.HasMarkerRow());
  EXPECT_EQ(font.GlyphHeight(), 2);
  // A's glyph runs on over the blank marker columns of its cell, to the first column outside any cell.
  EXPECT_EQ(font.GlyphX(u'A'), 1);
  EXPECT_EQ(font.GlyphWidth(u'A'), 4);
  EXPECT_EQ(font.LeftBearing(u'A'), 1);
  EXPECT_EQ(font.RightBearing(u'A'), 0);
  EXPECT_EQ(font.GlyphX(u'B'), 6);
  EXPECT_EQ(font.GlyphWidth(u'B'), 5);
  EXPECT_EQ(font.LeftBearing(u'B'), -1);
  EXPECT_EQ(font.RightBearing(u'B'), 0);
  EXPECT_EQ(font.GlyphWidth(u'C'), 0);

  // leftBearing(B) + width(A) + spacing + rightBearing(A) + width(B)
  EXPECT_EQ(font.TextWidth(u"AB"), -1 + 4 + 1 + 0 + 5);
  EXPECT_EQ(font.TextWidth(u"ACB"), 4 + 1 + 0 + -1 + 5) << "characters not in the font take no room";
  EXPECT_EQ(font.TextWidth(u""), E_INVALIDARG);

  // Drawn: A's glyph at x, B's at x + 4 + 1 - 1.
  ASSERT_EQ(font.DrawText(dest, 2, 0, u"AB", kAlignLeft, 0, nullptr), S_OK);
  EXPECT_EQ(InkedColumns(dest, 0), "..##..####..............");
  EXPECT_EQ(InkedColumns(dest, 1), "..#.#.#..#..............");
  EXPECT_EQ(InkedColumns(dest, 2), "........................")
      << "glyphs are one row shorter than the picture";
}

TEST_F(FontTest, AlignmentMovesTheStart) {
  BitmapFont font(open.context);
  Paint(font.Picture(), kMarkerAB);
  ASSERT_EQ(font.CreateFont(std::u16string_view(u"AB"), kMagenta, 0, nullptr), S_OK);
  ASSERT_EQ(font.TextWidth(u"AB"), 8);
  ASSERT_EQ(font.DrawText(dest, 20, 0, u"AB", kAlignRight, 0, nullptr), S_OK);
  EXPECT_EQ(InkedColumns(dest, 0), "............##.####.....");
  FillRect(dest, nullptr, 0);
  ASSERT_EQ(DrawText(dest, 12, 0, u"AB", &font, kAlignCenter), S_OK);
  EXPECT_EQ(InkedColumns(dest, 0), "........##.####.........");
  EXPECT_EQ(DrawText(dest, 12, 0, u"AB", nullptr, kAlignCenter), E_INVALIDARG);
}

TEST_F(FontTest, MarkerCellsThatDoNotMatchTheGlyphsFailCreation) {
  BitmapFont font(open.context);
  Paint(font.Picture(), {"WW.WW.WW.", "#...#....", "#...#...."});
  EXPECT_EQ(font.CreateFont(std::u16string_view(u"AB"), kMagenta, 0, nullptr), GFX_E_BAD_IMAGE);
  EXPECT_FALSE(font.HasMetrics());
  EXPECT_EQ(font.TextWidth(u"A"), GFX_E_NO_PIXELS);
  EXPECT_EQ(font.DrawText(dest, 0, 0, u"A", 0, 0, nullptr), GFX_E_NO_PIXELS);
}

TEST_F(FontTest, GapLayoutGivesALeadingSpaceTheBlankColumns) {
  BitmapFont font(open.context);
  Paint(font.Picture(), {"..#..##.", "..#...#."});
  ASSERT_EQ(font.CreateFont(std::u16string_view(u" AB"), kMagenta, kFontLayoutB, nullptr), S_OK);
  EXPECT_FALSE(font.HasMarkerRow());
  EXPECT_EQ(font.GlyphHeight(), 2);
  EXPECT_EQ(font.GlyphX(u' '), 0);
  EXPECT_EQ(font.GlyphWidth(u' '), 2);
  EXPECT_EQ(font.GlyphX(u'A'), 2);
  EXPECT_EQ(font.GlyphWidth(u'A'), 1);
  EXPECT_EQ(font.GlyphX(u'B'), 5);
  EXPECT_EQ(font.GlyphWidth(u'B'), 2);
  EXPECT_EQ(font.LeftBearing(u'B'), 0);
  ASSERT_EQ(font.DrawText(dest, 0, 0, u"B A", 0, 0, nullptr), S_OK);
  EXPECT_EQ(InkedColumns(dest, 0), "##..#...................");
  EXPECT_EQ(InkedColumns(dest, 1), ".#..#...................");
}

TEST_F(FontTest, LaterCharactersWithTheSameLowByteWin) {
  // In set 0x40 the small letter а (U+0430) shares 0x30 with the digit 0 that comes before it.
  ASSERT_EQ(u'а' & 0xFF, u'0');
  BitmapFont font(open.context);
  Paint(font.Picture(), {"#.###."});
  ASSERT_EQ(font.CreateFont(std::u16string_view(u"0а"), kMagenta, kFontLayoutB, nullptr), S_OK);
  EXPECT_EQ(font.GlyphWidth(u'0'), 3);
  EXPECT_EQ(font.GlyphWidth(u'а'), 3);
}

TEST_F(FontTest, CharacterSetsHoldTheirLetters) {
  const std::u16string en = CharSetString(kCharSetEnglish), enru = CharSetString(kCharSetEnglishRussian),
                       ru = CharSetString(kCharSetRussian);
  EXPECT_EQ(en.size(), 95u);
  EXPECT_EQ(en.front(), u' ');
  EXPECT_EQ(en.back(), u'~');
  EXPECT_EQ(enru.size(), 161u);
  EXPECT_EQ(enru.find(u'\''), std::u16string::npos);
  EXPECT_EQ(enru.substr(95, 8), u"АБВГДЕЁЖ");
  EXPECT_EQ(enru.substr(128, 8), u"абвгдеёж");
  EXPECT_EQ(enru.back(), u'я');
  EXPECT_EQ(ru.size(), 109u);
  EXPECT_EQ(ru.substr(0, 33), u" !\"#$%&`()*+,-./0123456789:;<=>?@");
  EXPECT_EQ(ru.substr(33 + 33, 6), u"[\\]^_`");
  EXPECT_EQ(ru.substr(ru.size() - 5), u"я{|}~");
  EXPECT_EQ(CharSetString(0x99), en);
  EXPECT_EQ(CharSetForLanguage("@ENRU"), kCharSetEnglishRussian);
  EXPECT_EQ(CharSetForLanguage("@RU"), kCharSetRussian);
  EXPECT_EQ(CharSetForLanguage("@EN"), kCharSetEnglish);
  EXPECT_EQ(CharSetForLanguage("@DE"), kCharSetEnglish);
}

class AlphaFontTest : public FontTest {
 protected:
  void SetUp() override {
    FontTest::SetUp();
    // Cells of 2 and 3 columns; the alpha picture is opaque under the ink and clear elsewhere.
    PaintWithAlpha(font, {"WW.WWW.", "##.###.", "#...#.."});
  }

  static void PaintWithAlpha(AlphaFont& f, const std::vector<std::string>& art) {
    Paint(f.Picture(), art);
    Surface& alpha = f.Alpha();
    ASSERT_EQ(alpha.CreateSurface(kCreateClear, f.Picture().Width(), f.Picture().Height()), S_OK);
    for (int y = 1; y < alpha.Height(); ++y) {
      for (int x = 0; x < alpha.Width(); ++x) alpha.Row(y)[x] = f.Picture().Row(y)[x] == kInk ? 0xFFFF : 0;
    }
  }

  AlphaFont font{open.context};
};

TEST_F(AlphaFontTest, GlyphRectanglesComeFromRowZero) {
  const std::int32_t spacing = 2;
  ASSERT_EQ(font.CreateFont(std::u16string_view(u"ABC"), kMagenta, kFontSpacing, &spacing), S_OK);
  EXPECT_EQ(font.GlyphCount(), 2);
  EXPECT_EQ(font.GlyphRect(u'A'), (Rect{0, 1, 2, 3}));
  EXPECT_EQ(font.GlyphRect(u'B'), (Rect{3, 1, 6, 3}));
  EXPECT_TRUE(font.GlyphRect(u'C').IsEmpty());
  EXPECT_TRUE(font.HasMetrics()) << "it measures as a bitmap font too";
  EXPECT_FALSE(font.Picture().IsLocked());

  // A cell that runs into the right edge has no key pixel to end it and is not counted.
  AlphaFont edge(open.context);
  PaintWithAlpha(edge, {"WW.WW", "#..##", "#..#."});
  ASSERT_EQ(edge.CreateFont(std::u16string_view(u"AB"), kMagenta, kFontLayoutB, nullptr), S_OK);
  EXPECT_EQ(edge.GlyphCount(), 1);
  EXPECT_TRUE(edge.GlyphRect(u'B').IsEmpty());
}

TEST_F(AlphaFontTest, RightAlignedTextEndsAtX) {
  const std::int32_t spacing = 2;
  ASSERT_EQ(font.CreateFont(std::u16string_view(u"AB"), kMagenta, kFontSpacing, &spacing), S_OK);
  // 2 columns, 2 of spacing and 3 columns, ending at column 19.
  ASSERT_EQ(font.DrawText(dest, 20, 0, u"AB", kAlignRight, 0, nullptr), S_OK);
  EXPECT_EQ(InkedColumns(dest, 0), ".............##..###....");
  EXPECT_EQ(InkedColumns(dest, 1), ".............#....#.....");
  EXPECT_EQ(InkedColumns(dest, 2), "........................") << "row 0 of the picture is not drawn";

  FillRect(dest, nullptr, 0);
  ASSERT_EQ(font.DrawText(dest, 10, 1, u"BA", kAlignCenter, 0, nullptr), S_OK);
  EXPECT_EQ(InkedColumns(dest, 1), ".......###..##..........");
  EXPECT_EQ(font.DrawText(dest, 0, 0, u"", kAlignLeft, 0, nullptr), S_OK) << "an empty text draws nothing";
}

TEST_F(AlphaFontTest, OpacityComesFromTheEffectRecord) {
  ASSERT_EQ(font.CreateFont(std::u16string_view(u"AB"), kMagenta, 0, nullptr), S_OK);
  BltFx fx;
  fx.opacity = 128;
  ASSERT_EQ(font.DrawText(dest, 0, 0, u"A", kAlignLeft, kBltOpacity, &fx), S_OK);
  EXPECT_EQ(dest.Row(0)[0], ref::Mix(kInk, 0, 15)) << "opacity 128 weighs by the alpha's top bits";
  ASSERT_EQ(font.DrawText(dest, 4, 0, u"A", kAlignLeft, 0, &fx), S_OK);
  EXPECT_EQ(dest.Row(0)[4], kInk) << "without the opacity flag the record is not read";
}

TEST_F(AlphaFontTest, WithoutAnAlphaPictureItIsABitmapFont) {
  AlphaFont plain(open.context);
  Paint(plain.Picture(), kMarkerAB);
  ASSERT_EQ(plain.CreateFont(std::u16string_view(u"AB"), kMagenta, 0, nullptr), S_OK);
  EXPECT_EQ(plain.GlyphCount(), 0);
  EXPECT_EQ(plain.DrawText(dest, 0, 0, u"", 0, 0, nullptr), E_INVALIDARG);
  ASSERT_EQ(plain.DrawText(dest, 2, 0, u"AB", 0, 0, nullptr), S_OK);
  EXPECT_EQ(InkedColumns(dest, 0), "..##.####...............");
}

TEST_F(FontTest, SystemFontsCoverSpaceToZInTheirColour) {
  Surface page(open.context);
  ASSERT_EQ(page.CreateSurface(kCreateClear, 16, 10), S_OK);
  for (bool large : {false, true}) {
    BitmapFont font(open.context);
    ASSERT_EQ(RenderSystemFont(font, large, 0x0000FF), S_OK);
    EXPECT_EQ(font.Picture().Width(), large ? kLargeSystemFontWidth : kSmallSystemFontWidth);
    EXPECT_EQ(font.Picture().Height(), large ? kLargeSystemFontHeight : kSmallSystemFontHeight);
    EXPECT_EQ(font.Spacing(), 1);
    for (char16_t c = u' '; c <= u'z'; ++c) EXPECT_GT(font.GlyphWidth(c), 0) << static_cast<char>(c);
    EXPECT_EQ(font.GlyphWidth(u'{'), 0);
    ASSERT_EQ(font.DrawText(page, 0, 0, u"H", kAlignLeft, 0, nullptr), S_OK);
    EXPECT_EQ(page.Row(0)[0], 0xF800) << "ink in the system font colour";
  }
}

TEST_F(FontTest, DefaultFontHasEveryPrintableCharacter) {
  BitmapFont font(open.context);
  ASSERT_EQ(LoadDefaultFont(font), S_OK);
  EXPECT_EQ(font.Picture().ColorKey(), kMagenta);
  for (char16_t c = u' '; c <= u'~'; ++c) EXPECT_GT(font.GlyphWidth(c), 0) << static_cast<char>(c);
  EXPECT_GT(font.TextWidth(u"Orv Zelph"), 40);
}

}  // namespace
}  // namespace zelph::gfx
