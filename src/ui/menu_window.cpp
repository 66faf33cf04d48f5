#include "ui/menu_window.h"

#include <string>

#include "sound/menu_click.h"
#include "ui/control_tree.h"
#include "ui/pictures.h"

namespace zelph::ui {

MenuWindow::~MenuWindow() = default;

bool MenuWindow::LoadSection(std::string_view sectionName) {
  section = GuiSection(sectionName);
  showDelay = section ? ReadBoundedInt(*section, "ButtonsShowDelayTicks", 0) : 0;
  betweenDelay = section ? ReadBoundedInt(*section, "BetweenButtonsTicks", 0) : 0;
  return section != nullptr;
}

AnimatedImage* MenuWindow::AddImage(std::string_view sectionName, std::uint32_t imageFlags) {
  const config::ConfigSection* imageSection = GuiSection(sectionName);
  if (!imageSection) return nullptr;
  auto image = std::make_unique<AnimatedImage>();
  image->CreateFromSection(static_cast<std::uint32_t>(nextImageId++), nullptr, this, imageFlags & kTransparent,
                           imageSection);
  if (imageFlags & kBakeImage) {
    if (gfx::Surface* back = BackSurface()) {
      int x = 0, y = 0;
      ToScreen(&x, &y);
      DrawTree(*image, *back, x, y, Rect{0, 0, Width(), Height()});
    }
    return nullptr;
  }
  images.push_back(std::move(image));
  return images.back().get();
}

Button* MenuWindow::AddButton(std::string_view sectionName, std::int32_t command, bool autoShow, bool staggered) {
  const config::ConfigSection* buttonSection = GuiSection(sectionName);
  if (!buttonSection) return nullptr;
  MenuButton entry;
  entry.button = std::make_unique<Button>();
  entry.button->CreateFromSection(static_cast<std::uint32_t>(nextButtonId++), nullptr, this, kMenuButtonFlags,
                                  buttonSection);
  entry.command = command;
  entry.autoShow = autoShow;
  entry.playSound = buttonSection->GetBool("play_sound", true);
  entry.button->visible = false;
  if (buttons.empty()) {
    entry.showTick = showDelay;
  } else {
    entry.showTick = buttons.back().showTick + (staggered ? betweenDelay : 0);
    if (entry.showTick > lastShowTick) lastShowTick = entry.showTick;
  }
  buttons.push_back(std::move(entry));
  return buttons.back().button.get();
}

Button* MenuWindow::FindButton(std::uint32_t buttonId) {
  for (MenuButton& entry : buttons) {
    if (entry.button->id == buttonId) return entry.button.get();
  }
  return nullptr;
}

const MenuButton* MenuWindow::Entry(std::uint32_t buttonId) const {
  for (const MenuButton& entry : buttons) {
    if (entry.button->id == buttonId) return &entry;
  }
  return nullptr;
}

void MenuWindow::AddCloseButton() {
  const config::ConfigSection* closeSection = GuiSection("close_x_btn");
  if (!closeSection) return;
  // Placed before it joins the children, so it lands above every button.
  closeButton.zOrder = kCloseButtonZOrder;
  closeButton.CreateFromSection(kCloseButtonId, nullptr, this, kTransparent, closeSection);
  closeButton.commandTarget = Parent();
}

void MenuWindow::ResetButtons() {
  tickCount = 0;
  for (MenuButton& entry : buttons) {
    entry.button->visible = false;
    entry.button->SetState(kStateAppear, true);
  }
}

std::int32_t MenuWindow::DueTick(const MenuButton& entry) const {
  if (lastShowTick < 1 || entry.showTick < 1) return 1;
  return entry.showTick;
}

Result MenuWindow::Tick(std::uint32_t) {
  ++tickCount;
  for (MenuButton& entry : buttons) {
    if (entry.autoShow && !entry.button->visible && DueTick(entry) == tickCount) entry.button->visible = true;
  }
  return S_OK;
}

Result MenuWindow::StylusDown(int, int, std::uint32_t) { return kHandled; }

Result MenuWindow::Notify(std::uint32_t code, std::intptr_t argument, std::uint32_t senderId) {
  if (code == kNotifyClicked) {
    const MenuButton* entry = Entry(senderId);
    if (!entry) return kPassOn;
    // Stays pressed while the screen changes.
    if (entry->button->flags & kButtonDeferredClick) entry->button->SetState(kStatePressed, false);
    SendToParent(static_cast<std::uint32_t>(entry->command), 0, 0);
    return kPassOn;
  }
  if (code == kNotifyPressed) {
    const MenuButton* entry = Entry(senderId);
    if (entry && entry->playSound && sound::MenuClickSound()) sound::PlayMenuClickSound();
    return kPassOn;
  }
  return Control::Notify(code, argument, senderId);
}

}  // namespace zelph::ui
