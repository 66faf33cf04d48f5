#include "app/pad_pause.h"

#include "screens/top_bar.h"

namespace zelph::app {

bool PauseForLostController(const ui::Control* current, screens::MainWindow* mainWindow) {
  if (!mainWindow || current != mainWindow || !mainWindow->gameScreen) return false;
  if (mainWindow->screenState != screens::kPlaying) return false;
  ui::Send(mainWindow, screens::kMenuButtonId, 0, screens::kMenuButtonId);
  return true;
}

}  // namespace zelph::app
