// The character lists of the game's font pictures, in picture order, chosen by the GUI's language tag.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

namespace zelph::gfx {

inline constexpr std::uint32_t kCharSetEnglish = 0x10;         // "@EN" and the default
inline constexpr std::uint32_t kCharSetRussian = 0x20;         // "@RU"
inline constexpr std::uint32_t kCharSetEnglishRussian = 0x40;  // "@ENRU"

// 0x10: the 95 printable ASCII characters, space to "~".
// 0x40: those with the grave accent in place of the apostrophe, then А..Я with Ё after Е, then а..я with ё
//       after е (161 characters).
// 0x20: space to "@" (grave accent for the apostrophe), the capitals with Ё, "[\]^_`", the small letters
//       with ё, "{|}~" (109 characters).
// Any other value gives 0x10.
std::u16string CharSetString(std::uint32_t set);

// "@EN" gives 0x10, "@ENRU" 0x40, "@RU" 0x20; any other tag 0x10.
std::uint32_t CharSetForLanguage(std::string_view tag);

}  // namespace zelph::gfx
