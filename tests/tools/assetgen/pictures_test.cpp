#include "pictures.h"

#include <gtest/gtest.h>

#include <map>
#include <set>
#include <string>
#include <vector>

#include "asset_sources.h"
#include "description.h"
#include "files.h"
#include "id_plan.h"
#include "raster.h"

namespace zelph::assetgen {
namespace {

TEST(Description, ReadsIdentifiersNamesKindsAndQuotedValues) {
  std::vector<Item> items;
  std::string error;
  ASSERT_TRUE(
      ParseDescription("# heading\r\n\n0x10 sign board size=20x10 title=\"Two \\\"words\\\"\"  # note\n"
                       "17 rope_2 rope\n",
                       items, error))
      << error;
  ASSERT_EQ(items.size(), 2u);
  EXPECT_EQ(items[0].id, 0x10u);
  EXPECT_EQ(items[0].line, 3);
  EXPECT_EQ(items[0].name, "sign");
  EXPECT_EQ(items[0].kind, "board");
  ASSERT_EQ(items[0].attrs.size(), 2u);
  EXPECT_EQ(items[0].attrs[1].second, "Two \"words\"");
  EXPECT_EQ(items[1].id, 17u);
}

TEST(Description, RefusesMalformedLinesNamingTheLine) {
  const std::map<std::string, std::string> cases = {
      {"0 a board", "bad identifier"},
      {"0x1 a board\n0x1 b board", "used twice"},
      {"0x1 a board\n0x2 a board", "used twice"},
      {"0x1 a-b board", "bad name"},
      {"0x1 a", "expected an identifier"},
      {"0x1 a board title=\"open", "unterminated quote"},
      {"0x1 a board size", "key=value"},
      {"0x1 a board w=1 w=2", "given twice"},
      {"0x100000000 a board", "bad identifier"},
  };
  for (const auto& [text, expected] : cases) {
    std::vector<Item> items;
    std::string error;
    EXPECT_FALSE(ParseDescription(text, items, error)) << text;
    EXPECT_NE(error.find(expected), std::string::npos) << text << " gave: " << error;
    EXPECT_EQ(error.rfind("line ", 0), 0u) << error;
  }
}

TEST(Description, ItemReaderChecksValuesAndReportsUnknownKeys) {
  std::vector<Item> items;
  std::string error;
  ASSERT_TRUE(ParseDescription("1 a board size=21x10 px=7 fill=12AB3z colour=FFFFFF typo=1", items, error));
  ItemReader r(items[0]);
  int w = 0, h = 0, px = 0;
  Color c;
  EXPECT_FALSE(r.Size("size", w, h));  // odd: the small build could not halve it
  EXPECT_NE(r.error().find("even"), std::string::npos);
  ItemReader r2(items[0]);
  EXPECT_TRUE(r2.Int("px", px, 0, 1, 9));
  EXPECT_EQ(px, 7);
  EXPECT_FALSE(r2.Colour("fill", c, Color{}));
  ItemReader r3(items[0]);
  std::string dummy;
  r3.Text("size", dummy, "");
  r3.Text("px", dummy, "");
  r3.Text("fill", dummy, "");
  EXPECT_TRUE(r3.Colour("colour", c, Color{}));
  EXPECT_EQ(c.g, 0xFF);
  EXPECT_FALSE(r3.Finish());
  EXPECT_NE(r3.error().find("typo"), std::string::npos);
}

TEST(Encoding, ColourSurvivesTheGamesFiveSixFiveConversionAndAlphaItsWeights) {
  Image img(4, 4);
  for (int i = 0; i < 16; ++i)
    img.px[static_cast<std::size_t>(i)] = Premultiply(Color{200, 100, 50}, i * kOne / 15);
  const Encoded e = Encode(img);
  for (int i = 0; i < 16; ++i) {
    const std::uint8_t* rgb = &e.rgb[static_cast<std::size_t>(i) * 3];
    const int a = e.alpha[static_cast<std::size_t>(i)];
    if (a == 0) {
      EXPECT_EQ(rgb[0] | rgb[1] | rgb[2], 0) << "invisible pixels are black, the key of PNG pictures";
      continue;
    }
    // Each stored channel is exactly a 5-6-5 level written back to 8 bits, near the asked colour.
    EXPECT_EQ(rgb[0], ((rgb[0] >> 3) << 3) | (rgb[0] >> 5));
    EXPECT_EQ(rgb[1], ((rgb[1] >> 2) << 2) | (rgb[1] >> 6));
    EXPECT_NEAR(rgb[0], 200, 9);
    EXPECT_NEAR(rgb[1], 100, 5);
    EXPECT_NEAR(rgb[2], 50, 9);
    EXPECT_NEAR(a, i * 255 / 15, 10);
  }
  EXPECT_EQ(e.alpha[0], 0);
  EXPECT_EQ(e.alpha[15], 255);
}

TEST(Encoding, EbmStripsCarryTheirFramesWithEvenRowsOfPixelsAndExactRowsOfWeights) {
  Encoded strip;
  strip.w = 3;
  strip.h = 2;
  strip.rgb = {255, 255, 255, 248, 0, 0, 0, 252, 0, 0, 0, 248, 8, 4, 8, 0, 0, 0};
  strip.alpha = {255, 128, 0, 1, 2, 3};
  const std::vector<std::uint8_t> pixels = EncodeEbm565(strip, 3);
  auto u32 = [](const std::vector<std::uint8_t>& b, std::size_t at) {
    return b[at] | (b[at + 1] << 8) | (b[at + 2] << 16) | (static_cast<std::uint32_t>(b[at + 3]) << 24);
  };
  ASSERT_EQ(pixels.size(), 48u + 4 * 2 * 2);  // rows padded to an even width
  EXPECT_EQ(std::string(pixels.begin(), pixels.begin() + 4), std::string("eBM\0", 4));
  EXPECT_EQ(std::string(pixels.begin() + 4, pixels.begin() + 8), std::string("565\0", 4));
  EXPECT_EQ(u32(pixels, 8), 3u);
  EXPECT_EQ(u32(pixels, 12), 2u);
  EXPECT_EQ(u32(pixels, 16), 16u);
  EXPECT_EQ(u32(pixels, 20), 3u);
  EXPECT_EQ(u32(pixels, 24), 1u);
  EXPECT_EQ(u32(pixels, 28), 0u);  // black is the key, as for PNG pictures
  EXPECT_EQ(pixels[48] | (pixels[49] << 8), 0xFFFF);
  EXPECT_EQ(pixels[50] | (pixels[51] << 8), 0xF800);
  EXPECT_EQ(pixels[52] | (pixels[53] << 8), 0x07E0);
  EXPECT_EQ(pixels[54] | (pixels[55] << 8), 0);  // padding
  EXPECT_EQ(pixels[56] | (pixels[57] << 8), 0x001F);
  EXPECT_EQ(pixels[58] | (pixels[59] << 8), 0x0821);
  const std::vector<std::uint8_t> weights = EncodeEbm8ga(strip, 3);
  ASSERT_EQ(weights.size(), 48u + 6);
  EXPECT_EQ(std::string(weights.begin() + 4, weights.begin() + 8), std::string("8GA\0", 4));
  EXPECT_EQ(u32(weights, 16), 6u);
  EXPECT_EQ(std::vector<std::uint8_t>(weights.begin() + 48, weights.end()), strip.alpha);
}

TEST(Pictures, EveryPictureOfTheBuildComesInBothSizesAndKeepsToTheIdentifierPlan) {
  FaceCache faces(test::FontsDir());
  std::vector<Picture> pictures;
  for (const char* file : {"gui/pictures.txt", "gui/buttons.txt"}) {
    const std::vector<Item> items = test::LoadItems(file);
    ASSERT_FALSE(items.empty()) << file;
    for (const Item& item : items) {
      std::string error;
      ASSERT_TRUE(BuildPictures(item, faces, pictures, error)) << error;
    }
  }
  // Identifiers are unique across every description of the packs, alpha pictures included, and each lies in
  // its block of the plan.
  std::set<std::uint32_t> ids;
  auto claim = [&ids](std::uint32_t id, IdBlock block, const std::string& name) {
    EXPECT_TRUE(ids.insert(id).second) << name << " reuses an identifier";
    EXPECT_TRUE(id >= block.first && id <= block.last) << name << " lies outside its block";
  };
  for (const Picture& p : pictures) {
    claim(p.id, kGuiPictureIds, p.name);
    if (p.hasAlpha) claim(p.id + kAlphaIdOffset, kGuiPictureIds, p.name + "_a");
  }
  for (const Item& font : test::LoadItems("gui/fonts.txt")) {
    claim(font.id, kGuiFontIds, font.name);
    claim(font.id + kAlphaIdOffset, kGuiFontIds, font.name + "_a");
  }
  for (const Item& sound : test::LoadItems("sound/effects.txt")) claim(sound.id, kSoundEffectIds, sound.name);
  for (const Item& music : test::LoadItems("sound/music.txt")) claim(music.id, kMusicIds, music.name);

  for (const Picture& p : pictures) {
    SCOPED_TRACE(p.name);
    if (!p.ownLayouts) {
      EXPECT_EQ(p.qvga.w * 2, p.vga.w);
      EXPECT_EQ(p.qvga.h * 2, p.vga.h);
    }
    for (const Image* img : {&p.vga, &p.qvga}) {
      const Encoded e = Encode(*img);
      int transparent = 0, soft = 0;
      for (std::uint8_t a : e.alpha) {
        transparent += a == 0;
        soft += a < 255;
      }
      if (p.hasAlpha) {
        EXPECT_GT(soft, 0) << "a picture with an alpha picture has soft or transparent edges";
        EXPECT_LT(transparent, e.w * e.h) << "and something to show";
      } else {
        EXPECT_EQ(soft, 0) << "opaque pictures cover every pixel";
      }
    }
  }
}

TEST(Pictures, ButtonsComeInFourStatesAndAnAppearingStripUnderConsecutiveIdentifiers) {
  std::vector<Item> items;
  std::string error;
  ASSERT_TRUE(ParseDescription(
      "0x100 btn plaque size=120x40 text=\"Go\"\n0x108 still plaque size=60x40 appear=0", items, error));
  FaceCache faces(test::FontsDir());
  std::vector<Picture> pictures;
  ASSERT_TRUE(BuildPictures(items[0], faces, pictures, error)) << error;
  ASSERT_EQ(pictures.size(), 5u);
  for (std::uint32_t i = 0; i < 5; ++i) {
    EXPECT_EQ(pictures[i].id, 0x100 + i);
    EXPECT_EQ(pictures[i].name, std::string("btn_") + kPlaqueStates[i]);
    EXPECT_EQ(pictures[i].vga.w, i < 4 ? 120 : 120 * kAppearFrames);
  }
  // The states must look different: pressed and disabled are darker than released, highlighted glows.
  auto sum = [](const Image& img, int x0, int w) {
    long long s = 0;
    for (int y = 0; y < img.h; ++y)
      for (int x = x0; x < x0 + w; ++x) s += img.At(x, y).r + img.At(x, y).g + img.At(x, y).b;
    return s;
  };
  const long long released = sum(pictures[0].vga, 0, 120);
  EXPECT_LT(sum(pictures[1].vga, 0, 120), released);
  EXPECT_LT(sum(pictures[2].vga, 0, 120), released);
  EXPECT_GT(sum(pictures[3].vga, 0, 120), released);
  // The strip opens on a plaque barely turned towards the viewer and ends exactly on the released look, in
  // both builds, so the switch to the released state does not jump.
  for (int build = 0; build < 2; ++build) {
    const Image& strip = build ? pictures[4].qvga : pictures[4].vga;
    const Image& rel = build ? pictures[0].qvga : pictures[0].vga;
    EXPECT_LT(sum(strip, 0, rel.w) * 3, sum(rel, 0, rel.w));
    const Encoded last = Encode(strip), expected = Encode(rel);
    for (int y = 0; y < rel.h; ++y)
      for (int x = 0; x < rel.w; ++x) {
        const std::size_t k = static_cast<std::size_t>(y) * strip.w + (kAppearFrames - 1) * rel.w + x;
        const std::size_t r = static_cast<std::size_t>(y) * rel.w + x;
        ASSERT_EQ(last.alpha[k], expected.alpha[r]) << x << "," << y;
      }
  }
  pictures.clear();
  ASSERT_TRUE(BuildPictures(items[1], faces, pictures, error)) << error;
  EXPECT_EQ(pictures.size(), 4u) << "appear=0 leaves the strip out";
}

TEST(Pictures, TheSameDescriptionGivesTheSameBytes) {
  std::vector<Item> items;
  std::string error;
  ASSERT_TRUE(
      ParseDescription("1 sky landscape size=160x120\n2 sign board size=200x60 title=\"Zelph\"\n"
                       "3 cover panel size=96x64\n4 r rope size=12x40",
                       items, error));
  FaceCache faces(test::FontsDir());
  for (const Item& item : items) {
    std::vector<Picture> first, second;
    ASSERT_TRUE(BuildPictures(item, faces, first, error)) << error;
    ASSERT_TRUE(BuildPictures(item, faces, second, error)) << error;
    const Encoded a = Encode(first[0].qvga), b = Encode(second[0].qvga);
    EXPECT_EQ(a.rgb, b.rgb) << item.name;
    EXPECT_EQ(a.alpha, b.alpha) << item.name;
  }
}

TEST(Pictures, BadItemsAreRefusedWithTheirLine) {
  const std::vector<std::string> cases = {
      "1 a teapot size=10x10",                          // unknown kind
      "1 a board size=40x40 wood=pine",                 // unknown wood
      "1 a board size=40x40 colour=FF0000",             // unknown key
      "1 a plaque size=20x20 margin=12",                // nothing left inside the margin
      "1 a board size=200x60 title=\"\xC3\x28\"",       // not UTF-8
      "1 a board size=200x60 title=\"A\xC0\xAF\"",      // an overlong '/'
      "1 a board size=200x60 title=\"\xED\xA0\x80\"",   // a surrogate
      "1 a board size=200x60 title=Hi font=NoSuchFace.ttf",
  };
  FaceCache faces(test::FontsDir());
  for (const std::string& text : cases) {
    std::vector<Item> items;
    std::string error;
    ASSERT_TRUE(ParseDescription(text, items, error)) << text;
    std::vector<Picture> pictures;
    EXPECT_FALSE(BuildPictures(items[0], faces, pictures, error)) << text;
    EXPECT_FALSE(error.empty());
  }
}

}  // namespace
}  // namespace zelph::assetgen
