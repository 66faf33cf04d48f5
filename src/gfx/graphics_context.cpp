#include "gfx/graphics_context.h"

namespace zelph::gfx {

GraphicsContext& GraphicsContext::Global() {
  static GraphicsContext context;
  return context;
}

std::int32_t GraphicsContext::PixelFormatCode() const {
  if (IsRgb565()) return kPixelFormatRgb565;
  if (properties_.formatFlags & kFormatRgb555) return kPixelFormatRgb555;
  if (properties_.formatFlags & kFormatRgb444) return kPixelFormatRgb444;
  return 0;
}

void GraphicsContext::MarkOpen(const DisplayProperties& properties) {
  properties_ = properties;
  open_ = true;
}

void GraphicsContext::MarkClosed() {
  open_ = false;
  properties_ = {};
}

Result GraphicsContext::SetOrientation(std::uint32_t value) {
  const std::uint32_t bits = value & 0xF;
  if (bits == 0) return GFX_E_BAD_ORIENTATION;
  orientation_ = static_cast<std::int32_t>(bits & (~bits + 1));
  requestedOrientation_ = orientation_;
  return S_OK;
}

}  // namespace zelph::gfx
