// The scroll view: holding a scroll button scrolls slowly, then fast, and stops at the end of the content;
// links and taps on its background are reported.
#include <gtest/gtest.h>

#include "ui/button.h"
#include "ui/scroll_view.h"
#include "ui/support/ui_rig.h"

namespace zelph::ui::test {
namespace {

constexpr std::uint32_t kArrow = 0x400, kPage = 0x401;

class ScrollTest : public UiRig {
 protected:
  void SetUp() override {
    UiRig::SetUp();
    Add(kArrow, Solid(20, 20, {0xFFFFFF}));
    Add(kPage, Strip(100, 100, 1, [](int, int x, int) { return x < 50 ? kKey : 0x808080; }));
    Build("[arrow]\nrel_ID=0x400\n");
    view.Create(20245, Rect{100, 100, 200, 200}, root.get(), kTransparent, 0);
    for (int i = 0; i < 10; ++i) {
      auto item = std::make_unique<Control>();
      item->Create(65635 + i, Rect{0, 100 * i, 80, 100 * i + 100}, &view, 0);
      items[i] = view.AddItem(std::move(item), 0);
    }
    for (Button* b : {&up, &down}) {
      b->CreateFromSection(b == &up ? 1 : 2, nullptr, root.get(), 0, config::GuiDocument().FindSection("arrow"));
      b->commandTarget = &view;
    }
    up.MoveTo(300, 100);
    down.MoveTo(300, 200);
    view.SetScrollButton(kScrollUp, 1);
    view.SetScrollButton(kScrollDown, 2);
    view.SetScrollSpeed(kVertical, 2, 10, 30);
    view.UpdateExtent();
  }

  ScrollView view;
  Control* items[10] = {};
  Button up, down;
};

TEST_F(ScrollTest, HoldingDownScrolls2PixelsAFrameFor30TicksThen10AndStopsAtTheEnd) {
  EXPECT_EQ(view.contentRect, (Rect{0, 0, 80, 1000}));
  EXPECT_EQ(view.maxY, 900);
  Down(305, 205);  // held from here on
  std::vector<int> steps;
  int last = 0;
  for (int frame = 0; frame < 120; ++frame) {
    Frame();
    steps.push_back(view.positionY - last);
    last = view.positionY;
  }
  EXPECT_EQ(std::vector<int>(steps.begin(), steps.begin() + 30), std::vector<int>(30, 2));
  EXPECT_EQ(std::vector<int>(steps.begin() + 30, steps.begin() + 114), std::vector<int>(84, 10));
  EXPECT_EQ(std::vector<int>(steps.begin() + 114, steps.end()), std::vector<int>(6, 0));
  EXPECT_EQ(view.positionY, 900);
  EXPECT_EQ(items[9]->rect.top, 0);  // the last item now sits at the top of the view

  Up(305, 205);  // released: no more scrolling, and the next hold starts slow again
  Frame(5);
  EXPECT_EQ(view.positionY, 900);
  Down(305, 105);
  Frame();
  EXPECT_EQ(view.positionY, 898);
  Up(305, 105);
  EXPECT_TRUE(root->With(kNotifyClicked).size() == 2);  // the arrows' clicks still reach the view's parent
}

TEST_F(ScrollTest, ScrollingIsClampedAndContentThatFitsDoesNotMove) {
  view.ScrollTo(-50, 5000);
  Draw();
  EXPECT_EQ(view.positionX, 0);
  EXPECT_EQ(view.positionY, 900);
  view.ScrollTo(0, 250);
  Draw();
  EXPECT_EQ(items[0]->rect.top, -250);

  ScrollView small;
  small.Create(1, Rect{0, 0, 100, 100}, root.get(), 0, 0);
  auto only = std::make_unique<Control>();
  only->Create(5, Rect{0, 0, 50, 50}, &small, 0);
  Control* item = small.AddItem(std::move(only), 0);
  small.UpdateExtent();
  small.ScrollTo(0, 30);
  Draw();
  EXPECT_EQ(small.maxY, 0);
  EXPECT_EQ(item->rect.top, 0);
}

// A page whose items begin below its top still scrolls far enough to show its last line whole.
TEST_F(ScrollTest, AGapAboveTheFirstItemDoesNotCutOffTheLast) {
  ScrollView page;
  page.Create(1, Rect{0, 0, 100, 100}, root.get(), 0, 0);
  Control* last = nullptr;
  for (int i = 0; i < 3; ++i) {
    auto item = std::make_unique<Control>();
    item->Create(10 + i, Rect{0, 8 + 60 * i, 50, 8 + 60 * i + 60}, &page, 0);
    last = page.AddItem(std::move(item), 0);
  }
  page.UpdateExtent();
  EXPECT_EQ(page.maxY, 88);
  page.ScrollTo(0, 1000);
  Draw();
  EXPECT_EQ(last->rect.bottom, 100);  // the last item ends at the view's bottom edge
}

TEST_F(ScrollTest, ItemsComeAndGo) {
  auto again = view.RemoveItem(65635, false);
  ASSERT_TRUE(again);
  EXPECT_EQ(again->Parent(), nullptr);
  EXPECT_EQ(view.Items().size(), 9u);
  Control* back = view.AddItem(std::move(again), 0);
  EXPECT_EQ(view.AddItem(nullptr, 0), nullptr);
  EXPECT_EQ(back->Parent(), &view);
  EXPECT_EQ(view.RemoveItem(65636, true), nullptr);
  EXPECT_EQ(view.Items().size(), 9u);
  view.ClearItems();
  EXPECT_TRUE(view.Children().empty());
}

TEST_F(ScrollTest, AClickedLinkItemIsReportedWithItsNameAndOrdinaryClicksPassOn) {
  auto link = std::make_unique<Control>();
  link->Create(kFirstLinkId, Rect{0, 0, 10, 10}, &view, 0);
  link->name = u"scores";
  Control* linkItem = view.AddItem(std::move(link), 0);

  struct LinkCatcher : Control {
    Result Notify(std::uint32_t code, std::intptr_t argument, std::uint32_t) override {
      if (code == kNotifyLink) {
        const auto* notice = reinterpret_cast<const LinkNotice*>(argument);
        item = notice->item;
        name = notice->name;
      }
      return kPassOn;
    }
    Control* item = nullptr;
    std::string name;
  } catcher;
  catcher.Create(9, Rect{}, root.get(), 0);
  view.commandTarget = &catcher;
  Send(&view, kNotifyClicked, ArgOf(linkItem), kFirstLinkId);
  EXPECT_EQ(catcher.item, linkItem);
  EXPECT_EQ(catcher.name, "scores");

  Send(&view, kNotifyClicked, ArgOf(items[0]), 65635);
  EXPECT_EQ(root->With(kNotifyClicked), (std::vector<Notice>{{kNotifyClicked, ArgOf(items[0]), 65635}}));
}

TEST_F(ScrollTest, AReleaseOnAKeyColouredBackgroundPixelIsReported) {
  ScrollView page;
  page.Create(3, Rect{300, 300, 400, 400}, root.get(), kScrollPixelHit | kTransparent, kPage);
  ASSERT_TRUE(page.hasBackground);
  Draw();
  EXPECT_EQ(PixelAt(310, 310), 0x404040u);  // keyed
  EXPECT_EQ(PixelAt(390, 310), 0x808080u);
  EXPECT_EQ(Up(390, 310), kHandled);
  EXPECT_TRUE(root->With(kNotifyBackgroundTap).empty());
  Up(310, 310);
  EXPECT_EQ(root->With(kNotifyBackgroundTap).size(), 1u);
}

}  // namespace
}  // namespace zelph::ui::test
