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
  // libxmp keeps the length and loop of a sample whose data the file does not hold, and its invert-loop
  // effect (EFx) then writes through the missing data. Such a sample is made empty: silent, as it sounds.
  xmp_module_info info;
  xmp_get_module_info(loaded->context, &info);
  for (int i = 0; info.mod && i < info.mod->smp; ++i) {
    xmp_sample& sample = info.mod->xxs[i];
    if (sample.data) continue;
    sample.len = sample.lps = sample.lpe = 0;
    sample.flg &= ~(XMP_SAMPLE_LOOP | XMP_SAMPLE_LOOP_BIDIR | XMP_SAMPLE_LOOP_REVERSE | XMP_SAMPLE_LOOP_FULL |
                    XMP_SAMPLE_SLOOP | XMP_SAMPLE_SLOOP_BIDIR);
  }
  loaded->loop = loop_;
  data_ = std::move(loaded);
  return S_OK;
}

void hssMusic::loop(bool endless) {
  loop_ = endless;
  if (data_) data_->loop = endless;
}

}  // namespace zelph::platform
