// The high-score screen writes each row as its plaque finishes appearing; the name entry takes up to eight
// letters, digits or spaces from the keys and the on-screen keyboard, and any enter sends the name.
#include "screens/high_score_screens.h"

#include <gtest/gtest.h>

#include "screens/screen_commands.h"
#include "screens/screen_rig.h"
#include "ui/control_tree.h"

namespace zelph::screens::test {
namespace {

constexpr ui::Rect kScreen{0, 0, ui::test::kScreenW, ui::test::kScreenH};

class HighScoreScreensTest : public ScreenRig {
 protected:
  std::size_t Sent(std::int32_t command) const { return root->With(static_cast<std::uint32_t>(command)).size(); }
  // The rows written so far, as text.
  static std::vector<std::u16string> Rows(const HighScoresWindow& window) {
    std::vector<std::u16string> rows;
    for (const auto& label : window.rowLabels) rows.push_back(label->text);
    return rows;
  }
  static std::string Keyboard() {
    // Row 3 starts with caps lock (35 wide in the small key set), then a, s, d ... and ends with enter.
    return "keyboard_rect=0 300 300 100\nkeyboard_img=0x30C\nkeyb_line1_rect=0 0 300 15\n"
           "keyb_line2_rect=0 20 300 15\nkeyb_line3_rect=0 40 300 15\nkeyb_line4_rect=0 60 300 15\n"
           "keyb_line5_rect=0 80 300 15\n";
  }
};

TEST_F(HighScoreScreensTest, RowsAppearOneByOneWithTheirPlaquesAndOnlyForEntries) {
  Build("[hs_wnd]\nButtonsShowDelayTicks=2\nBetweenButtonsTicks=5\nname_rect=0 0 40 20\nscore_rect=50 0 40 20\n"
        "name_font=0x30A\nscore_font=0x30A\n" +
        Buttons({"hs_score1", "hs_score2", "hs_score4", "hs_score5", "hs_back_btn"}));
  game::HighScoreTable table;
  table.Insert(u"Ann", 1500);
  table.Insert(u"Bo", 900);
  table.Insert(u"Cy", 400);
  table.Insert(u"Di", 200);
  HighScoresWindow window(&table);
  ASSERT_EQ(window.Create(kHighScoresId, kScreen, root.get(), kScreenFlags), S_OK);
  ASSERT_EQ(window.rowButtons[2], nullptr) << "hs_score3 is missing";

  // The frames on which rows were written: a row is two labels, and each plaque comes five ticks after the
  // one before it (the missing third plaque leaves no gap).
  std::vector<int> written;
  std::size_t labels = 0;
  for (int frame = 0; frame < 60; ++frame) {
    Frame();
    if (window.rowLabels.size() != labels) written.push_back(frame);
    labels = window.rowLabels.size();
  }
  ASSERT_EQ(written.size(), 3u);
  EXPECT_EQ(written[1] - written[0], 5);
  EXPECT_EQ(written[2] - written[1], 5);
  EXPECT_EQ(labels, 6u) << "row 3 has no plaque, row 5 no entry";
  EXPECT_EQ(Rows(window), (std::vector<std::u16string>{u"Ann", u"1500", u"Bo", u"900", u"Di", u"200"}));
  EXPECT_FALSE(window.filling);
  EXPECT_EQ(window.rowLabels[0]->rect.left, window.rowButtons[0]->rect.left);
  EXPECT_EQ(window.rowLabels[1]->rect.left, window.rowButtons[0]->rect.left + 50);
  EXPECT_EQ(window.rowLabels[0]->id, kFirstRowLabelId);
}

TEST_F(HighScoreScreensTest, TheNameFieldTakesEightLettersDigitsOrSpacesOverwritingAtTheEnd) {
  Build(Window("add_hs_wnd", "edit_rect=10 200 200 30\nedit_font=0x30A\n" + Keyboard()) +
        Buttons({"add_hs_under_btn", "add_hs_ok_btn"}));
  AddHighScoreWindow window;
  ASSERT_EQ(window.Create(kAddHighScoreId, kScreen, root.get(), kScreenFlags), S_OK);
  ASSERT_NE(window.field, nullptr);
  ui::EditField& field = *window.field;
  EXPECT_EQ(ui::KeyFocus(), &field);
  EXPECT_TRUE(field.overwrite);
  EXPECT_TRUE(field.padWithFill);
  EXPECT_EQ(window.EnteredName(), kUnknownName);

  for (char32_t c : std::u32string(U"Ab!7 xyzQ")) Type(c);
  EXPECT_EQ(field.Text(), u"Ab7 xyzQ") << "\"!\" is refused";
  Type(U'R');
  EXPECT_EQ(field.Text(), u"Ab7 xyzQ") << "a ninth character at the end is refused";
  Key(ui::kVkLeft);
  Type(U'R');
  EXPECT_EQ(field.Text(), u"Ab7 xyzR") << "but overwrites the one at the cursor";
  EXPECT_EQ(window.EnteredName(), u"Ab7 xyzR");
  EXPECT_EQ(Sent(kCmdAddHighScoreOk), 0u);
}

TEST_F(HighScoreScreensTest, EveryEnterSendsTheNameAndTheKeyboardTypesIntoTheField) {
  Build(Window("add_hs_wnd", "edit_rect=10 200 200 30\nedit_font=0x30A\n" + Keyboard()) +
        Buttons({"add_hs_under_btn", "add_hs_ok_btn"}));
  AddHighScoreWindow window;
  ASSERT_EQ(window.Create(kAddHighScoreId, kScreen, root.get(), kScreenFlags), S_OK);
  ASSERT_NE(window.keyboard, nullptr);
  Tap(40, 347);  // a, just right of caps lock
  EXPECT_EQ(window.field->Text(), u"a");
  Tap(220, 347);  // the keyboard's enter: key code 19
  EXPECT_EQ(Sent(kCmdAddHighScoreOk), 1u);
  Key(static_cast<std::uint32_t>(kHardwareEnter));
  EXPECT_EQ(Sent(kCmdAddHighScoreOk), 2u);
  Frame(30);
  Tap(30, 55);  // the OK button
  Frame(3);
  EXPECT_EQ(Sent(kCmdAddHighScoreOk), 3u);
}

TEST_F(HighScoreScreensTest, WithoutTheFieldOrKeyboardKeysTheScreenStillStoresTheName) {
  Build(Window("add_hs_wnd", "edit_rect=10 200 200 30\n") + Buttons({"add_hs_under_btn", "add_hs_ok_btn"}));
  {
    AddHighScoreWindow window;
    EXPECT_EQ(window.Create(kAddHighScoreId, kScreen, root.get(), kScreenFlags), gfx::GFX_E_GENERIC);
    EXPECT_TRUE(window.built);
    EXPECT_NE(window.field, nullptr);
    EXPECT_EQ(window.keyboard, nullptr);
  }
  EXPECT_EQ(ui::KeyFocus(), nullptr) << "the focus goes with the screen";
}

TEST_F(HighScoreScreensTest, WithoutTheNameFieldTheNameIsUnknown) {
  Build(Window("add_hs_wnd") + Buttons({"add_hs_under_btn", "add_hs_ok_btn"}));
  AddHighScoreWindow bare;
  EXPECT_EQ(bare.Create(kAddHighScoreId, kScreen, root.get(), kScreenFlags), gfx::GFX_E_GENERIC);
  EXPECT_TRUE(bare.built);
  EXPECT_EQ(bare.field, nullptr);
  EXPECT_EQ(bare.EnteredName(), kUnknownName);
}

}  // namespace
}  // namespace zelph::screens::test
