// Result codes shared by every layer. Operations return a 32-bit code and never throw: 0 is success,
// negative is failure. The graphics layer's own family (0xC866xxxx) is declared in gfx.
#pragma once

#include <cstdint>

namespace zelph {

using Result = std::int32_t;

// Builds a code from its customary unsigned hexadecimal spelling.
constexpr Result Code(std::uint32_t value) { return static_cast<Result>(value); }

constexpr bool Failed(Result r) { return r < 0; }
constexpr bool Succeeded(Result r) { return r >= 0; }

inline constexpr Result S_OK = 0;
inline constexpr Result E_FAIL = Code(0x80004005);  // the application frame's own failures
inline constexpr Result E_INVALIDARG = Code(0x80070057);
inline constexpr Result E_OUTOFMEMORY = Code(0x8007000E);

}  // namespace zelph
