#include <cstdint>
#include <span>

#include "gfx/system_fonts.h"

namespace zelph::gfx {
std::span<const std::uint8_t> DefaultFontData() { return {}; }
}  // namespace zelph::gfx
