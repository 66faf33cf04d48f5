#include "keyboard.h"

#include <algorithm>

#include "effects.h"
#include "shapes.h"
#include "wood.h"

namespace zelph::assetgen {

namespace {

const Color kShadow{0x14, 0x0C, 0x06};

std::vector<std::vector<KeyCap>> MakeRows(bool vga) {
  const auto w = [vga](int large, int small) { return vga ? large : small; };
  std::vector<std::vector<KeyCap>> rows(5);
  const char* digits[] = {"1", "2", "3", "4", "5", "6", "7", "8", "9", "0", "-", "="};
  const int row1[] = {26, 26, 26, 26, 26, 26, 28, 26, 28, 26, 28, 26};
  for (int i = 0; i < 12; ++i) rows[0].push_back({w(row1[i], 17), digits[i], digits[i]});
  rows[0].push_back({w(54, 36), "\xE2\x86\x90", "\xE2\x86\x90"});  // backspace: ←

  rows[1].push_back({w(26, 17), "Tab", "Tab"});
  const char* row2l[] = {"q", "w", "e", "r", "t", "y", "u", "i", "o", "p", "[", "]"};
  const char* row2u[] = {"Q", "W", "E", "R", "T", "Y", "U", "I", "O", "P", "{", "}"};
  const int row2[] = {26, 26, 28, 26, 28, 26, 28, 26, 26, 28, 26, 26};
  for (int i = 0; i < 12; ++i) rows[1].push_back({w(row2[i], i == 11 ? 18 : 17), row2l[i], row2u[i]});

  rows[2].push_back({w(54, 35), "Caps", "Caps"});
  const char* row3l[] = {"a", "s", "d", "f", "g", "h", "j", "k", "l", ";"};
  const char* row3u[] = {"A", "S", "D", "F", "G", "H", "J", "K", "L", ":"};
  const int row3[] = {26, 26, 26, 26, 26, 28, 26, 28, 26, 28};
  for (int i = 0; i < 10; ++i) rows[2].push_back({w(row3[i], 17), row3l[i], row3u[i]});
  rows[2].push_back({w(52, 35), "Enter", "Enter"});

  rows[3].push_back({w(48, 33), "Shift", "Shift"});
  const char* row4l[] = {"z", "x", "c", "v", "b", "n", "m", ",", ".", "/", "'"};
  const char* row4u[] = {"Z", "X", "C", "V", "B", "N", "M", "<", ">", "?", "\""};
  const int row4[] = {26, 26, 28, 26, 28, 26, 26, 26, 28, 28, 26};
  for (int i = 0; i < 11; ++i) rows[3].push_back({w(row4[i], i == 10 ? 18 : 17), row4l[i], row4u[i]});

  rows[4] = {{w(58, 33), "Ctrl", "Ctrl"},        {w(26, 17), "`", "~"},
             {w(26, 17), "\\", "|"},             {w(182, 120), "", ""},
             {w(40, 26), "\xE2\x86\x90", "\xE2\x86\x90"},  // left: ←
             {w(40, 27), "\xE2\x86\x92", "\xE2\x86\x92"}};  // right: →
  return rows;
}

struct RowLayout {
  int w = 0, h = 0, left = 0, top = 0, pitch = 0, rowHeight = 0;
};

// One frame: the tray, then a cap for every key of every row. Labels are drawn with DrawLettering, whose
// coordinates are in 640 x 480 pixels, so the small build's positions are given doubled with divisor 2.
bool DrawFrame(const RowLayout& layout, bool vga, bool upper, std::uint32_t seed, FaceCache& faces, Image& out,
               std::string& error) {
  const int scale = vga ? 1 : 2;
  // The tray is square and covers every pixel: the keyboard is blitted without its alpha picture, so soft
  // corners would show as dark ones.
  out = Image(layout.w, layout.h);
  Fill(out, WalnutWood().deep);
  DrawImage(out, PlankBoard(layout.w, layout.h, 0, layout.h, 3 / scale + 1, WalnutWood(), seed), 0, 0);
  const Image caps = PlankBoard(layout.w, layout.h, 0, layout.h, 0, HoneyWood(), seed + 1);
  Lettering label;
  label.face = "DejaVuSans-Bold.ttf";
  label.style = LetterStyle::kCarved;
  label.fill = Color{0x4A, 0x2A, 0x12};
  label.fill2 = Color{0x2E, 0x18, 0x0A};
  label.outline = Color{0x2A, 0x16, 0x08};
  label.outlineWidth = 0;
  label.shadow = 0;
  const auto& rows = KeyRows(vga);
  for (std::size_t r = 0; r < rows.size(); ++r) {
    const int top = layout.top + static_cast<int>(r) * layout.pitch;
    int x = layout.left;
    for (const KeyCap& key : rows[r]) {
      if (key.width <= 0) continue;
      // The cap leaves a groove of one pixel (small build) or two on each side of its span.
      const int gap = vga ? 2 : 1;
      const int x0 = x + gap, x1 = x + key.width - gap + 1, y0 = top + gap, y1 = top + layout.rowHeight - gap + 1;
      const Mask cap = RoundedRectMask(layout.w, layout.h, x0, y0, x1, y1, vga ? 5 : 3);
      PaintMask(out, SoftShadow(cap, 0, 1, vga ? 2 : 1, kOne / 2), 0, 0, kShadow);
      Image face = caps;
      ClipToMask(face, cap);
      DrawImage(out, face, 0, 0);
      const std::string text = upper ? key.upper : key.lower;
      if (!text.empty()) {
        label.px = text.size() > 3 ? 12 : 17;
        if (!vga) label.px = text.size() > 3 ? 14 : 20;  // halved when drawn: 7 and 10 pixels
        if (!DrawLettering(out, faces, label, text, (x0 + x1) * scale / 2, (y0 + y1) * scale / 2,
                           (x1 - x0 - 2) * scale, scale, error))
          return false;
      }
      x += key.width;
    }
  }
  return true;
}

}  // namespace

const std::vector<std::vector<KeyCap>>& KeyRows(bool vga) {
  static const auto large = MakeRows(true);
  static const auto small = MakeRows(false);
  return vga ? large : small;
}

bool KeyboardItem(const Item& item, FaceCache& faces, std::vector<Picture>& out, std::string& error) {
  ItemReader r(item);
  RowLayout vga, qvga;
  if (!r.Size("size", vga.w, vga.h) || !r.Size("qvga_size", qvga.w, qvga.h) ||
      !r.Int("left", vga.left, 4, 0, 64) || !r.Int("top", vga.top, 4, 0, 64) ||
      !r.Int("pitch", vga.pitch, 33, 4, 200) || !r.Int("row_height", vga.rowHeight, 30, 4, 200) ||
      !r.Int("qvga_left", qvga.left, 4, 0, 64) || !r.Int("qvga_top", qvga.top, 2, 0, 64) ||
      !r.Int("qvga_pitch", qvga.pitch, 16, 2, 200) || !r.Int("qvga_row_height", qvga.rowHeight, 15, 2, 200) ||
      !r.Finish()) {
    error = r.error();
    return false;
  }
  Picture p;
  p.id = item.id;
  p.name = item.name;
  p.hasAlpha = false;
  p.frames = 2;
  p.ownLayouts = true;
  for (bool large : {true, false}) {
    const RowLayout& layout = large ? vga : qvga;
    for (const auto& row : KeyRows(large)) {
      int width = 0;
      for (const KeyCap& key : row) width += key.width;
      if (layout.left + width > layout.w || layout.top + 4 * layout.pitch + layout.rowHeight > layout.h) {
        error = "line " + std::to_string(item.line) + " (" + item.name + "): the keys do not fit";
        return false;
      }
    }
    Image strip(layout.w * 2, layout.h);
    for (int frame = 0; frame < 2; ++frame) {
      Image img;
      if (!DrawFrame(layout, large, frame == 1, item.id & 0xFFFF, faces, img, error)) {
        error = "line " + std::to_string(item.line) + " (" + item.name + "): " + error;
        return false;
      }
      DrawImage(strip, img, frame * layout.w, 0);
    }
    (large ? p.vga : p.qvga) = std::move(strip);
  }
  out.push_back(std::move(p));
  return true;
}

}  // namespace zelph::assetgen
