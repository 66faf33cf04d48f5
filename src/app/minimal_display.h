// A plain display until the graphics layer's own takes over: a black RGB 565 picture of the build's screen
// size, shown whole in the window at every flip.
#pragma once

#include <vector>

#include "app/frame_display.h"

namespace zelph::app {

class MinimalDisplay final : public FrameDisplay {
 public:
  MinimalDisplay(int width, int height) : width_(width), height_(height) {}

  Result SetMode(std::uint32_t mode) override;
  Result Open(std::uint32_t flags, platform::Window* window, std::int32_t, std::int32_t, std::int32_t,
              std::int32_t, std::uint32_t bitsPerPixel) override;
  void Close() override;
  Result Suspend() override;
  Result Resume() override;
  Result Flip() override;
  std::uint32_t Capabilities() const override { return 0; }
  bool SurfacesLost() const override { return false; }
  Result RestoreSurfaces() override { return S_OK; }
  gfx::Surface* BackSurface() override { return nullptr; }
  int Width() const override { return width_; }
  int Height() const override { return height_; }
  void MapPoint(int&, int&) const override {}
  const std::uint16_t* BackPixels(int& width, int& height, int& pitchBytes) const override;

  Result OpenInput() override;
  Result CloseInput() override;
  KeyList Keys() const override;

  const std::vector<std::uint16_t>& pixels() const { return pixels_; }

 private:
  int width_, height_;
  platform::Window* window_ = nullptr;
  std::vector<std::uint16_t> pixels_;
  bool open_ = false;
  bool suspended_ = false;
  bool inputOpen_ = false;
};

}  // namespace zelph::app
