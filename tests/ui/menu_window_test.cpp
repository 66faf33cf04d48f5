// Screen windows: buttons appearing one after another, their commands, the menu click, the close button,
// decoration images and taps on the window's empty area.
#include <gtest/gtest.h>

#include "sound/menu_click.h"
#include "ui/menu_window.h"
#include "ui/support/ui_rig.h"

namespace zelph::ui::test {
namespace {

constexpr std::uint32_t kRel = 0x200, kPres = 0x201, kApp = 0x202, kBack = 0x203, kClose = 0x204;

class MenuTest : public UiRig {
 protected:
  void SetUp() override {
    UiRig::SetUp();
    Add(kRel, Solid(60, 20, {0x00FF00}));
    Add(kPres, Solid(60, 20, {0xFF0000, 0xFF0000}));
    Add(kApp, Solid(60, 20, {0x0000FF, 0x0000FF}));
    Add(kBack, Solid(640, 480, {0x202080}));
    Add(kClose, Solid(16, 16, {0xFFFFFF}));
    std::string gui =
        "[menu]\nButtonsShowDelayTicks=10\nBetweenButtonsTicks=5\n"
        "[quiet]\nrel_ID=0x200\npres_ID=0x201\nanimpar=0 1 0 1\nplay_sound=0\n"
        "[back]\nimage=0x203\n"
        "[close_x_btn]\nrect=600 10 0 0\nrel_ID=0x204\n";
    for (int i = 0; i < 5; ++i) {
      gui += "[b" + std::to_string(i) + "]\nrect=100 " + std::to_string(100 + 30 * i) +
             " 0 0\napp_ID=0x202\nrel_ID=0x200\npres_ID=0x201\nanimpar=0 1 0 1\n";
    }
    Build(gui);
  }

  // A window as the screens build one: full screen, a child of the root, flag 8.
  void Open(MenuWindow& w, const char* section = "menu") {
    w.Create(20014, Rect{0, 0, kScreenW, kScreenH}, root.get(), kHitTopmostFirst);
    w.LoadSection(section);
  }
  // The frames on which each button became visible, over `frames` ticks.
  std::vector<int> AppearingFrames(MenuWindow& w, int frames) {
    std::vector<int> seen(w.buttons.size(), 0);
    for (int frame = 1; frame <= frames; ++frame) {
      Tick();
      for (std::size_t i = 0; i < w.buttons.size(); ++i) {
        if (w.buttons[i].button->visible && seen[i] == 0) seen[i] = frame;
      }
    }
    return seen;
  }
};

TEST_F(MenuTest, StaggeredButtonsAppearOnFrames10To30AndUnstaggeredOnesWithThePreviousOne) {
  MenuWindow w;
  Open(w);
  for (int i = 0; i < 5; ++i) w.AddButton("b" + std::to_string(i), 20015 + i, true, true);
  EXPECT_EQ(AppearingFrames(w, 40), (std::vector<int>{10, 15, 20, 25, 30}));

  MenuWindow together;
  Open(together);
  together.AddButton("b0", 1, true, true);
  together.AddButton("b1", 2, true, false);
  together.AddButton("b2", 3, true, true);
  together.AddButton("b3", 4, false, true);  // not auto-shown: stays hidden
  w.visible = false;
  EXPECT_EQ(AppearingFrames(together, 40), (std::vector<int>{10, 10, 15, 0}));
}

TEST_F(MenuTest, ALoneButtonAndOneDueOnFrameZeroShowOnTheFirstTick) {
  MenuWindow lone;
  Open(lone);
  lone.AddButton("b0", 1, true, true);
  EXPECT_EQ(AppearingFrames(lone, 20), (std::vector<int>{1}));

  MenuWindow noDelay;
  Open(noDelay, "no such section");
  noDelay.AddButton("b0", 1, true, true);
  noDelay.AddButton("b1", 2, true, true);
  lone.visible = false;
  EXPECT_EQ(AppearingFrames(noDelay, 5), (std::vector<int>{1, 1}));
}

TEST_F(MenuTest, ButtonsAppearInTheirAppearStateAndResetMakesThemAppearAgain) {
  MenuWindow w;
  Open(w);
  Button* b = w.AddButton("b0", 1, true, true);
  Button* c = w.AddButton("b1", 2, true, true);
  ASSERT_TRUE(b && c);
  Tick(10);
  EXPECT_TRUE(b->visible);
  EXPECT_EQ(b->State(), kStateAppear);
  Tick(5);
  EXPECT_EQ(b->State(), kStateReleased);
  w.ResetButtons();
  EXPECT_FALSE(b->visible);
  EXPECT_FALSE(c->visible);
  EXPECT_EQ(b->State(), kStateAppear);
  EXPECT_EQ(AppearingFrames(w, 20), (std::vector<int>{10, 15}));
}

TEST_F(MenuTest, AClickSendsTheButtonsCommandToTheParentAndTheButtonStaysPressed) {
  MenuWindow w;
  Open(w);
  Button* b = w.AddButton("b0", 20015, true, true);
  Tick(12);  // shown and finished appearing
  ASSERT_EQ(b->State(), kStateReleased);
  Tap(110, 105);
  EXPECT_TRUE(sound::MenuClickSound()->IsSoundPlaying());
  EXPECT_TRUE(root->With(20015).empty());
  Tick(2);  // end of the pressed animation
  EXPECT_EQ(root->With(20015), (std::vector<Notice>{{20015, 0, 0}}));
  EXPECT_EQ(b->State(), kStatePressed);
}

TEST_F(MenuTest, AButtonWithoutPlaySoundPressesSilently) {
  MenuWindow w;
  Open(w);
  w.AddButton("quiet", 5, true, true);
  Tick(10);
  Tap(5, 5);
  EXPECT_FALSE(sound::MenuClickSound()->IsSoundPlaying());
  Tick(2);
  EXPECT_EQ(root->With(5).size(), 1u);
}

TEST_F(MenuTest, KeysMoveTheFocusOverClickableButtonsAndStartClicksTheFocusedOne) {
  MenuWindow w;
  Open(w);
  w.AddButton("b0", 1, true, true);
  w.AddButton("b1", 2, true, true)->inputEnabled = false;  // a decoration
  w.AddButton("b2", 3, true, true);
  w.KeyDown(kKeyDown, 40);
  EXPECT_EQ(w.focusIndex, -1) << "nothing to focus while the buttons appear";
  Tick(25);
  std::vector<int> focus;
  for (int key : {kKeyDown, kKeyDown, kKeyRight, kKeyUp, kKeyLeft}) {
    w.KeyDown(key, 0);
    focus.push_back(w.focusIndex);
  }
  EXPECT_EQ(focus, (std::vector<int>{0, 2, 0, 2, 0})) << "the decoration is skipped; the ends wrap";
  w.KeyDown(kKeyDown, 0);
  w.KeyDown(kKeyStart, 13);
  EXPECT_EQ(w.buttons[2].button->State(), kStatePressed);
  EXPECT_TRUE(sound::MenuClickSound()->IsSoundPlaying());
  EXPECT_TRUE(root->With(3).empty()) << "the click comes with the key's release";
  w.KeyUp(kKeyStart, 13);
  w.KeyUp(kKeyStart, 13);
  EXPECT_EQ(root->With(3), (std::vector<Notice>{{3, 0, 0}}));
}

TEST_F(MenuTest, EscapeClicksTheBackButtonOnlyWhereTheScreenHasOne) {
  MenuWindow w;
  Open(w);
  w.AddButton("b0", 1, true, true);
  w.AddButton("b1", 2, true, true);
  Tick(20);
  w.KeyDown(kKeyOther, 27);
  w.KeyUp(kKeyOther, 27);
  EXPECT_TRUE(root->notices.empty()) << "no back button";
  w.backCommand = 2;
  w.KeyDown(kKeyOther, 27);
  w.KeyUp(kKeyOther, 27);
  EXPECT_EQ(root->With(2), (std::vector<Notice>{{2, 0, 0}}));
  EXPECT_TRUE(root->With(1).empty());
}

TEST_F(MenuTest, TheFocusFrameShowsOnlyOnceAKeyHasMovedIt) {
  MenuWindow w;
  Open(w);
  w.AddButton("b0", 1, true, true);
  Tick(12);
  const gfx::Color white = gfx::PixelToColor(gfx::ColorToPixel(0xFFFFFF));
  Draw();
  EXPECT_NE(PixelAt(99, 99), white) << "a stylus player sees no frame";
  w.KeyDown(kKeyDown, 40);
  Draw();
  EXPECT_EQ(PixelAt(99, 99), white);
  EXPECT_EQ(PixelAt(98, 98), white);
  EXPECT_NE(PixelAt(97, 97), white) << "two pixels wide";
  EXPECT_EQ(PixelAt(110, 110), gfx::PixelToColor(gfx::ColorToPixel(0x00FF00))) << "the button itself is untouched";
}

TEST_F(MenuTest, TheCloseButtonSitsAboveTheButtonsAndQuitsThroughTheWindowsParent) {
  MenuWindow w;
  Open(w);
  w.AddButton("b0", 1, true, true);
  w.AddCloseButton();
  ASSERT_EQ(w.closeButton.Parent(), &w);
  EXPECT_EQ(w.Children().back(), &w.closeButton);
  Tap(605, 15);
  EXPECT_EQ(root->With(kNotifyClicked), (std::vector<Notice>{{kNotifyClicked, ArgOf(&w.closeButton), 20001}}));

  config::GuiDocument().Clear();  // a document without "close_x_btn"
  MenuWindow bare;
  Open(bare);
  bare.AddCloseButton();
  EXPECT_EQ(bare.closeButton.Parent(), nullptr);
  EXPECT_TRUE(bare.Children().empty());
}

TEST_F(MenuTest, TapsOnTheWindowsEmptyAreaGoNoFurther) {
  MenuWindow w;
  Open(w);
  EXPECT_EQ(Down(300, 300), kHandled);
  EXPECT_TRUE(root->taps.empty());
}

TEST_F(MenuTest, ImagesStayAsChildrenOrAreBakedIntoTheBackSurfaceOnce) {
  const gfx::Color shown = gfx::PixelToColor(gfx::ColorToPixel(0x202080));
  MenuWindow w;
  Open(w);
  AnimatedImage* image = w.AddImage("back", 0);
  ASSERT_NE(image, nullptr);
  EXPECT_EQ(image->Parent(), &w);
  EXPECT_EQ(w.AddImage("missing", 0), nullptr);
  EXPECT_EQ(w.AddButton("missing", 1, true, true), nullptr);
  Draw();
  EXPECT_EQ(PixelAt(5, 5), shown);
  EXPECT_EQ(Down(5, 5), kHandled);  // the picture lets the tap through to the window

  w.visible = false;
  gfx::FillRect(back, nullptr, 0);
  MenuWindow baked;
  Open(baked);
  EXPECT_EQ(baked.AddImage("back", kBakeImage), nullptr);
  EXPECT_TRUE(baked.Children().empty());
  EXPECT_TRUE(baked.images.empty());
  EXPECT_EQ(PixelAt(5, 5), shown);
}

}  // namespace
}  // namespace zelph::ui::test
