// Conversions between the 8-bit text of configuration documents and the wide (UTF-16) text shown on screen.
//
// The documents' 8-bit code page on this platform is UTF-8, as the desktop's own. Text that is not valid
// UTF-8 (documents written with a Western single-byte code page) is read as Windows-1252, so every byte still
// becomes a character instead of being dropped.
#pragma once

#include <string>
#include <string_view>

namespace zelph::config {

std::u16string AnsiToWide(std::string_view text);
// Unpaired surrogates become U+FFFD.
std::string WideToAnsi(std::u16string_view text);

// Splits the next line off `text`, without its LF or CR LF ending.
std::string_view TakeLine(std::string_view& text);

}  // namespace zelph::config
