// Whole windows composed from a GUI document and compared with stored pictures (tests/golden). After a
// deliberate change to how controls look, run test_ui with ZELPH_UPDATE_GOLDEN=1 and review the new PNGs.
#include <gtest/gtest.h>

#include "ui/edit_field.h"
#include "ui/fonts.h"
#include "ui/menu_window.h"
#include "ui/message_box.h"
#include "ui/on_screen_keyboard.h"
#include "ui/scroll_view.h"
#include "ui/support/ui_rig.h"
#include "ui/text_label.h"

namespace zelph::ui::test {
namespace {

constexpr std::uint32_t kBack = 0x800, kHead = 0x801, kHeadAlpha = 0x802, kButtonUp = 0x803,
                        kButtonDown = 0x804, kClose = 0x805, kBox = 0x806, kOk = 0x807, kCancel = 0x808,
                        kKeys = 0x809, kFont = 0x80A, kFontAlpha = 0x80B;

gfx::Color Mix(int r, int g, int b) {
  return static_cast<gfx::Color>(r & 0xFF) | static_cast<gfx::Color>(g & 0xFF) << 8 |
         static_cast<gfx::Color>(b & 0xFF) << 16;
}

// A rounded button face: key-coloured corners, a lighter rim.
Bytes Face(int w, int h, gfx::Color fill, gfx::Color rim, int frames = 1) {
  return Strip(w, h, frames, [=](int f, int x, int y) -> gfx::Color {
    const bool corner = (x < 3 || x >= w - 3) && (y < 3 || y >= h - 3);
    if (corner) return kKey;
    const bool edge = x < 2 || y < 2 || x >= w - 2 || y >= h - 2;
    return edge ? rim : (f % 2 ? rim : fill);
  });
}

class GoldenTest : public UiRig {
 protected:
  void SetUp() override {
    UiRig::SetUp();
    Add(kBack, Strip(640, 480, 1, [](int, int x, int y) { return Mix(20 + y / 6, 30 + x / 8, 90); }));
    Add(kHead, Solid(300, 60, {0x30C0F0}));
    Add(kHeadAlpha, Alpha(300, 60, [](int x, int y) {
          const int dx = x - 150, dy = (y - 30) * 5;
          const int d = dx * dx + dy * dy;
          return static_cast<std::uint8_t>(d >= 150 * 150 ? 0 : 255 - d * 255 / (150 * 150));
        }));
    Add(kButtonUp, Face(160, 36, Mix(40, 120, 40), Mix(140, 230, 140)));
    Add(kButtonDown, Face(160, 36, Mix(20, 70, 20), Mix(90, 160, 90), 2));
    Add(kClose, Face(24, 24, Mix(160, 30, 30), Mix(240, 200, 200)));
    Add(kBox, Face(260, 130, Mix(60, 50, 110), Mix(180, 170, 230)));
    // Message-box buttons are drawn without the colour key: square pictures.
    Add(kOk, Solid(70, 24, {Mix(40, 120, 40)}));
    Add(kCancel, Solid(70, 24, {Mix(130, 40, 40)}));
    Add(kKeys, Strip(400, 150, 2, [](int f, int x, int y) -> gfx::Color {
          const int row = y / 30;
          if (y % 30 >= 25 || row >= kKeyboardRows) return Mix(30, 30, 30);
          int left = 0;
          for (const KeyRecord& key : KeyRow(row, true)) {
            if (x == left) return Mix(30, 30, 30);
            left += key.width;
          }
          return f ? Mix(200, 200, 170) : Mix(210, 210, 210);
        }));
    AddReadableFont(kFont, kFontAlpha);
    Build(
        "[menu]\nButtonsShowDelayTicks=2\nBetweenButtonsTicks=4\n"
        "[menu_back]\nimage=0x800\n"
        "[menu_head]\nimage_rect=170 20 0 0\nimage=0x801\nimage_a=0x802\n"
        "[close_x_btn]\nrect=606 10 0 0\nrel_ID=0x805\n"
        "[new_game]\nrect=240 140 0 0\nrel_ID=0x803\npres_ID=0x804\nanimpar=0 1 5 1\n"
        "[options]\nrect=240 190 0 0\nrel_ID=0x803\npres_ID=0x804\nanimpar=0 1 5 1\n"
        "[quit]\nrect=240 240 0 0\nrel_ID=0x803\npres_ID=0x804\nanimpar=0 1 5 1\n"
        "[fonts]\nt=0x80A\nt_a=0x80B\n"
        "[question]\nimage=0x806\ntext_color=255 240 120\ntext_font=0x80A\ntext_font_a=0x80B\n"
        "text_rect=10 12 240 84\nok_bnt=box_ok\ncancel_bnt=box_cancel\n"
        "[box_ok]\nrel_ID=0x807\n"
        "[box_cancel]\nrel_ID=0x808\n");
    font = LoadFont(config::GuiDocument().FindSection("fonts"), "t");
    ASSERT_TRUE(font);
  }

  // The main menu, half way through its buttons appearing, with the first button held down.
  void BuildMenu(MenuWindow& w) {
    w.Create(20014, Rect{0, 0, kScreenW, kScreenH}, root.get(), kHitTopmostFirst);
    w.LoadSection("menu");
    w.AddImage("menu_back", 0);
    w.AddImage("menu_head", kTransparent);
    w.AddButton("new_game", 20015, true, true);
    w.AddButton("options", 20017, true, true);
    w.AddButton("quit", 20016, true, true);
    w.AddCloseButton();
    for (const char* text : {"NEW GAME", "OPTIONS", "QUIT"}) {
      const int i = static_cast<int>(labels.size());
      auto& label = labels.emplace_back(std::make_unique<TextLabel>());
      const std::u16string wide(text, text + std::char_traits<char>::length(text));
      label->CreateWithFont(100 + i, Rect{240, 150 + 50 * i, 400, 166 + 50 * i}, &w, kTransparent, font.get(),
                            wide, kTextCentered, i == 1 ? 0x80FFFF : 0);
      label->zOrder = 10;
      label->visible = i < 2;  // over the buttons that are out
      w.SortChildren();
    }
    Tick(6);  // two of the three buttons are out
    Tap(250, 150);
    Tick();
  }

  std::unique_ptr<gfx::AlphaFont> font;
  std::vector<std::unique_ptr<TextLabel>> labels;
};

TEST_F(GoldenTest, MainMenuWithButtonsAppearing) {
  MenuWindow menu;
  BuildMenu(menu);
  Draw();
  ExpectGolden("menu_appearing");
}

TEST_F(GoldenTest, QuestionBoxOverTheMenu) {
  MenuWindow menu;
  BuildMenu(menu);
  MessageBox box;
  ASSERT_EQ(box.CreateFromSection(0x2000000, u"This will end \\nyour current game!\\nAre you sure?", 0x2030200, 150,
                                  config::GuiDocument().FindSection("question")),
            S_OK);
  Draw();
  ExpectGolden("question_box");
}

TEST_F(GoldenTest, NameEntryWithKeyboard) {
  EditField field;
  field.CreateWithFont(20035, Rect{200, 100, 440, 124}, root.get(), 0, font.get(), 11, 0, 0, 10);
  field.SetMaxLength(8);
  field.overwrite = true;
  field.cursorTop = 1;
  field.cursorBottom = -2;
  field.padWithFill = true;
  OnScreenKeyboard keyboard;
  keyboard.Create(20036, Rect{120, 200, 520, 350}, root.get(), 0, kKeys, 2);
  for (int row = 0; row < kKeyboardRows; ++row) keyboard.AddRow(Rect{0, row * 30, 400, row * 30 + 25}, KeyRow(row, true));
  SetKeyFocus(&field);
  Tap(120 + 3, 200 + 3 * 30 + 5);  // shift
  Tap(120 + 26 + 5 + 26 * 2, 200 + 30 + 5);    // E
  for (char32_t c : std::u32string_view(U"ddie")) Type(c);
  Down(120 + 54 + 5, 200 + 2 * 30 + 5);  // "a" held down
  Draw();
  ExpectGolden("name_entry");
}

TEST_F(GoldenTest, ScrolledPageOfText) {
  ScrollView page;
  page.Create(20245, Rect{170, 80, 370, 180}, root.get(), kTransparent, 0);
  int y = 0;
  for (int i = 0; i < 12; ++i) {
    auto label = std::make_unique<TextLabel>();
    const std::string line = "Line " + std::to_string(i + 1) + ": cut the field and capture it";
    label->CreateWithFont(65635 + i, Rect{0, y, 150, y + 10}, &page, kTransparent | kLabelWordWrap | kLabelFitHeight,
                          font.get(), std::u16string(line.begin(), line.end()), i % 2 ? kTextRight : kTextLeft, 0);
    y = label->rect.bottom + 4;
    page.AddItem(std::move(label), 0);
  }
  page.UpdateExtent();
  page.ScrollTo(0, 37);
  Draw();
  ExpectGolden("scrolled_page");
}

}  // namespace
}  // namespace zelph::ui::test
