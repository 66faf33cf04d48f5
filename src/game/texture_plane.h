// A surface's pixels held locked for the fills, unlocked again when the plane goes out of scope.
#pragma once

#include "game/field_fill.h"
#include "gfx/surface.h"

namespace zelph::game {

class TexturePlane {
 public:
  // No surface, or one that cannot be locked, gives a plane without pixels.
  explicit TexturePlane(gfx::Surface* surface);
  ~TexturePlane();
  TexturePlane(const TexturePlane&) = delete;
  TexturePlane& operator=(const TexturePlane&) = delete;

  const PixelPlane& Plane() const { return plane_; }
  // The plane covers at least `width` x `height` pixels.
  bool Covers(std::int32_t width, std::int32_t height) const;

 private:
  gfx::Surface* surface_ = nullptr;
  PixelPlane plane_;
  std::int32_t width_ = 0, height_ = 0;
};

// The test flood of RegionReachable over a grid and the surface whose pixels map onto its cells: answers 1
// when (toX, toY) lies in the open region seen from (fromX, fromY). With `paintEdge` the region's edge is
// outlined in `border` (0x00BBGGRR), and `painted` (when given) grows to hold the cells painted; with
// `show`, the picture composed over the surface follows the outline.
int RegionReachableIn(CellGrid& grid, gfx::Surface* surface, std::uint32_t border, std::int32_t fromX,
                      std::int32_t fromY, std::int32_t toX, std::int32_t toY, bool paintEdge,
                      gfx::Rect* painted = nullptr, const ShowThrough* show = nullptr);

}  // namespace zelph::game
