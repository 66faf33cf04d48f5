// Sound effects and music modules straight from a pack into the sound library: the first byte picks WAVE or
// module, the rest is the data. Whatever loads is also played for a while, through the resampler and
// libxmp's player, into a pulled mix.
#include <cstddef>
#include <cstdint>
#include <memory>

#include "platform/hss_speaker.h"
#include "platform/xmp/xmp_module.h"

using namespace zelph::platform;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  if (size < 1) return 0;
  InstallModuleReader(ReadXmpModule);
  auto pulled = std::make_unique<PulledAudioOutput>();
  PulledAudioOutput* output = pulled.get();
  hssSpeaker speaker(std::move(pulled));
  if (speaker.open(22050, 16, true, 1, 4) != 0) return 0;
  bool music = data[0] & 1;
  hssSound sound;
  hssMusic module;
  if (music) {
    if (module.load(data + 1, size - 1, false) != 0) return 0;
    module.loop(data[0] & 2);
    speaker.playMusic(&module, kHssPlayAnyChannel);
  } else {
    if (sound.load(data + 1, size - 1, false) != 0) return 0;
    sound.loop(data[0] & 2);
    speaker.playSound(&sound, kHssPlayAnyChannel);
  }
  for (int i = 0; i < 4; ++i) output->Pull(2048);
  return 0;
}
