#include "scenes.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <string>
#include <vector>

namespace zelph::assetgen {
namespace {

const char* const kStyles[] = {"meadow", "dusk",   "night",   "winter", "autumn", "spring", "storm",
                               "desert", "sea",    "aurora",  "galaxy", "checker", "stripes", "rings",
                               "mosaic", "marble", "waves",   "dots",   "bricks", "sunrise"};

// Mean difference of two pictures of one size, per channel, Q15.
int MeanDifference(const Image& a, const Image& b) {
  long long sum = 0;
  for (std::size_t i = 0; i < a.px.size(); ++i)
    sum += std::abs(a.px[i].r - b.px[i].r) + std::abs(a.px[i].g - b.px[i].g) + std::abs(a.px[i].b - b.px[i].b);
  return static_cast<int>(sum / static_cast<long long>(3 * a.px.size()));
}

// Every level uncovers a picture of its own: each style fills its picture opaquely, comes out the same for
// the same seed, and no two styles look alike.
TEST(Scenes, EveryStyleIsOpaqueRepeatableAndUnlikeTheOthers) {
  std::vector<Image> pictures;
  for (const char* style : kStyles) {
    SCOPED_TRACE(style);
    ASSERT_TRUE(IsSceneStyle(style));
    Image img = Scene(style, 96, 60, 50, 7);
    ASSERT_EQ(img.w, 96);
    ASSERT_EQ(img.h, 60);
    for (const Px& p : img.px) ASSERT_EQ(p.a, kOne);
    EXPECT_EQ(MeanDifference(img, Scene(style, 96, 60, 50, 7)), 0);
    pictures.push_back(std::move(img));
  }
  for (std::size_t a = 0; a < pictures.size(); ++a)
    for (std::size_t b = a + 1; b < pictures.size(); ++b)
      EXPECT_GT(MeanDifference(pictures[a], pictures[b]), kOne / 40) << kStyles[a] << " against " << kStyles[b];
  EXPECT_FALSE(IsSceneStyle("plaid"));
}

}  // namespace
}  // namespace zelph::assetgen
