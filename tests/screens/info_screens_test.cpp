// The intro closes by itself on time or at once on a key or tap; the instructions page is laid out item by
// item, shows the version on two lines and appears only once the buttons have.
#include "screens/info_screens.h"

#include <gtest/gtest.h>

#include "screens/screen_commands.h"
#include "screens/screen_rig.h"
#include "ui/text_label.h"

namespace zelph::screens::test {
namespace {

constexpr ui::Rect kScreen{0, 0, ui::test::kScreenW, ui::test::kScreenH};

class InfoScreensTest : public ScreenRig {
 protected:
  int IntroDone() const { return static_cast<int>(root->With(kCmdIntroDone).size()); }
};

TEST_F(InfoScreensTest, TheIntroClosesOnTheTickAfterTicksToCloseAndKeepsAsking) {
  Build("[intro_wnd]\nticksToClose=30\nimage=0x309\n");
  IntroWindow intro;
  ASSERT_EQ(intro.Create(kIntroId, kScreen, root.get(), kScreenFlags), S_OK);
  Tick(30);
  EXPECT_EQ(IntroDone(), 0);
  Tick();
  EXPECT_EQ(IntroDone(), 1) << "on the 31st tick";
  Tick();
  EXPECT_EQ(IntroDone(), 2) << "again until the screen is replaced";
}

TEST_F(InfoScreensTest, TheIntroClosesAtOnceOnAKeyOrATapAndWithoutAPictureOnTheFirstTick) {
  Build("[intro_wnd]\nimage=0x309\n[bare]\nx=1\n");
  {
    IntroWindow intro;
    ASSERT_EQ(intro.Create(kIntroId, kScreen, root.get(), kScreenFlags), S_OK);
    EXPECT_EQ(intro.ticksLeft, 30) << "the default";
    Key('Z');
    EXPECT_EQ(IntroDone(), 1);
    Tap(600, 400);
    EXPECT_EQ(IntroDone(), 2);
  }
  config::GuiDocument().Clear();
  std::vector<std::uint8_t> ino;
  std::string error;
  ASSERT_TRUE(config::CompileInoText("[intro_wnd]\nticksToClose=30\n", ino, error));
  ASSERT_GE(config::GuiDocument().LoadMemory(std::move(ino)), 0);
  IntroWindow noPicture;
  ASSERT_EQ(noPicture.Create(kIntroId, kScreen, root.get(), kScreenFlags), S_OK);
  Tick();
  EXPECT_EQ(IntroDone(), 3);
}

class InstructionsTest : public InfoScreensTest {
 protected:
  void Open(const std::string& page) {
    Build(Window("instr_wnd", "scroll_rect=100 200 300 80\n") + "[instr_scroll_back]\nimage=0x30C\n" +
          Buttons({"instr_up_btn", "instr_1_btn", "instr_2_btn", "instr_3_btn", "instr_down_btn",
                   "instr_back_btn"}) +
          "[instr_text_1]\nfont_count=1\nfont_1=0x30A\nfont_1_a=0x30B\nfont_1_color=255 255 0\n" + page);
    ASSERT_EQ(window.Create(kInstructionsId, kScreen, root.get(), kScreenFlags), S_OK);
  }
  ui::TextLabel* Label(std::size_t index) { return dynamic_cast<ui::TextLabel*>(window.page.Items()[index].get()); }

  InstructionsWindow window;
};

TEST_F(InstructionsTest, TheVersionShowsOnTwoLinesAndItemsStackBelowEachOther) {
  Open("item_count=4\n1_type=1 1 0 5 300 40 1 0\n1_value=@V\n2_type=1 3 10 5 200 20 9 0\n2_value=Hello\n"
       "3_type=1 2 0 5 200 30 0 0\n3_value=World\n4_type=7 0 0 0 0 0 0 0\n4_value=skipped\n");
  ASSERT_EQ(window.page.Items().size(), 3u);
  ui::TextLabel* version = Label(0);
  ASSERT_NE(version, nullptr);
  EXPECT_EQ(version->lines, (std::vector<std::u16string>{u"Version 1.1 (316)", u"May  4 2006 11:29:28"}));
  EXPECT_EQ(version->alignment, ui::kTextLeft);
  EXPECT_EQ(version->color, 0x00FFFFu);
  EXPECT_EQ(version->id, kFirstPageItemId);
  EXPECT_EQ(Label(1)->rect, (ui::Rect{10, 50, 210, 70}));
  EXPECT_EQ(Label(1)->alignment, ui::kTextCentered);
  EXPECT_EQ(Label(1)->color, 0u) << "font 9 is out of range: default font, colour 0";
  EXPECT_EQ(Label(2)->rect, (ui::Rect{0, 75, 200, 105}));
  EXPECT_EQ(Label(2)->alignment, ui::kTextRight);
}

TEST_F(InstructionsTest, ThePageAppearsOnceEveryButtonHasAndThenScrollsWhileHeld) {
  Open("item_count=2\n1_type=1 1 0 0 300 60 1 0\n1_value=Top\n2_type=2 10 5 1 10 0 0 0\n2_value=0x30C\n");
  ASSERT_EQ(window.page.Items().size(), 2u);
  EXPECT_EQ(window.page.Items()[1]->rect, (ui::Rect{10, 65, 60, 105})) << "the picture's own size";
  EXPECT_FALSE(window.page.visible);
  ASSERT_NE(window.scrollBack, nullptr);
  EXPECT_FALSE(window.scrollBack->visible);
  bool shownEarly = false;
  for (int frame = 0; frame < 30; ++frame) {
    bool allReleased = true;
    for (const auto& entry : window.Buttons()) allReleased &= entry.button->State() == ui::kStateReleased;
    if (!allReleased && window.page.visible) shownEarly = true;
    Frame();
  }
  EXPECT_FALSE(shownEarly);
  EXPECT_TRUE(window.page.visible);
  EXPECT_TRUE(window.scrollBack->visible);
  EXPECT_EQ(window.downButton->flags & ui::kButtonDeferredClick, 0u);

  Down(30, 30 + 30 * 4);  // hold the down button
  Frame(3);
  EXPECT_GT(window.page.positionY, 0);
  Up(30, 30 + 30 * 4);
  EXPECT_LE(window.page.positionY, 105 - 80);
}

}  // namespace
}  // namespace zelph::screens::test
