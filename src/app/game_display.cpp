#include "app/game_display.h"

#include "platform/virtual_keys.h"

namespace zelph::app {

namespace vk = platform::vk;

static_assert(gfx::DesktopKeys() ==
                  gfx::KeyList{vk::kUp, vk::kDown, vk::kLeft, vk::kRight, 'Z', 'X', 'C', vk::kReturn},
              "the key list speaks the window's virtual-key codes");

const std::uint16_t* GameDisplay::BackPixels(int& width, int& height, int& pitchBytes) const {
  // The back buffer of the last frame, as the game drew it (before any turn for the screen).
  const gfx::Surface* back = display_.BackBuffer();
  if (!back) return nullptr;
  width = back->Width();
  height = back->Height();
  pitchBytes = back->YStep() * 2;
  return back->Row(0);
}

}  // namespace zelph::app
