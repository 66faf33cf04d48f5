#include "gfx/sprite.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "config/pack_image.h"
#include "config/resource_pack.h"
#include "image_samples.h"
#include "platform/file_io.h"
#include "reference.h"
#include "test_support/temp_dir.h"

namespace zelph::gfx {
namespace {

using samples::Bytes;

// A strip whose pixel (x, y) is x + 100 y, so every frame's origin can be told apart.
Bytes Strip(std::uint32_t width, std::uint32_t height, std::uint32_t frames, std::uint32_t frameWidth,
            Color key = 0x00FF00) {
  std::vector<Pixel> pixels;
  for (std::uint32_t y = 0; y < height; ++y) {
    for (std::uint32_t x = 0; x < width; ++x) pixels.push_back(static_cast<Pixel>(x + 100 * y));
  }
  return samples::BuildEbm565(width, height, pixels, frames, frameWidth, key);
}

class SpriteTest : public ::testing::Test {
 protected:
  ref::OpenContext open;
  ImageCache cache;
};

TEST_F(SpriteTest, FrameCountZeroIsOneFrameWithTheHeadersKey) {
  Sprite s(open.context, cache);
  ASSERT_EQ(s.LoadMemory(Strip(8, 4, 0, 0), 0, std::nullopt), S_OK);
  ASSERT_EQ(s.FrameCount(), 1);
  EXPECT_EQ(s.FrameSurface(0)->Width(), 8);
  EXPECT_EQ(s.FrameSurface(0)->ColorKey(), 0x00FF00u);
}

TEST_F(SpriteTest, StripIsCutIntoFramesEachWithTheKey) {
  Sprite s(open.context, cache);
  ASSERT_EQ(s.LoadMemory(Strip(96, 32, 3, 32), 1, std::nullopt), S_OK);
  ASSERT_EQ(s.FrameCount(), 3);
  for (int i = 0; i < 3; ++i) {
    const Surface* f = s.FrameSurface(i);
    ASSERT_NE(f, nullptr);
    EXPECT_EQ(f->Width(), 32);
    EXPECT_EQ(f->Height(), 32);
    EXPECT_EQ(f->ColorKey(), 0x00FF00u);
    EXPECT_EQ(f->Row(0)[0], 32 * i) << "frame " << i << " starts at its own column";
    EXPECT_EQ(f->Row(5)[31], 32 * i + 31 + 500);
  }
  std::int32_t w = -1, h = -1;
  s.FrameSize(7, &w, &h);  // past the end: the current frame
  EXPECT_EQ(w, 32);
  ASSERT_NE(s.ExtraSurface(0), nullptr);
  EXPECT_FALSE(s.ExtraSurface(0)->HasPixels());
  EXPECT_EQ(s.ExtraSurface(1), nullptr);
}

TEST_F(SpriteTest, StripsThatCannotHoldTheirFramesAreRefused) {
  Sprite s(open.context, cache);
  EXPECT_EQ(s.LoadMemory(Strip(96, 4, 4, 32), 0, std::nullopt), GFX_E_BAD_IMAGE);
  EXPECT_EQ(s.LoadMemory(Strip(96, 4, 3, 0), 0, std::nullopt), GFX_E_BAD_IMAGE);
  EXPECT_EQ(s.LoadMemory(Strip(96, 4, 0xFFFFFFFF, 1), 0, std::nullopt), GFX_E_BAD_IMAGE);
  // A strip that claims an enormous width, and frames to match, before its data is looked at.
  Bytes huge = Strip(4, 1, 1, 1);
  const std::uint32_t fields[] = {0xF0000000, 1, 8, 0x0F000000, 0x10};  // width .. frame width
  for (std::size_t i = 0; i < 5; ++i) {
    for (int b = 0; b < 4; ++b) huge[8 + 4 * i + b] = static_cast<std::uint8_t>(fields[i] >> (8 * b));
  }
  EXPECT_EQ(s.LoadMemory(huge, 0, std::nullopt), GFX_E_BAD_IMAGE);
  EXPECT_EQ(s.FrameCount(), 0);
  EXPECT_EQ(s.FrameSurface(0), nullptr);
  Surface dest(open.context);
  ASSERT_EQ(dest.CreateSurface(0, 8, 8), S_OK);
  EXPECT_EQ(s.DrawFrame(dest, -1, 0, 0), E_OUTOFMEMORY);
}

TEST_F(SpriteTest, LoopingSequenceShowsEachFrameForDelayPlusOneUpdates) {
  Sprite s(open.context, cache);
  ASSERT_EQ(s.LoadMemory(Strip(40, 2, 4, 10), 0, std::nullopt), S_OK);
  s.SetAnimation(true, 3, 1, false, 0);
  std::string seen;
  for (int i = 0; i < 20; ++i) {
    seen += std::to_string(s.Frame());
    ASSERT_EQ(s.StepAnimation(), S_OK);
  }
  EXPECT_EQ(seen, "00001111222233330000");
  s.SetPlaying(false);
  const int frame = s.Frame();
  for (int i = 0; i < 8; ++i) s.StepAnimation();
  EXPECT_EQ(s.Frame(), frame);
}

TEST_F(SpriteTest, OneShotBackwardsEndsAtFrameZeroOnItsFirstChange) {
  Sprite s(open.context, cache);
  ASSERT_EQ(s.LoadMemory(Strip(40, 2, 4, 10), 0, std::nullopt), S_OK);
  s.SetAnimation(true, 1, -1, true, 0);
  EXPECT_EQ(s.StepAnimation(), S_OK);
  EXPECT_EQ(s.StepAnimation(), GFX_S_ANIMATION_END);
  EXPECT_EQ(s.Frame(), 0);
  EXPECT_FALSE(s.Playing());
  EXPECT_EQ(s.StepAnimation(), S_OK) << "a stopped sprite stays put";

  // Forwards, the end is the last frame; looping backwards wraps to it.
  s.SetAnimation(true, 0, 1, true, 0);
  s.SetFrame(3);
  EXPECT_EQ(s.StepAnimation(), GFX_S_ANIMATION_END);
  EXPECT_EQ(s.Frame(), 3);
  s.SetAnimation(true, kKeepDelay, -1, false, kKeepTick);
  s.SetFrame(0);
  EXPECT_EQ(s.StepAnimation(), S_OK);
  EXPECT_EQ(s.Frame(), 3);
  EXPECT_EQ(s.Delay(), 0);
  EXPECT_EQ(s.Step(), -1);
}

TEST_F(SpriteTest, SetFrameBeyondEitherEnd) {
  Sprite s(open.context, cache);
  ASSERT_EQ(s.LoadMemory(Strip(40, 2, 4, 10), 0, std::nullopt), S_OK);
  s.SetAnimation(true, 3, 1, false, 0);
  s.SetFrame(5);
  EXPECT_EQ(s.Frame(), 0);
  s.SetFrame(-1);
  EXPECT_EQ(s.Frame(), 3);
  EXPECT_TRUE(s.Playing());
  s.SetAnimation(true, kKeepDelay, kKeepStep, true, kKeepTick);
  s.SetFrame(5);
  EXPECT_EQ(s.Frame(), 3);
  EXPECT_FALSE(s.Playing());
  s.SetPlaying(true);
  s.SetFrame(-2);
  EXPECT_EQ(s.Frame(), 0);
  EXPECT_FALSE(s.Playing());
}

TEST_F(SpriteTest, DrawFrameCopiesTheChosenFrame) {
  Sprite s(open.context, cache);
  ASSERT_EQ(s.LoadMemory(Strip(40, 2, 4, 10), 0, std::nullopt), S_OK);
  Surface dest(open.context);
  ASSERT_EQ(dest.CreateSurface(kCreateClear, 12, 4), S_OK);
  ASSERT_EQ(s.DrawFrame(dest, 2, 1, 1), S_OK);
  EXPECT_EQ(dest.Row(1)[1], 20);
  EXPECT_EQ(dest.Row(2)[10], 29 + 100);
  EXPECT_EQ(dest.Row(0)[0], 0);
  EXPECT_EQ(s.DrawFrame(dest, 4, 0, 0), E_INVALIDARG);
  s.SetFrame(1);
  ASSERT_EQ(s.DrawFrame(dest, -1, 0, 0), S_OK);
  EXPECT_EQ(dest.Row(0)[0], 10);
}

TEST_F(SpriteTest, OneDecodePerIdentifierSharedUntilTheLastRelease) {
  const Bytes strip = Strip(40, 2, 4, 10);
  Sprite a(open.context, cache), b(open.context, cache);
  ASSERT_EQ(a.LoadMemory(strip, 0, 77u), S_OK);
  ASSERT_EQ(cache.Size(), 1u);
  // The second load never looks at its data: the cached frames answer for the identifier.
  ASSERT_EQ(b.LoadMemory(Bytes{1, 2, 3}, 0, 77u), S_OK);
  EXPECT_EQ(a.Frames(), b.Frames());
  EXPECT_EQ(cache.Find(77).use_count(), 3) << "two sprites and the lookup itself";
  a.Reset(true);
  EXPECT_EQ(a.FrameCount(), 0);
  EXPECT_EQ(b.FrameCount(), 4);
  EXPECT_EQ(cache.Size(), 1u);
  b.Reset(true);
  EXPECT_EQ(cache.Size(), 0u);
  EXPECT_EQ(cache.Find(77), nullptr);
}

TEST_F(SpriteTest, CacheStaysSortedAndBindingResetsTheAnimation) {
  std::vector<std::unique_ptr<Sprite>> sprites;
  for (std::uint32_t id : {50u, 10u, 40u, 20u, 30u}) {
    sprites.push_back(std::make_unique<Sprite>(open.context, cache));
    ASSERT_EQ(sprites.back()->LoadMemory(Strip(4, 1, 1, 4), 0, id), S_OK);
  }
  for (std::uint32_t id : {10u, 20u, 30u, 40u, 50u}) EXPECT_NE(cache.Find(id), nullptr) << id;
  EXPECT_EQ(cache.Find(25), nullptr);

  Sprite& s = *sprites[0];
  s.SetAnimation(true, 9, 2, true, 4);
  ASSERT_EQ(s.LoadMemory({}, 0, 50u), S_OK);  // the same frames: nothing changes
  EXPECT_EQ(s.Delay(), 9);
  s.SetResetOnLoad(false);
  ASSERT_EQ(s.LoadMemory({}, 0, 10u), S_OK);
  EXPECT_EQ(s.Delay(), 9) << "kept on request";
  ASSERT_EQ(s.LoadMemory({}, 0, 20u), S_OK);
  EXPECT_EQ(s.Delay(), 3) << "the request lasts one load";
  EXPECT_FALSE(s.Playing());
}

TEST_F(SpriteTest, LoadFindsThePictureInItsPack) {
  test::TempDir dir;
  std::vector<std::uint8_t> packBytes;
  std::string error;
  ASSERT_TRUE(config::BuildPack({{0x100, "about", "INO", {1}}, {0x101, "hero", "EBM", Strip(20, 2, 2, 10)}},
                                u"pictures", packBytes, error))
      << error;
  const auto path = dir.path() / "pictures.pak";
  ASSERT_TRUE(platform::WriteFileAtomically(path, packBytes));
  config::ResourcePack pack;
  ASSERT_TRUE(pack.Open(path));

  Sprite s(open.context, cache);
  ASSERT_EQ(s.Load(&pack, 0x101), S_OK);
  EXPECT_EQ(s.FrameCount(), 2);
  EXPECT_EQ(s.Load(&pack, 0x102), GFX_E_NO_RESOURCE);
  EXPECT_EQ(s.FrameCount(), 0);
  EXPECT_EQ(s.Load(nullptr, 0x102), E_INVALIDARG);
  // Cached pictures need no pack.
  Sprite other(open.context, cache);
  ASSERT_EQ(other.Load(&pack, 0x101), S_OK);
  ASSERT_EQ(s.Load(nullptr, 0x101), S_OK);
  EXPECT_EQ(s.Frames(), other.Frames());
  EXPECT_EQ(s.Load(&pack, 0x100), GFX_E_BAD_IMAGE) << "a resource that is no picture";
}

}  // namespace
}  // namespace zelph::gfx
