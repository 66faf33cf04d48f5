// The shipped packs of both builds, loaded the way the game loads them: every section and key the screens
// read is there, every identifier names a resource of the right kind, and what is placed on the screen lies
// on it.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <filesystem>
#include <optional>
#include <set>
#include <string>
#include <vector>

#include "gfx/ebm_format.h"
#include "gfx/image_decode.h"
#include "gfx/surface.h"
#include "key_checks.h"
#include "screen_table.h"
#include "shipped_packs.h"
#include "ui/fonts.h"
#include "ui/keyboard_tables.h"

namespace zelph::content {
namespace {

TEST_P(ShippedPacks, EverySectionAndKeyTheScreensReadIsThereAndResolves) {
  for (const Section& wanted : GuiSections()) {
    const config::ConfigSection* section = config::GuiDocument().FindSection(wanted.name);
    if (section) {
      CheckSection(config::GuiDocument(), *section, wanted);
    } else {
      ADD_FAILURE() << "no GUI section " << wanted.name;
    }
  }
  for (const Section& wanted : SoundSections()) {
    const config::ConfigSection* section = config::SoundDocument().FindSection(wanted.name);
    if (section) {
      CheckSection(config::SoundDocument(), *section, wanted);
    } else {
      ADD_FAILURE() << "no sound section " << wanted.name;
    }
  }
}

// Each pack says what it is and declares every configuration document it holds (the identifiers just above
// its description), so that none is left out of the game's documents.
TEST_P(ShippedPacks, EveryPackDescribesItselfAndDeclaresItsDocuments) {
  config::PackList& packs = config::GlobalPackList();
  std::set<std::string> types;
  for (int i = 0; i < packs.Count(); ++i) {
    const config::PackList::Record& record = *packs.RecordAt(i);
    SCOPED_TRACE(record.path.filename().string());
    auto bytes = packs.At(i)->Extract(record.lowest);
    ASSERT_TRUE(bytes.has_value());
    config::ConfigDocument description;
    ASSERT_GE(description.LoadMemory(std::move(*bytes)), 0);
    const config::ConfigSection* main = description.FindSection("main");
    ASSERT_NE(main, nullptr);
    CheckSection(description, *main, PackDescription());
    EXPECT_STRCASEEQ(main->GetRaw("filter"), "1.0") << "the resource filter of a fresh installation";
    const char* type = main->GetRaw("type");
    ASSERT_NE(type, nullptr);
    const std::set<std::string> known = {"gui", "game", "sound"};
    EXPECT_TRUE(known.contains(type)) << type;
    types.insert(type);
    std::set<std::uint32_t> declared;
    for (int k = 1; k <= main->GetInt("count", 0); ++k)
      declared.insert(main->GetNumber(std::to_string(k), 0));
    for (std::uint32_t id = record.lowest + 1; id <= record.lowest + 0xFF; ++id) {
      if (packs.At(i)->SizeOf(id)) {
        EXPECT_TRUE(declared.contains(id))
            << "document " << std::hex << std::showbase << id << " is not declared";
      }
    }
  }
  EXPECT_EQ(types, (std::set<std::string>{"game", "gui", "sound"}));
}

// Identifiers the documents hold beyond the table (a modder's or a new screen's) are checked as well: every
// "0x" value must name a resource, and the plan's ranges say which kind.
TEST_P(ShippedPacks, EveryIdentifierInTheGuiDocumentResolvesToItsKind) {
  int checked = 0;
  for (int i = config::GuiDocument().FirstSection(); i >= 0; i = config::GuiDocument().NextSection(i)) {
    const config::ConfigSection& section = *config::GuiDocument().SectionAt(i);
    for (std::string_view key : section.Keys()) {
      const char* value = section.GetRaw(key);
      if (std::string_view(value).substr(0, 2) != "0x") continue;
      const std::uint32_t id = section.GetNumber(key, 0);
      const Kind kind = (id >> 24) == 0x01     ? Kind::kPicture
                        : (id >> 16) == 0x0202 ? Kind::kMusic
                                               : Kind::kSound;
      CheckKey(config::GuiDocument(), section, {std::string(key), kind});
      ++checked;
    }
  }
  EXPECT_GT(checked, 300);
}

// The longest texts the game writes into its labels fit them. Names have at most eight characters, written
// here in the widest letter; scores are given seven digits, the lives three characters.
TEST_P(ShippedPacks, LabelsHoldTheLongestTextsTheGameWritesIntoThem) {
  struct Label {
    const char* section;
    const char* rect;
    const char* font;
    std::u16string text;
    int inset = 0;  // pixels the control keeps free at the left
  };
  const config::ConfigSection* error = config::GuiDocument().FindSection("message_box_error");
  ASSERT_NE(error, nullptr);
  std::u16string errorText;
  ASSERT_TRUE(error->GetString("global_err_no_plugin", errorText));
  const std::vector<Label> labels = {
      {"hs_wnd", "name_rect", "name_font", u"WWWWWWWW"},
      {"hs_wnd", "name_rect", "name_font", u"<unknown>"},
      {"hs_wnd", "score_rect", "score_font", u"8888888"},
      {"add_hs_wnd", "edit_rect", "edit_font", u"WWWWWWWW", 2},
      {"game_menu_top", "score_rect", "score_font", u"8888888"},
      {"game_menu_top", "lifes_rect", "lifes_font", u"x99"},
      {"message_box_qerry", "text_rect", "text_font", u"This will end \\nyour current game!\\nAre you sure?"},
      {"message_box_error", "text_rect", "text_font", errorText},
  };
  for (const Label& label : labels) {
    SCOPED_TRACE(std::string(label.section) + "/" + label.rect);
    const config::ConfigSection* section = config::GuiDocument().FindSection(label.section);
    ASSERT_NE(section, nullptr);
    config::Rect rect{};
    ASSERT_TRUE(section->GetRect(label.rect, rect));
    CheckTextFits(*section, label.font, label.text, rect.right - rect.left - label.inset,
                  rect.bottom - rect.top);
  }
}

// The size a section's picture gives it when its rectangle leaves the size open.
gfx::Surface Picture(const config::ConfigSection& section, const char* key) {
  gfx::Surface surface;
  if (auto bytes = config::GlobalPackList().Extract(section.GetNumber(key, 0))) {
    EXPECT_EQ(gfx::DecodeImage(surface, *bytes, 0), S_OK) << section.Name() << "/" << key;
  }
  return surface;
}

// Everything placed on a screen lies on it: the rectangle as given, or at the picture's size when it is
// empty.
TEST_P(ShippedPacks, WindowsPicturesAndButtonsLieOnTheScreen) {
  const Build build = GetParam();
  for (const Section& wanted : GuiSections()) {
    const config::ConfigSection& section = *config::GuiDocument().FindSection(wanted.name);
    for (auto [rectKey, imageKey] : {std::pair{"image_rect", "image"}, {"rect", "rel_ID"}}) {
      config::Rect rect{};
      if (!section.GetRect(rectKey, rect) || !section.GetRaw(imageKey)) continue;
      int w = rect.right - rect.left, h = rect.bottom - rect.top;
      if (w == 0 || h == 0) {
        const gfx::Surface picture = Picture(section, imageKey);
        w = picture.Width();
        h = picture.Height();
        // An animation strip places one frame.
        const auto bytes = config::GlobalPackList().Extract(section.GetNumber(imageKey, 0));
        const auto strip = bytes ? gfx::ReadEbmHeader(*bytes) : std::nullopt;
        if (strip && strip->frames > 1) w = static_cast<int>(strip->frameWidth);
      }
      SCOPED_TRACE(std::string(section.Name()) + "/" + rectKey);
      EXPECT_GE(rect.left, 0);
      EXPECT_GE(rect.top, 0);
      EXPECT_LE(rect.left + w, build.width);
      EXPECT_LE(rect.top + h, build.height);
    }
  }
}

int Brightness(const gfx::Surface& surface, int x, int y) {
  gfx::Color c = 0;
  EXPECT_EQ(surface.GetPixel(x, y, &c), S_OK) << x << "," << y;
  return static_cast<int>((c & 0xFF) * 77 + ((c >> 8) & 0xFF) * 150 + ((c >> 16) & 0xFF) * 29) >> 8;
}

// The keyboard's picture holds one frame per layout at the keyboard's size, and its keys sit where the
// toolkit hit-tests them: in each row, from the row's left edge, spans of the build's key widths. Between
// two keys the picture shows the dark groove of the tray, inside a key its light cap.
TEST_P(ShippedPacks, KeyboardPictureLinesUpWithTheKeyTables) {
  const bool vga = GetParam().width == 640;
  const config::ConfigSection& section = *config::GuiDocument().FindSection("add_hs_wnd");
  EXPECT_EQ(section.GetBool("keyboard_is_vga", !vga), vga);
  config::Rect keyboard{};
  ASSERT_TRUE(section.GetRect("keyboard_rect", keyboard));
  const int frameWidth = keyboard.right - keyboard.left, height = keyboard.bottom - keyboard.top;
  const auto bytes = config::GlobalPackList().Extract(section.GetNumber("keyboard_img", 0));
  ASSERT_TRUE(bytes.has_value());
  const auto header = gfx::ReadEbmHeader(*bytes);
  ASSERT_TRUE(header.has_value()) << "a strip of layouts";
  ASSERT_EQ(header->frames, 2u);
  ASSERT_EQ(static_cast<int>(header->width), 2 * frameWidth);
  ASSERT_EQ(static_cast<int>(header->height), height);
  gfx::Surface picture;
  ASSERT_EQ(gfx::DecodeImage(picture, *bytes, 0), S_OK);

  int previousBottom = 0;
  for (int row = 0; row < ui::kKeyboardRows; ++row) {
    SCOPED_TRACE("row " + std::to_string(row + 1));
    config::Rect line{};
    ASSERT_TRUE(section.GetRect("keyb_line" + std::to_string(row + 1) + "_rect", line));
    EXPECT_GE(line.top, previousBottom) << "rows overlap";
    previousBottom = line.bottom;
    int x = line.left;
    for (const ui::KeyRecord& key : ui::KeyRow(row, vga)) {
      if (key.width == 0) continue;
      SCOPED_TRACE("key at " + std::to_string(x));
      ASSERT_LE(x + key.width, std::min(line.right, frameWidth - 1));
      ASSERT_LE(line.bottom, height);
      for (int frame = 0; frame < 2; ++frame) {
        // The brightest wood near the key's right end (whatever its letters cover) against the brightest of
        // the groove where the next key begins.
        int cap = 0, groove = 0;
        const int rowHeight = line.bottom - line.top;
        for (int y = line.top + rowHeight / 4; y < line.top + rowHeight * 3 / 4; ++y) {
          for (int dx = 3; dx <= 5; ++dx)
            cap = std::max(cap, Brightness(picture, frame * frameWidth + x + key.width - dx, y));
          groove = std::max(groove, Brightness(picture, frame * frameWidth + x + key.width, y));
        }
        EXPECT_GT(cap, groove + 16) << "frame " << frame;
      }
      x += key.width;
    }
  }
}

// The level board is blitted without a colour key over the darkened field, so it must be a whole rectangle,
// and the widest level number must fit inside it.
TEST_P(ShippedPacks, NextLevelBoardIsWholeAndHoldsTheNumber) {
  const config::ConfigSection& section = *config::GuiDocument().FindSection("next_level_wnd");
  config::Rect at{};
  ASSERT_TRUE(section.GetRect("rect", at));
  const gfx::Surface board = Picture(section, "img");
  ASSERT_GT(board.Width(), 0);
  EXPECT_LE(at.left + board.Width(), GetParam().width);
  EXPECT_LE(at.top + board.Height(), GetParam().height);
  // A rounded or shadowed board leaves its corners black; a dark bevel line along the edge is fine.
  for (auto [cx, cy] : {std::pair{0, 0},
                        {board.Width() - 8, 0},
                        {0, board.Height() - 8},
                        {board.Width() - 8, board.Height() - 8}}) {
    int black = 0;
    for (int y = cy; y < cy + 8; ++y)
      for (int x = cx; x < cx + 8; ++x) {
        gfx::Color c = 0;
        ASSERT_EQ(board.GetPixel(x, y, &c), S_OK);
        black += c == 0;
      }
    EXPECT_LT(black, 32) << "corner at " << cx << "," << cy;
  }
  config::Point centre{};
  ASSERT_TRUE(section.GetPoint("text_center", centre));
  const auto font = ui::LoadFont(&section, "text_font");
  ASSERT_NE(font, nullptr);
  const Result width = font->TextWidth(u"88");
  ASSERT_GT(width, 0);
  EXPECT_GE(centre.x - width / 2, at.left);
  EXPECT_LE(centre.x + width / 2, at.left + board.Width());
  EXPECT_GE(centre.y, at.top);
  EXPECT_LE(centre.y + font->GlyphHeight(), at.top + board.Height());
}

INSTANTIATE_TEST_SUITE_P(Builds, ShippedPacks, ::testing::Values(kVgaBuild, kQvgaBuild),
                         [](const auto& info) { return std::string(info.param.name); });

}  // namespace
}  // namespace zelph::content
