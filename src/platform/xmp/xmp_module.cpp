#include "platform/xmp/xmp_module.h"

#include <xmp.h>

#include <limits>
#include <new>

namespace zelph::platform {
namespace {

class XmpPlayer final : public ModulePlayer {
 public:
  XmpPlayer() : context_(xmp_create_context()) {}
  ~XmpPlayer() override {
    if (!context_) return;
    if (started_) xmp_end_player(context_);
    xmp_free_context(context_);  // also releases the module
  }
  XmpPlayer(const XmpPlayer&) = delete;
  XmpPlayer& operator=(const XmpPlayer&) = delete;

  bool valid() const { return context_ != nullptr; }

  Result Load(const void* data, std::size_t size) {
    int r = xmp_load_module_from_memory(context_, data, static_cast<long>(size));
    if (r == -XMP_ERROR_SYSTEM) return E_OUTOFMEMORY;
    if (r != 0) return E_INVALIDARG;
    // libxmp keeps the length and loop of a sample whose data the file does not hold, and its invert-loop
    // effect (EFx) then writes through the missing data. Such a sample is made empty: silent, as it sounds.
    xmp_module_info info;
    xmp_get_module_info(context_, &info);
    for (int i = 0; info.mod && i < info.mod->smp; ++i) {
      xmp_sample& sample = info.mod->xxs[i];
      if (sample.data) continue;
      sample.len = sample.lps = sample.lpe = 0;
      sample.flg &= ~(XMP_SAMPLE_LOOP | XMP_SAMPLE_LOOP_BIDIR | XMP_SAMPLE_LOOP_REVERSE | XMP_SAMPLE_LOOP_FULL |
                      XMP_SAMPLE_SLOOP | XMP_SAMPLE_SLOOP_BIDIR);
    }
    return S_OK;
  }

  Result Start(int rate) override {
    if (started_) xmp_end_player(context_);
    started_ = xmp_start_player(context_, rate, 0) == 0;
    return started_ ? S_OK : E_FAIL;
  }

  std::span<const std::int16_t> Next(bool endless) override {
    // libxmp renders one tick at a time.
    if (!started_ || xmp_play_frame(context_) != 0) return {};
    xmp_frame_info info;
    xmp_get_frame_info(context_, &info);
    if ((!endless && info.loop_count > 0) || !info.buffer || info.buffer_size < 4) return {};
    return {static_cast<const std::int16_t*>(info.buffer),
            static_cast<std::size_t>(info.buffer_size / 4) * 2};
  }

 private:
  xmp_context context_;
  bool started_ = false;
};

}  // namespace

Result ReadXmpModule(const void* data, std::size_t size, std::unique_ptr<ModulePlayer>* player) {
  if (!data || size == 0 || size > static_cast<std::size_t>(std::numeric_limits<long>::max()) || !player) {
    return E_INVALIDARG;
  }
  auto loaded = std::unique_ptr<XmpPlayer>(new (std::nothrow) XmpPlayer);
  if (!loaded || !loaded->valid()) return E_OUTOFMEMORY;
  if (Result r = loaded->Load(data, size); Failed(r)) return r;
  *player = std::move(loaded);
  return S_OK;
}

}  // namespace zelph::platform
