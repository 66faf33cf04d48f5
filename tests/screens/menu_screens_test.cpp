// The menus as a player meets them: which command each button sends, the options bars (where a tap sets the
// volume, when the menu music starts again, when the bars show), and the in-game menu's question.
#include "screens/menu_screens.h"

#include <gtest/gtest.h>

#include "screens/screen_commands.h"
#include "screens/screen_rig.h"
#include "ui/message_box.h"

namespace zelph::screens::test {
namespace {

constexpr ui::Rect kScreen{0, 0, ui::test::kScreenW, ui::test::kScreenH};

class MenuScreensTest : public ScreenRig {
 protected:
  void SetUp() override {
    ScreenRig::SetUp();
    Build(Window("m_main_wnd") + "[m_main_back_img]\nimage=0x300\n" +
          Buttons({"m_main_newgame_btn", "m_main_options_btn", "m_main_highscor_btn", "m_main_instruct_btn",
                   "m_main_exit_btn"}) +
          Window("cont_wnd") + Buttons({"cont_cont_btn", "cont_mainmenu_btn", "cont_exit_btn"}) +
          Window("options_wnd",
                 "sound_vol_rect=100 300 10 10\nmusic_vol_rect=100 350 10 10\nsound_vol_img=0x304\n"
                 "music_vol_img=0x304\nvol_back_img=0x305\n") +
          Buttons({"options_sound_btn"}) + ButtonSection("options_sound_vol", 100, 300) +
          ButtonSection("options_music_btn", 20, 100) + ButtonSection("options_music_vol", 100, 350) +
          ButtonSection("options_back_btn", 20, 150) + Window("m_in_game_wnd") +
          Buttons({"m_in_game_playagain_btn", "m_in_game_options_btn", "m_in_game_mainmenu_btn",
                   "m_in_game_back_btn"}) +
          QuestionBox() + "[close_x_btn]\nrect=600 10 0 0\nrel_ID=0x302\n");
  }

  template <typename W>
  void Open(W& window, std::uint32_t id) {
    ASSERT_EQ(window.Create(id, kScreen, root.get(), kScreenFlags), S_OK);
    Frame(20);  // every button has appeared
  }

  // Taps the button at (30, 30 + 30 * row) and lets its pressed animation end.
  void TapRow(int row) {
    Tap(30, 30 + 30 * row);
    Frame(3);
  }

  std::vector<std::uint32_t> Commands() const {
    std::vector<std::uint32_t> codes;
    for (const ui::test::Notice& n : root->notices) {
      if (n.code >= 20001) codes.push_back(n.code);
    }
    return codes;
  }

  gfx::Color Shown(gfx::Color c) const { return gfx::PixelToColor(gfx::ColorToPixel(c)); }
};

TEST_F(MenuScreensTest, MainAndContinueMenuButtonsSendTheirCommands) {
  for (int row = 0; row < 5; ++row) {
    PlainMenuWindow menu(kMainMenuId);
    Open(menu, kMainMenuId);
    TapRow(row);
  }
  EXPECT_EQ(Commands(), (std::vector<std::uint32_t>{20015, 20017, 20018, 20019, 20016}));
  root->notices.clear();
  for (int row = 0; row < 3; ++row) {
    PlainMenuWindow menu(kContinueMenuId);
    Open(menu, kContinueMenuId);
    TapRow(row);
  }
  EXPECT_EQ(Commands(), (std::vector<std::uint32_t>{20031, 20032, 20033}));

  PlainMenuWindow unknown(12345);
  EXPECT_EQ(unknown.Create(12345, kScreen, root.get(), kScreenFlags), gfx::GFX_E_GENERIC);
}

TEST_F(MenuScreensTest, BarTapsAtTheLeftEdgeMiddleAndRightEdgeGive0_32And64) {
  OptionsWindow options;
  Open(options, kOptionsId);
  EXPECT_EQ(options.soundRect, (ui::Rect{100, 300, 200, 320})) << "the bar picture gives the size";
  const std::pair<int, int> taps[] = {{100, 0}, {150, 32}, {200, 64}, {175, 48}};
  for (auto [x, volume] : taps) {
    Tap(x, 310);
    EXPECT_EQ(speaker->volumeSounds(), volume) << x;
    Tap(x, 360);
    EXPECT_EQ(speaker->volumeMusics(), volume) << x;
  }
  Tap(201, 310);  // just beside the bar: the window takes it, nothing changes
  EXPECT_EQ(speaker->volumeSounds(), 48);
  EXPECT_TRUE(Commands().empty()) << "the volume plaques are decorations";
}

TEST_F(MenuScreensTest, MusicStartsAgainWhenDraggedPast4AndIsNotStoppedBelow5) {
  OptionsWindow options;
  int starts = 0;
  options.startMenuMusic = [&] { ++starts; };
  Open(options, kOptionsId);
  Down(100, 360);
  EXPECT_EQ(speaker->volumeMusics(), 0);
  Move(107, 470);  // 4.48: still silent; the height plays no part while dragging
  EXPECT_EQ(speaker->volumeMusics(), 4);
  EXPECT_EQ(starts, 0);
  Move(108, 0);
  EXPECT_EQ(speaker->volumeMusics(), 5);
  EXPECT_EQ(starts, 1);
  Move(400, 360);  // clamped to the right edge
  EXPECT_EQ(speaker->volumeMusics(), 64);
  Move(50, 360);
  EXPECT_EQ(speaker->volumeMusics(), 0);
  EXPECT_EQ(starts, 2);
  Up(50, 360);
  Move(200, 360);  // no longer dragging
  EXPECT_EQ(speaker->volumeMusics(), 0);
  EXPECT_EQ(speaker->volumeSounds(), 64) << "the sound bar was never touched";
}

TEST_F(MenuScreensTest, BarsShowOnlyOnceTheirPlaquesHaveAppearedFilledToTheVolume) {
  speaker->volumeSounds(32);
  speaker->volumeMusics(0);
  OptionsWindow options;
  ASSERT_EQ(options.Create(kOptionsId, kScreen, root.get(), kScreenFlags), S_OK);
  Draw();
  EXPECT_NE(PixelAt(110, 310), Shown(kBarColour));
  EXPECT_NE(PixelAt(160, 310), Shown(kBarBackColour));
  Frame(20);
  Draw();
  EXPECT_EQ(PixelAt(110, 310), Shown(kBarColour));
  EXPECT_EQ(PixelAt(149, 310), Shown(kBarColour));
  EXPECT_EQ(PixelAt(150, 310), Shown(kBarBackColour));
  EXPECT_EQ(PixelAt(101, 360), Shown(kBarBackColour)) << "music at 0 shows only the back";

  sound::PublishSpeaker(nullptr);  // without a speaker: no bars, and taps set nothing
  Draw();
  EXPECT_NE(PixelAt(110, 310), Shown(kBarColour));
  Tap(200, 310);
  EXPECT_EQ(speaker->volumeSounds(), 32);
}

TEST_F(MenuScreensTest, TheInGameQuestionAsksBeforeEndingTheGame) {
  InGameMenuWindow menu;
  Open(menu, kInGameMenuId);
  TapRow(0);  // play again
  auto* box = dynamic_cast<ui::MessageBox*>(ui::ModalTop());
  ASSERT_NE(box, nullptr);
  EXPECT_EQ(box->id, kPlayAgainQueryId);
  EXPECT_EQ(box->text.lines,
            (std::vector<std::u16string>{u"This will end ", u"your current game!", u"Are you sure?"}));
  EXPECT_TRUE(Commands().empty()) << "nothing is sent before the answer";
  EXPECT_EQ(menu.playAgainButton->State(), ui::kStatePressed);
  Tap(250, 255);  // OK
  Frame(2);
  EXPECT_EQ(Commands(), (std::vector<std::uint32_t>{20056}));

  root->notices.clear();
  TapRow(2);  // main menu
  box = dynamic_cast<ui::MessageBox*>(ui::ModalTop());
  ASSERT_NE(box, nullptr);
  EXPECT_EQ(box->id, kMainMenuQueryId);
  Tap(350, 255);  // Cancel
  Frame(1);
  EXPECT_TRUE(Commands().empty());
  EXPECT_EQ(ui::ModalTop(), nullptr);
  EXPECT_EQ(menu.mainMenuButton->State(), ui::kStateAppear) << "it appears again";
  Frame(5);
  EXPECT_EQ(menu.mainMenuButton->State(), ui::kStateReleased);
  TapRow(2);
  Tap(250, 255);
  Frame(2);
  EXPECT_EQ(Commands(), (std::vector<std::uint32_t>{20055}));

  root->notices.clear();
  TapRow(1);
  TapRow(3);
  EXPECT_EQ(Commands(), (std::vector<std::uint32_t>{20057, 20058})) << "options and back ask nothing";
}

TEST_F(MenuScreensTest, TheOptionsAnswerTheKeysAloneVolumesSidewaysAndEscapeForBack) {
  OptionsWindow options;
  int starts = 0;
  options.startMenuMusic = [&] { ++starts; };
  Open(options, kOptionsId);
  speaker->volumeMusics(2);
  options.KeyDown(ui::kKeyDown, 40);  // the sound button
  options.KeyDown(ui::kKeyRight, 39);
  EXPECT_EQ(speaker->volumeSounds(), 64) << "no further than 64";
  options.KeyDown(ui::kKeyLeft, 37);
  options.KeyDown(ui::kKeyLeft, 37);
  EXPECT_EQ(speaker->volumeSounds(), 56);
  options.KeyDown(ui::kKeyDown, 40);  // past the sound plaque to the music button
  EXPECT_EQ(options.buttons[static_cast<std::size_t>(options.focusIndex)].command, kCmdMusicButton);
  options.KeyDown(ui::kKeyLeft, 37);
  EXPECT_EQ(speaker->volumeMusics(), 0) << "no lower than 0";
  EXPECT_EQ(starts, 0);
  options.KeyDown(ui::kKeyRight, 39);
  options.KeyDown(ui::kKeyRight, 39);
  EXPECT_EQ(speaker->volumeMusics(), 8);
  EXPECT_EQ(starts, 1) << "the music starts once the volume passes 4";
  EXPECT_TRUE(Commands().empty());
  options.KeyDown(ui::kKeyOther, 27);
  options.KeyUp(ui::kKeyOther, 27);
  EXPECT_EQ(Commands(), (std::vector<std::uint32_t>{20025}));
}

TEST_F(MenuScreensTest, AQuestionStillOpenGoesWithItsInGameMenu) {
  {
    InGameMenuWindow menu;
    Open(menu, kInGameMenuId);
    TapRow(2);  // main menu: the question opens
    auto* box = dynamic_cast<ui::MessageBox*>(ui::ModalTop());
    ASSERT_NE(box, nullptr);
    menu.KeyDown(ui::kKeyStart, 13);  // a key reaching the menu behind it clicks a button, but asks nothing more
    menu.KeyUp(ui::kKeyStart, 13);
    Frame(6);
    EXPECT_EQ(ui::ModalTop(), box);
  }  // the menu is replaced (a lost focus opens a new one) before the answer
  EXPECT_EQ(ui::ModalTop(), nullptr);
  ui::RouteKeyDown(*root, 13, keys);  // an Enter that would have answered it reaches nobody gone
  Frame(2);
  EXPECT_TRUE(Commands().empty());
}

TEST_F(MenuScreensTest, TheInGameQuestionIsAnsweredWithTheKeys) {
  InGameMenuWindow menu;
  Open(menu, kInGameMenuId);
  menu.KeyDown(ui::kKeyStart, 13);  // no focus yet: the first button, play again
  menu.KeyUp(ui::kKeyStart, 13);
  ASSERT_NE(dynamic_cast<ui::MessageBox*>(ui::ModalTop()), nullptr);
  ui::RouteKeyDown(*root, 27, keys);  // Escape: Cancel
  Frame(6);
  EXPECT_EQ(ui::ModalTop(), nullptr);
  EXPECT_TRUE(Commands().empty());
  EXPECT_EQ(menu.playAgainButton->State(), ui::kStateReleased) << "it has appeared again";
  menu.KeyDown(ui::kKeyStart, 13);
  menu.KeyUp(ui::kKeyStart, 13);
  ui::RouteKeyDown(*root, 13, keys);  // Enter: OK
  Frame(2);
  EXPECT_EQ(Commands(), (std::vector<std::uint32_t>{20056}));
}

}  // namespace
}  // namespace zelph::screens::test
