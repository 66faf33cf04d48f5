#include "config/scramble.h"

namespace zelph::config {

bool Scramble(const char* key, std::uint8_t* buffer, std::size_t length) {
  if (buffer == nullptr || length == 0) return false;
  std::size_t keyLength = 0;
  while (keyLength < kScrambleKeyBufferSize && key[keyLength] != '\0') ++keyLength;
  if (keyLength >= kScrambleKeyBufferSize) keyLength = kScrambleKeyBufferSize - 1;

  std::size_t position = 0;
  for (std::size_t i = 0; i < length; ++i) {
    buffer[i] ^= static_cast<std::uint8_t>(key[position]);
    if (++position >= keyLength) position = 0;
  }
  return true;
}

}  // namespace zelph::config
