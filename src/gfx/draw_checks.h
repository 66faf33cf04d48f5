// Checks and placement shared by the drawing operations, in the order the whole layer follows:
// arguments, pixels present, nothing locked (nor a read-only destination), display open and every
// surface current; then clipping and bounds.
#pragma once

#include <cstdint>
#include <initializer_list>

#include "gfx/blit_kernels.h"
#include "gfx/gfx_result.h"
#include "gfx/placement.h"
#include "gfx/surface.h"

namespace zelph::gfx::detail {

// The state checks of a destination and the surfaces it is drawn from (null entries are skipped).
Result CheckSurfaces(const Surface& dest, std::initializer_list<const Surface*> sources);

// Reads the optional opacity argument: E_INVALIDARG when it is asked for but missing or above 255.
// Without the flag the opacity is 255.
Result ReadOpacity(bool wanted, const std::uint32_t* opacity, std::uint32_t* value);

// Cuts the placement to dest's clip rectangle and checks or cuts it against the surfaces: strictly
// (GFX_E_OUT_OF_BOUNDS) unless dest skips bounds checks, in which case whatever lies outside is dropped.
// *visible is false when nothing is left to draw.
Result Place(Placement& placement, const Surface& dest, std::initializer_list<const Surface*> sources,
             bool* visible);

// The same for a destination rectangle alone (fills and outlines).
Result PlaceRect(const Rect& rect, const Surface& dest, Rect* placed, bool* visible);

kernels::BlendMode ModeFor(std::uint32_t opacity);

}  // namespace zelph::gfx::detail
