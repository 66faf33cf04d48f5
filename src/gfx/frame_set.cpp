#include "gfx/frame_set.h"

#include <algorithm>

#include "gfx/blit.h"
#include "gfx/ebm_format.h"
#include "gfx/image_decode.h"

namespace zelph::gfx {
namespace {

bool IdLess(const std::pair<std::uint32_t, FrameSet*>& entry, std::uint32_t id) { return entry.first < id; }

}  // namespace

FrameSet::~FrameSet() {
  if (cache_ && id_) cache_->Remove(*id_, this);
}

Surface* FrameSet::At(int index) {
  if (index < 0 || index >= SurfaceCount()) return nullptr;
  return &surfaces_[static_cast<std::size_t>(index)];
}

ImageCache& ImageCache::Global() {
  static auto* cache = new ImageCache;
  return *cache;
}

std::shared_ptr<FrameSet> ImageCache::Find(std::uint32_t id) const {
  auto it = std::lower_bound(entries_.begin(), entries_.end(), id, IdLess);
  if (it == entries_.end() || it->first != id) return nullptr;
  return it->second->shared_from_this();
}

void ImageCache::Insert(std::uint32_t id, FrameSet* set) {
  entries_.insert(std::lower_bound(entries_.begin(), entries_.end(), id, IdLess), {id, set});
}

void ImageCache::Remove(std::uint32_t id, const FrameSet* set) {
  for (auto it = std::lower_bound(entries_.begin(), entries_.end(), id, IdLess);
       it != entries_.end() && it->first == id; ++it) {
    if (it->second == set) {
      entries_.erase(it);
      return;
    }
  }
}

Result BuildFrameSet(std::span<const std::uint8_t> data, std::uint32_t createFlags, int extraSurfaces,
                     std::optional<std::uint32_t> id, ImageCache* cache, GraphicsContext& context,
                     std::shared_ptr<FrameSet>* out) {
  if (!out || extraSurfaces < 0) return E_INVALIDARG;
  out->reset();
  const std::optional<EbmHeader> header = ReadEbmHeader(data);
  const std::uint32_t frames = header ? header->frames : 1;
  // A strip must hold every frame it announces; this also bounds the number of surfaces made for it.
  if (frames > 1 && (header->frameWidth == 0 || header->width > static_cast<std::uint32_t>(kMaxImageSide) ||
                     std::uint64_t{frames} * header->frameWidth > header->width)) {
    return GFX_E_BAD_IMAGE;
  }

  auto set = std::make_shared<FrameSet>();
  set->surfaces_.reserve(frames + static_cast<std::size_t>(extraSurfaces));
  for (std::size_t i = 0; i < frames + static_cast<std::size_t>(extraSurfaces); ++i) {
    set->surfaces_.emplace_back(context);
  }
  if (frames == 1) {
    if (Result r = DecodeImage(set->surfaces_[0], data, createFlags); Failed(r)) return r;
    if (header) set->surfaces_[0].SetColorKey(header->colorKey);
  } else {
    Surface strip(context);
    if (Result r = DecodeImage(strip, data, createFlags); Failed(r)) return r;
    const auto width = static_cast<std::int32_t>(header->frameWidth);
    for (std::uint32_t i = 0; i < frames; ++i) {
      Surface& frame = set->surfaces_[i];
      if (Result r = frame.CreateSurface(createFlags, width, strip.Height()); Failed(r)) return r;
      const Rect cut{static_cast<std::int32_t>(i) * width, 0, static_cast<std::int32_t>(i + 1) * width,
                     strip.Height()};
      if (Result r = Blt(frame, 0, 0, &strip, &cut); Failed(r)) return r;
      frame.SetColorKey(header->colorKey);
    }
  }
  set->frames_ = static_cast<int>(frames);
  if (id && cache) {
    set->id_ = id;
    set->cache_ = cache;
    cache->Insert(*id, set.get());
  }
  *out = std::move(set);
  return S_OK;
}

}  // namespace zelph::gfx
