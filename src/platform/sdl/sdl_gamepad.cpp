#include "platform/sdl/sdl_gamepad.h"

#include <SDL.h>

#include <algorithm>
#include <iterator>

#include "platform/sdl/sdl_window.h"
#include "platform/virtual_keys.h"

namespace zelph::platform {

namespace {

// Bits of Pad::dpad and Pad::stick.
constexpr std::uint8_t kLeftBit = 1, kRightBit = 2, kUpBit = 4, kDownBit = 8;
constexpr std::pair<std::uint8_t, std::uint16_t> kDirectionKeys[] = {
    {kLeftBit, vk::kLeft}, {kRightBit, vk::kRight}, {kUpBit, vk::kUp}, {kDownBit, vk::kDown}};

std::uint8_t DpadBit(int button) {
  switch (button) {
    case SDL_CONTROLLER_BUTTON_DPAD_LEFT: return kLeftBit;
    case SDL_CONTROLLER_BUTTON_DPAD_RIGHT: return kRightBit;
    case SDL_CONTROLLER_BUTTON_DPAD_UP: return kUpBit;
    case SDL_CONTROLLER_BUTTON_DPAD_DOWN: return kDownBit;
    default: return 0;
  }
}

// The handheld's keys, as the keyboard gives them.
std::uint16_t ButtonKey(int button) {
  switch (button) {
    case SDL_CONTROLLER_BUTTON_A: return 'Z';
    case SDL_CONTROLLER_BUTTON_B: return 'X';
    case SDL_CONTROLLER_BUTTON_X: return 'C';
    case SDL_CONTROLLER_BUTTON_START: return vk::kReturn;
    case SDL_CONTROLLER_BUTTON_BACK: return vk::kEscape;
    default: return 0;
  }
}

// -1, 0 or 1 for a stick axis, with the dead zone and the gap between pressing and letting go.
int StickDirection(int current, int value) {
  if (value >= kStickPress) return 1;
  if (value <= -kStickPress) return -1;
  if (current > 0 && value >= kStickRelease) return 1;
  if (current < 0 && value <= -kStickRelease) return -1;
  return 0;
}

std::uint8_t StickBits(int x, int y) {
  return static_cast<std::uint8_t>((x < 0 ? kLeftBit : 0) | (x > 0 ? kRightBit : 0) | (y < 0 ? kUpBit : 0) |
                                   (y > 0 ? kDownBit : 0));
}

}  // namespace

GamepadInput::~GamepadInput() {
  for (auto& [id, pad] : pads_) {
    if (pad.handle) SDL_GameControllerClose(pad.handle);
  }
}

std::set<std::uint16_t> GamepadInput::Held() const {
  std::set<std::uint16_t> held;
  for (const auto& [id, pad] : pads_) {
    for (auto [bit, key] : kDirectionKeys) {
      if ((pad.dpad | pad.stick) & bit) held.insert(key);
    }
    held.insert(pad.buttons.begin(), pad.buttons.end());
  }
  return held;
}

bool GamepadInput::Translate(const SDL_Event& e) {
  switch (e.type) {
    case SDL_CONTROLLERDEVICEADDED:
    case SDL_CONTROLLERDEVICEREMOVED:
    case SDL_CONTROLLERBUTTONDOWN:
    case SDL_CONTROLLERBUTTONUP:
    case SDL_CONTROLLERAXISMOTION:
      break;
    default:
      return false;
  }
  // Keys change only where the held set changes, so two sources of one direction (the d-pad and the stick,
  // or two controllers) give one press and one release.
  const std::set<std::uint16_t> before = Held();
  Apply(e);
  const std::set<std::uint16_t> after = Held();
  std::set<std::uint16_t> released, pressed;
  std::set_difference(before.begin(), before.end(), after.begin(), after.end(),
                      std::inserter(released, released.end()));
  std::set_difference(after.begin(), after.end(), before.begin(), before.end(),
                      std::inserter(pressed, pressed.end()));
  for (std::uint16_t key : released) PostKey(queue_, key, false, 1);
  for (std::uint16_t key : pressed) PostKey(queue_, key, true, 1);
  if (e.type == SDL_CONTROLLERDEVICEREMOVED) queue_.Post(Message{msg::kControllerRemoved, 0, 0});
  return true;
}

void GamepadInput::Apply(const SDL_Event& e) {
  switch (e.type) {
    case SDL_CONTROLLERDEVICEADDED: {
      // `which` is a device index here; everything after speaks of the joystick's instance id.
      SDL_GameController* handle = SDL_GameControllerOpen(e.cdevice.which);
      if (!handle) return;
      const SDL_JoystickID id = SDL_JoystickInstanceID(SDL_GameControllerGetJoystick(handle));
      Pad& pad = pads_[id];
      if (pad.handle) {
        SDL_GameControllerClose(handle);  // already open (SDL also announces the ones present at start)
      } else {
        pad.handle = handle;
      }
      return;
    }
    case SDL_CONTROLLERDEVICEREMOVED: {
      auto it = pads_.find(e.cdevice.which);
      if (it == pads_.end()) return;
      if (it->second.handle) SDL_GameControllerClose(it->second.handle);
      pads_.erase(it);
      return;
    }
    case SDL_CONTROLLERBUTTONDOWN:
    case SDL_CONTROLLERBUTTONUP: {
      const bool down = e.type == SDL_CONTROLLERBUTTONDOWN;
      Pad& pad = pads_[e.cbutton.which];
      if (std::uint8_t bit = DpadBit(e.cbutton.button)) {
        pad.dpad = static_cast<std::uint8_t>(down ? pad.dpad | bit : pad.dpad & ~bit);
      } else if (std::uint16_t key = ButtonKey(e.cbutton.button)) {
        if (down) {
          pad.buttons.insert(key);
        } else {
          pad.buttons.erase(key);
        }
      }
      return;
    }
    case SDL_CONTROLLERAXISMOTION: {
      Pad& pad = pads_[e.caxis.which];
      if (e.caxis.axis == SDL_CONTROLLER_AXIS_LEFTX) pad.stickX = StickDirection(pad.stickX, e.caxis.value);
      if (e.caxis.axis == SDL_CONTROLLER_AXIS_LEFTY) pad.stickY = StickDirection(pad.stickY, e.caxis.value);
      pad.stick = StickBits(pad.stickX, pad.stickY);
      return;
    }
    default:
      return;
  }
}

}  // namespace zelph::platform
