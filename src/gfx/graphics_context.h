// The root of the graphics layer: the display state that every Surface consults before it is drawn.
// The display opens and closes it and sets its orientation; surfaces only read it.
#pragma once

#include <cstdint>

#include "gfx/gfx_result.h"

namespace zelph::gfx {

// Format flags of a frame buffer.
inline constexpr std::uint32_t kFormatDirect = 0x20;
inline constexpr std::uint32_t kFormatRgb555 = 0x40;
inline constexpr std::uint32_t kFormatRgb565 = 0x80;
inline constexpr std::uint32_t kFormatRgb444 = 0x200;
inline constexpr std::uint32_t kFormatLandscape = 0x08;

// Pixel-format codes handed out by Surface::Lock.
inline constexpr std::int32_t kPixelFormatRgb565 = 4;
inline constexpr std::int32_t kPixelFormatRgb555 = 2;
inline constexpr std::int32_t kPixelFormatRgb444 = 1;

// Orientation values; each is also the generation stamped on surface layouts.
inline constexpr std::int32_t kOrientation0 = 1;
inline constexpr std::int32_t kOrientation90 = 2;
inline constexpr std::int32_t kOrientation270 = 4;
inline constexpr std::int32_t kOrientation180 = 8;

struct DisplayProperties {
  std::int32_t width = 0;  // of the frame buffer, before orientation
  std::int32_t height = 0;
  std::int32_t xPitch = 0;  // bytes
  std::int32_t yPitch = 0;  // bytes
  std::int32_t bitsPerPixel = 0;
  std::uint32_t formatFlags = 0;

  // A plain row-major RGB 565 frame buffer, as every desktop presenter offers.
  static constexpr DisplayProperties Rgb565(std::int32_t w, std::int32_t h) {
    return {w, h, 2, w * 2, 16, kFormatDirect | kFormatRgb565};
  }
};

class GraphicsContext {
 public:
  // The one context of the program. Tests may build their own.
  static GraphicsContext& Global();

  bool IsOpen() const { return open_; }
  const DisplayProperties& Properties() const { return properties_; }
  std::int32_t Orientation() const { return orientation_; }
  std::int32_t RequestedOrientation() const { return requestedOrientation_; }
  std::int32_t NativeOrientation() const { return nativeOrientation_; }

  // Drawing other than plain copies needs RGB 565 without the 555 bit.
  bool IsRgb565() const {
    return (properties_.formatFlags & kFormatRgb565) != 0 && (properties_.formatFlags & kFormatRgb555) == 0;
  }
  std::int32_t PixelFormatCode() const;

  // Called by the display around opening and closing the screen.
  void MarkOpen(const DisplayProperties& properties);
  void MarkClosed();

  // The low four bits choose the orientation (the lowest bit set wins); 0 is GFX_E_BAD_ORIENTATION.
  // Surfaces laid out under another value become stale until re-created.
  Result SetOrientation(std::uint32_t value);
  void SetNativeOrientation(std::int32_t value) { nativeOrientation_ = value; }

 private:
  bool open_ = false;
  DisplayProperties properties_;
  std::int32_t orientation_ = kOrientation0;
  std::int32_t requestedOrientation_ = kOrientation0;
  std::int32_t nativeOrientation_ = kOrientation0;
};

}  // namespace zelph::gfx
