#include "screens/menu_screens.h"

#include <algorithm>
#include <memory>

#include "gfx/blit.h"
#include "screens/screen_commands.h"
#include "sound/menu_click.h"
#include "sound/sound_globals.h"
#include "ui/control_tree.h"
#include "ui/message_box.h"
#include "ui/pictures.h"

namespace zelph::screens {

Result PlainMenuWindow::Create(std::uint32_t id, const ui::Rect& rect, ui::Control* parent, std::uint32_t flags) {
  const MenuLayout* layout = LayoutFor(screenId_);
  if (!layout) return gfx::GFX_E_GENERIC;
  const Result created = BuildMenu(*this, *layout, id, rect, parent, flags);
  return created < 0 ? created : S_OK;
}

int VolumeAt(int x, const ui::Rect& bar) {
  const int span = bar.right - bar.left;
  if (span <= 0) return 0;
  const double share = static_cast<double>(x - bar.left) / static_cast<double>(span);
  return std::clamp(static_cast<int>(share * 64.0), 0, 64);
}

namespace {

bool Inside(int x, int y, const ui::Rect& r) { return x >= r.left && x <= r.right && y >= r.top && y <= r.bottom; }

// The bar picture under `key`; its size becomes the tap area's.
void LoadBar(const config::ConfigSection& section, const char* rectKey, const char* imageKey, ui::Rect& area,
             gfx::Sprite& bar) {
  area = ui::ReadRect(section, rectKey);
  const std::uint32_t picture = section.GetNumber(imageKey, 0);
  if (picture == 0 || ui::LoadPicture(bar, ui::PackFor(picture), picture) < 0) return;
  std::int32_t w = 0, h = 0;
  bar.FrameSize(-1, &w, &h);
  area.right = area.left + w;
  area.bottom = area.top + h;
}

}  // namespace

Result OptionsWindow::Create(std::uint32_t id, const ui::Rect& rect, ui::Control* parent, std::uint32_t flags) {
  const Result created = BuildMenu(*this, *LayoutFor(kOptionsId), id, rect, parent, flags | ui::kCallDrawOver);
  if (created < 0) return created;
  // The second and fourth buttons of the row are the volume plaques.
  for (const ui::MenuButton& entry : buttons) {
    if (entry.command == kCmdSoundButton && !entry.button->inputEnabled) soundVolumeButton = entry.button.get();
    if (entry.command == kCmdMusicButton && !entry.button->inputEnabled) musicVolumeButton = entry.button.get();
  }
  if (platform::hssSpeaker* speaker = sound::Speaker()) {
    soundVolume = speaker->volumeSounds();
    musicVolume = speaker->volumeMusics();
  }
  if (section) {
    LoadBar(*section, "sound_vol_rect", "sound_vol_img", soundRect, soundBar);
    LoadBar(*section, "music_vol_rect", "music_vol_img", musicRect, musicBar);
    const std::uint32_t back = section->GetNumber("vol_back_img", 0);
    if (back != 0) ui::LoadPicture(volumeBack, ui::PackFor(back), back);
  }
  return S_OK;
}

void OptionsWindow::DrawBar(gfx::Surface& target, int x, int y, const ui::Button* button, const ui::Rect& area,
                            gfx::Sprite& bar, int volume) {
  if (!button || button->State() != ui::kStateReleased) return;
  if (volumeBack.FrameCount() > 0) volumeBack.DrawFrame(target, -1, x, y, nullptr, gfx::kBltColorKey);
  if (bar.FrameCount() == 0) return;
  const gfx::Rect part{0, 0, (area.right - area.left) * volume / 64, area.bottom - area.top};
  if (part.right > 0) bar.DrawFrame(target, -1, x, y, &part, gfx::kBltColorKey);
  bar.StepAnimation();
}

Result OptionsWindow::DrawOver(gfx::Surface& target, int originX, int originY, const ui::Rect& clip) {
  if (platform::hssSpeaker* speaker = sound::Speaker()) {
    const int x = originX + rect.left, y = originY + rect.top;
    DrawBar(target, x + soundRect.left, y + soundRect.top, soundVolumeButton, soundRect, soundBar,
            speaker->volumeSounds());
    DrawBar(target, x + musicRect.left, y + musicRect.top, musicVolumeButton, musicRect, musicBar,
            speaker->volumeMusics());
  }
  return MenuWindow::DrawOver(target, originX, originY, clip);
}

void OptionsWindow::SetSound(int x) {
  platform::hssSpeaker* speaker = sound::Speaker();
  if (!speaker) return;
  soundVolume = VolumeAt(x, soundRect);
  speaker->volumeSounds(soundVolume);
}

void OptionsWindow::SetMusic(int x) { SetMusicVolume(VolumeAt(x, musicRect)); }

void OptionsWindow::SetMusicVolume(int volume) {
  platform::hssSpeaker* speaker = sound::Speaker();
  if (!speaker) return;
  musicVolume = volume;
  speaker->volumeMusics(musicVolume);
  if (musicVolume > kMusicAudibleAbove && startMenuMusic) startMenuMusic();
}

Result OptionsWindow::KeyDown(int keyCode, std::uint32_t rawKey) {
  const ui::MenuButton* focused = FocusedEntry();
  platform::hssSpeaker* speaker = sound::Speaker();
  const bool sideways = keyCode == ui::kKeyLeft || keyCode == ui::kKeyRight;
  if (!sideways || !focused || !speaker || keyPressIndex >= 0) return MenuWindow::KeyDown(keyCode, rawKey);
  const int step = keyCode == ui::kKeyLeft ? -kVolumeKeyStep : kVolumeKeyStep;
  if (focused->command == kCmdSoundButton) {
    soundVolume = std::clamp(speaker->volumeSounds() + step, 0, 64);
    speaker->volumeSounds(soundVolume);
    // The click lets the player hear the new effect volume.
    if (sound::MenuClickSound()) sound::PlayMenuClickSound();
    return ui::kHandled;
  }
  if (focused->command == kCmdMusicButton) {
    SetMusicVolume(std::clamp(speaker->volumeMusics() + step, 0, 64));
    return ui::kHandled;
  }
  return MenuWindow::KeyDown(keyCode, rawKey);
}

Result OptionsWindow::StylusDown(int x, int y, std::uint32_t) {
  if (!sound::Speaker()) return ui::kHandled;
  if (Inside(x, y, soundRect)) {
    SetSound(x);
    draggingSound = true;
    ui::SetCapture(this);
  } else if (Inside(x, y, musicRect)) {
    SetMusic(x);
    draggingMusic = true;
    ui::SetCapture(this);
  }
  return ui::kHandled;
}

Result OptionsWindow::StylusMove(int x, int, std::uint32_t) {
  if (draggingSound) {
    SetSound(std::clamp(x, soundRect.left, soundRect.right));
  } else if (draggingMusic) {
    SetMusic(std::clamp(x, musicRect.left, musicRect.right));
  }
  return ui::kHandled;
}

Result OptionsWindow::StylusUp(int, int, std::uint32_t) {
  draggingSound = draggingMusic = false;
  if (ui::StylusCapture() == this) ui::SetCapture(nullptr);
  return ui::kHandled;
}

Result InGameMenuWindow::Create(std::uint32_t id, const ui::Rect& rect, ui::Control* parent, std::uint32_t flags) {
  const Result created = BuildMenu(*this, *LayoutFor(kInGameMenuId), id, rect, parent, flags);
  if (created < 0) return created;
  for (const ui::MenuButton& entry : buttons) {
    if (entry.command == kCmdInGamePlayAgain) playAgainButton = entry.button.get();
    if (entry.command == kCmdInGameMainMenu) mainMenuButton = entry.button.get();
  }
  return S_OK;
}

void InGameMenuWindow::Ask(std::uint32_t queryId) {
  if (ui::IsAlive(question_)) return;  // one question at a time (a key may click behind an open one)
  auto box = std::make_unique<ui::MessageBox>();
  if (box->CreateFromSection(queryId, kQueryText, kQueryFlags, 0, ui::GuiSection("message_box_qerry")) < 0) return;
  box->commandTarget = this;
  question_ = ui::KeepUntilClosed(std::move(box));
}

InGameMenuWindow::~InGameMenuWindow() {
  if (ui::IsAlive(question_)) question_->Dismiss();
}

Result InGameMenuWindow::Notify(std::uint32_t code, std::intptr_t argument, std::uint32_t senderId) {
  if (code == ui::kNotifyClicked) {
    ui::Button* clicked = nullptr;
    for (ui::Button* b : {playAgainButton, mainMenuButton}) {
      if (b && b->id == senderId) clicked = b;
    }
    if (!clicked) return MenuWindow::Notify(code, argument, senderId);
    clicked->SetState(ui::kStatePressed, false);
    Ask(clicked == playAgainButton ? kPlayAgainQueryId : kMainMenuQueryId);
    return ui::kConsumed;
  }
  if (code == ui::kNotifyBoxClosed) {
    question_ = nullptr;
    const ui::Control* box = ui::ControlOf(argument);
    if (!box) return ui::kConsumed;
    const bool playAgain = box->id == kPlayAgainQueryId;
    if (senderId == ui::kBoxOk) {
      SendToParent(static_cast<std::uint32_t>(playAgain ? kCmdInGamePlayAgain : kCmdInGameMainMenu), 0, 0);
    } else if (senderId == ui::kBoxCancel) {
      if (ui::Button* b = playAgain ? playAgainButton : mainMenuButton) b->SetState(ui::kStateAppear, true);
    }
    return ui::kConsumed;
  }
  return MenuWindow::Notify(code, argument, senderId);
}

}  // namespace zelph::screens
