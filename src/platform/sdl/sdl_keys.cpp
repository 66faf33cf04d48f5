#include <SDL.h>

#include "platform/sdl/sdl_window.h"
#include "platform/virtual_keys.h"

namespace zelph::platform {

namespace {

// Characters the handheld delivered for control keys as well as their key messages.
std::uint16_t ControlCharacter(std::uint16_t key) {
  switch (key) {
    case vk::kBack:
    case vk::kTab:
    case vk::kReturn:
    case vk::kEscape: return key;
    default: return 0;
  }
}

}  // namespace

void PostKey(MessageQueue& queue, std::uint16_t key, bool down, std::intptr_t data) {
  if (!down) {
    queue.Post(Message{msg::kKeyUp, key, data | kKeyRepeatBit});
    return;
  }
  queue.Post(Message{msg::kKeyDown, key, data});
  if (std::uint16_t c = ControlCharacter(key)) queue.Post(Message{msg::kChar, c, data});
}

std::uint16_t VirtualKeyFromSdl(int key) {
  // Letters and digits are their own upper-case codes.
  if (key >= SDLK_a && key <= SDLK_z) return static_cast<std::uint16_t>('A' + (key - SDLK_a));
  if (key >= SDLK_0 && key <= SDLK_9) return static_cast<std::uint16_t>('0' + (key - SDLK_0));
  if (key >= SDLK_F1 && key <= SDLK_F12) return vk::FunctionKey(1 + (key - SDLK_F1));
  switch (key) {
    case SDLK_BACKSPACE: return vk::kBack;
    case SDLK_TAB: return vk::kTab;
    case SDLK_RETURN:
    case SDLK_KP_ENTER: return vk::kReturn;
    case SDLK_LSHIFT:
    case SDLK_RSHIFT: return vk::kShift;
    case SDLK_LCTRL:
    case SDLK_RCTRL: return vk::kControl;
    case SDLK_ESCAPE: return vk::kEscape;
    case SDLK_SPACE: return vk::kSpace;
    case SDLK_PAGEUP: return vk::kPageUp;
    case SDLK_PAGEDOWN: return vk::kPageDown;
    case SDLK_END: return vk::kEnd;
    case SDLK_HOME: return vk::kHome;
    case SDLK_LEFT: return vk::kLeft;
    case SDLK_UP: return vk::kUp;
    case SDLK_RIGHT: return vk::kRight;
    case SDLK_DOWN: return vk::kDown;
    case SDLK_INSERT: return vk::kInsert;
    case SDLK_DELETE: return vk::kDelete;
    default: return 0;
  }
}

}  // namespace zelph::platform
