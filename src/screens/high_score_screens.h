// The two screens of the high-score table: the list of the five best, each row written into its plaque once
// the plaque has swung in, and the name entry after a game that earned a place, with the on-screen keyboard.
#pragma once

#include <array>
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "game/high_score_table.h"
#include "gfx/alpha_font.h"
#include "ui/button.h"
#include "ui/edit_field.h"
#include "ui/menu_window.h"
#include "ui/on_screen_keyboard.h"
#include "ui/text_label.h"

namespace zelph::screens {

inline constexpr std::uint32_t kFirstRowLabelId = 12302;
inline constexpr std::uint32_t kNameFieldId = 20035;
inline constexpr std::uint32_t kKeyboardId = 20036;
inline constexpr std::int32_t kNameLength = 8;
inline constexpr std::uint32_t kNameFilter = ui::kFilterDigits | ui::kFilterLetters | ui::kFilterSpace;
inline constexpr std::int32_t kNameBlinkPeriod = 10;
inline constexpr int kKeyboardLayouts = 2;
// What the edit field reports for the hardware enter key and the on-screen one.
inline constexpr std::intptr_t kHardwareEnter = 13;
inline constexpr std::intptr_t kKeyboardEnter = 19;
inline constexpr char16_t kUnknownName[] = u"<unknown>";

class HighScoresWindow : public ui::MenuWindow {
 public:
  // The table the rows are read from; stays its owner's. Without one the rows stay empty.
  explicit HighScoresWindow(const game::HighScoreTable* table) : table_(table) {}
  Result Create(std::uint32_t id, const ui::Rect& rect, ui::Control* parent, std::uint32_t flags) override;
  // Writes each row once its plaque has finished appearing.
  Result Tick(std::uint32_t frame) override;

  ui::Rect nameRect, scoreRect;
  std::unique_ptr<gfx::AlphaFont> nameFont, scoreFont;  // before the labels, which draw with them
  std::uint32_t nameColor = 0, scoreColor = 0;
  std::array<ui::Button*, game::kHighScoreEntries> rowButtons{};
  std::array<bool, game::kHighScoreEntries> rowFilled{};
  std::vector<std::unique_ptr<ui::TextLabel>> rowLabels;
  std::uint32_t nextLabelId = kFirstRowLabelId;
  bool filling = true;

 private:
  void FillRow(std::size_t row);
  void AddLabel(const ui::Rect& where, gfx::AlphaFont* font, const std::u16string& text, std::uint32_t color);

  const game::HighScoreTable* table_;
};

class AddHighScoreWindow : public ui::MenuWindow {
 public:
  ~AddHighScoreWindow() override;
  // GFX_E_GENERIC when "edit_rect" or "keyboard_rect" is missing; the screen is then usable without the
  // field or the keyboard (`built` tells whether the screen itself was made).
  Result Create(std::uint32_t id, const ui::Rect& rect, ui::Control* parent, std::uint32_t flags) override;
  // Enter, from the hardware keys or the on-screen keyboard, does what the OK button does.
  Result Notify(std::uint32_t code, std::intptr_t argument, std::uint32_t senderId) override;
  // The typed name, or "<unknown>" when nothing was typed.
  std::u16string EnteredName() const;

  bool built = false;
  std::unique_ptr<gfx::AlphaFont> editFont;  // before the field, which draws with it
  std::unique_ptr<ui::EditField> field;
  std::unique_ptr<ui::OnScreenKeyboard> keyboard;
};

}  // namespace zelph::screens
