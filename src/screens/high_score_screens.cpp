#include "screens/high_score_screens.h"

#include <string>

#include "gfx/gfx_result.h"
#include "screens/menu_layouts.h"
#include "screens/screen_commands.h"
#include "ui/control_tree.h"
#include "ui/fonts.h"
#include "ui/keyboard_tables.h"
#include "ui/pictures.h"

namespace zelph::screens {

namespace {

constexpr std::int32_t kRowLabelZOrder = 10;
constexpr std::int32_t kCursorTop = 1;
constexpr std::int32_t kCursorBottom = -2;

ui::Rect Offset(ui::Rect r, int dx, int dy) { return {r.left + dx, r.top + dy, r.right + dx, r.bottom + dy}; }

}  // namespace

Result HighScoresWindow::Create(std::uint32_t id, const ui::Rect& area, ui::Control* parent, std::uint32_t flags) {
  std::vector<ui::Button*> made;
  const Result r = BuildMenu(*this, *LayoutFor(kHighScoresId), id, area, parent, flags, &made);
  if (r < 0) return r;
  for (std::size_t i = 0; i < rowButtons.size() && i < made.size(); ++i) rowButtons[i] = made[i];
  if (section) {
    nameRect = ui::ReadRect(*section, "name_rect");
    scoreRect = ui::ReadRect(*section, "score_rect");
    section->GetColor("name_color", nameColor);
    section->GetColor("score_color", scoreColor);
    nameFont = ui::LoadFont(section, "name_font");
    scoreFont = ui::LoadFont(section, "score_font");
  }
  return r;
}

void HighScoresWindow::AddLabel(const ui::Rect& where, gfx::AlphaFont* font, const std::u16string& text,
                                std::uint32_t color) {
  auto label = std::make_unique<ui::TextLabel>();
  if (label->CreateWithFont(nextLabelId++, where, this, ui::kTransparent, font, text, ui::kTextCentered, color) < 0)
    return;
  label->zOrder = kRowLabelZOrder;
  SortChildren();
  rowLabels.push_back(std::move(label));
}

void HighScoresWindow::FillRow(std::size_t row) {
  std::u16string name;
  std::int32_t score = 0;
  if (!table_ || !table_->GetEntry(row, name, score)) return;
  const ui::Button& plaque = *rowButtons[row];
  AddLabel(Offset(nameRect, plaque.rect.left, plaque.rect.top), nameFont.get(), name, nameColor);
  const std::string digits = std::to_string(score);
  AddLabel(Offset(scoreRect, plaque.rect.left, plaque.rect.top), scoreFont.get(),
           std::u16string(digits.begin(), digits.end()), scoreColor);
}

Result HighScoresWindow::Tick(std::uint32_t frame) {
  const Result r = MenuWindow::Tick(frame);
  if (!filling) return r;
  for (std::size_t i = 0; i < rowButtons.size(); ++i) {
    if (rowFilled[i] || !rowButtons[i] || rowButtons[i]->State() != ui::kStateReleased) continue;
    rowFilled[i] = true;
    FillRow(i);
  }
  bool allReleased = true;
  for (const ui::MenuButton& entry : buttons) allReleased = allReleased && entry.button->State() == ui::kStateReleased;
  if (allReleased) filling = false;
  return r;
}

AddHighScoreWindow::~AddHighScoreWindow() {
  if (field && ui::KeyFocus() == field.get()) ui::SetKeyFocus(nullptr);
}

Result AddHighScoreWindow::Create(std::uint32_t id, const ui::Rect& area, ui::Control* parent, std::uint32_t flags) {
  const Result r = BuildMenu(*this, *LayoutFor(kAddHighScoreId), id, area, parent, flags);
  if (r < 0) return r;
  built = true;
  if (section) editFont = ui::LoadFont(section, "edit_font");
  if (!section || !section->GetRaw("edit_rect")) return gfx::GFX_E_GENERIC;
  field = std::make_unique<ui::EditField>();
  field->CreateWithFont(kNameFieldId, ui::ReadRect(*section, "edit_rect"), this, 0, editFont.get(), kNameFilter, 0, 0, kNameBlinkPeriod);
  field->SetMaxLength(kNameLength);
  field->SetText(name);
  field->overwrite = true;
  field->cursorTop = kCursorTop;
  field->cursorBottom = kCursorBottom;
  field->padWithFill = true;
  field->fillChar = u'_';
  ui::SetKeyFocus(field.get());

  if (!section->GetRaw("keyboard_rect")) return gfx::GFX_E_GENERIC;
  keyboard = std::make_unique<ui::OnScreenKeyboard>();
  keyboard->Create(kKeyboardId, ui::ReadRect(*section, "keyboard_rect"), this, 0, section->GetNumber("keyboard_img", 0), kKeyboardLayouts);
  keyboard->SetPressSound(section->GetNumber("key_press_sound", 0));
  const bool vga = section->GetBool("keyboard_is_vga", false);
  for (int row = 0; row < ui::kKeyboardRows; ++row) {
    const std::string key = "keyb_line" + std::to_string(row + 1) + "_rect";
    keyboard->AddRow(ui::ReadRect(*section, key), ui::KeyRow(row, vga));
  }
  return S_OK;
}

Result AddHighScoreWindow::Notify(std::uint32_t code, std::intptr_t argument, std::uint32_t senderId) {
  const Result r = MenuWindow::Notify(code, argument, senderId);
  if (code == ui::kNotifyEditKey && (argument == kHardwareEnter || argument == kKeyboardEnter)) {
    SendToParent(static_cast<std::uint32_t>(kCmdAddHighScoreOk), 0, 0);
    return ui::kConsumed;
  }
  return r;
}

std::u16string AddHighScoreWindow::EnteredName() const {
  if (!field || field->Text().empty()) return kUnknownName;
  return field->Text();
}

}  // namespace zelph::screens
