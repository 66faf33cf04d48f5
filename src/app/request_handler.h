// Answers the requests the root control raises for the application (quit, minimise, launch, save or reset
// the user settings). The screen controller is the real one.
#pragma once

#include <cstdint>

namespace zelph::app {

class RequestHandler {
 public:
  virtual ~RequestHandler() = default;
  // True when the request was handled, so that it is cleared.
  virtual bool HandleRequest(std::uint32_t value) = 0;
};

}  // namespace zelph::app
