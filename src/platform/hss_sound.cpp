#include "platform/hss_sound.h"

#include <new>

#include "platform/hss_mixer.h"

namespace zelph::platform {

hssSound::hssSound() = default;
hssSound::~hssSound() = default;

Result hssSound::load(const void* data, std::size_t size, bool /*copyData*/) {
  data_.reset();
  auto loaded = std::shared_ptr<SoundData>(new (std::nothrow) SoundData);
  if (!loaded) return E_OUTOFMEMORY;
  if (Result r = DecodeWav(data, size, &loaded->pcm); Failed(r)) return r;
  loaded->loop = loop_;
  data_ = std::move(loaded);
  return S_OK;
}

void hssSound::loop(bool endless) {
  loop_ = endless;
  if (data_) data_->loop = endless;
}

}  // namespace zelph::platform
