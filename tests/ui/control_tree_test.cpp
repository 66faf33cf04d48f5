// The tree as a player meets it: what covers what, who gets a tap, the stylus held by a pressed control,
// modal windows, key focus, input switched off for a few frames, and pointers cleared when controls go.
#include <gtest/gtest.h>

#include "ui/support/ui_rig.h"

namespace zelph::ui::test {
namespace {

// A coloured rectangle that takes taps and writes down what happened to it.
class Patch : public Control {
 public:
  explicit Patch(gfx::Color c, std::vector<std::string>* log = nullptr, std::string tag = {})
      : color(c), log_(log), tag_(std::move(tag)) {}
  Result Draw(gfx::Surface& target, int originX, int originY, const Rect&) override {
    const Rect r{DrawX(originX), DrawY(originY), DrawX(originX) + static_cast<int>(visibleRect.Width()),
                 DrawY(originY) + static_cast<int>(visibleRect.Height())};
    gfx::FillRect(target, &r, color);
    return S_OK;
  }
  Result Tick(std::uint32_t) override {
    Log("tick");
    return S_OK;
  }
  Result StylusDown(int x, int y, std::uint32_t) override { return Hit("down", x, y); }
  Result StylusMove(int x, int y, std::uint32_t) override { return Hit("move", x, y); }
  Result StylusUp(int x, int y, std::uint32_t) override { return Hit("up", x, y); }
  Result KeyDown(int code, std::uint32_t raw) override {
    Log("key " + std::to_string(code) + "/" + std::to_string(raw));
    return kHandled;
  }

  gfx::Color color;

 private:
  Result Hit(const char* what, int x, int y) {
    Log(std::string(what) + " " + std::to_string(x) + "," + std::to_string(y));
    return kHandled;
  }
  void Log(const std::string& what) {
    if (log_) log_->push_back(tag_ + " " + what);
  }
  std::vector<std::string>* log_;
  std::string tag_;
};

class TreeTest : public UiRig {
 protected:
  void SetUp() override {
    UiRig::SetUp();
    Build("[empty]\nx=1\n");
  }
  std::vector<std::string> log;
};

TEST_F(TreeTest, EqualZOrderDrawsInAddingOrderAndTheTopmostTakesTheTapWithFlag8) {
  Patch first(0x0000FF, &log, "first"), second(0x00FF00, &log, "second");
  first.Create(10, Rect{100, 100, 200, 200}, root.get(), 0);
  second.Create(11, Rect{150, 150, 250, 250}, root.get(), 0);
  Draw();
  EXPECT_EQ(PixelAt(175, 175), 0x00FC00u);  // the later one covers the earlier
  EXPECT_EQ(PixelAt(120, 120), 0x0000F8u);

  Down(175, 175);  // the root has flag 8: from the last child
  root->flags &= ~kHitTopmostFirst;
  Down(175, 175);  // now from the first
  EXPECT_EQ(log, (std::vector<std::string>{"second down 25,25", "first down 75,75"}));
}

TEST_F(TreeTest, ZOrderPutsAHigherChildAboveLaterOnesAndStaysSorted) {
  Patch top(0x0000FF), low(0x00FF00);
  top.zOrder = 1000;
  top.Create(10, Rect{0, 0, 50, 50}, root.get(), 0);
  low.Create(11, Rect{0, 0, 50, 50}, root.get(), 0);
  root->AddChild(&low);  // not added twice
  ASSERT_EQ(root->Children().size(), 2u);
  EXPECT_EQ(root->Children()[0], &low);
  Draw();
  EXPECT_EQ(PixelAt(10, 10), 0x0000F8u);
}

TEST_F(TreeTest, EdgesOfAChildAreInsideOnAllFourSides) {
  Patch parent(0x808080, &log, "parent"), child(0xFFFFFF, &log, "child");
  parent.Create(10, Rect{100, 100, 300, 300}, root.get(), 0);
  child.Create(11, Rect{20, 30, 60, 70}, &parent, 0);
  Down(100 + 60, 100 + 70);  // right and bottom edge
  Down(100 + 20, 100 + 30);  // left and top edge
  Down(100 + 61, 100 + 50);  // one past the right edge
  EXPECT_EQ(log, (std::vector<std::string>{"child down 40,40", "child down 0,0", "parent down 61,50"}));
}

TEST_F(TreeTest, AnUnhandledTapFallsToTheParentAndHiddenOrDeafChildrenAreSkipped) {
  Control plain;  // answers "not handled"
  Patch under(0x808080, &log, "under"), hidden(0xFFFFFF, &log, "hidden"), deaf(0xFFFFFF, &log, "deaf");
  under.Create(10, Rect{0, 0, 100, 100}, root.get(), 0);
  plain.Create(11, Rect{10, 10, 90, 90}, &under, 0);
  hidden.Create(12, Rect{10, 10, 90, 90}, &under, 0);
  hidden.visible = false;
  deaf.Create(13, Rect{10, 10, 90, 90}, &under, kInputDisabled);
  EXPECT_EQ(Down(50, 50), kHandled);
  EXPECT_EQ(log, (std::vector<std::string>{"under down 50,50"}));
  EXPECT_EQ(Down(600, 400), kNotHandled);  // nobody there: dropped
}

TEST_F(TreeTest, TheStylusCaptureGetsMovesAndTheReleaseWhereverTheyLand) {
  Patch holder(0xFFFFFF, &log, "holder"), other(0x808080, &log, "other");
  holder.Create(10, Rect{100, 100, 150, 150}, root.get(), 0);
  other.Create(11, Rect{300, 300, 400, 400}, root.get(), 0);
  SetCapture(&holder);
  Move(350, 350);
  Up(20, 30);
  SetCapture(nullptr);
  Down(350, 350);
  EXPECT_EQ(log, (std::vector<std::string>{"holder move 250,250", "holder up -80,-70", "other down 50,50"}));
}

TEST_F(TreeTest, WhileAModalWindowIsOpenTapsOutsideItReachNothingAndKeysGoToIt) {
  // Like a message box: only its button takes taps.
  class Box : public Patch {
   public:
    using Patch::Patch;
    Result StylusDown(int, int, std::uint32_t) override { return kNotHandled; }
  };
  Patch screen(0x808080, &log, "screen"), button(0xFFFFFF, &log, "button");
  Box box(0xFFFFFF, &log, "box");
  screen.Create(10, Rect{0, 0, 640, 480}, root.get(), 0);
  box.Create(11, Rect{200, 200, 300, 260}, root.get(), 0);
  button.Create(12, Rect{10, 10, 50, 30}, &box, 0);
  PushModal(&box);
  EXPECT_EQ(Down(10, 10), kNotHandled);
  Down(215, 220);
  Key(38);
  Patch field(0xFF0000, &log, "field");
  field.Create(13, Rect{500, 0, 510, 10}, &screen, 0);
  SetKeyFocus(&field);
  Key(13);
  RemoveModal(&box);
  Down(10, 10);
  EXPECT_EQ(log, (std::vector<std::string>{"button down 5,10", "box key 2/38", "field key 5/13",
                                           "screen down 10,10"}));
}

TEST_F(TreeTest, KeysGoToExactlyOneControlAndSkipHiddenOnes) {
  Patch focus(0xFFFFFF, &log, "focus");
  focus.Create(10, Rect{0, 0, 10, 10}, root.get(), 0);
  SetKeyFocus(&focus);
  focus.visible = false;  // a hidden focus is passed over, straight to the root
  Key(39);
  Key(1234);
  ASSERT_EQ(root->keys.size(), 2u);
  EXPECT_EQ(root->keys[0], (Notice{static_cast<std::uint32_t>(kKeyRight), 39, 0}));
  EXPECT_EQ(root->keys[1], (Notice{static_cast<std::uint32_t>(kKeyOther), 1234, 0}));
  EXPECT_TRUE(log.empty());
}

TEST_F(TreeTest, KeyCodesFollowTheDeviceKeyList) {
  const gfx::KeyList device{1, 2, 3, 4, 5, 6, 7, 8};
  const int expected[] = {kKeyUp, kKeyDown, kKeyLeft, kKeyRight, kKeyA, kKeyB, kKeyC, kKeyStart};
  for (std::uint32_t raw = 1; raw <= 8; ++raw) EXPECT_EQ(KeyCodeFor(raw, device), expected[raw - 1]) << raw;
  EXPECT_EQ(KeyCodeFor(0, gfx::KeyList{}), kKeyOther);  // an unassigned key is nobody's
}

TEST_F(TreeTest, DisableInputForThreeIgnoresTheStylusForThreeDrawsAndAcceptsItFromTheFourth) {
  Patch target(0xFFFFFF, &log, "target");
  target.Create(10, Rect{0, 0, 100, 100}, root.get(), 0);
  target.DisableInputFor(3);
  for (int draw = 1; draw <= 4; ++draw) {
    Draw();
    Down(5, 5);
    EXPECT_EQ(log.size(), draw < 4 ? 0u : 1u) << "after draw " << draw;
  }
  target.DisableInputFor(5);
  target.DisableInputFor(0);
  EXPECT_TRUE(target.inputEnabled);
}

TEST_F(TreeTest, ParentsTickBeforeChildrenAndHiddenSubtreesNeitherTickNorDraw) {
  Patch a(0xFFFFFF, &log, "a"), a1(0xFFFFFF, &log, "a1"), b(0x00FF00, &log, "b"), b1(0xFFFFFF, &log, "b1");
  a.Create(10, Rect{0, 0, 50, 50}, root.get(), 0);
  a1.Create(11, Rect{0, 0, 10, 10}, &a, 0);
  b.Create(12, Rect{100, 0, 150, 50}, root.get(), 0);
  b1.Create(13, Rect{0, 0, 10, 10}, &b, 0);
  b.visible = false;
  Frame();
  EXPECT_EQ(log, (std::vector<std::string>{"a tick", "a1 tick"}));
  EXPECT_EQ(PixelAt(120, 20), 0x404040u);
  a1.ticking = false;
  log.clear();
  Tick();
  EXPECT_EQ(log, (std::vector<std::string>{"a tick"}));
}

TEST_F(TreeTest, ChildrenAreClippedToTheirParentAndPlacedByTheirAncestors) {
  Patch parent(0x0000FF), child(0x00FF00);
  parent.Create(10, Rect{100, 100, 150, 150}, root.get(), 0);
  child.Create(11, Rect{-10, 40, 30, 80}, &parent, 0);  // sticks out left and below
  Draw();
  EXPECT_EQ(PixelAt(100, 145), 0x00FC00u);
  EXPECT_EQ(PixelAt(95, 145), 0x404040u);
  EXPECT_EQ(PixelAt(110, 155), 0x404040u);
  EXPECT_EQ(PixelAt(135, 145), 0x0000F8u);

  int x = 5, y = 6;
  child.ToScreen(&x, &y);
  EXPECT_EQ(x, 95);
  EXPECT_EQ(y, 146);
  child.FromScreen(&x, &y);
  EXPECT_EQ(x, 5);
  EXPECT_EQ(y, 6);
  EXPECT_EQ(child.ToScreen(Rect{0, 0, 1, 1}), (Rect{90, 140, 91, 141}));
}

TEST_F(TreeTest, AnOwnSurfaceIsComposedWithTheColourKey) {
  Patch holder(gfx::kMagenta), inner(0x00FF00);
  holder.Create(10, Rect{50, 50, 100, 100}, root.get(), kOwnSurface);
  ASSERT_TRUE(holder.hasSurface);
  inner.Create(11, Rect{10, 10, 20, 20}, &holder, 0);
  Draw();
  EXPECT_EQ(PixelAt(65, 65), 0x00FC00u);
  EXPECT_EQ(PixelAt(55, 55), 0x404040u);  // the holder's own key colour lets the screen through
}

TEST_F(TreeTest, NotificationsFindTheirTargets) {
  Patch a(0), b(0), c(0);
  a.Create(10, Rect{}, root.get(), 0);
  b.Create(20, Rect{}, &a, 0);
  c.Create(20, Rect{}, root.get(), 0);
  EXPECT_EQ(root->FindById(20), &b);  // depth first
  EXPECT_EQ(root->FindById(99), nullptr);
  EXPECT_EQ(Send(nullptr, 32, 0, 0), kNoTarget);

  EXPECT_EQ(Send(&b, kNotifyVisible, 0, 0), kConsumed);
  EXPECT_FALSE(b.visible);
  EXPECT_EQ(Send(&b, 12345, 0, 0), kPassOn);
  c.SendToParent(77, 5, 20);
  b.commandTarget = root.get();
  b.SendToOwner(78, 6, 20);
  EXPECT_EQ(root->With(77), (std::vector<Notice>{{77, 5, 20}}));
  EXPECT_EQ(root->With(78), (std::vector<Notice>{{78, 6, 20}}));

  // A control that answers kSkipChildren keeps the broadcast from its subtree.
  class Gate : public Control {
   public:
    Result Notify(std::uint32_t code, std::intptr_t, std::uint32_t) override {
      ++seen;
      return code == 1 ? kSkipChildren : kPassOn;
    }
    int seen = 0;
  };
  Gate gate, below;
  gate.Create(30, Rect{}, root.get(), 0);
  below.Create(31, Rect{}, &gate, 0);
  Broadcast(1, 0, 0);
  Broadcast(2, 0, 0);
  EXPECT_EQ(gate.seen, 2);
  EXPECT_EQ(below.seen, 1);
  EXPECT_EQ(root->With(1).size(), 1u);
}

TEST_F(TreeTest, AControlThatGoesClearsEveryPointerToItAndLetsGoOfItsChildren) {
  Patch kept(0);
  {
    Patch gone(0);
    gone.Create(10, Rect{0, 0, 10, 10}, root.get(), 0);
    kept.Create(11, Rect{0, 0, 5, 5}, &gone, 0);
    SetKeyFocus(&gone);
    SetCapture(&gone);
    PushModal(&gone);
  }
  EXPECT_EQ(KeyFocus(), nullptr);
  EXPECT_EQ(StylusCapture(), nullptr);
  EXPECT_EQ(ModalTop(), nullptr);
  EXPECT_EQ(kept.Parent(), nullptr);
  EXPECT_EQ(root->Children().size(), 0u);
  EXPECT_EQ(Down(2, 2), kNotHandled);
}

TEST_F(TreeTest, FocusAndCaptureChangesTellTheLoser) {
  class Loser : public Control {
   public:
    Result FocusLost(Control* next) override {
      focusTo = next;
      return S_OK;
    }
    Result CaptureLost(Control* next) override {
      captureTo = next;
      return S_OK;
    }
    Control* focusTo = this;
    Control* captureTo = this;
  };
  Loser a, b;
  a.Create(10, Rect{}, root.get(), 0);
  b.Create(11, Rect{}, root.get(), 0);
  SetKeyFocus(&a);
  EXPECT_EQ(SetKeyFocus(&b), &a);
  EXPECT_EQ(a.focusTo, &b);
  SetCapture(&a);
  EXPECT_EQ(SetCapture(nullptr), &a);
  EXPECT_EQ(a.captureTo, nullptr);
}

}  // namespace
}  // namespace zelph::ui::test
