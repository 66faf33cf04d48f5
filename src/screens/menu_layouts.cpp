#include "screens/menu_layouts.h"

#include "screens/screen_commands.h"

namespace zelph::screens {

namespace {

const std::vector<MenuLayout>& Layouts() {
  static const std::vector<MenuLayout> layouts = {
      {kMainMenuId, "m_main_wnd", "m_main",
       {{"m_main_newgame_btn", kCmdNewGame},
        {"m_main_options_btn", kCmdOptions},
        {"m_main_highscor_btn", kCmdHighScores},
        {"m_main_instruct_btn", kCmdInstructions},
        {"m_main_exit_btn", kCmdExit}}},
      {kOptionsId, "options_wnd", "options",
       {{"options_sound_btn", kCmdSoundButton},
        {"options_sound_vol", kCmdSoundButton, true},
        {"options_music_btn", kCmdMusicButton},
        {"options_music_vol", kCmdMusicButton, true},
        {"options_back_btn", kCmdOptionsBack}},
       true, true, kCmdOptionsBack},
      {kInGameMenuId, "m_in_game_wnd", "m_in_game",
       {{"m_in_game_playagain_btn", kCmdInGamePlayAgain},
        {"m_in_game_options_btn", kCmdInGameOptions},
        {"m_in_game_mainmenu_btn", kCmdInGameMainMenu},
        {"m_in_game_back_btn", kCmdInGameBack}},
       true, true, kCmdInGameBack},
      {kContinueMenuId, "cont_wnd", "cont",
       {{"cont_cont_btn", kCmdContinue}, {"cont_mainmenu_btn", kCmdContinueMainMenu}, {"cont_exit_btn", kCmdContinueExit}}},
      {kHighScoresId, "hs_wnd", "hs",
       {{"hs_score1", kCmdScoreRow, true},
        {"hs_score2", kCmdScoreRow, true},
        {"hs_score3", kCmdScoreRow, true},
        {"hs_score4", kCmdScoreRow, true},
        {"hs_score5", kCmdScoreRow, true},
        {"hs_back_btn", kCmdBackToMainMenu}},
       true, true, kCmdBackToMainMenu},
      {kAddHighScoreId, "add_hs_wnd", "add_hs",
       {{"add_hs_under_btn", kCmdAddHighScoreUnder, true}, {"add_hs_ok_btn", kCmdAddHighScoreOk}}},
      {kInstructionsId, "instr_wnd", "instr",
       {{"instr_up_btn", kCmdScrollUp},
        {"instr_1_btn", kCmdPageDecoration, true},
        {"instr_2_btn", kCmdPageDecoration, true},
        {"instr_3_btn", kCmdPageDecoration, true},
        {"instr_down_btn", kCmdScrollDown},
        {"instr_back_btn", kCmdBackToMainMenu}},
       true, true, kCmdBackToMainMenu},
      {kYouLoseId, "youlose_wnd", "youlose",
       {{"youlose_playagain_btn", kCmdLosePlayAgain}, {"youlose_mainmenu_btn", kCmdLoseMainMenu}}},
      {kYouWinId, "youwin_wnd", "youwin", {{"youwin_next_btn", kCmdWinNext}}, false, false},
  };
  return layouts;
}

}  // namespace

const MenuLayout* LayoutFor(std::uint32_t screenId) {
  for (const MenuLayout& layout : Layouts()) {
    if (layout.id == screenId) return &layout;
  }
  return nullptr;
}

std::vector<std::string> ImageSections(const MenuLayout& layout) {
  const std::string prefix = layout.imagePrefix;
  if (!layout.allImages) return {prefix + "_back_img"};
  return {prefix + "_back_img", prefix + "_head_img", prefix + "_bott_img", prefix + "_left_rope_img",
          prefix + "_right_rope_img"};
}

Result BuildMenu(ui::MenuWindow& window, const MenuLayout& layout, std::uint32_t id, const ui::Rect& rect,
                 ui::Control* parent, std::uint32_t flags, std::vector<ui::Button*>* made) {
  // The base creation: the callers are the screens' own Create overrides.
  const Result created = window.ui::Control::Create(id, rect, parent, flags);
  if (created < 0) return created;
  window.LoadSection(layout.windowSection);
  window.backCommand = layout.backCommand;
  for (const std::string& image : ImageSections(layout)) window.AddImage(image, 0);
  for (const ButtonRow& row : layout.buttons) {
    ui::Button* button = window.AddButton(row.section, row.command, true, true);
    if (button && row.decoration) button->inputEnabled = false;
    if (made) made->push_back(button);
  }
  if (layout.closeButton) window.AddCloseButton();
  return created;
}

}  // namespace zelph::screens
