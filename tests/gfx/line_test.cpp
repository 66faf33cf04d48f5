#include <gtest/gtest.h>

#include <climits>
#include <cmath>
#include <random>

#include "gfx/blit.h"
#include "reference.h"

namespace zelph::gfx {
namespace {

class LineTest : public ::testing::Test {
 protected:
  ref::OpenContext open;
  Surface s{open.context};
  void SetUp() override { ASSERT_EQ(s.CreateSurface(kCreateClear, 40, 30), S_OK); }
  int Count(Pixel p) const {
    int n = 0;
    for (int y = 0; y < s.Height(); ++y) {
      for (int x = 0; x < s.Width(); ++x) n += s.Row(y)[x] == p;
    }
    return n;
  }
};

TEST_F(LineTest, RunsIncludeBothEndsInEitherOrder) {
  ASSERT_EQ(DrawLine(s, 30, 5, 3, 5, 0xFFFFFF), S_OK);
  EXPECT_EQ(Count(0xFFFF), 28);
  EXPECT_EQ(s.Row(5)[3], 0xFFFF);
  EXPECT_EQ(s.Row(5)[30], 0xFFFF);
  ASSERT_EQ(DrawLine(s, 7, 20, 7, 10, 0x0000FF), S_OK);
  EXPECT_EQ(Count(0xF800), 11);
  ASSERT_EQ(DrawLine(s, 0, 0, 0, 0, 0x00FF00), S_OK);
  EXPECT_EQ(s.Row(0)[0], 0x07E0);
}

// Sloped lines: one pixel per step of the longer axis, both ends drawn, never more than half a pixel
// from the true line.
TEST_F(LineTest, BresenhamFollowsTheTrueLine) {
  std::mt19937 rng(11);
  for (int round = 0; round < 300; ++round) {
    ASSERT_EQ(FillRect(s, nullptr, 0), S_OK);
    const int x1 = static_cast<int>(rng() % 40), y1 = static_cast<int>(rng() % 30);
    const int x2 = static_cast<int>(rng() % 40), y2 = static_cast<int>(rng() % 30);
    if (x1 == x2 || y1 == y2) continue;
    ASSERT_EQ(DrawLine(s, x1, y1, x2, y2, 0xFFFFFF), S_OK);
    EXPECT_EQ(Count(0xFFFF), std::max(std::abs(x2 - x1), std::abs(y2 - y1)) + 1);
    EXPECT_EQ(s.Row(y1)[x1], 0xFFFF);
    EXPECT_EQ(s.Row(y2)[x2], 0xFFFF);
    const bool xMajor = std::abs(x2 - x1) >= std::abs(y2 - y1);
    for (int y = 0; y < 30; ++y) {
      for (int x = 0; x < 40; ++x) {
        if (s.Row(y)[x] != 0xFFFF) continue;
        const double t = xMajor ? double(x - x1) / (x2 - x1) : double(y - y1) / (y2 - y1);
        const double off = xMajor ? y - (y1 + t * (y2 - y1)) : x - (x1 + t * (x2 - x1));
        ASSERT_LE(std::abs(off), 0.5 + 1e-9)
            << x1 << "," << y1 << " -> " << x2 << "," << y2 << " at " << x << "," << y;
      }
    }
  }
}

TEST_F(LineTest, ClipRectangleCutsLinesAndHostileCoordinatesAreSafe) {
  const Rect clip{2, 2, 8, 8};
  ASSERT_EQ(s.SetClipRect(&clip), S_OK);
  ASSERT_EQ(DrawLine(s, -10, 5, 30, 5, 0xFFFFFF), S_OK);
  EXPECT_EQ(Count(0xFFFF), 6);
  EXPECT_EQ(s.Row(5)[2], 0xFFFF);
  EXPECT_EQ(s.Row(5)[7], 0xFFFF);
  ASSERT_EQ(DrawLine(s, 20, 20, 35, 25, 0xFFFFFF), S_OK);  // wholly outside
  EXPECT_EQ(Count(0xFFFF), 6);
  ASSERT_EQ(DrawLine(s, INT_MIN, INT_MIN, INT_MAX, INT_MAX, 0x0000FF), S_OK);
  ASSERT_EQ(DrawLine(s, INT_MAX, INT_MIN, INT_MIN, INT_MAX, 0x0000FF, kLineAntialias), S_OK);
  ASSERT_EQ(DrawLine(s, -100, 3, 100, 9, 0x00FF00), S_OK);
  for (int y = 0; y < 30; ++y) {
    for (int x = 0; x < 40; ++x) {
      if (s.Row(y)[x]) {
        ASSERT_TRUE(x >= 2 && x < 8 && y >= 2 && y < 8) << x << "," << y;
      }
    }
  }
}

TEST_F(LineTest, OutsideTheSurfaceFailsUnlessTheSurfaceSkipsChecks) {
  EXPECT_EQ(DrawLine(s, -1, 0, 10, 10, 0xFFFFFF), GFX_E_OUT_OF_BOUNDS);
  EXPECT_EQ(DrawLine(s, 0, 0, 40, 0, 0xFFFFFF), GFX_E_OUT_OF_BOUNDS);
  EXPECT_EQ(Count(0xFFFF), 0);
  Surface lenient{open.context};
  ASSERT_EQ(lenient.CreateSurface(kCreateClear | kCreateNoBoundsCheck, 10, 10), S_OK);
  ASSERT_EQ(DrawLine(lenient, -5, 4, 20, 4, 0xFFFFFF), S_OK);
  for (int x = 0; x < 10; ++x) EXPECT_EQ(lenient.Row(4)[x], 0xFFFF);
}

TEST_F(LineTest, OpacityAndArguments) {
  ASSERT_EQ(FillRect(s, nullptr, 0xFFFFFF), S_OK);
  const std::uint32_t half = 128, none = 0, tooMuch = 256;
  ASSERT_EQ(DrawLine(s, 0, 0, 9, 3, 0x000000, kDrawOpacity, &half), S_OK);
  EXPECT_EQ(s.Row(0)[0], 0x7BEF);
  EXPECT_EQ(s.Row(3)[9], 0x7BEF);
  ASSERT_EQ(DrawLine(s, 0, 10, 9, 10, 0x000000, kDrawOpacity, &none), S_OK);
  EXPECT_EQ(s.Row(10)[0], 0xFFFF);
  EXPECT_EQ(DrawLine(s, 0, 0, 9, 3, 0, kDrawOpacity, &tooMuch), E_INVALIDARG);
  EXPECT_EQ(DrawLine(s, 0, 0, 9, 3, 0, kDrawOpacity, nullptr), E_INVALIDARG);
  EXPECT_EQ(DrawLine(s, 0, 0, 9, 3, 0, 0x4), E_INVALIDARG);
  open.context.MarkOpen({640, 480, 2, 1280, 16, kFormatDirect | kFormatRgb555});
  EXPECT_EQ(DrawLine(s, 0, 0, 9, 3, 0), GFX_E_NOT_READY);
}

// Smoothed lines: white on black, the weights of each step add up to the full colour, the ends are whole,
// and nothing lands outside the line's box even along the surface's edges.
TEST_F(LineTest, AntialiasedLinesShareEachStepBetweenTwoPixels) {
  std::mt19937 rng(12);
  for (int round = 0; round < 100; ++round) {
    ASSERT_EQ(FillRect(s, nullptr, 0), S_OK);
    const int x1 = static_cast<int>(rng() % 40), y1 = static_cast<int>(rng() % 30);
    const int x2 = round == 0 ? 39 : static_cast<int>(rng() % 40),
              y2 = round == 0 ? 29 : static_cast<int>(rng() % 30);
    if (x1 == x2 || y1 == y2) continue;
    ASSERT_EQ(DrawLine(s, x1, y1, x2, y2, 0x00FF00, kLineAntialias), S_OK);
    EXPECT_EQ(s.Row(y1)[x1], 0x07E0);
    EXPECT_EQ(s.Row(y2)[x2], 0x07E0);
    const bool xMajor = std::abs(x2 - x1) >= std::abs(y2 - y1);
    for (int major = 0; major < (xMajor ? 40 : 30); ++major) {
      int sum = 0;
      for (int minor = 0; minor < (xMajor ? 30 : 40); ++minor) {
        const int x = xMajor ? major : minor, y = xMajor ? minor : major;
        const int g = (s.Row(y)[x] >> 5) & 0x3F;
        if (g) {
          ASSERT_TRUE(x >= std::min(x1, x2) && x <= std::max(x1, x2) && y >= std::min(y1, y2) &&
                      y <= std::max(y1, y2));
        }
        sum += g;
      }
      const bool onLine = major >= std::min(xMajor ? x1 : y1, xMajor ? x2 : y2) &&
                          major <= std::max(xMajor ? x1 : y1, xMajor ? x2 : y2);
      // Two blends of 63 rounded down each lose at most a step apiece.
      if (onLine) {
        EXPECT_NEAR(sum, 63, 2) << "step " << major;
      }
    }
  }
}

TEST_F(LineTest, DrawRectOutlines) {
  const Rect r{12, 8, 2, 4};  // reversed: normalised to (2, 4, 12, 8)
  ASSERT_EQ(DrawRect(s, &r, 0xFFFFFF), S_OK);
  EXPECT_EQ(Count(0xFFFF), 10 + 10 + 2 + 2);
  EXPECT_EQ(s.Row(4)[2], 0xFFFF);
  EXPECT_EQ(s.Row(7)[11], 0xFFFF);
  EXPECT_EQ(s.Row(5)[5], 0);
  ASSERT_EQ(FillRect(s, nullptr, 0), S_OK);
  const Rect thin{3, 3, 9, 4};
  ASSERT_EQ(DrawRect(s, &thin, 0xFFFFFF), S_OK);
  EXPECT_EQ(Count(0xFFFF), 6);
  ASSERT_EQ(FillRect(s, nullptr, 0), S_OK);
  const Rect column{3, 3, 4, 9};
  ASSERT_EQ(DrawRect(s, &column, 0xFFFFFF), S_OK);
  EXPECT_EQ(Count(0xFFFF), 6);
  // Blended outlines must not blend their corners twice.
  ASSERT_EQ(FillRect(s, nullptr, 0xFFFFFF), S_OK);
  const std::uint32_t half = 128;
  ASSERT_EQ(DrawRect(s, &r, 0, kDrawOpacity, &half), S_OK);
  EXPECT_EQ(Count(0x7BEF), 24);
  const Rect empty{3, 3, 3, 9}, sticking{30, 20, 41, 25};
  EXPECT_EQ(DrawRect(s, &empty, 0), GFX_E_OUT_OF_BOUNDS);
  ASSERT_EQ(FillRect(s, nullptr, 0), S_OK);
  EXPECT_EQ(DrawRect(s, &sticking, 0xFFFFFF), GFX_E_OUT_OF_BOUNDS);
  EXPECT_EQ(Count(0xFFFF), 0);
}

}  // namespace
}  // namespace zelph::gfx
