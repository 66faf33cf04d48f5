// Getter parsing rules, checked on values loaded from a compiled document.
#include <gtest/gtest.h>

#include "config/config_document.h"
#include "config_test_support.h"

namespace zelph::config {
namespace {

using test::Ino;

class SectionGetters : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_GE(doc_.LoadMemory(Ino("[v]\n"
                                  "yes=Yes\nTRUE=TRUE\nten=10\ntwo=2\ny=y\nzero_one=01\nempty=\non=oN\n"
                                  "hex=0x1F\nHEX=0X1F\noctal=031\nneg=-1\nbig=4294967296\nhexbig=0x1FFFFFFFF\n"
                                  "rect=10 20 30 40\nlist=3 5 6\ncolor=255 128 0\ncolorwrap=257 -1 2\n"
                                  "comma=10,20,30,40\nshort=7\npoints=2 1 2 3\nhuge=2000000000 1 2\n"
                                  "int=  -42abc\nintbig=99999999999\nintsmall=-99999999999\nnothing=abc\n"
                                  "dbl= 2.5e1\ndblbad=x1\ndblinf=inf\n"
                                  "eight=1 2 3 4 5 6 7 8 9\ntext=caf\xC3\xA9\nlatin=caf\xE9 \x80\n"
                                  "dup=first\ndup=second\n")),
              0);
    section_ = doc_.FindSection("v");
    ASSERT_NE(section_, nullptr);
  }
  ConfigDocument doc_;
  const ConfigSection* section_ = nullptr;
};

TEST_F(SectionGetters, BoolIsTrueOnlyForLeadingOneOrTheThreeWords) {
  const ConfigSection& s = *section_;
  EXPECT_TRUE(s.GetBool("yes", false));
  EXPECT_TRUE(s.GetBool("TRUE", false));
  EXPECT_TRUE(s.GetBool("ten", false));
  EXPECT_TRUE(s.GetBool("on", false));
  EXPECT_FALSE(s.GetBool("two", true));
  EXPECT_FALSE(s.GetBool("y", true));
  EXPECT_FALSE(s.GetBool("zero_one", true));
  EXPECT_FALSE(s.GetBool("empty", true));
  EXPECT_TRUE(s.GetBool("missing", true));
  EXPECT_FALSE(s.GetBool("missing", false));
}

TEST_F(SectionGetters, NumberIsHexOnlyAfterLowerCaseX) {
  const ConfigSection& s = *section_;
  EXPECT_EQ(s.GetNumber("hex", 9), 31u);
  EXPECT_EQ(s.GetNumber("HEX", 9), 0u);
  EXPECT_EQ(s.GetNumber("octal", 9), 31u);
  EXPECT_EQ(s.GetNumber("neg", 9), 0xFFFFFFFFu);
  EXPECT_EQ(s.GetNumber("big", 9), 0xFFFFFFFFu);
  EXPECT_EQ(s.GetNumber("hexbig", 9), 0xFFFFFFFFu);
  EXPECT_EQ(s.GetNumber("missing", 9), 9u);
}

TEST_F(SectionGetters, IntAndDoubleFollowTheRuntimeConversions) {
  const ConfigSection& s = *section_;
  EXPECT_EQ(s.GetInt("int", 5), -42);
  EXPECT_EQ(s.GetInt("intbig", 5), 2147483647);
  EXPECT_EQ(s.GetInt("intsmall", 5), -2147483647 - 1);
  EXPECT_EQ(s.GetInt("nothing", 5), 0);
  EXPECT_EQ(s.GetInt("missing", 5), 5);
  EXPECT_DOUBLE_EQ(s.GetDouble("dbl", 1.0), 25.0);
  EXPECT_DOUBLE_EQ(s.GetDouble("dblbad", 1.0), 0.0);
  EXPECT_DOUBLE_EQ(s.GetDouble("dblinf", 1.0), 0.0);
  EXPECT_DOUBLE_EQ(s.GetDouble("missing", 1.5), 1.5);
}

TEST_F(SectionGetters, MultiNumberValuesFillMissingNumbersWithZero) {
  const ConfigSection& s = *section_;
  Rect r;
  ASSERT_TRUE(s.GetRect("rect", r));
  EXPECT_EQ(r, (Rect{10, 20, 40, 60}));

  std::vector<std::int32_t> list = {99};
  ASSERT_TRUE(s.GetIntList("list", list));
  EXPECT_EQ(list, (std::vector<std::int32_t>{5, 6, 0}));

  std::uint32_t color = 0;
  ASSERT_TRUE(s.GetColor("color", color));
  EXPECT_EQ(color, 0x0080FFu);
  ASSERT_TRUE(s.GetColor("colorwrap", color));
  EXPECT_EQ(color, 0x02FF01u);

  // A comma stops the first conversion; the rest cannot start a number and read as 0.
  std::array<std::int32_t, 4> quad;
  ASSERT_TRUE(s.GetQuad("comma", quad));
  EXPECT_EQ(quad, (std::array<std::int32_t, 4>{10, 0, 0, 0}));

  Point p;
  ASSERT_TRUE(s.GetPoint("short", p));
  EXPECT_EQ(p, (Point{7, 0}));

  std::vector<Point> points;
  ASSERT_TRUE(s.GetPointList("points", points));
  EXPECT_EQ(points, (std::vector<Point>{{1, 2}, {3, 0}}));

  std::array<std::int32_t, 8> eight;
  ASSERT_TRUE(s.GetEightInts("eight", eight));
  EXPECT_EQ(eight, (std::array<std::int32_t, 8>{1, 2, 3, 4, 5, 6, 7, 8}));
}

TEST_F(SectionGetters, HostileListCountIsCapped) {
  std::vector<std::int32_t> list;
  ASSERT_TRUE(section_->GetIntList("huge", list));
  ASSERT_EQ(list.size(), static_cast<std::size_t>(kMaxListCount));
  EXPECT_EQ(list[0], 1);
  EXPECT_EQ(list[1], 2);
  EXPECT_EQ(list.back(), 0);
}

TEST_F(SectionGetters, MissingKeysLeaveOutputsAlone) {
  Rect r{1, 2, 3, 4};
  std::vector<std::int32_t> list = {7};
  std::u16string text = u"keep";
  std::uint32_t color = 5;
  EXPECT_FALSE(section_->GetRect("missing", r));
  EXPECT_FALSE(section_->GetIntList("missing", list));
  EXPECT_FALSE(section_->GetString("missing", text));
  EXPECT_FALSE(section_->GetColor("missing", color));
  EXPECT_EQ(r, (Rect{1, 2, 3, 4}));
  EXPECT_EQ(list, std::vector<std::int32_t>{7});
  EXPECT_EQ(text, u"keep");
  EXPECT_EQ(color, 5u);
  EXPECT_EQ(section_->GetRaw("missing"), nullptr);
}

TEST_F(SectionGetters, StringsAreUtf8WithASingleByteFallbackAndFirstKeyWins) {
  std::u16string text;
  ASSERT_TRUE(section_->GetString("text", text));
  EXPECT_EQ(text, u"caf\u00E9");
  ASSERT_TRUE(section_->GetString("latin", text));
  EXPECT_EQ(text, u"caf\u00E9 \u20AC");
  EXPECT_STREQ(section_->GetRaw("dup"), "first");
  EXPECT_EQ(section_->GetRaw("Dup"), nullptr);  // keys are case-sensitive
  ASSERT_TRUE(section_->GetString("empty", text));
  EXPECT_EQ(text, u"");
}

}  // namespace
}  // namespace zelph::config
