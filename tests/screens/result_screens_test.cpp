// After play: the you-win screen moves on by itself once, on time, or at once at a tap, over the darkened
// field; you lose offers a new game or the main menu.
#include "screens/result_screens.h"

#include <gtest/gtest.h>

#include "screens/screen_commands.h"
#include "screens/screen_rig.h"

namespace zelph::screens::test {
namespace {

constexpr ui::Rect kScreen{0, 0, ui::test::kScreenW, ui::test::kScreenH};

class ResultScreensTest : public ScreenRig {
 protected:
  void SetUp() override {
    ScreenRig::SetUp();
    Build(Window("youwin_wnd", "show_timer=5\n") + "[youwin_back_img]\nimage=0x30C\nimage_rect=300 300 0 0\n" +
          ButtonSection("youwin_next_btn", 20, 20) + Window("youlose_wnd") +
          Buttons({"youlose_playagain_btn", "youlose_mainmenu_btn"}) +
          "[close_x_btn]\nrect=600 10 0 0\nrel_ID=0x302\n");
  }
  std::size_t Sent(std::int32_t command) const {
    return root->With(static_cast<std::uint32_t>(command)).size();
  }
};

TEST_F(ResultScreensTest, YouWinSendsItsCommandOnceOnThe151stTick) {
  YouWinWindow win;
  ASSERT_EQ(win.Create(kYouWinId, kScreen, root.get(), kScreenFlags), S_OK);
  EXPECT_EQ(win.showTimer, 150);
  Tick(150);
  EXPECT_EQ(Sent(kCmdWinNext), 0u);
  Tick();
  EXPECT_EQ(Sent(kCmdWinNext), 1u);
  Tick(100);
  EXPECT_EQ(Sent(kCmdWinNext), 1u);
  EXPECT_EQ(win.closeButton.Parent(), nullptr) << "no close button";
}

TEST_F(ResultScreensTest, ATapOnYouWinsButtonMovesOnAtOnceOverTheDarkenedField) {
  gfx::FillRect(back, nullptr, 0x808080);
  YouWinWindow win;
  ASSERT_EQ(win.Create(kYouWinId, kScreen, root.get(), kScreenFlags), S_OK);
  EXPECT_EQ(PixelAt(500, 100), gfx::PixelToColor(gfx::HalfBlend(gfx::ColorToPixel(0x808080), 0)));
  EXPECT_TRUE(win.buttons.front().button->visible) << "there from the start";
  Frame(3);  // its appearing animation
  Tap(30, 30);
  EXPECT_EQ(Sent(kCmdWinNext), 1u) << "at the tap, not at the end of the pressed animation";
}

TEST_F(ResultScreensTest, YouLoseOffersANewGameOrTheMainMenuAndCanBeClosed) {
  for (int row = 0; row < 2; ++row) {
    YouLoseWindow lose;
    ASSERT_EQ(lose.Create(kYouLoseId, kScreen, root.get(), kScreenFlags), S_OK);
    Frame(20);
    Tap(30, 30 + 30 * row);
    Frame(3);
  }
  EXPECT_EQ(Sent(kCmdLosePlayAgain), 1u);
  EXPECT_EQ(Sent(kCmdLoseMainMenu), 1u);
  YouLoseWindow lose;
  ASSERT_EQ(lose.Create(kYouLoseId, kScreen, root.get(), kScreenFlags), S_OK);
  EXPECT_EQ(lose.closeButton.Parent(), &lose);
}

}  // namespace
}  // namespace zelph::screens::test
