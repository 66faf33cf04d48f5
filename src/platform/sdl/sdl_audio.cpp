#include "platform/sdl/sdl_audio.h"

#include <SDL.h>

#include "platform/sdl/sdl_ptrs.h"

namespace zelph::platform {
namespace {

// About 23 ms at the game's 22050 Hz: short enough for effects to follow the action.
constexpr Uint16 kDeviceBufferFrames = 512;

class SdlAudioOutput : public AudioOutput {
 public:
  ~SdlAudioOutput() override { Close(); }

  Result Open(const AudioFormat& format, Render render) override {
    Close();
    SdlSubsystems audio = StartSdlSubsystems(SDL_INIT_AUDIO);
    if (!audio) return E_FAIL;
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
    SdlAudioDevice device(SDL_OpenAudioDevice(nullptr, 0, &want, &have, 0));
    if (!device) {
      render_ = nullptr;
      return E_FAIL;
    }
    audio_ = std::move(audio);
    device_ = std::move(device);
    SDL_PauseAudioDevice(device_.get(), 0);
    return S_OK;
  }

  void Close() override {
    device_.reset();  // waits for a running callback, which uses render_
    render_ = nullptr;
    audio_.reset();
  }

  void SetPaused(bool paused) override {
    if (device_) SDL_PauseAudioDevice(device_.get(), paused ? 1 : 0);
  }

 private:
  static void SDLCALL Callback(void* self, Uint8* stream, int bytes) {
    static_cast<SdlAudioOutput*>(self)->render_(stream, bytes);
  }

  Render render_;
  SdlSubsystems audio_;
  SdlAudioDevice device_;
};

}  // namespace

std::unique_ptr<AudioOutput> MakeSdlAudioOutput() { return std::make_unique<SdlAudioOutput>(); }

}  // namespace zelph::platform
