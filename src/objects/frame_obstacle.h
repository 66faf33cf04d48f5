// The animated obstacle: it stays where the level put it, and its collision rectangle follows its
// animation, so that other objects bounce off the part of its picture that is solid in the frame shown.
#pragma once

#include <cstdint>
#include <vector>

#include "gfx/rect.h"
#include "objects/pictured_object.h"

namespace zelph::objects {

class FrameObstacle : public PicturedObject {
 public:
  Result Init(const config::ConfigSection& definition, std::int32_t x, std::int32_t y) override;
  Result Update(game::CellGrid& grid, std::uint32_t flags) override;
  int Collide(game::FieldObject* other, std::uint32_t flags) override;
  // `flag` set (from Init) starts the pictures on their first frame; a reload during play keeps the frame
  // and the tick counter they were on.
  Result LoadImages(int flag) override;
  void ReleaseImages(int flag) override;

  // The readable "b_frame_%d" rectangles in order; rectangle i serves animation frame i.
  const std::vector<gfx::Rect>& FrameRects() const { return frameRects_; }

 private:
  std::vector<gfx::Rect> frameRects_;
};

}  // namespace zelph::objects
