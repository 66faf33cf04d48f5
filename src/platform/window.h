// The game's one window and its message queue. The SDL adapter is the real one; tests use a fake that
// queues injected messages. All calls but PostMessage belong to the main thread.
#pragma once

#include <condition_variable>
#include <cstdint>
#include <deque>
#include <mutex>
#include <string>
#include <string_view>

#include "platform/messages.h"

namespace zelph::platform {

// What the frame learns about the window that took activation away from it.
struct ForeignWindow {
  std::string className;
  std::string programPath;
};

// Messages queued for the window; posting is safe from any thread.
class MessageQueue {
 public:
  ~MessageQueue();
  bool Post(const Message& message);
  bool Pop(Message& out);
  // Waits until a message is queued or `timeoutMs` passes; true when one is there.
  bool WaitFor(std::uint32_t timeoutMs);
  bool Empty() const;

 private:
  mutable std::mutex mutex_;
  std::condition_variable cv_;
  std::deque<Message> queue_;
};

class Window {
 public:
  virtual ~Window() = default;

  virtual bool RegisterClass(std::string_view className, bool doubleClicks) = 0;
  // Creates and shows the window with its title, sized for a logical picture of width x height.
  virtual bool Create(std::string_view title, int width, int height) = 0;
  virtual void Destroy() = 0;
  virtual bool Exists() const = 0;

  // Takes one message without waiting; false when none is queued.
  virtual bool PeekMessage(Message& out) = 0;
  // Sleeps until a message arrives or `timeoutMs` passes.
  virtual void WaitMessage(std::uint32_t timeoutMs) = 0;
  // Queues a message; safe from any thread.
  virtual bool PostMessage(const Message& message) = 0;

  virtual void BringToFront() = 0;
  virtual void Minimize() = 0;
  virtual void SetFullScreen(bool on) = 0;

  // The class and program of the window with handle `other`; handle 0 means the current foreground window.
  virtual ForeignWindow DescribeWindow(std::intptr_t other) = 0;

  // Shows a whole RGB 565 picture at once, scaled to the window.
  virtual void Present(const std::uint16_t* pixels, int width, int height, int pitchBytes) = 0;
};

}  // namespace zelph::platform
