#include "ui/edit_field.h"

#include <algorithm>
#include <string>

#include "gfx/blit.h"
#include "ui/control_tree.h"
#include "ui/pictures.h"

namespace zelph::ui {
namespace {

constexpr int kTextInset = 2;
constexpr std::int32_t kCursorFrameDelay = 10;

bool IsDigit(char32_t c) { return c >= U'0' && c <= U'9'; }

// Letters of the scripts the game's fonts carry: Latin with its accented forms, Greek and Cyrillic.
bool IsLetter(char32_t c) {
  if ((c >= U'A' && c <= U'Z') || (c >= U'a' && c <= U'z')) return true;
  if (c >= 0xC0 && c <= 0x24F) return c != 0xD7 && c != 0xF7;
  return (c >= 0x386 && c <= 0x3FF) || (c >= 0x400 && c <= 0x52F);
}

}  // namespace

bool FilterAccepts(std::uint32_t filter, char32_t c) {
  if (c < 32) return false;
  if ((filter & kFilterAll) == kFilterAll) return true;
  if (IsDigit(c)) return (filter & kFilterDigits) != 0;
  if (IsLetter(c)) return (filter & kFilterLetters) != 0;
  if (c == U' ' && (filter & kFilterSpace)) return true;
  return (filter & kFilterOthers) != 0;
}

Result EditField::CreateWithFont(std::uint32_t newId, const Rect& newRect, Control* newParent,
                                 std::uint32_t newFlags, gfx::BitmapFont* newFont, std::uint32_t newFilter,
                                 std::uint32_t cursorImageId, std::uint32_t overwriteCursorImageId,
                                 std::int32_t newBlinkPeriod) {
  Control::Create(newId, newRect, newParent, newFlags);
  Build(newFont, newFilter, cursorImageId, overwriteCursorImageId, newBlinkPeriod);
  return S_OK;
}

Result EditField::CreateFromSection(std::uint32_t newId, const Rect& newRect, Control* newParent,
                                    std::uint32_t newFlags, std::uint32_t newFilter, std::uint32_t cursorImageId,
                                    std::uint32_t overwriteCursorImageId, std::int32_t newBlinkPeriod,
                                    const config::ConfigSection* newSection) {
  Control::Create(newId, newRect, newParent, newFlags);
  section = newSection;
  ownedFont_ = LoadFont(newSection, "edit_font");
  Build(ownedFont_.get(), newFilter, cursorImageId, overwriteCursorImageId, newBlinkPeriod);
  return S_OK;
}

void EditField::Build(gfx::BitmapFont* newFont, std::uint32_t newFilter, std::uint32_t cursorImageId,
                      std::uint32_t overwriteCursorImageId, std::int32_t newBlinkPeriod) {
  font = newFont;
  pen_.Set(FontOrDefault(font), 0);
  filter = newFilter;
  blinkPeriod = blinkCounter = newBlinkPeriod;
  if (cursorImageId != 0 && Succeeded(LoadPicture(cursorSprite, PackFor(cursorImageId), cursorImageId))) {
    hasCursorSprite = cursorSprite.FrameCount() > 0;
    cursorSprite.SetAnimation(true, kCursorFrameDelay, 1, false, 0);
  }
  if (overwriteCursorImageId != 0 &&
      Succeeded(LoadPicture(overwriteCursorSprite, PackFor(overwriteCursorImageId), overwriteCursorImageId))) {
    overwriteCursorSprite.SetAnimation(true, kCursorFrameDelay, 1, false, 0);
  }
}

void EditField::SetMaxLength(std::int32_t length) {
  maxLength = std::max(length, 0);
  if (name.size() > static_cast<std::size_t>(maxLength)) name.resize(static_cast<std::size_t>(maxLength));
  cursor = std::clamp(cursor, 0, static_cast<std::int32_t>(name.size()));
}

void EditField::SetText(std::u16string_view text) {
  name = text;
  SetMaxLength(maxLength);
}

bool EditField::HasFocus() const { return KeyFocus() == this; }

gfx::Sprite* EditField::ActiveCursor() {
  if (overwrite && overwriteCursorSprite.FrameCount() > 0) return &overwriteCursorSprite;
  return hasCursorSprite ? &cursorSprite : nullptr;
}

void EditField::Report(std::uint32_t code, std::intptr_t argument) { SendToOwner(code, argument, id); }

Result EditField::Char(std::uint32_t character, std::intptr_t) {
  if (character >= 32) {
    const std::size_t length = name.size();
    const bool room = length < static_cast<std::size_t>(maxLength) || (overwrite && cursor < maxLength);
    if (room && FilterAccepts(filter, static_cast<char32_t>(character))) {
      const std::u16string before = name;
      const std::size_t at = static_cast<std::size_t>(cursor);
      const std::size_t resume = std::min(length, at + (overwrite ? 1 : 0));
      name = before.substr(0, at) + static_cast<char16_t>(character) + before.substr(resume);
      ++cursor;
      if (name != before) Report(kNotifyEditText, ArgOf(this));
    }
  }
  Report(kNotifyEditKey, static_cast<std::intptr_t>(character));
  return kHandled;
}

Result EditField::KeyDown(int, std::uint32_t rawKey) {
  const std::u16string before = name;
  const std::int32_t length = static_cast<std::int32_t>(name.size());
  switch (rawKey) {
    case kVkBackspace:
      if (cursor > 0) name.erase(static_cast<std::size_t>(cursor - 1), 1);
      cursor = std::max(cursor - 1, 0);
      break;
    case kVkLeft:
      cursor = std::max(cursor - 1, 0);
      break;
    case kVkRight:
      cursor = std::min(cursor + 1, length);
      break;
    case kVkInsert:
      overwrite = !overwrite;
      break;
    case kVkDelete:
      if (cursor < length) name.erase(static_cast<std::size_t>(cursor), 1);
      cursor = std::min(cursor, static_cast<std::int32_t>(name.size()));
      break;
    default:
      break;
  }
  Report(kNotifyEditKey, static_cast<std::intptr_t>(rawKey));
  if ((rawKey == kVkBackspace || rawKey == kVkDelete) && name != before) Report(kNotifyEditText, ArgOf(this));
  return kHandled;
}

Result EditField::StylusDown(int x, int, std::uint32_t) {
  SetKeyFocus(this);
  gfx::BitmapFont* drawn = pen_.Font();
  const std::int32_t length = static_cast<std::int32_t>(name.size());
  cursor = length;
  for (std::int32_t i = 0; i < length; ++i) {
    if (MeasureText(drawn, std::u16string_view(name).substr(0, static_cast<std::size_t>(i) + 1)) > x) {
      cursor = i;
      break;
    }
  }
  return kHandled;
}

Result EditField::Draw(gfx::Surface& target, int originX, int originY, const Rect&) {
  if (!visible || visibleRect.IsEmpty()) return S_OK;
  const int x = originX + rect.left;
  const int y = originY + rect.top;
  ClipScope scope(target,
                  Rect{x + visibleRect.left, y + visibleRect.top, x + visibleRect.right, y + visibleRect.bottom});
  if (scope.Empty()) return S_OK;
  std::u16string shown = name;
  if (padWithFill && shown.size() < static_cast<std::size_t>(maxLength)) {
    shown.append(static_cast<std::size_t>(maxLength) - shown.size(), fillChar);
  }
  pen_.Draw(target, x + kTextInset, y, shown, gfx::kAlignLeft);
  if (!HasFocus()) return S_OK;
  const int cursorX =
      x + kTextInset + MeasureText(pen_.Font(), std::u16string_view(name).substr(0, static_cast<std::size_t>(cursor)));
  if (gfx::Sprite* sprite = ActiveCursor()) {
    if (gfx::Surface* frame = sprite->FrameSurface(-1)) {
      gfx::Blt(target, cursorX, y, frame, nullptr, gfx::kBltColorKey);
    }
  } else if (blinkCounter >= 0) {
    gfx::DrawLine(target, cursorX, y + cursorTop + 2, cursorX, y + Height() + cursorBottom - 2, kCursorColor);
  }
  return S_OK;
}

Result EditField::Tick(std::uint32_t) {
  if (!HasFocus()) return S_OK;
  if (gfx::Sprite* sprite = ActiveCursor()) {
    sprite->StepAnimation();
  } else if (--blinkCounter < -blinkPeriod) {
    blinkCounter = blinkPeriod;
  }
  return S_OK;
}

}  // namespace zelph::ui
