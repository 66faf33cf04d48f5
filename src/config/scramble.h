// The repeating-key XOR that keeps the player's files from being read or edited in a text viewer. It hides
// the text, nothing more; the CRC in the file header guards integrity.
#pragma once

#include <cstddef>
#include <cstdint>

namespace zelph::config {

// The built-in key copied into every document.
inline constexpr char kScrambleKey[] = "Plain words kept here only to stir the bytes of each saved file around ok";
// Size of a document's key buffer; at most one less than this is used.
inline constexpr std::size_t kScrambleKeyBufferSize = 130;

// XORs `buffer` in place with the NUL-terminated `key`, repeating it; applying it twice restores the buffer.
// An empty key XORs every byte with its terminating zero and so changes nothing. Returns false for a null
// buffer or a length of 0.
bool Scramble(const char* key, std::uint8_t* buffer, std::size_t length);

}  // namespace zelph::config
