#include "app/sound_app_frame.h"

#include "sound/speaker_open.h"

namespace zelph::app {

using platform::Message;
namespace msg = platform::msg;

SoundAppFrame::SoundAppFrame(const AppConfig& config, const SoundConfig& soundConfig, FramePlatform platform,
                             FrameOptions options)
    : AppFrame(config, platform, std::move(options)),
      soundConfig_(soundConfig),
      speaker_(platform.speaker ? std::move(platform.speaker) : std::make_unique<platform::hssSpeaker>()) {}

int SoundAppFrame::AddActivationExemption(const char* className, const char* programPath) {
  if (!className) return 0;
  exemptClasses_.emplace_back(className);
  exemptPrograms_.emplace_back(programPath ? programPath : "");
  return 1;
}

bool SoundAppFrame::IsExempt(const platform::ForeignWindow& window) const {
  for (std::size_t i = 0; i < exemptClasses_.size(); ++i) {
    if (window.className == exemptClasses_[i] &&
        (exemptPrograms_[i].empty() || exemptPrograms_[i] == window.programPath)) {
      return true;
    }
  }
  return false;
}

Result SoundAppFrame::OnInitialize() {
  if (soundConfig_.sampleRate != 0) {
    // A speaker that does not open leaves the game silent rather than ending it: every clip checks it.
    sound::OpenSpeaker(speaker_.get(), soundConfig_.sampleRate, soundConfig_.bitsPerSample, soundConfig_.channelMode,
                       soundConfig_.musicChannels, soundConfig_.soundChannels);
  }
  // The desktop sends no storage-card notifications, so there is nothing to register for them.
  return S_OK;
}

void SoundAppFrame::OnExit() { speaker_->close(); }
void SoundAppFrame::OnMinimize() { speaker_->suspend(); }
void SoundAppFrame::OnRestore() { speaker_->resume(); }

Result SoundAppFrame::OnWheel(std::uint32_t, int, int, int, int) { return S_OK; }
Result SoundAppFrame::OnChar(std::uint32_t, std::intptr_t) { return S_OK; }

std::intptr_t SoundAppFrame::WindowProc(const Message& m) {
  switch (m.id) {
    case msg::kActivate:
      if ((m.wParam & 0xFFFF) == 0 && !config_.keepOnDeactivate) {
        // A foreign window took the screen: the game ends unless that window is one of the exempted ones.
        if (!IsExempt(window()->DescribeWindow(m.lParam))) Exit();
        return 0;
      }
      break;
    case msg::kWheel:
      if (!active_) break;
      {
        int delta = static_cast<std::int16_t>((m.wParam >> 16) & 0xFFFF);
        // The wheel turns at the pointer, which the tree hit-tests in display coordinates as it does the stylus.
        int x = platform::PointX(m.lParam), y = platform::PointY(m.lParam);
        display_->MapPoint(x, y);
        OnWheel(static_cast<std::uint32_t>(m.wParam & 0xFFFF), delta, x, y, delta / 120);
      }
      return 0;
    case msg::kChar:
      OnChar(static_cast<std::uint32_t>(m.wParam), m.lParam);
      return 0;
    default:
      break;
  }
  return AppFrame::WindowProc(m);
}

}  // namespace zelph::app
