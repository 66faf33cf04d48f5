#include "sound/sound_clip.h"

namespace zelph::sound {

SoundClip::SoundClip() : sound_(SoundDataCache()), music_(MusicDataCache()) {}

}  // namespace zelph::sound
