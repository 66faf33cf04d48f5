// A taken prize's effect and the icon shown in the bottom area while it lasts, blinking before it ends.
#pragma once

#include <array>
#include <cstdint>

#include "gfx/rect.h"
#include "gfx/sprite.h"

namespace zelph::game {

// "prize_type": what taking a prize does.
inline constexpr std::int32_t kPrizeLives = 1;
inline constexpr std::int32_t kPrizeGodMode = 2;
inline constexpr std::int32_t kPrizeSlowHead = 3;
inline constexpr std::int32_t kPrizeSlowEnemies = 4;

// How a prize's icon looks and lasts: "ico_param" (shown when the first number is not 0; seconds of life;
// seconds before it blinks; blink period in frames), "ico_image", "ico_rect", "ico_text_rect", "ico_animate".
struct PrizeIconLook {
  std::array<std::int32_t, 4> param{};
  std::uint32_t image = 0;
  gfx::Rect place;
  gfx::Rect textPlace;  // kept with the icon; nothing is drawn there
  std::array<std::int32_t, 4> animate{};

  bool Enabled() const { return param[0] != 0 && image != 0; }
};

// One icon per effect kind at most.
struct PrizeIcon {
  std::int32_t key = 0;  // the "prize_type" it shows
  gfx::Sprite sprite;
  gfx::Rect place;
  gfx::Rect textPlace;
  std::int32_t lifeFrames = 0;
  std::int32_t steadyFrames = 0;
  std::int32_t blinkPeriod = 0;
  std::int32_t blinkPhase = 0;  // drawn while above 0
};

}  // namespace zelph::game
