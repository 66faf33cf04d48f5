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

Message MakeTextMessage(std::uint32_t id, std::uintptr_t wParam, std::string text) {
  auto owned = std::make_unique<std::string>(std::move(text));
  return Message{id, wParam, reinterpret_cast<std::intptr_t>(owned.release())};
}

std::unique_ptr<std::string> TakeMessageText(const Message& message) {
  if (message.id != msg::kAbort && message.id != msg::kShellChange) return nullptr;
  return std::unique_ptr<std::string>(reinterpret_cast<std::string*>(message.lParam));
}

void PostAbort(const std::string& text) { PostToMainWindow(MakeTextMessage(msg::kAbort, 0, text)); }

void DiscardMessagePayload(const Message& message) { TakeMessageText(message); }

}  // namespace zelph::platform
