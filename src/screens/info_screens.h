// The screens that show rather than ask: the intro picture that closes by itself, and the scrollable
// instructions page built item by item from the GUI document.
#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "gfx/alpha_font.h"
#include "ui/animated_image.h"
#include "ui/menu_window.h"
#include "ui/scroll_view.h"

namespace zelph::screens {

inline constexpr std::int32_t kDefaultTicksToClose = 30;

class IntroWindow : public ui::MenuWindow {
 public:
  Result Create(std::uint32_t id, const ui::Rect& rect, ui::Control* parent, std::uint32_t flags) override;
  // Counts down, then says it is done on every tick until the screen is replaced.
  Result Tick(std::uint32_t frame) override;
  Result KeyDown(int keyCode, std::uint32_t rawKey) override;
  Result StylusDown(int x, int y, std::uint32_t extra) override;

  std::int32_t ticksLeft = 0;

 private:
  void Done();
};

inline constexpr std::uint32_t kPageId = 20245;
inline constexpr std::uint32_t kFirstPageItemId = 65635;
inline constexpr std::uint32_t kPageFlags = 0x12;

// The game's version line: version, build number, and the build's date and time on a line of their own.
std::u16string VersionText();

class InstructionsWindow : public ui::MenuWindow {
 public:
  Result Create(std::uint32_t id, const ui::Rect& rect, ui::Control* parent, std::uint32_t flags) override;
  // Also reads "scroll_rect".
  bool LoadSection(std::string_view sectionName) override;
  // Shows the page once every button has appeared, and lets the scroll buttons act while held.
  Result Tick(std::uint32_t frame) override;
  // Rebuilds the page from its section; GFX_E_GENERIC (and an empty page) without it.
  Result BuildPage(const config::ConfigSection* pageSection);

  std::vector<std::unique_ptr<gfx::AlphaFont>> fonts;  // before `page`, whose labels draw with them
  std::vector<std::uint32_t> fontColours;
  ui::ScrollView page;
  ui::Rect scrollRect;
  ui::Button* upButton = nullptr;
  ui::Button* downButton = nullptr;
  ui::AnimatedImage* scrollBack = nullptr;
  std::u16string versionText;
  std::uint32_t nextItemId = 0;
  bool waitingForButtons = true;
};

}  // namespace zelph::screens
