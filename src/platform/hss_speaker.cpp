#include "platform/hss_speaker.h"

#include "platform/hss_mixer.h"

namespace zelph::platform {

hssSpeaker::hssSpeaker() : hssSpeaker(nullptr) {}

hssSpeaker::hssSpeaker(std::unique_ptr<AudioOutput> output)
    : output_(std::move(output)), mixer_(std::make_unique<Mixer>()) {}

hssSpeaker::~hssSpeaker() { close(); }

Result hssSpeaker::open(int rate, int bits, bool stereo, int musicChannels, int soundChannels) {
  close();
  if (rate < kHssMinRate || rate > kHssMaxRate || (bits != 8 && bits != 16) || musicChannels < 0 ||
      musicChannels > kHssMaxMusicChannels || soundChannels < 1 || soundChannels > kHssMaxSoundChannels) {
    return E_INVALIDARG;
  }
  if (!output_) return E_FAIL;
  AudioFormat format{rate, bits, stereo ? 2 : 1};
  // The mixer is ready before the device starts asking for samples.
  mixer_->Configure(format, soundChannels, musicChannels);
  Mixer* mixer = mixer_.get();
  if (Failed(output_->Open(format,
                           [mixer](std::uint8_t* buffer, int bytes) { mixer->Render(buffer, bytes); }))) {
    mixer_->Reset();
    return E_FAIL;
  }
  if (suspended_) output_->SetPaused(true);
  channels_.clear();
  for (int i = 0; i < soundChannels + musicChannels; ++i) channels_.emplace_back(mixer, i);
  open_ = true;
  return S_OK;
}

void hssSpeaker::close() {
  if (!open_) return;
  output_->Close();
  mixer_->Reset();
  channels_.clear();
  open_ = false;
}

void hssSpeaker::suspend() {
  suspended_ = true;
  mixer_->SetSuspended(true);
  if (open_) output_->SetPaused(true);
}

void hssSpeaker::resume() {
  suspended_ = false;
  mixer_->SetSuspended(false);
  if (open_) output_->SetPaused(false);
}

void hssSpeaker::volumeSounds(int volume) { mixer_->SetSoundMaster(volume); }
int hssSpeaker::volumeSounds() const { return mixer_->SoundMaster(); }
void hssSpeaker::volumeMusics(int volume) { mixer_->SetMusicMaster(volume); }
int hssSpeaker::volumeMusics() const { return mixer_->MusicMaster(); }

int hssSpeaker::playSound(hssSound* sound, std::uint32_t /*flags*/) {
  if (!open_) return E_FAIL;
  if (!sound || !sound->loaded()) return E_INVALIDARG;
  return mixer_->StartSound(sound, sound->data());
}

int hssSpeaker::playMusic(hssMusic* music, std::uint32_t /*flags*/) {
  if (!open_) return E_FAIL;
  if (!music || !music->loaded()) return E_INVALIDARG;
  return mixer_->StartMusic(music, music->data());
}

hssChannel* hssSpeaker::channel(int index) {
  if (!open_ || index < 0 || index >= static_cast<int>(channels_.size())) return nullptr;
  return &channels_[index];
}

}  // namespace zelph::platform
