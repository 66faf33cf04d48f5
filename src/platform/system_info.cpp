#include "platform/system_info.h"

#include <charconv>
#include <system_error>

#include "platform/file_io.h"

namespace zelph::platform {

std::optional<std::uint64_t> ParseMemAvailable(std::string_view meminfo) {
  constexpr std::string_view kKey = "MemAvailable:";
  std::size_t pos = 0;
  while (pos < meminfo.size()) {
    std::size_t end = meminfo.find('\n', pos);
    if (end == std::string_view::npos) end = meminfo.size();
    std::string_view line = meminfo.substr(pos, end - pos);
    pos = end + 1;
    if (!line.starts_with(kKey)) continue;
    line.remove_prefix(kKey.size());
    while (!line.empty() && line.front() == ' ') line.remove_prefix(1);
    std::uint64_t kb = 0;
    auto [ptr, ec] = std::from_chars(line.data(), line.data() + line.size(), kb);
    if (ec != std::errc() || ptr == line.data()) return std::nullopt;
    std::string_view unit(ptr, line.data() + line.size() - ptr);
    while (!unit.empty() && unit.front() == ' ') unit.remove_prefix(1);
    if (unit != "kB") return std::nullopt;
    if (kb > UINT64_MAX / 1024) return std::nullopt;
    return kb * 1024;
  }
  return std::nullopt;
}

std::optional<std::uint64_t> AvailablePhysicalMemory() {
  auto bytes = ReadWholeFile("/proc/meminfo");
  if (!bytes) return std::nullopt;
  return ParseMemAvailable(std::string_view(reinterpret_cast<const char*>(bytes->data()), bytes->size()));
}

std::filesystem::path ModulePath() {
  std::error_code ec;
  auto p = std::filesystem::read_symlink("/proc/self/exe", ec);
  return ec ? std::filesystem::path() : p;
}

}  // namespace zelph::platform
