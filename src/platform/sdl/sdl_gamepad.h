// Gamepads through SDL's game-controller API, turned into the keys the game already knows: the d-pad and
// the left stick steer like the arrow keys (the stick with a dead zone), A, B and X are the handheld's A, B
// and C keys (Z, X and C on the keyboard), Start is its start key (Enter) and Back is Escape. Every other
// button, the right stick and the triggers do nothing. Controllers may come and go while the game runs; one
// that goes away lets go of every key it held and is reported with msg::kControllerRemoved.
#pragma once

#include <cstdint>
#include <map>
#include <set>

#include "platform/window.h"

union SDL_Event;
struct _SDL_GameController;

namespace zelph::platform {

// Stick positions (SDL's -32768..32767) at which a direction is pressed, and below which a pressed one is let
// go again: the gap keeps a stick resting near the edge from chattering.
inline constexpr int kStickPress = 16000;
inline constexpr int kStickRelease = 10000;

class GamepadInput {
 public:
  explicit GamepadInput(MessageQueue& queue) : queue_(queue) {}
  ~GamepadInput();
  GamepadInput(const GamepadInput&) = delete;
  GamepadInput& operator=(const GamepadInput&) = delete;

  // Takes a controller event (added, removed, button, axis) and posts the key messages it means; false for
  // events of any other kind.
  bool Translate(const SDL_Event& event);

 private:
  struct Pad {
    _SDL_GameController* handle = nullptr;  // null for a controller this object did not open
    std::uint8_t dpad = 0;                  // direction bits, in the order of kDirectionKeys
    std::uint8_t stick = 0;
    int stickX = 0, stickY = 0;  // -1, 0 or 1 per axis, after the dead zone
    std::set<std::uint16_t> buttons;  // the keys its mapped buttons hold down
  };

  // The keys all controllers together hold down.
  std::set<std::uint16_t> Held() const;
  void Apply(const SDL_Event& event);

  MessageQueue& queue_;
  std::map<std::int32_t, Pad> pads_;  // by SDL's joystick instance id
};

}  // namespace zelph::platform
