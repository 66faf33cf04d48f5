// The play area as a byte per cell, one cell per pixel of the level's texture. The low four bits carry
// the state; 0x10 marks open ground that slows the cutting head.
#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

#include "platform/result.h"

namespace zelph::game {

using CellValue = std::uint8_t;

inline constexpr CellValue CELL_OPEN = 0x01;
inline constexpr CellValue CELL_FILLED = 0x02;
inline constexpr CellValue CELL_CUT = 0x04;
inline constexpr CellValue CELL_MARK = 0x08;  // only ever in the test copy
inline constexpr CellValue CELL_SLOW = 0x10;

// Open and nothing else in the state bits (0x11 counts, 0x05 does not).
constexpr bool IsPlainlyOpen(CellValue v) { return (v & 0x0F) == CELL_OPEN; }

// A grid larger than this is refused: it is far beyond any picture the game can load, and a modder's
// document must not be able to ask for gigabytes.
inline constexpr std::int64_t kMaxGridCells = std::int64_t{4096} * 4096;

class CellGrid {
 public:
  CellGrid() = default;

  // Every cell set to `value`. 0xC8660001 for a zero or negative side, E_OUTOFMEMORY when too large.
  Result Create(std::int32_t width, std::int32_t height, CellValue value);
  // Takes the other grid's size and cells, reallocating only when the totals differ.
  Result CopyFrom(const CellGrid& other);
  void Free();

  std::int32_t Width() const { return width_; }
  std::int32_t Height() const { return height_; }
  std::int64_t Total() const { return static_cast<std::int64_t>(cells_.size()); }
  bool Empty() const { return cells_.empty(); }
  bool Inside(std::int32_t x, std::int32_t y) const { return x >= 0 && y >= 0 && x < width_ && y < height_; }

  CellValue At(std::int32_t x, std::int32_t y) const { return cells_[Index(x, y)]; }
  CellValue& At(std::int32_t x, std::int32_t y) { return cells_[Index(x, y)]; }
  CellValue* Row(std::int32_t y) { return cells_.data() + static_cast<std::size_t>(y) * width_; }
  const CellValue* Row(std::int32_t y) const { return cells_.data() + static_cast<std::size_t>(y) * width_; }
  CellValue* Data() { return cells_.data(); }
  const CellValue* Data() const { return cells_.data(); }

  // Clears the cut bit in every cell (the head died before closing its cut).
  void ClearCut();
  // Number of cells with the filled bit.
  std::int64_t CountFilled() const;

 private:
  std::size_t Index(std::int32_t x, std::int32_t y) const {
    return static_cast<std::size_t>(y) * width_ + static_cast<std::size_t>(x);
  }

  std::int32_t width_ = 0;
  std::int32_t height_ = 0;
  std::vector<CellValue> cells_;
};

}  // namespace zelph::game
