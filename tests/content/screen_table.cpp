#include "screen_table.h"

namespace zelph::content {
namespace {

constexpr Kind P = Kind::kPicture;
constexpr Kind S = Kind::kSound;

// A font is three keys from one base name: the strip, its alpha picture, the character set.
std::vector<Key> Font(const std::string& base) {
  return {{base, P}, {base + "_a", P}, {base + "_chars", Kind::kCharSet}};
}

std::vector<Key> Join(std::vector<std::vector<Key>> parts) {
  std::vector<Key> all;
  for (auto& part : parts) all.insert(all.end(), part.begin(), part.end());
  return all;
}

std::vector<Key> Timing() {
  return {{"ButtonsShowDelayTicks", Kind::kInt}, {"BetweenButtonsTicks", Kind::kInt}};
}

std::vector<Key> Image() { return {{"image_rect", Kind::kRect}, {"image", P}, {"image_a", P}}; }
// A picture that covers every pixel (a background, the title picture) has no alpha picture.
std::vector<Key> OpaqueImage() { return {{"image_rect", Kind::kRect}, {"image", P}}; }

// A button appears with its strip and is pressed in; a decoration only appears and rests.
std::vector<Key> Button(bool pressable = true) {
  std::vector<Key> keys = {{"rect", Kind::kRect}, {"app_ID", P},  {"app_AID", P},
                           {"rel_ID", P},         {"rel_AID", P}, {"animpar", Kind::kAnimation}};
  if (pressable) keys.insert(keys.end(), {{"pres_ID", P}, {"pres_AID", P}});
  return keys;
}
// A menu button clicks with the menu click sound; a press sound of its own would sound together with it.
std::vector<Key> MenuButton() { return Join({Button(), {{"press_sound", Kind::kAbsent}}}); }
// Buttons that no menu window adds (the close plaque, the message boxes', the game's menu plaque) bring
// their own sound.
std::vector<Key> SoundButton() { return Join({Button(), {{"press_sound", S}}}); }

// A menu screen: its timing section, the five pictures that frame it and its buttons.
void Screen(std::vector<Section>& out, const std::string& prefix, std::vector<Key> windowKeys,
            const std::vector<std::string>& buttons, const std::vector<std::string>& decorations = {}) {
  out.push_back({prefix + "_wnd", Join({Timing(), windowKeys})});
  out.push_back({prefix + "_back_img", OpaqueImage()});
  out.push_back({prefix + "_head_img", Image()});
  // The bottom plank is a strip the laser spark runs along.
  out.push_back({prefix + "_bott_img", Join({Image(), {{"image_speed", Kind::kInt}}})});
  for (const char* rope : {"_left_rope_img", "_right_rope_img"}) out.push_back({prefix + rope, Image()});
  for (const auto& name : buttons) out.push_back({name, MenuButton()});
  for (const auto& name : decorations) out.push_back({name, Button(false)});
}

}  // namespace

std::vector<Section> GuiSections() {
  std::vector<Section> s;
  s.push_back({"main_wnd", {{"back_img", P}}});
  s.push_back({"close_x_btn", SoundButton()});
  s.push_back({"start_up_wnd",
               {{"back_rect", Kind::kRect},
                {"back_img", P},
                {"progress_rect", Kind::kRect},
                {"percent_rect", Kind::kRect},
                {"percent_step", Kind::kInt},
                {"percent_img", P},
                {"progress_back", P}}});
  s.push_back({"intro_wnd",
               Join({Timing(), {{"ticksToClose", Kind::kInt}, {"image_speed", Kind::kInt}}, OpaqueImage()})});
  const auto box = Join({Image(),
                         {{"text_color", Kind::kColor},
                          {"text_rect", Kind::kRect},
                          {"ok_bnt", Kind::kSection},
                          {"show_sound", S}},
                         Font("text_font")});
  s.push_back({"message_box_qerry", Join({box, {{"cancel_bnt", Kind::kSection}}})});
  s.push_back({"message_box_error", Join({box, {{"global_err_no_plugin", Kind::kText}}})});
  s.push_back({"msg_ok_btn", SoundButton()});
  s.push_back({"msg_cancel_btn", SoundButton()});

  Screen(s, "m_main", {},
         {"m_main_newgame_btn", "m_main_options_btn", "m_main_highscor_btn", "m_main_instruct_btn",
          "m_main_exit_btn"});
  Screen(s, "options",
         {{"vol_back_img", P},
          {"sound_vol_img", P},
          {"music_vol_img", P},
          {"sound_vol_rect", Kind::kRect},
          {"music_vol_rect", Kind::kRect}},
         {"options_sound_btn", "options_music_btn", "options_back_btn"},
         {"options_sound_vol", "options_music_vol"});
  Screen(
      s, "m_in_game", {},
      {"m_in_game_playagain_btn", "m_in_game_options_btn", "m_in_game_mainmenu_btn", "m_in_game_back_btn"});
  Screen(s, "cont", {}, {"cont_cont_btn", "cont_mainmenu_btn", "cont_exit_btn"});
  Screen(s, "hs",
         Join({{{"name_rect", Kind::kRect},
                {"score_rect", Kind::kRect},
                {"name_color", Kind::kColor},
                {"score_color", Kind::kColor}},
               Font("name_font"),
               Font("score_font")}),
         {"hs_back_btn"}, {"hs_score1", "hs_score2", "hs_score3", "hs_score4", "hs_score5"});
  std::vector<Key> keyboard = {{"edit_rect", Kind::kRect},
                               {"keyboard_rect", Kind::kRect},
                               {"keyboard_img", P},
                               {"key_press_sound", S},
                               {"keyboard_is_vga", Kind::kBool}};
  for (const char* row :
       {"keyb_line1_rect", "keyb_line2_rect", "keyb_line3_rect", "keyb_line4_rect", "keyb_line5_rect"}) {
    keyboard.push_back({row, Kind::kRect});
  }
  Screen(s, "add_hs", Join({keyboard, Font("edit_font")}), {"add_hs_ok_btn"});
  s.push_back({"add_hs_under_btn", {{"rect", Kind::kRect}, {"rel_ID", P}, {"rel_AID", P}}});
  Screen(s, "instr", {{"scroll_rect", Kind::kRect}}, {"instr_back_btn"},
         {"instr_1_btn", "instr_2_btn", "instr_3_btn"});
  // The scroll plaques scroll while held, so they click by themselves and keep the menu click quiet.
  for (const char* name : {"instr_up_btn", "instr_down_btn"}) {
    s.push_back({name, Join({SoundButton(), {{"play_sound", Kind::kBool}}})});
  }
  s.push_back({"instr_scroll_back", Image()});
  s.push_back({"instr_text_1",
               {{"font_count", Kind::kInt}, {"item_count", Kind::kInt}},
               {{"font_count", Join({Font("font_%d"), {{"font_%d_color", Kind::kColor}}})},
                {"item_count", {{"%d_type", Kind::kPageItem}}}}});
  Screen(s, "youlose", {}, {"youlose_playagain_btn", "youlose_mainmenu_btn"});
  s.push_back({"youwin_wnd", Join({Timing(), {{"show_timer", Kind::kInt}}})});
  s.push_back({"youwin_back_img", Image()});
  s.push_back({"youwin_next_btn", MenuButton()});

  s.push_back({"game_menu_top", Join({{{"rect", Kind::kRect},
                                       {"back_img", P},
                                       {"score_rect", Kind::kRect},
                                       {"score_color", Kind::kColor},
                                       {"lifes_rect", Kind::kRect},
                                       {"lifes_color", Kind::kColor}},
                                      Font("score_font"),
                                      Font("lifes_font")})});
  s.push_back({"game_menu_menu_btn", SoundButton()});
  s.push_back(
      {"next_level_wnd",
       Join({{{"rect", Kind::kRect}, {"img", P}, {"text_center", Kind::kPoint}, {"text_color", Kind::kColor}},
             Font("text_font")})});
  return s;
}

std::vector<Section> SoundSections() {
  const auto sound = std::vector<Key>{{"soundRCID", S}, {"sound_vol", Kind::kVolume}};
  const auto music = std::vector<Key>{{"musicRCID", Kind::kMusic}, {"music_vol", Kind::kVolume}};
  return {{"menu_btn_sound", sound},
          {"you_lose_sound", sound},
          {"you_win_sound", sound},
          {"menu_music", music},
          {"game_music", music}};
}

Section PackDescription() {
  return {"main",
          {{"filter", Kind::kText}, {"type", Kind::kText}, {"count", Kind::kInt}},
          {{"count", {{"%d", Kind::kDocument}}}}};
}

}  // namespace zelph::content
