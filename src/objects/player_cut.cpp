// The head's step over the field and the cut it traces: over open ground it leaves a cut lineThick cells
// wide, on reaching captured ground again the cut closes and the world captures what it encloses.
#include <algorithm>

#include "game/game_world.h"
#include "gfx/blit.h"
#include "objects/player.h"
#include "sound/sound_globals.h"

namespace zelph::objects {

using game::CellGrid;
using game::CellValue;

namespace {

// A grid seen along one axis: `along` runs with the step, `across` across it.
struct AxisView {
  CellGrid& grid;
  bool vertical;
  std::int32_t AlongSize() const { return vertical ? grid.Height() : grid.Width(); }
  std::int32_t AcrossSize() const { return vertical ? grid.Width() : grid.Height(); }
  config::Point Cell(std::int32_t across, std::int32_t along) const {
    return vertical ? config::Point{across, along} : config::Point{along, across};
  }
  bool Inside(std::int32_t across, std::int32_t along) const {
    const config::Point p = Cell(across, along);
    return grid.Inside(p.x, p.y);
  }
  CellValue& At(std::int32_t across, std::int32_t along) const {
    const config::Point p = Cell(across, along);
    return grid.At(p.x, p.y);
  }
};

bool Unset(config::Point p) { return p.x < 0 || p.y < 0; }

}  // namespace

Result Player::Move(CellGrid& grid) {
  game::Vec8 step = velocity;
  if (slowSteps > 0) {
    step = {game::FxMul(velocity.x, slowFactor), game::FxMul(velocity.y, slowFactor)};
    --slowSteps;
  }
  ++stepsSinceTurn;
  const std::int32_t oldX = CellX(), oldY = CellY();
  game::Vec8 next{position.x + step.x, position.y + step.y};
  // Kept `margin` cells inside the grid (and never past its last cell); an edge stops the head.
  bool clamped = false;
  auto keep = [&](std::int32_t& v, std::int32_t size) {
    const std::int32_t lo = margin * game::kOne;
    const std::int32_t hi = std::max(lo, std::min(size - margin, size - 1) * game::kOne);
    if (v < lo || v > hi) {
      v = std::clamp(v, lo, hi);
      clamped = true;
    }
  };
  keep(next.x, grid.Width());
  keep(next.y, grid.Height());
  SetPosition(next);
  if (clamped) SetDirection(kDirStop, false);
  const std::int32_t newX = CellX(), newY = CellY();
  if (newX == oldX && newY == oldY) return S_OK;

  Trace trace;
  if (newX != oldX) trace = TraceCut(grid, false, oldY, oldX, newX);
  if (newY != oldY && !trace.closed) trace = TraceCut(grid, true, CellX(), oldY, newY);
  if (!trace.closed || dying) return S_OK;

  game::GameWorld* world = World();
  if (world) world->Capture(trace.seedA, trace.seedB, trace.cutStart);
  cutWoodSound_.StopSound();
  cutDoneSound_.PlaySound(1, sound::kFullVolume);
  const std::int32_t dx = (velocity.x > 0) - (velocity.x < 0), dy = (velocity.y > 0) - (velocity.y < 0);
  for (std::int32_t n = std::max(1, lineThick / 2); n > 0; --n) {
    const std::int32_t x = CellX() + dx, y = CellY() + dy;
    if (!grid.Inside(x, y) || !(grid.At(x, y) & game::CELL_FILLED)) break;
    SetCell(x, y);
  }
  SetDirection(kDirStop, false);
  if (world) world->UpdateScore();
  return S_OK;
}

Player::Trace Player::TraceCut(CellGrid& grid, bool vertical, std::int32_t across, std::int32_t from,
                               std::int32_t to) {
  const AxisView view{grid, vertical};
  const std::int32_t half = lineThick / 2;
  const std::int32_t dir = to > from ? 1 : -1;
  const std::int32_t last = view.AlongSize() - 1;
  const std::int32_t s = std::clamp(Cutting() ? from : from - dir * half, 0, last);
  const std::int32_t e = std::clamp(to + dir * half, 0, last);
  if (s == e || across < 0 || across >= view.AcrossSize()) return {};
  if (view.At(across, e) & game::CELL_CUT) Die();

  enum { kSkipFilled, kSkipOther, kActive } phase = kSkipFilled;
  std::int32_t firstNonFilled = -1, firstCut = -1, lastCut = -1, end = e;
  bool slow = false, closed = false;
  for (std::int32_t j = s;; j += dir) {
    CellValue& v = view.At(across, j);
    if (phase == kSkipFilled) {
      if (!(v & game::CELL_FILLED)) {
        phase = kSkipOther;
        firstNonFilled = j;
      }
    }
    if (phase == kSkipOther && (game::IsPlainlyOpen(v) || (v & game::CELL_FILLED))) phase = kActive;
    if (phase == kActive) {
      if (game::IsPlainlyOpen(v)) {
        v |= game::CELL_CUT;
        slow |= (v & game::CELL_SLOW) != 0;
        if (!Cutting()) {
          cutState = 1;
          if (Unset(cutStart)) cutStart = view.Cell(across, j);
        }
        if (firstCut < 0) firstCut = j;
        lastCut = j;
      } else if (Cutting()) {
        if (v & game::CELL_CUT) Die();
        cutState = 2;
        closed = true;
        end = j;
        const config::Point at = view.Cell(across, j);
        SetPosition(vertical ? game::Vec8{position.x, at.y * game::kOne} : game::Vec8{at.x * game::kOne, position.y});
        break;
      }
    }
    if (j == e) break;
  }
  if (phase == kSkipFilled && Cutting()) {
    cutState = 2;  // reached e over captured ground only
    closed = true;
  }
  if (!Cutting() && !closed) return {};

  game::GameWorld* world = World();
  if (firstCut >= 0 && world && world->composed.HasPixels()) {
    const std::int32_t ox = world->gameField.left, oy = world->gameField.top;
    for (std::int32_t c = across - half; c <= across + half; ++c) {
      const config::Point a = view.Cell(c, firstCut), b = view.Cell(c, lastCut);
      gfx::DrawLine(world->composed, ox + a.x, oy + a.y, ox + b.x, oy + b.y, lineColour);
    }
    // The capture that closes the cut recomposes only the parts of the picture it is told of.
    const config::Point a = view.Cell(across - half, firstCut), b = view.Cell(across + half, lastCut);
    world->FieldDrawnOver({std::min(a.x, b.x), std::min(a.y, b.y), std::max(a.x, b.x) + 1, std::max(a.y, b.y) + 1});
  }
  if (firstNonFilled >= 0) {
    for (std::int32_t c = across - half; c <= across + half; ++c) {
      if (c == across) continue;
      for (std::int32_t j = firstNonFilled;; j += dir) {
        if (view.Inside(c, j) && (view.At(c, j) & game::CELL_OPEN)) view.At(c, j) |= game::CELL_CUT;
        if (j == end) break;
      }
    }
  }

  auto stillOpen = [&](config::Point p) { return grid.Inside(p.x, p.y) && game::IsPlainlyOpen(grid.At(p.x, p.y)); };
  if ((!Unset(seedA) && !stillOpen(seedA)) || (!Unset(seedB) && !stillOpen(seedB))) seedA = seedB = {-1, -1};
  auto pickSeed = [&](config::Point& seed, std::int32_t column) {
    if (!Unset(seed) || firstCut < 0) return;
    for (const std::int32_t j : {lastCut, firstCut}) {
      if (view.Inside(column, j) && (view.At(column, j) & game::CELL_OPEN)) {
        seed = view.Cell(column, j);
        return;
      }
    }
  };
  pickSeed(seedA, across - half - 1);
  pickSeed(seedB, across + half + 1);
  if (slow) slowSteps = 1;
  if (!closed) return {};
  cutState = 0;
  Trace result{true, seedA, seedB, cutStart};
  seedA = seedB = cutStart = {-1, -1};
  return result;
}

}  // namespace zelph::objects
