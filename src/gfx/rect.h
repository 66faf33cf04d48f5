// Rectangles of the graphics layer: (left, top, right, bottom), right and bottom exclusive.
#pragma once

#include <algorithm>
#include <cstdint>

namespace zelph::gfx {

struct Rect {
  std::int32_t left = 0;
  std::int32_t top = 0;
  std::int32_t right = 0;
  std::int32_t bottom = 0;

  constexpr std::int64_t Width() const { return std::int64_t{right} - left; }
  constexpr std::int64_t Height() const { return std::int64_t{bottom} - top; }
  constexpr bool IsEmpty() const { return right <= left || bottom <= top; }
  constexpr bool IsZero() const { return left == 0 && top == 0 && right == 0 && bottom == 0; }
  constexpr bool Contains(const Rect& r) const {
    return r.left >= left && r.top >= top && r.right <= right && r.bottom <= bottom;
  }
  friend constexpr bool operator==(const Rect&, const Rect&) = default;
};

// Left/right and top/bottom swapped where reversed.
constexpr Rect Normalized(const Rect& r) {
  return {std::min(r.left, r.right), std::min(r.top, r.bottom), std::max(r.left, r.right),
          std::max(r.top, r.bottom)};
}

// The overlap of a and b; empty (IsEmpty) when they do not meet.
constexpr Rect Intersect(const Rect& a, const Rect& b) {
  return {std::max(a.left, b.left), std::max(a.top, b.top), std::min(a.right, b.right),
          std::min(a.bottom, b.bottom)};
}

}  // namespace zelph::gfx
