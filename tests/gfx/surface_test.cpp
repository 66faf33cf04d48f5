#include "gfx/surface.h"

#include <gtest/gtest.h>

#include "gfx/blit.h"
#include "gfx/pixel.h"
#include "reference.h"

namespace zelph::gfx {
namespace {

TEST(PixelFormat, ColourConversionsKeepTheHighBits) {
  EXPECT_EQ(ColorToPixel(0xFF00FF), 0xF81F);
  EXPECT_EQ(ColorToPixel(0xFFFFFF), 0xFFFF);
  EXPECT_EQ(ColorToPixel(0x0000FF), 0xF800);  // red is the low byte
  EXPECT_EQ(PixelToColor(0xF81F), 0xF800F8u);
  EXPECT_EQ(GreyToPixel(255), 0xFFFF);
  EXPECT_EQ(GreyToPixel(0), 0);
  // Every pixel survives the round trip through a colour value.
  for (std::uint32_t p = 0; p < 0x10000; ++p) ASSERT_EQ(ColorToPixel(PixelToColor(static_cast<Pixel>(p))), p);
}

TEST(PixelFormat, BlendHelpersMatchTheChannelRules) {
  for (std::uint32_t i = 0; i < 200000; ++i) {
    const auto n = static_cast<Pixel>(i * 2654435761u >> 7), d = static_cast<Pixel>(i * 40503u + 977);
    const std::uint32_t k = i % 33;
    ASSERT_EQ(Blend(n, d, k), ref::Mix(n, d, static_cast<int>(k))) << n << " " << d << " " << k;
    ASSERT_EQ(HalfBlend(n, d), ref::Half(n, d));
    if (k >= 1 && k <= 31) {
      ASSERT_EQ(FixedBlend(k)(n, d), ref::Mix(n, d, static_cast<int>(k))) << k;
    }
  }
  EXPECT_EQ(HalfBlend(0xFFFF, 0x0000), 0x7BEF);
}

class SurfaceTest : public ::testing::Test {
 protected:
  ref::OpenContext open;
  Surface s{open.context};
};

TEST_F(SurfaceTest, NewSurfaceIsEmpty) {
  EXPECT_FALSE(s.HasPixels());
  EXPECT_EQ(s.Width(), 0);
  EXPECT_EQ(s.ColorKey(), 0u);
  EXPECT_TRUE(s.ClipRect().IsZero());
  Color c;
  EXPECT_EQ(s.GetPixel(0, 0, &c), GFX_E_NO_PIXELS);
  EXPECT_EQ(s.SetClipRect(nullptr), GFX_E_NO_PIXELS);
}

TEST_F(SurfaceTest, OddSizesRoundTheBufferUpToEven) {
  ASSERT_EQ(s.CreateSurface(0, 5, 3), S_OK);
  EXPECT_EQ(s.Width(), 5);
  EXPECT_EQ(s.Height(), 3);
  EXPECT_EQ(s.BufferBytes(), 48);
  EXPECT_EQ(s.YStep(), 6);
  EXPECT_EQ(s.XStep(), 1);
  EXPECT_EQ(s.Origin(), 0);
  EXPECT_EQ(s.Kind(), kKindOwnsBuffer);
  EXPECT_TRUE(s.InSystemMemory());
  // Rows start on 32-bit boundaries.
  EXPECT_EQ(reinterpret_cast<std::uintptr_t>(s.Row(1)) % 4, 0u);
}

TEST_F(SurfaceTest, CreationFlagsAreValidated) {
  EXPECT_EQ(s.CreateSurface(0x300, 4, 4), E_INVALIDARG);
  EXPECT_EQ(s.CreateSurface(0x400, 4, 4), E_INVALIDARG);
  EXPECT_EQ(s.CreateSurface(0x808, 4, 4), E_INVALIDARG);
  EXPECT_EQ(s.CreateSurface(0x1000, 4, 4), E_INVALIDARG);
  EXPECT_EQ(s.CreateSurface(0xE00, 4, 4), E_INVALIDARG);
  EXPECT_EQ(s.CreateSurface(0x208, 4, 4), E_INVALIDARG);
  EXPECT_EQ(s.CreateSurface(0x200, 4, 4), GFX_E_UNSUPPORTED);
  EXPECT_EQ(s.CreateSurface(0x600, 4, 4), GFX_E_UNSUPPORTED);
  EXPECT_FALSE(s.HasPixels());
  EXPECT_EQ(s.CreateSurface(0, -1, 4), E_INVALIDARG);
  EXPECT_EQ(s.CreateSurface(0, 0, 4), E_INVALIDARG);
  EXPECT_EQ(s.CreateSurface(0, 0x7FFFFFFF, 0x7FFFFFFF), E_OUTOFMEMORY);
  EXPECT_EQ(s.CreateSurface(0x000, 4, 4), S_OK);
  EXPECT_EQ(s.CreateSurface(0x001, 4, 4), S_OK);
  EXPECT_EQ(s.CreateSurface(0x10F, 4, 4), S_OK);
  EXPECT_TRUE(s.IsReadOnly());
  EXPECT_TRUE(s.SkipsBoundsChecks());
}

TEST_F(SurfaceTest, CreationNeedsAnOpenDisplayButReleaseDoesNot) {
  ref::OpenContext other;
  Surface t{other.context};
  other.context.MarkClosed();
  EXPECT_EQ(t.CreateSurface(0, 4, 4), GFX_E_NOT_READY);
  other.context.MarkOpen(DisplayProperties::Rgb565(320, 240));
  ASSERT_EQ(t.CreateSurface(0, 4, 4), S_OK);
  other.context.MarkClosed();
  EXPECT_EQ(t.CreateSurface(0, 0, 0), S_OK);
  EXPECT_FALSE(t.HasPixels());
}

TEST_F(SurfaceTest, RecreatingAtTheSameSizeKeepsPixelsAndResetsTheClip) {
  ASSERT_EQ(s.CreateSurface(0, 7, 5), S_OK);
  s.Row(2)[3] = 0x1234;
  const Pixel* buffer = s.Pixels();
  const Rect clip{1, 1, 3, 3};
  ASSERT_EQ(s.SetClipRect(&clip), S_OK);
  ASSERT_EQ(s.CreateSurface(0, 7, 5), S_OK);
  EXPECT_EQ(s.Pixels(), buffer);
  EXPECT_EQ(s.Row(2)[3], 0x1234);
  EXPECT_TRUE(s.ClipRect().IsZero());
  ASSERT_EQ(s.CreateSurface(kCreateClear, 7, 5), S_OK);
  EXPECT_EQ(s.Row(2)[3], 0);
  // Another size: a new, black buffer.
  s.Row(0)[0] = 0x4321;
  ASSERT_EQ(s.CreateSurface(0, 9, 5), S_OK);
  EXPECT_EQ(s.Row(0)[0], 0);
}

TEST_F(SurfaceTest, ReleasingKeepsTheColourKey) {
  ASSERT_EQ(s.CreateSurface(0, 4, 4), S_OK);
  s.SetColorKey(kMagenta);
  ASSERT_EQ(s.CreateSurface(0, 0, 0), S_OK);
  EXPECT_FALSE(s.HasPixels());
  EXPECT_EQ(s.Width(), 0);
  EXPECT_EQ(s.Generation(), 1);
  EXPECT_EQ(s.ColorKey(), kMagenta);
}

TEST_F(SurfaceTest, ClipRectIsNormalisedAndCutToTheSurface) {
  ASSERT_EQ(s.CreateSurface(0, 20, 10), S_OK);
  const Rect reversed{15, 8, -5, 2};
  ASSERT_EQ(s.SetClipRect(&reversed), S_OK);
  EXPECT_EQ(s.ClipRect(), (Rect{0, 2, 15, 8}));
  ASSERT_EQ(s.SetClipRect(nullptr), S_OK);
  EXPECT_EQ(s.ClipRect(), (Rect{0, 0, 20, 10}));
  // A clip beside the surface lets nothing through rather than switching clipping off.
  const Rect beside{30, 0, 40, 10};
  ASSERT_EQ(s.SetClipRect(&beside), S_OK);
  EXPECT_FALSE(s.ClipRect().IsZero());
  EXPECT_EQ(FillRect(s, nullptr, 0xFFFFFF), S_OK);
  Color c;
  ASSERT_EQ(s.GetPixel(0, 0, &c), S_OK);
  EXPECT_EQ(c, 0u);
}

TEST_F(SurfaceTest, LockHandsOutTheLayoutAndBlocksUse) {
  ASSERT_EQ(s.CreateSurface(0, 5, 3), S_OK);
  LockInfo info;
  ASSERT_EQ(s.Lock(&info), S_OK);
  EXPECT_EQ(info.width, 5);
  EXPECT_EQ(info.height, 3);
  EXPECT_EQ(info.xPitch, 2);
  EXPECT_EQ(info.yPitch, 12);
  EXPECT_EQ(info.bits, s.Pixels());
  EXPECT_EQ(info.format, kPixelFormatRgb565);
  EXPECT_EQ(s.Lock(&info), GFX_E_LOCKED);
  EXPECT_EQ(s.CreateSurface(0, 4, 4), GFX_E_LOCKED);
  Surface other{open.context};
  ASSERT_EQ(other.CreateSurface(0, 5, 3), S_OK);
  EXPECT_EQ(Blt(other, 0, 0, &s, nullptr), GFX_E_LOCKED);
  EXPECT_EQ(Blt(s, 0, 0, &other, nullptr), GFX_E_LOCKED);
  EXPECT_EQ(other.CopyFrom(s), GFX_E_LOCKED);
  ASSERT_EQ(s.Unlock(), S_OK);
  EXPECT_EQ(s.Unlock(), GFX_E_NOT_LOCKED);
  EXPECT_EQ(Blt(other, 0, 0, &s, nullptr), S_OK);
}

TEST_F(SurfaceTest, GetPixelReadsColoursAndRefusesOutsidePoints) {
  ASSERT_EQ(s.CreateSurface(0, 3, 3), S_OK);
  s.Row(1)[2] = 0xF81F;
  Color c = 0;
  ASSERT_EQ(s.GetPixel(2, 1, &c), S_OK);
  EXPECT_EQ(c, 0xF800F8u);
  EXPECT_EQ(s.GetPixel(3, 1, &c), GFX_E_OUT_OF_BOUNDS);
  EXPECT_EQ(s.GetPixel(-1, 0, &c), GFX_E_OUT_OF_BOUNDS);
  EXPECT_EQ(s.GetPixel(0, 0, nullptr), E_INVALIDARG);
  ref::OpenContext rgb555;
  rgb555.context.MarkOpen({240, 320, 2, 480, 16, kFormatDirect | kFormatRgb555});
  Surface t{rgb555.context};
  ASSERT_EQ(t.CreateSurface(0, 3, 3), S_OK);
  EXPECT_EQ(t.GetPixel(0, 0, &c), GFX_E_NOT_READY);
}

TEST_F(SurfaceTest, OrientationChangeMakesOldSurfacesStaleUntilRecreated) {
  ASSERT_EQ(s.CreateSurface(0, 8, 8), S_OK);
  Surface src{open.context};
  ASSERT_EQ(src.CreateSurface(0, 8, 8), S_OK);
  ASSERT_EQ(open.context.SetOrientation(kOrientation90), S_OK);
  EXPECT_EQ(Blt(s, 0, 0, &src, nullptr), GFX_E_NOT_READY);
  EXPECT_EQ(FillRect(s, nullptr, 0), GFX_E_NOT_READY);
  ASSERT_EQ(open.context.SetOrientation(kOrientation0), S_OK);
  EXPECT_EQ(Blt(s, 0, 0, &src, nullptr), S_OK);
  ASSERT_EQ(open.context.SetOrientation(0x18), S_OK);  // low four bits: 8
  EXPECT_EQ(open.context.Orientation(), kOrientation180);
  ASSERT_EQ(s.CreateSurface(0, 8, 8), S_OK);
  EXPECT_EQ(FillRect(s, nullptr, 0), S_OK);
  EXPECT_EQ(open.context.SetOrientation(0x10), GFX_E_BAD_ORIENTATION);
  // Closing and reopening with the same orientation leaves surfaces usable.
  open.context.MarkClosed();
  EXPECT_EQ(FillRect(s, nullptr, 0), GFX_E_NOT_READY);
  open.context.MarkOpen(DisplayProperties::Rgb565(640, 480));
  EXPECT_EQ(FillRect(s, nullptr, 0), S_OK);
}

TEST_F(SurfaceTest, CopyFromDuplicatesSizeFlagsAndPixels) {
  Surface src{open.context};
  EXPECT_EQ(s.CopyFrom(src), GFX_E_NO_PIXELS);
  ASSERT_EQ(src.CreateSurface(kCreateReadOnly, 7, 3), S_OK);
  std::mt19937 rng(7);
  ref::Randomize(src, rng);
  ASSERT_EQ(s.CopyFrom(src), S_OK);
  EXPECT_EQ(ref::Snapshot(s), ref::Snapshot(src));
  EXPECT_TRUE(s.IsReadOnly());
  EXPECT_EQ(s.CopyFrom(s), S_OK);
  open.context.SetOrientation(kOrientation270);
  EXPECT_EQ(s.CopyFrom(src), GFX_E_NOT_READY);
}

TEST_F(SurfaceTest, MovingHandsTheBufferOver) {
  ASSERT_EQ(s.CreateSurface(0, 6, 2), S_OK);
  s.SetColorKey(kMagenta);
  s.Row(1)[5] = 0x1357;
  std::vector<Surface> frames;
  frames.push_back(std::move(s));
  frames.emplace_back(open.context);  // growing the vector moves the first surface again
  EXPECT_FALSE(s.HasPixels());
  EXPECT_EQ(s.Width(), 0);
  ASSERT_EQ(frames[0].Width(), 6);
  EXPECT_EQ(frames[0].Row(1)[5], 0x1357);
  EXPECT_EQ(frames[0].ColorKey(), kMagenta);
  EXPECT_EQ(FillRect(frames[0], nullptr, 0), S_OK);
  EXPECT_EQ(s.CreateSurface(0, 3, 3), S_OK);  // the moved-from surface is usable again
}

TEST_F(SurfaceTest, DisplaySurfacesCannotBeRecreatedByUsers) {
  for (auto [w, h] : {std::pair{640, 480}, std::pair{320, 240}}) {
    Surface back{open.context};
    ASSERT_EQ(back.CreateDisplayBuffer(kCreateSystemMemory | kCreateClear, w, h), S_OK);
    EXPECT_EQ(back.Kind(), kKindDisplay | kKindOwnsBuffer);
    EXPECT_EQ(back.YStep(), w);
    EXPECT_EQ(back.BufferBytes(), w * h * 2);
    EXPECT_EQ(back.CreateSurface(0, 10, 10), GFX_E_DISPLAY_SURFACE);
    EXPECT_EQ(back.CreateSurface(0, 0, 0), GFX_E_DISPLAY_SURFACE);
    EXPECT_EQ(FillRect(back, nullptr, 0xFFFFFF), S_OK);
    EXPECT_EQ(back.Row(h - 1)[w - 1], 0xFFFF);
    // After a turn the same buffer is re-laid out at the swapped size.
    ASSERT_EQ(open.context.SetOrientation(kOrientation90), S_OK);
    ASSERT_EQ(back.RelayoutDisplayBuffer(h, w), S_OK);
    EXPECT_TRUE(back.IsCurrent());
    EXPECT_EQ(back.Width(), h);
    ASSERT_EQ(open.context.SetOrientation(kOrientation0), S_OK);
  }
}

TEST_F(SurfaceTest, FrontSurfaceAliasesAForeignBufferAndReceivesTheBackBuffer) {
  std::vector<Pixel> frame(16 * 5, 0);  // 5 rows of 16 pixels, 15 used: an odd, padded frame buffer
  Surface front{open.context}, back{open.context};
  ASSERT_EQ(front.AliasFrameBuffer(frame.data(), 15, 5, 16), S_OK);
  EXPECT_EQ(front.Flags() & kStateAliasesFrameBuffer, kStateAliasesFrameBuffer);
  ASSERT_EQ(back.CreateDisplayBuffer(kCreateClear, 15, 5), S_OK);
  ASSERT_EQ(FillRect(back, nullptr, 0xFFFFFF), S_OK);
  ASSERT_EQ(Blt(front, 0, 0, &back, nullptr), S_OK);
  for (int y = 0; y < 5; ++y) {
    EXPECT_EQ(frame[y * 16 + 14], 0xFFFF);
    EXPECT_EQ(frame[y * 16 + 15], 0) << "padding of row " << y;
  }
  ASSERT_EQ(FillRect(front, nullptr, 0x0000FF), S_OK);  // whole run stays inside the frame buffer
  front.ReleaseDisplayBuffer();
  EXPECT_FALSE(front.HasPixels());
  EXPECT_EQ(front.CreateSurface(0, 4, 4), GFX_E_DISPLAY_SURFACE);
}

}  // namespace
}  // namespace zelph::gfx
