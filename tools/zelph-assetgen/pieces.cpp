#include "pieces.h"

#include <algorithm>
#include <functional>
#include <initializer_list>
#include <utility>
#include <vector>

#include "effects.h"
#include "fixed_math.h"
#include "shapes.h"

namespace zelph::assetgen {

namespace {

// The house palette: the dark brown of the lettering's outlines, the cream of the lettering, and warm
// accents that stand out on honey wood and on the field's oak alike.
const Color kInk{0x3A, 0x22, 0x10};
const Color kCream{0xFF, 0xF4, 0xDC};
const Color kShadow{0x14, 0x0C, 0x06};
const Color kWhite{0xFF, 0xFF, 0xFF};
const Color kBrass{0xE2, 0xAE, 0x4E};
const Color kSteel{0x8C, 0x86, 0x7E};
const Color kLaser{0xFF, 0x3C, 0x1E};
const Color kLaserHot{0xFF, 0xE6, 0x8C};
const Color kBallRed{0xD0, 0x46, 0x2A};
const Color kHunterBody{0x6C, 0x3C, 0x92};
const Color kShuttleBody{0x5E, 0x84, 0xAE};
const Color kAmber{0xF5, 0xB9, 0x41};
const Color kSand{0xE0, 0x8A, 0x22};
const Color kGold{0xFF, 0xD8, 0x5A};
const Color kRim{0xF0, 0xB8, 0x48};
const Color kGodBody{0xB8, 0xD4, 0xF4};
const Color kGodGlow{0x6C, 0xC8, 0xFF};
const Color kStone{0x9A, 0x94, 0x88};
const Color kTar{0x2E, 0x22, 0x16};

// A shape as its signed distance (1/256 px, negative inside) at a point of the picture (1/256 px).
using Shape = std::function<int(int, int)>;

Shape Join(Shape a, Shape b) {
  return [a = std::move(a), b = std::move(b)](int x, int y) { return std::min(a(x, y), b(x, y)); };
}
Shape Join(std::initializer_list<Shape> shapes) {
  std::vector<Shape> all(shapes);
  return [all](int x, int y) {
    int d = 1 << 30;
    for (const Shape& s : all) d = std::min(d, s(x, y));
    return d;
  };
}
Shape Cut(Shape a, Shape b) {
  return [a = std::move(a), b = std::move(b)](int x, int y) { return std::max(a(x, y), -b(x, y)); };
}
Shape Within(Shape a, Shape b) {
  return [a = std::move(a), b = std::move(b)](int x, int y) { return std::max(a(x, y), b(x, y)); };
}

// The piece's own coordinates: 1000 units are 13/16 of the picture's smaller side (leaving room for the
// shadow), from its centre, x along the heading, y a quarter turn clockwise from it (down at heading 0).
class Frame {
 public:
  Frame(int w, int h, int heading)
      : w_(w),
        h_(h),
        scale_(std::min(w, h) * kSub * 13 / 16),
        cos_(CosQ15(DegreesToPhase(heading))),
        sin_(SinQ15(DegreesToPhase(heading))) {}

  int Length(int units) const { return static_cast<int>(static_cast<std::int64_t>(units) * scale_ / 1000); }
  std::pair<int, int> Point(int u, int v) const {
    const std::int64_t x = (static_cast<std::int64_t>(u) * cos_ - static_cast<std::int64_t>(v) * sin_) >> 15;
    const std::int64_t y = (static_cast<std::int64_t>(u) * sin_ + static_cast<std::int64_t>(v) * cos_) >> 15;
    return {w_ * kSub / 2 + static_cast<int>(x * scale_ / 1000),
            h_ * kSub / 2 + static_cast<int>(y * scale_ / 1000)};
  }

  Shape Circle(int u, int v, int r) const {
    const std::pair<int, int> centre = Point(u, v);
    const int radius = Length(r);
    return
        [centre, radius](int x, int y) { return CircleDistance(x, y, centre.first, centre.second, radius); };
  }
  Shape Capsule(int au, int av, int bu, int bv, int halfWidth) const {
    // Pairs rather than structured bindings: clang before 16 cannot capture bindings in a lambda.
    const std::pair<int, int> a = Point(au, av), b = Point(bu, bv);
    const int half = Length(halfWidth);
    return [=](int x, int y) { return CapsuleDistance(x, y, a.first, a.second, b.first, b.second, half); };
  }
  // Corners as u, v pairs.
  Shape Polygon(std::initializer_list<int> uv) const {
    std::vector<int> corners;
    for (auto it = uv.begin(); it + 1 < uv.end(); it += 2) {
      const auto [x, y] = Point(*it, *(it + 1));
      corners.push_back(x);
      corners.push_back(y);
    }
    return [corners](int x, int y) {
      return PolygonDistance(x, y, corners.data(), static_cast<int>(corners.size() / 2));
    };
  }
  // A ring of points: `count` spikes or star points alternating between the two radii.
  Shape Star(int count, int outer, int inner, int turnDegrees) const {
    std::vector<int> corners;
    for (int i = 0; i < 2 * count; ++i) {
      const std::uint32_t phase =
          DegreesToPhase(turnDegrees) + static_cast<std::uint32_t>(0x100000000LL * i / (2 * count));
      const int r = i % 2 ? inner : outer;
      const auto [x, y] = Point(static_cast<int>((static_cast<std::int64_t>(r) * CosQ15(phase)) >> 15),
                                static_cast<int>((static_cast<std::int64_t>(r) * SinQ15(phase)) >> 15));
      corners.push_back(x);
      corners.push_back(y);
    }
    return [corners](int x, int y) {
      return PolygonDistance(x, y, corners.data(), static_cast<int>(corners.size() / 2));
    };
  }

  // Coverage of the shape grown by `grow` units (an outline is the shape grown and painted first).
  Mask Cover(const Shape& shape, int grow = 0) const {
    Mask m(w_, h_);
    const int g = Length(grow);
    for (int y = 0; y < h_; ++y)
      for (int x = 0; x < w_; ++x)
        m.At(x, y) = static_cast<std::uint16_t>(
            CoverageFromDistance(shape(x * kSub + kSub / 2, y * kSub + kSub / 2) - g));
    return m;
  }

  int PixelSize() const { return std::min(w_, h_); }

 private:
  int w_, h_, scale_, cos_, sin_;
};

// Outlines are this many units wide: a little over a pixel at 40 pixels, so half size keeps a thin edge.
constexpr int kOutline = 34;

// Colour through a mask, lit from the top left as a rounded surface; a negative strength sinks it in.
void PaintLit(Image& img, const Mask& m, Color c, int bevelPx, int strength) {
  Image layer(img.w, img.h);
  Fill(layer, c);
  ClipToMask(layer, m);
  ApplyShade(layer, LightFromTopLeft(BevelHeight(m, std::max(1, bevelPx)), strength));
  DrawImage(img, layer, 0, 0);
}

// A soft highlight where the light from the top left catches a glossy surface.
void Gloss(Image& img, const Frame& f, int u, int v, int r, int opacity) {
  PaintMask(img, Blur(f.Cover(f.Circle(u, v, r)), std::max(1, f.PixelSize() / 24)), 0, 0, kWhite, opacity);
}

// The shadow the piece throws down and to the right, then its dark outline.
void Ground(Image& img, const Frame& f, const Shape& silhouette) {
  const int size = f.PixelSize();
  const Mask outline = f.Cover(silhouette, kOutline);
  PaintMask(img,
            SoftShadow(outline, std::max(1, size / 24), std::max(1, size / 20), std::max(1, size / 28),
                       kOne * 11 / 20),
            0, 0, kShadow);
  PaintMask(img, outline, 0, 0, kInk);
}

// A phase in Q15 from -kOne to kOne that runs once round over the frames.
int Pulse(const PiecePose& pose) {
  if (pose.frames <= 1) return 0;
  return SinQ15(static_cast<std::uint32_t>(0x100000000LL * pose.frame / pose.frames));
}

// The player's laser cutter seen from above: a brass head on four steel guides, its nozzle glowing.
// Cutting, its glow flares and sparks fly round the nozzle; in god mode the brass turns to silver-blue in a
// blue halo.
void DrawHead(Image& img, const Frame& f, const PiecePose& pose, bool cutting, bool god) {
  const int size = f.PixelSize();
  if (god)
    PaintMask(img, Blur(f.Cover(f.Circle(0, 0, 420)), std::max(1, size / 10)), 0, 0, kGodGlow, kOne * 3 / 4);
  const Shape guides = Join({f.Capsule(0, -250, 0, -340, 85), f.Capsule(0, 250, 0, 340, 85),
                             f.Capsule(-250, 0, -340, 0, 85), f.Capsule(250, 0, 340, 0, 85)});
  const Shape body = f.Circle(0, 0, 300);
  Ground(img, f, Join(guides, body));
  PaintLit(img, f.Cover(guides), kSteel, size / 14, kOne);
  const Color metal = god ? kGodBody : kBrass;
  PaintLit(img, f.Cover(body), metal, size / 10, kOne);
  // A turned groove round the nozzle.
  PaintMask(img, f.Cover(Cut(f.Circle(0, 0, 215), f.Circle(0, 0, 185))), 0, 0, Shade(metal, kOne * 3 / 5));
  Gloss(img, f, -150, -150, 60, kOne * 2 / 5);
  PaintMask(img, f.Cover(f.Circle(0, 0, 150)), 0, 0, kInk);
  // The beam's glow breathes: a hotter core and a wider halo at the top of the pulse.
  const int pulse = Pulse(pose);
  const int heat = cutting ? kOne : (kOne + pulse) / 2;
  const Color beam = god ? kGodGlow : kLaser;
  PaintMask(img, Blur(f.Cover(f.Circle(0, 0, (cutting ? 190 : 130) + 60 * heat / kOne)), std::max(1, size / 14)),
            0, 0, beam, kOne * 2 / 5 + heat / 2);
  PaintMask(img, f.Cover(f.Circle(0, 0, 100)), 0, 0, Mix(beam, kLaserHot, heat * 3 / 4));
  PaintMask(img, Blur(f.Cover(f.Circle(-20, -20, 40)), 1), 0, 0, kLaserHot, kOne * 3 / 4);
  if (cutting) {
    // Four sparks circling the nozzle, a quarter turn over the frames.
    const int turn = pose.frames > 1 ? 90 * pose.frame / pose.frames : 0;
    const Frame spun(img.w, img.h, turn);
    for (int i = 0; i < 4; ++i) {
      const int u = i % 2 ? 0 : (i == 0 ? 360 : -360), v = i % 2 ? (i == 1 ? 360 : -360) : 0;
      PaintMask(img, Blur(spun.Cover(spun.Circle(u, v, 60)), 1), 0, 0, kLaserHot);
    }
  }
}

// The laser's source in the top bar: a steel housing with a brass nozzle pointing down at the field, its
// lens glowing with the same pulse as the head's.
void DrawEmitter(Image& img, const Frame& f, const PiecePose& pose) {
  const int size = f.PixelSize();
  const Shape housing = f.Capsule(-300, -150, 300, -150, 190);
  const Shape nozzle = f.Polygon({-150, -20, 150, -20, 80, 330, -80, 330});
  Ground(img, f, Join(housing, nozzle));
  PaintLit(img, f.Cover(housing), kSteel, size / 12, kOne);
  PaintLit(img, f.Cover(nozzle), kBrass, size / 12, kOne);
  Gloss(img, f, -180, -230, 60, kOne * 2 / 5);
  const int heat = (kOne + Pulse(pose)) / 2;
  PaintMask(img, Blur(f.Cover(f.Circle(0, 320, 90 + 50 * heat / kOne)), std::max(1, size / 14)), 0, 0, kLaser,
            kOne * 2 / 5 + heat / 2);
  PaintMask(img, f.Cover(f.Circle(0, 320, 70)), 0, 0, Mix(kLaser, kLaserHot, heat * 3 / 4));
}

// The emitter after the head was lost: dark and cold, smoke puffs rising from the nozzle over the frames.
void DrawEmitterDead(Image& img, const Frame& f, const PiecePose& pose) {
  const int size = f.PixelSize();
  const Shape housing = f.Capsule(-300, -150, 300, -150, 190);
  const Shape nozzle = f.Polygon({-150, -20, 150, -20, 80, 330, -80, 330});
  Ground(img, f, Join(housing, nozzle));
  PaintLit(img, f.Cover(housing), Shade(kSteel, kOne * 3 / 5), size / 12, kOne);
  PaintLit(img, f.Cover(nozzle), Shade(kBrass, kOne / 2), size / 12, kOne);
  PaintMask(img, f.Cover(f.Circle(0, 320, 70)), 0, 0, kInk);
  const int frames = std::max(1, pose.frames);
  for (int puff = 0; puff < 2; ++puff) {
    const int age = (pose.frame + puff * frames / 2) % frames;  // 0 .. frames - 1
    const int v = 250 - 500 * age / frames, r = 80 + 110 * age / frames;
    PaintMask(img, Blur(f.Cover(f.Circle(60 * (puff ? 1 : -1), v, r)), std::max(1, size / 12)), 0, 0,
              Color{0x50, 0x4C, 0x48}, kOne * 3 / 4 - kOne / 2 * age / frames);
  }
}

// A stone pillar that rises out of the ground and sinks back, a red rune glowing on it.
void DrawPillar(Image& img, const Frame& f, const PiecePose& pose) {
  const int size = f.PixelSize();
  const int half = PillarHalfHeight(pose.frame, pose.frames) * 1000 / 813 - 250;  // to frame units
  const Shape pillar = f.Capsule(0, -half, 0, half, 250);
  Ground(img, f, pillar);
  PaintLit(img, f.Cover(pillar), kStone, size / 8, kOne);
  PaintMask(img, f.Cover(f.Capsule(-80, -half / 3, 80, half / 3, 34)), 0, 0, Color{0xC8, 0x30, 0x20}, kOne * 4 / 5);
  Gloss(img, f, -90, -half * 2 / 3, 60, kOne / 3);
}

// A blot of tar with a ragged edge and a dull shine.
void DrawTar(Image& img, const Frame& f) {
  const Shape blot = Join({f.Circle(0, 0, 380), f.Circle(-250, -160, 200), f.Circle(260, 120, 220),
                           f.Circle(120, -270, 170), f.Circle(-200, 250, 170)});
  PaintMask(img, f.Cover(blot), 0, 0, kTar);
  PaintMask(img, Blur(f.Cover(f.Circle(-120, -120, 110)), std::max(1, f.PixelSize() / 16)), 0, 0,
            Color{0x8A, 0x70, 0x50}, kOne / 2);
}

// A glossy ball with a cream band; the band turns with the frames, so the ball spins.
void DrawBall(Image& img, const Frame& f, const PiecePose& pose, Color enamel) {
  const int size = f.PixelSize();
  const Shape ball = f.Circle(0, 0, 380);
  Ground(img, f, ball);
  PaintLit(img, f.Cover(ball), enamel, size / 5, kOne * 3 / 4);
  const int turn = pose.frames > 1 ? 180 * pose.frame / pose.frames : 0;
  const Frame turned(img.w, img.h, pose.heading + 30 + turn);
  PaintMask(img, f.Cover(Within(turned.Capsule(-600, 0, 600, 0, 85), f.Circle(0, 0, 380))), 0, 0, kCream,
            kOne * 9 / 10);
  // The side away from the light falls into shade over the band as well.
  PaintMask(img, Blur(f.Cover(Cut(ball, f.Circle(-90, -90, 400))), std::max(1, size / 16)), 0, 0, kShadow,
            kOne * 2 / 5);
  Gloss(img, f, -140, -150, 90, kOne * 11 / 20);
  PaintMask(img, f.Cover(f.Circle(-150, -160, 35)), 0, 0, kWhite, kOne * 4 / 5);
}

// A spiky creature that glares where it is heading: its face stays upright, its pupils and spikes follow.
void DrawHunter(Image& img, const Frame& upright, const PiecePose& pose) {
  const int size = upright.PixelSize();
  const Frame f(img.w, img.h, pose.heading);
  const Shape spikes = f.Star(8, 440, 200, 0);
  const Shape body = upright.Circle(0, 0, 290);
  Ground(img, upright, Join(spikes, body));
  PaintLit(img, f.Cover(spikes), Shade(kHunterBody, kOne * 3 / 4), size / 14, kOne);
  PaintLit(img, upright.Cover(body), kHunterBody, size / 8, kOne);
  Gloss(img, upright, -150, -170, 60, kOne / 3);
  // Eyes: cream, with pupils pushed towards the heading, under frowning brows.
  const int lookU = static_cast<int>((45LL * CosQ15(DegreesToPhase(pose.heading))) >> 15);
  const int lookV = static_cast<int>((45LL * SinQ15(DegreesToPhase(pose.heading))) >> 15);
  for (int side : {-1, 1}) {
    PaintMask(img, upright.Cover(upright.Circle(side * 105, -40, 95)), 0, 0, kCream);
    PaintMask(img, upright.Cover(upright.Circle(side * 105 + lookU, -40 + lookV, 48)), 0, 0, kInk);
    PaintMask(img, upright.Cover(upright.Capsule(side * 215, -175, side * 40, -105, 38)), 0, 0, kInk);
  }
  // A grim mouth with two fangs.
  PaintMask(img, upright.Cover(upright.Capsule(-95, 125, 95, 125, 30)), 0, 0, kInk);
  PaintMask(img, upright.Cover(upright.Polygon({-70, 130, -20, 130, -45, 195})), 0, 0, kCream);
  PaintMask(img, upright.Cover(upright.Polygon({20, 130, 70, 130, 45, 195})), 0, 0, kCream);
}

// A steel sled between two arrowheads: it runs to and fro along its axis.
void DrawShuttle(Image& img, const Frame& f) {
  const int size = f.PixelSize();
  const Shape arrows =
      Join(f.Polygon({250, -200, 450, 0, 250, 200}), f.Polygon({-250, -200, -450, 0, -250, 200}));
  const Shape sled = f.Capsule(-170, 0, 170, 0, 140);
  Ground(img, f, Join(arrows, sled));
  PaintLit(img, f.Cover(arrows), kAmber, size / 12, kOne);
  PaintLit(img, f.Cover(sled), kShuttleBody, size / 9, kOne);
  PaintMask(img, f.Cover(f.Capsule(-90, 0, 90, 0, 30)), 0, 0, kInk, kOne * 4 / 5);
  for (int side : {-1, 1}) {
    PaintMask(img, f.Cover(f.Circle(side * 200, 0, 38)), 0, 0, Shade(kShuttleBody, kOne / 2));
    PaintMask(img, f.Cover(f.Circle(side * 200 - 12, -12, 15)), 0, 0, kCream, kOne * 3 / 5);
  }
  Gloss(img, f, -120, -80, 50, kOne * 2 / 5);
}

// A prize: a golden medallion with a coloured enamel face and a cream sign on it.
void DrawMedallion(Image& img, const Frame& f, Color enamel, const Shape& sign, Color signColour) {
  const int size = f.PixelSize();
  const Shape disc = f.Circle(0, 0, 410);
  Ground(img, f, disc);
  PaintLit(img, f.Cover(disc), kRim, size / 10, kOne);
  PaintLit(img, f.Cover(f.Circle(0, 0, 320)), enamel, size / 10, -kOne * 3 / 4);
  PaintMask(img, f.Cover(sign, kOutline * 3 / 4), 0, 0, kInk);
  PaintLit(img, f.Cover(sign), signColour, size / 16, kOne / 2);
  Gloss(img, f, -170, -190, 70, kOne * 2 / 5);
}

Shape Heart(const Frame& f) {
  return Join({f.Circle(-100, -45, 120), f.Circle(100, -45, 120), f.Polygon({-205, 10, 205, 10, 0, 225})});
}

Shape Snail(const Frame& f) {
  return Join({f.Circle(45, -15, 140), f.Capsule(-195, 135, 215, 135, 48), f.Capsule(-195, 135, -205, 30, 48),
               f.Capsule(-205, 30, -255, -75, 16), f.Capsule(-205, 30, -150, -80, 16)});
}

Shape Hourglass(const Frame& f) {
  return Join({f.Capsule(-160, -215, 160, -215, 36), f.Capsule(-160, 215, 160, 215, 36),
               f.Polygon({-125, -190, 125, -190, 30, 0, 125, 190, -125, 190, -30, 0})});
}

void DrawPrize(Image& img, const Frame& f, Piece piece) {
  switch (piece) {
    case Piece::kExtraLife:
      DrawMedallion(img, f, Color{0xC8, 0x3A, 0x2A}, Heart(f), kCream);
      break;
    case Piece::kGodMode:
      DrawMedallion(img, f, Color{0x2C, 0x4C, 0x9C}, f.Star(5, 245, 105, -90), kGold);
      break;
    case Piece::kSlowHead: {
      DrawMedallion(img, f, Color{0x4E, 0x8C, 0x30}, Snail(f), kCream);
      // The whorl of the shell.
      PaintMask(img, f.Cover(Cut(f.Circle(60, -10, 85), f.Circle(60, -10, 55))), 0, 0, kInk, kOne * 3 / 4);
      PaintMask(img, f.Cover(f.Circle(70, -5, 22)), 0, 0, kInk, kOne * 3 / 4);
      break;
    }
    default: {
      DrawMedallion(img, f, Color{0x24, 0x86, 0x8C}, Hourglass(f), kCream);
      // Sand running from the upper bulb into the lower one.
      PaintMask(img, f.Cover(f.Polygon({-70, -120, 70, -120, 15, -30, -15, -30})), 0, 0, kSand);
      PaintMask(img, f.Cover(f.Polygon({-100, 175, 100, 175, 0, 75})), 0, 0, kSand);
      PaintMask(img, f.Cover(f.Capsule(0, -30, 0, 120, 8)), 0, 0, kSand);
      break;
    }
  }
}

}  // namespace

bool PieceFromName(std::string_view name, Piece& out) {
  static constexpr std::pair<std::string_view, Piece> kNames[] = {
      {"head", Piece::kHead},          {"ball", Piece::kBall},
      {"hunter", Piece::kHunter},      {"shuttle", Piece::kShuttle},
      {"life", Piece::kExtraLife},     {"god", Piece::kGodMode},
      {"slow_head", Piece::kSlowHead}, {"slow_enemies", Piece::kSlowEnemies},
      {"emitter", Piece::kEmitter},    {"head_cut", Piece::kHeadCut},
      {"head_god", Piece::kHeadGod},   {"head_god_cut", Piece::kHeadGodCut},
      {"emitter_dead", Piece::kEmitterDead}, {"pillar", Piece::kPillar},
      {"tar", Piece::kTar},            {"ball_blue", Piece::kBallBlue},
      {"ball_green", Piece::kBallGreen}};
  for (const auto& [n, p] : kNames)
    if (n == name) {
      out = p;
      return true;
    }
  return false;
}

Image DrawPiece(Piece piece, int w, int h, const PiecePose& pose) {
  Image img(std::max(0, w), std::max(0, h));
  if (w < 2 || h < 2) return img;
  const Frame upright(w, h, 0);
  switch (piece) {
    case Piece::kHead:
    case Piece::kHeadCut:
    case Piece::kHeadGod:
    case Piece::kHeadGodCut:
      DrawHead(img, upright, pose, piece == Piece::kHeadCut || piece == Piece::kHeadGodCut,
               piece == Piece::kHeadGod || piece == Piece::kHeadGodCut);
      break;
    case Piece::kBall:
      DrawBall(img, upright, pose, kBallRed);
      break;
    case Piece::kBallBlue:
      DrawBall(img, upright, pose, Color{0x2E, 0x5C, 0xC8});
      break;
    case Piece::kBallGreen:
      DrawBall(img, upright, pose, Color{0x3A, 0x9A, 0x3A});
      break;
    case Piece::kEmitterDead:
      DrawEmitterDead(img, upright, pose);
      break;
    case Piece::kPillar:
      DrawPillar(img, upright, pose);
      break;
    case Piece::kTar:
      DrawTar(img, upright);
      break;
    case Piece::kHunter:
      DrawHunter(img, upright, pose);
      break;
    case Piece::kShuttle:
      DrawShuttle(img, Frame(w, h, pose.heading));
      break;
    case Piece::kEmitter:
      DrawEmitter(img, upright, pose);
      break;
    default:
      DrawPrize(img, upright, piece);
      break;
  }
  return img;
}

int PillarHalfHeight(int frame, int frames) {
  // From 0.28 to 0.45 of the side and back over the frames (the frame scale is 0.8125 of the side).
  const int lift = frames > 1 ? (kOne - CosQ15(static_cast<std::uint32_t>(0x100000000LL * frame / frames))) / 2 : 0;
  return 280 + static_cast<int>((170LL * lift) >> 15);
}

}  // namespace zelph::assetgen
