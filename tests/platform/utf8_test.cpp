// The one UTF-8 decoder: every code point round-trips, and the malformed forms a hostile text may carry are
// refused rather than turned into other characters.
#include "platform/utf8.h"

#include <gtest/gtest.h>

namespace zelph::platform {
namespace {

// An encoder written from the table of byte patterns, independent of the one under test.
void Encode(char32_t c, std::string& s) {
  s.clear();
  if (c < 0x80) {
    s += static_cast<char>(c);
  } else if (c < 0x800) {
    s += static_cast<char>(0xC0 + c / 64);
    s += static_cast<char>(0x80 + c % 64);
  } else if (c < 0x10000) {
    s += static_cast<char>(0xE0 + c / 4096);
    s += static_cast<char>(0x80 + c / 64 % 64);
    s += static_cast<char>(0x80 + c % 64);
  } else {
    s += static_cast<char>(0xF0 + c / 262144);
    s += static_cast<char>(0x80 + c / 4096 % 64);
    s += static_cast<char>(0x80 + c / 64 % 64);
    s += static_cast<char>(0x80 + c % 64);
  }
}

TEST(Utf8, EveryScalarValueDecodesEncodesAndGoesThroughUtf16) {
  int wrong = 0;
  std::string bytes, again;
  std::u16string units;
  for (char32_t c = 0; c <= 0x10FFFF; ++c) {
    if (c == 0xD800) c = 0xE000;  // surrogates are not characters
    Encode(c, bytes);
    Utf8Char got = DecodeUtf8At(bytes, 0);
    again.clear();
    AppendUtf8(again, c);
    units.clear();
    AppendUtf16(units, c);
    if (got.code != c || got.length != bytes.size() || again != bytes || Utf16ToUtf8(units) != bytes) ++wrong;
  }
  EXPECT_EQ(wrong, 0);
}

TEST(Utf8, MalformedFormsAreRefused) {
  const char* const bad[] = {
      "\xC0\x80",              // overlong NUL
      "\xC1\xBF",              // overlong U+007F
      "\xE0\x80\xAF",          // overlong '/'
      "\xE0\x9F\xBF",          // overlong U+07FF
      "\xF0\x80\x80\xAF",      // overlong '/'
      "\xF0\x8F\xBF\xBF",      // overlong U+FFFF
      "\xED\xA0\x80",          // U+D800, a surrogate
      "\xED\xBF\xBF",          // U+DFFF
      "\xF4\x90\x80\x80",      // U+110000
      "\xF7\xBF\xBF\xBF",      // U+1FFFFF
      "\xF8\x88\x80\x80\x80",  // five bytes
      "\x80",                  // a continuation byte alone
      "\xE2\x82",              // cut short
      "\xE2\x28\xA1",          // a continuation byte missing
      "\xFF",
  };
  for (const char* b : bad) {
    SCOPED_TRACE(testing::PrintToString(std::string(b)));
    EXPECT_EQ(DecodeUtf8At(b, 0).length, 0u);
    EXPECT_FALSE(DecodeUtf8(std::string("ok") + b));
    EXPECT_FALSE(Utf8ToUtf16(b));
  }
  // The edges just inside the limits are characters.
  EXPECT_EQ(DecodeUtf8("\xED\x9F\xBF\xEE\x80\x80\xF4\x8F\xBF\xBF"), (std::u32string{0xD7FF, 0xE000, 0x10FFFF}));
}

TEST(Utf8, Utf16ConversionsPairSurrogatesAndReplaceUnpairedOnes) {
  EXPECT_EQ(Utf8ToUtf16("a\xD0\x96\xF0\x9F\x98\x80"), (std::u16string{u'a', 0x416, 0xD83D, 0xDE00}));
  EXPECT_EQ(Utf16ToUtf8(std::u16string{0xD83D, 0xDE00}), "\xF0\x9F\x98\x80");
  EXPECT_EQ(Utf16ToUtf8(std::u16string{u'x', 0xD83D, u'y', 0xDE00}), "x\xEF\xBF\xBDy\xEF\xBF\xBD");
  EXPECT_EQ(Utf8ToUtf16(""), std::u16string());
}

}  // namespace
}  // namespace zelph::platform
