// Typing a name: the edit field's length limit, filter, modes, cursor and notifications, and the on-screen
// keyboard that feeds it through the key routing.
#include <gtest/gtest.h>

#include <numeric>

#include "gfx/char_sets.h"
#include "ui/edit_field.h"
#include "ui/on_screen_keyboard.h"
#include "ui/support/ui_rig.h"

namespace zelph::ui::test {
namespace {

constexpr std::uint32_t kFont = 0x600, kKeyboard = 0x601;
constexpr int kRowHeight = 25, kRowGap = 30, kKeyboardTop = 300;

class TypingTest : public UiRig {
 protected:
  void SetUp() override {
    UiRig::SetUp();
    Add(kFont, MonoFont(gfx::CharSetString(gfx::kCharSetEnglish)));
    Add(kKeyboard, Solid(400, 150, {0xC0C0C0, 0xA0A0A0}));
    Build("[add_score]\nedit_font=0x600\nkey_press_sound=0x7002\n");
    field.CreateFromSection(20035, Rect{100, 100, 200, 120}, root.get(), 0, 11, 0, 0, 10,
                            config::GuiDocument().FindSection("add_score"));
    field.commandTarget = &owner;
    owner.Create(3, Rect{}, root.get(), 0);
    keyboard.Create(20036, Rect{0, kKeyboardTop, 400, kKeyboardTop + 150}, root.get(), 0, kKeyboard, 2);
    keyboard.SetPressSound(kBeepId);
    for (int row = 0; row < kKeyboardRows; ++row) {
      keyboard.AddRow(Rect{0, row * kRowGap, 400, row * kRowGap + kRowHeight}, KeyRow(row, true));
    }
    SetKeyFocus(&field);
  }

  // Taps the key whose left edge is `left` pixels into row `row`, a little inside it.
  void TapKey(int row, int left) { Tap(left + 3, kKeyboardTop + row * kRowGap + 5); }
  // The left edge of key `index` of a VGA row.
  static int KeyLeft(int row, int index) {
    int x = 0;
    for (int i = 0; i < index; ++i) x += KeyRow(row, true)[static_cast<std::size_t>(i)].width;
    return x;
  }
  std::vector<std::intptr_t> KeyNotices() const {
    std::vector<std::intptr_t> out;
    for (const Notice& n : owner.With(kNotifyEditKey)) out.push_back(n.argument);
    return out;
  }

  EditField field;
  Recorder owner;
  OnScreenKeyboard keyboard;
};

TEST_F(TypingTest, WithMaxLength8ANinthCharacterIsRefusedInInsertModeAndReplacesInOverwriteMode) {
  field.SetMaxLength(8);
  for (char32_t c : std::u32string_view(U"abcdefghi")) Type(c);
  EXPECT_EQ(field.Text(), u"abcdefgh");
  EXPECT_EQ(field.cursor, 8);
  EXPECT_EQ(owner.With(kNotifyEditText).size(), 8u);
  EXPECT_EQ(owner.With(kNotifyEditKey).size(), 9u);  // every character is reported, taken or not

  Key(kVkInsert);
  EXPECT_TRUE(field.overwrite);
  Type(U'z');  // the cursor is at 8: nothing to replace
  EXPECT_EQ(field.Text(), u"abcdefgh");
  Key(kVkLeft);
  Key(kVkLeft);
  Type(U'y');
  Type(U'z');
  EXPECT_EQ(field.Text(), u"abcdefyz");
  EXPECT_EQ(field.cursor, 8);
}

TEST_F(TypingTest, Filter11TakesDigitsLettersAndSpaceButNotPunctuation) {
  for (char32_t c : std::u32string_view(U"a7 !")) Type(c);
  EXPECT_EQ(field.Text(), u"a7 ");
  EXPECT_FALSE(FilterAccepts(kFilterAll, U'\t'));
  EXPECT_TRUE(FilterAccepts(kFilterAll, U'!'));
  EXPECT_TRUE(FilterAccepts(kFilterOthers, U'!'));
  EXPECT_FALSE(FilterAccepts(kFilterOthers, U'x'));
  EXPECT_TRUE(FilterAccepts(kFilterLetters, U'\u0416'));  // Cyrillic Zhe
  EXPECT_FALSE(FilterAccepts(kFilterDigits | kFilterLetters, U' '));
}

TEST_F(TypingTest, EditingKeysMoveTheCursorAndRemoveCharacters) {
  field.SetText(u"name");
  field.cursor = 4;
  Key(kVkBackspace);
  EXPECT_EQ(field.Text(), u"nam");
  Key(kVkLeft);
  Key(kVkLeft);
  Key(kVkDelete);
  EXPECT_EQ(field.Text(), u"nm");
  EXPECT_EQ(field.cursor, 1);
  Key(kVkRight);
  Key(kVkRight);
  EXPECT_EQ(field.cursor, 2);
  Key(kVkBackspace);
  Key(kVkBackspace);
  Key(kVkBackspace);  // nothing left: no change reported
  EXPECT_EQ(field.Text(), u"");
  EXPECT_EQ(field.cursor, 0);
  EXPECT_EQ(owner.With(kNotifyEditText).size(), 4u);
  EXPECT_EQ(KeyNotices(), (std::vector<std::intptr_t>{8, 37, 37, 46, 39, 39, 8, 8, 8}));

  field.SetText(u"abcdefghij");
  field.cursor = 10;
  field.SetMaxLength(4);
  EXPECT_EQ(field.Text(), u"abcd");
  EXPECT_EQ(field.cursor, 4);
}

TEST_F(TypingTest, ATapTakesTheFocusAndPutsTheCursorBeforeTheCharacterUnderIt) {
  SetKeyFocus(nullptr);
  field.SetText(u"abcdef");
  Tap(100 + 12, 105);  // the third character spans 10 to 15
  EXPECT_EQ(KeyFocus(), &field);
  EXPECT_EQ(field.cursor, 2);
  Tap(100 + 95, 105);
  EXPECT_EQ(field.cursor, 6);
}

TEST_F(TypingTest, TheCursorBlinksOnlyWhileTheFieldHasTheFocusAndTheTextIsPadded) {
  field.SetMaxLength(8);
  field.padWithFill = true;
  field.SetText(u"ab");
  field.cursor = 2;
  const int cursorX = 100 + 2 + 10;
  auto cursorShown = [&] {
    Draw();
    return PixelAt(cursorX, 110) == 0xF8FCF8u;
  };
  std::vector<bool> seen;
  for (int i = 0; i < 22; ++i) {
    seen.push_back(cursorShown());
    Tick();
  }
  // Period 10: shown for 11 ticks, hidden for 10, shown again.
  std::vector<bool> expected(11, true);
  expected.insert(expected.end(), 10, false);
  expected.push_back(true);
  EXPECT_EQ(seen, expected);

  Draw();
  EXPECT_EQ(PixelAt(100 + 2 + 7 * 5 + 2, 102), 0xF8FCF8u);  // the last "_" of the padding is drawn
  SetKeyFocus(nullptr);
  EXPECT_FALSE(cursorShown());
}

TEST_F(TypingTest, ShiftTypesOneCapitalAndCapsLockStaysUntilPressedAgain) {
  const int q = KeyLeft(1, 1), shiftKey = KeyLeft(3, 0), capsKey = KeyLeft(2, 0);
  TapKey(3, shiftKey);
  EXPECT_EQ(keyboard.layout, kLayoutLatinUpper);
  TapKey(1, q);
  TapKey(1, q);
  EXPECT_EQ(field.Text(), u"Qq");
  EXPECT_EQ(keyboard.layout, kLayoutLatinLower);

  TapKey(2, capsKey);
  TapKey(1, q);
  TapKey(1, q);
  TapKey(2, capsKey);
  TapKey(1, q);
  EXPECT_EQ(field.Text(), u"QqQQq");
  EXPECT_TRUE(keyboard.pressSound.IsSoundPlaying());
  EXPECT_EQ(keyboard.pressSound.GetSoundVolume(), kKeyPressVolume);
}

TEST_F(TypingTest, ATapOnTheLineBetweenTwoKeysPressesTheLeftOne) {
  const int w = KeyLeft(1, 2);  // q ends here and w begins
  Tap(w, kKeyboardTop + kRowGap + 5);
  Tap(w + 1, kKeyboardTop + kRowGap + 5);
  EXPECT_EQ(field.Text(), u"qw");
  Tap(KeyLeft(0, 13) + 20, kKeyboardTop + 5);  // past the last key of the row: nothing
  Tap(5, kKeyboardTop + kRowHeight + 2);        // between the rows: nothing
  EXPECT_EQ(field.Text(), u"qw");
}

TEST_F(TypingTest, ControlKeysGoThroughTheKeyRoutingAndEnterSends19) {
  field.SetText(u"ab");
  field.cursor = 2;
  TapKey(0, KeyLeft(0, 12));  // backspace
  TapKey(2, KeyLeft(2, 11));  // enter
  TapKey(4, KeyLeft(4, 4));   // left arrow
  EXPECT_EQ(field.Text(), u"a");
  EXPECT_EQ(field.cursor, 0);
  EXPECT_EQ(KeyNotices(), (std::vector<std::intptr_t>{8, 19, 37}));
}

TEST_F(TypingTest, PressedShiftedAndLockedKeysAreDarkened) {
  Draw();
  const gfx::Color plain = PixelAt(5, kKeyboardTop + 5);
  Down(5, kKeyboardTop + 5);
  Draw();
  EXPECT_NE(PixelAt(5, kKeyboardTop + 5), plain);
  EXPECT_EQ(PixelAt(60, kKeyboardTop + 5), plain);
  Up(5, kKeyboardTop + 5);
  EXPECT_EQ(field.Text(), u"1");
  TapKey(3, KeyLeft(3, 0));  // shift: its key stays dark and the upper-case picture shows
  Draw();
  EXPECT_NE(PixelAt(5, kKeyboardTop + 3 * kRowGap + 5), PixelAt(60, kKeyboardTop + 3 * kRowGap + 5));
  EXPECT_EQ(PixelAt(60, kKeyboardTop + 3 * kRowGap + 5), gfx::PixelToColor(gfx::ColorToPixel(0xA0A0A0)));

  Down(60, kKeyboardTop + 5);
  SetCapture(nullptr);  // taken away: the key comes up without typing
  Up(60, kKeyboardTop + 5);
  EXPECT_EQ(field.Text(), u"1");
}

TEST_F(TypingTest, KeyTablesHaveTheirRowsInBothWidthSets) {
  const std::size_t counts[] = {13, 13, 12, 12, 7};
  const int vgaWidths[] = {372, 346, 372, 342, 372};
  for (int row = 0; row < kKeyboardRows; ++row) {
    auto vga = KeyRow(row, true), qvga = KeyRow(row, false);
    EXPECT_EQ(vga.size(), counts[row]);
    EXPECT_EQ(qvga.size(), counts[row]);
    const int width = std::accumulate(vga.begin(), vga.end(), 0, [](int s, const KeyRecord& k) { return s + k.width; });
    EXPECT_EQ(width, vgaWidths[row]) << row;
  }
  EXPECT_EQ(KeyRow(1, true)[1].chars[2], 233);  // q carries the Russian short i
  EXPECT_EQ(KeyRow(1, true)[1].chars[3], 201);
  EXPECT_EQ(KeyRow(4, true)[1].chars[2], 184);
  EXPECT_EQ(KeyRow(1, false)[12].width, 18);
  EXPECT_EQ(KeyRow(4, false)[3].width, 120);
  EXPECT_TRUE(KeyRow(5, true).empty());
}

}  // namespace
}  // namespace zelph::ui::test
