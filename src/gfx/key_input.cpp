#include "gfx/key_input.h"

#include "gfx/graphics_context.h"

namespace zelph::gfx {
namespace {

// Virtual-key codes of the keys chosen.
constexpr std::uint16_t kVkReturn = 13;
constexpr std::uint16_t kVkLeft = 37;
constexpr std::uint16_t kVkUp = 38;
constexpr std::uint16_t kVkRight = 39;
constexpr std::uint16_t kVkDown = 40;

}  // namespace

KeyList DesktopKeys() {
  KeyList keys;
  keys.up = kVkUp;
  keys.down = kVkDown;
  keys.left = kVkLeft;
  keys.right = kVkRight;
  keys.a = 'Z';
  keys.b = 'X';
  keys.c = 'C';
  keys.start = kVkReturn;
  return keys;
}

Result KeyInput::Open() {
  if (open_) return GFX_E_INPUT_OPEN;
  keys_ = DesktopKeys();
  open_ = true;
  return S_OK;
}

Result KeyInput::Close() {
  if (!open_) return GFX_E_NOT_LOCKED;
  open_ = false;
  return S_OK;
}

KeyList KeyInput::Keys(const GraphicsContext& context) const {
  return RemapDirectionKeys(keys_, context.NativeOrientation(), context.Orientation());
}

}  // namespace zelph::gfx
