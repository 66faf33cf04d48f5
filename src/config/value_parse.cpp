#include "config/value_parse.h"

#include <charconv>
#include <cmath>
#include <cstddef>
#include <cstring>
#include <limits>

namespace zelph::config {

namespace {

bool IsBlank(char c) { return c == ' ' || (c >= '\t' && c <= '\r'); }
bool IsDigit(char c) { return c >= '0' && c <= '9'; }

int HexDigit(char c) {
  if (c >= '0' && c <= '9') return c - '0';
  if (c >= 'a' && c <= 'f') return c - 'a' + 10;
  if (c >= 'A' && c <= 'F') return c - 'A' + 10;
  return -1;
}

// Digits and sign as the runtime reads them; `limit` is the saturation bound of the magnitude.
// Returns false when no digit follows (the cursor is then left alone).
bool ScanDecimal(const char*& p, bool& negative, std::uint64_t& magnitude, std::uint64_t limit) {
  const char* q = p;
  while (IsBlank(*q)) ++q;
  negative = false;
  if (*q == '+' || *q == '-') negative = (*q++ == '-');
  if (!IsDigit(*q)) return false;
  magnitude = 0;
  for (; IsDigit(*q); ++q) {
    magnitude = magnitude * 10 + static_cast<std::uint64_t>(*q - '0');
    if (magnitude > limit) magnitude = limit + 1;  // keep scanning digits, but stay bounded
  }
  p = q;
  return true;
}

bool EqualsNoCase(const char* a, const char* b) {
  for (; *a && *b; ++a, ++b) {
    char x = (*a >= 'A' && *a <= 'Z') ? static_cast<char>(*a + 32) : *a;
    if (x != *b) return false;
  }
  return *a == *b;
}

}  // namespace

std::int32_t NextDecimal(const char** cursor) {
  bool negative;
  std::uint64_t magnitude;
  constexpr std::uint64_t kLimit = 0x80000000ull;
  if (!ScanDecimal(*cursor, negative, magnitude, kLimit)) return 0;
  if (negative) return magnitude >= kLimit ? std::numeric_limits<std::int32_t>::min()
                                           : -static_cast<std::int32_t>(magnitude);
  return magnitude >= kLimit ? std::numeric_limits<std::int32_t>::max() : static_cast<std::int32_t>(magnitude);
}

std::int32_t ParseInt(const char* text) { return NextDecimal(&text); }

std::uint32_t ParseNumber(const char* text) {
  if (text[0] == '0' && text[1] == 'x') {
    std::uint64_t value = 0;
    for (const char* p = text + 2; HexDigit(*p) >= 0; ++p) {
      value = value * 16 + static_cast<std::uint64_t>(HexDigit(*p));
      if (value > 0xFFFFFFFFull) return 0xFFFFFFFFu;
    }
    return static_cast<std::uint32_t>(value);
  }
  bool negative;
  std::uint64_t magnitude;
  if (!ScanDecimal(text, negative, magnitude, 0xFFFFFFFFull)) return 0;
  if (magnitude > 0xFFFFFFFFull) return 0xFFFFFFFFu;
  auto value = static_cast<std::uint32_t>(magnitude);
  return negative ? static_cast<std::uint32_t>(0u - value) : value;
}

double ParseDouble(const char* text) {
  while (IsBlank(*text)) ++text;
  if (*text == '+' && text[1] != '-') ++text;
  double value = 0.0;
  auto [end, error] = std::from_chars(text, text + std::strlen(text), value);
  // Infinities and NaN would poison every later conversion to an integer.
  return error == std::errc() && std::isfinite(value) ? value : 0.0;
}

bool ParseBool(const char* text) {
  return text[0] == '1' || EqualsNoCase(text, "yes") || EqualsNoCase(text, "on") || EqualsNoCase(text, "true");
}

}  // namespace zelph::config
