#include "gfx/surface.h"

#include <climits>
#include <cstring>
#include <new>

namespace zelph::gfx {
namespace {

constexpr std::uint32_t kMemoryMask =
    kCreateSystemMemory | kCreateVideoMemory | kCreateVideoLocal | kCreateVideoNonLocal;
constexpr std::uint32_t kCreationMask = kCreateValidMask;
constexpr std::align_val_t kBufferAlignment{64};

// Applies the system-memory default and checks the combinations; returns E_INVALIDARG, GFX_E_UNSUPPORTED or
// S_OK with *effective set.
Result ValidateCreationFlags(std::uint32_t flags, std::uint32_t* effective) {
  if (flags & ~kCreateValidMask) return E_INVALIDARG;
  if ((flags & kMemoryMask) == 0) flags |= kCreateSystemMemory;
  const bool video = flags & kCreateVideoMemory;
  if ((flags & (kCreateVideoLocal | kCreateVideoNonLocal)) && !video) return E_INVALIDARG;
  if ((flags & kCreateVideoLocal) && (flags & kCreateVideoNonLocal)) return E_INVALIDARG;
  if ((flags & kCreateReadOnly) && video) return E_INVALIDARG;
  if ((flags & kCreateSystemMemory) && video) return E_INVALIDARG;
  if (!(flags & kCreateSystemMemory)) return GFX_E_UNSUPPORTED;
  *effective = flags;
  return S_OK;
}

bool ValidSize(std::int32_t width, std::int32_t height) {
  return width > 0 && height > 0 && EvenUp(width) * EvenUp(height) <= INT_MAX / 2;
}

}  // namespace

void Surface::AlignedDelete::operator()(Pixel* p) const { ::operator delete[](p, kBufferAlignment); }

Surface& Surface::operator=(Surface&& other) noexcept {
  if (this == &other) return *this;
  context_ = other.context_;
  kind_ = other.kind_;
  flags_ = other.flags_;
  width_ = other.width_;
  height_ = other.height_;
  xStep_ = other.xStep_;
  yStep_ = other.yStep_;
  origin_ = other.origin_;
  bufferBytes_ = other.bufferBytes_;
  generation_ = other.generation_;
  colorKey_ = other.colorKey_;
  clip_ = other.clip_;
  pixels_ = other.pixels_;
  owned_ = std::move(other.owned_);
  other.FreeBuffer();
  other.flags_ &= ~kStateLocked;
  return *this;
}

void Surface::SetLayout(std::int32_t width, std::int32_t height, std::int32_t rowPixels) {
  width_ = width;
  height_ = height;
  origin_ = 0;
  xStep_ = 1;
  yStep_ = rowPixels;
  generation_ = context_->Orientation();
  clip_ = {};
}

void Surface::FreeBuffer() {
  owned_.reset();
  pixels_ = nullptr;
  kind_ &= ~kKindOwnsBuffer;
  flags_ &= ~(kCreationMask | kStateAliasesFrameBuffer | kStateFrontWithBack);
  width_ = height_ = xStep_ = yStep_ = origin_ = bufferBytes_ = 0;
  generation_ = kOrientation0;
  clip_ = {};
}

Result Surface::Allocate(std::uint32_t flags, std::int32_t width, std::int32_t height) {
  const bool sameBuffer =
      owned_ && width == width_ && height == height_ && (flags & kMemoryMask) == (flags_ & kMemoryMask);
  if (!sameBuffer) {
    FreeBuffer();
    const std::int64_t count = EvenUp(width) * EvenUp(height);
    const auto bytes = static_cast<std::size_t>(count) * sizeof(Pixel);
    owned_.reset(static_cast<Pixel*>(::operator new[](bytes, kBufferAlignment, std::nothrow)));
    if (!owned_) return E_OUTOFMEMORY;
    // Cleared whatever the flags say: a fresh buffer never shows stale memory.
    std::memset(owned_.get(), 0, bytes);
    pixels_ = owned_.get();
    kind_ |= kKindOwnsBuffer;
    bufferBytes_ = static_cast<std::int32_t>(count * 2);
  } else if (flags & kCreateClear) {
    std::memset(pixels_, 0, static_cast<std::size_t>(bufferBytes_));
  }
  flags_ = (flags_ & ~kCreationMask) | (flags & kCreationMask);
  SetLayout(width, height, static_cast<std::int32_t>(EvenUp(width)));
  return S_OK;
}

Result Surface::CreateSurface(std::uint32_t flags, std::int32_t width, std::int32_t height) {
  std::uint32_t effective = 0;
  if (Result r = ValidateCreationFlags(flags, &effective); Failed(r)) return r;
  const bool release = width == 0 && height == 0;
  if (!release && !ValidSize(width, height)) {
    return (width > 0 && height > 0) ? E_OUTOFMEMORY : E_INVALIDARG;
  }
  if (kind_ & kKindDisplay) return GFX_E_DISPLAY_SURFACE;
  if (IsLocked()) return GFX_E_LOCKED;
  if (release) {
    FreeBuffer();
    return S_OK;
  }
  if (!context_->IsOpen()) return GFX_E_NOT_READY;
  return Allocate(effective, width, height);
}

Result Surface::CopyFrom(const Surface& other) {
  if (Result r = other.CheckUsable(); Failed(r)) return r;
  if (&other == this) return S_OK;
  if (Result r = CreateSurface(other.flags_ & kCreationMask & ~kCreateClear, other.width_, other.height_);
      Failed(r)) {
    return r;
  }
  // Same size and layout, so one block copy. A read-only original gives a read-only copy, which a
  // drawing blit would refuse to fill; copying the buffer directly avoids that trap.
  std::memcpy(pixels_, other.pixels_, static_cast<std::size_t>(bufferBytes_));
  return S_OK;
}

Result Surface::SetClipRect(const Rect* rect) {
  if (!HasPixels()) return GFX_E_NO_PIXELS;
  if (!IsCurrent()) return GFX_E_NOT_READY;
  clip_ = rect ? Intersect(Normalized(*rect), Bounds()) : Bounds();
  return S_OK;
}

Result Surface::CheckUsable() const {
  if (!HasPixels()) return GFX_E_NO_PIXELS;
  if (IsLocked()) return GFX_E_LOCKED;
  if (!IsCurrent()) return GFX_E_NOT_READY;
  return S_OK;
}

Result Surface::Lock(LockInfo* info) {
  if (!info) return E_INVALIDARG;
  if (Result r = CheckUsable(); Failed(r)) return r;
  info->width = width_;
  info->height = height_;
  info->xPitch = xStep_ * 2;
  info->yPitch = yStep_ * 2;
  info->bits = pixels_ + origin_;
  info->format = context_->PixelFormatCode();
  flags_ |= kStateLocked;
  return S_OK;
}

Result Surface::Unlock() {
  if (!IsLocked()) return GFX_E_NOT_LOCKED;
  flags_ &= ~kStateLocked;
  return S_OK;
}

Result Surface::GetPixel(std::int32_t x, std::int32_t y, Color* color) const {
  if (!color) return E_INVALIDARG;
  if (Result r = CheckUsable(); Failed(r)) return r;
  if (x < 0 || y < 0 || x >= width_ || y >= height_) return GFX_E_OUT_OF_BOUNDS;
  if (!context_->IsRgb565()) return GFX_E_NOT_READY;
  *color = PixelToColor(Row(y)[x]);
  return S_OK;
}

Result Surface::CreateDisplayBuffer(std::uint32_t flags, std::int32_t width, std::int32_t height) {
  std::uint32_t effective = 0;
  if (Result r = ValidateCreationFlags(flags, &effective); Failed(r)) return r;
  if (!ValidSize(width, height)) return E_INVALIDARG;
  if (IsLocked()) return GFX_E_LOCKED;
  if (!context_->IsOpen()) return GFX_E_NOT_READY;
  kind_ |= kKindDisplay;
  return Allocate(effective, width, height);
}

Result Surface::AliasFrameBuffer(Pixel* firstPixel, std::int32_t width, std::int32_t height,
                                 std::int32_t rowPixels) {
  if (!firstPixel || !ValidSize(width, height) || rowPixels < width ||
      std::int64_t{rowPixels} * height * 2 > INT_MAX) {
    return E_INVALIDARG;
  }
  if (IsLocked()) return GFX_E_LOCKED;
  FreeBuffer();
  kind_ = kKindDisplay;
  flags_ |= kCreateSystemMemory | kStateAliasesFrameBuffer | kStateFrontWithBack;
  pixels_ = firstPixel;
  // Only the rows the frame buffer really has: its height need not be even.
  bufferBytes_ = static_cast<std::int32_t>(std::int64_t{rowPixels} * height * 2);
  SetLayout(width, height, rowPixels);
  return S_OK;
}

Result Surface::RelayoutDisplayBuffer(std::int32_t width, std::int32_t height) {
  if (!HasPixels()) return GFX_E_NO_PIXELS;
  if (!ValidSize(width, height) || EvenUp(width) * EvenUp(height) * 2 > bufferBytes_) return E_INVALIDARG;
  SetLayout(width, height, static_cast<std::int32_t>(EvenUp(width)));
  return S_OK;
}

void Surface::ReleaseDisplayBuffer() {
  FreeBuffer();
  flags_ &= ~kStateLocked;
}

}  // namespace zelph::gfx
