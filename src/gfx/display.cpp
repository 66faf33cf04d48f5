#include "gfx/display.h"

#include <new>

#include "gfx/blit.h"
#include "gfx/orientation.h"
#include "gfx/system_fonts.h"
#include "platform/window.h"

namespace zelph::gfx {

Display::Display(std::int32_t screenWidth, std::int32_t screenHeight, GraphicsContext& context)
    : context_(context),
      screenWidth_(screenWidth),
      screenHeight_(screenHeight),
      framePitch_(static_cast<std::int32_t>(EvenUp(screenWidth))),
      front_(context),
      back_(context),
      smallFont_(context),
      largeFont_(context) {}

Display::~Display() { Close(); }

bool Display::WindowPresent() const { return window_ && window_->Exists(); }

std::int32_t Display::Width() const {
  std::int32_t w = 0, h = 0;
  LogicalSize(context_.Orientation(), screenWidth_, screenHeight_, &w, &h);
  return w;
}

std::int32_t Display::Height() const {
  std::int32_t w = 0, h = 0;
  LogicalSize(context_.Orientation(), screenWidth_, screenHeight_, &w, &h);
  return h;
}

Result Display::Open(std::uint32_t flags, platform::Window* window, std::uint32_t bitsPerPixel) {
  if ((bitsPerPixel != 0 && bitsPerPixel != 16) || !window || !window->Exists()) return E_INVALIDARG;
  if (open_ || context_.IsOpen()) return GFX_E_ALREADY_OPEN;
  if (screenWidth_ <= 0 || screenHeight_ <= 0) return GFX_E_MODE;

  const auto framePixels = static_cast<std::size_t>(framePitch_) * static_cast<std::size_t>(screenHeight_);
  frameBuffer_.reset(new (std::nothrow) Pixel[framePixels]());
  if (!frameBuffer_) return E_OUTOFMEMORY;
  // A desktop screen is never turned by the system: its own orientation is the unturned one.
  context_.SetNativeOrientation(kOrientation0);
  context_.MarkOpen(DisplayProperties::Rgb565(screenWidth_, screenHeight_));
  open_ = true;
  if (Result r = LayOutBuffers(); Failed(r)) {
    Close();
    return r;
  }
  window_ = window;
  openFlags_ = flags;
  RenderSystemFonts();
  return S_OK;
}

Result Display::LayOutBuffers() {
  // The front surface always shows the screen as it stands; a suspended display stays suspended.
  const bool suspended = front_.IsLocked();
  if (suspended) front_.Unlock();
  Result r = front_.AliasFrameBuffer(frameBuffer_.get(), screenWidth_, screenHeight_, framePitch_);
  LockInfo lock;
  if (suspended && Succeeded(r)) front_.Lock(&lock);
  if (Failed(r)) return r;
  if (back_.HasPixels()) return back_.RelayoutDisplayBuffer(Width(), Height());
  return back_.CreateDisplayBuffer(kCreateSystemMemory | kCreateClear, Width(), Height());
}

void Display::Close() {
  if (!open_) return;
  open_ = false;
  context_.MarkClosed();
  front_.ReleaseDisplayBuffer();
  back_.ReleaseDisplayBuffer();
  smallFont_.Picture().CreateSurface(0, 0, 0);
  largeFont_.Picture().CreateSurface(0, 0, 0);
  smallFontReady_ = largeFontReady_ = false;
  frameBuffer_.reset();
  window_ = nullptr;
  openFlags_ = 0;
}

Result Display::SetOrientation(std::uint32_t value) {
  if (Result r = context_.SetOrientation(value); Failed(r)) return r;
  if (!open_) return S_OK;
  if (Result r = LayOutBuffers(); Failed(r)) return r;
  RenderSystemFonts();
  return S_OK;
}

Surface* Display::BackBuffer() { return open_ && WindowPresent() ? &back_ : nullptr; }
const Surface* Display::BackBuffer() const { return open_ && WindowPresent() ? &back_ : nullptr; }

void Display::TurnIntoFrame(int quarters) {
  const std::int32_t w = back_.Width(), h = back_.Height();
  Pixel* frame = frameBuffer_.get();
  for (std::int32_t y = 0; y < h; ++y) {
    const Pixel* row = back_.Row(y);
    for (std::int32_t x = 0; x < w; ++x) {
      // Where logical (x, y) lies on the screen; the inverse of MapPoint.
      std::int32_t sx = x, sy = y;
      if (quarters == 1) {
        sx = y;
        sy = w - 1 - x;
      } else if (quarters == 2) {
        sx = w - 1 - x;
        sy = h - 1 - y;
      } else {
        sx = h - 1 - y;
        sy = x;
      }
      frame[static_cast<std::size_t>(sy) * framePitch_ + sx] = row[x];
    }
  }
}

Result Display::Flip() {
  if (!open_ || !WindowPresent()) return GFX_E_NO_PIXELS;
  if (front_.IsLocked()) return GFX_E_LOCKED;
  const int quarters = QuartersOn(context_.NativeOrientation(), context_.Orientation());
  if (quarters == 0) {
    if (Result r = Blt(front_, 0, 0, &back_, nullptr); Failed(r)) return r;
  } else {
    TurnIntoFrame(quarters);
  }
  if (overlay_) overlay_(front_);
  window_->Present(frameBuffer_.get(), screenWidth_, screenHeight_, framePitch_ * 2);
  return S_OK;
}

Result Display::Suspend() {
  if (!open_ || !WindowPresent()) return GFX_E_NO_PIXELS;
  if (front_.IsLocked()) return S_OK;
  LockInfo lock;
  return front_.Lock(&lock);
}

Result Display::Resume() {
  if (!open_ || !WindowPresent()) return GFX_E_NO_PIXELS;
  return front_.Unlock();
}

Result Display::TestSurfacesLost() const { return open_ ? GFX_E_UNSUPPORTED : GFX_E_NO_PIXELS; }

Result Display::RestoreSurfaces() { return open_ ? GFX_E_UNSUPPORTED : GFX_E_NO_PIXELS; }

void Display::MapPoint(int* x, int* y) const {
  gfx::MapPoint(context_.NativeOrientation(), context_.Orientation(), Width(), Height(), x, y);
}

void Display::SetSystemFontColor(Color color) {
  systemFontColor_ = color;
  if (open_) RenderSystemFonts();
}

void Display::RenderSystemFonts() {
  smallFontReady_ = Succeeded(RenderSystemFont(smallFont_, false, systemFontColor_));
  largeFontReady_ = Succeeded(RenderSystemFont(largeFont_, true, systemFontColor_));
}

const BitmapFont* Display::SmallFont() const { return smallFontReady_ ? &smallFont_ : nullptr; }
const BitmapFont* Display::LargeFont() const { return largeFontReady_ ? &largeFont_ : nullptr; }

}  // namespace zelph::gfx
