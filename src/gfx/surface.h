// Surface: an off-screen picture of RGB 565 pixels, the unit every drawing operation reads and writes.
//
// Layout: always row-major (pixel (x, y) at origin + x + y * yStep, origin 0, xStep 1), whatever the display
// orientation. The display rotates the picture when it presents the back buffer, so no blit ever walks a
// column-major buffer. The orientation value still stamps each layout as its generation, so surfaces made
// before an orientation change report GFX_E_NOT_READY until re-created, as the rest of the game expects.
#pragma once

#include <cstdint>
#include <memory>

#include "gfx/gfx_result.h"
#include "gfx/graphics_context.h"
#include "gfx/pixel.h"
#include "gfx/rect.h"

namespace zelph::gfx {

// Creation flags.
inline constexpr std::uint32_t kCreateClear = 0x001;          // clear to black
inline constexpr std::uint32_t kCreateAccepted = 0x002;       // accepted without effect
inline constexpr std::uint32_t kCreateNoBoundsCheck = 0x004;  // rectangles are clipped instead of refused
inline constexpr std::uint32_t kCreateReadOnly = 0x008;       // never a drawing destination
inline constexpr std::uint32_t kCreateSystemMemory = 0x100;
inline constexpr std::uint32_t kCreateVideoMemory = 0x200;
inline constexpr std::uint32_t kCreateVideoLocal = 0x400;     // only with video memory
inline constexpr std::uint32_t kCreateVideoNonLocal = 0x800;  // only with video memory
inline constexpr std::uint32_t kCreateValidMask = 0xF0F;

// State bits kept in the same flags word.
inline constexpr std::uint32_t kStateLocked = 0x1000;
inline constexpr std::uint32_t kStateFrontWithBack = 0x4000;
inline constexpr std::uint32_t kStateAliasesFrameBuffer = 0x8000;

// Kind bits.
inline constexpr std::uint32_t kKindOwnsBuffer = 1;
inline constexpr std::uint32_t kKindDisplay = 2;

// What Lock hands out.
struct LockInfo {
  std::int32_t width = 0;
  std::int32_t height = 0;
  std::int32_t xPitch = 0;  // bytes
  std::int32_t yPitch = 0;  // bytes
  Pixel* bits = nullptr;    // pixel (0, 0)
  std::int32_t format = 0;  // kPixelFormat*
};

class Surface {
 public:
  explicit Surface(GraphicsContext& context = GraphicsContext::Global()) : context_(&context) {}
  Surface(const Surface&) = delete;
  Surface& operator=(const Surface&) = delete;
  // Moving hands the buffer over; the moved-from surface is left empty, never pointing at it.
  Surface(Surface&& other) noexcept : context_(other.context_) { *this = std::move(other); }
  Surface& operator=(Surface&& other) noexcept;
  ~Surface() = default;

  // Gives the surface a buffer of width x height (both 0: releases it). A buffer of the same size and
  // memory type is kept, with its pixels unless kCreateClear is given. Argument and state failures change
  // nothing; a failed allocation leaves the surface empty.
  Result CreateSurface(std::uint32_t flags, std::int32_t width, std::int32_t height);
  // Re-creates this surface with other's size and creation flags and copies its pixels (not its key).
  Result CopyFrom(const Surface& other);

  std::int32_t Width() const { return width_; }
  std::int32_t Height() const { return height_; }

  void SetColorKey(Color key) { colorKey_ = key; }
  Color ColorKey() const { return colorKey_; }

  // The clip becomes rect (normalised; the whole surface when null) cut to the surface. All zero means no
  // clipping; a rectangle that misses the surface leaves an empty, non-zero clip that lets nothing through.
  Result SetClipRect(const Rect* rect);
  Rect ClipRect() const { return clip_; }

  Result Lock(LockInfo* info);
  Result Unlock();

  // The pixel at (x, y) as a 0x00BBGGRR colour.
  Result GetPixel(std::int32_t x, std::int32_t y, Color* color) const;

  // The failure that any operation on this surface would meet first: no pixels, locked, or not current.
  Result CheckUsable() const;
  bool HasPixels() const { return pixels_ != nullptr; }
  bool IsLocked() const { return (flags_ & kStateLocked) != 0; }
  bool IsCurrent() const { return context_->IsOpen() && generation_ == context_->Orientation(); }
  bool IsReadOnly() const { return (flags_ & kCreateReadOnly) != 0; }
  bool SkipsBoundsChecks() const { return (flags_ & kCreateNoBoundsCheck) != 0; }
  bool InSystemMemory() const { return (flags_ & kCreateSystemMemory) != 0; }

  GraphicsContext& Context() const { return *context_; }
  std::uint32_t Kind() const { return kind_; }
  std::uint32_t Flags() const { return flags_; }
  std::int32_t XStep() const { return xStep_; }
  std::int32_t YStep() const { return yStep_; }
  std::int32_t Origin() const { return origin_; }
  std::int32_t BufferBytes() const { return bufferBytes_; }
  std::int32_t Generation() const { return generation_; }
  Rect Bounds() const { return {0, 0, width_, height_}; }

  // Raw access for the drawing loops and the presenter: row y starts at Row(y) and rows are YStep() apart.
  Pixel* Pixels() { return pixels_; }
  const Pixel* Pixels() const { return pixels_; }
  Pixel* Row(std::int32_t y) { return pixels_ + origin_ + static_cast<std::ptrdiff_t>(y) * yStep_; }
  const Pixel* Row(std::int32_t y) const {
    return pixels_ + origin_ + static_cast<std::ptrdiff_t>(y) * yStep_;
  }

  // For the display only: its back buffer (owned, kind 2) and its front surface (aliasing the presenter's
  // frame buffer of rowPixels pixels per row). Users cannot re-create either.
  Result CreateDisplayBuffer(std::uint32_t flags, std::int32_t width, std::int32_t height);
  Result AliasFrameBuffer(Pixel* firstPixel, std::int32_t width, std::int32_t height, std::int32_t rowPixels);
  // After an orientation change: the same buffer takes the new logical size and the current generation.
  Result RelayoutDisplayBuffer(std::int32_t width, std::int32_t height);
  void ReleaseDisplayBuffer();

 private:
  Result Allocate(std::uint32_t flags, std::int32_t width, std::int32_t height);
  void SetLayout(std::int32_t width, std::int32_t height, std::int32_t rowPixels);
  void FreeBuffer();

  GraphicsContext* context_;
  std::uint32_t kind_ = 0;
  std::uint32_t flags_ = 0;
  std::int32_t width_ = 0;
  std::int32_t height_ = 0;
  std::int32_t xStep_ = 0;
  std::int32_t yStep_ = 0;
  std::int32_t origin_ = 0;
  std::int32_t bufferBytes_ = 0;
  std::int32_t generation_ = 0;
  Color colorKey_ = 0;
  Rect clip_;
  Pixel* pixels_ = nullptr;
  // Cache-line aligned, so that the vector loops and block copies start on whole lines.
  struct AlignedDelete {
    void operator()(Pixel* p) const;
  };
  std::unique_ptr<Pixel[], AlignedDelete> owned_;
};

// even(n): dimensions are rounded up to even so every row starts on a 32-bit boundary.
constexpr std::int64_t EvenUp(std::int64_t n) { return (n + 1) & ~std::int64_t{1}; }

}  // namespace zelph::gfx
