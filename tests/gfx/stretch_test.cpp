#include <gtest/gtest.h>

#include <random>

#include "gfx/blit.h"
#include "reference.h"

namespace zelph::gfx {
namespace {

Rect InsideRect(std::mt19937& rng, int w, int h) {
  const int l = static_cast<int>(rng() % w), t = static_cast<int>(rng() % h);
  return {l, t, l + 1 + static_cast<int>(rng() % (w - l)), t + 1 + static_cast<int>(rng() % (h - t))};
}

TEST(StretchBltDifferential, NearestPixelScalingMatchesTheReference) {
  ref::OpenContext open;
  std::mt19937 rng(4242);
  for (int round = 0; round < 800; ++round) {
    Surface dest{open.context}, src{open.context};
    const int dw = 1 + static_cast<int>(rng() % 50), dh = 1 + static_cast<int>(rng() % 30);
    ASSERT_EQ(dest.CreateSurface(0, dw, dh), S_OK);
    ASSERT_EQ(src.CreateSurface(0, 1 + static_cast<int>(rng() % 40), 1 + static_cast<int>(rng() % 30)), S_OK);
    ref::Randomize(dest, rng);
    ref::Randomize(src, rng);
    src.SetColorKey(kMagenta);
    if (rng() % 3 == 0) {
      const Rect clip = InsideRect(rng, dw, dh);
      ASSERT_EQ(dest.SetClipRect(&clip), S_OK);
    }
    const Rect d = InsideRect(rng, dw, dh);
    const Rect s = InsideRect(rng, src.Width(), src.Height());
    const std::uint32_t flags =
        (rng() % 8) | (rng() % 2 ? kStretchMirrorX : 0) | (rng() % 2 ? kStretchMirrorY : 0);
    BltFx fx;
    fx.opacity = rng() % 4 == 0 ? 128 : rng() % 256;
    fx.fillColor = rng() & 0xFFFFFF;

    ref::Image expected = ref::Snapshot(dest);
    const std::uint32_t o = (flags & kBltOpacity) ? fx.opacity : 255;
    const bool fillOnly = (flags & ~kBltOpacity) == kBltFillColor;
    const auto xStep = static_cast<std::int64_t>(s.Width() * 65536.0 / d.Width());
    const auto yStep = static_cast<std::int64_t>(s.Height() * 65536.0 / d.Height());
    for (int y = d.top; y < d.bottom && o != 0; ++y) {
      for (int x = d.left; x < d.right; ++x) {
        if (!ref::ClipPasses(dest, x, y)) continue;
        int sx = s.left + static_cast<int>(((x - d.left) * xStep) >> 16);
        int sy = s.top + static_cast<int>(((y - d.top) * yStep) >> 16);
        if (!fillOnly && (flags & kStretchMirrorX)) sx = s.right - 1 - (sx - s.left);
        if (!fillOnly && (flags & kStretchMirrorY)) sy = s.bottom - 1 - (sy - s.top);
        const Pixel sp = src.Row(sy)[sx];
        if ((flags & kBltColorKey) && sp == 0xF81F) continue;
        const Pixel n = (flags & kBltFillColor) ? ColorToPixel(fx.fillColor) : sp;
        expected.at(x, y) = ref::Opacity(n, expected.at(x, y), o);
      }
    }
    ASSERT_EQ(StretchBlt(dest, &d, &src, &s, flags, &fx), S_OK) << "round " << round;
    ASSERT_EQ(ref::Difference(ref::Snapshot(dest), expected), "") << "round " << round << " flags " << flags;
  }
}

class StretchTest : public ::testing::Test {
 protected:
  ref::OpenContext open;
  Surface dest{open.context}, src{open.context};
  void SetUp() override {
    ASSERT_EQ(dest.CreateSurface(kCreateClear, 8, 8), S_OK);
    ASSERT_EQ(src.CreateSurface(0, 2, 2), S_OK);
    src.Row(0)[0] = 1;
    src.Row(0)[1] = 2;
    src.Row(1)[0] = 3;
    src.Row(1)[1] = 4;
  }
};

TEST_F(StretchTest, TwoByTwoIntoFourByFourDoublesEachPixel) {
  const Rect d{0, 0, 4, 4};
  ASSERT_EQ(StretchBlt(dest, &d, &src, nullptr), S_OK);
  const Pixel want[4][4] = {{1, 1, 2, 2}, {1, 1, 2, 2}, {3, 3, 4, 4}, {3, 3, 4, 4}};
  for (int y = 0; y < 4; ++y) {
    for (int x = 0; x < 4; ++x) EXPECT_EQ(dest.Row(y)[x], want[y][x]) << x << "," << y;
  }
  EXPECT_EQ(dest.Row(4)[4], 0);
}

TEST_F(StretchTest, BoundsAndArguments) {
  const Rect out{6, 6, 10, 10}, srcOut{0, 0, 3, 2}, d{0, 0, 4, 4};
  EXPECT_EQ(StretchBlt(dest, &out, &src, nullptr), GFX_E_OUT_OF_BOUNDS);
  EXPECT_EQ(StretchBlt(dest, &d, &src, &srcOut), GFX_E_OUT_OF_BOUNDS);
  EXPECT_EQ(StretchBlt(dest, &d, nullptr, nullptr), E_INVALIDARG);
  EXPECT_EQ(StretchBlt(dest, &d, &src, nullptr, kStretchRotate, nullptr), E_INVALIDARG);
  EXPECT_EQ(StretchBlt(dest, &d, &src, nullptr, 0x800), E_INVALIDARG);
  EXPECT_EQ(dest.Row(7)[7], 0);
}

TEST_F(StretchTest, RotationByHalfATurnEqualsBothMirrors) {
  Surface pic{open.context}, a{open.context}, b{open.context};
  ASSERT_EQ(pic.CreateSurface(0, 6, 4), S_OK);
  std::mt19937 rng(5);
  ref::Randomize(pic, rng);
  ASSERT_EQ(a.CreateSurface(kCreateClear, 12, 8), S_OK);
  ASSERT_EQ(b.CreateSurface(kCreateClear, 12, 8), S_OK);
  BltFx fx;
  fx.angle = 18000;
  ASSERT_EQ(StretchBlt(a, nullptr, &pic, nullptr, kStretchRotate, &fx), S_OK);
  ASSERT_EQ(StretchBlt(b, nullptr, &pic, nullptr, kStretchMirrorX | kStretchMirrorY), S_OK);
  EXPECT_EQ(ref::Difference(ref::Snapshot(a), ref::Snapshot(b)), "");
  // Zoom 50 %: the picture shrinks about its centre, the border stays untouched.
  ASSERT_EQ(FillRect(a, nullptr, 0), S_OK);
  fx.effectColor = 50;
  ASSERT_EQ(StretchBlt(a, nullptr, &pic, nullptr, kStretchZoom, &fx), S_OK);
  EXPECT_EQ(a.Row(0)[0], 0);
  EXPECT_EQ(a.Row(2)[3], pic.Row(0)[0]);
  EXPECT_EQ(a.Row(5)[8], pic.Row(3)[5]);
}

}  // namespace
}  // namespace zelph::gfx
