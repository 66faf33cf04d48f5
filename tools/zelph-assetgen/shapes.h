// Anti-aliased shapes as coverage masks, drawn from signed distances in 1/256 pixel (negative inside).
#pragma once

#include <cstdint>

#include "raster.h"

namespace zelph::assetgen {

inline constexpr int kSub = 256;  // sub-pixel units per pixel

// Coverage of a pixel whose centre lies `distance` (in 1/256 px) from the edge.
inline int CoverageFromDistance(int distance) {
  const int c = kSub / 2 - distance;
  return c <= 0 ? 0 : (c >= kSub ? kOne : c * (kOne / kSub));
}

// Distance from (px, py) to a rectangle (x0, y0)-(x1, y1) with corners rounded by r; all in 1/256 px.
int RoundedRectDistance(int px, int py, int x0, int y0, int x1, int y1, int r);
// Distance from a point to the segment (ax, ay)-(bx, by), minus the half width (a capsule).
int CapsuleDistance(int px, int py, int ax, int ay, int bx, int by, int halfWidth);
int CircleDistance(int px, int py, int cx, int cy, int r);
// Distance from a point to the closed polygon through `count` corners (x, y pairs), negative inside (even-odd
// rule, so the corners may run either way round).
int PolygonDistance(int px, int py, const int* corners, int count);

// Masks of w x h pixels; shape coordinates are pixels (the shape functions take whole pixels for clarity).
Mask RoundedRectMask(int w, int h, int x0, int y0, int x1, int y1, int radius);
Mask CircleMask(int w, int h, int cx256, int cy256, int r256);
// A line of the given width (pixels, 1/256 precision) with round ends.
void DrawCapsule(Mask& m, int ax256, int ay256, int bx256, int by256, int halfWidth256);

}  // namespace zelph::assetgen
