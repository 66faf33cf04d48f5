// The drawing vocabulary of the game: rectangle copies with their effects, alpha copies, scaled copies,
// fills, lines and outlines. Every operation checks everything before it writes its first pixel, so a
// failure never leaves a half-drawn picture.
#pragma once

#include <cstdint>

#include "gfx/gfx_result.h"
#include "gfx/pixel.h"
#include "gfx/rect.h"
#include "gfx/surface.h"

namespace zelph::gfx {

// Blt and StretchBlt flags.
inline constexpr std::uint32_t kBltPlain = 0x000;
inline constexpr std::uint32_t kBltColorKey = 0x001;   // skip source pixels equal to the source's key
inline constexpr std::uint32_t kBltFillColor = 0x002;  // draw fx.fillColor where the source is drawn
inline constexpr std::uint32_t kBltOpacity = 0x004;    // blend by fx.opacity
inline constexpr std::uint32_t kBltStrength = 0x008;   // blend the effect with the source by fx.strength
inline constexpr std::uint32_t kBltMultiply = 0x010;
inline constexpr std::uint32_t kBltScreen = 0x020;
inline constexpr std::uint32_t kBltOverlay = 0x040;
inline constexpr std::uint32_t kBltHue = 0x100;
inline constexpr std::uint32_t kBltColorize = 0x200;
inline constexpr std::uint32_t kBltBasicMask = 0x007;
inline constexpr std::uint32_t kBltEffectMask =
    kBltMultiply | kBltScreen | kBltOverlay | kBltHue | kBltColorize;
inline constexpr std::uint32_t kBltValidMask = kBltBasicMask | kBltStrength | kBltEffectMask;

// StretchBlt's own flags beside 0x001, 0x002 and 0x004.
inline constexpr std::uint32_t kStretchMirrorX = 0x010;
inline constexpr std::uint32_t kStretchMirrorY = 0x020;
inline constexpr std::uint32_t kStretchRotate = 0x100;  // fx.angle in hundredths of a degree
inline constexpr std::uint32_t kStretchZoom = 0x200;    // fx.effectColor percent
inline constexpr std::uint32_t kStretchCenter = 0x400;  // rotate about (fx.centerX, fx.centerY)
inline constexpr std::uint32_t kStretchValidMask =
    kBltBasicMask | kStretchMirrorX | kStretchMirrorY | kStretchRotate | kStretchZoom | kStretchCenter;

// AlphaBlt, FillRect, DrawLine and DrawRect flags.
inline constexpr std::uint32_t kDrawOpacity = 0x001;    // use *opacity
inline constexpr std::uint32_t kLineAntialias = 0x002;  // DrawLine: smooth sloped lines

struct BltFx {
  Color fillColor = 0;
  std::uint32_t opacity = 255;  // 0..255
  std::int32_t angle = 0;
  std::uint32_t effectColor = 0;  // a colour, or StretchBlt's zoom percent
  std::uint32_t strength = 255;   // 0..255
  std::int32_t centerX = 0;
  std::int32_t centerY = 0;
};

// Copies srcRect of src (all of it when null) to dest with its top-left corner at (x, y).
Result Blt(Surface& dest, std::int32_t x, std::int32_t y, const Surface* src, const Rect* srcRect,
           std::uint32_t flags = kBltPlain, const BltFx* fx = nullptr);

// Copies src through the green channel of alpha; the copy has alphaRect's size.
Result AlphaBlt(Surface& dest, std::int32_t x, std::int32_t y, const Surface* src, const Rect* srcRect,
                const Surface* alpha, const Rect* alphaRect, std::uint32_t flags = 0,
                const std::uint32_t* opacity = nullptr);

// Copies srcRect scaled to destRect (all of dest when null), nearest pixel.
Result StretchBlt(Surface& dest, const Rect* destRect, const Surface* src, const Rect* srcRect,
                  std::uint32_t flags = kBltPlain, const BltFx* fx = nullptr);

Result FillRect(Surface& dest, const Rect* rect, Color color, std::uint32_t flags = 0,
                const std::uint32_t* opacity = nullptr);

// Both ends inclusive.
Result DrawLine(Surface& dest, std::int32_t x1, std::int32_t y1, std::int32_t x2, std::int32_t y2,
                Color color, std::uint32_t flags = 0, const std::uint32_t* opacity = nullptr);

Result DrawRect(Surface& dest, const Rect* rect, Color color, std::uint32_t flags = 0,
                const std::uint32_t* opacity = nullptr);

}  // namespace zelph::gfx
