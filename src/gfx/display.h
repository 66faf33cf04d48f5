// The display: a back buffer of the logical screen size into which every frame is drawn, presented whole by
// Flip through the game's window. On a desktop the "screen" is the window's picture of the build's size
// (640 x 480 or 320 x 240); the window scales and letterboxes it.
//
// The orientation turns the picture: the logical size exchanges width and height for 90 and 270 degrees,
// points and direction keys are mapped to the turned picture, and Flip turns the back buffer into the
// screen's own orientation. Orientation 1, the game's own, is one block copy per frame.
#pragma once

#include <cstdint>
#include <functional>
#include <memory>

#include "gfx/bitmap_font.h"
#include "gfx/gfx_result.h"
#include "gfx/graphics_context.h"
#include "gfx/surface.h"

namespace zelph::platform {
class Window;
}

namespace zelph::gfx {

class Display {
 public:
  // A screen of screenWidth x screenHeight pixels in its own (native) orientation.
  Display(std::int32_t screenWidth, std::int32_t screenHeight,
          GraphicsContext& context = GraphicsContext::Global());
  Display(const Display&) = delete;
  Display& operator=(const Display&) = delete;
  ~Display();

  // The low four bits choose 1, 2, 4 or 8 (GFX_E_BAD_ORIENTATION for none). While open, the display's own
  // buffers follow at once and the system fonts are drawn again; every other surface must be re-created.
  Result SetOrientation(std::uint32_t value);

  // E_INVALIDARG unless bitsPerPixel is 0 or 16 and the window exists; GFX_E_ALREADY_OPEN when open.
  // The back buffer starts black.
  Result Open(std::uint32_t flags, platform::Window* window, std::uint32_t bitsPerPixel);
  void Close();
  bool IsOpen() const { return open_; }

  // The surface every frame is drawn into; null while closed or when the window is gone.
  Surface* BackBuffer();
  const Surface* BackBuffer() const;
  // What the screen shows after the last Flip, in the screen's own orientation.
  const Surface& FrontSurface() const { return front_; }

  // Shows the whole back buffer at once. GFX_E_NO_PIXELS when closed or the window is gone, GFX_E_LOCKED
  // while suspended.
  Result Flip();
  // Drawn by every Flip onto the screen's copy of the frame, after the back buffer went there: something
  // the player sees that is no part of the game's picture (screenshots and the back buffer never hold it).
  // An empty function draws nothing.
  void SetOverlay(std::function<void(Surface& screen)> draw) { overlay_ = std::move(draw); }

  // While the game is in the background: Flip refuses until Resume (GFX_E_NOT_LOCKED when not suspended).
  Result Suspend();
  Result Resume();

  // No vertical sync, no flipping chain: none of the capability bits.
  std::uint32_t Capabilities() const { return 0; }
  // Surfaces live in system memory and are never lost: GFX_E_UNSUPPORTED while open.
  Result TestSurfacesLost() const;
  Result RestoreSurfaces();

  // A point of the screen's own orientation (window coordinates already in screen pixels) into the
  // back buffer's.
  void MapPoint(int* x, int* y) const;

  // The logical size: the back buffer's.
  std::int32_t Width() const;
  std::int32_t Height() const;

  Color SystemFontColor() const { return systemFontColor_; }
  void SetSystemFontColor(Color color);
  // The two system fonts, drawn while the display is open; null when they could not be made.
  const BitmapFont* SmallFont() const;
  const BitmapFont* LargeFont() const;

  GraphicsContext& Context() const { return context_; }

 private:
  bool WindowPresent() const;
  Result LayOutBuffers();
  void RenderSystemFonts();
  // The back buffer into the frame buffer, turned into the screen's orientation.
  void TurnIntoFrame(int quarters);

  GraphicsContext& context_;
  std::int32_t screenWidth_;
  std::int32_t screenHeight_;
  std::int32_t framePitch_;  // pixels per frame-buffer row
  bool open_ = false;
  platform::Window* window_ = nullptr;
  std::uint32_t openFlags_ = 0;
  std::unique_ptr<Pixel[]> frameBuffer_;
  std::function<void(Surface& screen)> overlay_;
  Surface front_;
  Surface back_;
  Color systemFontColor_ = 0xFFFFFF;
  BitmapFont smallFont_;
  BitmapFont largeFont_;
  bool smallFontReady_ = false;
  bool largeFontReady_ = false;
};

}  // namespace zelph::gfx
