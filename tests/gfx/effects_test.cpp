#include <gtest/gtest.h>

#include <random>

#include "gfx/blit.h"
#include "gfx/blit_effects.h"
#include "reference.h"

namespace zelph::gfx {
namespace {

Pixel Effect(std::uint32_t flags, Pixel s, Color target = 0, std::int32_t angle = 0) {
  BltFx fx;
  fx.effectColor = target;
  fx.angle = angle;
  return detail::EffectRule(flags, fx).Apply(s);
}

// Values worked out by hand from the effect table.
TEST(Effects, KnownValues) {
  // Multiply: white keeps (255 * v) >> 8 of each channel, black clears it.
  EXPECT_EQ(Effect(kBltMultiply, 0xFFFF, 0xFFFFFF), (30 << 11) | (62 << 5) | 30);
  EXPECT_EQ(Effect(kBltMultiply, 0xFFFF, 0), 0);
  // Screen: black leaves black black, white makes everything white.
  EXPECT_EQ(Effect(kBltScreen, 0x0000, 0x000000), 0);
  EXPECT_EQ(Effect(kBltScreen, 0x1234, 0xFFFFFF), 0xFFFF);
  // Overlay: dark channels (top bit clear) scale by T/128, bright ones screen at double strength.
  EXPECT_EQ(Effect(kBltOverlay, (15 << 11) | (31 << 5) | 15, 0x808080),
            ((128 * 15 >> 7) << 11) | ((128 * 31 >> 7) << 5) | (128 * 15 >> 7));
  EXPECT_EQ(Effect(kBltOverlay, 0xFFFF, 0x000000),
            ((31 - (7 * 255 >> 10)) << 11) | ((63 - (3 * 255 >> 9)) << 5) | (31 - (7 * 255 >> 10)));
  // Hue: grey has no colour to turn; Y = 255 * 128 >> 8 = 127 in every channel.
  EXPECT_EQ(Effect(kBltHue, 0x8410, 0, 90), 0x7BEF);
  // Outside -180..180 the picture turns grey: pure red has Y = 76 * 248 >> 8 = 73.
  EXPECT_EQ(Effect(kBltHue, 0xF800, 0, 181), (9 << 11) | (18 << 5) | 9);
  // Half a turn sends red towards cyan: red falls, green and blue rise.
  const Pixel turned = Effect(kBltHue, 0xF800, 0, 180);
  EXPECT_LT(turned >> 11, 16);
  EXPECT_GT((turned >> 5) & 0x3F, 16);
  // Colourise towards white (Lt = 254): white (248, 252, 248; L = 249) gets 255 * (65536 / 254) * 249 >> 16
  // = 249 in every channel.
  EXPECT_EQ(Effect(kBltColorize, 0xFFFF, 0xFFFFFF), (31 << 11) | (62 << 5) | 31);
  // A luma above the target's: T + (255 - T) * ((L - Lt) * (65536 / (255 - Lt))) >> 16. Target 0x000080
  // (red 128): Lt = 76 * 128 >> 8 = 38; white: red 128 + 127 * (211 * 302) >> 16 = 251, green and blue
  // 0 + 255 * 63722 >> 16 = 247.
  EXPECT_EQ(Effect(kBltColorize, 0xFFFF, 0x000080), (31 << 11) | (61 << 5) | 30);
  // Towards black (Lt at least 1): everything brighter ends at 0 + (255 - 0) * ... = a grey of its luma.
  EXPECT_EQ(Effect(kBltColorize, 0x0000, 0x000000), 0);
  // The first effect in the order hue, colourise, multiply, screen, overlay wins.
  EXPECT_EQ(Effect(kBltHue | kBltMultiply, 0x8410, 0), 0x7BEF);
  EXPECT_EQ(Effect(kBltColorize | kBltScreen, 0x0000, 0x000000), 0);
}

TEST(Effects, ArgumentsAreChecked) {
  ref::OpenContext open;
  Surface dest{open.context}, src{open.context};
  ASSERT_EQ(dest.CreateSurface(0, 4, 4), S_OK);
  ASSERT_EQ(src.CreateSurface(0, 4, 4), S_OK);
  BltFx fx;
  EXPECT_EQ(Blt(dest, 0, 0, &src, nullptr, kBltStrength, &fx), E_INVALIDARG);  // strength without an effect
  EXPECT_EQ(Blt(dest, 0, 0, &src, nullptr, kBltMultiply, nullptr), E_INVALIDARG);
  fx.strength = 256;
  EXPECT_EQ(Blt(dest, 0, 0, &src, nullptr, kBltMultiply | kBltStrength, &fx), E_INVALIDARG);
  fx.strength = 255;
  EXPECT_EQ(Blt(dest, 0, 0, &src, nullptr, kBltMultiply | kBltStrength, &fx), S_OK);
}

// Key, strength and opacity around the effect: random pictures against the reference composition.
TEST(Effects, StrengthOpacityAndKeyComposeAsSpecified) {
  ref::OpenContext open;
  std::mt19937 rng(31);
  constexpr std::uint32_t kEffects[] = {kBltHue, kBltColorize, kBltMultiply, kBltScreen, kBltOverlay};
  for (int round = 0; round < 400; ++round) {
    Surface dest{open.context}, src{open.context};
    const int w = 1 + static_cast<int>(rng() % 30), h = 1 + static_cast<int>(rng() % 6);
    ASSERT_EQ(dest.CreateSurface(0, w, h), S_OK);
    ASSERT_EQ(src.CreateSurface(0, w, h), S_OK);
    ref::Randomize(dest, rng);
    ref::Randomize(src, rng);
    src.SetColorKey(kMagenta);
    std::uint32_t flags = kEffects[rng() % 5] | (rng() % 8);  // 0x002 is ignored among effects
    if (rng() % 2) flags |= kBltStrength;
    if (rng() % 4 == 0) flags |= kEffects[rng() % 5];
    BltFx fx;
    fx.effectColor = rng() & 0xFFFFFF;
    fx.angle = static_cast<std::int32_t>(rng() % 400) - 200;
    fx.strength = rng() % 3 == 0 ? 128 : rng() % 256;
    fx.opacity = rng() % 3 == 0 ? 128 : 1 + rng() % 255;
    fx.fillColor = 0xFFFFFF;

    const detail::EffectRule rule(flags, fx);
    ref::Image expected = ref::Snapshot(dest);
    for (int y = 0; y < h; ++y) {
      for (int x = 0; x < w; ++x) {
        const Pixel s = src.Row(y)[x];
        if ((flags & kBltColorKey) && s == 0xF81F) continue;
        Pixel e = rule.Apply(s);
        if (flags & kBltStrength) e = ref::Opacity(e, s, fx.strength);
        expected.at(x, y) = (flags & kBltOpacity) ? ref::Opacity(e, expected.at(x, y), fx.opacity) : e;
      }
    }
    ASSERT_EQ(Blt(dest, 0, 0, &src, nullptr, flags, &fx), S_OK);
    ASSERT_EQ(ref::Difference(ref::Snapshot(dest), expected), "") << "round " << round << " flags " << flags;
  }
}

}  // namespace
}  // namespace zelph::gfx
