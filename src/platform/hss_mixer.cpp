#include "platform/hss_mixer.h"

#include <algorithm>
#include <cstring>
#include <span>

namespace zelph::platform {
namespace {

constexpr int kMaxVolume = 64;
constexpr int kGainShift = 12;  // channel volume × master volume = 64 × 64 = 1 << 12 at full level

int ClampVolume(int volume) { return std::clamp(volume, 0, kMaxVolume); }

std::int32_t Clamp16(std::int32_t v) { return std::clamp<std::int32_t>(v, -32768, 32767); }

}  // namespace

void Mixer::Configure(const AudioFormat& format, int soundChannels, int musicChannels) {
  std::lock_guard lock(mutex_);
  format_ = format;
  soundChannels_ = soundChannels;
  voices_.assign(static_cast<std::size_t>(soundChannels + musicChannels), Voice{});
}

void Mixer::Reset() {
  std::lock_guard lock(mutex_);
  format_ = AudioFormat{};
  soundChannels_ = 0;
  voices_.clear();
}

void Mixer::SetSuspended(bool suspended) {
  std::lock_guard lock(mutex_);
  suspended_ = suspended;
}

void Mixer::SetSoundMaster(int volume) {
  std::lock_guard lock(mutex_);
  soundMaster_ = ClampVolume(volume);
}

void Mixer::SetMusicMaster(int volume) {
  std::lock_guard lock(mutex_);
  musicMaster_ = ClampVolume(volume);
}

int Mixer::SoundMaster() const {
  std::lock_guard lock(mutex_);
  return soundMaster_;
}

int Mixer::MusicMaster() const {
  std::lock_guard lock(mutex_);
  return musicMaster_;
}

void Mixer::Render(std::uint8_t* buffer, int bytes) {
  std::lock_guard lock(mutex_);
  int frameBytes = format_.BytesPerFrame();
  std::memset(buffer, format_.bits == 8 ? 0x80 : 0, static_cast<std::size_t>(bytes));
  if (voices_.empty() || frameBytes <= 0 || suspended_) return;
  int frames = bytes / frameBytes;
  accum_.assign(static_cast<std::size_t>(frames) * 2, 0);

  for (Voice& voice : voices_) {
    if (voice.kind == Kind::kFree || voice.paused) continue;
    if (voice.kind == Kind::kSound) {
      if (auto data = voice.sound.lock()) {
        MixSound(voice, *data, frames);
      } else {
        Free(voice);
      }
    } else if (auto data = voice.music.lock()) {
      MixMusic(voice, *data, frames);
    } else {
      Free(voice);
    }
  }

  for (int i = 0; i < frames; ++i) {
    std::int32_t left = accum_[2 * i];
    std::int32_t right = accum_[2 * i + 1];
    std::int32_t out[2] = {Clamp16(left), Clamp16(right)};
    if (format_.channels == 1) out[0] = Clamp16((left + right) / 2);
    for (int c = 0; c < format_.channels; ++c) {
      if (format_.bits == 8) {
        buffer[i * frameBytes + c] = static_cast<std::uint8_t>((out[c] >> 8) + 128);
      } else {
        auto sample = static_cast<std::int16_t>(out[c]);
        std::memcpy(buffer + i * frameBytes + 2 * c, &sample, sizeof sample);
      }
    }
  }
}

void Mixer::MixSound(Voice& voice, SoundData& data, int frames) {
  const PcmData& pcm = data.pcm;
  const std::size_t count = pcm.frames();
  const std::uint64_t end = static_cast<std::uint64_t>(count) << 16;
  const bool loop = data.loop.load();
  const std::int32_t gain = voice.volume * soundMaster_;
  const std::int16_t* s = pcm.samples.data();
  const int stride = pcm.channels;
  for (int i = 0; i < frames; ++i) {
    if (voice.position >= end) {
      if (!loop) {
        Free(voice);
        return;
      }
      voice.position %= end;
    }
    std::size_t at = static_cast<std::size_t>(voice.position >> 16);
    std::size_t next = at + 1 < count ? at + 1 : (loop ? 0 : at);
    std::int32_t frac = static_cast<std::int32_t>(voice.position & 0xFFFF);
    // Linear interpolation between neighbouring frames; exact when the rates are equal.
    auto pick = [&](int c) {
      std::int32_t a = s[at * stride + c];
      std::int32_t b = s[next * stride + c];
      return a + static_cast<std::int32_t>((static_cast<std::int64_t>(b - a) * frac) >> 16);
    };
    std::int32_t left = pick(0);
    std::int32_t right = stride == 2 ? pick(1) : left;
    accum_[2 * i] += (left * gain) >> kGainShift;
    accum_[2 * i + 1] += (right * gain) >> kGainShift;
    voice.position += voice.step;
  }
}

void Mixer::MixMusic(Voice& voice, MusicData& data, int frames) {
  const std::int32_t gain = voice.volume * musicMaster_;
  const bool loop = data.loop.load();
  int done = 0;
  while (done < frames) {
    if (voice.pendingPos >= voice.pending.size()) {
      // The player renders a stretch at a time; keep what this call does not use for the next one.
      std::span<const std::int16_t> stretch = data.player->Next(loop);
      if (stretch.size() < 2) {
        Free(voice);
        return;
      }
      voice.pending.assign(stretch.begin(), stretch.begin() + stretch.size() / 2 * 2);
      voice.pendingPos = 0;
    }
    std::size_t available = (voice.pending.size() - voice.pendingPos) / 2;
    int n = static_cast<int>(std::min<std::size_t>(available, static_cast<std::size_t>(frames - done)));
    const std::int16_t* p = voice.pending.data() + voice.pendingPos;
    for (int k = 0; k < n; ++k) {
      accum_[2 * (done + k)] += (p[2 * k] * gain) >> kGainShift;
      accum_[2 * (done + k) + 1] += (p[2 * k + 1] * gain) >> kGainShift;
    }
    voice.pendingPos += static_cast<std::size_t>(n) * 2;
    done += n;
  }
}

int Mixer::StartSound(const hssSound* owner, const std::shared_ptr<SoundData>& data) {
  std::lock_guard lock(mutex_);
  if (voices_.empty()) return E_FAIL;
  if (!data || data->pcm.frames() == 0) return E_INVALIDARG;
  for (int i = 0; i < soundChannels_; ++i) {
    Voice& voice = voices_[i];
    if (Alive(voice)) continue;
    Free(voice);
    voice.kind = Kind::kSound;
    voice.owner = owner;
    voice.sound = data;
    voice.volume = kMaxVolume;
    voice.position = 0;
    voice.step =
        (static_cast<std::uint64_t>(data->pcm.rate) << 16) / static_cast<std::uint64_t>(format_.rate);
    return i;
  }
  return E_FAIL;
}

int Mixer::StartMusic(const hssMusic* owner, const std::shared_ptr<MusicData>& data) {
  std::lock_guard lock(mutex_);
  if (voices_.empty()) return E_FAIL;
  if (!data || !data->player) return E_INVALIDARG;
  const int count = static_cast<int>(voices_.size());
  // A module has one player, so playing it again restarts it on a fresh channel.
  for (int i = soundChannels_; i < count; ++i) {
    if (voices_[i].kind == Kind::kMusic && voices_[i].music.lock() == data) Free(voices_[i]);
  }
  for (int i = soundChannels_; i < count; ++i) {
    Voice& voice = voices_[i];
    if (Alive(voice)) continue;
    Free(voice);
    if (Failed(data->player->Start(format_.rate))) return E_FAIL;
    voice.kind = Kind::kMusic;
    voice.owner = owner;
    voice.music = data;
    voice.volume = kMaxVolume;
    return i;
  }
  return E_FAIL;
}

Mixer::Voice* Mixer::At(int channel) {
  if (channel < 0 || channel >= static_cast<int>(voices_.size())) return nullptr;
  return &voices_[channel];
}

const Mixer::Voice* Mixer::At(int channel) const {
  if (channel < 0 || channel >= static_cast<int>(voices_.size())) return nullptr;
  return &voices_[channel];
}

bool Mixer::Alive(const Voice& voice) const {
  switch (voice.kind) {
    case Kind::kSound:
      return !voice.sound.expired();
    case Kind::kMusic:
      return !voice.music.expired();
    case Kind::kFree:
      break;
  }
  return false;
}

void Mixer::Free(Voice& voice) {
  voice.kind = Kind::kFree;
  voice.paused = false;
  voice.owner = nullptr;
  voice.sound.reset();
  voice.music.reset();
  voice.pending.clear();
  voice.pendingPos = 0;
}

int Mixer::ChannelCount() const {
  std::lock_guard lock(mutex_);
  return static_cast<int>(voices_.size());
}

void Mixer::Stop(int channel) {
  std::lock_guard lock(mutex_);
  if (Voice* voice = At(channel)) Free(*voice);
}

void Mixer::Pause(int channel) {
  std::lock_guard lock(mutex_);
  if (Voice* voice = At(channel); voice && Alive(*voice)) voice->paused = true;
}

void Mixer::Resume(int channel) {
  std::lock_guard lock(mutex_);
  if (Voice* voice = At(channel)) voice->paused = false;
}

bool Mixer::Playing(int channel) const {
  std::lock_guard lock(mutex_);
  const Voice* voice = At(channel);
  return voice && Alive(*voice) && !voice->paused;
}

bool Mixer::Paused(int channel) const {
  std::lock_guard lock(mutex_);
  const Voice* voice = At(channel);
  return voice && Alive(*voice) && voice->paused;
}

void Mixer::SetVolume(int channel, int volume) {
  std::lock_guard lock(mutex_);
  if (Voice* voice = At(channel)) voice->volume = ClampVolume(volume);
}

int Mixer::Volume(int channel) const {
  std::lock_guard lock(mutex_);
  const Voice* voice = At(channel);
  return voice ? voice->volume : 0;
}

const hssSound* Mixer::SoundOf(int channel) const {
  std::lock_guard lock(mutex_);
  const Voice* voice = At(channel);
  if (!voice || voice->kind != Kind::kSound || voice->sound.expired()) return nullptr;
  return static_cast<const hssSound*>(voice->owner);
}

const hssMusic* Mixer::MusicOf(int channel) const {
  std::lock_guard lock(mutex_);
  const Voice* voice = At(channel);
  if (!voice || voice->kind != Kind::kMusic || voice->music.expired()) return nullptr;
  return static_cast<const hssMusic*>(voice->owner);
}

}  // namespace zelph::platform
