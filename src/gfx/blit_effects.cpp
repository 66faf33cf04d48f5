#include "gfx/blit_effects.h"

#include <algorithm>
#include <cmath>
#include <numbers>

namespace zelph::gfx::detail {
namespace {

constexpr std::uint32_t kEffectOrder[] = {kBltHue, kBltColorize, kBltMultiply, kBltScreen, kBltOverlay};

std::uint32_t FirstEffect(std::uint32_t flags) {
  for (std::uint32_t e : kEffectOrder) {
    if (flags & e) return e;
  }
  return 0;
}

Pixel Pack8(std::int32_t r, std::int32_t g, std::int32_t b) {
  r = std::clamp(r, 0, 255);
  g = std::clamp(g, 0, 255);
  b = std::clamp(b, 0, 255);
  return static_cast<Pixel>((r >> 3) << 11 | (g >> 2) << 5 | (b >> 3));
}

std::int32_t Luma(std::int32_t r, std::int32_t g, std::int32_t b) { return (76 * r + 150 * g + 29 * b) >> 8; }

}  // namespace

Result ValidateEffect(std::uint32_t flags, const BltFx& fx) {
  if (FirstEffect(flags) == 0) return E_INVALIDARG;
  if ((flags & kBltStrength) && fx.strength > 255) return E_INVALIDARG;
  return S_OK;
}

EffectRule::EffectRule(std::uint32_t flags, const BltFx& fx)
    : effect_(FirstEffect(flags)),
      rt_(static_cast<std::int32_t>(fx.effectColor & 0xFF)),
      gt_(static_cast<std::int32_t>((fx.effectColor >> 8) & 0xFF)),
      bt_(static_cast<std::int32_t>((fx.effectColor >> 16) & 0xFF)) {
  if (effect_ == kBltHue && fx.angle >= -180 && fx.angle <= 180) {
    // Outside the range both stay 0 and the picture turns grey.
    const double radians = fx.angle * std::numbers::pi / 180.0;
    sin_ = static_cast<std::int32_t>(std::sin(radians) * 256.0);
    cos_ = static_cast<std::int32_t>(std::cos(radians) * 256.0);
  }
  if (effect_ == kBltColorize) {
    // Lt is at most 254, so 255 - Lt never divides by zero.
    lt_ = std::max(1, Luma(rt_, gt_, bt_));
    below_ = 65536 / lt_;
    above_ = 65536 / (255 - lt_);
  }
}

Pixel EffectRule::Apply(Pixel s) const {
  const std::int32_t r5 = s >> 11, g6 = (s >> 5) & 0x3F, b5 = s & 0x1F;
  const std::int32_t r = r5 << 3, g = g6 << 2, b = b5 << 3;
  switch (effect_) {
    case kBltHue: {
      const std::int32_t y = Luma(r, g, b);
      const std::int32_t u = (228 * b - 77 * r - 151 * g) >> 8;
      const std::int32_t v = (179 * r - 151 * g - 28 * b) >> 8;
      const std::int32_t v2 = (sin_ * u + cos_ * v) >> 8;
      const std::int32_t u2 = (cos_ * u - sin_ * v) >> 8;
      return Pack8(y + v2, y + ((-49 * u2 - 131 * v2) >> 8), y + u2);
    }
    case kBltColorize: {
      const std::int32_t l = Luma(r, g, b);
      auto channel = [&](std::int32_t t) {
        if (l < lt_) return (t * below_ * l) >> 16;
        return t + (((255 - t) * ((l - lt_) * above_)) >> 16);
      };
      return Pack8(channel(rt_), channel(gt_), channel(bt_));
    }
    case kBltMultiply:
      return static_cast<Pixel>(((rt_ * r5) >> 8) << 11 | ((gt_ * g6) >> 8) << 5 | ((bt_ * b5) >> 8));
    case kBltScreen:
      return static_cast<Pixel>((31 - (((255 - r) * (255 - rt_)) >> 11)) << 11 |
                                (63 - (((255 - g) * (255 - gt_)) >> 10)) << 5 |
                                (31 - (((255 - b) * (255 - bt_)) >> 11)));
    case kBltOverlay: {
      const std::int32_t ro = (r5 & 0x10) ? 31 - (((255 - r) * (255 - rt_)) >> 10) : (rt_ * r5) >> 7;
      const std::int32_t go = (g6 & 0x20) ? 63 - (((255 - g) * (255 - gt_)) >> 9) : (gt_ * g6) >> 7;
      const std::int32_t bo = (b5 & 0x10) ? 31 - (((255 - b) * (255 - bt_)) >> 10) : (bt_ * b5) >> 7;
      return static_cast<Pixel>(ro << 11 | go << 5 | bo);
    }
    default:
      return s;
  }
}

void EffectRows(const kernels::RowSpan& span, std::uint32_t flags, const BltFx& fx, bool useKey, Pixel key) {
  const EffectRule rule(flags, fx);
  const bool strength = flags & kBltStrength;
  const bool opacity = flags & kBltOpacity;
  Pixel* dRow = span.dest;
  const Pixel* sRow = span.src;
  for (std::int32_t y = 0; y < span.height; ++y, dRow += span.destPitch, sRow += span.srcPitch) {
    for (std::int32_t i = 0; i < span.width; ++i) {
      const Pixel s = sRow[i];
      if (useKey && s == key) continue;
      Pixel e = rule.Apply(s);
      if (strength) e = BlendOpacity(e, s, fx.strength);
      dRow[i] = opacity ? BlendOpacity(e, dRow[i], fx.opacity) : e;
    }
  }
}

}  // namespace zelph::gfx::detail
