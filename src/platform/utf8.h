// UTF-8 and UTF-16 conversions shared by every layer that reads or writes text. The decoder accepts only
// well-formed UTF-8: no overlong forms, no surrogate code points, nothing above U+10FFFF.
#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>

namespace zelph::platform {

inline constexpr char32_t kReplacementCharacter = 0xFFFD;

struct Utf8Char {
  char32_t code = 0;
  std::size_t length = 0;  // bytes taken; 0 when the bytes at that place are not a well-formed character
};

// The character that starts at `text[pos]`. Callers choose what a malformed byte means (skipped, taken as
// Latin-1, or the whole text refused); `pos` must be inside `text`.
Utf8Char DecodeUtf8At(std::string_view text, std::size_t pos);

// The code points of `text`; nullopt when any part of it is not well-formed.
std::optional<std::u32string> DecodeUtf8(std::string_view text);
// The same as UTF-16 code units.
std::optional<std::u16string> Utf8ToUtf16(std::string_view text);

void AppendUtf8(std::string& out, char32_t code);
// Characters above U+FFFF become surrogate pairs.
void AppendUtf16(std::u16string& out, char32_t code);
// Unpaired surrogates become U+FFFD.
std::string Utf16ToUtf8(std::u16string_view text);

}  // namespace zelph::platform
