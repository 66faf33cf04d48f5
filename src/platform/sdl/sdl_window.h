// The game's window over SDL2: one window showing the RGB 565 picture scaled by a whole factor, and SDL's
// events turned into the game's window messages.
#pragma once

#include <filesystem>
#include <memory>
#include <string>

#include "platform/sdl/sdl_ptrs.h"
#include "platform/window.h"

union SDL_Event;

namespace zelph::platform {

struct SdlWindowOptions {
  bool headless = false;          // SDL's dummy drivers: no window on screen, for tests and CI
  bool headlessSound = false;     // headless, but the audio driver is left to SDL_AUDIODRIVER (dummy if unset)
  bool fullScreen = false;        // start full screen (Alt+Enter and F11 toggle it)
  bool exitOnDeactivate = false;  // report a focus loss as the handheld did: another window took the screen
  int scale = 0;                  // window size in picture sizes; 0: the largest that fits, up to kMaxAutoScale
  std::filesystem::path iconFile = {};  // an RGBA PNG for the window's icon; none or unreadable: the desktop's own
};

inline constexpr int kMaxAutoScale = 3;

class GamepadInput;

class SdlWindow final : public Window {
 public:
  explicit SdlWindow(SdlWindowOptions options);
  ~SdlWindow() override;

  bool RegisterClass(std::string_view className, bool doubleClicks) override;
  bool Create(std::string_view title, int width, int height) override;
  void Destroy() override;
  bool Exists() const override { return window_ != nullptr; }
  bool PeekMessage(Message& out) override;
  void WaitMessage(std::uint32_t timeoutMs) override;
  bool PostMessage(const Message& message) override { return queue_.Post(message); }
  void BringToFront() override;
  void Minimize() override;
  void SetFullScreen(bool on) override;
  ForeignWindow DescribeWindow(std::intptr_t other) override;
  void Present(const std::uint16_t* pixels, int width, int height, int pitchBytes) override;

  // The window's size on the desktop (0 x 0 without a window).
  void Size(int& width, int& height) const;

 private:
  void Pump();
  void Translate(const SDL_Event& event);
  void PostPoint(std::uint32_t id, int x, int y);
  void TrackPointer(int x, int y);

  SdlWindowOptions options_;
  MessageQueue queue_;
  SdlSubsystems sdl_;  // before the handles, which go first
  SdlSubsystems controllers_;
  std::unique_ptr<GamepadInput> gamepads_;  // after its subsystem, so it closes its controllers first
  bool doubleClicks_ = false;
  bool fullScreen_ = false;
  bool stylusDown_ = false;
  int width_ = 0, height_ = 0;
  int pointerX_ = 0, pointerY_ = 0;  // where the pointer was last seen, in picture pixels
  SdlWindowPtr window_;
  SdlRendererPtr renderer_;
  SdlTexturePtr texture_;
  int textureW_ = 0, textureH_ = 0;
};

// The handheld's virtual-key code for an SDL key, or 0 for keys the game does not know.
std::uint16_t VirtualKeyFromSdl(int sdlKeycode);

// Posts a key going down (with the character the handheld sent for Enter, Escape, Tab and Backspace) or up,
// as the keyboard and the gamepads both do. `data` is the key message's data (repeat count, scan code).
void PostKey(MessageQueue& queue, std::uint16_t key, bool down, std::intptr_t data);

// An RGBA picture from a PNG file, null when it cannot be read.
SdlSurfacePtr LoadRgbaPng(const std::filesystem::path& file);

}  // namespace zelph::platform
