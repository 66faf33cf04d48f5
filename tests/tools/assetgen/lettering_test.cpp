#include "lettering.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <string>

#include "asset_sources.h"
#include "raster.h"

namespace zelph::assetgen {
namespace {

// Columns that lettering changed on a plain opaque surface.
std::pair<int, int> ChangedColumns(const Image& before, const Image& after) {
  int first = after.w, last = -1;
  for (int y = 0; y < after.h; ++y)
    for (int x = 0; x < after.w; ++x) {
      const Px& a = before.At(x, y);
      const Px& b = after.At(x, y);
      if (a.r != b.r || a.g != b.g || a.b != b.b) {
        first = std::min(first, x);
        last = std::max(last, x);
      }
    }
  return {first, last};
}

TEST(Lettering, LongTextShrinksToItsWidthAndStaysCentredInBothBuilds) {
  FaceCache faces(test::FontsDir());
  for (LetterStyle style : {LetterStyle::kPainted, LetterStyle::kCarved}) {
    Lettering l;
    l.style = style;
    l.px = 40;
    for (int divisor : {1, 2}) {
      SCOPED_TRACE(divisor);
      Image plain(400 / divisor, 100 / divisor);
      Fill(plain, Color{0x80, 0x60, 0x40});
      Image img = plain;
      std::string error;
      ASSERT_TRUE(DrawLettering(img, faces, l, "Rather Long Title", 200, 50, 240, divisor, error)) << error;
      const auto [first, last] = ChangedColumns(plain, img);
      ASSERT_LE(first, last) << "something was drawn";
      // The ink box is at most the asked width, give or take the outline, shadow and carving halo.
      const int slack = 8 / divisor;
      EXPECT_GE(first, (200 - 120) / divisor - slack);
      EXPECT_LE(last, (200 + 120) / divisor + slack);
      EXPECT_NEAR((first + last) / 2, 200 / divisor, 4 / divisor + 2);
      // Beyond half its size the text is refused rather than run over the edge.
      EXPECT_FALSE(DrawLettering(img, faces, l, "A Title Far Too Long For Its Little Board", 200, 50, 240,
                                 divisor, error));
      EXPECT_NE(error.find("does not fit"), std::string::npos) << error;
    }
  }
}

TEST(Lettering, NothingIsPaintedWherePictureIsTransparent) {
  // Lettering belongs to the surface it is painted on: a title wider than its board must not float in the
  // transparent margin around it.
  FaceCache faces(test::FontsDir());
  Image img(200, 60);
  for (int y = 0; y < 60; ++y)
    for (int x = 50; x < 150; ++x) img.At(x, y) = Premultiply(Color{0x80, 0x60, 0x40});
  Lettering l;
  l.px = 30;
  std::string error;
  ASSERT_TRUE(DrawLettering(img, faces, l, "WWWWWWWWWW", 100, 30, 400, 1, error)) << error;
  for (int y = 0; y < 60; ++y)
    for (int x = 0; x < 200; ++x)
      if (x < 50 || x >= 150) {
        ASSERT_EQ(img.At(x, y).a, 0) << x << "," << y;
      }
}

}  // namespace
}  // namespace zelph::assetgen
