#include "platform/messages.h"

#include <mutex>

namespace zelph::platform {

namespace {
std::mutex g_sinkMutex;
MessageSink g_sink = nullptr;
void* g_sinkContext = nullptr;
}  // namespace

void SetMainWindowSink(MessageSink sink, void* context) {
  std::lock_guard lock(g_sinkMutex);
  g_sink = sink;
  g_sinkContext = context;
}

void PostToMainWindow(const Message& message) {
  std::lock_guard lock(g_sinkMutex);
  if (!g_sink || !g_sink(g_sinkContext, message)) DiscardMessagePayload(message);
}

void PostAbort(const std::string& text) {
  PostToMainWindow(Message{msg::kAbort, 0, reinterpret_cast<std::intptr_t>(new std::string(text))});
}

void DiscardMessagePayload(const Message& message) {
  if ((message.id == msg::kAbort || message.id == msg::kShellChange) && message.lParam != 0) {
    delete reinterpret_cast<std::string*>(message.lParam);
  }
}

}  // namespace zelph::platform
