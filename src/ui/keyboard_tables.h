// The on-screen keyboard's five rows of keys, in the VGA and QVGA widths. Each key carries its width and four
// character bytes: Latin lower and upper case, then the Russian lower and upper case letters of the key's
// place on a Russian keyboard (Windows-1251). A first byte of 0 marks a control key; its second byte is the
// key code it sends.
#pragma once

#include <cstdint>
#include <span>

namespace zelph::ui {

struct KeyRecord {
  std::int32_t width;
  std::uint8_t chars[4];
};

// Control key codes.
inline constexpr std::uint8_t kKeySwitchAlphabet = 2;
inline constexpr std::uint8_t kKeyBackspace = 8;
inline constexpr std::uint8_t kKeyTab = 9;
inline constexpr std::uint8_t kKeyShift = 16;
inline constexpr std::uint8_t kKeyControl = 17;
inline constexpr std::uint8_t kKeyEnter = 19;
inline constexpr std::uint8_t kKeyCapsLock = 20;
inline constexpr std::uint8_t kKeyArrowLeft = 37;
inline constexpr std::uint8_t kKeyArrowRight = 39;

inline constexpr int kKeyboardRows = 5;

// Row 0 to 4 of the chosen width set.
std::span<const KeyRecord> KeyRow(int row, bool vga);

}  // namespace zelph::ui
