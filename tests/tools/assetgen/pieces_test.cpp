#include "pieces.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <string>
#include <vector>

#include "asset_sources.h"
#include "description.h"
#include "pictures.h"
#include "raster.h"
#include "shapes.h"

namespace zelph::assetgen {
namespace {

// The pieces that stand on the field or in the page (the emitters hang in the top bar and fill their
// pictures).
constexpr Piece kAllPieces[] = {Piece::kHead,      Piece::kBall,    Piece::kHunter,   Piece::kShuttle,
                                Piece::kExtraLife, Piece::kGodMode, Piece::kSlowHead, Piece::kSlowEnemies,
                                Piece::kHeadCut,   Piece::kHeadGod, Piece::kHeadGodCut, Piece::kPillar,
                                Piece::kTar,       Piece::kBallBlue, Piece::kBallGreen};

// The box round everything with more than a trace of coverage.
struct Extent {
  int left, top, right, bottom;  // right and bottom exclusive
};
Extent CoveredExtent(const Image& img) {
  Extent e{img.w, img.h, 0, 0};
  for (int y = 0; y < img.h; ++y)
    for (int x = 0; x < img.w; ++x)
      if (img.At(x, y).a > kOne / 8) {
        e.left = std::min(e.left, x);
        e.top = std::min(e.top, y);
        e.right = std::max(e.right, x + 1);
        e.bottom = std::max(e.bottom, y + 1);
      }
  return e;
}

TEST(PolygonShapes, InsideIsNegativeWhicheverWayTheCornersRun) {
  const int square[] = {0, 0, 2560, 0, 2560, 2560, 0, 2560};
  const int reversed[] = {0, 2560, 2560, 2560, 2560, 0, 0, 0};
  for (const int* corners : {square, reversed}) {
    EXPECT_EQ(PolygonDistance(1280, 1280, corners, 4), -1280);
    EXPECT_EQ(PolygonDistance(1280, 3840, corners, 4), 1280);
    EXPECT_EQ(PolygonDistance(2560 + 300, 2560 + 400, corners, 4), 500) << "nearest to the corner";
    EXPECT_EQ(PolygonDistance(2560, 1000, corners, 4), 0) << "on the edge";
  }
  // A concave arrow: its notch is outside.
  const int chevron[] = {0, 0, 2560, 1280, 0, 2560, 1280, 1280};
  EXPECT_GT(PolygonDistance(640, 1280, chevron, 4), 0);
  EXPECT_LT(PolygonDistance(1900, 1280, chevron, 4), 0);
}

// Each piece stands clear inside its picture on a transparent ground with soft edges: neither the piece nor
// its shadow is cut off at the border, at the size the page shows it, at half that size (as the small build
// makes it) or larger (as a game pack may want it).
TEST(Pieces, EveryPieceFitsItsPictureWithSoftEdges) {
  for (Piece piece : kAllPieces) {
    for (int size : {44, 22, 64}) {
      SCOPED_TRACE("piece " + std::to_string(static_cast<int>(piece)) + " at " + std::to_string(size));
      const Image img = size == 22 ? Downsample2(DrawPiece(piece, 44, 44, PiecePose{}))
                                   : DrawPiece(piece, size, size, PiecePose{});
      int border = 0, soft = 0, solid = 0;
      for (int y = 0; y < size; ++y)
        for (int x = 0; x < size; ++x) {
          const int a = img.At(x, y).a;
          if (x == 0 || y == 0 || x == size - 1 || y == size - 1) border = std::max(border, a);
          soft += a > 0 && a < kOne;
          solid += a == kOne;
        }
      EXPECT_LT(border, kOne / 12) << "touches the picture's edge";
      EXPECT_GT(soft, size) << "anti-aliased edges and a soft shadow";
      EXPECT_GT(solid, size * size / 6) << "a solid body";
      EXPECT_EQ(img.At(size / 2, size / 2).a, kOne);
    }
  }
}

// The drawing scales with the picture: drawn twice as large and halved, a piece covers what it covers when
// drawn at the small size directly.
TEST(Pieces, DrawingScalesWithThePicture) {
  for (Piece piece : kAllPieces) {
    SCOPED_TRACE(static_cast<int>(piece));
    const Image large = Downsample2(DrawPiece(piece, 64, 64, PiecePose{}));
    const Image small = DrawPiece(piece, 32, 32, PiecePose{});
    long long difference = 0;
    for (std::size_t i = 0; i < small.px.size(); ++i) difference += std::abs(large.px[i].a - small.px[i].a);
    EXPECT_LT(difference / static_cast<long long>(small.px.size()), kOne / 25);
  }
}

TEST(Pieces, AHeadingTurnsTheShuttlesAxisAndTheHuntersGaze) {
  const Extent across = CoveredExtent(DrawPiece(Piece::kShuttle, 40, 40, PiecePose{0, 1, 0}));
  const Extent upright = CoveredExtent(DrawPiece(Piece::kShuttle, 40, 40, PiecePose{0, 1, 90}));
  EXPECT_GT(across.right - across.left, across.bottom - across.top + 8);
  EXPECT_GT(upright.bottom - upright.top, upright.right - upright.left + 8);
  // Looking right or left moves the pupils, so the two pictures differ mostly in the eyes' half.
  const Image right = DrawPiece(Piece::kHunter, 40, 40, PiecePose{0, 1, 0});
  const Image left = DrawPiece(Piece::kHunter, 40, 40, PiecePose{0, 1, 180});
  long long eyes = 0, rest = 0;
  for (int y = 0; y < 40; ++y)
    for (int x = 0; x < 40; ++x) {
      const int d = std::abs(right.At(x, y).r - left.At(x, y).r);
      (y >= 12 && y < 22 ? eyes : rest) += d;
    }
  EXPECT_GT(eyes, 0);
  EXPECT_GT(eyes, rest);
}

TEST(Pieces, AnimatedPiecesChangeOverTheirCycleAndComeBackToTheStart) {
  for (Piece piece : {Piece::kHead, Piece::kBall}) {
    SCOPED_TRACE(static_cast<int>(piece));
    const Image first = DrawPiece(piece, 40, 40, PiecePose{0, 8, 0});
    const Image quarter = DrawPiece(piece, 40, 40, PiecePose{2, 8, 0});
    const Image again = DrawPiece(piece, 40, 40, PiecePose{8, 8, 0});
    long long changed = 0, returned = 0;
    for (std::size_t i = 0; i < first.px.size(); ++i) {
      changed += std::abs(first.px[i].r - quarter.px[i].r) + std::abs(first.px[i].g - quarter.px[i].g);
      returned += std::abs(first.px[i].r - again.px[i].r) + std::abs(first.px[i].g - again.px[i].g);
    }
    EXPECT_GT(changed, 20LL * kOne) << "the motion shows";
    EXPECT_LT(returned * 20, changed) << "a whole cycle ends where it began, so the strip loops smoothly";
  }
}

TEST(Pieces, ThePieceItemMakesAStripOfItsFramesAndRefusesUnknownShapes) {
  std::vector<Item> items;
  std::string error;
  ASSERT_TRUE(
      ParseDescription("0x700 head piece size=40x40 shape=head frames=6\n"
                       "0x701 hunter piece size=32x32 shape=hunter heading=135\n"
                       "0x702 a piece size=40x40 shape=teapot\n"
                       "0x703 b piece size=40x40\n"
                       "0x704 c piece size=40x40 shape=ball frames=0\n"
                       "0x705 d piece size=512x64 shape=ball frames=17\n",  // wider than 8192
                       items, error))
      << error;
  FaceCache faces(test::FontsDir());
  std::vector<Picture> pictures;
  ASSERT_TRUE(BuildPictures(items[0], faces, pictures, error)) << error;
  ASSERT_TRUE(BuildPictures(items[1], faces, pictures, error)) << error;
  ASSERT_EQ(pictures.size(), 2u);
  EXPECT_EQ(pictures[0].frames, 6);
  EXPECT_EQ(pictures[0].vga.w, 40 * 6);
  EXPECT_EQ(pictures[0].qvga.w, 20 * 6);
  EXPECT_TRUE(pictures[0].hasAlpha);
  EXPECT_EQ(pictures[1].frames, 1);
  EXPECT_EQ(pictures[1].qvga.h, 16);
  for (std::size_t i = 2; i < items.size(); ++i) {
    error.clear();
    EXPECT_FALSE(BuildPictures(items[i], faces, pictures, error)) << items[i].name;
    EXPECT_NE(error.find("line " + std::to_string(items[i].line)), std::string::npos) << error;
  }
  EXPECT_EQ(pictures.size(), 2u);
}

// The game document writes the pillar's collision rectangle of each frame from PillarHalfHeight: the picture
// must show the pillar that high, and rise and sink over the frames.
TEST(Pieces, ThePillarIsAsHighAsItsFrameSaysAndRisesAndSinks) {
  constexpr int kSize = 40, kFrames = 8;
  int highest = 0, lowest = kSize;
  for (int f = 0; f < kFrames; ++f) {
    SCOPED_TRACE("frame " + std::to_string(f));
    const Extent e = CoveredExtent(DrawPiece(Piece::kPillar, kSize, kSize, PiecePose{f, kFrames, 0}));
    const int half = PillarHalfHeight(f, kFrames) * kSize / 1000;
    // The outline adds about a pixel, the shadow a little below.
    EXPECT_NEAR(kSize / 2 - e.top, half, 2);
    EXPECT_NEAR((e.right - e.left) / 2, 41 * kSize / 200, 2);
    highest = std::max(highest, half);
    lowest = std::min(lowest, half);
  }
  EXPECT_EQ(PillarHalfHeight(0, kFrames), PillarHalfHeight(kFrames, kFrames)) << "the loop closes";
  EXPECT_GE(highest - lowest, kSize / 6);
}

// The head's four looks differ, so the player sees when it cuts and when god mode runs.
TEST(Pieces, TheHeadLooksDifferentCuttingAndInGodMode) {
  const PiecePose pose{2, 8, 0};
  const Image looks[] = {DrawPiece(Piece::kHead, 24, 24, pose), DrawPiece(Piece::kHeadCut, 24, 24, pose),
                         DrawPiece(Piece::kHeadGod, 24, 24, pose), DrawPiece(Piece::kHeadGodCut, 24, 24, pose)};
  for (int a = 0; a < 4; ++a)
    for (int b = a + 1; b < 4; ++b) {
      long long difference = 0;
      for (std::size_t i = 0; i < looks[a].px.size(); ++i)
        difference += std::abs(looks[a].px[i].r - looks[b].px[i].r) + std::abs(looks[a].px[i].b - looks[b].px[i].b);
      EXPECT_GT(difference / static_cast<long long>(looks[a].px.size()), kOne / 64) << a << " against " << b;
    }
}

}  // namespace
}  // namespace zelph::assetgen
