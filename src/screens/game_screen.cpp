#include "screens/game_screen.h"

#include "gfx/blit.h"
#include "gfx/gfx_result.h"
#include "platform/random.h"
#include "platform/virtual_keys.h"
#include "ui/control_tree.h"

namespace zelph::screens {

namespace {

// Fills `area` black except for `hole`, which lies inside it (or is empty).
void FillAround(gfx::Surface& target, const gfx::Rect& area, const gfx::Rect& hole) {
  if (hole.IsEmpty()) {
    gfx::FillRect(target, &area, 0);
    return;
  }
  const gfx::Rect strips[] = {{area.left, area.top, area.right, hole.top},
                              {area.left, hole.bottom, area.right, area.bottom},
                              {area.left, hole.top, hole.left, hole.bottom},
                              {hole.right, hole.top, area.right, hole.bottom}};
  for (const gfx::Rect& strip : strips) {
    if (!strip.IsEmpty()) gfx::FillRect(target, &strip, 0);
  }
}

}  // namespace

GameScreen::GameScreen() {
  walk.showLevelNumber = [this](std::int32_t n) { nextLevel.ShowLevelNumber(n, 0); };
  world.onLevelWon = [this] { ui::Send(Parent(), kCommandLevelWon, ui::ArgOf(this), id); };
}

GameScreen::~GameScreen() {
  if (walk.levelLoaded && saveGame) saveGame(*this);
  world.onLevelWon = nullptr;
}

Result GameScreen::Create(std::uint32_t newId, const ui::Rect& at, ui::Control* parent, std::uint32_t newFlags) {
  if (!GuiPackLoaded()) return gfx::GFX_E_NO_RESOURCE;
  if (Result r = Control::Create(newId, at, parent, newFlags | ui::kCallDrawOver); Failed(r)) return r;
  platform::SRand(platform::SeedForNewGame());
  TakeFocus();
  nextLevel.Load(ui::BackSurface());
  topBar.CreateBar(kTopBarId, nullptr, this, 0);
  topBar.commandTarget = parent;
  world.Reset();
  return S_OK;
}

void GameScreen::TakeFocus() { ui::SetKeyFocus(this); }

Result GameScreen::Draw(gfx::Surface& target, int originX, int originY, const ui::Rect&) {
  const gfx::Rect saved = target.ClipRect();
  target.SetClipRect(nullptr);
  // A field smaller than the screen leaves the rest black, not showing what the screens before it drew. Only
  // the strips around the composed field are filled: the field itself is copied over whole every frame.
  const gfx::Rect area{originX + rect.left, originY + rect.top, originX + rect.right, originY + rect.bottom};
  gfx::Rect field{area.left, area.top, area.left, area.top};
  if (world.composed.HasPixels()) {
    field = {area.left + world.backDcRect.left, area.top + world.backDcRect.top,
             area.left + world.backDcRect.left + world.composed.Width(),
             area.top + world.backDcRect.top + world.composed.Height()};
  }
  FillAround(target, area, gfx::Intersect(area, field));
  world.Draw(target, originX + rect.left, originY + rect.top);
  target.SetClipRect(&saved);
  return S_OK;
}

Result GameScreen::DrawOver(gfx::Surface& target, int originX, int originY, const ui::Rect&) {
  world.DrawBeam(target, originX + rect.left, originY + rect.top);
  return S_OK;
}

Result GameScreen::Tick(std::uint32_t) {
  world.Tick();
  if (world.lives == 0) SendToParent(kSignalGameOver, ui::ArgOf(this), id);
  return S_OK;
}

Result GameScreen::KeyDown(int keyCode, std::uint32_t rawKey) {
  // Escape is the keyboard's way to the top bar's menu button.
  if (rawKey == platform::vk::kEscape && topBar.commandTarget) {
    ui::Send(topBar.commandTarget, kMenuButtonId, ui::ArgOf(&topBar), topBar.id);
    return ui::kHandled;
  }
  if (world.player) world.player->KeyDown(keyCode);
  return ui::kHandled;
}

Result GameScreen::KeyUp(int keyCode, std::uint32_t) {
  if (world.player) world.player->KeyUp(keyCode);
  return ui::kHandled;
}

bool GameScreen::ToCell(int& x, int& y) const {
  if (!world.player) return false;
  const gfx::Rect& s = world.stylusRect;
  if (x < s.left || x > s.right || y < s.top || y > s.bottom) return false;
  x -= world.backDcRect.left + world.gameField.left;
  y -= world.backDcRect.top + world.gameField.top;
  return true;
}

Result GameScreen::StylusDown(int x, int y, std::uint32_t) {
  if (ToCell(x, y)) world.player->StylusPress(x, y);
  return ui::kHandled;
}

Result GameScreen::StylusDoubleClick(int x, int y, std::uint32_t) {
  if (ToCell(x, y)) world.player->StylusPress(x, y);
  return ui::kHandled;
}

Result GameScreen::StylusUp(int x, int y, std::uint32_t) {
  if (ToCell(x, y)) world.player->StylusRelease(x, y);
  return ui::kHandled;
}

Result GameScreen::StylusMove(int x, int y, std::uint32_t) {
  if (ToCell(x, y)) world.player->StylusDrag(x, y);
  return ui::kHandled;
}

Result GameScreen::Notify(std::uint32_t code, std::intptr_t argument, std::uint32_t senderId) {
  Control::Notify(code, argument, senderId);
  return code == ui::kNotifyClicked ? ui::kConsumed : ui::kPassOn;
}

Result GameScreen::NewGame(std::int32_t difficulty, std::int32_t level) {
  TakeFocus();
  return walk.NewGame(difficulty, level);
}

Result GameScreen::NextLevel() {
  TakeFocus();
  return walk.NextLevel();
}

Result GameScreen::ContinueGame() {
  TakeFocus();
  return walk.ContinueGame();
}

void GameScreen::ResumePlay() {
  world.ResumeSounds();
  if (playGameMusic) playGameMusic();
}

void GameScreen::ResetWorld() {
  world.Reset();
  walk.levelLoaded = false;
  if (walk.deleteSavedGame) walk.deleteSavedGame();
}

std::int32_t GameScreen::TakeScoreGain() {
  const std::int32_t gain = world.score - reportedScore;
  reportedScore = world.score;
  return gain > 0 ? gain : 0;
}

}  // namespace zelph::screens
