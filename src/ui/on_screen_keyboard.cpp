#include "ui/on_screen_keyboard.h"

#include "gfx/blit.h"
#include "ui/control_tree.h"
#include "ui/fonts.h"
#include "ui/pictures.h"

namespace zelph::ui {
namespace {

// The key tables hold Windows-1251 bytes; what is typed is wide text.
std::uint32_t ToWide(std::uint8_t byte) {
  if (byte >= 0xC0) return 0x410u + (byte - 0xC0u);
  if (byte == 0xA8) return 0x401;
  if (byte == 0xB8) return 0x451;
  return byte;
}

}  // namespace

Result OnScreenKeyboard::Create(std::uint32_t newId, const Rect& newRect, Control* newParent,
                                std::uint32_t newFlags, std::uint32_t newImageId, int newLayoutCount) {
  Control::Create(newId, newRect, newParent, newFlags);
  imageId = newImageId;
  layoutCount = newLayoutCount > 0 ? newLayoutCount : 1;
  if (imageId != 0 && Succeeded(LoadPicture(image, PackFor(imageId), imageId))) colorKey = FramesColorKey(image);
  return S_OK;
}

void OnScreenKeyboard::AddRow(const Rect& rowRect, std::span<const KeyRecord> keys) {
  rows.push_back({rowRect, keys});
}

void OnScreenKeyboard::SetPressSound(std::uint32_t resourceId) {
  if (resourceId != 0) pressSound.LoadSound(resourceId, false);
}

Result OnScreenKeyboard::Draw(gfx::Surface& target, int originX, int originY, const Rect&) {
  if (!visible || visibleRect.IsEmpty()) return S_OK;
  if (image.FrameCount() > 0) {
    image.SetFrame(layout);
    DrawPicture(target, DrawX(originX), DrawY(originY), image, nullptr, visibleRect, PictureBltFlags(), opacity);
  }
  const int x = originX + rect.left;
  const int y = originY + rect.top;
  ClipScope scope(target,
                  Rect{x + visibleRect.left, y + visibleRect.top, x + visibleRect.right, y + visibleRect.bottom});
  if (scope.Empty()) return S_OK;
  auto darken = [&](const Rect& key) {
    const Rect onTarget{x + key.left, y + key.top, x + key.right, y + key.bottom};
    gfx::FillRect(target, &onTarget, 0, gfx::kDrawOpacity, &kPressedKeyOpacity);
  };
  if (pressed) darken(pressedRect);
  if (shift) darken(shiftRect);
  if (capsLock) darken(capsRect);
  return S_OK;
}

Result OnScreenKeyboard::StylusDown(int x, int y, std::uint32_t) {
  if (!visible) return kNotHandled;
  pressed = false;
  for (const KeyboardRow& row : rows) {
    const Rect& r = row.rect;
    if (x < r.left || x > r.right || y < r.top || y > r.bottom) continue;
    int keyLeft = r.left;
    for (const KeyRecord& key : row.keys) {
      // Both ends count, so on the line between two keys the left one wins.
      if (x >= keyLeft && x <= keyLeft + key.width) {
        pressed = true;
        pressedRect = {keyLeft, r.top, keyLeft + key.width, r.bottom};
        pressedKey = &key;
        SetCapture(this);
        break;
      }
      keyLeft += key.width;
    }
    break;
  }
  return kHandled;
}

void OnScreenKeyboard::Type(const KeyRecord& key, const Rect& keyRect) {
  const int alphabet = layout & ~1;
  const std::uint8_t c = key.chars[alphabet];
  const std::uint8_t a = key.chars[alphabet + 1];
  Control* root = Root();
  if (a == kKeySwitchAlphabet && c == 0) {
    layout = (layout + 2) % layoutCount;
  } else if (a == kKeyShift && c == 0) {
    ToggleCase();
    shift = !shift;
    shiftRect = keyRect;
  } else if (a == kKeyCapsLock && c == 0) {
    ToggleCase();
    capsLock = !capsLock;
    capsRect = keyRect;
  } else if (c != 0) {
    const std::uint8_t typed = key.chars[layout];
    if (shift) {
      ToggleCase();
      shift = false;
    }
    if (root) RouteChar(*root, ToWide(typed), 0);
  } else if (root) {
    RouteKeyDown(*root, a, DeviceKeys());
    RouteKeyUp(*root, a, DeviceKeys());
  }
}

Result OnScreenKeyboard::StylusUp(int, int, std::uint32_t) {
  if (!visible) return kNotHandled;
  if (pressed) {
    pressed = false;
    pressSound.PlaySound(1, kKeyPressVolume);
    if (pressedKey) Type(*pressedKey, pressedRect);
  }
  if (StylusCapture() == this) SetCapture(nullptr);
  return kHandled;
}

Result OnScreenKeyboard::CaptureLost(Control*) {
  pressed = false;
  return S_OK;
}

}  // namespace zelph::ui
