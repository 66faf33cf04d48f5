#include "screens.h"

#include <array>
#include <map>

#include "config/resources.h"
#include "ui/animated_image.h"
#include "ui/button.h"
#include "ui/edit_field.h"
#include "ui/fonts.h"
#include "ui/keyboard_tables.h"
#include "ui/menu_window.h"
#include "ui/message_box.h"
#include "ui/on_screen_keyboard.h"
#include "ui/text_label.h"

namespace zelph::preview {
namespace {

struct MenuSpec {
  std::string prefix;
  std::vector<std::string> buttons;
  bool closeButton = true;
};

const std::map<std::string, MenuSpec>& Menus() {
  static const std::map<std::string, MenuSpec> menus = {
      {"main", {"m_main", {"m_main_newgame_btn", "m_main_options_btn", "m_main_highscor_btn",
                           "m_main_instruct_btn", "m_main_exit_btn"}}},
      {"options", {"options", {"options_sound_btn", "options_sound_vol", "options_music_btn",
                               "options_music_vol", "options_back_btn"}}},
      {"ingame", {"m_in_game", {"m_in_game_playagain_btn", "m_in_game_options_btn", "m_in_game_mainmenu_btn",
                                "m_in_game_back_btn"}}},
      {"continue", {"cont", {"cont_cont_btn", "cont_mainmenu_btn", "cont_exit_btn"}}},
      {"hiscores", {"hs", {"hs_score1", "hs_score2", "hs_score3", "hs_score4", "hs_score5", "hs_back_btn"}}},
      {"addhs", {"add_hs", {"add_hs_under_btn", "add_hs_ok_btn"}}},
      {"instr", {"instr", {"instr_up_btn", "instr_1_btn", "instr_2_btn", "instr_3_btn", "instr_down_btn",
                           "instr_back_btn"}}},
      {"youlose", {"youlose", {"youlose_playagain_btn", "youlose_mainmenu_btn"}}},
      {"youwin", {"youwin", {"youwin_next_btn"}, false}},
  };
  return menus;
}

std::u16string Wide(const std::string& text) { return std::u16string(text.begin(), text.end()); }

const config::ConfigSection* Gui(const char* name) { return config::GuiDocument().FindSection(name); }

// A control kept alive for the preview.
template <typename T>
T* Own(std::vector<std::unique_ptr<ui::Control>>& owned) {
  owned.push_back(std::make_unique<T>());
  return static_cast<T*>(owned.back().get());
}

ui::Rect RectOf(const config::ConfigSection* section, const char* key) {
  config::Rect r{};
  if (section) section->GetRect(key, r);
  return ui::Rect{r.left, r.top, r.right, r.bottom};
}

// Fonts are kept for the run of the program: labels do not own the fonts they are given.
gfx::AlphaFont* KeepFont(const config::ConfigSection* section, const char* base) {
  static std::vector<std::unique_ptr<gfx::AlphaFont>> fonts;
  auto font = ui::LoadFont(section, base);
  if (!font) return nullptr;
  fonts.push_back(std::move(font));
  return fonts.back().get();
}

ui::TextLabel* Label(std::vector<std::unique_ptr<ui::Control>>& owned, ui::Control* parent, ui::Rect rect,
                     gfx::AlphaFont* font, const std::string& text, std::uint32_t alignment, std::uint32_t colour) {
  auto* label = Own<ui::TextLabel>(owned);
  label->CreateWithFont(0, rect, parent, ui::kTransparent, font, Wide(text), alignment, colour);
  label->zOrder = 10;
  parent->SortChildren();
  return label;
}

ui::MenuWindow* Menu(const MenuSpec& layout, ui::Control& root, std::vector<std::unique_ptr<ui::Control>>& owned) {
  auto* window = Own<ui::MenuWindow>(owned);
  window->Create(20014, root.rect, &root, ui::kHitTopmostFirst);
  window->LoadSection(layout.prefix + "_wnd");
  for (const char* part : {"_back_img", "_head_img", "_bott_img", "_left_rope_img", "_right_rope_img"})
    window->AddImage(layout.prefix + part, 0);
  for (const auto& button : layout.buttons) window->AddButton(button, 0, true, true);
  if (layout.closeButton) window->AddCloseButton();
  return window;
}

// The rows of the high-score screen, written into the row plaques as the screen does.
void ScoreRows(ui::MenuWindow& window, std::vector<std::unique_ptr<ui::Control>>& owned) {
  const config::ConfigSection* section = Gui("hs_wnd");
  gfx::AlphaFont* nameFont = KeepFont(section, "name_font");
  gfx::AlphaFont* scoreFont = KeepFont(section, "score_font");
  std::uint32_t nameColour = 0, scoreColour = 0;
  section->GetColor("name_color", nameColour);
  section->GetColor("score_color", scoreColour);
  const char* names[] = {"ORV", "MAPLE", "ASH", "BIRCH", "ELM"};
  const int scores[] = {12840, 9650, 7210, 4105, 980};
  for (int i = 0; i < 5; ++i) {
    const ui::Button* row = window.FindButton(static_cast<std::uint32_t>(i));
    if (!row) continue;
    ui::Rect name = RectOf(section, "name_rect"), score = RectOf(section, "score_rect");
    for (ui::Rect* r : {&name, &score}) {
      r->left += row->rect.left;
      r->right += row->rect.left;
      r->top += row->rect.top;
      r->bottom += row->rect.top;
    }
    Label(owned, &window, name, nameFont, names[i], ui::kTextCentered, nameColour);
    Label(owned, &window, score, scoreFont, std::to_string(scores[i]), ui::kTextCentered, scoreColour);
  }
}

void NameEntry(ui::MenuWindow& window, std::vector<std::unique_ptr<ui::Control>>& owned) {
  const config::ConfigSection* section = Gui("add_hs_wnd");
  auto* field = Own<ui::EditField>(owned);
  field->CreateWithFont(20035, RectOf(section, "edit_rect"), &window, 0, KeepFont(section, "edit_font"), 11, 0, 0,
                        10);
  field->SetMaxLength(8);
  field->padWithFill = true;
  field->SetText(u"ORV");
  auto* keyboard = Own<ui::OnScreenKeyboard>(owned);
  keyboard->Create(20036, RectOf(section, "keyboard_rect"), &window, 0, section->GetNumber("keyboard_img", 0), 2);
  const bool vga = section->GetBool("keyboard_is_vga", false);
  for (int row = 0; row < ui::kKeyboardRows; ++row) {
    const std::string key = "keyb_line" + std::to_string(row + 1) + "_rect";
    keyboard->AddRow(RectOf(section, key.c_str()), ui::KeyRow(row, vga));
  }
}

// The instructions page: its text items one below the other, as the screen lays them out (pictures and the
// version line are the screen's own and are left out here).
void Page(ui::MenuWindow& window, std::vector<std::unique_ptr<ui::Control>>& owned) {
  window.AddImage("instr_scroll_back", 0);
  const config::ConfigSection* page = Gui("instr_text_1");
  const ui::Rect scroll = RectOf(Gui("instr_wnd"), "scroll_rect");
  if (!page) return;
  std::vector<gfx::AlphaFont*> fonts;
  std::vector<std::uint32_t> colours;
  for (int i = 1; i <= page->GetInt("font_count", 0); ++i) {
    const std::string base = "font_" + std::to_string(i);
    fonts.push_back(KeepFont(page, base.c_str()));
    std::uint32_t c = 0;
    page->GetColor(base + "_color", c);
    colours.push_back(c);
  }
  int y = scroll.top;
  for (int i = 1; i <= page->GetInt("item_count", 0); ++i) {
    std::array<std::int32_t, 8> t{};
    std::u16string text;
    if (!page->GetEightInts(std::to_string(i) + "_type", t) || t[0] != 1 ||
        !page->GetString(std::to_string(i) + "_value", text))
      continue;
    if (text == u"@V") text = u"Version 1.1 (316)\\n(build date and time)";
    const int font = t[6] >= 1 && t[6] <= static_cast<int>(fonts.size()) ? t[6] - 1 : -1;
    const ui::Rect r{scroll.left + t[2], y + t[3], scroll.left + t[2] + t[4], y + t[3] + t[5]};
    if (r.bottom > scroll.bottom) break;  // below the visible part of the page
    auto* label = Own<ui::TextLabel>(owned);
    const std::uint32_t align = t[1] == 1 ? ui::kTextLeft : t[1] == 2 ? ui::kTextRight : ui::kTextCentered;
    label->CreateWithFont(0, r, &window, ui::kTransparent, font >= 0 ? fonts[font] : nullptr, text, align,
                          font >= 0 ? colours[font] : 0);
    label->zOrder = 10;
    y = r.bottom;
  }
  window.SortChildren();
}

// The box places itself over the root, centred.
void Box(const char* section, const std::string& text, std::uint32_t flags,
         std::vector<std::unique_ptr<ui::Control>>& owned) {
  auto* box = Own<ui::MessageBox>(owned);
  box->CreateFromSection(0x2000000, Wide(text), flags, 150, Gui(section));
}

// The game screen's top bar and the board that shows the next level's number, over a field cover. The bar
// and the board are the game's own controls; here they are composed from the same keys.
void GameScreen(ui::Control& root, std::vector<std::unique_ptr<ui::Control>>& owned) {
  auto* cover = Own<ui::AnimatedImage>(owned);
  const config::ConfigSection* top = Gui("game_menu_top");
  const ui::Rect bar = RectOf(top, "rect");
  cover->CreateFromIds(0, ui::Rect{0, bar.bottom, 0, 0}, &root, 0, 0x01010010, 0, 0);
  auto* back = Own<ui::AnimatedImage>(owned);
  back->CreateFromIds(0, bar, &root, 0, top ? top->GetNumber("back_img", 0) : 0, 0, 0);
  auto* menu = Own<ui::Button>(owned);
  menu->CreateFromSection(20003, nullptr, back, ui::kTransparent, Gui("game_menu_menu_btn"));
  std::uint32_t scoreColour = 0, livesColour = 0;
  top->GetColor("score_color", scoreColour);
  top->GetColor("lifes_color", livesColour);
  Label(owned, back, RectOf(top, "score_rect"), KeepFont(top, "score_font"), "12840", ui::kTextLeft, scoreColour);
  Label(owned, back, RectOf(top, "lifes_rect"), KeepFont(top, "lifes_font"), "x3", ui::kTextCentered, livesColour);

  const config::ConfigSection* next = Gui("next_level_wnd");
  if (!next) return;
  const ui::Rect at = RectOf(next, "rect");
  auto* board = Own<ui::AnimatedImage>(owned);
  board->CreateFromIds(0, ui::Rect{at.left, at.top, at.left, at.top}, &root, ui::kTransparent,
                       next->GetNumber("img", 0), 0, 0);
  config::Point centre{};
  next->GetPoint("text_center", centre);
  gfx::AlphaFont* font = KeepFont(next, "text_font");
  const int height = font ? font->GlyphHeight() : 0;
  std::uint32_t colour = 0;
  next->GetColor("text_color", colour);
  Label(owned, &root, ui::Rect{centre.x - 100, centre.y - height / 2, centre.x + 100, centre.y + height},
        font, "7", ui::kTextCentered, colour);
}

}  // namespace

const std::vector<std::string>& ScreenNames() {
  static const std::vector<std::string> names = {"intro", "main",    "options", "ingame", "continue", "hiscores",
                                                 "addhs", "instr",   "youlose", "youwin", "question", "error",
                                                 "game"};
  return names;
}

bool BuildScreen(const std::string& name, ui::Control& root, std::vector<std::unique_ptr<ui::Control>>& owned) {
  if (name == "intro") {
    auto* window = Own<ui::MenuWindow>(owned);
    window->Create(20012, root.rect, &root, ui::kHitTopmostFirst);
    window->LoadSection("intro_wnd");
    window->AddImage("intro_wnd", 0);
    return true;
  }
  if (name == "game") {
    GameScreen(root, owned);
    return true;
  }
  if (name == "question" || name == "error") {
    Menu(Menus().at(name == "question" ? "ingame" : "main"), root, owned);
    std::u16string text = u"This will end \\nyour current game!\\nAre you sure?";
    if (name == "error" && !Gui("message_box_error")->GetString("global_err_no_plugin", text)) return true;
    Box(name == "question" ? "message_box_qerry" : "message_box_error", std::string(text.begin(), text.end()),
        name == "question" ? 0x2030200 : 0x30000, owned);
    return true;
  }
  const auto menu = Menus().find(name);
  if (menu == Menus().end()) return false;
  ui::MenuWindow* window = Menu(menu->second, root, owned);
  if (name == "hiscores") ScoreRows(*window, owned);
  if (name == "addhs") NameEntry(*window, owned);
  if (name == "instr") Page(*window, owned);
  return true;
}

}  // namespace zelph::preview
