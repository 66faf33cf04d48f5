#include "app/virtual_keys.h"

namespace zelph::app {

KeyList DesktopKeyList() {
  KeyList keys;
  keys.up = vk::kUp;
  keys.down = vk::kDown;
  keys.left = vk::kLeft;
  keys.right = vk::kRight;
  keys.a = 'Z';
  keys.b = 'X';
  keys.c = 'C';
  keys.start = vk::kReturn;
  return keys;
}

}  // namespace zelph::app
