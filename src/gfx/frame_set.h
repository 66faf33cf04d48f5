// Frames cut once from a picture strip and shared by every sprite that shows the picture, and the cache that
// makes each image identifier decode only once.
#pragma once

#include <cstdint>
#include <memory>
#include <optional>
#include <span>
#include <utility>
#include <vector>

#include "gfx/gfx_result.h"
#include "gfx/surface.h"

namespace zelph::gfx {

class ImageCache;

// The frame surfaces of one picture (plus any extra surfaces asked for, left empty after the frames). Shared
// through std::shared_ptr: its use count is the reference count, and the last release takes it out of the
// cache it was entered in.
class FrameSet : public std::enable_shared_from_this<FrameSet> {
 public:
  FrameSet() = default;
  FrameSet(const FrameSet&) = delete;
  FrameSet& operator=(const FrameSet&) = delete;
  ~FrameSet();

  int FrameCount() const { return frames_; }
  int SurfaceCount() const { return static_cast<int>(surfaces_.size()); }
  // Frame or extra surface `index`; null outside the set.
  Surface* At(int index);
  std::optional<std::uint32_t> Id() const { return id_; }

 private:
  friend Result BuildFrameSet(std::span<const std::uint8_t>, std::uint32_t, int, std::optional<std::uint32_t>,
                              ImageCache*, GraphicsContext&, std::shared_ptr<FrameSet>*);

  std::vector<Surface> surfaces_;
  int frames_ = 0;
  std::optional<std::uint32_t> id_;
  ImageCache* cache_ = nullptr;
};

// Decodes `data` into a new set: an "eBM" strip gives its frame count (0 is one frame), frame width and
// colour key; anything else is one frame. Several frames are cut from the strip into surfaces made with
// `createFlags`. With an identifier and a cache, the set is entered in the cache under it.
Result BuildFrameSet(std::span<const std::uint8_t> data, std::uint32_t createFlags, int extraSurfaces,
                     std::optional<std::uint32_t> id, ImageCache* cache, GraphicsContext& context,
                     std::shared_ptr<FrameSet>* out);

// Decoded sets by image identifier, kept sorted and searched by bisection. It holds no references: a set
// leaves it when the last sprite lets go of it.
class ImageCache {
 public:
  // The one cache of the program; never destroyed, so sets released during exit still find it.
  static ImageCache& Global();

  std::shared_ptr<FrameSet> Find(std::uint32_t id) const;
  std::size_t Size() const { return entries_.size(); }

 private:
  friend class FrameSet;
  friend Result BuildFrameSet(std::span<const std::uint8_t>, std::uint32_t, int, std::optional<std::uint32_t>,
                              ImageCache*, GraphicsContext&, std::shared_ptr<FrameSet>*);
  void Insert(std::uint32_t id, FrameSet* set);
  void Remove(std::uint32_t id, const FrameSet* set);

  std::vector<std::pair<std::uint32_t, FrameSet*>> entries_;
};

}  // namespace zelph::gfx
