#include "platform/dialogs.h"

#include <unistd.h>

#include <atomic>
#include <cstdio>

namespace zelph::platform {

namespace {
std::atomic<MessageBoxHook> g_hook{nullptr};
}

void SetMessageBoxHook(MessageBoxHook hook) { g_hook.store(hook); }

void ShowMessageBox(std::string_view caption, std::string_view text, MessageIcon icon) {
  std::fprintf(stderr, "%.*s%s: %.*s\n", static_cast<int>(caption.size()), caption.data(),
               icon == MessageIcon::Error ? " (error)" : "", static_cast<int>(text.size()), text.data());
  if (MessageBoxHook hook = g_hook.load()) hook(caption, text, icon);
}

void Beep() {
  // The terminal bell is the nearest thing to the device's default beep.
  if (::isatty(STDERR_FILENO)) {
    std::fputc('\a', stderr);
    std::fflush(stderr);
  }
}

}  // namespace zelph::platform
