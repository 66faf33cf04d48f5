#include <gtest/gtest.h>

#include <optional>
#include <random>

#include "gfx/blit.h"
#include "reference.h"

namespace zelph::gfx {
namespace {

// One pixel of AlphaBlt with the opacity o (255 when none is given).
Pixel ReferenceAlphaPixel(Pixel s, Pixel d, Pixel a, std::uint32_t o) {
  if (a == 0) return d;
  const int green = (a >> 5) & 0x3F;
  if (o == 128) return ref::Mix(s, d, green >> 2);
  int level = green * 4;
  if (o != 255) level = level * static_cast<int>(o) / 256;
  if (level >= 244) return s;
  return ref::Mix(s, d, level / 8);
}

struct Sizes {
  int w, h;
};

Sizes RandomSize(std::mt19937& rng, int maxW, int maxH) {
  return {1 + static_cast<int>(rng() % maxW), 1 + static_cast<int>(rng() % maxH)};
}

Rect InsideRect(std::mt19937& rng, int w, int h) {
  const int l = static_cast<int>(rng() % w), t = static_cast<int>(rng() % h);
  return {l, t, l + 1 + static_cast<int>(rng() % (w - l)), t + 1 + static_cast<int>(rng() % (h - t))};
}

// Fills the picture with grey levels, black and white being common, as alpha pictures are.
void RandomAlpha(Surface& s, std::mt19937& rng) {
  for (int y = 0; y < s.Height(); ++y) {
    for (int x = 0; x < s.Width(); ++x) {
      const int p = static_cast<int>(rng() % 6);
      s.Row(y)[x] = p == 0   ? Pixel{0}
                    : p == 1 ? Pixel{0xFFFF}
                    : p == 2 ? static_cast<Pixel>(rng())
                             : GreyToPixel(static_cast<std::uint8_t>(rng()));
    }
  }
}

TEST(AlphaBltDifferential, MatchesTheReference) {
  ref::ForEachVectorWidth([&] {
    ref::OpenContext open;
    std::mt19937 rng(77);
    int drawn = 0;
    for (int round = 0; round < 1500; ++round) {
      const bool wide = round % 4 == 0;
      const Sizes ds = RandomSize(rng, wide ? 260 : 40, 10);
      Surface dest{open.context}, src{open.context}, alpha{open.context};
      ASSERT_EQ(dest.CreateSurface(0, ds.w, ds.h), S_OK);
      const Sizes ss = RandomSize(rng, ds.w, ds.h);
      ASSERT_EQ(src.CreateSurface(0, ss.w, ss.h), S_OK);
      const Sizes as = RandomSize(rng, ss.w, ss.h);
      ASSERT_EQ(alpha.CreateSurface(0, as.w, as.h), S_OK);
      ref::Randomize(dest, rng);
      ref::Randomize(src, rng);
      RandomAlpha(alpha, rng);
      if (rng() % 3 == 0) {
        const Rect clip = InsideRect(rng, ds.w, ds.h);
        ASSERT_EQ(dest.SetClipRect(&clip), S_OK);
      }
      std::optional<Rect> srcRect, alphaRect;
      if (rng() % 2) srcRect = InsideRect(rng, ss.w, ss.h);
      if (rng() % 2) alphaRect = InsideRect(rng, as.w, as.h);
      const Rect s = srcRect.value_or(src.Bounds()), a = alphaRect.value_or(alpha.Bounds());
      int x = static_cast<int>(rng() % (ds.w + 2)) - 1, y = static_cast<int>(rng() % (ds.h + 2)) - 1;
      if (rng() % 3) {  // mostly a placement that fits
        x = static_cast<int>(rng() % (ds.w - a.Width() + 1));
        y = static_cast<int>(rng() % (ds.h - a.Height() + 1));
      }
      const bool useOpacity = rng() % 2;
      const std::uint32_t opacity =
          useOpacity ? static_cast<std::uint32_t>(rng() % 3 == 0 ? 128u : rng() % 256) : 255;

      ref::Image expected = ref::Snapshot(dest);
      const ref::Image before = expected;
      Result want = S_OK;
      if (opacity != 0) {
        if (s.Width() < a.Width() || s.Height() < a.Height()) want = GFX_E_OUT_OF_BOUNDS;
        for (int j = 0; j < a.Height() && Succeeded(want); ++j) {
          for (int i = 0; i < a.Width() && Succeeded(want); ++i) {
            if (!ref::ClipPasses(dest, x + i, y + j)) continue;
            if (x + i < 0 || y + j < 0 || x + i >= ds.w || y + j >= ds.h) {
              want = GFX_E_OUT_OF_BOUNDS;
              break;
            }
            Pixel& d = expected.at(x + i, y + j);
            d = ReferenceAlphaPixel(src.Row(s.top + j)[s.left + i], d, alpha.Row(a.top + j)[a.left + i],
                                    opacity);
          }
        }
      }
      if (Failed(want)) expected = before;
      drawn += expected != before;
      const Result got = AlphaBlt(dest, x, y, &src, srcRect ? &*srcRect : nullptr, &alpha,
                                  alphaRect ? &*alphaRect : nullptr, useOpacity ? kDrawOpacity : 0, &opacity);
      ASSERT_EQ(got, want) << "round " << round;
      ASSERT_EQ(ref::Difference(ref::Snapshot(dest), expected), "")
          << "round " << round << " opacity " << opacity << " at " << x << "," << y;
    }
    EXPECT_GT(drawn, 500);
  });
}

TEST(AlphaBlt, BlackDrawsNothingAndWhiteIsAPlainCopy) {
  ref::OpenContext open;
  Surface dest{open.context}, src{open.context}, alpha{open.context};
  ASSERT_EQ(dest.CreateSurface(0, 9, 9), S_OK);
  ASSERT_EQ(src.CreateSurface(0, 9, 9), S_OK);
  ASSERT_EQ(alpha.CreateSurface(kCreateClear, 9, 9), S_OK);
  std::mt19937 rng(1);
  ref::Randomize(dest, rng);
  ref::Randomize(src, rng);
  const ref::Image before = ref::Snapshot(dest);
  ASSERT_EQ(AlphaBlt(dest, 0, 0, &src, nullptr, &alpha, nullptr), S_OK);
  EXPECT_EQ(ref::Snapshot(dest), before);
  ASSERT_EQ(FillRect(alpha, nullptr, 0xFFFFFF), S_OK);
  ASSERT_EQ(AlphaBlt(dest, 0, 0, &src, nullptr, &alpha, nullptr), S_OK);
  EXPECT_EQ(ref::Snapshot(dest), ref::Snapshot(src));
}

TEST(AlphaBlt, ArgumentsAndSizes) {
  ref::OpenContext open;
  Surface dest{open.context}, src{open.context}, alpha{open.context};
  ASSERT_EQ(dest.CreateSurface(0, 8, 8), S_OK);
  ASSERT_EQ(src.CreateSurface(0, 4, 4), S_OK);
  ASSERT_EQ(alpha.CreateSurface(0, 5, 4), S_OK);
  EXPECT_EQ(AlphaBlt(dest, 0, 0, nullptr, nullptr, &alpha, nullptr), E_INVALIDARG);
  EXPECT_EQ(AlphaBlt(dest, 0, 0, &src, nullptr, nullptr, nullptr), E_INVALIDARG);
  EXPECT_EQ(AlphaBlt(dest, 0, 0, &src, nullptr, &alpha, nullptr, kDrawOpacity, nullptr), E_INVALIDARG);
  const std::uint32_t tooMuch = 256;
  EXPECT_EQ(AlphaBlt(dest, 0, 0, &src, nullptr, &alpha, nullptr, kDrawOpacity, &tooMuch), E_INVALIDARG);
  // The source must be at least as large as the alpha rectangle.
  EXPECT_EQ(AlphaBlt(dest, 0, 0, &src, nullptr, &alpha, nullptr), GFX_E_OUT_OF_BOUNDS);
  const Rect part{1, 0, 5, 4};
  EXPECT_EQ(AlphaBlt(dest, 0, 0, &src, nullptr, &alpha, &part), S_OK);
  LockInfo info;
  ASSERT_EQ(alpha.Lock(&info), S_OK);
  EXPECT_EQ(AlphaBlt(dest, 0, 0, &src, nullptr, &alpha, &part), GFX_E_LOCKED);
}

TEST(FillRectDifferential, MatchesTheReference) {
  ref::ForEachVectorWidth([&] {
    ref::OpenContext open;
    std::mt19937 rng(99);
    for (int round = 0; round < 1500; ++round) {
      const Sizes ds = RandomSize(rng, round % 3 == 0 ? 300 : 40, 10);
      Surface dest{open.context};
      ASSERT_EQ(dest.CreateSurface(rng() % 5 == 0 ? kCreateNoBoundsCheck : 0, ds.w, ds.h), S_OK);
      ref::Randomize(dest, rng);
      if (rng() % 3 == 0) {
        const Rect clip = InsideRect(rng, ds.w, ds.h);
        ASSERT_EQ(dest.SetClipRect(&clip), S_OK);
      }
      std::optional<Rect> rect;
      if (rng() % 5) {
        rect = InsideRect(rng, ds.w, ds.h);
        if (rng() % 5 == 0) rect->right += static_cast<int>(rng() % 3);
        if (rng() % 9 == 0) rect->left -= 1;
      }
      const Rect r = rect.value_or(dest.Bounds());
      const bool useOpacity = rng() % 2;
      const std::uint32_t opacity =
          useOpacity ? static_cast<std::uint32_t>(rng() % 3 == 0 ? 128u : rng() % 256) : 255;
      const Color color = rng() & 0xFFFFFF;

      ref::Image expected = ref::Snapshot(dest);
      Result want = S_OK;
      for (int y = r.top; y < r.bottom && opacity != 0; ++y) {
        for (int x = r.left; x < r.right; ++x) {
          if (!ref::ClipPasses(dest, x, y)) continue;
          if (x < 0 || y < 0 || x >= ds.w || y >= ds.h) {
            if (!dest.SkipsBoundsChecks()) want = GFX_E_OUT_OF_BOUNDS;
            continue;
          }
          expected.at(x, y) = ref::Opacity(ColorToPixel(color), expected.at(x, y), opacity);
        }
      }
      if (Failed(want)) expected = ref::Snapshot(dest);
      ASSERT_EQ(FillRect(dest, rect ? &*rect : nullptr, color, useOpacity ? kDrawOpacity : 0, &opacity), want)
          << "round " << round;
      ASSERT_EQ(ref::Difference(ref::Snapshot(dest), expected), "")
          << "round " << round << " opacity " << opacity;
    }
  });
}

TEST(FillRect, EmptyOrOutsideRectanglesAndOpacityNeedRgb565) {
  ref::OpenContext open;
  Surface dest{open.context};
  ASSERT_EQ(dest.CreateSurface(kCreateClear, 6, 6), S_OK);
  const Rect empty{2, 2, 2, 5}, outside{4, 4, 7, 6};
  EXPECT_EQ(FillRect(dest, &empty, 0xFFFFFF), GFX_E_OUT_OF_BOUNDS);
  EXPECT_EQ(FillRect(dest, &outside, 0xFFFFFF), GFX_E_OUT_OF_BOUNDS);
  EXPECT_EQ(dest.Row(4)[4], 0);
  EXPECT_EQ(FillRect(dest, nullptr, 0, 0x2), E_INVALIDARG);
  open.context.MarkOpen({640, 480, 2, 1280, 16, kFormatDirect | kFormatRgb555});
  EXPECT_EQ(FillRect(dest, nullptr, 0xFFFFFF), S_OK);
  const std::uint32_t half = 128;
  EXPECT_EQ(FillRect(dest, nullptr, 0xFFFFFF, kDrawOpacity, &half), GFX_E_NOT_READY);
}

}  // namespace
}  // namespace zelph::gfx
