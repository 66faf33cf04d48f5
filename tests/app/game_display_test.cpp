// The frame's display over the graphics layer: what the frame, the screenshots and the input see of it.
#include "app/game_display.h"

#include <gtest/gtest.h>

#include "app_fakes.h"
#include "platform/virtual_keys.h"
#include "gfx/blit.h"

namespace zelph::app {
namespace {

TEST(GameDisplay, PresentsTheBackBufferAndHandsItToScreenshots) {
  gfx::GraphicsContext context;
  test::WindowLog log;
  test::FakeWindow window(log);
  ASSERT_TRUE(window.Create("t", 320, 240));
  GameDisplay display(320, 240, context);
  int w = 0, h = 0, pitch = 0;
  EXPECT_EQ(display.BackPixels(w, h, pitch), nullptr);
  EXPECT_EQ(display.BackSurface(), nullptr);

  ASSERT_EQ(display.SetMode(1), S_OK);
  ASSERT_EQ(display.Open(0x20, &window, 240, 240, 480, 480, 0), S_OK);
  gfx::Surface* back = display.BackSurface();
  ASSERT_NE(back, nullptr);
  ASSERT_EQ(gfx::FillRect(*back, nullptr, 0xFFFFFF), S_OK);
  const std::uint16_t* pixels = display.BackPixels(w, h, pitch);
  ASSERT_NE(pixels, nullptr);
  EXPECT_EQ(w, 320);
  EXPECT_EQ(h, 240);
  EXPECT_EQ(pitch, 640);
  EXPECT_EQ(pixels[239 * 320 + 319], 0xFFFF);
  EXPECT_EQ(display.Flip(), S_OK);
  EXPECT_EQ(log.presented, 1);
  EXPECT_FALSE(display.SurfacesLost());
  display.Close();
  EXPECT_EQ(display.BackPixels(w, h, pitch), nullptr);
}

// A display of its own graphics context, open on a fake window of its size.
struct OpenedDisplay {
  OpenedDisplay(int width, int height) : window(log), display(width, height, context) {
    window.Create("t", width, height);
    opened = display.Open(0, &window, 0, 0, 0, 0, 16);
  }
  gfx::GraphicsContext context;
  test::WindowLog log;
  test::FakeWindow window;
  GameDisplay display;
  Result opened;
};

TEST(GameDisplay, TurnedDisplayMapsPointsAndKeys) {
  OpenedDisplay rig(640, 480);
  ASSERT_EQ(rig.opened, S_OK);
  GameDisplay& display = rig.display;
  ASSERT_EQ(display.OpenInput(), S_OK);
  EXPECT_EQ(display.OpenInput(), gfx::GFX_E_INPUT_OPEN);
  EXPECT_EQ(display.Keys().left, platform::vk::kLeft);
  ASSERT_EQ(display.SetMode(8), S_OK);
  int x = 0, y = 0;
  display.MapPoint(x, y);
  EXPECT_EQ(x, 639);
  EXPECT_EQ(y, 479);
  EXPECT_EQ(display.Keys().left, 39) << "upside down, the right arrow points left";
  EXPECT_EQ(display.Keys().start, 13);
  ASSERT_EQ(display.SetMode(2), S_OK);
  EXPECT_EQ(display.Width(), 480);
  EXPECT_EQ(display.SetMode(0), gfx::GFX_E_BAD_ORIENTATION);
  EXPECT_EQ(display.CloseInput(), S_OK);
  EXPECT_EQ(display.CloseInput(), gfx::GFX_E_NOT_LOCKED);
}

TEST(GameDisplay, ANoticeShowsOnScreenForItsFramesButNeverInTheGamesPicture) {
  OpenedDisplay rig(320, 240);
  ASSERT_EQ(rig.opened, S_OK);
  GameDisplay& display = rig.display;
  const gfx::Surface& screen = display.display().FrontSurface();
  const gfx::Pixel plate = gfx::ColorToPixel(kNoticePlateColor);
  auto plateShown = [&] { return screen.Row(240 - 6)[6] == plate; };

  display.ShowNotice(u"Screenshot saved", 2);
  for (int frame = 1; frame <= 3; ++frame) {
    ASSERT_EQ(gfx::FillRect(*display.BackSurface(), nullptr, 0), S_OK);
    ASSERT_EQ(display.Flip(), S_OK);
    EXPECT_EQ(plateShown(), frame <= 2) << "frame " << frame;
    EXPECT_EQ(display.BackSurface()->Row(240 - 6)[6], 0) << "the game's picture (and screenshots) stay clean";
  }
}

}  // namespace
}  // namespace zelph::app
