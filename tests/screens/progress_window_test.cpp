// The start-up progress window: how far the bar picture is revealed at each of the seven steps, the default
// bar of blocks, and the snapshot behind it.
#include "screens/progress_window.h"

#include <gtest/gtest.h>

#include "gfx/png_writer.h"
#include "screens/screen_rig.h"

namespace zelph::screens::test {
namespace {

constexpr ui::Rect kScreen{0, 0, ui::test::kScreenW, ui::test::kScreenH};
constexpr gfx::Color kFrameFill = 0xFFC8C8, kBlockFill = 0x6A240A, kBlockOutline = 0x924C32;

class ProgressTest : public ScreenRig {
 protected:
  void Open(const std::string& keys) {
    Build("[start_up_wnd]\nprogress_rect=100 400 200 30\npercent_rect=5 5 100 20\n" + keys);
    window.target = &back;
    window.waitForChange = false;
    ASSERT_EQ(window.Create(1, kScreen, nullptr, 0, config::GuiDocument().FindSection("start_up_wnd")), S_OK);
  }
  // The widths shown over seven steps of a 0..7 range.
  std::vector<int> SevenSteps() {
    window.SetRange(std::nullopt, 0, 0, 7, 1);
    std::vector<int> widths;
    for (int i = 0; i < 7; ++i) {
      window.Step();
      widths.push_back(window.VisibleWidth());
    }
    return widths;
  }
  gfx::Color Shown(gfx::Color c) const { return gfx::PixelToColor(gfx::ColorToPixel(c)); }

  ProgressWindow window;
};

TEST_F(ProgressTest, ABarPictureIsRevealedInSevenStepsRoundedToPercentStep) {
  Open("percent_img=0x304\n");
  EXPECT_EQ(window.percentRect, (ui::Rect{105, 405, 205, 425}));
  EXPECT_EQ(SevenSteps(), (std::vector<int>{14, 28, 42, 57, 71, 85, 100}));
  window.Step();
  EXPECT_EQ(window.value, 7) << "clamped to the maximum";

  ProgressWindow stepped;
  stepped.waitForChange = false;
  ASSERT_EQ(stepped.Create(2, kScreen, nullptr, 0, config::GuiDocument().FindSection("start_up_wnd")), S_OK);
  stepped.percentStep = 10;
  stepped.SetRange(std::nullopt, 0, 0, 7, 1);
  std::vector<int> widths;
  for (int i = 0; i < 7; ++i) {
    stepped.Step();
    widths.push_back(stepped.VisibleWidth());
  }
  EXPECT_EQ(widths, (std::vector<int>{10, 20, 40, 50, 70, 80, 100}));
}

TEST_F(ProgressTest, TheDrawnBarEndsWhereTheWidthSays) {
  Open("percent_img=0x304\n");
  window.SetRange(std::nullopt, 0, 0, 7, 1);
  window.Step();
  window.Draw(back, 0, 0, kScreen);
  EXPECT_EQ(PixelAt(105 + 13, 410), Shown(kBarColour));
  EXPECT_NE(PixelAt(105 + 14, 410), Shown(kBarColour));
}

TEST_F(ProgressTest, TheDefaultBarOfBlocksFillsTheWholeInsideAtTheEnd) {
  Open("");
  window.SetRange(std::nullopt, 0, 0, 7, 1);
  EXPECT_EQ(window.frameRect, (ui::Rect{270, 230, 370, 250}));
  EXPECT_EQ(window.barRect, (ui::Rect{272, 232, 368, 248}));
  window.SetValue(7);
  window.Draw(back, 0, 0, kScreen);
  EXPECT_EQ(PixelAt(275, 240), Shown(kBlockFill));
  EXPECT_EQ(PixelAt(272, 240), Shown(kBlockOutline));
  EXPECT_EQ(PixelAt(281, 240), Shown(kFrameFill)) << "two pixels between blocks";
  EXPECT_EQ(PixelAt(367, 240), Shown(kBlockOutline)) << "the last block is cut at the inside's right";
  EXPECT_EQ(PixelAt(365, 240), Shown(kBlockFill));

  gfx::FillRect(back, nullptr, 0);
  window.SetRange(std::nullopt, kProgressSolid, 0, 7, 1);
  window.SetValue(7);
  window.Draw(back, 0, 0, kScreen);
  EXPECT_EQ(PixelAt(281, 240), Shown(kBlockFill)) << "one solid block";

  gfx::FillRect(back, nullptr, 0);
  window.Reset();
  window.Draw(back, 0, 0, kScreen);
  EXPECT_EQ(PixelAt(300, 240), 0u) << "hidden after a reset";
}

TEST_F(ProgressTest, TheLastSnapshotIsDrawnBehindElseTheFixedPicture) {
  Open("back_rect=10 20 0 0\nback_img=0x30C\n");
  EXPECT_EQ(PixelAt(15, 25), Shown(0x654321)) << "no snapshot: the fixed picture";

  gfx::Surface snapshot;
  ASSERT_EQ(snapshot.CreateSurface(0, 30, 30), S_OK);
  gfx::FillRect(snapshot, nullptr, 0x00FF00);
  ASSERT_TRUE(gfx::WritePngRgb565(dir.path() / kSnapshotFile, snapshot.Pixels(), 30, 30, snapshot.YStep() * 2));
  ProgressWindow withSnapshot;
  withSnapshot.target = &back;
  withSnapshot.installFolder = dir.path();
  ASSERT_EQ(withSnapshot.Create(2, kScreen, nullptr, 0, config::GuiDocument().FindSection("start_up_wnd")), S_OK);
  EXPECT_EQ(PixelAt(15, 25), Shown(0x00FF00));

  ProgressWindow none;
  EXPECT_EQ(none.Create(3, kScreen, nullptr, 0, nullptr), gfx::GFX_E_GENERIC);
}

}  // namespace
}  // namespace zelph::screens::test
