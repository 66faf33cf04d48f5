#include "gfx/key_input.h"

#include "gfx/graphics_context.h"
#include "gfx/orientation.h"

namespace zelph::gfx {

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
