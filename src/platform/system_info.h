// Facts about the running system and process.
#pragma once

#include <cstdint>
#include <filesystem>
#include <optional>
#include <string>

namespace zelph::platform {

// Available physical memory in bytes (MemAvailable), or nullopt when it cannot be read.
std::optional<std::uint64_t> AvailablePhysicalMemory();
// The same from the text of /proc/meminfo; separate so that it can be tested.
std::optional<std::uint64_t> ParseMemAvailable(std::string_view meminfo);

// Full path of the running program.
std::filesystem::path ModulePath();

}  // namespace zelph::platform
