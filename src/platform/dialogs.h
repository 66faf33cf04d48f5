// Message boxes and the default beep. Text always also goes to standard error, so that a run without a
// display still tells what went wrong.
#pragma once

#include <string_view>

namespace zelph::platform {

enum class MessageIcon { None, Error };

void ShowMessageBox(std::string_view caption, std::string_view text, MessageIcon icon);
void Beep();

// The window layer installs a real message box; without one only standard error is used.
using MessageBoxHook = void (*)(std::string_view caption, std::string_view text, MessageIcon icon);
void SetMessageBoxHook(MessageBoxHook hook);

}  // namespace zelph::platform
