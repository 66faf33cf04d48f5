// The menus without a stylus: a focus that the direction keys move between the buttons, start to click,
// Escape to go back. Nothing changes on screen until a key is used, so a stylus player sees the menus as
// they always were.
#include "gfx/blit.h"
#include "platform/virtual_keys.h"
#include "ui/menu_window.h"

namespace zelph::ui {

namespace {

constexpr gfx::Color kFocusColor = 0xFFFFFF;
constexpr int kFocusMargin = 2;

bool Clickable(const MenuButton& entry) {
  const Button& b = *entry.button;
  return b.visible && b.inputEnabled && !b.frozen && b.State() == kStateReleased;
}

bool IsBackKey(int keyCode, std::uint32_t rawKey) { return keyCode == kKeyB || rawKey == platform::vk::kEscape; }
bool IsClickKey(int keyCode) { return keyCode == kKeyStart || keyCode == kKeyA; }

}  // namespace

MenuButton* MenuWindow::FocusedEntry() {
  if (focusIndex < 0 || focusIndex >= static_cast<std::int32_t>(buttons.size())) return nullptr;
  MenuButton& entry = buttons[static_cast<std::size_t>(focusIndex)];
  return Clickable(entry) ? &entry : nullptr;
}

bool MenuWindow::MoveFocus(int step) {
  const auto count = static_cast<std::int32_t>(buttons.size());
  if (count == 0) return false;
  // Without a focus the search starts just outside the row, so the first step lands on an end of it.
  std::int32_t at = focusIndex >= 0 && focusIndex < count ? focusIndex : (step > 0 ? -1 : count);
  for (std::int32_t tried = 0; tried < count; ++tried) {
    at = ((at + step) % count + count) % count;
    if (Clickable(buttons[static_cast<std::size_t>(at)])) {
      focusIndex = at;
      // The frame is drawn after the buttons from now on.
      flags |= kCallDrawOver;
      return true;
    }
  }
  return false;
}

void MenuWindow::PressByKey(std::int32_t index) {
  MenuButton& entry = buttons[static_cast<std::size_t>(index)];
  Button& button = *entry.button;
  button.KeyDown(kKeyStart, 0);
  Send(button.commandTarget ? button.commandTarget : this, kNotifyPressed, ArgOf(&button), button.id);
  keyPressIndex = index;
}

Result MenuWindow::KeyDown(int keyCode, std::uint32_t rawKey) {
  if (keyPressIndex >= 0) return kHandled;  // one button at a time
  switch (keyCode) {
    case kKeyUp:
    case kKeyLeft:
      MoveFocus(-1);
      return kHandled;
    case kKeyDown:
    case kKeyRight:
      MoveFocus(1);
      return kHandled;
    default:
      break;
  }
  if (IsClickKey(keyCode)) {
    if (!FocusedEntry() && !MoveFocus(1)) return kHandled;
    PressByKey(focusIndex);
    return kHandled;
  }
  if (IsBackKey(keyCode, rawKey) && backCommand != 0) {
    for (std::size_t i = 0; i < buttons.size(); ++i) {
      if (buttons[i].command != backCommand || !Clickable(buttons[i])) continue;
      focusIndex = static_cast<std::int32_t>(i);
      PressByKey(focusIndex);
      break;
    }
  }
  return kHandled;
}

Result MenuWindow::KeyUp(int, std::uint32_t) {
  if (keyPressIndex < 0 || keyPressIndex >= static_cast<std::int32_t>(buttons.size())) {
    keyPressIndex = -1;
    return kHandled;
  }
  Button& button = *buttons[static_cast<std::size_t>(keyPressIndex)].button;
  keyPressIndex = -1;
  Send(button.commandTarget ? button.commandTarget : this, kNotifyReleased, ArgOf(&button), button.id);
  // The click may replace this screen: nothing of the window is touched after it.
  button.KeyUp(kKeyStart, 0);
  return kHandled;
}

Result MenuWindow::DrawOver(gfx::Surface& target, int originX, int originY, const Rect&) {
  const MenuButton* entry = FocusedEntry();
  if (!entry && keyPressIndex >= 0) entry = &buttons[static_cast<std::size_t>(keyPressIndex)];
  if (!entry || !entry->button->visible) return S_OK;
  const Rect& b = entry->button->rect;
  const int x = originX + rect.left, y = originY + rect.top;
  for (int i = 0; i < kFocusMargin; ++i) {
    const Rect frame{x + b.left - kFocusMargin + i, y + b.top - kFocusMargin + i, x + b.right + kFocusMargin - i,
                     y + b.bottom + kFocusMargin - i};
    gfx::DrawRect(target, &frame, kFocusColor);
  }
  return S_OK;
}

}  // namespace zelph::ui
