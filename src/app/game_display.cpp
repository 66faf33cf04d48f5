#include "app/game_display.h"

#include "gfx/blit.h"
#include "gfx/system_fonts.h"
#include "platform/virtual_keys.h"

namespace zelph::app {

namespace vk = platform::vk;

static_assert(gfx::DesktopKeys() ==
                  gfx::KeyList{vk::kUp, vk::kDown, vk::kLeft, vk::kRight, 'Z', 'X', 'C', vk::kReturn},
              "the key list speaks the window's virtual-key codes");

GameDisplay::GameDisplay(int screenWidth, int screenHeight, gfx::GraphicsContext& context)
    : display_(screenWidth, screenHeight, context) {
  display_.SetOverlay([this](gfx::Surface& screen) { DrawNotice(screen); });
}

void GameDisplay::ShowNotice(std::u16string_view text, int frames) {
  notice_ = text;
  noticeFrames_ = frames;
}

void GameDisplay::DrawNotice(gfx::Surface& screen) {
  if (noticeFrames_ <= 0) return;
  --noticeFrames_;
  // A dark plate in the bottom left corner, clear of the top bar where the game shows its own counters.
  constexpr int kPad = 4, kFallbackHeight = 12;
  gfx::BitmapFont* font = gfx::DefaultFont();
  const Result measured = font ? font->TextWidth(notice_) : E_FAIL;
  const int width = Failed(measured) ? 0 : static_cast<int>(measured);
  const int height = width > 0 ? font->GlyphHeight() : kFallbackHeight;
  const gfx::Rect plate{kPad, screen.Height() - height - 3 * kPad, kPad * 3 + width, screen.Height() - kPad};
  gfx::FillRect(screen, &plate, kNoticePlateColor);
  if (width > 0) gfx::DrawText(screen, plate.left + kPad, plate.top + kPad, notice_, font, gfx::kAlignLeft);
}

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
