// The board shown while the next level loads: the last frame darkened, the board and the level's number,
// put on the screen at once.
#pragma once

#include <cstdint>
#include <memory>

#include "config/value_types.h"
#include "gfx/alpha_font.h"
#include "gfx/sprite.h"
#include "gfx/surface.h"
#include "platform/result.h"

namespace zelph::screens {

class NextLevelWindow {
 public:
  // From GUI section "next_level_wnd"; 0xC8660001 without it, before the target is taken.
  Result Load(gfx::Surface* target);
  // E_INVALIDARG, drawing nothing, when the window has no target.
  Result ShowLevelNumber(std::int32_t number, std::uint32_t bltFlags);

 private:
  gfx::Surface* target_ = nullptr;
  gfx::Sprite picture_;
  config::Point origin_;
  config::Point textCentre_;
  std::unique_ptr<gfx::AlphaFont> font_;
  std::uint32_t textColour_ = 0;
  std::uint32_t dimColour_ = 0;
};

}  // namespace zelph::screens
