#include "screen_table.h"

namespace zelph::content {
namespace {

constexpr Kind P = Kind::kPicture;
constexpr Kind S = Kind::kSound;

// A font is three keys from one base name: the strip, its alpha picture, the character set.
std::vector<Key> Font(const std::string& base) { return {{base, P}, {base + "_a", P}, {base + "_chars"}}; }

std::vector<Key> Join(std::vector<std::vector<Key>> parts) {
  std::vector<Key> all;
  for (auto& part : parts) all.insert(all.end(), part.begin(), part.end());
  return all;
}

std::vector<Key> Image() { return {{"image_rect"}, {"image", P}, {"image_a", P}}; }
// A picture that covers every pixel (a background, the title picture) has no alpha picture.
std::vector<Key> OpaqueImage() { return {{"image_rect"}, {"image", P}}; }

// A menu button appears with its strip and is pressed in; a decoration only appears and rests.
std::vector<Key> Button(bool pressable = true) {
  std::vector<Key> keys = {{"rect"}, {"app_ID", P}, {"app_AID", P}, {"rel_ID", P}, {"rel_AID", P}, {"animpar"}};
  if (pressable) keys.insert(keys.end(), {{"pres_ID", P}, {"pres_AID", P}});
  return keys;
}
std::vector<Key> SoundButton() { return Join({Button(), {{"press_sound", S}}}); }

// A menu screen: its timing section, the five pictures that frame it and its buttons.
void Screen(std::vector<Section>& out, const std::string& prefix, std::vector<Key> windowKeys,
            const std::vector<std::string>& buttons, const std::vector<std::string>& decorations = {}) {
  out.push_back({prefix + "_wnd", Join({{{"ButtonsShowDelayTicks"}, {"BetweenButtonsTicks"}}, windowKeys})});
  for (const char* part : {"_back_img", "_head_img", "_bott_img", "_left_rope_img", "_right_rope_img"}) {
    out.push_back({prefix + part, std::string(part) == "_back_img" ? OpaqueImage() : Image()});
  }
  for (const auto& name : buttons) out.push_back({name, Button()});
  for (const auto& name : decorations) out.push_back({name, Button(false)});
}

}  // namespace

std::vector<Section> GuiSections() {
  std::vector<Section> s;
  s.push_back({"main_wnd", {{"back_img", P}}});
  s.push_back({"close_x_btn", SoundButton()});
  s.push_back({"start_up_wnd",
               {{"back_rect"}, {"back_img", P}, {"progress_rect"}, {"percent_rect"}, {"percent_step"},
                {"percent_img", P}, {"progress_back", P}}});
  s.push_back({"intro_wnd", Join({{{"ButtonsShowDelayTicks"}, {"BetweenButtonsTicks"}, {"ticksToClose"},
                                   {"image_speed"}},
                                  OpaqueImage()})});
  const auto box = Join({Image(), {{"text_color"}, {"text_rect"}, {"ok_bnt"}, {"show_sound", S}},
                         Font("text_font")});
  s.push_back({"message_box_qerry", Join({box, {{"cancel_bnt"}}})});
  s.push_back({"message_box_error", Join({box, {{"global_err_no_plugin"}}})});
  s.push_back({"msg_ok_btn", SoundButton()});
  s.push_back({"msg_cancel_btn", SoundButton()});

  Screen(s, "m_main", {},
         {"m_main_newgame_btn", "m_main_options_btn", "m_main_highscor_btn", "m_main_instruct_btn",
          "m_main_exit_btn"});
  Screen(s, "options",
         {{"vol_back_img", P}, {"sound_vol_img", P}, {"music_vol_img", P}, {"sound_vol_rect"}, {"music_vol_rect"}},
         {"options_sound_btn", "options_music_btn", "options_back_btn"}, {"options_sound_vol", "options_music_vol"});
  Screen(s, "m_in_game", {},
         {"m_in_game_playagain_btn", "m_in_game_options_btn", "m_in_game_mainmenu_btn", "m_in_game_back_btn"});
  Screen(s, "cont", {}, {"cont_cont_btn", "cont_mainmenu_btn", "cont_exit_btn"});
  Screen(s, "hs",
         Join({{{"name_rect"}, {"score_rect"}, {"name_color"}, {"score_color"}}, Font("name_font"),
               Font("score_font")}),
         {"hs_back_btn"}, {"hs_score1", "hs_score2", "hs_score3", "hs_score4", "hs_score5"});
  Screen(s, "add_hs",
         Join({{{"edit_rect"}, {"keyboard_rect"}, {"keyboard_img", P}, {"key_press_sound", S},
                {"keyboard_is_vga"}, {"keyb_line1_rect"}, {"keyb_line2_rect"}, {"keyb_line3_rect"},
                {"keyb_line4_rect"}, {"keyb_line5_rect"}},
               Font("edit_font")}),
         {"add_hs_ok_btn"});
  s.push_back({"add_hs_under_btn", {{"rect"}, {"rel_ID", P}, {"rel_AID", P}}});
  Screen(s, "instr", {{"scroll_rect"}}, {"instr_back_btn"});
  s.push_back({"instr_up_btn", SoundButton()});
  s.push_back({"instr_down_btn", SoundButton()});
  s.push_back({"instr_scroll_back", Image()});
  s.push_back({"instr_text_1", Join({{{"font_count"}, {"item_count"}, {"font_1_color"}}, Font("font_1"),
                                     Font("font_2"), Font("font_3")})});
  Screen(s, "youlose", {}, {"youlose_playagain_btn", "youlose_mainmenu_btn"});
  s.push_back({"youwin_wnd", {{"ButtonsShowDelayTicks"}, {"BetweenButtonsTicks"}, {"show_timer"}}});
  s.push_back({"youwin_back_img", Image()});
  s.push_back({"youwin_next_btn", Button()});

  s.push_back({"game_menu_top",
               Join({{{"rect"}, {"back_img", P}, {"score_rect"}, {"score_color"}, {"lifes_rect"}, {"lifes_color"}},
                     Font("score_font"), Font("lifes_font")})});
  s.push_back({"game_menu_menu_btn", SoundButton()});
  s.push_back({"next_level_wnd",
               Join({{{"rect"}, {"img", P}, {"text_center"}, {"text_color"}}, Font("text_font")})});
  return s;
}

std::vector<Section> SoundSections() {
  const auto sound = std::vector<Key>{{"soundRCID", S}, {"sound_vol"}};
  const auto music = std::vector<Key>{{"musicRCID", Kind::kMusic}, {"music_vol"}};
  return {{"menu_btn_sound", sound}, {"you_lose_sound", sound}, {"you_win_sound", sound},
          {"menu_music", music},     {"game_music", music}};
}

}  // namespace zelph::content
