// Showing the back surface at once, outside the frame loop (a board that must stay on the screen while a
// level loads). The application installs how; without it nothing is shown early.
#pragma once

#include <functional>

namespace zelph::ui {

void SetPresentHook(std::function<void()> present);
void PresentNow();

}  // namespace zelph::ui
