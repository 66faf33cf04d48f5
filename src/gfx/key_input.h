// Hardware-key input: which key codes are the device's four directions, A, B, C and start. On a desktop the
// arrow keys steer, Z, X and C are A, B and C, and Enter is start (virtual-key codes, as window messages
// carry them).
#pragma once

#include <cstdint>

#include "gfx/gfx_result.h"
#include "gfx/key_list.h"
#include "platform/virtual_keys.h"

namespace zelph::gfx {

class GraphicsContext;

// The desktop keyboard's stand-ins for the handheld's buttons, as virtual-key codes.
constexpr KeyList DesktopKeys() {
  namespace vk = platform::vk;
  return KeyList{vk::kUp, vk::kDown, vk::kLeft, vk::kRight, 'Z', 'X', 'C', vk::kReturn};
}

class KeyInput {
 public:
  // GFX_E_INPUT_OPEN when already open.
  Result Open();
  // GFX_E_NOT_LOCKED when not open.
  Result Close();
  bool IsOpen() const { return open_; }

  // The key list taken at the last Open (all zero before the first), with the direction keys turned for the
  // context's orientation; A, B, C and start are never turned.
  KeyList Keys(const GraphicsContext& context) const;

 private:
  bool open_ = false;
  KeyList keys_;
};

}  // namespace zelph::gfx
