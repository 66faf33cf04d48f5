#include "screens.h"

#include <array>
#include <cstdlib>
#include <map>

#include "config/resources.h"
#include "config/user_settings.h"
#include "gfx/blit.h"
#include "level_view.h"
#include "platform/hss_speaker.h"
#include "game/high_score_table.h"
#include "screens/high_score_screens.h"
#include "screens/info_screens.h"
#include "screens/game_screen.h"
#include "screens/menu_screens.h"
#include "screens/next_level_window.h"
#include "screens/progress_window.h"
#include "screens/result_screens.h"
#include "screens/screen_commands.h"
#include "sound/sound_globals.h"
#include "ui/control_tree.h"
#include "ui/animated_image.h"
#include "ui/button.h"
#include "ui/fonts.h"
#include "ui/menu_window.h"
#include "ui/message_box.h"
#include "ui/pictures.h"
#include "ui/scroll_view.h"
#include "ui/text_label.h"

namespace zelph::preview {
namespace {

// The menu-like screens by their names on the command line.
const std::map<std::string, std::uint32_t>& ScreenIds() {
  static const std::map<std::string, std::uint32_t> ids = {
      {"main", screens::kMainMenuId},        {"options", screens::kOptionsId},   {"ingame", screens::kInGameMenuId},
      {"continue", screens::kContinueMenuId}, {"hiscores", screens::kHighScoresId}, {"addhs", screens::kAddHighScoreId},
      {"youlose", screens::kYouLoseId}};
  return ids;
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

// The screen with that id, built by the game's own class; the options bars show the volumes a fresh home
// starts with, through a speaker that plays nothing.
ui::MenuWindow* Menu(std::uint32_t screenId, ui::Control& root, std::vector<std::unique_ptr<ui::Control>>& owned) {
  ui::MenuWindow* window = nullptr;
  if (screenId == screens::kOptionsId) {
    static platform::hssSpeaker silent;
    const auto [sound, music] = config::ReadVolumes();
    silent.volumeSounds(static_cast<int>(sound));
    silent.volumeMusics(static_cast<int>(music));
    sound::PublishSpeaker(&silent);
    window = Own<screens::OptionsWindow>(owned);
  } else if (screenId == screens::kInGameMenuId) {
    window = Own<screens::InGameMenuWindow>(owned);
  } else if (screenId == screens::kYouWinId) {
    window = Own<screens::YouWinWindow>(owned);
  } else if (screenId == screens::kYouLoseId) {
    window = Own<screens::YouLoseWindow>(owned);
  } else if (screenId == screens::kHighScoresId) {
    // A full table, so that every row shows once its plaque has swung in.
    static game::HighScoreTable table;
    if (table.Entries().empty()) {
      const char16_t* names[] = {u"ORV", u"MAPLE", u"ASH", u"BIRCH", u"ELM"};
      const int scores[] = {12840, 9650, 7210, 4105, 980};
      for (int i = 0; i < 5; ++i) table.Insert(names[i], scores[i]);
    }
    owned.push_back(std::make_unique<screens::HighScoresWindow>(&table));
    window = static_cast<ui::MenuWindow*>(owned.back().get());
  } else if (screenId == screens::kAddHighScoreId) {
    auto* entry = Own<screens::AddHighScoreWindow>(owned);
    entry->Create(screenId, root.rect, &root, screens::kScreenFlags);
    if (entry->field) entry->field->SetText(u"ORV");
    return entry;
  } else {
    owned.push_back(std::make_unique<screens::PlainMenuWindow>(screenId));
    window = static_cast<ui::MenuWindow*>(owned.back().get());
  }
  window->Create(screenId, root.rect, &root, screens::kScreenFlags);
  return window;
}

// The box places itself over the root, centred.
void Box(const char* section, const std::string& text, std::uint32_t flags,
         std::vector<std::unique_ptr<ui::Control>>& owned) {
  auto* box = Own<ui::MessageBox>(owned);
  box->CreateFromSection(0x2000000, Wide(text), flags, 150, Gui(section));
}

// Darkens everything drawn before it to half: the you-win screen darkens the frame under it once, when it
// opens, which in the preview is before the field is drawn.
class Dimmer : public ui::Control {
 public:
  Result Draw(gfx::Surface& target, int, int, const ui::Rect&) override {
    const std::uint32_t half = 128;
    return gfx::FillRect(target, nullptr, 0, gfx::kDrawOpacity, &half);
  }
};

// What the game shows while the next level loads, drawn by the game's own board over whatever was drawn
// before it.
class LevelBoardPreview : public ui::Control {
 public:
  explicit LevelBoardPreview(int level) : level_(level) {}
  Result Draw(gfx::Surface& target, int, int, const ui::Rect&) override {
    if (board_.Load(&target) == S_OK) board_.ShowLevelNumber(level_, 0);
    return S_OK;
  }

 private:
  screens::NextLevelWindow board_;
  int level_;
};

// The game screen: the field's wooden cover (or, once won, the picture it hid) under the game's own top
// bar, showing a score and lives of a game in progress.
void GameScreen(ui::Control& root, std::vector<std::unique_ptr<ui::Control>>& owned, bool won) {
  static game::GameWorld world;
  world.score = 12840;
  world.lives = 3;
  const config::ConfigSection* top = Gui("game_menu_top");
  const ui::Rect bar = RectOf(top, "rect");
  auto* field = Own<ui::AnimatedImage>(owned);
  if (won)
    field->CreateFromIds(0, ui::Rect{0, 0, 0, 0}, &root, 0, kWonFieldPicture, 0, 0);
  else
    field->CreateFromIds(0, ui::Rect{0, bar.bottom, 0, 0}, &root, 0, kFieldCoverPicture, 0, 0);
  owned.push_back(std::make_unique<screens::TopBar>(world));
  auto* topBar = static_cast<screens::TopBar*>(owned.back().get());
  if (topBar->CreateBar(screens::kTopBarId, nullptr, &root, 0) == S_OK) topBar->Tick(0);
}

// The you-win screen darkens the won field once and shows its sign and button over it.
void YouWin(ui::Control& root, std::vector<std::unique_ptr<ui::Control>>& owned) {
  GameScreen(root, owned, true);
  Own<Dimmer>(owned)->Create(0, root.rect, &root, 0);
  Menu(screens::kYouWinId, root, owned);
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
    // Part way through loading: four steps of seven.
    auto* window = Own<screens::ProgressWindow>(owned);
    window->target = ui::BackSurface();
    window->waitForChange = false;
    if (window->Create(0, root.rect, &root, 0, Gui("start_up_wnd")) < 0) return true;
    window->SetRange(std::nullopt, 0, 0, 7, 1);
    for (int i = 0; i < 4; ++i) window->Step();
    return true;
  }
  if (name == "intro") {
    Own<screens::IntroWindow>(owned)->Create(screens::kIntroId, root.rect, &root, screens::kScreenFlags);
    return true;
  }
  if (name == "game") {
    GameScreen(root, owned, false);
    owned.push_back(std::make_unique<LevelBoardPreview>(7));
    ui::Control* board = owned.back().get();
    board->Create(0, root.rect, &root, 0);
    board->zOrder = 100;
    root.SortChildren();
    return true;
  }
  if (name.rfind("level-", 0) == 0) {
    // The top bar over the level as it starts.
    GameScreen(root, owned, false);
    auto* view = Own<LevelView>(owned);
    view->Create(0, root.rect, &root, 0);
    view->zOrder = 100;
    root.SortChildren();
    const int number = std::atoi(name.c_str() + 6);
    return number >= 1 && view->Load(number);
  }
  if (name == "youwin") {
    YouWin(root, owned);
    return true;
  }
  if (name == "question" || name == "error") {
    Menu(name == "question" ? screens::kInGameMenuId : screens::kMainMenuId, root, owned);
    std::u16string text = screens::kQueryText;
    if (name == "error" && !Gui("message_box_error")->GetString("global_err_no_plugin", text)) return true;
    Box(name == "question" ? "message_box_qerry" : "message_box_error", std::string(text.begin(), text.end()),
        name == "question" ? 0x2030200 : 0x30000, owned);
    return true;
  }
  if (name == "instr") {
    auto* window = Own<screens::InstructionsWindow>(owned);
    window->Create(screens::kInstructionsId, root.rect, &root, screens::kScreenFlags);
    if (options.scroll > 0) window->page.ScrollTo(0, options.scroll);
    return true;
  }
  const auto screen = ScreenIds().find(name);
  if (screen == ScreenIds().end()) return false;
  Menu(screen->second, root, owned);
  return true;
}

}  // namespace zelph::preview
