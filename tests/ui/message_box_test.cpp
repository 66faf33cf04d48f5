// Message boxes: where they sit, what they dim, which taps reach them, how they close and nest, and when
// their sound plays.
#include <gtest/gtest.h>

#include "gfx/char_sets.h"
#include "ui/message_box.h"
#include "ui/support/ui_rig.h"

namespace zelph::ui::test {
namespace {

constexpr std::uint32_t kBoxPicture = 0x500, kOk = 0x501, kCancel = 0x502, kFont = 0x503, kFontAlpha = 0x504;
constexpr gfx::Color kScreen = 0x404040;

class BoxTest : public UiRig {
 protected:
  void SetUp() override {
    UiRig::SetUp();
    Add(kBoxPicture, Solid(200, 100, {0x806040}));
    Add(kOk, Solid(60, 20, {0x00FF00}));
    Add(kCancel, Solid(60, 20, {0x0000FF}));
    const std::u16string ascii = gfx::CharSetString(gfx::kCharSetEnglish);
    Add(kFont, MonoFont(ascii));
    Add(kFontAlpha, MonoFontAlpha(ascii));
    Build(
        "[box]\nimage=0x500\ntext_color=255 255 0\ntext_font=0x503\ntext_font_a=0x504\nok_bnt=ok\n"
        "cancel_bnt=cancel\nshow_sound=0x7002\n"
        "[box_no_cancel]\nimage=0x500\nok_bnt=ok\n"
        "[box_broken]\nimage=0x5FF\nok_bnt=ok\n"
        "[ok]\nrel_ID=0x501\n"
        "[cancel]\nrel_ID=0x502\n");
  }
  const config::ConfigSection* Section(const char* name) { return config::GuiDocument().FindSection(name); }
  std::unique_ptr<MessageBox> Open(std::uint32_t flags, const char* section = "box", std::uint32_t id = 0x2000000,
                                   std::u16string_view text = u"Sure?") {
    auto box = std::make_unique<MessageBox>();
    EXPECT_EQ(box->CreateFromSection(id, text, flags, 150, Section(section)), S_OK);
    return box;
  }
};

TEST_F(BoxTest, ABoxOfA200By100PictureSitsAt220By180AndDimsTheScreenBehindIt) {
  auto box = Open(0x2030200);
  EXPECT_EQ(box->rect, (Rect{220, 180, 420, 280}));
  EXPECT_EQ(box->Parent(), root.get());
  EXPECT_EQ(ModalTop(), box.get());
  EXPECT_EQ(box->okButton.rect, (Rect{20, 67, 80, 87}));  // centred on a quarter, under the text
  EXPECT_EQ(box->cancelButton.rect, (Rect{120, 67, 180, 87}));
  Draw();
  EXPECT_EQ(PixelAt(10, 10), gfx::PixelToColor(gfx::HalfBlend(gfx::ColorToPixel(kScreen), 0)));
  EXPECT_EQ(PixelAt(225, 185), gfx::PixelToColor(gfx::ColorToPixel(0x806040)));
  EXPECT_EQ(PixelAt(250, 255), 0x00FC00u);
}

TEST_F(BoxTest, TheQuestionShowsOnThreeCentredLines) {
  auto box = Open(0x2030200, "box", 0x2000000, u"This will end \\nyour current game!\\nAre you sure?");
  EXPECT_EQ(box->text.lines,
            (std::vector<std::u16string>{u"This will end ", u"your current game!", u"Are you sure?"}));
  EXPECT_EQ(box->text.alignment, kTextCentered);
  EXPECT_EQ(box->text.color, 0x00FFFFu);
}

TEST_F(BoxTest, TheKeysAnswerTheBoxEnterOkEscapeCancelOrOkWithoutCancel) {
  auto asked = Open(0x2030200);
  EXPECT_EQ(RouteKeyDown(*root, 13, keys), kHandled) << "a modal box takes the keys";
  auto twice = Open(0x2030200);
  RouteKeyDown(*root, 27, keys);  // Escape
  auto single = Open(0x30000);
  RouteKeyDown(*root, 27, keys);
  EXPECT_EQ(root->With(kNotifyBoxClosed),
            (std::vector<Notice>{{kNotifyBoxClosed, ArgOf(asked.get()), kBoxOk},
                                 {kNotifyBoxClosed, ArgOf(twice.get()), kBoxCancel},
                                 {kNotifyBoxClosed, ArgOf(single.get()), kBoxOk}}));
}

TEST_F(BoxTest, OneButtonIsCentredAndAMissingCancelLeavesOkAlone) {
  auto single = Open(0x30000);
  EXPECT_EQ(single->okButton.rect.left, 70);
  EXPECT_EQ(single->cancelButton.Parent(), nullptr);
  auto lonely = Open(0x2030200, "box_no_cancel");
  EXPECT_EQ(lonely->okButton.rect.left, 20);
  EXPECT_EQ(lonely->cancelButton.Parent(), nullptr);
}

TEST_F(BoxTest, TapsOutsideReachNothingAndCancelClosesTheBoxAndRestoresThePreviousModalTop) {
  auto lower = Open(0x2030200);
  auto upper = KeepUntilClosed(Open(0x2030200, "box", 0x2000005));
  EXPECT_EQ(ModalTop(), upper);
  EXPECT_EQ(Down(10, 10), kNotHandled);
  EXPECT_TRUE(root->taps.empty());
  Tap(350, 255);  // Cancel of the upper box
  EXPECT_EQ(root->With(kNotifyBoxClosed), (std::vector<Notice>{{kNotifyBoxClosed, ArgOf(upper), kBoxCancel}}));
  EXPECT_EQ(ModalTop(), lower.get());
  EXPECT_EQ(root->Children(), (std::vector<Control*>{lower.get()}));  // the upper box is gone

  Recorder owner;
  owner.Create(3, Rect{}, root.get(), 0);
  lower->commandTarget = &owner;
  Tap(250, 255);  // OK; without autoDestroy the box stays for its owner to close
  EXPECT_EQ(owner.With(kNotifyBoxClosed), (std::vector<Notice>{{kNotifyBoxClosed, ArgOf(lower.get()), kBoxOk}}));
  EXPECT_EQ(ModalTop(), lower.get());
  lower.reset();
  EXPECT_EQ(ModalTop(), nullptr);
}

TEST_F(BoxTest, AnOwnerMayEndItsBoxOnHearingTheAnswer) {
  struct Ender : Control {
    Result Notify(std::uint32_t code, std::intptr_t, std::uint32_t answer) override {
      if (code == kNotifyBoxClosed) {
        heard = answer;
        box.reset();
      }
      return kConsumed;
    }
    std::unique_ptr<MessageBox> box;
    std::uint32_t heard = 0;
  } ender;
  ender.Create(3, Rect{}, root.get(), 0);
  ender.box = Open(0x30000);
  ender.box->commandTarget = &ender;
  Tap(300, 255);
  EXPECT_EQ(ender.heard, kBoxOk);
  EXPECT_EQ(ender.box, nullptr);
  EXPECT_EQ(ModalTop(), nullptr);
  Frame();
}

TEST_F(BoxTest, KeysGoToTheBoxUnlessSomethingHoldsTheFocus) {
  auto box = Open(0x30000);
  Recorder owner;
  owner.Create(3, Rect{}, root.get(), 0);
  box->commandTarget = &owner;
  Key(13);
  EXPECT_TRUE(root->keys.empty());  // the box took it (and does nothing with it)
  SetKeyFocus(root.get());
  Key(13);
  EXPECT_EQ(root->keys.size(), 1u);
}

TEST_F(BoxTest, TheShowSoundPlaysOnceOnTheFirstTickNotAtCreation) {
  auto box = Open(0x30000);
  EXPECT_FALSE(box->showSound.IsSoundPlaying());
  Tick();
  EXPECT_TRUE(box->showSound.IsSoundPlaying());
  EXPECT_EQ(box->showSound.GetSoundVolume(), kShowSoundVolume);
  box->showSound.StopSound();
  Tick(3);
  EXPECT_FALSE(box->showSound.IsSoundPlaying());
  EXPECT_EQ(box->shownTicks, 4);
}

TEST_F(BoxTest, ABoxWhosePictureFailsOrThatHasNoRootIsNotShown) {
  auto broken = std::make_unique<MessageBox>();
  EXPECT_EQ(broken->CreateFromSection(1, u"x", 0x30000, 150, Section("box_broken")), gfx::GFX_E_NO_RESOURCE);
  EXPECT_EQ(broken->Parent(), nullptr);
  EXPECT_EQ(ModalTop(), nullptr);
  EXPECT_EQ(broken->CreateFromSection(1, u"x", 0x30000, 150, nullptr), E_INVALIDARG);

  root.reset();
  MessageBox orphan;
  EXPECT_EQ(orphan.CreateFromSection(1, u"x", 0x30000, 150, Section("box")), gfx::GFX_E_GENERIC);
  EXPECT_EQ(ModalTop(), nullptr);
}

}  // namespace
}  // namespace zelph::ui::test
