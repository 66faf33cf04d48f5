// Where a copy lands: a destination rectangle and the matching top-left corner in each source. Cutting
// the destination (to a clip rectangle) moves the sources by the same amounts, and cutting a source moves
// the destination and the other sources, so the pixels stay paired. 64-bit so that no caller's coordinates
// can overflow on the way.
#pragma once

#include <cstdint>

#include "gfx/rect.h"

namespace zelph::gfx {

class Placement {
 public:
  static constexpr int kMaxSources = 2;

  Placement(std::int64_t left, std::int64_t top, std::int64_t width, std::int64_t height)
      : left_(left), top_(top), right_(left + width), bottom_(top + height) {}

  void AddSource(std::int64_t x, std::int64_t y) {
    srcX_[sources_] = x;
    srcY_[sources_] = y;
    ++sources_;
  }

  bool Empty() const { return right_ <= left_ || bottom_ <= top_; }
  bool DestInside(const Rect& bounds) const {
    return left_ >= bounds.left && top_ >= bounds.top && right_ <= bounds.right && bottom_ <= bounds.bottom;
  }
  bool SourceInside(int i, const Rect& bounds) const {
    return srcX_[i] >= bounds.left && srcY_[i] >= bounds.top && srcX_[i] + Width() <= bounds.right &&
           srcY_[i] + Height() <= bounds.bottom;
  }

  void ClipDest(const Rect& limit) {
    Cut(limit.left - left_, limit.top - top_, limit.right - right_, limit.bottom - bottom_);
  }
  void ClipSource(int i, const Rect& limit) {
    Cut(limit.left - srcX_[i], limit.top - srcY_[i], limit.right - (srcX_[i] + Width()),
        limit.bottom - (srcY_[i] + Height()));
  }

  std::int64_t Width() const { return right_ - left_; }
  std::int64_t Height() const { return bottom_ - top_; }
  // Valid once the placement lies inside 32-bit surfaces.
  std::int32_t Left() const { return static_cast<std::int32_t>(left_); }
  std::int32_t Top() const { return static_cast<std::int32_t>(top_); }
  std::int32_t W() const { return static_cast<std::int32_t>(Width()); }
  std::int32_t H() const { return static_cast<std::int32_t>(Height()); }
  std::int32_t SrcX(int i) const { return static_cast<std::int32_t>(srcX_[i]); }
  std::int32_t SrcY(int i) const { return static_cast<std::int32_t>(srcY_[i]); }

 private:
  // Positive leading amounts and negative trailing amounts cut; the others are no cut at all.
  void Cut(std::int64_t leading, std::int64_t top, std::int64_t trailing, std::int64_t bottom) {
    if (leading > 0) {
      left_ += leading;
      for (int i = 0; i < sources_; ++i) srcX_[i] += leading;
    }
    if (top > 0) {
      top_ += top;
      for (int i = 0; i < sources_; ++i) srcY_[i] += top;
    }
    if (trailing < 0) right_ += trailing;
    if (bottom < 0) bottom_ += bottom;
  }

  std::int64_t left_, top_, right_, bottom_;
  std::int64_t srcX_[kMaxSources] = {};
  std::int64_t srcY_[kMaxSources] = {};
  int sources_ = 0;
};

}  // namespace zelph::gfx
