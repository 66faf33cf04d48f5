// EditField: a one-line text entry with a blinking cursor, character filtering, insert and overwrite modes
// and a maximum length. It takes characters and control keys from the hardware keys and the on-screen
// keyboard alike, and reports every key (96) and every change of its text (97). Its `name` holds the text.
#pragma once

#include <cstdint>
#include <memory>
#include <string_view>

#include "config/config_section.h"
#include "gfx/alpha_font.h"
#include "gfx/sprite.h"
#include "platform/virtual_keys.h"
#include "ui/control.h"
#include "ui/fonts.h"

namespace zelph::ui {

// Filter bits; a character below 32 is never inserted.
inline constexpr std::uint32_t kFilterDigits = 1;
inline constexpr std::uint32_t kFilterLetters = 2;
inline constexpr std::uint32_t kFilterOthers = 4;  // neither letter nor digit
inline constexpr std::uint32_t kFilterSpace = 8;
inline constexpr std::uint32_t kFilterAll = 15;

// Raw keys the field acts on.
inline constexpr std::uint32_t kVkBackspace = platform::vk::kBack;
inline constexpr std::uint32_t kVkLeft = platform::vk::kLeft;
inline constexpr std::uint32_t kVkRight = platform::vk::kRight;
inline constexpr std::uint32_t kVkInsert = platform::vk::kInsert;
inline constexpr std::uint32_t kVkDelete = platform::vk::kDelete;

inline constexpr std::uint32_t kCursorColor = 0xFFFFFF;

// True when `filter` lets `c` into the text.
bool FilterAccepts(std::uint32_t filter, char32_t c);

class EditField : public Control {
 public:
  // `font` stays its owner's (null: the default font). Cursor pictures 0 for none: a line is drawn instead.
  Result CreateWithFont(std::uint32_t id, const Rect& rect, Control* parent, std::uint32_t flags,
                        gfx::BitmapFont* font, std::uint32_t filter, std::uint32_t cursorImageId,
                        std::uint32_t overwriteCursorImageId, std::int32_t blinkPeriod);
  // The same with the font of the section's "edit_font" keys, owned by the field.
  Result CreateFromSection(std::uint32_t id, const Rect& rect, Control* parent, std::uint32_t flags,
                           std::uint32_t filter, std::uint32_t cursorImageId, std::uint32_t overwriteCursorImageId,
                           std::int32_t blinkPeriod, const config::ConfigSection* section);

  void SetMaxLength(std::int32_t length);
  void SetText(std::u16string_view text);
  const std::u16string& Text() const { return name; }

  Result Draw(gfx::Surface& target, int originX, int originY, const Rect& clip) override;
  Result Tick(std::uint32_t frame) override;
  Result KeyDown(int keyCode, std::uint32_t rawKey) override;
  Result Char(std::uint32_t character, std::intptr_t keyData) override;
  // Takes the key focus and puts the cursor where the tap was.
  Result StylusDown(int x, int y, std::uint32_t extra) override;

  const config::ConfigSection* section = nullptr;
  gfx::BitmapFont* font = nullptr;
  gfx::Sprite cursorSprite;
  gfx::Sprite overwriteCursorSprite;
  bool hasCursorSprite = false;
  std::int32_t cursor = 0;
  std::uint32_t filter = kFilterAll;
  std::int32_t maxLength = 1000;
  bool overwrite = false;
  std::int32_t blinkPeriod = 15;
  std::int32_t blinkCounter = 15;
  std::int32_t cursorTop = 0;
  std::int32_t cursorBottom = 0;
  bool padWithFill = false;
  char16_t fillChar = u'_';

 private:
  void Build(gfx::BitmapFont* newFont, std::uint32_t newFilter, std::uint32_t cursorImageId,
             std::uint32_t overwriteCursorImageId, std::int32_t newBlinkPeriod);
  bool HasFocus() const;
  // The cursor's sprite for the current mode, or null when a line is drawn.
  gfx::Sprite* ActiveCursor();
  void Report(std::uint32_t code, std::intptr_t argument);

  std::unique_ptr<gfx::AlphaFont> ownedFont_;
  TextPen pen_;
};

}  // namespace zelph::ui
