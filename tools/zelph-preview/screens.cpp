#include "screens.h"

#include <array>
#include <map>

#include "config/resources.h"
#include "config/user_settings.h"
#include "gfx/blit.h"
#include "ui/animated_image.h"
#include "ui/button.h"
#include "ui/edit_field.h"
#include "ui/fonts.h"
#include "ui/keyboard_tables.h"
#include "ui/menu_window.h"
#include "ui/message_box.h"
#include "ui/on_screen_keyboard.h"
#include "ui/pictures.h"
#include "ui/scroll_view.h"
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

// The game pack holds the field pictures; until it does, the game screen shows the GUI pack's field cover,
// and a won field shows the landscape.
constexpr std::uint32_t kFieldCoverPicture = 0x01010010;
constexpr std::uint32_t kWonFieldPicture = 0x01010001;

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

// The options menu draws its two volume bars over its children, inside the volume plaques once they have
// appeared, filled as far as the volumes a fresh home starts with.
class OptionsPreview : public ui::MenuWindow {
 public:
  void LoadBars() {
    const config::ConfigSection* wnd = Gui("options_wnd");
    if (!wnd) return;
    const auto [sound, music] = config::ReadVolumes();
    bars_[0].volume = static_cast<int>(sound);
    bars_[1].volume = static_cast<int>(music);
    bars_[0].button = 1;  // "options_sound_vol", the second button
    bars_[1].button = 3;  // "options_music_vol"
    const char* rectKeys[] = {"sound_vol_rect", "music_vol_rect"};
    const char* imageKeys[] = {"sound_vol_img", "music_vol_img"};
    for (int i = 0; i < 2; ++i) {
      bars_[i].rect = ui::ReadRect(*wnd, rectKeys[i]);
      const std::uint32_t id = wnd->GetNumber(imageKeys[i], 0);
      if (ui::LoadPicture(bars_[i].image, ui::PackFor(id), id) == S_OK) {
        std::int32_t w = 0, h = 0;
        bars_[i].image.FrameSize(-1, &w, &h);
        bars_[i].rect.right = bars_[i].rect.left + w;
        bars_[i].rect.bottom = bars_[i].rect.top + h;
      }
    }
    const std::uint32_t back = wnd->GetNumber("vol_back_img", 0);
    ui::LoadPicture(back_, ui::PackFor(back), back);
  }

  Result DrawOver(gfx::Surface& target, int originX, int originY, const ui::Rect& clip) override {
    for (Bar& bar : bars_) {
      ui::Button* button = FindButton(static_cast<std::uint32_t>(bar.button));
      if (!button || button->State() != ui::kStateReleased) continue;
      const int x = originX + rect.left + bar.rect.left, y = originY + rect.top + bar.rect.top;
      if (back_.FrameCount() > 0) back_.DrawFrame(target, -1, x, y, nullptr, gfx::kBltColorKey);
      if (bar.image.FrameCount() == 0) continue;
      const gfx::Rect part{0, 0, (bar.rect.right - bar.rect.left) * bar.volume / 64, bar.rect.bottom - bar.rect.top};
      if (part.right > 0) bar.image.DrawFrame(target, -1, x, y, &part, gfx::kBltColorKey);
    }
    return MenuWindow::DrawOver(target, originX, originY, clip);
  }

 private:
  struct Bar {
    ui::Rect rect;
    gfx::Sprite image;
    int volume = 0;
    int button = 0;
  };
  Bar bars_[2];
  gfx::Sprite back_;
};

ui::MenuWindow* Menu(const MenuSpec& layout, ui::Control& root, std::vector<std::unique_ptr<ui::Control>>& owned) {
  const bool options = layout.prefix == "options";
  auto* window = options ? Own<OptionsPreview>(owned) : Own<ui::MenuWindow>(owned);
  window->Create(20014, root.rect, &root, ui::kHitTopmostFirst | (options ? ui::kCallDrawOver : 0));
  window->LoadSection(layout.prefix + "_wnd");
  for (const char* part : {"_back_img", "_head_img", "_bott_img", "_left_rope_img", "_right_rope_img"})
    window->AddImage(layout.prefix + part, 0);
  for (const auto& button : layout.buttons) window->AddButton(button, 0, true, true);
  if (layout.closeButton) window->AddCloseButton();
  if (options) static_cast<OptionsPreview*>(window)->LoadBars();
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

// The version line the instructions screen shows in place of "@V": the line break stays as the two
// characters backslash and n, which the label breaks at.
std::u16string VersionText() { return u"Version 1.1 (316)\\nMay  4 2006 11:29:28"; }

// The instructions page built as the screen builds it: a scroll view at "scroll_rect" holding the text and
// picture items of "instr_text_1", each placed below the bottom of the one before (its gap may be negative,
// to set a text beside the picture above it). The view clips what lies below its visible part.
void Page(ui::MenuWindow& window, std::vector<std::unique_ptr<ui::Control>>& owned, int scroll) {
  window.AddImage("instr_scroll_back", 0);
  const config::ConfigSection* page = Gui("instr_text_1");
  auto* view = Own<ui::ScrollView>(owned);
  view->Create(20245, RectOf(Gui("instr_wnd"), "scroll_rect"), &window, ui::kTransparent, 0);
  view->zOrder = 10;
  window.SortChildren();
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
  constexpr std::uint32_t kFirstItemId = 65635;
  int y = 0;
  for (int i = 1; i <= page->GetInt("item_count", 0); ++i) {
    const std::string key = std::to_string(i);
    std::array<std::int32_t, 8> t{};
    if (!page->GetEightInts(key + "_type", t)) continue;
    const std::uint32_t id = kFirstItemId + view->nextItemId;
    if (t[0] == 1) {
      std::u16string text;
      if (!page->GetString(key + "_value", text)) continue;
      if (text == u"@V") text = VersionText();
      const int font = t[6] >= 1 && t[6] <= static_cast<int>(fonts.size()) ? t[6] - 1 : -1;
      const std::uint32_t align = t[1] == 1 ? ui::kTextLeft : t[1] == 2 ? ui::kTextRight : ui::kTextCentered;
      auto label = std::make_unique<ui::TextLabel>();
      label->CreateWithFont(id, ui::Rect{t[2], y + t[3], t[2] + t[4], y + t[3] + t[5]}, nullptr,
                            ui::kTransparent, font >= 0 ? fonts[font] : nullptr, text, align,
                            font >= 0 ? colours[font] : 0);
      y = view->AddItem(std::move(label), 0)->rect.bottom;
    } else if (t[0] == 2) {
      const std::uint32_t picture = page->GetNumber(key + "_value", 0);
      if (picture == 0) continue;
      auto image = std::make_unique<ui::AnimatedImage>();
      image->CreateFromIds(id, ui::Rect{t[1], y + t[2], t[1], y + t[2]}, nullptr, ui::kTransparent, picture,
                           page->GetNumber(key + "_value_a", 0), 10);
      image->SetAnimation(true, t[4], t[3], false);
      y = view->AddItem(std::move(image), 0)->rect.bottom;
    } else {
      continue;
    }
    ++view->nextItemId;
  }
  view->UpdateExtent();
  if (scroll > 0) view->ScrollTo(0, scroll);
}

// The box places itself over the root, centred.
void Box(const char* section, const std::string& text, std::uint32_t flags,
         std::vector<std::unique_ptr<ui::Control>>& owned) {
  auto* box = Own<ui::MessageBox>(owned);
  box->CreateFromSection(0x2000000, Wide(text), flags, 150, Gui(section));
}

// The start-up window part way through loading (four steps of seven): its background, the slot under the
// bar, and as much of the bar picture as the progress reaches.
class StartUpPreview : public ui::Control {
 public:
  void Load() {
    const config::ConfigSection* section = Gui("start_up_wnd");
    if (!section) return;
    hasBack_ = section->GetRaw("back_rect") != nullptr;
    back_at_ = RectOf(section, "back_rect");
    progress_ = RectOf(section, "progress_rect");
    percent_ = RectOf(section, "percent_rect");
    step_ = section->GetInt("percent_step", 0);
    for (auto [sprite, key] : {std::pair{&back_, "back_img"}, {&slot_, "progress_back"}, {&bar_, "percent_img"}}) {
      const std::uint32_t id = section->GetNumber(key, 0);
      ui::LoadPicture(*sprite, ui::PackFor(id), id);
    }
  }

  Result Draw(gfx::Surface& target, int, int, const ui::Rect&) override {
    if (hasBack_ && back_.FrameCount() > 0) back_.DrawFrame(target, -1, back_at_.left, back_at_.top);
    if (bar_.FrameCount() == 0) return S_OK;
    if (slot_.FrameCount() > 0) slot_.DrawFrame(target, -1, progress_.left, progress_.top, nullptr, gfx::kBltColorKey);
    int visible = (percent_.right - percent_.left) * kValue / kMaximum;
    if (step_ > 0) visible -= visible % step_;
    const gfx::Rect part{0, 0, visible, percent_.bottom - percent_.top};
    if (visible > 0)
      bar_.DrawFrame(target, -1, progress_.left + percent_.left, progress_.top + percent_.top, &part,
                     gfx::kBltColorKey);
    return S_OK;
  }

 private:
  static constexpr int kValue = 4, kMaximum = 7;
  bool hasBack_ = false;
  ui::Rect back_at_, progress_, percent_;
  int step_ = 0;
  gfx::Sprite back_, slot_, bar_;
};

// Darkens everything drawn before it to half, as the game does under the level board and the you-win sign.
class Dimmer : public ui::Control {
 public:
  Result Draw(gfx::Surface& target, int, int, const ui::Rect&) override {
    const std::uint32_t half = 128;
    return gfx::FillRect(target, nullptr, 0, gfx::kDrawOpacity, &half);
  }
};

// What the game shows while the next level loads: the last frame darkened, the level board blitted as it
// is (so it is a whole rectangle), and the level's number centred at "text_center".
class LevelBoardPreview : public Dimmer {
 public:
  bool Load(int level) {
    const config::ConfigSection* next = Gui("next_level_wnd");
    if (!next) return false;
    const ui::Rect at = RectOf(next, "rect");
    originX_ = at.left;
    originY_ = at.top;
    const std::uint32_t id = next->GetNumber("img", 0);
    ui::LoadPicture(board_, ui::PackFor(id), id);
    next->GetPoint("text_center", centre_);
    next->GetColor("text_color", colour_);
    font_ = KeepFont(next, "text_font");
    text_ = Wide(std::to_string(level));
    return true;
  }

  Result Draw(gfx::Surface& target, int originX, int originY, const ui::Rect& clip) override {
    Dimmer::Draw(target, originX, originY, clip);
    if (board_.FrameCount() > 0) board_.DrawFrame(target, -1, originX_, originY_);
    gfx::BltFx fx;
    fx.fillColor = colour_;
    gfx::DrawText(target, centre_.x, centre_.y, text_, font_, gfx::kAlignCenter,
                  colour_ ? gfx::kBltFillColor : gfx::kBltPlain, &fx);
    return S_OK;
  }

 private:
  gfx::Sprite board_;
  int originX_ = 0, originY_ = 0;
  config::Point centre_{};
  std::uint32_t colour_ = 0;
  gfx::AlphaFont* font_ = nullptr;
  std::u16string text_;
};

// The game screen: the field's wooden cover (or, once won, the picture it hid) under the top bar with the
// menu plaque, the score and the lives. The bar is the game's own control; here it is composed from the
// same keys.
void GameScreen(ui::Control& root, std::vector<std::unique_ptr<ui::Control>>& owned, bool won) {
  const config::ConfigSection* top = Gui("game_menu_top");
  const ui::Rect bar = RectOf(top, "rect");
  auto* field = Own<ui::AnimatedImage>(owned);
  if (won)
    field->CreateFromIds(0, ui::Rect{0, 0, 0, 0}, &root, 0, kWonFieldPicture, 0, 0);
  else
    field->CreateFromIds(0, ui::Rect{0, bar.bottom, 0, 0}, &root, 0, kFieldCoverPicture, 0, 0);
  auto* back = Own<ui::AnimatedImage>(owned);
  back->CreateFromIds(0, bar, &root, 0, top ? top->GetNumber("back_img", 0) : 0, 0, 0);
  auto* menu = Own<ui::Button>(owned);
  menu->CreateFromSection(20003, nullptr, back, ui::kTransparent, Gui("game_menu_menu_btn"));
  std::uint32_t scoreColour = 0, livesColour = 0;
  top->GetColor("score_color", scoreColour);
  top->GetColor("lifes_color", livesColour);
  Label(owned, back, RectOf(top, "score_rect"), KeepFont(top, "score_font"), "12840", ui::kTextLeft, scoreColour);
  Label(owned, back, RectOf(top, "lifes_rect"), KeepFont(top, "lifes_font"), "x3", ui::kTextCentered, livesColour);
}

// The you-win screen darkens the won field once and shows its sign and button over it.
void YouWin(ui::Control& root, std::vector<std::unique_ptr<ui::Control>>& owned) {
  GameScreen(root, owned, true);
  Own<Dimmer>(owned)->Create(0, root.rect, &root, 0);
  Menu(Menus().at("youwin"), root, owned);
}

}  // namespace

const std::vector<std::string>& ScreenNames() {
  static const std::vector<std::string> names = {"startup", "intro",  "main",    "options", "ingame",
                                                 "continue", "hiscores", "addhs", "instr", "youlose",
                                                 "youwin",  "question", "error", "game"};
  return names;
}

bool BuildScreen(const std::string& name, ui::Control& root, std::vector<std::unique_ptr<ui::Control>>& owned,
                 const ScreenOptions& options) {
  if (name == "startup") {
    auto* window = Own<StartUpPreview>(owned);
    window->Create(0, root.rect, &root, 0);
    window->Load();
    return true;
  }
  if (name == "intro") {
    auto* window = Own<ui::MenuWindow>(owned);
    window->Create(20012, root.rect, &root, ui::kHitTopmostFirst);
    window->LoadSection("intro_wnd");
    window->AddImage("intro_wnd", 0);
    return true;
  }
  if (name == "game") {
    GameScreen(root, owned, false);
    auto* board = Own<LevelBoardPreview>(owned);
    board->Create(0, root.rect, &root, 0);
    board->zOrder = 100;
    root.SortChildren();
    board->Load(7);
    return true;
  }
  if (name == "youwin") {
    YouWin(root, owned);
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
  if (name == "instr") Page(*window, owned, options.scroll);
  return true;
}

}  // namespace zelph::preview
