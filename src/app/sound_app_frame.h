// The frame's second layer: the sound output, the windows that may take activation without ending the game,
// and the character and wheel messages.
#pragma once

#include <string>
#include <vector>

#include "app/app_frame.h"

namespace zelph::app {

class SoundAppFrame : public AppFrame {
 public:
  SoundAppFrame(const AppConfig& config, const SoundConfig& soundConfig, FramePlatform platform,
                FrameOptions options = {});

  // Returns 1, or 0 when the class name is null. A null path matches any program.
  int AddActivationExemption(const char* className, const char* programPath);
  bool IsExempt(const platform::ForeignWindow& window) const;

  Result OnInitialize() override;
  void OnExit() override;
  void OnMinimize() override;
  void OnRestore() override;
  std::intptr_t WindowProc(const platform::Message& message) override;
  virtual Result OnWheel(std::uint32_t keyState, int delta, int x, int y, int notches);  // 23
  virtual Result OnChar(std::uint32_t character, std::intptr_t keyData);               // 24

  const SoundConfig& soundConfig() const { return soundConfig_; }
  platform::hssSpeaker& speaker() { return *speaker_; }

 protected:
  SoundConfig soundConfig_;
  std::unique_ptr<platform::hssSpeaker> speaker_;
  std::vector<std::string> exemptClasses_;
  std::vector<std::string> exemptPrograms_;
};

}  // namespace zelph::app
