#include <gtest/gtest.h>

#include <optional>
#include <random>

#include "gfx/blit.h"
#include "reference.h"

namespace zelph::gfx {
namespace {

// The whole Blt of flags 0..7, pixel by pixel: what the destination must look like afterwards.
Result ReferenceBlt(ref::Image& out, const Surface& dest, const ref::Image& src, const Surface& srcSurface,
                    int x, int y, const std::optional<Rect>& srcRect, std::uint32_t flags, const BltFx& fx) {
  const std::uint32_t o = (flags & kBltOpacity) ? fx.opacity : 255;
  if (o == 0) return S_OK;
  const Rect s = srcRect ? *srcRect : Rect{0, 0, src.w, src.h};
  if (s.IsEmpty()) return GFX_E_OUT_OF_BOUNDS;
  const Pixel key = ColorToPixel(srcSurface.ColorKey());
  const Pixel fill = ColorToPixel(fx.fillColor);
  const bool lenient = dest.SkipsBoundsChecks();
  // A fill without key is a FillRect of the destination rectangle: the source is never read.
  const bool fillOnly = (flags & ~kBltOpacity) == kBltFillColor;
  struct Job {
    int dx, dy, sx, sy;
  };
  std::vector<Job> jobs;
  for (int j = 0; j < s.Height(); ++j) {
    for (int i = 0; i < s.Width(); ++i) {
      const Job job{x + i, y + j, s.left + i, s.top + j};
      if (!ref::ClipPasses(dest, job.dx, job.dy)) continue;
      const bool inside = job.dx >= 0 && job.dy >= 0 && job.dx < out.w && job.dy < out.h &&
                          (fillOnly || (job.sx >= 0 && job.sy >= 0 && job.sx < src.w && job.sy < src.h));
      if (!inside && !lenient) return GFX_E_OUT_OF_BOUNDS;
      if (inside) jobs.push_back(job);
    }
  }
  for (const Job& job : jobs) {
    const Pixel sp = fillOnly ? Pixel{0} : src.at(job.sx, job.sy);
    if ((flags & kBltColorKey) && sp == key) continue;
    const Pixel n = (flags & kBltFillColor) ? fill : sp;
    Pixel& d = out.at(job.dx, job.dy);
    d = (flags & kBltOpacity) ? ref::Opacity(n, d, o) : n;
  }
  return S_OK;
}

std::uint32_t PickOpacity(std::mt19937& rng) {
  static constexpr std::uint32_t kInteresting[] = {0, 1, 7, 8, 127, 128, 129, 200, 243, 254, 255};
  if (rng() % 3 == 0) return rng() % 256;
  return kInteresting[rng() % std::size(kInteresting)];
}

Rect RandomRect(std::mt19937& rng, int w, int h, int slack) {
  auto coord = [&](int limit) { return static_cast<int>(rng() % (limit + 2 * slack + 1)) - slack; };
  const int l = coord(w), t = coord(h);
  return {l, t, l + static_cast<int>(rng() % (w + 1)) + (rng() % 8 == 0 ? 0 : 1),
          t + static_cast<int>(rng() % (h + 1)) + (rng() % 8 == 0 ? 0 : 1)};
}

Rect InsideRect(std::mt19937& rng, int w, int h) {
  const int l = static_cast<int>(rng() % w), t = static_cast<int>(rng() % h);
  return {l, t, l + 1 + static_cast<int>(rng() % (w - l)), t + 1 + static_cast<int>(rng() % (h - t))};
}

// Random pictures, odd widths, misaligned starts, clips, keys on both sides, surfaces drawn onto
// themselves, wide rows for the vector loops: the fast paths must agree with the reference every time.
TEST(BltDifferential, BasicFlagsMatchTheReference) {
  ref::ForEachVectorWidth([&] {
    ref::OpenContext open;
    std::mt19937 rng(20240601);
    int drawn = 0;
    for (int round = 0; round < 3000; ++round) {
      const bool wide = round % 5 == 0;
      const int dw = 1 + static_cast<int>(rng() % (wide ? 300 : 40)), dh = 1 + static_cast<int>(rng() % 12);
      Surface dest{open.context};
      ASSERT_EQ(dest.CreateSurface(rng() % 6 == 0 ? kCreateNoBoundsCheck : 0, dw, dh), S_OK);
      ref::Randomize(dest, rng, 0xFFFF);
      dest.SetColorKey(0xFFFFFF);  // the destination's key never matters
      Surface other{open.context};
      const bool self = rng() % 8 == 0;
      Surface& src = self ? dest : other;
      if (!self) {
        // Mostly no larger than the destination, so that it fits somewhere.
        ASSERT_EQ(other.CreateSurface(0, 1 + static_cast<int>(rng() % dw), 1 + static_cast<int>(rng() % dh)),
                  S_OK);
        ref::Randomize(other, rng, rng() % 2 ? 0xF81F : 0xFFFF);
      }
      src.SetColorKey(rng() % 4 ? kMagenta : PixelToColor(0xFFFF));
      if (rng() % 3 == 0) {
        const Rect clip = RandomRect(rng, dw, dh, 3);
        ASSERT_EQ(dest.SetClipRect(&clip), S_OK);
      }
      std::optional<Rect> srcRect;
      if (rng() % 4 == 0) {
        srcRect = RandomRect(rng, src.Width(), src.Height(), 2);  // anything, even empty or outside
      } else if (rng() % 3) {
        srcRect = InsideRect(rng, src.Width(), src.Height());
      }
      int x = static_cast<int>(rng() % (dw + 6)) - 3, y = static_cast<int>(rng() % (dh + 4)) - 2;
      if (rng() % 3) {  // mostly a placement that fits, so that most rounds draw
        const Rect s = srcRect ? *srcRect : src.Bounds();
        x = static_cast<int>(rng() % static_cast<unsigned>(std::max<std::int64_t>(1, dw - s.Width() + 1)));
        y = static_cast<int>(rng() % static_cast<unsigned>(std::max<std::int64_t>(1, dh - s.Height() + 1)));
      }
      const std::uint32_t flags = rng() % 8;
      BltFx fx;
      fx.opacity = PickOpacity(rng);
      fx.fillColor = rng() & 0xFFFFFF;

      ref::Image expected = ref::Snapshot(dest);
      const ref::Image before = expected;
      const ref::Image srcBefore = ref::Snapshot(src);
      const Result want = ReferenceBlt(expected, dest, srcBefore, src, x, y, srcRect, flags, fx);
      if (Failed(want)) expected = ref::Snapshot(dest);
      const Result got = Blt(dest, x, y, &src, srcRect ? &*srcRect : nullptr, flags, &fx);
      drawn += expected != before;
      ASSERT_EQ(got, want) << "round " << round << " flags " << flags;
      ASSERT_EQ(ref::Difference(ref::Snapshot(dest), expected), "")
          << "round " << round << " flags " << flags << " opacity " << fx.opacity << " at " << x << "," << y
          << (self ? " onto itself" : "");
    }
    EXPECT_GT(drawn, 1200) << "too few rounds change the picture to test anything";
  });
}

class BltTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_EQ(dest.CreateSurface(0, 16, 16), S_OK);
    ASSERT_EQ(src.CreateSurface(0, 16, 16), S_OK);
    std::mt19937 rng(3);
    ref::Randomize(dest, rng);
    ref::Randomize(src, rng);
    src.SetColorKey(kMagenta);
  }
  ref::OpenContext open;
  Surface dest{open.context};
  Surface src{open.context};
};

TEST_F(BltTest, KeyedPixelsLeaveTheDestinationAlone) {
  const ref::Image before = ref::Snapshot(dest);
  ASSERT_EQ(Blt(dest, 0, 0, &src, nullptr, kBltColorKey), S_OK);
  for (int y = 0; y < 16; ++y) {
    for (int x = 0; x < 16; ++x) {
      EXPECT_EQ(dest.Row(y)[x], src.Row(y)[x] == 0xF81F ? before.at(x, y) : src.Row(y)[x]);
    }
  }
}

TEST_F(BltTest, OpacityEdgesAndLimits) {
  const ref::Image before = ref::Snapshot(dest);
  BltFx fx;
  fx.opacity = 0;
  EXPECT_EQ(Blt(dest, 0, 0, &src, nullptr, kBltOpacity, &fx), S_OK);
  EXPECT_EQ(ref::Snapshot(dest), before);
  fx.opacity = 300;
  EXPECT_EQ(Blt(dest, 0, 0, &src, nullptr, kBltOpacity, &fx), E_INVALIDARG);
  EXPECT_EQ(Blt(dest, 0, 0, &src, nullptr, kBltOpacity, nullptr), E_INVALIDARG);
  EXPECT_EQ(Blt(dest, 0, 0, &src, nullptr, kBltFillColor, nullptr), E_INVALIDARG);
  EXPECT_EQ(ref::Snapshot(dest), before);
  fx.opacity = 255;
  ASSERT_EQ(Blt(dest, 0, 0, &src, nullptr, kBltOpacity, &fx), S_OK);
  EXPECT_EQ(ref::Snapshot(dest), ref::Snapshot(src));

  Surface white{open.context}, black{open.context};
  ASSERT_EQ(white.CreateSurface(0, 4, 4), S_OK);
  ASSERT_EQ(black.CreateSurface(kCreateClear, 4, 4), S_OK);
  ASSERT_EQ(FillRect(white, nullptr, 0xFFFFFF), S_OK);
  fx.opacity = 128;
  ASSERT_EQ(Blt(black, 0, 0, &white, nullptr, kBltOpacity, &fx), S_OK);
  EXPECT_EQ(black.Row(3)[3], 0x7BEF);
}

TEST_F(BltTest, ClipRectangleShowsOnlyItsPart) {
  Surface big{open.context};
  ASSERT_EQ(big.CreateSurface(kCreateClear, 30, 30), S_OK);
  const Rect clip{10, 10, 20, 20};
  ASSERT_EQ(big.SetClipRect(&clip), S_OK);
  ASSERT_EQ(Blt(big, 0, 0, &src, nullptr), S_OK);
  for (int y = 0; y < 30; ++y) {
    for (int x = 0; x < 30; ++x) {
      const bool drawn = x >= 10 && x < 16 && y >= 10 && y < 16;
      ASSERT_EQ(big.Row(y)[x], drawn ? src.Row(y)[x] : 0) << x << "," << y;
    }
  }
  // Cut away entirely: success, nothing drawn.
  EXPECT_EQ(Blt(big, 25, 25, &src, nullptr), S_OK);
  EXPECT_EQ(big.Row(25)[25], 0);
}

TEST_F(BltTest, StickingOutFailsAndDrawsNothing) {
  const ref::Image before = ref::Snapshot(dest);
  EXPECT_EQ(Blt(dest, 1, 0, &src, nullptr), GFX_E_OUT_OF_BOUNDS);
  EXPECT_EQ(Blt(dest, 0, -1, &src, nullptr, kBltColorKey), GFX_E_OUT_OF_BOUNDS);
  const Rect outside{8, 8, 17, 12};
  EXPECT_EQ(Blt(dest, 0, 0, &src, &outside), GFX_E_OUT_OF_BOUNDS);
  const Rect empty{4, 4, 4, 8};
  EXPECT_EQ(Blt(dest, 0, 0, &src, &empty), GFX_E_OUT_OF_BOUNDS);
  EXPECT_EQ(Blt(dest, 0x7FFFFFF0, 0, &src, nullptr), GFX_E_OUT_OF_BOUNDS);
  EXPECT_EQ(ref::Snapshot(dest), before);
}

TEST_F(BltTest, ChecksComeInTheirOrder) {
  Surface empty{open.context};
  EXPECT_EQ(Blt(dest, 0, 0, nullptr, nullptr), E_INVALIDARG);
  EXPECT_EQ(Blt(dest, 0, 0, &src, nullptr, 0x400), E_INVALIDARG);
  EXPECT_EQ(Blt(dest, 0, 0, &empty, nullptr), GFX_E_NO_PIXELS);
  EXPECT_EQ(Blt(empty, 0, 0, &src, nullptr), GFX_E_NO_PIXELS);
  Surface readOnly{open.context};
  ASSERT_EQ(readOnly.CreateSurface(kCreateReadOnly, 16, 16), S_OK);
  EXPECT_EQ(Blt(readOnly, 0, 0, &src, nullptr), GFX_E_READ_ONLY);
  EXPECT_EQ(Blt(dest, 0, 0, &readOnly, nullptr), S_OK);  // read-only sources are fine
  // Everything but plain copies needs an RGB 565 display.
  open.context.MarkOpen({640, 480, 2, 1280, 16, kFormatDirect | kFormatRgb555});
  EXPECT_EQ(Blt(dest, 0, 0, &src, nullptr), S_OK);
  EXPECT_EQ(Blt(dest, 0, 0, &src, nullptr, kBltColorKey), GFX_E_NOT_READY);
}

TEST_F(BltTest, WholeSurfaceCopyAndSilhouette) {
  ASSERT_EQ(Blt(dest, 0, 0, &src, nullptr), S_OK);
  EXPECT_EQ(ref::Snapshot(dest), ref::Snapshot(src));
  BltFx fx;
  fx.fillColor = 0x0000FF;
  ASSERT_EQ(FillRect(dest, nullptr, 0), S_OK);
  ASSERT_EQ(Blt(dest, 0, 0, &src, nullptr, kBltColorKey | kBltFillColor, &fx), S_OK);
  for (int y = 0; y < 16; ++y) {
    for (int x = 0; x < 16; ++x) EXPECT_EQ(dest.Row(y)[x], src.Row(y)[x] == 0xF81F ? 0 : 0xF800);
  }
}

TEST_F(BltTest, LenientDestinationDropsWhatLiesOutside) {
  Surface lenient{open.context};
  ASSERT_EQ(lenient.CreateSurface(kCreateNoBoundsCheck | kCreateClear, 8, 8), S_OK);
  ASSERT_EQ(Blt(lenient, -4, 4, &src, nullptr), S_OK);
  EXPECT_EQ(lenient.Row(4)[0], src.Row(0)[4]);
  EXPECT_EQ(lenient.Row(7)[7], src.Row(3)[11]);
  EXPECT_EQ(lenient.Row(3)[0], 0);
}

}  // namespace
}  // namespace zelph::gfx
