#include "game/texture_plane.h"

#include "gfx/pixel.h"

namespace zelph::game {

TexturePlane::TexturePlane(gfx::Surface* surface) {
  if (!surface || !surface->HasPixels()) return;
  gfx::LockInfo info;
  if (Failed(surface->Lock(&info)) || !info.bits) return;
  surface_ = surface;
  plane_.bits = info.bits;
  plane_.xStep = info.xPitch / static_cast<std::int32_t>(sizeof(gfx::Pixel));
  plane_.yStep = info.yPitch / static_cast<std::int32_t>(sizeof(gfx::Pixel));
  width_ = info.width;
  height_ = info.height;
}

TexturePlane::~TexturePlane() {
  if (surface_) surface_->Unlock();
}

bool TexturePlane::Covers(std::int32_t width, std::int32_t height) const {
  return plane_.bits && width_ >= width && height_ >= height;
}

int RegionReachableIn(CellGrid& grid, gfx::Surface* surface, std::uint32_t border, std::int32_t fromX,
                      std::int32_t fromY, std::int32_t toX, std::int32_t toY, bool paintEdge, gfx::Rect* painted,
                      const ShowThrough* show) {
  if (!grid.Inside(fromX, fromY) || !grid.Inside(toX, toY)) return 0;
  if (grid.At(toX, toY) & CELL_MARK) return 1;
  TexturePlane pixels(paintEdge ? surface : nullptr);
  // Pixels that do not cover the grid are left alone rather than written past their end.
  const PixelPlane* paint = pixels.Covers(grid.Width(), grid.Height()) ? &pixels.Plane() : nullptr;
  MarkRegion(grid, paint, gfx::ColorToPixel(border), fromX, fromY, painted, show);
  return (grid.At(toX, toY) & CELL_MARK) ? 1 : 0;
}

}  // namespace zelph::game
