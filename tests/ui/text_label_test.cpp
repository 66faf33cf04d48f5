// Labels: where lines break, how high a label grows, where text sits for each alignment, tinted text in
// plain and soft fonts, and fonts loaded from their three keys.
#include <gtest/gtest.h>

#include "gfx/char_sets.h"
#include "ui/fonts.h"
#include "ui/line_breaking.h"
#include "ui/support/ui_rig.h"
#include "ui/text_label.h"

namespace zelph::ui::test {
namespace {

constexpr std::uint32_t kFont = 0x300, kFontAlpha = 0x301, kTallFont = 0x302, kTwoChars = 0x303;
constexpr gfx::Color kGrey = 0x404040;

class LabelTest : public UiRig {
 protected:
  void SetUp() override {
    UiRig::SetUp();
    const std::u16string ascii = gfx::CharSetString(gfx::kCharSetEnglish);
    Add(kFont, MonoFont(ascii));
    Add(kFontAlpha, MonoFontAlpha(ascii));
    Add(kTallFont, MonoFont(ascii, 19));
    Add(kTwoChars, MonoFont(u"xy"));
    Build(
        "[mono]\nf=0x300\ntall=0x302\ntall_chars=@EN\ntwo=0x303\ntwo_chars=xy\n"
        "[soft]\nf=0x300\nf_a=0x301\nf_chars=@EN\nbroken=0x300\nbroken_a=0x999\n");
    plain = LoadFont(config::GuiDocument().FindSection("mono"), "f");
    soft = LoadFont(config::GuiDocument().FindSection("soft"), "f");
    ASSERT_TRUE(plain && soft);
  }

  void Make(TextLabel& label, const Rect& r, std::u16string_view text, std::uint32_t flags = kTransparent,
            std::uint32_t align = kTextLeft, std::uint32_t color = 0, gfx::BitmapFont* font = nullptr) {
    label.CreateWithFont(40, r, root.get(), flags, font ? font : plain.get(), text, align, color);
  }
  // The columns of row y between x0 and x1 that are not the screen's grey.
  std::vector<int> InkColumns(int y, int x0, int x1) {
    std::vector<int> ink;
    for (int x = x0; x < x1; ++x) {
      if (PixelAt(x, y) != kGrey) ink.push_back(x);
    }
    return ink;
  }

  std::unique_ptr<gfx::AlphaFont> plain, soft;
};

TEST_F(LabelTest, ABackslashAndNBreakTheLineAndAreNotShown) {
  TextLabel label;
  Make(label, Rect{100, 100, 300, 140}, u"ab\\ncd");
  EXPECT_EQ(label.lines, (std::vector<std::u16string>{u"ab", u"cd"}));
  Draw();
  EXPECT_EQ(InkColumns(102, 100, 300).size(), 10u);  // "ab": two glyphs of five
  EXPECT_EQ(InkColumns(102 + 6, 100, 300).size(), 10u);  // "cd", six pixels lower (font height 8, minus 2)

  label.SetText(u"line\n");  // a real line feed is no break
  EXPECT_EQ(label.LineCount(), 1);
}

TEST_F(LabelTest, WordWrapBreaksAtTheLastSpaceThatFitsAndLongWordsOverflow) {
  TextLabel label;
  Make(label, Rect{0, 0, 50, 100}, u"aaa bbb ccc dddd", kTransparent | kLabelWordWrap);
  EXPECT_EQ(label.lines, (std::vector<std::u16string>{u"aaa bbb", u"ccc dddd"}));
  label.SetText(u"abcdefghijklm x y\\nzz");
  EXPECT_EQ(label.lines, (std::vector<std::u16string>{u"abcdefghijklm", u"x y", u"zz"}));

  label.SetRect(0, 0, 30, 100);  // narrower: broken again
  EXPECT_EQ(label.lines, (std::vector<std::u16string>{u"abcdefghijklm", u"x y", u"zz"}));
  label.SetText(u"aaa bbb ccc");
  EXPECT_EQ(label.lines, (std::vector<std::u16string>{u"aaa", u"bbb", u"ccc"}));
}

TEST_F(LabelTest, LineBreakingByItself) {
  const TextMeasure five = [](std::u16string_view s) { return static_cast<std::int32_t>(s.size()) * 5; };
  EXPECT_EQ(BreakLines(u"a b", true, 100, five), (std::vector<std::u16string>{u"a b"}));
  EXPECT_EQ(BreakLines(u"a b", true, 5, five), (std::vector<std::u16string>{u"a", u"b"}));
  EXPECT_EQ(BreakLines(u"\\n", false, 0, {}), (std::vector<std::u16string>{u"", u""}));
  EXPECT_EQ(BreakLines(u"a\\", false, 0, {}), (std::vector<std::u16string>{u"a\\"}));
  EXPECT_EQ(BreakLines(u"wide word", true, 5, {}), (std::vector<std::u16string>{u"wide word"}));
}

TEST_F(LabelTest, AThreeLineLabelInAn18PixelFontFitsItsHeightTo48) {
  auto tall = LoadFont(config::GuiDocument().FindSection("mono"), "tall");
  ASSERT_TRUE(tall);
  EXPECT_EQ(tall->GlyphHeight(), 18);
  TextLabel label;
  Make(label, Rect{10, 10, 200, 11}, u"one\\ntwo\\nthree", kTransparent | kLabelFitHeight, kTextLeft, 0,
       tall.get());
  EXPECT_EQ(label.Height(), 48);
  EXPECT_EQ(label.TextHeight(), 48);
}

TEST_F(LabelTest, AlignmentPutsTextAtTheLeftTheMiddleOrTheRightAndAnythingElseDrawsNothing) {
  TextLabel left, centre, right, odd;
  Make(left, Rect{100, 100, 200, 110}, u"ab", kTransparent, kTextLeft);
  Make(centre, Rect{100, 120, 200, 130}, u"ab", kTransparent, kTextCentered);
  Make(right, Rect{100, 140, 200, 150}, u"ab", kTransparent, kTextRight);
  Make(odd, Rect{100, 160, 200, 170}, u"ab", kTransparent, 0x40000);
  Draw();
  auto span = [](int from) {
    std::vector<int> v;
    for (int x = from; x < from + 10; ++x) v.push_back(x);
    return v;
  };
  EXPECT_EQ(InkColumns(103, 100, 200), span(100));
  EXPECT_EQ(InkColumns(123, 100, 200), span(145));
  EXPECT_EQ(InkColumns(143, 100, 200), span(190));
  EXPECT_TRUE(InkColumns(163, 100, 200).empty());
}

TEST_F(LabelTest, AColourTintsPlainAndSoftGlyphsAndTextIsCutAtTheLabelsEdge) {
  TextLabel red, softRed, softWhite;
  Make(red, Rect{0, 0, 12, 10}, u"abc", kTransparent, kTextLeft, 0x0000FF);
  Make(softRed, Rect{0, 20, 12, 30}, u"abc", kTransparent, kTextLeft, 0x0000FF, soft.get());
  Make(softWhite, Rect{0, 40, 100, 50}, u"a", kTransparent, kTextLeft, 0, soft.get());
  EXPECT_TRUE(red.cached);
  EXPECT_FALSE(softRed.cached);
  Draw();
  EXPECT_EQ(PixelAt(2, 3), 0x0000F8u);
  EXPECT_EQ(PixelAt(2, 23), 0x0000F8u);
  EXPECT_EQ(PixelAt(2, 43), 0xF8FCF8u);
  // The third glyph would reach x = 14; the labels stop at 12.
  EXPECT_EQ(InkColumns(3, 0, 20).back(), 11);
  EXPECT_EQ(InkColumns(23, 0, 20).back(), 11);
}

TEST_F(LabelTest, AnOpaqueCachedLabelShowsItsKeyColourAndATransparentOneDoesNot) {
  TextLabel opaque, clear;
  Make(opaque, Rect{0, 0, 20, 10}, u"a", 0);
  Make(clear, Rect{0, 20, 20, 30}, u"a", kTransparent);
  Draw();
  EXPECT_EQ(PixelAt(15, 5), gfx::PixelToColor(gfx::ColorToPixel(kKey)));
  EXPECT_EQ(PixelAt(15, 25), kGrey);
}

TEST_F(LabelTest, FontsComeFromTheirThreeKeys) {
  const config::ConfigSection* mono = config::GuiDocument().FindSection("mono");
  EXPECT_EQ(LoadFont(nullptr, "f"), nullptr);
  EXPECT_EQ(LoadFont(mono, "absent"), nullptr);
  EXPECT_EQ(LoadFont(mono, ""), nullptr);

  auto two = LoadFont(mono, "two");  // its own character list
  ASSERT_TRUE(two);
  EXPECT_EQ(MeasureText(two.get(), u"xy"), 10);
  EXPECT_EQ(MeasureText(two.get(), u"ab"), 0);

  EXPECT_FALSE(SoftFont(plain.get()));
  EXPECT_TRUE(SoftFont(soft.get()));
  // An alpha picture that cannot be loaded leaves a font with hard edges.
  auto broken = LoadFont(config::GuiDocument().FindSection("soft"), "broken");
  ASSERT_TRUE(broken);
  EXPECT_FALSE(SoftFont(broken.get()));

  TextLabel missing;
  EXPECT_EQ(missing.CreateWithFontResource(41, Rect{0, 0, 10, 10}, root.get(), 0, 0x998, u"x", kTextLeft, 0),
            E_OUTOFMEMORY);
}

TEST_F(LabelTest, LabelsNeverTakeTheStylus) {
  TextLabel label;
  Make(label, Rect{0, 0, 100, 100}, u"tap");
  EXPECT_FALSE(label.inputEnabled);
  Down(5, 5);
  EXPECT_EQ(root->taps.size(), 1u);
}

}  // namespace
}  // namespace zelph::ui::test
