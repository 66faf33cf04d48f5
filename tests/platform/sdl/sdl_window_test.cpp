// The SDL window's translation of desktop events into the game's messages, on SDL's dummy video driver.
#include <SDL.h>
#include <gtest/gtest.h>

#include <cstring>
#include <vector>

#include "platform/sdl/sdl_window.h"

namespace zelph::platform {
namespace {

class SdlWindowTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(window.RegisterClass("test", false));
    ASSERT_TRUE(window.Create("test", 640, 480));
    Messages();  // the creation message
  }

  std::vector<Message> Messages() {
    std::vector<Message> out;
    Message m;
    while (window.PeekMessage(m)) out.push_back(m);
    return out;
  }
  static void Motion(int x, int y, std::uint32_t buttons) {
    SDL_Event e{};
    e.type = SDL_MOUSEMOTION;
    e.motion.x = x;
    e.motion.y = y;
    e.motion.state = buttons;
    SDL_PushEvent(&e);
  }
  static void Button(bool down, int x, int y) {
    SDL_Event e{};
    e.type = down ? SDL_MOUSEBUTTONDOWN : SDL_MOUSEBUTTONUP;
    e.button.button = SDL_BUTTON_LEFT;
    e.button.state = down ? SDL_PRESSED : SDL_RELEASED;
    e.button.clicks = 1;
    e.button.x = x;
    e.button.y = y;
    SDL_PushEvent(&e);
  }
  static void Wheel(int notches) {
    SDL_Event e{};
    e.type = SDL_MOUSEWHEEL;
    e.wheel.y = notches;
    e.wheel.direction = SDL_MOUSEWHEEL_NORMAL;
    SDL_PushEvent(&e);
  }
  static void Text(const char* utf8) {
    SDL_Event e{};
    e.type = SDL_TEXTINPUT;
    std::strncpy(e.text.text, utf8, sizeof e.text.text - 1);
    SDL_PushEvent(&e);
  }

  SdlWindow window{SdlWindowOptions{.headless = true}};
};

TEST_F(SdlWindowTest, TheWheelTurnsWhereThePointerIsAndMovesWithoutAButtonAreNoStylusMoves) {
  Motion(100, 50, 0);
  Wheel(1);
  auto m = Messages();
  ASSERT_EQ(m.size(), 1u);  // the bare motion moved no stylus
  EXPECT_EQ(m[0].id, msg::kWheel);
  EXPECT_EQ(static_cast<std::int16_t>(m[0].wParam >> 16), 120);
  EXPECT_EQ(PointX(m[0].lParam), 100);
  EXPECT_EQ(PointY(m[0].lParam), 50);

  Button(true, 10, 10);
  Motion(20, 30, SDL_BUTTON_LMASK);
  Button(false, 20, 30);
  Motion(600, 400, 0);
  Wheel(-2);
  m = Messages();
  ASSERT_EQ(m.size(), 4u);
  EXPECT_EQ(m[0].id, msg::kStylusDown);
  EXPECT_EQ(m[1].id, msg::kStylusMove);
  EXPECT_EQ(PointX(m[1].lParam), 20);
  EXPECT_EQ(m[2].id, msg::kStylusUp);
  EXPECT_EQ(m[3].id, msg::kWheel);
  EXPECT_EQ(static_cast<std::int16_t>(m[3].wParam >> 16), -240);
  EXPECT_EQ(PointX(m[3].lParam), 600);  // not the last click
  EXPECT_EQ(PointY(m[3].lParam), 400);
}

TEST_F(SdlWindowTest, TypedTextBecomesUtf16UnitsAndMalformedBytesAreDropped) {
  // a, U+0416, U+1F600, an overlong '/', a surrogate, a value above U+10FFFF, a stray continuation byte, b
  Text("a\xD0\x96\xF0\x9F\x98\x80\xC0\xAF\xED\xA0\x80\xF4\x90\x80\x80\x80" "b");
  std::vector<std::uintptr_t> chars;
  for (const Message& m : Messages()) {
    if (m.id == msg::kChar) chars.push_back(m.wParam);
  }
  EXPECT_EQ(chars, (std::vector<std::uintptr_t>{'a', 0x416, 0xD83D, 0xDE00, 'b'}));
}

TEST_F(SdlWindowTest, GamepadEventsReachTheGameAsKeys) {
  SDL_Event e{};
  e.type = SDL_CONTROLLERBUTTONDOWN;
  e.cbutton.which = 3;
  e.cbutton.button = SDL_CONTROLLER_BUTTON_DPAD_DOWN;
  SDL_PushEvent(&e);
  e.type = SDL_CONTROLLERDEVICEREMOVED;
  e.cdevice.which = 3;
  SDL_PushEvent(&e);
  auto m = Messages();
  ASSERT_EQ(m.size(), 3u);
  EXPECT_EQ(m[0].id, msg::kKeyDown);
  EXPECT_EQ(m[0].wParam, 40u);  // Down
  EXPECT_EQ(m[1].id, msg::kKeyUp);
  EXPECT_EQ(m[2].id, msg::kControllerRemoved);
}

// The dummy driver's desktop is 1024 x 768.
TEST(SdlWindowScale, TheWindowIsAWholeScaleOfThePicture) {
  struct Case {
    int scale, width, height, expectW, expectH;
  };
  const Case cases[] = {
      {2, 640, 480, 1280, 960},  // asked for, even beyond the desktop
      {1, 320, 240, 320, 240},
      {0, 640, 480, 640, 480},  // the largest whole scale that fits
      {0, 320, 240, 960, 720},  // three times fits
      {0, 200, 150, 600, 450},  // four times would fit, but three at most
  };
  for (const Case& c : cases) {
    SdlWindow window{SdlWindowOptions{.headless = true, .scale = c.scale}};
    ASSERT_TRUE(window.RegisterClass("test", false));
    ASSERT_TRUE(window.Create("test", c.width, c.height));
    int w = 0, h = 0;
    window.Size(w, h);
    EXPECT_EQ(w, c.expectW) << c.scale << " " << c.width;
    EXPECT_EQ(h, c.expectH) << c.scale << " " << c.width;
  }
}

TEST(SdlWindowIcon, OnlyAReadablePngOfSensibleSizeIsAnIcon) {
  EXPECT_EQ(LoadRgbaPng("/no/such/icon.png"), nullptr);
  EXPECT_EQ(LoadRgbaPng("/proc/self/status"), nullptr);  // not a PNG
}

}  // namespace
}  // namespace zelph::platform
