#include "keyboard.h"

#include <gtest/gtest.h>

#include <algorithm>

#include "asset_sources.h"
#include "description.h"

namespace zelph::assetgen {
namespace {

int Brightness(const Image& img, int x, int y) {
  const Px& p = img.At(x, y);
  return (p.r * 77 + p.g * 150 + p.b * 29) >> 8;
}

// The game hit-tests keys by the widths of its key tables, so the caps in the picture must sit exactly over
// those spans: light honey caps with a dark groove of walnut where one key ends and the next begins, in both
// layouts and both builds.
TEST(Keyboard, CapsSitOverTheKeySpansOfEachBuildsTable) {
  FaceCache faces(test::FontsDir());
  std::vector<Picture> pictures;
  for (const Item& item : test::LoadItems("gui/pictures.txt")) {
    if (item.kind != "keyboard") continue;
    std::string error;
    ASSERT_TRUE(KeyboardItem(item, faces, pictures, error)) << error;
  }
  ASSERT_EQ(pictures.size(), 1u);
  const Picture& keyboard = pictures[0];
  EXPECT_EQ(keyboard.frames, 2);
  struct Layout {
    bool vga;
    const Image& img;
    int left, top, pitch;
  };
  for (const Layout& layout : {Layout{true, keyboard.vga, 4, 4, 33}, Layout{false, keyboard.qvga, 4, 2, 16}}) {
    SCOPED_TRACE(layout.vga ? "vga" : "qvga");
    const int frameWidth = layout.img.w / 2;
    for (int frame = 0; frame < 2; ++frame) {
      const auto& rows = KeyRows(layout.vga);
      ASSERT_EQ(rows.size(), 5u);
      for (std::size_t r = 0; r < rows.size(); ++r) {
        int x = layout.left;
        for (const KeyCap& key : rows[r]) {
          if (key.width == 0) continue;
          SCOPED_TRACE("row " + std::to_string(r + 1) + " key at " + std::to_string(x));
          // The brightest wood of the cap's right end (whatever its letters cover) against the brightest of
          // the groove where the next key begins.
          const int top = layout.top + static_cast<int>(r) * layout.pitch;
          int cap = 0, groove = 0;
          for (int yy = top + layout.pitch / 4; yy < top + layout.pitch * 3 / 4; ++yy) {
            for (int dx = 3; dx <= 5; ++dx)
              cap = std::max(cap, Brightness(layout.img, frame * frameWidth + x + key.width - dx, yy));
            groove = std::max(groove, Brightness(layout.img, frame * frameWidth + x + key.width, yy));
          }
          EXPECT_GT(cap, groove + kOne / 16);
          x += key.width;
        }
        EXPECT_LE(x, frameWidth);
      }
    }
  }
}

}  // namespace
}  // namespace zelph::assetgen
