// Virtual-key codes of the handheld platform, which the game's key handling and configuration use.
#pragma once

#include <cstdint>

namespace zelph::app {

namespace vk {
inline constexpr std::uint16_t kBack = 8;
inline constexpr std::uint16_t kTab = 9;
inline constexpr std::uint16_t kReturn = 13;
inline constexpr std::uint16_t kShift = 16;
inline constexpr std::uint16_t kControl = 17;
inline constexpr std::uint16_t kEscape = 27;
inline constexpr std::uint16_t kSpace = 32;
inline constexpr std::uint16_t kLeft = 37;
inline constexpr std::uint16_t kUp = 38;
inline constexpr std::uint16_t kRight = 39;
inline constexpr std::uint16_t kDown = 40;
inline constexpr std::uint16_t kInsert = 45;
inline constexpr std::uint16_t kDelete = 46;
inline constexpr std::uint16_t kF1 = 0x70;
inline constexpr std::uint16_t kF11 = 0x7A;
inline constexpr std::uint16_t kF12 = 0x7B;
inline constexpr std::uint16_t kIgnored = 0x84;  // never reaches the game
}  // namespace vk

}  // namespace zelph::app
