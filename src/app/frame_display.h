// What the application frame needs of the display and of hardware-key input. The game's display implements
// it; tests use fakes to drive the frame's failure paths.
#pragma once

#include <cstdint>
#include <string_view>

#include "gfx/key_list.h"
#include "platform/result.h"

namespace zelph::gfx {
class Surface;
}
namespace zelph::platform {
class Window;
}

namespace zelph::app {

// The device's key codes: the four directions, A, B, C and start.
using KeyList = gfx::KeyList;

inline constexpr std::uint32_t kCapsVsync = 0x10;

class FrameDisplay {
 public:
  virtual ~FrameDisplay() = default;

  virtual bool Usable() const { return true; }
  virtual Result SetMode(std::uint32_t mode) = 0;  // low four bits: orientation
  virtual Result Open(std::uint32_t flags, platform::Window* window, std::int32_t smallWidth,
                      std::int32_t smallHeight, std::int32_t largeWidth, std::int32_t largeHeight,
                      std::uint32_t bitsPerPixel) = 0;
  virtual void Close() = 0;
  virtual Result Suspend() = 0;
  virtual Result Resume() = 0;
  virtual Result Flip() = 0;
  virtual std::uint32_t Capabilities() const = 0;
  virtual bool SurfacesLost() const = 0;
  virtual Result RestoreSurfaces() = 0;
  // The surface every frame is drawn into; null while closed.
  virtual gfx::Surface* BackSurface() = 0;
  virtual int Width() const = 0;
  virtual int Height() const = 0;
  // From the window's coordinates (already in picture pixels) to the current orientation.
  virtual void MapPoint(int& x, int& y) const = 0;
  // The back buffer's pixels for a screenshot, null when there are none.
  virtual const std::uint16_t* BackPixels(int& width, int& height, int& pitchBytes) const = 0;

  // Shows a short text over the next `frames` presented frames, outside the game's picture (a desktop
  // confirmation, e.g. of a screenshot). Displays that cannot show one ignore it.
  virtual void ShowNotice(std::u16string_view, int) {}

  virtual Result OpenInput() = 0;
  virtual Result CloseInput() = 0;
  virtual KeyList Keys() const = 0;
};

}  // namespace zelph::app
