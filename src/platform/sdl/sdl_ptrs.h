// Owners for SDL's handles, so that each is released exactly once on every path: std::unique_ptr with the
// matching destroy call for the handles SDL gives as pointers, and a small movable owner for those it gives
// as numbers (an audio device; a start of subsystems, which SDL counts).
#pragma once

#include <cstdint>
#include <memory>
#include <utility>

struct SDL_Window;
struct SDL_Renderer;
struct SDL_Texture;
struct SDL_Surface;

namespace zelph::platform {

struct SdlDeleter {
  void operator()(SDL_Window* window) const;
  void operator()(SDL_Renderer* renderer) const;
  void operator()(SDL_Texture* texture) const;
  void operator()(SDL_Surface* surface) const;
};

using SdlWindowPtr = std::unique_ptr<SDL_Window, SdlDeleter>;
using SdlRendererPtr = std::unique_ptr<SDL_Renderer, SdlDeleter>;
using SdlTexturePtr = std::unique_ptr<SDL_Texture, SdlDeleter>;
using SdlSurfacePtr = std::unique_ptr<SDL_Surface, SdlDeleter>;

// Owns a handle SDL gives as a number (0: none) and hands it to `release` once.
template <void (*release)(std::uint32_t)>
class SdlNumberOwner {
 public:
  SdlNumberOwner() = default;
  explicit SdlNumberOwner(std::uint32_t value) : value_(value) {}
  ~SdlNumberOwner() { reset(); }
  SdlNumberOwner(SdlNumberOwner&& other) noexcept : value_(std::exchange(other.value_, 0)) {}
  SdlNumberOwner& operator=(SdlNumberOwner&& other) noexcept {
    if (this != &other) {
      reset();
      value_ = std::exchange(other.value_, 0);
    }
    return *this;
  }
  SdlNumberOwner(const SdlNumberOwner&) = delete;
  SdlNumberOwner& operator=(const SdlNumberOwner&) = delete;

  std::uint32_t get() const { return value_; }
  explicit operator bool() const { return value_ != 0; }
  void reset() {
    if (value_ != 0) release(value_);
    value_ = 0;
  }

 private:
  std::uint32_t value_ = 0;
};

void CloseSdlAudioDevice(std::uint32_t device);
void QuitSdlSubsystems(std::uint32_t flags);

// An open audio device (SDL_AudioDeviceID). Closing waits for a running callback, so nothing the callback
// uses may go before the device.
using SdlAudioDevice = SdlNumberOwner<&CloseSdlAudioDevice>;
// The subsystems (SDL_INIT_* flags) of one successful start, quit when the owner goes.
using SdlSubsystems = SdlNumberOwner<&QuitSdlSubsystems>;

// Starts the subsystems; an empty owner when SDL refuses (SDL_GetError tells why).
SdlSubsystems StartSdlSubsystems(std::uint32_t flags);

}  // namespace zelph::platform
