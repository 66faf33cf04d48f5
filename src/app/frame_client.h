// What the frame draws, ticks and routes input to: the start-up window or the main window, each the root of a
// tree of controls. The root also carries the requests it raises for the application (quit, minimise, launch,
// save or reset the user settings).
#pragma once

#include <cstdint>
#include <string>

#include "app/frame_display.h"
#include "platform/result.h"

namespace zelph::gfx {
class Surface;
}

namespace zelph::app {

struct ScreenRect {
  int left = 0, top = 0, right = 0, bottom = 0;
};

class FrameClient {
 public:
  virtual ~FrameClient() = default;

  virtual Result DrawTree(gfx::Surface* target, int x, int y, const ScreenRect& clip) = 0;
  virtual Result TickTree(std::uint32_t frameFlags) = 0;
  virtual Result RouteKeyDown(std::uint32_t key, const KeyList& keys) = 0;
  virtual Result RouteKeyUp(std::uint32_t key, const KeyList& keys) = 0;
  virtual Result RouteChar(std::uint32_t character, std::intptr_t keyData) = 0;
  virtual Result RouteStylusDown(int x, int y) = 0;
  virtual Result RouteStylusUp(int x, int y) = 0;
  virtual Result RouteStylusDoubleClick(int x, int y) = 0;
  virtual Result RouteStylusMove(int x, int y) = 0;
  virtual Result RouteWheel(std::uint32_t keyState, int delta, int x, int y, int notches) = 0;

  std::uint32_t request = 0;
  std::string* launchName = nullptr;  // owned by the root until the launch takes it
  std::uint32_t launchNow = 0;
};

// Answers the root's requests. The screen controller is the real one.
class RequestHandler {
 public:
  virtual ~RequestHandler() = default;
  // True when the request was handled, so that it is cleared.
  virtual bool HandleRequest(std::uint32_t value) = 0;
};

}  // namespace zelph::app
