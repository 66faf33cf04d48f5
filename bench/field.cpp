// Speed of the field's capture against memset of the same bytes (the grid's cells plus the texture's
// pixels) as the physical bound. Two captures of a 640 x 400 field: a fully open one taken whole, and one
// split by a cut with a guarding object on one side, where the blocking test floods the guarded side and
// the other side is filled. Every capture goes through GameWorld::Capture, so the test copy of the grid
// (taken when an object may guard), the fills and the update of the composed picture are all measured. After
// Google Benchmark's table it prints one "RATIO case value" line per target (median CPU time ours / median
// CPU time memset, same run): lower is better.
#include <benchmark/benchmark.h>

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

#include "game/cell_kernels.h"
#include "game/game_world.h"
#include "gfx/blit_kernels.h"
#include "gfx/ebm_format.h"
#include "gfx/graphics_context.h"
#include "ratio_reporter.h"

namespace {

using namespace zelph;
using game::CellValue;

constexpr std::int32_t kFieldW = 640, kFieldH = 400, kScreenW = 640, kScreenH = 480, kFieldTop = 40;
constexpr std::int32_t kCutX = kFieldW / 2;

// Stands on the left half and keeps captures out of its region, as a ball does.
class Guard : public game::FieldObject {};

// A picture with no key pixel in it, in the form a pack would hold it.
std::vector<std::uint8_t> BackPicture() {
  gfx::EbmHeader header;
  header.width = kScreenW;
  header.height = kScreenH;
  header.colorKey = gfx::kMagenta;
  std::vector<std::uint8_t> pixels(static_cast<std::size_t>(header.NeededBytes()));
  for (std::size_t i = 0; i < pixels.size(); ++i) pixels[i] = static_cast<std::uint8_t>(i * 7 / 3);
  return gfx::WriteEbm(header, pixels);
}

// A world set up as a level leaves it: grid, test grid, keyed texture, back image and composed picture.
// `Restore` puts the field back between iterations by writing it afresh (not by copying a saved one, which
// would leave the copy in the cache instead of the field, as a game never does), and redraws the picture
// as it stood before the capture.
struct Field {
  game::GameWorld world;
  bool split;

  explicit Field(bool split) : split(split) {
    gfx::GraphicsContext::Global().MarkOpen(gfx::DisplayProperties::Rgb565(kScreenW, kScreenH));
    world.backDcRect = {0, 0, kScreenW, kScreenH};
    world.gameField = {0, kFieldTop, kFieldW, kFieldTop + kFieldH};
    if (Failed(world.grid.Create(kFieldW, kFieldH, game::CELL_OPEN)) ||
        Failed(world.texture.CreateSurface(0, kFieldW, kFieldH)) ||
        Failed(world.composed.CreateSurface(0, kScreenW, kScreenH)) ||
        Failed(world.backImage.LoadMemory(BackPicture(), 0, std::nullopt))) {
      std::fprintf(stderr, "cannot set up the field\n");
      std::exit(1);
    }
    world.texture.SetColorKey(gfx::kMagenta);
    if (split) {
      auto guard = std::make_unique<Guard>();
      guard->AttachWorld(&world);
      guard->testFill = 1;
      guard->SetCell(kCutX / 2, kFieldH / 2);
      world.objects.push_back(std::move(guard));
    }
    Restore();
  }

  void Restore() {
    std::memset(world.grid.Data(), game::CELL_OPEN, static_cast<std::size_t>(world.grid.Total()));
    if (split) {
      for (std::int32_t y = 0; y < kFieldH; ++y) world.grid.At(kCutX, y) = game::CELL_CUT;
    }
    for (std::int32_t y = 0; y < kFieldH; ++y) {
      gfx::Pixel* row = world.texture.Row(y);
      std::fill(row, row + kFieldW, static_cast<gfx::Pixel>(0x4208 + y));
    }
    world.percent = world.lastPercent = 0;
    world.RedrawField();
  }
};

// Checked outside the timed part; the head takes the score itself after the capture.
bool CheckCaptured(benchmark::State& state, const game::GameWorld& world, std::int32_t percent) {
  if (game::GameWorld::MeasurePercent(world.grid) == percent) return true;
  state.SkipWithError("the capture did not take what it should");
  return false;
}

// The field is put back outside the timed part; the capture alone is measured.
void CaptureFull(benchmark::State& state) {
  Field field(false);
  for (auto _ : state) {
    field.world.Capture({kFieldW / 2, kFieldH / 2}, game::kNoCell, {0, 0});
    benchmark::ClobberMemory();
    state.PauseTiming();
    if (!CheckCaptured(state, field.world, 100)) break;
    field.Restore();
    state.ResumeTiming();
  }
}

void CaptureSplit(benchmark::State& state) {
  Field field(true);
  for (auto _ : state) {
    field.world.Capture({kCutX - 1, kFieldH / 2}, {kCutX + 1, kFieldH / 2}, {kCutX, 0});
    benchmark::ClobberMemory();
    state.PauseTiming();
    if (!CheckCaptured(state, field.world, 50)) break;
    field.Restore();
    state.ResumeTiming();
  }
}

// The same pause and restore around nothing: what the pauses themselves cost, for reading the table.
void RestoreOnly(benchmark::State& state) {
  Field field(false);
  for (auto _ : state) {
    benchmark::ClobberMemory();
    state.PauseTiming();
    field.Restore();
    state.ResumeTiming();
  }
}

// The parts of a capture, for information.
void RedrawOnly(benchmark::State& state) {
  Field field(false);
  for (auto _ : state) {
    field.world.RedrawField();
    benchmark::ClobberMemory();
  }
}

void FillOnly(benchmark::State& state) {
  Field field(false);
  for (auto _ : state) {
    field.world.FillFrom(kFieldW / 2, kFieldH / 2, game::CELL_OPEN, false, false);
    benchmark::ClobberMemory();
    state.PauseTiming();
    field.Restore();
    state.ResumeTiming();
  }
}

void BlockingTestOnly(benchmark::State& state) {
  Field field(true);
  for (auto _ : state) {
    field.world.testGrid.CopyFrom(field.world.grid);
    benchmark::DoNotOptimize(field.world.IsFillBlocked(kCutX - 1, kFieldH / 2));
    benchmark::ClobberMemory();
    state.PauseTiming();
    field.Restore();
    state.ResumeTiming();
  }
}

void MeasureOnly(benchmark::State& state) {
  Field field(false);
  for (auto _ : state) {
    benchmark::DoNotOptimize(game::GameWorld::MeasurePercent(field.world.grid));
  }
}

void GridCopyOnly(benchmark::State& state) {
  Field field(false);
  for (auto _ : state) {
    field.world.testGrid.CopyFrom(field.world.grid);
    benchmark::ClobberMemory();
  }
}

void Memset(benchmark::State& state) {
  std::vector<std::uint8_t> cells(static_cast<std::size_t>(kFieldW) * kFieldH);
  std::vector<gfx::Pixel> pixels(static_cast<std::size_t>(kFieldW) * kFieldH);
  for (auto _ : state) {
    std::memset(cells.data(), game::CELL_FILLED, cells.size());
    std::memset(pixels.data(), 0x1F, pixels.size() * sizeof(gfx::Pixel));
    benchmark::ClobberMemory();
  }
}

// The memory a full capture cannot avoid touching, with none of the flood's logic: row by row the grid and
// the texture written and the back picture copied into the composed one where the texture went, each by the
// fastest loop at hand. How close capture/full can come to memset, for reading its ratio.
void FullCaptureTraffic(benchmark::State& state) {
  Field field(false);
  game::GameWorld& w = field.world;
  const gfx::Surface* back = w.backImage.FrameSurface(0);
  for (auto _ : state) {
    for (std::int32_t y = 0; y < kFieldH; ++y) {
      std::memset(w.grid.Row(y), game::CELL_FILLED, kFieldW);
      gfx::kernels::FillRows(w.texture.Row(y), w.texture.YStep(), kFieldW, 1, game::kKeyPixel);
      std::memcpy(w.composed.Row(kFieldTop + y), back->Row(kFieldTop + y), kFieldW * sizeof(gfx::Pixel));
    }
    benchmark::ClobberMemory();
    state.PauseTiming();
    field.Restore();
    state.ResumeTiming();
  }
}

// Each case is measured a few times and the median kept: the machine is shared, and one disturbed run
// should not decide a ratio.
void Add(const char* name, void (*fn)(benchmark::State&)) {
  benchmark::RegisterBenchmark(name, fn)->Repetitions(5)->ReportAggregatesOnly(true)->MinTime(0.1);
}

}  // namespace

int main(int argc, char** argv) {
  // The cases' repetitions run interleaved at random, so that a change of load on the shared machine falls
  // on both sides of a ratio (a later --benchmark_enable_random_interleaving=false turns it off).
  static char interleave[] = "--benchmark_enable_random_interleaving=true";
  std::vector<char*> args(argv, argv + argc);
  args.insert(args.begin() + 1, interleave);
  int count = static_cast<int>(args.size());
  benchmark::Initialize(&count, args.data());
  if (benchmark::ReportUnrecognizedArguments(count, args.data())) return 1;
  Add("memset/640x400", Memset);
  Add("capture/full", CaptureFull);
  Add("capture/split", CaptureSplit);
  Add("bound/full_capture_traffic", FullCaptureTraffic);
  Add("parts/pause_and_restore", RestoreOnly);
  Add("parts/fill", FillOnly);
  Add("parts/blocking_test", BlockingTestOnly);
  Add("parts/redraw", RedrawOnly);
  Add("parts/measure", MeasureOnly);
  Add("parts/grid_copy", GridCopyOnly);
  zelph::bench::RatioReporter reporter;
  benchmark::RunSpecifiedBenchmarks(&reporter);
  reporter.PrintRatio("capture_full_vs_memset", "capture/full", "memset/640x400");
  reporter.PrintRatio("capture_split_vs_memset", "capture/split", "memset/640x400");
  // For information: the bytes of a full capture moved without the flood, against memset.
  reporter.PrintRatio("full_capture_traffic_vs_memset", "bound/full_capture_traffic", "memset/640x400");
  benchmark::Shutdown();
  return 0;
}
