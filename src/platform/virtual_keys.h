// Virtual-key codes of the handheld platform: what key messages carry, what the key lists and input scripts
// name, and what the desktop's keys are translated to. Letters and digits are their upper-case ASCII codes.
#pragma once

#include <cstdint>

namespace zelph::platform::vk {

inline constexpr std::uint16_t kBack = 8;
inline constexpr std::uint16_t kTab = 9;
inline constexpr std::uint16_t kReturn = 13;
inline constexpr std::uint16_t kShift = 16;
inline constexpr std::uint16_t kControl = 17;
inline constexpr std::uint16_t kEscape = 27;
inline constexpr std::uint16_t kSpace = 32;
inline constexpr std::uint16_t kPageUp = 33;
inline constexpr std::uint16_t kPageDown = 34;
inline constexpr std::uint16_t kEnd = 35;
inline constexpr std::uint16_t kHome = 36;
inline constexpr std::uint16_t kLeft = 37;
inline constexpr std::uint16_t kUp = 38;
inline constexpr std::uint16_t kRight = 39;
inline constexpr std::uint16_t kDown = 40;
inline constexpr std::uint16_t kInsert = 45;
inline constexpr std::uint16_t kDelete = 46;
inline constexpr std::uint16_t kF1 = 0x70;
inline constexpr std::uint16_t kF12 = 0x7B;
inline constexpr std::uint16_t kIgnored = 0x84;  // a key message the frame drops before the game sees it
inline constexpr std::uint16_t kLastKey = 0xFF;  // key codes are one byte

// F1 to F12 by number.
constexpr std::uint16_t FunctionKey(int n) { return static_cast<std::uint16_t>(kF1 + n - 1); }

}  // namespace zelph::platform::vk
