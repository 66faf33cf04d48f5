#include "pictures.h"

#include <algorithm>

#include "effects.h"
#include "fixed_math.h"
#include "keyboard.h"
#include "landscape.h"
#include "pieces.h"
#include "rope.h"
#include "scenes.h"
#include "shapes.h"
#include "wood.h"

namespace zelph::assetgen {

namespace {

const Color kShadow{0x14, 0x0C, 0x06};

bool ReadWood(ItemReader& r, WoodStyle& style, std::string_view fallback) {
  std::string name;
  if (!r.Choice("wood", name, fallback, {"honey", "walnut", "oak"})) return false;
  style = name == "honey" ? HoneyWood() : name == "walnut" ? WalnutWood() : OakWood();
  return true;
}

bool ReadLettering(ItemReader& r, Lettering& l) {
  std::string style;
  r.Text("font", l.face, l.face);
  if (!r.Choice("letters", style, l.style == LetterStyle::kCarved ? "carved" : "painted",
                {"carved", "painted"}))
    return false;
  l.style = style == "carved" ? LetterStyle::kCarved : LetterStyle::kPainted;
  return r.Int("px", l.px, l.px, 4, 200) && r.Colour("fill", l.fill, l.fill) &&
         r.Colour("fill2", l.fill2, l.fill2) && r.Colour("outline", l.outline, l.outline) &&
         r.Int("outline_px", l.outlineWidth, l.outlineWidth, 0, 8) &&
         r.Int("shadow_px", l.shadow, l.shadow, 0, 8);
}

// Iron nail head with a highlight towards the light.
void DrawNail(Image& img, int cx, int cy, int r) {
  Mask shadow(img.w, img.h), head(img.w, img.h), shine(img.w, img.h);
  DrawCapsule(shadow, cx * kSub + kSub, cy * kSub + kSub, cx * kSub + kSub, cy * kSub + kSub, r * kSub);
  DrawCapsule(head, cx * kSub, cy * kSub, cx * kSub, cy * kSub, r * kSub);
  DrawCapsule(shine, cx * kSub - r * kSub / 3, cy * kSub - r * kSub / 3, cx * kSub - r * kSub / 3,
              cy * kSub - r * kSub / 3, r * kSub / 3);
  PaintMask(img, Blur(shadow, 1), 0, 0, kShadow, kOne / 2);
  PaintMask(img, head, 0, 0, Color{0x4E, 0x46, 0x3E});
  PaintMask(img, Blur(shine, 1), 0, 0, Color{0xD8, 0xD0, 0xC0}, kOne * 3 / 4);
}

void Desaturate(Image& img, int amount, int darken) {
  for (Px& p : img.px) {
    const int grey = (p.r * 77 + p.g * 150 + p.b * 29) >> 8;
    p.r = static_cast<std::uint16_t>((Lerp(p.r, grey, amount, 15) * (kOne - darken)) >> 15);
    p.g = static_cast<std::uint16_t>((Lerp(p.g, grey, amount, 15) * (kOne - darken)) >> 15);
    p.b = static_cast<std::uint16_t>((Lerp(p.b, grey, amount, 15) * (kOne - darken)) >> 15);
  }
}

void Brighten(Image& img, int amount) {
  std::vector<int> shade(img.px.size(), amount);
  ApplyShade(img, shade);
}

// The picture squashed towards its middle row to `scaleQ15` of its height, as a sign turning towards the
// viewer, darkened by `darken` (Q15) while it faces away.
Image Squash(const Image& src, int scaleQ15, int darken) {
  Image out(src.w, src.h);
  for (int y = 0; y < src.h; ++y) {
    const std::int64_t offset = static_cast<std::int64_t>(2 * y + 1 - src.h) << 15;  // from the middle, Q16
    const std::int64_t at = (static_cast<std::int64_t>(src.h) << 15) + offset * kOne / scaleQ15 - (1 << 15);
    const int row = static_cast<int>(at >> 16);
    const int frac = static_cast<int>(at & 0xFFFF) >> 1;  // Q15
    if (row < -1 || row >= src.h) continue;
    for (int x = 0; x < src.w; ++x) {
      const Px a = row >= 0 ? src.At(x, row) : Px{};
      const Px b = row + 1 < src.h ? src.At(x, row + 1) : Px{};
      Px& o = out.At(x, y);
      o.a = static_cast<std::uint16_t>(Lerp(a.a, b.a, frac, 15));
      o.r = static_cast<std::uint16_t>((Lerp(a.r, b.r, frac, 15) * (kOne - darken)) >> 15);
      o.g = static_cast<std::uint16_t>((Lerp(a.g, b.g, frac, 15) * (kOne - darken)) >> 15);
      o.b = static_cast<std::uint16_t>((Lerp(a.b, b.b, frac, 15) * (kOne - darken)) >> 15);
    }
  }
  return out;
}

Image Blend(const Image& a, const Image& b, int t) {
  Image out(a.w, a.h);
  for (std::size_t i = 0; i < a.px.size(); ++i) {
    const Px& p = a.px[i];
    const Px& q = b.px[i];
    out.px[i] = Px{
        static_cast<std::uint16_t>(Lerp(p.r, q.r, t, 15)), static_cast<std::uint16_t>(Lerp(p.g, q.g, t, 15)),
        static_cast<std::uint16_t>(Lerp(p.b, q.b, t, 15)), static_cast<std::uint16_t>(Lerp(p.a, q.a, t, 15))};
  }
  return out;
}

// A button's appearing animation: the plaque flips up into view, lights up, and settles into its released
// look, so the last frame matches the released picture the button shows next.
Image AppearStrip(const Image& released, const Image& lit) {
  Image strip(released.w * kAppearFrames, released.h);
  constexpr int kFlipFrames = 4;
  for (int f = 0; f < kAppearFrames; ++f) {
    Image frame;
    if (f < kFlipFrames) {
      const int scale = kOne * (2 * f + 1) / (2 * kFlipFrames);
      frame = Squash(lit, scale, (kOne - scale) / 2);
    } else {
      frame = Blend(lit, released, kOne * (f - kFlipFrames) / (kAppearFrames - 1 - kFlipFrames));
    }
    DrawImage(strip, frame, f * released.w, 0);
  }
  return strip;
}

// The game refuses pictures wider than this, so an animation strip (frames side by side) must keep within it.
constexpr int kMaxStripWidth = 8192;

bool CheckStripWidth(const Item& item, int frameWidth, int frames, std::string& error) {
  if (static_cast<long long>(frameWidth) * frames <= kMaxStripWidth) return true;
  error = "line " + std::to_string(item.line) + " (" + item.name + "): a strip of " + std::to_string(frames) +
          " frames is wider than the game's pictures may be (" + std::to_string(kMaxStripWidth) + ")";
  return false;
}

// A picture with lettering drawn at both sizes.
struct Letters {
  Lettering style;
  std::string text;
  int cx = 0, cy = 0, maxWidth = 0;
};

bool Finish(const Item& item, const std::string& name, bool alpha, Image vga,
            const std::vector<Letters>& letters, FaceCache& faces, std::uint32_t id,
            std::vector<Picture>& out, std::string& error) {
  Picture p;
  p.id = id;
  p.name = name;
  // A picture that covers every pixel needs no alpha picture (a board without margin or corners, say).
  p.hasAlpha = alpha && std::any_of(vga.px.begin(), vga.px.end(), [](const Px& px) { return px.a < kOne; });
  p.qvga = Downsample2(vga);
  p.vga = std::move(vga);
  for (const Letters& l : letters) {
    if (l.text.empty()) continue;
    if (!DrawLettering(p.vga, faces, l.style, l.text, l.cx, l.cy, l.maxWidth, 1, error) ||
        !DrawLettering(p.qvga, faces, l.style, l.text, l.cx, l.cy, l.maxWidth, 2, error)) {
      error = "line " + std::to_string(item.line) + " (" + item.name + "): " + error;
      return false;
    }
  }
  out.push_back(std::move(p));
  return true;
}

bool LandscapeItem(const Item& item, FaceCache& faces, std::vector<Picture>& out, std::string& error) {
  ItemReader r(item);
  int w = 0, h = 0, horizon = 0, seed = 0;
  if (!r.Size("size", w, h) || !r.Int("horizon", horizon, 58, 10, 90) ||
      !r.Int("seed", seed, static_cast<int>(item.id & 0xFFFF), 0, 0x7FFFFFFF) || !r.Finish()) {
    error = r.error();
    return false;
  }
  return Finish(item, item.name, false, Landscape(w, h, horizon, static_cast<std::uint32_t>(seed)), {}, faces,
                item.id, out, error);
}

// A level's uncovered picture in one of the scene styles.
bool SceneItem(const Item& item, FaceCache& faces, std::vector<Picture>& out, std::string& error) {
  ItemReader r(item);
  int w = 0, h = 0, horizon = 0, seed = 0;
  std::string style;
  if (!r.Size("size", w, h) || !r.Text("style", style, "meadow") || !r.Int("horizon", horizon, 55, 10, 90) ||
      !r.Int("seed", seed, static_cast<int>(item.id & 0xFFFF), 0, 0x7FFFFFFF) || !r.Finish()) {
    error = r.error();
    return false;
  }
  if (!IsSceneStyle(style)) {
    error = "line " + std::to_string(item.line) + " (" + item.name + "): unknown style \"" + style + "\"";
    return false;
  }
  return Finish(item, item.name, false, Scene(style, w, h, horizon, static_cast<std::uint32_t>(seed)), {}, faces,
                item.id, out, error);
}

bool RopeItem(const Item& item, FaceCache& faces, std::vector<Picture>& out, std::string& error) {
  ItemReader r(item);
  int w = 0, h = 0, seed = 0;
  if (!r.Size("size", w, h) || !r.Int("seed", seed, 7, 0, 0x7FFFFFFF) || !r.Finish()) {
    error = r.error();
    return false;
  }
  return Finish(item, item.name, true, VerticalRope(w, h, static_cast<std::uint32_t>(seed)), {}, faces,
                item.id, out, error);
}

// A strip of `frames` copies of `board` in which a laser spark runs along the middle of the board from one
// end of its groove to the other, leaving a glowing cut that cools behind it; the spark takes the first
// two thirds of the frames and the rest shows the board still. `scale` is 1 for 640 x 480, 2 for 320 x 240.
Image SparkStrip(const Image& board, int frames, int inset, int scale) {
  Image strip(board.w * frames, board.h);
  const int run = frames * 2 / 3;
  const int left = (inset + 14) / scale, right = board.w - (inset + 14) / scale;
  const int cy = board.h / 2 - 2 / scale;
  const int glow = 10 / scale + 1;  // radius of the spark's glow
  for (int f = 0; f < frames; ++f) {
    Image frame = board;
    if (f < run) {
      const int sx = left + (right - left) * f / std::max(1, run - 1);
      // The cut: a thin glowing line from where the spark started, hottest next to it.
      Mask cut(board.w, board.h), spark(board.w, board.h), core(board.w, board.h);
      for (int x = left; x < sx; ++x) {
        const int heat = kOne - (sx - x) * kOne / std::max(1, right - left);
        cut.At(x, cy) = static_cast<std::uint16_t>(heat);
        if (scale == 1) cut.At(x, cy + 1) = static_cast<std::uint16_t>(heat / 2);
      }
      DrawCapsule(spark, sx * kSub, cy * kSub, sx * kSub, cy * kSub, glow * kSub);
      DrawCapsule(core, sx * kSub, cy * kSub, sx * kSub, cy * kSub, glow * kSub / 3);
      PaintMask(frame, Blur(cut, 1), 0, 0, Color{0xFF, 0x7A, 0x20});
      PaintMask(frame, cut, 0, 0, Color{0xFF, 0xD8, 0x70}, kOne * 3 / 4);
      PaintMask(frame, Blur(spark, glow / 2 + 1), 0, 0, Color{0xFF, 0x90, 0x30}, kOne * 3 / 4);
      PaintMask(frame, Blur(core, 1), 0, 0, Color{0xFF, 0xFF, 0xE8});
    }
    DrawImage(strip, frame, f * board.w, 0);
  }
  return strip;
}

// A signboard of w x h: planks in a rounded outline inset by `margin`, a carved groove, nails in the corners
// and a soft shadow. `inset` receives the groove's distance from the board's edge.
Image SignBoard(int w, int h, const WoodStyle& wood, int radius, int plank, int margin, bool nails,
                std::uint32_t seed, int& inset) {
  const int bx = margin, by = margin / 2, bw = w - 2 * margin, bh = h - margin * 2;
  Image pic(w, h);
  Mask shape = RoundedRectMask(w, h, bx, by, bx + bw, by + bh, radius);
  PaintMask(pic, SoftShadow(shape, 0, margin / 2, std::max(1, margin / 3), kOne * 11 / 20), 0, 0, kShadow);
  Image body = PlankBoard(bw, bh, radius, plank, 5, wood, seed);
  // A carved groove running round the board a little inside its edge.
  inset = std::min(9, std::min(bw, bh) / 6);
  Mask groove =
      Subtract(RoundedRectMask(bw, bh, inset, inset, bw - inset, bh - inset, std::max(2, radius - inset)),
               RoundedRectMask(bw, bh, inset + 2, inset + 2, bw - inset - 2, bh - inset - 2,
                               std::max(2, radius - inset - 2)));
  Mask grooveDepth(bw, bh);
  for (std::size_t i = 0; i < groove.v.size(); ++i)
    grooveDepth.v[i] = static_cast<std::uint16_t>(kOne - groove.v[i]);
  ApplyShade(body, LightFromTopLeft(Blur(grooveDepth, 1), kOne));
  DrawImage(pic, body, bx, by);
  if (nails) {
    const int nr = std::clamp(std::min(bw, bh) / 14, 3, 6);
    const int nx = inset + nr + 6, ny = inset + nr + 4;
    for (int corner = 0; corner < 4; ++corner)
      DrawNail(pic, bx + (corner & 1 ? bw - nx : nx), by + (corner & 2 ? bh - ny : ny), nr);
  }
  return pic;
}

// A signboard with an optional painted title.
bool BoardItem(const Item& item, FaceCache& faces, std::vector<Picture>& out, std::string& error) {
  ItemReader r(item);
  int w = 0, h = 0, radius = 0, plank = 0, margin = 0, nails = 0, seed = 0, titleY = 0, spark = 0;
  WoodStyle wood;
  Letters title;
  title.style.px = 34;
  title.style.outlineWidth = 3;
  title.style.shadow = 3;
  if (!r.Size("size", w, h) || !ReadWood(r, wood, "walnut") || !r.Int("radius", radius, 14, 0, 100) ||
      !r.Int("plank", plank, 46, 8, 1000) || !r.Int("margin", margin, 10, 0, 64) ||
      !r.Int("nails", nails, 1, 0, 1) ||
      !r.Int("seed", seed, static_cast<int>(item.id & 0xFFFF), 0, 0x7FFFFFFF) ||
      !r.Text("title", title.text, "") || !r.Int("title_y", titleY, 0, 0, 8192) ||
      !r.Int("spark", spark, 0, 0, 64) || !ReadLettering(r, title.style) || !r.Finish()) {
    error = r.error();
    return false;
  }
  if (w - 2 * margin < 8 || h - 2 * margin < 8) {
    error = "line " + std::to_string(item.line) + " (" + item.name + "): too small for its margin";
    return false;
  }
  int inset = 0;
  Image pic = SignBoard(w, h, wood, radius, plank, margin, nails, static_cast<std::uint32_t>(seed), inset);
  title.cx = w / 2;
  title.cy = titleY > 0 ? titleY : margin / 2 + (h - 2 * margin) / 2;
  title.maxWidth = w - 2 * margin - 2 * inset - 24;
  if (!Finish(item, item.name, true, std::move(pic), {title}, faces, item.id, out, error)) return false;
  if (spark > 1) {
    if (!CheckStripWidth(item, w, spark, error)) return false;
    Picture& p = out.back();
    p.vga = SparkStrip(p.vga, spark, margin + inset, 1);
    p.qvga = SparkStrip(p.qvga, spark, margin + inset, 2);
    p.frames = spark;
  }
  return true;
}

// The title picture: the landscape with the title board hanging on two ropes in the middle, and a line of
// painted lettering under it.
bool SplashItem(const Item& item, FaceCache& faces, std::vector<Picture>& out, std::string& error) {
  ItemReader r(item);
  int w = 0, h = 0, bw = 0, bh = 0, boardY = 0, seed = 0;
  Letters title, line;
  title.style.px = 48;
  title.style.outlineWidth = 3;
  title.style.shadow = 4;
  line.style.px = 22;
  line.style.outlineWidth = 2;
  line.style.shadow = 2;
  if (!r.Size("size", w, h) || !r.Size("board", bw, bh) || !r.Int("board_y", boardY, 150, 0, 8192) ||
      !r.Int("seed", seed, static_cast<int>(item.id & 0xFFFF), 0, 0x7FFFFFFF) ||
      !r.Text("title", title.text, "") || !r.Text("line", line.text, "") || !r.Finish()) {
    error = r.error();
    return false;
  }
  if (bw + 20 > w || boardY + bh > h || bw < 60 || bh < 40) {
    error = "line " + std::to_string(item.line) + " (" + item.name + "): the board does not fit the picture";
    return false;
  }
  Image pic = Landscape(w, h, 58, static_cast<std::uint32_t>(seed));
  const int bx = (w - bw) / 2;
  constexpr int kRopeWidth = 16;
  for (int side = 0; side < 2; ++side) {
    const int rx = side == 0 ? bx + bw / 8 : bx + bw - bw / 8 - kRopeWidth;
    DrawImage(pic, VerticalRope(kRopeWidth, boardY + 24, static_cast<std::uint32_t>(seed + side)), rx, 0);
  }
  int inset = 0;
  DrawImage(pic, SignBoard(bw, bh, WalnutWood(), 14, 46, 10, true, static_cast<std::uint32_t>(seed), inset), bx,
            boardY);
  title.cx = line.cx = w / 2;
  title.cy = boardY + 5 + (bh - 20) / 2;
  title.maxWidth = bw - 2 * inset - 44;
  line.cy = boardY + bh + 36;
  line.maxWidth = w - 40;
  return Finish(item, item.name, false, std::move(pic), {title, line}, faces, item.id, out, error);
}

// A button plaque in its four states: released, pressed in, disabled, highlighted.
bool PlaqueItem(const Item& item, FaceCache& faces, std::vector<Picture>& out, std::string& error) {
  ItemReader r(item);
  int w = 0, h = 0, radius = 0, margin = 0, seed = 0;
  WoodStyle wood;
  Letters text;
  text.style.face = "DejaVuSerif-Bold.ttf";
  text.style.px = 22;
  text.style.style = LetterStyle::kCarved;
  text.style.fill = Color{0x4A, 0x2A, 0x12};
  text.style.fill2 = Color{0x2E, 0x18, 0x0A};
  text.style.outline = Color{0x2A, 0x16, 0x08};
  text.style.outlineWidth = 1;
  int appear = 1;
  if (!r.Size("size", w, h) || !ReadWood(r, wood, "honey") || !r.Int("radius", radius, 12, 0, 100) ||
      !r.Int("margin", margin, 7, 2, 64) || !r.Int("appear", appear, 1, 0, 1) ||
      !r.Int("seed", seed, static_cast<int>(item.id & 0xFFFF), 0, 0x7FFFFFFF) ||
      !r.Text("text", text.text, "") || !ReadLettering(r, text.style) || !r.Finish()) {
    error = r.error();
    return false;
  }
  const int bx = margin, by = margin - 2, bw = w - 2 * margin, bh = h - 2 * margin;
  if (bw < 8 || bh < 8) {
    error = "line " + std::to_string(item.line) + " (" + item.name + "): too small for its margin";
    return false;
  }
  const Image body = PlankBoard(bw, bh, radius, bh, 4, wood, static_cast<std::uint32_t>(seed));
  for (int state = 0; state < 4; ++state) {
    const bool pressed = state == 1, disabled = state == 2, lit = state == 3;
    const int dy = pressed ? 2 : 0;
    Image pic(w, h);
    Mask shape = RoundedRectMask(w, h, bx, by + dy, bx + bw, by + bh + dy, radius);
    if (lit) {
      // A warm glow around the plaque.
      Mask glow =
          Blur(RoundedRectMask(w, h, bx - 2, by - 2, bx + bw + 2, by + bh + 2, radius + 2), margin / 2);
      ScaleMask(glow, kOne * 3 / 2);
      PaintMask(pic, glow, 0, 0, Color{0xFF, 0xE0, 0x8A});
    }
    PaintMask(pic, SoftShadow(shape, 0, pressed ? 1 : 3, pressed ? 1 : 3, disabled ? kOne / 3 : kOne / 2), 0,
              0, kShadow);
    Image b = body;
    if (pressed) {
      // Pushed in: darker, and the top edge falls into shadow.
      Brighten(b, -kOne / 8);
      Mask top(bw, bh);
      for (int y = 0; y < std::min(bh, 8); ++y)
        for (int x = 0; x < bw; ++x) top.At(x, y) = static_cast<std::uint16_t>(kOne * (8 - y) / 16);
      Image shade(bw, bh);
      PaintMask(shade, top, 0, 0, kShadow);
      ClipToMask(shade, AlphaOf(body));
      DrawImage(b, shade, 0, 0);
    }
    if (disabled) Desaturate(b, kOne * 3 / 5, kOne / 8);
    if (lit) Brighten(b, kOne / 10);
    DrawImage(pic, b, bx, by + dy);
    Letters l = text;
    l.cx = w / 2;
    l.cy = by + dy + bh / 2;
    l.maxWidth = bw - 2 * std::min(radius, bw / 6);  // round buttons still hold their sign
    if (disabled) l.style.opacity = kOne * 2 / 5;
    if (!Finish(item, item.name + "_" + kPlaqueStates[state], true, std::move(pic), {l}, faces,
                item.id + static_cast<std::uint32_t>(state), out, error))
      return false;
  }
  if (appear) {
    Picture strip;
    strip.id = item.id + 4;
    strip.name = item.name + "_" + kPlaqueStates[4];
    strip.hasAlpha = true;
    strip.frames = kAppearFrames;
    const Picture& released = out[out.size() - 4];
    const Picture& lit = out[out.size() - 1];
    strip.vga = AppearStrip(released.vga, lit.vga);
    strip.qvga = AppearStrip(released.qvga, lit.qvga);
    out.push_back(std::move(strip));
  }
  return true;
}

// A rounded groove from (x0, y0) to (x1, y1) cut into wood, darker at its top, where its upper-left wall
// throws a shadow: the slot of a name or the track of a bar.
void CarveGroove(Image& pic, int x0, int y0, int x1, int y1, int radius, Color inside) {
  const Mask hole = RoundedRectMask(pic.w, pic.h, x0, y0, x1, y1, radius);
  Image groove(pic.w, pic.h);
  for (int y = 0; y < pic.h; ++y) {
    const Color c = Mix(Shade(inside, kOne * 3 / 4), inside, Clamp((y - y0) * kOne / std::max(1, y1 - y0), 0, kOne));
    for (int x = 0; x < pic.w; ++x) groove.At(x, y) = Premultiply(c);
  }
  const Mask wall = Subtract(hole, Offset(hole, 2, 2));
  PaintMask(groove, Blur(wall, 2), 0, 0, Color{0x10, 0x08, 0x04}, kOne * 3 / 4);
  ClipToMask(groove, hole);
  DrawImage(pic, groove, 0, 0);
}

// The field's cover: opaque planks the laser cuts away, with a nail at each end of every plank. A panel may
// also have a groove cut into it ("groove=x,y,w,h", the track of a bar) and a painted label.
bool PanelItem(const Item& item, FaceCache& faces, std::vector<Picture>& out, std::string& error) {
  ItemReader r(item);
  int w = 0, h = 0, plank = 0, seed = 0, stainPercent = 0, gx = 0, gy = 0, gw = 0, gh = 0;
  WoodStyle wood;
  Color stain;
  Letters label;
  label.style.px = 22;
  if (!r.Size("size", w, h) || !ReadWood(r, wood, "oak") || !r.Int("plank", plank, 80, 8, 1000) ||
      !r.Int("seed", seed, static_cast<int>(item.id & 0xFFFF), 0, 0x7FFFFFFF) ||
      !r.Colour("stain", stain, Color{}) || !r.Int("stain_percent", stainPercent, 0, 0, 100) ||
      !r.Int("groove_x", gx, 0, 0, 8192) || !r.Int("groove_y", gy, 0, 0, 8192) || !r.Int("groove_w", gw, 0, 0, 8192) ||
      !r.Int("groove_h", gh, 0, 0, 8192) || !r.Text("label", label.text, "") ||
      !r.Int("label_x", label.cx, 0, 0, 8192) || !ReadLettering(r, label.style) || !r.Finish()) {
    error = r.error();
    return false;
  }
  // A stained or painted wood: the palette drawn towards the stain, keeping the grain's light and dark.
  if (stainPercent > 0) {
    const int t = kOne * stainPercent / 100;
    wood.light = Mix(wood.light, Shade(stain, kOne * 5 / 4), t);
    wood.dark = Mix(wood.dark, Shade(stain, kOne * 3 / 4), t);
    wood.deep = Mix(wood.deep, Shade(stain, kOne / 2), t);
  }
  Image pic(w, h);
  Fill(pic, wood.deep);
  DrawImage(pic, PlankBoard(w, h, 0, plank, 4, wood, static_cast<std::uint32_t>(seed)), 0, 0);
  const int planks = std::max(1, h / plank);
  for (int i = 0; i < planks; ++i) {
    const int cy = (2 * i + 1) * h / (2 * planks);
    DrawNail(pic, 14, cy, 4);
    DrawNail(pic, w - 15, cy, 4);
  }
  if (gw > 0 && gh > 0) CarveGroove(pic, gx - 2, gy - 2, gx + gw + 2, gy + gh + 2, (gh + 4) / 2, Color{0x3A, 0x24, 0x14});
  label.cy = h / 2;
  label.maxWidth = w;
  return Finish(item, item.name, false, std::move(pic), {label}, faces, item.id, out, error);
}

// A groove cut into a wooden rim: where a name is typed, or the track of a volume bar.
bool SlotItem(const Item& item, FaceCache& faces, std::vector<Picture>& out, std::string& error) {
  ItemReader r(item);
  int w = 0, h = 0, radius = 0, rim = 0, seed = 0;
  WoodStyle wood;
  Color inside;
  if (!r.Size("size", w, h) || !ReadWood(r, wood, "honey") || !r.Int("radius", radius, 8, 0, 100) ||
      !r.Int("rim", rim, 4, 1, 32) || !r.Colour("inside", inside, Color{0x3A, 0x24, 0x14}) ||
      !r.Int("seed", seed, static_cast<int>(item.id & 0xFFFF), 0, 0x7FFFFFFF) || !r.Finish()) {
    error = r.error();
    return false;
  }
  if (w <= 2 * rim + 2 || h <= 2 * rim + 2) {
    error = "line " + std::to_string(item.line) + " (" + item.name + "): too small for its rim";
    return false;
  }
  Image pic = PlankBoard(w, h, radius, h, std::max(2, rim / 2), wood, static_cast<std::uint32_t>(seed));
  CarveGroove(pic, rim, rim, w - rim, h - rim, std::max(1, radius - rim), inside);
  return Finish(item, item.name, true, std::move(pic), {}, faces, item.id, out, error);
}

// The filling of a bar: a glossy amber gel in a dark outline.
bool GaugeItem(const Item& item, FaceCache& faces, std::vector<Picture>& out, std::string& error) {
  ItemReader r(item);
  int w = 0, h = 0, inset = 0;
  Color top, bottom;
  if (!r.Size("size", w, h) || !r.Int("inset", inset, 4, 0, 32) ||
      !r.Colour("top", top, Color{0xFF, 0xD8, 0x7C}) ||
      !r.Colour("bottom", bottom, Color{0xD8, 0x7A, 0x18}) || !r.Finish()) {
    error = r.error();
    return false;
  }
  if (w <= 2 * inset + 4 || h <= 2 * inset + 4) {
    error = "line " + std::to_string(item.line) + " (" + item.name + "): too small for its inset";
    return false;
  }
  const int radius = (h - 2 * inset) / 2;
  const Mask shape = RoundedRectMask(w, h, inset, inset, w - inset, h - inset, radius);
  Image pic(w, h);
  for (int y = 0; y < h; ++y) {
    const Color c = Mix(top, bottom, Clamp((y - inset) * kOne / std::max(1, h - 2 * inset), 0, kOne));
    for (int x = 0; x < w; ++x) pic.At(x, y) = Premultiply(c);
  }
  // A soft shine along the upper half.
  const Mask shine = Blur(RoundedRectMask(w, h, inset + radius / 2, inset + 1, w - inset - radius / 2,
                                          inset + (h - 2 * inset) / 2, radius / 2),
                          1);
  PaintMask(pic, shine, 0, 0, Color{0xFF, 0xFF, 0xF0}, kOne * 2 / 5);
  ClipToMask(pic, shape);
  const Mask rim = Subtract(shape, RoundedRectMask(w, h, inset + 1, inset + 1, w - inset - 1, h - inset - 1,
                                                   std::max(1, radius - 1)));
  PaintMask(pic, rim, 0, 0, Color{0x6A, 0x34, 0x08}, kOne * 3 / 4);
  return Finish(item, item.name, true, std::move(pic), {}, faces, item.id, out, error);
}

// A piece of the game (the head, an enemy, a prize), or with frames > 1 a strip of its own motion.
bool PieceItem(const Item& item, FaceCache& faces, std::vector<Picture>& out, std::string& error) {
  ItemReader r(item);
  int w = 0, h = 0, frames = 1, heading = 0;
  std::string shape;
  Piece piece = Piece::kHead;
  if (!r.Size("size", w, h) || !r.Text("shape", shape, "") || !r.Int("frames", frames, 1, 1, 32) ||
      !r.Int("heading", heading, 0, -360, 360) || !r.Finish()) {
    error = r.error();
    return false;
  }
  if (!PieceFromName(shape, piece)) {
    error = "line " + std::to_string(item.line) + " (" + item.name + "): unknown shape \"" + shape + "\"";
    return false;
  }
  if (!CheckStripWidth(item, w, frames, error)) return false;
  Image strip(w * frames, h);
  for (int f = 0; f < frames; ++f)
    DrawImage(strip, DrawPiece(piece, w, h, PiecePose{f, frames, heading}), f * w, 0);
  if (!Finish(item, item.name, true, std::move(strip), {}, faces, item.id, out, error)) return false;
  out.back().frames = frames;
  return true;
}

}  // namespace

bool BuildPictures(const Item& item, FaceCache& faces, std::vector<Picture>& out, std::string& error) {
  if (item.kind == "landscape") return LandscapeItem(item, faces, out, error);
  if (item.kind == "scene") return SceneItem(item, faces, out, error);
  if (item.kind == "rope") return RopeItem(item, faces, out, error);
  if (item.kind == "board") return BoardItem(item, faces, out, error);
  if (item.kind == "splash") return SplashItem(item, faces, out, error);
  if (item.kind == "plaque") return PlaqueItem(item, faces, out, error);
  if (item.kind == "panel") return PanelItem(item, faces, out, error);
  if (item.kind == "slot") return SlotItem(item, faces, out, error);
  if (item.kind == "gauge") return GaugeItem(item, faces, out, error);
  if (item.kind == "keyboard") return KeyboardItem(item, faces, out, error);
  if (item.kind == "piece") return PieceItem(item, faces, out, error);
  error = "line " + std::to_string(item.line) + ": unknown picture kind \"" + item.kind + "\"";
  return false;
}

}  // namespace zelph::assetgen
