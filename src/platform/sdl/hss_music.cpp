#include "platform/sdl/hss_music.h"

#include <limits>
#include <new>

#include "platform/sdl/hss_mixer.h"

namespace zelph::platform {

hssMusic::hssMusic() = default;
hssMusic::~hssMusic() = default;

Result hssMusic::load(const void* data, std::size_t size, bool /*copyData*/) {
  data_.reset();
  if (!data || size == 0 || size > static_cast<std::size_t>(std::numeric_limits<long>::max())) {
    return E_INVALIDARG;
  }
  auto loaded = std::shared_ptr<MusicData>(new (std::nothrow) MusicData);
  if (!loaded || !loaded->context) return E_OUTOFMEMORY;
  int r = xmp_load_module_from_memory(loaded->context, data, static_cast<long>(size));
  if (r == -XMP_ERROR_SYSTEM) return E_OUTOFMEMORY;
  if (r != 0) return E_INVALIDARG;
  loaded->loop = loop_;
  data_ = std::move(loaded);
  return S_OK;
}

void hssMusic::loop(bool endless) {
  loop_ = endless;
  if (data_) data_->loop = endless;
}

}  // namespace zelph::platform
