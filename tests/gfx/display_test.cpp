#include "gfx/display.h"

#include <gtest/gtest.h>

#include <random>
#include <vector>

#include "gfx/blit.h"
#include "gfx/key_input.h"
#include "gfx/orientation.h"
#include "platform/window.h"

namespace zelph::gfx {
namespace {

// A window that keeps the last picture it was asked to show.
class PictureWindow final : public platform::Window {
 public:
  bool RegisterClass(std::string_view, bool) override { return true; }
  bool Create(std::string_view, int, int) override { return exists = true; }
  void Destroy() override { exists = false; }
  bool Exists() const override { return exists; }
  bool PeekMessage(platform::Message&) override { return false; }
  void WaitMessage(std::uint32_t) override {}
  bool PostMessage(const platform::Message&) override { return true; }
  void BringToFront() override {}
  void Minimize() override {}
  void SetFullScreen(bool) override {}
  platform::ForeignWindow DescribeWindow(std::intptr_t) override { return {}; }
  void Present(const std::uint16_t* pixels, int w, int h, int pitchBytes) override {
    ++presented;
    width = w;
    height = h;
    picture.assign(static_cast<std::size_t>(w) * h, 0);
    for (int y = 0; y < h; ++y) {
      for (int x = 0; x < w; ++x)
        picture[static_cast<std::size_t>(y) * w + x] = pixels[y * (pitchBytes / 2) + x];
    }
  }
  Pixel At(int x, int y) const { return picture[static_cast<std::size_t>(y) * width + x]; }

  bool exists = true;
  int presented = 0, width = 0, height = 0;
  std::vector<Pixel> picture;
};

class DisplayTest : public ::testing::Test {
 protected:
  GraphicsContext context;
  PictureWindow window;
  Display display{640, 480, context};
};

TEST_F(DisplayTest, OpeningTwiceLeavesTheFirstOpeningIntact) {
  EXPECT_EQ(display.Open(0, &window, 8), E_INVALIDARG);
  EXPECT_EQ(display.Open(0, nullptr, 16), E_INVALIDARG);
  window.exists = false;
  EXPECT_EQ(display.Open(0, &window, 16), E_INVALIDARG);
  window.exists = true;
  EXPECT_FALSE(context.IsOpen());

  ASSERT_EQ(display.Open(0x8020, &window, 16), S_OK);
  Surface* back = display.BackBuffer();
  ASSERT_NE(back, nullptr);
  EXPECT_EQ(back->Width(), 640);
  EXPECT_EQ(back->Kind() & kKindDisplay, kKindDisplay);
  EXPECT_EQ(display.Open(0, &window, 0), GFX_E_ALREADY_OPEN);
  Display second(640, 480, context);
  EXPECT_EQ(second.Open(0, &window, 0), GFX_E_ALREADY_OPEN);
  EXPECT_EQ(display.BackBuffer(), back);
  EXPECT_EQ(display.Flip(), S_OK);
  EXPECT_TRUE(context.IsOpen()) << "the refused display must not close the open one";
  EXPECT_EQ(back->CreateSurface(0, 10, 10), GFX_E_DISPLAY_SURFACE);
}

TEST_F(DisplayTest, HeadlessFlipShowsTheWholeBackBuffer) {
  ASSERT_EQ(display.Open(0, &window, 0), S_OK);
  Surface* back = display.BackBuffer();
  EXPECT_EQ(back->Row(479)[639], 0) << "the back buffer starts black";
  const Rect box{600, 400, 640, 480};
  ASSERT_EQ(FillRect(*back, &box, 0x0000FF), S_OK);
  back->Row(0)[0] = 0x1234;
  ASSERT_EQ(display.Flip(), S_OK);
  ASSERT_EQ(window.presented, 1);
  ASSERT_EQ(window.width, 640);
  ASSERT_EQ(window.height, 480);
  EXPECT_EQ(window.At(0, 0), 0x1234);
  EXPECT_EQ(window.At(639, 479), 0xF800);
  EXPECT_EQ(window.At(599, 479), 0);
  EXPECT_EQ(display.FrontSurface().Row(0)[0], 0x1234);

  window.exists = false;
  EXPECT_EQ(display.Flip(), GFX_E_NO_PIXELS);
  EXPECT_EQ(display.BackBuffer(), nullptr);
  window.exists = true;
  display.Close();
  EXPECT_EQ(display.Flip(), GFX_E_NO_PIXELS);
  EXPECT_EQ(display.BackBuffer(), nullptr);
  EXPECT_FALSE(context.IsOpen());
}

TEST_F(DisplayTest, SuspendHoldsFlipsUntilResume) {
  EXPECT_EQ(display.Suspend(), GFX_E_NO_PIXELS);
  ASSERT_EQ(display.Open(0, &window, 0), S_OK);
  EXPECT_EQ(display.Resume(), GFX_E_NOT_LOCKED);
  ASSERT_EQ(display.Suspend(), S_OK);
  EXPECT_EQ(display.Flip(), GFX_E_LOCKED);
  EXPECT_EQ(window.presented, 0);
  ASSERT_EQ(display.SetOrientation(kOrientation180), S_OK);
  EXPECT_EQ(display.Flip(), GFX_E_LOCKED) << "turning the screen does not end the suspension";
  ASSERT_EQ(display.Resume(), S_OK);
  EXPECT_EQ(display.Flip(), S_OK);
  EXPECT_EQ(display.Capabilities(), 0u);
  EXPECT_EQ(display.TestSurfacesLost(), GFX_E_UNSUPPORTED);
  EXPECT_EQ(display.RestoreSurfaces(), GFX_E_UNSUPPORTED);
  display.Close();
  EXPECT_EQ(display.TestSurfacesLost(), GFX_E_NO_PIXELS);
}

TEST_F(DisplayTest, OrientationTurnsSizePictureAndSurfaces) {
  EXPECT_EQ(display.SetOrientation(0), GFX_E_BAD_ORIENTATION);
  ASSERT_EQ(display.Open(0, &window, 0), S_OK);
  Surface image(context);
  ASSERT_EQ(image.CreateSurface(0, 4, 4), S_OK);

  ASSERT_EQ(display.SetOrientation(0x12), S_OK);
  EXPECT_EQ(context.Orientation(), kOrientation90);
  EXPECT_EQ(display.Width(), 480);
  EXPECT_EQ(display.Height(), 640);
  Surface* back = display.BackBuffer();
  ASSERT_EQ(back->Width(), 480);
  ASSERT_EQ(back->Height(), 640);
  ASSERT_EQ(FillRect(*back, nullptr, 0), S_OK);
  back->Row(0)[0] = 0xABCD;
  ASSERT_EQ(display.Flip(), S_OK);
  EXPECT_EQ(window.width, 640) << "the screen itself does not turn";
  // Turned a quarter the other way: the picture's top-left corner is the screen's bottom-left.
  EXPECT_EQ(window.At(0, 479), 0xABCD);

  EXPECT_EQ(Blt(*back, 0, 0, &image, nullptr), GFX_E_NOT_READY) << "made before the change";
  EXPECT_EQ(image.CreateSurface(0, 4, 4), S_OK);
  EXPECT_EQ(Blt(*back, 0, 0, &image, nullptr), S_OK);
  ASSERT_NE(display.SmallFont(), nullptr);
  EXPECT_TRUE(display.SmallFont()->Picture().IsCurrent()) << "the system fonts are drawn again";
}

// For every orientation, a point drawn into the back buffer appears on the screen exactly where a tap
// maps back to it.
TEST_F(DisplayTest, PresentationAndPointMappingAgree) {
  ASSERT_EQ(display.Open(0, &window, 0), S_OK);
  std::mt19937 rng(5);
  for (std::uint32_t orientation : {1u, 2u, 4u, 8u}) {
    ASSERT_EQ(display.SetOrientation(orientation), S_OK);
    Surface* back = display.BackBuffer();
    for (int i = 0; i < 20; ++i) {
      ASSERT_EQ(FillRect(*back, nullptr, 0), S_OK);
      const int x = static_cast<int>(rng() % static_cast<unsigned>(back->Width()));
      const int y = static_cast<int>(rng() % static_cast<unsigned>(back->Height()));
      back->Row(y)[x] = 0xFFFF;
      ASSERT_EQ(display.Flip(), S_OK);
      int sx = -1, sy = -1;
      for (int j = 0; j < window.width * window.height; ++j) {
        if (window.picture[static_cast<std::size_t>(j)] == 0xFFFF) {
          sx = j % window.width;
          sy = j / window.width;
        }
      }
      ASSERT_GE(sx, 0);
      display.MapPoint(&sx, &sy);
      EXPECT_EQ(sx, x) << "orientation " << orientation;
      EXPECT_EQ(sy, y) << "orientation " << orientation;
    }
  }
}

TEST(Orientation, PointMappingForEachPair) {
  const int w = 320, h = 240;
  auto map = [&](std::int32_t native, std::int32_t current, int x, int y) {
    MapPoint(native, current, w, h, &x, &y);
    return std::pair(x, y);
  };
  EXPECT_EQ(map(1, 1, 5, 7), std::pair(5, 7));
  EXPECT_EQ(map(1, 8, 0, 0), std::pair(w - 1, h - 1));
  EXPECT_EQ(map(2, 4, 5, 7), std::pair(w - 6, h - 8));
  for (auto [native, current] : {std::pair(1, 2), std::pair(4, 1), std::pair(8, 4), std::pair(2, 8)}) {
    EXPECT_EQ(map(native, current, 5, 7), std::pair(w - 8, 5)) << native << " to " << current;
  }
  for (auto [native, current] : {std::pair(1, 4), std::pair(4, 8), std::pair(8, 2), std::pair(2, 1)}) {
    EXPECT_EQ(map(native, current, 5, 7), std::pair(7, h - 6)) << native << " to " << current;
  }
}

TEST(Orientation, DirectionKeysTurnWithTheScreen) {
  const KeyList keys{1, 2, 3, 4, 5, 6, 7, 8};  // up, down, left, right, A, B, C, start
  EXPECT_EQ(RemapDirectionKeys(keys, 1, 1), keys);
  EXPECT_EQ(RemapDirectionKeys(keys, 2, 4), (KeyList{2, 1, 4, 3, 5, 6, 7, 8}));
  // 90 degrees on: left is the down key, right the up key, up the left key, down the right key.
  for (auto [native, current] : {std::pair(1, 2), std::pair(4, 1), std::pair(8, 4), std::pair(2, 8)}) {
    EXPECT_EQ(RemapDirectionKeys(keys, native, current), (KeyList{3, 4, 2, 1, 5, 6, 7, 8}));
  }
  for (auto [native, current] : {std::pair(1, 4), std::pair(4, 8), std::pair(8, 2), std::pair(2, 1)}) {
    EXPECT_EQ(RemapDirectionKeys(keys, native, current), (KeyList{4, 3, 1, 2, 5, 6, 7, 8}));
  }
}

TEST(KeyInputTest, OpensOnceAndTurnsItsKeys) {
  GraphicsContext context;
  KeyInput input;
  EXPECT_EQ(input.Close(), GFX_E_NOT_LOCKED);
  EXPECT_EQ(input.Keys(context), KeyList{}) << "nothing before the first opening";
  ASSERT_EQ(input.Open(), S_OK);
  EXPECT_EQ(input.Open(), GFX_E_INPUT_OPEN);
  EXPECT_EQ(input.Keys(context), DesktopKeys());
  EXPECT_EQ(DesktopKeys().start, 13);
  EXPECT_EQ(DesktopKeys().a, 'Z');
  ASSERT_EQ(context.SetOrientation(kOrientation180), S_OK);
  EXPECT_EQ(input.Keys(context).left, DesktopKeys().right);
  EXPECT_EQ(input.Close(), S_OK);
}

TEST_F(DisplayTest, SystemFontsFollowTheirColour) {
  ASSERT_EQ(display.Open(0, &window, 0), S_OK);
  ASSERT_NE(display.LargeFont(), nullptr);
  Surface* back = display.BackBuffer();
  ASSERT_EQ(DrawText(*back, 0, 0, u"I", display.LargeFont(), kAlignLeft), S_OK);
  EXPECT_EQ(back->Row(0)[0], 0xFFFF) << "white until told otherwise";
  display.SetSystemFontColor(0x00FF00);
  ASSERT_EQ(DrawText(*back, 0, 0, u"I", display.LargeFont(), kAlignLeft), S_OK);
  EXPECT_EQ(back->Row(0)[0], 0x07E0);
  display.Close();
  EXPECT_EQ(display.LargeFont(), nullptr);
}

}  // namespace
}  // namespace zelph::gfx
