// The sections every menu-like screen is made of: its window section, its five decoration images, its
// buttons with their commands, and whether it has the shared close button. One table serves the game and the
// preview tool, so both build a screen the same way.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "ui/menu_window.h"

namespace zelph::screens {

struct ButtonRow {
  const char* section;
  std::int32_t command;
  bool decoration = false;  // shows its images only: input off, taps fall through to the window
};

struct MenuLayout {
  std::uint32_t id;
  const char* windowSection;
  const char* imagePrefix;
  std::vector<ButtonRow> buttons;
  bool allImages = true;    // false: the background image only
  bool closeButton = true;
  std::int32_t backCommand = 0;  // the button Escape clicks, by its command; 0: none
};

// The layout of the screen with that creation id; null for a screen that is not a menu of the table.
const MenuLayout* LayoutFor(std::uint32_t screenId);

// The common building of a screen: Control::Create, the window section, the images, the buttons (auto-shown
// and staggered, decorations deaf after creation) and the close button. Returns what Control::Create gave.
// `made`, when given, gets one entry per button of the layout, null for a button whose section is missing.
Result BuildMenu(ui::MenuWindow& window, const MenuLayout& layout, std::uint32_t id, const ui::Rect& rect,
                 ui::Control* parent, std::uint32_t flags, std::vector<ui::Button*>* made = nullptr);

// The images of a layout, in drawing order ("_back_img" first, the ropes last).
std::vector<std::string> ImageSections(const MenuLayout& layout);

}  // namespace zelph::screens
