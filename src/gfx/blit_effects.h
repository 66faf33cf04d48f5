// The colour effects of Blt (hue, colourise, multiply, screen, overlay) with their strength and opacity.
#pragma once

#include <cstdint>

#include "gfx/blit.h"
#include "gfx/blit_kernels.h"

namespace zelph::gfx::detail {

// E_INVALIDARG when no effect flag is present or the strength is above 255.
Result ValidateEffect(std::uint32_t flags, const BltFx& fx);

// The effect result e of one source pixel, before strength and opacity; for callers that need one pixel.
class EffectRule {
 public:
  EffectRule(std::uint32_t flags, const BltFx& fx);
  Pixel Apply(Pixel s) const;

 private:
  std::uint32_t effect_;  // the one effect flag that applies
  std::int32_t rt_, gt_, bt_;
  std::int32_t sin_ = 0, cos_ = 0;               // hue
  std::int32_t lt_ = 1, below_ = 0, above_ = 0;  // colourise quotients
};

void EffectRows(const kernels::RowSpan& span, std::uint32_t flags, const BltFx& fx, bool useKey, Pixel key);

}  // namespace zelph::gfx::detail
