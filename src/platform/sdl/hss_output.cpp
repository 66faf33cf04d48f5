#include "platform/sdl/hss_output.h"

#include <SDL.h>

namespace zelph::platform {
namespace {

// About 23 ms at the game's 22050 Hz: short enough for effects to follow the action.
constexpr Uint16 kDeviceBufferFrames = 512;

class SdlAudioOutput : public AudioOutput {
 public:
  ~SdlAudioOutput() override { Close(); }

  Result Open(const AudioFormat& format, Render render) override {
    Close();
    if (SDL_InitSubSystem(SDL_INIT_AUDIO) != 0) return E_FAIL;
    render_ = std::move(render);
    SDL_AudioSpec want{};
    want.freq = format.rate;
    want.format = format.bits == 8 ? AUDIO_U8 : AUDIO_S16SYS;
    want.channels = static_cast<Uint8>(format.channels);
    want.samples = kDeviceBufferFrames;
    want.callback = &SdlAudioOutput::Callback;
    want.userdata = this;
    SDL_AudioSpec have{};
    // No changes allowed: SDL converts to whatever the hardware wants, so the mixer always sees this format.
    device_ = SDL_OpenAudioDevice(nullptr, 0, &want, &have, 0);
    if (device_ == 0) {
      render_ = nullptr;
      SDL_QuitSubSystem(SDL_INIT_AUDIO);
      return E_FAIL;
    }
    SDL_PauseAudioDevice(device_, 0);
    return S_OK;
  }

  void Close() override {
    if (device_ == 0) return;
    SDL_CloseAudioDevice(device_);  // waits for a running callback
    device_ = 0;
    render_ = nullptr;
    SDL_QuitSubSystem(SDL_INIT_AUDIO);
  }

  void SetPaused(bool paused) override {
    if (device_ != 0) SDL_PauseAudioDevice(device_, paused ? 1 : 0);
  }

 private:
  static void SDLCALL Callback(void* self, Uint8* stream, int bytes) {
    static_cast<SdlAudioOutput*>(self)->render_(stream, bytes);
  }

  SDL_AudioDeviceID device_ = 0;
  Render render_;
};

}  // namespace

std::unique_ptr<AudioOutput> MakeSdlAudioOutput() { return std::make_unique<SdlAudioOutput>(); }

Result PulledAudioOutput::Open(const AudioFormat& format, Render render) {
  if (format.bits == refusedBits_) return E_FAIL;
  format_ = format;
  render_ = std::move(render);
  paused_ = false;
  return S_OK;
}

void PulledAudioOutput::Close() { render_ = nullptr; }

std::vector<std::uint8_t> PulledAudioOutput::Pull(int frames) {
  std::vector<std::uint8_t> out;
  if (!render_ || paused_ || frames <= 0) return out;
  out.resize(static_cast<std::size_t>(frames) * format_.BytesPerFrame());
  render_(out.data(), static_cast<int>(out.size()));
  return out;
}

}  // namespace zelph::platform
