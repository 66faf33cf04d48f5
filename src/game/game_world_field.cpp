// The field of a level: building it, the fills, the capture step and the captured share.
#include <algorithm>
#include <array>
#include <cmath>
#include <cstdio>
#include <cstring>
#include <limits>

#include "game/cell_kernels.h"
#include "game/game_world.h"
#include "game/grid_line.h"
#include "game/texture_plane.h"
#include "gfx/blit.h"
#include "gfx/draw_checks.h"
#include "gfx/gfx_result.h"

namespace zelph::game {

namespace {

// The composition in one pass, where it is two whole-surface blits in effect: the back picture fits the
// composed one and covers where the texture goes, and every surface may be drawn. Each composed row is then
// the back row with the texture's non-key pixels over it. False when the case is not that simple.
bool OnePass(const gfx::Surface& composed, const gfx::Surface& back, const gfx::Surface& texture,
             const gfx::Rect& field) {
  const std::int32_t left = field.left, top = field.top, tw = texture.Width(), th = texture.Height();
  const std::int32_t bw = back.Width(), bh = back.Height();
  return Succeeded(gfx::detail::CheckSurfaces(composed, {&back, &texture})) && composed.Context().IsRgb565() &&
         bw <= composed.Width() && bh <= composed.Height() && left >= 0 && top >= 0 && tw > 0 && th > 0 &&
         std::int64_t{left} + tw <= bw && std::int64_t{top} + th <= bh;
}

// The one-pass composition over `area` of the composed picture only (cut to the back picture, which is all
// it covers).
void ComposeInOnePass(gfx::Surface& composed, const gfx::Surface& back, const gfx::Surface& texture,
                      const gfx::Rect& field, const gfx::Rect& area) {
  const std::int32_t left = field.left, top = field.top, tw = texture.Width(), th = texture.Height();
  const gfx::Rect part = gfx::Intersect(area, back.Bounds());
  if (part.IsEmpty()) return;
  const gfx::Pixel key = gfx::ColorToPixel(texture.ColorKey());
  auto copy = [&](gfx::Pixel* out, const gfx::Pixel* in, std::int32_t from, std::int32_t to) {
    if (from < to) std::memcpy(out + from, in + from, static_cast<std::size_t>(to - from) * sizeof(gfx::Pixel));
  };
  // Columns [a, b) of the area lie over the texture; left of them and right of them only the back shows.
  const std::int32_t a = std::clamp(left, part.left, part.right);
  const std::int32_t b = std::clamp(left + tw, a, part.right);
  constexpr std::int32_t kNarrow = 16;
  for (std::int32_t y = part.top; y < part.bottom; ++y) {
    gfx::Pixel* out = composed.Row(y);
    const gfx::Pixel* in = back.Row(y);
    if (y < top || y >= top + th) {
      copy(out, in, part.left, part.right);
      continue;
    }
    copy(out, in, part.left, a);
    if (b - a < kNarrow) {
      // A box a few cells wide (an edge painted down a cut) is done in place rather than by a call a row.
      const gfx::Pixel* over = texture.Row(y - top) + (a - left);
      for (std::int32_t x = a; x < b; ++x) out[x] = over[x - a] == key ? in[x] : over[x - a];
    } else {
      kernels::KeyedOver(out + a, in + a, texture.Row(y - top) + (a - left), b - a, key);
    }
    copy(out, in, b, part.right);
  }
}

// Where a fill may copy the back picture into the composed picture itself: the one-pass case, with the
// fills' key pixel the texture's colour key. Empty otherwise.
ShowThrough ShowThroughOf(gfx::Surface& composed, gfx::Surface* back, const gfx::Surface& texture,
                          const gfx::Rect& field) {
  if (!back || !composed.HasPixels() || !texture.HasPixels() || !OnePass(composed, *back, texture, field) ||
      gfx::ColorToPixel(texture.ColorKey()) != kKeyPixel) {
    return {};
  }
  return {composed.Row(field.top) + field.left, composed.YStep(), back->Row(field.top) + field.left, back->YStep()};
}

// Cells of the grid as pixels of the composed picture (saturating, as a level may place its field anywhere).
gfx::Rect OnComposed(const gfx::Rect& cells, const gfx::Rect& field) {
  if (cells.IsEmpty()) return {};
  auto shift = [](std::int32_t v, std::int32_t by) {
    return static_cast<std::int32_t>(std::clamp<std::int64_t>(std::int64_t{v} + by, 0,
                                                               std::numeric_limits<std::int32_t>::max()));
  };
  return {shift(cells.left, field.left), shift(cells.top, field.top), shift(cells.right, field.left),
          shift(cells.bottom, field.top)};
}

}  // namespace

Result GameWorld::BuildField() {
  if (!levelSection || grid.Empty() || !texture.HasPixels()) return gfx::GFX_E_GENERIC;
  texture.SetClipRect(nullptr);
  char key[32];
  const std::int32_t borders = std::clamp(levelSection->GetInt("borders_count", 0), 0, config::kMaxListCount);
  for (std::int32_t n = 1; n <= borders; ++n) {
    std::snprintf(key, sizeof key, "line_%d", n);
    std::array<std::int32_t, 4> line;
    if (!levelSection->GetQuad(key, line)) continue;
    DrawGridLine(grid, line[0], line[1], line[2], line[3], CELL_FILLED, 0);
    gfx::DrawLine(texture, line[0], line[1], line[2], line[3], gfx::kMagenta);
  }
  FillFrom(fillStart.x, fillStart.y, CELL_OPEN, false, false);
  testGrid.CopyFrom(grid);
  testGridFresh_ = true;
  const std::int32_t figures = std::clamp(levelSection->GetInt("fugures_count", 0), 0, config::kMaxListCount);
  for (std::int32_t n = 1; n <= figures; ++n) {
    std::snprintf(key, sizeof key, "figure_%d_pnt_xy", n);
    config::Point p;
    if (levelSection->GetPoint(key, p)) RegionReachable(testGrid, &texture, p.x, p.y, 0, 0, true);
  }
  initialPercent = lastPercent = percent = MeasurePercent(grid);
  return RedrawField();
}

std::int64_t GameWorld::Fill(std::int32_t x, std::int32_t y, FillRule rule, bool redraw, bool testObjects) {
  if (testObjects && IsFillBlocked(x, y) == 1) return 0;
  // Asked before the texture is locked, which no composition accepts.
  ShowThrough show = ShowThroughOf(composed, backImage.FrameSurface(0), texture, gameField);
  std::int64_t filled = 0;
  gfx::Rect touched;
  {
    TexturePlane pixels(&texture);
    // Without pixels covering the grid the cells are still captured; only the picture cannot follow.
    const bool covered = pixels.Covers(grid.Width(), grid.Height());
    if (!covered) show = {};
    filled = FloodFill(grid, covered ? pixels.Plane() : PixelPlane{}, x, y, rule,
                       {show.shown ? &show : nullptr, show.shown ? nullptr : &touched});
  }
  FieldDrawnOver(touched);
  if (redraw) RedrawStale();
  return filled;
}

std::int64_t GameWorld::FillFrom(std::int32_t x, std::int32_t y, CellValue mask, bool redraw, bool testObjects) {
  return Fill(x, y, FillRule{mask, false}, redraw, testObjects);
}

std::int64_t GameWorld::FillFromUnblocked(std::int32_t x, std::int32_t y, CellValue mask, bool redraw,
                                          bool testObjects) {
  return Fill(x, y, FillRule{mask, true}, redraw, testObjects);
}

int GameWorld::RegionReachable(CellGrid& target, gfx::Surface* surface, std::int32_t fromX, std::int32_t fromY,
                               std::int32_t toX, std::int32_t toY, bool paintEdge) {
  if (surface != &texture) return RegionReachableIn(target, surface, borderColour, fromX, fromY, toX, toY, paintEdge);
  // The outline goes straight into the composed picture where it can (asked before the texture is locked);
  // otherwise what it covers is composed again later.
  const ShowThrough show =
      paintEdge ? ShowThroughOf(composed, backImage.FrameSurface(0), texture, gameField) : ShowThrough{};
  gfx::Rect painted;
  const int answer = RegionReachableIn(target, surface, borderColour, fromX, fromY, toX, toY, paintEdge, &painted,
                                       show.shown ? &show : nullptr);
  if (!show.shown) FieldDrawnOver(painted);
  return answer;
}

int GameWorld::IsFillBlocked(std::int32_t x, std::int32_t y) {
  for (auto& object : objects) {
    // Copying the grid costs as much as a fill: a capture where nothing may guard does without it.
    if (!testGridFresh_ && object->MayGuard()) {
      testGrid.CopyFrom(grid);
      testGridFresh_ = true;
    }
    if (object->BlocksFill(testGrid, texture, x, y) == 1) return 1;
  }
  return 0;
}

Result GameWorld::RedrawField() {
  stale_ = kWholePicture;
  return RedrawStale();
}

Result GameWorld::RedrawStale() {
  if (!composed.HasPixels()) return gfx::GFX_E_GENERIC;
  composed.SetClipRect(nullptr);
  gfx::Surface* back = backImage.FrameSurface(0);
  if (back && texture.HasPixels() && OnePass(composed, *back, texture, gameField)) {
    ComposeInOnePass(composed, *back, texture, gameField, stale_);
    stale_ = {};
    return S_OK;
  }
  // The general case is two blits over the whole picture; a blit that fails leaves the picture stale.
  stale_ = kWholePicture;
  const Result backDrawn = back ? gfx::Blt(composed, 0, 0, back, nullptr, gfx::kBltPlain) : S_OK;
  const Result r =
      texture.HasPixels() ? gfx::Blt(composed, gameField.left, gameField.top, &texture, nullptr, gfx::kBltColorKey) : S_OK;
  if (Succeeded(backDrawn) && Succeeded(r)) stale_ = {};
  return r;
}

void GameWorld::FieldDrawnOver(const gfx::Rect& cells) { Grow(stale_, OnComposed(cells, gameField)); }

std::int32_t GameWorld::MeasurePercent(const CellGrid& cells) {
  if (cells.Total() == 0) return 0;
  return static_cast<std::int32_t>(static_cast<std::uint64_t>(cells.CountFilled()) * 100 /
                                   static_cast<std::uint64_t>(cells.Total()));
}

void GameWorld::Capture(config::Point seedA, config::Point seedB, config::Point cutStart) {
  testGridFresh_ = false;
  constexpr CellValue kTaken = CELL_FILLED | CELL_CUT;
  if (grid.Inside(seedA.x, seedA.y)) FillFromUnblocked(seedA.x, seedA.y, kTaken, false, true);
  if (grid.Inside(seedB.x, seedB.y)) FillFromUnblocked(seedB.x, seedB.y, kTaken, false, true);
  FillFrom(cutStart.x, cutStart.y, CELL_CUT, true, false);
  RemoveStrandedObjects();
}

void GameWorld::UpdateScore() {
  percent = MeasurePercent(grid);
  if (percent != lastPercent) {
    const std::int32_t gain = percent - lastPercent;
    if (gain > 0) {
      const double factor = gain < 5 ? 1.0 : gain <= 99 ? 1 + 2 * gain * 0.01 : 3.0;
      // A modder's huge price saturates the score rather than overflowing it.
      const double points = std::trunc(gain * static_cast<double>(percentPrice) * factor);
      using Limits = std::numeric_limits<std::int32_t>;
      score = static_cast<std::int32_t>(std::clamp(score + points, double{Limits::min()}, double{Limits::max()}));
    }
    lastPercent = percent;
    const std::int64_t range = std::int64_t{passPercent} - initialPercent;  // a document's pass share may be any int
    // A level that is already won when built has no range to show: the bar is full.
    std::int64_t progress = range > 0 ? std::int64_t{percent - initialPercent} * 100 / range : 100;
    progress = std::min<std::int64_t>(progress, 100);
    barClip.right = barClip.left + static_cast<std::int32_t>(std::int64_t{barFullWidth} * progress / 100);
  }
  if (percent >= passPercent) wonFrames = 0;
}

}  // namespace zelph::game
