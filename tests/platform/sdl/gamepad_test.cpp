// Gamepad events, as SDL delivers them (built here, no device needed), turned into the game's keys.
#include "platform/sdl/sdl_gamepad.h"

#include <SDL.h>
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "platform/sdl/sdl_window.h"
#include "platform/virtual_keys.h"

namespace zelph::platform {
namespace {

constexpr SDL_JoystickID kPad = 7;
constexpr SDL_JoystickID kOtherPad = 9;

SDL_Event ButtonEvent(int button, bool down, SDL_JoystickID pad = kPad) {
  SDL_Event e{};
  e.type = down ? SDL_CONTROLLERBUTTONDOWN : SDL_CONTROLLERBUTTONUP;
  e.cbutton.which = pad;
  e.cbutton.button = static_cast<Uint8>(button);
  e.cbutton.state = down ? SDL_PRESSED : SDL_RELEASED;
  return e;
}

SDL_Event AxisEvent(int axis, int value, SDL_JoystickID pad = kPad) {
  SDL_Event e{};
  e.type = SDL_CONTROLLERAXISMOTION;
  e.caxis.which = pad;
  e.caxis.axis = static_cast<Uint8>(axis);
  e.caxis.value = static_cast<Sint16>(value);
  return e;
}

SDL_Event RemovedEvent(SDL_JoystickID pad = kPad) {
  SDL_Event e{};
  e.type = SDL_CONTROLLERDEVICEREMOVED;
  e.cdevice.which = pad;
  return e;
}

// Messages as short words: "down 37", "up 90", "char 13", "removed".
std::string Describe(const Message& m) {
  switch (m.id) {
    case msg::kKeyDown: return "down " + std::to_string(m.wParam);
    case msg::kKeyUp: return "up " + std::to_string(m.wParam);
    case msg::kChar: return "char " + std::to_string(m.wParam);
    case msg::kControllerRemoved: return "removed";
    default: return "message " + std::to_string(m.id);
  }
}

class GamepadTest : public ::testing::Test {
 protected:
  std::vector<std::string> Feed(std::initializer_list<SDL_Event> events) {
    for (const SDL_Event& e : events) EXPECT_TRUE(pads.Translate(e));
    std::vector<std::string> out;
    Message m;
    while (queue.Pop(m)) out.push_back(Describe(m));
    return out;
  }
  static std::string Down(int key) { return "down " + std::to_string(key); }
  static std::string Up(int key) { return "up " + std::to_string(key); }

  MessageQueue queue;
  GamepadInput pads{queue};
};

using Lines = std::vector<std::string>;

TEST_F(GamepadTest, ButtonsAreTheHandheldsKeysAndTheOthersDoNothing) {
  EXPECT_EQ(Feed({ButtonEvent(SDL_CONTROLLER_BUTTON_A, true), ButtonEvent(SDL_CONTROLLER_BUTTON_A, false)}),
            (Lines{Down('Z'), Up('Z')}));
  EXPECT_EQ(Feed({ButtonEvent(SDL_CONTROLLER_BUTTON_B, true), ButtonEvent(SDL_CONTROLLER_BUTTON_X, true)}),
            (Lines{Down('X'), Down('C')}));
  // Start and Back also give the characters Enter and Escape give, for edit fields and message boxes.
  EXPECT_EQ(Feed({ButtonEvent(SDL_CONTROLLER_BUTTON_START, true), ButtonEvent(SDL_CONTROLLER_BUTTON_BACK, true)}),
            (Lines{Down(vk::kReturn), "char 13", Down(vk::kEscape), "char 27"}));
  EXPECT_EQ(Feed({ButtonEvent(SDL_CONTROLLER_BUTTON_Y, true), ButtonEvent(SDL_CONTROLLER_BUTTON_GUIDE, true),
                  ButtonEvent(SDL_CONTROLLER_BUTTON_LEFTSHOULDER, true),
                  ButtonEvent(SDL_CONTROLLER_BUTTON_RIGHTSTICK, true), ButtonEvent(SDL_CONTROLLER_BUTTON_Y, false)}),
            Lines{});
  // The d-pad is the arrow keys.
  EXPECT_EQ(Feed({ButtonEvent(SDL_CONTROLLER_BUTTON_DPAD_UP, true), ButtonEvent(SDL_CONTROLLER_BUTTON_DPAD_LEFT, true),
                  ButtonEvent(SDL_CONTROLLER_BUTTON_DPAD_UP, false)}),
            (Lines{Down(vk::kUp), Down(vk::kLeft), Up(vk::kUp)}));
}

TEST_F(GamepadTest, TheLeftStickSteersOutsideItsDeadZoneAndTheRightStickAndTriggersDoNothing) {
  EXPECT_EQ(Feed({AxisEvent(SDL_CONTROLLER_AXIS_LEFTX, 9000), AxisEvent(SDL_CONTROLLER_AXIS_LEFTX, kStickPress - 1),
                  AxisEvent(SDL_CONTROLLER_AXIS_LEFTY, -(kStickPress - 1))}),
            Lines{})
      << "a stick resting off-centre steers nothing";
  EXPECT_EQ(Feed({AxisEvent(SDL_CONTROLLER_AXIS_LEFTX, kStickPress)}), (Lines{Down(vk::kRight)}));
  // Easing back inside the press point keeps the key until the release point: no chatter at the edge.
  EXPECT_EQ(Feed({AxisEvent(SDL_CONTROLLER_AXIS_LEFTX, kStickRelease + 1),
                  AxisEvent(SDL_CONTROLLER_AXIS_LEFTX, kStickPress + 100)}),
            Lines{});
  EXPECT_EQ(Feed({AxisEvent(SDL_CONTROLLER_AXIS_LEFTX, kStickRelease - 1)}), (Lines{Up(vk::kRight)}));
  // Straight across to the other side, and up (SDL's y grows downwards).
  EXPECT_EQ(Feed({AxisEvent(SDL_CONTROLLER_AXIS_LEFTX, 32767), AxisEvent(SDL_CONTROLLER_AXIS_LEFTX, -32768),
                  AxisEvent(SDL_CONTROLLER_AXIS_LEFTY, -20000), AxisEvent(SDL_CONTROLLER_AXIS_LEFTY, 20000)}),
            (Lines{Down(vk::kRight), Up(vk::kRight), Down(vk::kLeft), Down(vk::kUp), Up(vk::kUp), Down(vk::kDown)}));
  EXPECT_EQ(Feed({AxisEvent(SDL_CONTROLLER_AXIS_RIGHTX, 32767), AxisEvent(SDL_CONTROLLER_AXIS_RIGHTY, -32768),
                  AxisEvent(SDL_CONTROLLER_AXIS_TRIGGERLEFT, 32767),
                  AxisEvent(SDL_CONTROLLER_AXIS_TRIGGERRIGHT, 32767)}),
            Lines{});
}

TEST_F(GamepadTest, ADirectionHeldTwiceIsPressedOnceAndLetGoWhenNothingHoldsIt) {
  EXPECT_EQ(Feed({ButtonEvent(SDL_CONTROLLER_BUTTON_DPAD_LEFT, true), AxisEvent(SDL_CONTROLLER_AXIS_LEFTX, -30000),
                  ButtonEvent(SDL_CONTROLLER_BUTTON_DPAD_LEFT, true, kOtherPad)}),
            (Lines{Down(vk::kLeft)}));
  EXPECT_EQ(Feed({ButtonEvent(SDL_CONTROLLER_BUTTON_DPAD_LEFT, false), AxisEvent(SDL_CONTROLLER_AXIS_LEFTX, 0)}),
            Lines{})
      << "the other controller still holds it";
  EXPECT_EQ(Feed({ButtonEvent(SDL_CONTROLLER_BUTTON_DPAD_LEFT, false, kOtherPad)}), (Lines{Up(vk::kLeft)}));
}

TEST_F(GamepadTest, AnUnpluggedControllerLetsGoOfItsKeysAndIsReported) {
  EXPECT_EQ(Feed({AxisEvent(SDL_CONTROLLER_AXIS_LEFTY, 30000), ButtonEvent(SDL_CONTROLLER_BUTTON_A, true),
                  ButtonEvent(SDL_CONTROLLER_BUTTON_DPAD_RIGHT, true, kOtherPad)}),
            (Lines{Down(vk::kDown), Down('Z'), Down(vk::kRight)}));
  // Without the key-ups the head would run on forever after the cable came out.
  EXPECT_EQ(Feed({RemovedEvent()}), (Lines{Up(vk::kDown), Up('Z'), "removed"}));
  EXPECT_EQ(Feed({RemovedEvent(kOtherPad)}), (Lines{Up(vk::kRight), "removed"}));
  EXPECT_EQ(Feed({RemovedEvent(kOtherPad)}), (Lines{"removed"})) << "an unknown controller holds nothing";
}

TEST_F(GamepadTest, OtherEventsAreNotTheGamepads) {
  SDL_Event key{};
  key.type = SDL_KEYDOWN;
  EXPECT_FALSE(pads.Translate(key));
  SDL_Event joystick{};
  joystick.type = SDL_JOYBUTTONDOWN;  // the raw joystick behind a controller: its controller event counts
  EXPECT_FALSE(pads.Translate(joystick));
  // A controller that cannot be opened (no such device) is ignored.
  SDL_Event added{};
  added.type = SDL_CONTROLLERDEVICEADDED;
  added.cdevice.which = 42;
  EXPECT_TRUE(pads.Translate(added));
  EXPECT_TRUE(queue.Empty());
}

}  // namespace
}  // namespace zelph::platform
