// How configuration values are read as numbers. These follow the C runtime conversions the documents were
// written for, so that a value means the same thing here as it did on the handheld.
#pragma once

#include <cstdint>

namespace zelph::config {

// One decimal conversion starting at `*cursor`: blanks skipped, optional sign, digits up to the first
// non-digit. Values beyond 32 bits saturate. When no digit follows, the result is 0 and `*cursor` does not
// move (not even past the blanks), so every later conversion of the same text also yields 0.
std::int32_t NextDecimal(const char** cursor);

// Decimal value of `text` as GetInt reads it (0 when there are no digits).
std::int32_t ParseInt(const char* text);

// Hexadecimal when the text starts with exactly "0x" (lower-case x), otherwise decimal; saturates at
// 0xFFFFFFFF, and a leading minus wraps as the runtime's unsigned conversion does.
std::uint32_t ParseNumber(const char* text);

// Decimal floating point after optional blanks; 0 when the text does not start with a finite number.
double ParseDouble(const char* text);

// True when the text begins with "1" or equals "yes", "on" or "true" in any letter case.
bool ParseBool(const char* text);

}  // namespace zelph::config
