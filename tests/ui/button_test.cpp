// Buttons as a player uses them: appearing, pressing, dragging off and releasing, deferred clicks, taps on
// transparent pixels, double taps, the press sound, and the pictures each state shows.
#include <gtest/gtest.h>

#include "ui/button.h"
#include "ui/support/ui_rig.h"

namespace zelph::ui::test {
namespace {

constexpr std::uint32_t kAppear = 0x100, kReleased = 0x101, kPressed = 0x102, kHoled = 0x103,
                        kPressedLoop = 0x104, kGlow = 0x105;
constexpr gfx::Color kRed = 0x0000FF, kGreen = 0x00FF00, kBlue = 0xFF0000, kWhite = 0xFFFFFF;

class ButtonTest : public UiRig {
 protected:
  void SetUp() override {
    UiRig::SetUp();
    Add(kAppear, Solid(40, 20, {kRed, kRed, kRed}));
    Add(kReleased, Solid(40, 20, {kGreen}));
    Add(kPressed, Solid(40, 20, {kBlue, kBlue, kBlue}));
    Add(kPressedLoop, Solid(40, 20, {kBlue, kWhite}));
    // A ring: the middle 20 x 10 is the colour key.
    Add(kHoled, Strip(40, 20, 1, [](int, int x, int y) {
          return (x >= 10 && x < 30 && y >= 5 && y < 15) ? kKey : kGreen;
        }));
    Add(kGlow, Alpha(40, 20, [](int x, int) { return static_cast<std::uint8_t>(x < 20 ? 255 : 0); }));
    Build(
        "[plain]\nrel_ID=0x101\n"
        "[full]\nrect=100 100 0 0\napp_ID=0x100\nrel_ID=0x101\npres_ID=0x102\nanimpar=0 1 0 1\n"
        "press_sound=0x7002\n"
        "[quick]\nrect=100 100 0 0\nrel_ID=0x101\npres_ID=0x102\nanimpar=0 1 0 1\n"
        "[looping]\nrect=100 100 0 0\nrel_ID=0x101\npres_ID=0x104\nanimpar=0 1 0 0\n"
        "[holed]\nrect=100 100 0 0\nrel_ID=0x103\npres_ID=0x103\n"
        "[soft]\nrect=100 100 0 0\nrel_ID=0x101\nrel_AID=0x105\n"
        "[slow]\nrel_ID=0x101\nanimpar=0 1 3 1\n");
  }

  // A button from a section, as a child of the root.
  void Make(Button& b, const char* section, std::uint32_t flags = 0, std::uint32_t id = 7) {
    ASSERT_EQ(b.CreateFromSection(id, nullptr, root.get(), flags, config::GuiDocument().FindSection(section)), S_OK);
  }
  std::vector<Notice> Clicks() const { return root->With(kNotifyClicked); }
};

TEST_F(ButtonTest, ASectionWithOnlyAReleasedPictureGivesAButtonOfItsSizeStartingReleased) {
  Button b;
  Make(b, "plain");
  EXPECT_EQ(b.rect, (Rect{0, 0, 40, 20}));
  EXPECT_EQ(b.State(), kStateReleased);
  EXPECT_EQ(b.states[kStateReleased].image.Delay(), kDefaultAnimSpeed);  // "animspeed" absent

  Button slow;
  Make(slow, "slow");
  const gfx::Sprite& s = slow.states[kStateReleased].image;
  EXPECT_EQ(s.Frame(), 0);
  EXPECT_EQ(s.Step(), 1);
  EXPECT_EQ(s.Delay(), 3);
  EXPECT_TRUE(s.OneShot());

  EXPECT_EQ(b.CreateFromSection(8, nullptr, root.get(), 0, nullptr), E_INVALIDARG);
}

TEST_F(ButtonTest, AButtonAppearsWithItsAnimationAndIsReleasedWhenItEnds) {
  Button b;
  Make(b, "full");
  EXPECT_EQ(b.State(), kStateAppear);
  Draw();
  EXPECT_EQ(PixelAt(110, 110), 0x0000F8u);
  EXPECT_EQ(Down(110, 110), kNotHandled);  // not pressable while appearing
  Tick(3);                                 // three frames, one tick each
  EXPECT_EQ(b.State(), kStateReleased);
  Draw();
  EXPECT_EQ(PixelAt(110, 110), 0x00FC00u);
}

TEST_F(ButtonTest, PressDragOffAndReleaseStillClicksWithOneSoundAtVolume30) {
  Button b;
  Make(b, "full");
  Tick(3);
  EXPECT_EQ(Down(110, 110), kHandled);
  EXPECT_EQ(b.State(), kStatePressed);
  EXPECT_EQ(StylusCapture(), &b);
  EXPECT_TRUE(b.pressSound.IsSoundPlaying());
  EXPECT_EQ(b.pressSound.GetSoundVolume(), kPressSoundVolume);
  Move(500, 400);
  Up(500, 400);  // far from the button: the capture still brings the release here
  EXPECT_EQ(StylusCapture(), nullptr);
  EXPECT_EQ(b.State(), kStateReleased);
  const std::intptr_t self = ArgOf(&b);
  EXPECT_EQ(root->notices, (std::vector<Notice>{{kNotifyPressed, self, 7},
                                                {kNotifyReleased, self, 7},
                                                {kNotifyClicked, self, 7}}));
}

TEST_F(ButtonTest, NotificationsGoToTheCommandTargetWhenThereIsOne) {
  Recorder target;
  target.Create(50, Rect{}, root.get(), 0);
  Button b;
  Make(b, "plain");
  b.commandTarget = &target;
  Tap(5, 5);
  EXPECT_TRUE(root->notices.empty());
  EXPECT_EQ(target.With(kNotifyClicked).size(), 1u);
}

TEST_F(ButtonTest, TapsOnTransparentPixelsAreIgnoredAndReleasingOverOneCancelsTheClick) {
  Button b;
  Make(b, "holed", kButtonPixelHit);
  EXPECT_EQ(Down(120, 110), kHandled);  // the hole: taken, but nothing happens
  EXPECT_EQ(b.State(), kStateReleased);
  EXPECT_TRUE(root->notices.empty());

  Down(102, 102);
  Up(120, 110);  // let go over the hole
  EXPECT_EQ(b.State(), kStateReleased);
  EXPECT_TRUE(Clicks().empty());

  Down(102, 102);
  Up(138, 118);
  EXPECT_EQ(Clicks().size(), 1u);
}

TEST_F(ButtonTest, ADeferredClickComesWhenThePressedAnimationEndsAndTheLaterReleaseIsIgnored) {
  Button b;
  Make(b, "quick", kButtonDeferredClick);
  Down(110, 110);
  Tick(2);
  EXPECT_TRUE(Clicks().empty());
  Down(110, 110);  // a second tap while pressed changes nothing
  Tick();          // the third frame ends the animation
  ASSERT_EQ(Clicks().size(), 1u);
  EXPECT_EQ(b.State(), kStateReleased);
  EXPECT_EQ(StylusCapture(), &b);  // still held: the stylus has not been lifted
  Up(110, 110);
  Tick(3);
  EXPECT_EQ(Clicks().size(), 1u);
  EXPECT_EQ(StylusCapture(), nullptr);

  // Lifted before the end: the click still waits for it.
  Down(110, 110);
  Up(110, 110);
  EXPECT_EQ(Clicks().size(), 1u);
  Tick(3);
  EXPECT_EQ(Clicks().size(), 2u);
}

TEST_F(ButtonTest, ALoopingPressedAnimationNeverClicks) {
  Button b;
  Make(b, "looping", kButtonDeferredClick);
  Tap(110, 110);
  Tick(100);
  EXPECT_TRUE(Clicks().empty());
  EXPECT_EQ(b.State(), kStatePressed);
}

TEST_F(ButtonTest, ADoubleTapClicksTwice) {
  Button b;
  Make(b, "plain");
  Tap(5, 5);
  RouteStylusDoubleClick(*root, 5, 5);
  Up(5, 5);
  EXPECT_EQ(root->With(kNotifyPressed).size(), 1u);
  EXPECT_EQ(Clicks().size(), 2u);
}

TEST_F(ButtonTest, APressedButtonGoesBackUpWhenAnotherControlTakesTheStylus) {
  Button b;
  Make(b, "plain");
  Control other;
  other.Create(9, Rect{}, root.get(), 0);
  Down(5, 5);
  SetCapture(&other);
  EXPECT_EQ(b.State(), kStateReleased);
  SetCapture(nullptr);
  Up(5, 5);
  EXPECT_TRUE(Clicks().empty());
}

TEST_F(ButtonTest, AReleaseGivesTheStylusBackToItsEarlierHolderUnlessThatIsGone) {
  Button b;
  Make(b, "plain");
  Control holder;
  holder.Create(9, Rect{}, root.get(), 0);
  SetCapture(&holder);
  b.StylusDown(5, 5, 0);
  Up(5, 5);
  EXPECT_EQ(StylusCapture(), &holder);

  auto gone = std::make_unique<Control>();
  gone->Create(10, Rect{}, root.get(), 0);
  SetCapture(gone.get());
  b.StylusDown(5, 5, 0);
  gone.reset();
  Up(5, 5);
  EXPECT_EQ(StylusCapture(), nullptr);
  EXPECT_EQ(Clicks().size(), 2u);
}

TEST_F(ButtonTest, KeysPressAndClick) {
  Button b;
  Make(b, "plain");
  SetKeyFocus(&b);
  RouteKeyDown(*root, 13, keys);
  EXPECT_EQ(b.State(), kStatePressed);
  RouteKeyUp(*root, 13, keys);
  EXPECT_EQ(b.State(), kStateReleased);
  EXPECT_EQ(Clicks().size(), 1u);
}

TEST_F(ButtonTest, AnAlphaPictureBlendsTheButtonAndTransparencyUsesTheKey) {
  Button soft, holed;
  Make(soft, "soft");
  Make(holed, "holed", kTransparent);
  holed.MoveTo(300, 300);
  Draw();
  EXPECT_EQ(PixelAt(105, 105), 0x00FC00u);  // full weight
  EXPECT_EQ(PixelAt(135, 105), 0x404040u);  // zero weight: the screen shows
  EXPECT_EQ(PixelAt(320, 310), 0x404040u);  // keyed hole
  EXPECT_EQ(PixelAt(302, 302), 0x00FC00u);
  soft.opacity = 128;  // faded: neither the button's colour nor the screen's
  Draw();
  EXPECT_NE(PixelAt(105, 105), 0x00FC00u);
  EXPECT_NE(PixelAt(105, 105), 0x404040u);
}

TEST_F(ButtonTest, OnDemandButtonsHoldOnlyTheShownStateAndSurfacesComeBackAfterASuspension) {
  Button b;
  Make(b, "full", kButtonLoadOnDemand);
  EXPECT_TRUE(b.states[kStateAppear].loaded);
  EXPECT_FALSE(b.states[kStateReleased].loaded);
  Tick(3);
  EXPECT_FALSE(b.states[kStateAppear].loaded);
  EXPECT_TRUE(b.states[kStateReleased].loaded);
  EXPECT_FALSE(b.states[kStatePressed].loaded);

  Button all;
  Make(all, "full");
  Broadcast(kNotifyReleaseSurfaces, 0, 0);
  EXPECT_FALSE(all.states[kStatePressed].HasFrames());
  Broadcast(kNotifyRestoreSurfaces, 0, 0);
  EXPECT_TRUE(all.states[kStatePressed].HasFrames());
  EXPECT_TRUE(all.states[kStateReleased].HasFrames());
  EXPECT_TRUE(b.states[kStateReleased].HasFrames());
  EXPECT_FALSE(b.states[kStatePressed].HasFrames());
}

TEST_F(ButtonTest, StatesOutsideTheFourBecomeDisabled) {
  Button b;
  Make(b, "plain");
  b.SetState(7, true);
  EXPECT_EQ(b.State(), kStateDisabled);
  b.SetState(-3, true);
  EXPECT_EQ(b.State(), kStateDisabled);
  Draw();  // no disabled picture: nothing drawn, nothing read out of range
  EXPECT_EQ(PixelAt(5, 5), 0x404040u);
}

}  // namespace
}  // namespace zelph::ui::test
