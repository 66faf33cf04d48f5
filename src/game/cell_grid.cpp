#include "game/cell_grid.h"

#include <algorithm>
#include <new>

#include "game/cell_kernels.h"
#include "gfx/gfx_result.h"

namespace zelph::game {

Result CellGrid::Create(std::int32_t width, std::int32_t height, CellValue value) {
  if (width <= 0 || height <= 0) return gfx::GFX_E_GENERIC;
  const std::int64_t total = std::int64_t{width} * height;
  if (total > kMaxGridCells) return E_OUTOFMEMORY;
  try {
    cells_.assign(static_cast<std::size_t>(total), value);
  } catch (const std::bad_alloc&) {
    Free();
    return E_OUTOFMEMORY;
  }
  width_ = width;
  height_ = height;
  return S_OK;
}

Result CellGrid::CopyFrom(const CellGrid& other) {
  if (this == &other) return S_OK;
  try {
    if (cells_.size() != other.cells_.size()) cells_.resize(other.cells_.size());
  } catch (const std::bad_alloc&) {
    Free();
    return E_OUTOFMEMORY;
  }
  std::copy(other.cells_.begin(), other.cells_.end(), cells_.begin());
  width_ = other.width_;
  height_ = other.height_;
  return S_OK;
}

void CellGrid::Free() {
  cells_.clear();
  cells_.shrink_to_fit();
  width_ = height_ = 0;
}

void CellGrid::ClearCut() {
  for (CellValue& c : cells_) c &= static_cast<CellValue>(~CELL_CUT);
}

std::int64_t CellGrid::CountFilled() const {
  return kernels::CountWithBits(cells_.data(), cells_.size(), CELL_FILLED);
}

}  // namespace zelph::game
