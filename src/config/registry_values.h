// Reading and writing the game's registry values under HKEY_LOCAL_MACHINE. A value that cannot be read
// yields its default, which is written back so that the registry shows every setting the game uses.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace zelph::config {

// A default of this value is returned without being written.
inline constexpr std::uint32_t kRegNoWriteBack = 0xDEF0;

std::uint32_t RegReadDword(std::string_view key, std::string_view name, std::uint32_t fallback);
// Without a default a missing value reads as the empty string and nothing is written.
std::string RegReadString(std::string_view key, std::string_view name,
                          std::optional<std::string_view> fallback = std::nullopt);
bool RegWriteDword(std::string_view key, std::string_view name, std::uint32_t value);
bool RegWriteString(std::string_view key, std::string_view name, std::string_view value);

}  // namespace zelph::config
