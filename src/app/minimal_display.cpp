#include "app/minimal_display.h"

#include "app/virtual_keys.h"
#include "platform/window.h"

namespace zelph::app {

namespace {
// The graphics layer's codes for these conditions.
constexpr Result kAlreadyOpen = Code(0xC86600B0);
constexpr Result kNoPixels = Code(0xC8660080);
constexpr Result kLocked = Code(0xC86600C0);
constexpr Result kNotLocked = Code(0xC8660010);
constexpr Result kBadOrientation = Code(0xC8660100);
constexpr Result kInputOpen = Code(0xC86600D0);
}  // namespace

Result MinimalDisplay::SetMode(std::uint32_t mode) { return (mode & 0xF) == 0 ? kBadOrientation : S_OK; }

Result MinimalDisplay::Open(std::uint32_t, platform::Window* window, std::int32_t, std::int32_t, std::int32_t,
                            std::int32_t, std::uint32_t bitsPerPixel) {
  if ((bitsPerPixel != 0 && bitsPerPixel != 16) || !window) return E_INVALIDARG;
  if (open_) return kAlreadyOpen;
  window_ = window;
  pixels_.assign(static_cast<std::size_t>(width_) * height_, 0);
  open_ = true;
  suspended_ = false;
  return S_OK;
}

void MinimalDisplay::Close() {
  open_ = false;
  window_ = nullptr;
  pixels_.clear();
}

Result MinimalDisplay::Suspend() {
  if (!open_) return kNoPixels;
  suspended_ = true;
  return S_OK;
}

Result MinimalDisplay::Resume() {
  if (!open_) return kNoPixels;
  if (!suspended_) return kNotLocked;
  suspended_ = false;
  return S_OK;
}

Result MinimalDisplay::Flip() {
  if (!open_ || !window_ || !window_->Exists()) return kNoPixels;
  if (suspended_) return kLocked;
  window_->Present(pixels_.data(), width_, height_, width_ * 2);
  return S_OK;
}

Result MinimalDisplay::OpenInput() {
  if (inputOpen_) return kInputOpen;
  inputOpen_ = true;
  return S_OK;
}

Result MinimalDisplay::CloseInput() {
  if (!inputOpen_) return kNotLocked;
  inputOpen_ = false;
  return S_OK;
}

const std::uint16_t* MinimalDisplay::BackPixels(int& width, int& height, int& pitchBytes) const {
  if (!open_) return nullptr;
  width = width_;
  height = height_;
  pitchBytes = width_ * 2;
  return pixels_.data();
}

KeyList MinimalDisplay::Keys() const { return DesktopKeyList(); }

}  // namespace zelph::app
