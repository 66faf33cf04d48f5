// The How to Play page of both builds, laid out the way the instructions screen lays it out: each item below
// the bottom of the one before, a picture at its own size. Every picture item shows a picture with its alpha
// picture, every text fits its label, and nothing sticks out of the page or lies over another item.
#include <gtest/gtest.h>

#include <array>
#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "gfx/ebm_format.h"
#include "gfx/image_decode.h"
#include "gfx/surface.h"
#include "shipped_packs.h"
#include "ui/fonts.h"
#include "ui/line_breaking.h"

namespace zelph::content {
namespace {

// What the screen shows in place of "@V".
constexpr char16_t kVersionText[] = u"Version 1.1 (316)\\nMay  4 2006 11:29:28";

struct PagePicture {
  gfx::Surface surface;
  int frames = 1;
  int frameWidth = 0;
};

std::optional<PagePicture> LoadPagePicture(std::uint32_t id) {
  const auto bytes = config::GlobalPackList().Extract(id);
  if (!bytes) return std::nullopt;
  PagePicture p;
  if (gfx::DecodeImage(p.surface, *bytes, 0) != S_OK || p.surface.Width() <= 0) return std::nullopt;
  p.frameWidth = p.surface.Width();
  if (const auto header = gfx::ReadEbmHeader(*bytes); header && header->frames > 1) {
    p.frames = static_cast<int>(header->frames);
    p.frameWidth = static_cast<int>(header->width) / p.frames;
  }
  return p;
}

// One item where the screen places it, in the page's coordinates.
struct PlacedItem {
  int number = 0;
  std::array<std::int32_t, 8> type{};
  int left = 0, top = 0, right = 0, bottom = 0;
  std::u16string text;  // text items
};

class InstructionsPage : public ShippedPacks {
 protected:
  const config::ConfigSection* Page() { return config::GuiDocument().FindSection("instr_text_1"); }

  int PageWidth() {
    config::Rect scroll{};
    EXPECT_TRUE(config::GuiDocument().FindSection("instr_wnd")->GetRect("scroll_rect", scroll));
    return scroll.right - scroll.left;
  }

  // The page's items with the screen's running y; items the screen skips are left out.
  std::vector<PlacedItem> LayOut(const config::ConfigSection& page) {
    std::vector<PlacedItem> items;
    int y = 0;
    for (int i = 1; i <= page.GetInt("item_count", 0); ++i) {
      const std::string key = std::to_string(i);
      PlacedItem item;
      item.number = i;
      if (!page.GetEightInts(key + "_type", item.type)) continue;
      const auto& t = item.type;
      if (t[0] == 1) {
        if (!page.GetString(key + "_value", item.text)) continue;
        if (item.text == u"@V") item.text = kVersionText;
        item.left = t[2];
        item.top = y + t[3];
        item.right = t[2] + t[4];
        item.bottom = y + t[3] + t[5];
      } else if (t[0] == 2) {
        const std::uint32_t id = page.GetNumber(key + "_value", 0);
        if (id == 0) continue;
        const auto picture = LoadPagePicture(id);
        if (!picture) {
          ADD_FAILURE() << "item " << i << ": no picture " << page.GetRaw(key + "_value");
          continue;
        }
        item.left = t[1];
        item.top = y + t[2];
        item.right = t[1] + picture->frameWidth;
        item.bottom = y + t[2] + picture->surface.Height();
      } else {
        continue;
      }
      y = item.bottom;
      items.push_back(item);
    }
    return items;
  }
};

TEST_P(InstructionsPage, PictureItemsShowPicturesWithMatchingAlphaPictures) {
  const config::ConfigSection* page = Page();
  ASSERT_NE(page, nullptr);
  int pictures = 0;
  for (int i = 1; i <= page->GetInt("item_count", 0); ++i) {
    const std::string key = std::to_string(i);
    std::array<std::int32_t, 8> t{};
    if (!page->GetEightInts(key + "_type", t) || t[0] != 2) continue;
    SCOPED_TRACE("item " + key);
    ++pictures;
    const auto colour = LoadPagePicture(page->GetNumber(key + "_value", 0));
    const auto alpha = LoadPagePicture(page->GetNumber(key + "_value_a", 0));
    ASSERT_TRUE(colour.has_value()) << "no picture";
    ASSERT_TRUE(alpha.has_value()) << "no alpha picture";
    ASSERT_EQ(alpha->surface.Width(), colour->surface.Width());
    ASSERT_EQ(alpha->surface.Height(), colour->surface.Height());
    EXPECT_EQ(alpha->frames, colour->frames);
    // The animation steps through the strip's frames and waits a whole number of ticks on each.
    EXPECT_GE(t[3], 0) << "step";
    EXPECT_LT(t[3], colour->frames == 1 ? 1 : colour->frames) << "step";
    EXPECT_GE(t[4], 0) << "delay";
    // Where the alpha picture gives no weight the picture is black, the key its hit test skips; and the
    // piece has a visible body.
    int shown = 0;
    for (int y = 0; y < colour->surface.Height(); ++y)
      for (int x = 0; x < colour->surface.Width(); ++x) {
        gfx::Color weight = 0, pixel = 0;
        ASSERT_EQ(alpha->surface.GetPixel(x, y, &weight), S_OK);
        ASSERT_EQ(colour->surface.GetPixel(x, y, &pixel), S_OK);
        if (((weight >> 8) & 0xFF) == 0) {
          ASSERT_EQ(pixel, 0u) << x << "," << y;
        } else {
          ++shown;
        }
      }
    EXPECT_GT(shown, colour->surface.Width() * colour->surface.Height() / 4);
  }
  EXPECT_GE(pictures, 8) << "the cutting head, three enemies and four prizes";
}

TEST_P(InstructionsPage, EveryItemLiesOnThePageClearOfTheOthers) {
  const config::ConfigSection* page = Page();
  ASSERT_NE(page, nullptr);
  const int width = PageWidth();
  const std::vector<PlacedItem> items = LayOut(*page);
  ASSERT_FALSE(items.empty());
  EXPECT_EQ(items.back().text, kVersionText) << "the version line closes the page";
  // The view scrolls by the height of what its items cover, from the highest item's top: a page that
  // started lower could never show its last pixels.
  EXPECT_EQ(items.front().top, 0);
  for (std::size_t i = 0; i < items.size(); ++i) {
    const PlacedItem& a = items[i];
    SCOPED_TRACE("item " + std::to_string(a.number));
    EXPECT_GE(a.left, 0);
    EXPECT_LE(a.right, width);
    EXPECT_GE(a.top, 0);
    EXPECT_LT(a.left, a.right);
    EXPECT_LT(a.top, a.bottom);
    for (std::size_t j = 0; j < i; ++j) {
      const PlacedItem& b = items[j];
      const bool apart = a.right <= b.left || b.right <= a.left || a.bottom <= b.top || b.bottom <= a.top;
      EXPECT_TRUE(apart) << "overlaps item " << b.number;
    }
  }
}

TEST_P(InstructionsPage, EveryTextFitsItsLabel) {
  const config::ConfigSection* page = Page();
  ASSERT_NE(page, nullptr);
  std::vector<std::unique_ptr<gfx::AlphaFont>> fonts;
  for (int i = 1; i <= page->GetInt("font_count", 0); ++i) {
    fonts.push_back(ui::LoadFont(page, "font_" + std::to_string(i)));
    ASSERT_NE(fonts.back(), nullptr) << "font " << i;
  }
  int texts = 0;
  for (const PlacedItem& item : LayOut(*page)) {
    if (item.type[0] != 1) continue;
    SCOPED_TRACE("item " + std::to_string(item.number));
    ++texts;
    const int f = item.type[6];
    ASSERT_TRUE(f >= 1 && f <= static_cast<int>(fonts.size())) << "a font of the page, not the default";
    gfx::AlphaFont* font = fonts[static_cast<std::size_t>(f - 1)].get();
    const std::vector<std::u16string> lines = ui::BreakLines(item.text, false, 0, {});
    for (const std::u16string& line : lines) {
      EXPECT_LE(ui::MeasureText(font, line), item.right - item.left) << std::string(line.begin(), line.end());
    }
    // Lines are drawn a glyph height less two apart; the last one needs its whole glyph height.
    const int height = ui::FontHeight(font);
    EXPECT_LE(static_cast<int>(lines.size() - 1) * (height - 2) + height, item.bottom - item.top)
        << lines.size() << " lines of " << height;
  }
  EXPECT_GT(texts, 0);
}

INSTANTIATE_TEST_SUITE_P(Builds, InstructionsPage, ::testing::Values(kVgaBuild, kQvgaBuild),
                         [](const auto& info) { return std::string(info.param.name); });

}  // namespace
}  // namespace zelph::content
