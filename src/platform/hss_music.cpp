#include "platform/hss_music.h"

#include <new>

#include "platform/hss_mixer.h"

namespace zelph::platform {

hssMusic::hssMusic() = default;
hssMusic::~hssMusic() = default;

Result hssMusic::load(const void* data, std::size_t size, bool /*copyData*/) {
  data_.reset();
  if (!data || size == 0) return E_INVALIDARG;
  ModuleReader reader = InstalledModuleReader();
  if (!reader) return E_FAIL;
  auto loaded = std::shared_ptr<MusicData>(new (std::nothrow) MusicData);
  if (!loaded) return E_OUTOFMEMORY;
  if (Result r = reader(data, size, &loaded->player); Failed(r)) return r;
  if (!loaded->player) return E_FAIL;
  loaded->loop = loop_;
  data_ = std::move(loaded);
  return S_OK;
}

void hssMusic::loop(bool endless) {
  loop_ = endless;
  if (data_) data_->loop = endless;
}

}  // namespace zelph::platform
