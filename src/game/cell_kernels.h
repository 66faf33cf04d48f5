// The field's inner loops over many cells (or pixels) at once: the row scans of the fills and the rows
// they write, the share count and the composition of the field picture. Built for plain bytes, SSE2 and
// AVX2; the widest the processor runs is picked once, and tests run every one against plain loops.
#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

#include "game/cell_grid.h"
#include "gfx/pixel.h"

namespace zelph::game::kernels {

// Which cells a scan stops at: those where ((v & andMask) ^ xorMask) is zero (`zero`) or is not.
struct CellTest {
  CellValue andMask = 0;
  CellValue xorMask = 0;
  bool zero = true;
  constexpr bool operator()(CellValue v) const { return (((v & andMask) ^ xorMask) == 0) == zero; }
};

// First x in [x, limit) where the test holds; `limit` when none.
std::int32_t FindForward(const CellValue* row, std::int32_t x, std::int32_t limit, CellTest test);
// Walking left from x - 1 down to `floor`: one past the first cell where the test holds; `floor` when none.
std::int32_t FindBack(const CellValue* row, std::int32_t x, std::int32_t floor, CellTest test);
// Cells of p[0, n) with every bit of `bits` set.
std::int64_t CountWithBits(const CellValue* p, std::size_t n, CellValue bits);
// A run of n cells taken by a fill, in one pass over the rows it changes: cells[i] = value, pixels[i] = key
// and shown[i] = through[i] for i in [0, n) (a null `pixels` or `shown` is left alone). With `ahead` (the
// same columns of the row the fill goes on to) it reads on the way what the scan of that row would: the
// answer is the first i in [0, n) where `stop` holds for ahead[i], n when none. Without, the answer is 0.
std::int32_t TakeRun(CellValue* cells, CellValue value, gfx::Pixel* pixels, gfx::Pixel key, gfx::Pixel* shown,
                     const gfx::Pixel* through, std::int32_t n, const CellValue* ahead = nullptr,
                     CellTest stop = {});
// dest[i] = top[i] == key ? back[i] : top[i] for i in [0, n); none of the rows overlap.
void KeyedOver(gfx::Pixel* dest, const gfx::Pixel* back, const gfx::Pixel* top, std::int32_t n, gfx::Pixel key);

enum class Width { kBytes, k128, k256 };
// The builds this processor can run, narrowest first.
std::vector<Width> AvailableWidths();
// Picks a build (one the processor cannot run falls back to the widest it can).
void UseWidth(Width width);

}  // namespace zelph::game::kernels
