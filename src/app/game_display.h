// The frame's display: the graphics layer's Display and key input, presenting through the game's window.
#pragma once

#include <string>

#include "app/frame_display.h"
#include "gfx/display.h"
#include "gfx/key_input.h"

namespace zelph::app {

inline constexpr gfx::Color kNoticePlateColor = 0x00202020;

class GameDisplay final : public FrameDisplay {
 public:
  // A screen of the build's size (640 x 480 or 320 x 240).
  GameDisplay(int screenWidth, int screenHeight,
              gfx::GraphicsContext& context = gfx::GraphicsContext::Global());

  Result SetMode(std::uint32_t mode) override { return display_.SetOrientation(mode); }
  // The size hints are for handheld display drivers; a window has no use for them.
  Result Open(std::uint32_t flags, platform::Window* window, std::int32_t, std::int32_t, std::int32_t,
              std::int32_t, std::uint32_t bitsPerPixel) override {
    return display_.Open(flags, window, bitsPerPixel);
  }
  void Close() override { display_.Close(); }
  Result Suspend() override { return display_.Suspend(); }
  Result Resume() override { return display_.Resume(); }
  Result Flip() override { return display_.Flip(); }
  std::uint32_t Capabilities() const override { return display_.Capabilities(); }
  bool SurfacesLost() const override { return display_.TestSurfacesLost() == gfx::GFX_E_LOST; }
  Result RestoreSurfaces() override { return display_.RestoreSurfaces(); }
  gfx::Surface* BackSurface() override { return display_.BackBuffer(); }
  int Width() const override { return display_.Width(); }
  int Height() const override { return display_.Height(); }
  void MapPoint(int& x, int& y) const override { display_.MapPoint(&x, &y); }
  const std::uint16_t* BackPixels(int& width, int& height, int& pitchBytes) const override;
  void ShowNotice(std::u16string_view text, int frames) override;

  Result OpenInput() override { return input_.Open(); }
  Result CloseInput() override { return input_.Close(); }
  KeyList Keys() const override { return input_.Keys(display_.Context()); }

  gfx::Display& display() { return display_; }

 private:
  void DrawNotice(gfx::Surface& screen);

  gfx::Display display_;
  gfx::KeyInput input_;
  std::u16string notice_;
  int noticeFrames_ = 0;  // presented frames the notice still shows on
};

}  // namespace zelph::app
