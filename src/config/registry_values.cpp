#include "config/registry_values.h"

#include "platform/registry.h"

namespace zelph::config {

namespace {
constexpr auto kRoot = platform::RootKey::LocalMachine;
}

std::uint32_t RegReadDword(std::string_view key, std::string_view name, std::uint32_t fallback) {
  platform::Registry& registry = platform::SystemRegistry();
  if (auto value = registry.ReadDword(kRoot, key, name)) return *value;
  if (fallback != kRegNoWriteBack) registry.WriteDword(kRoot, key, name, fallback);
  return fallback;
}

std::string RegReadString(std::string_view key, std::string_view name, std::optional<std::string_view> fallback) {
  platform::Registry& registry = platform::SystemRegistry();
  if (auto value = registry.ReadString(kRoot, key, name)) return *value;
  if (!fallback) return {};
  registry.WriteString(kRoot, key, name, *fallback);
  return std::string(*fallback);
}

bool RegWriteDword(std::string_view key, std::string_view name, std::uint32_t value) {
  return platform::SystemRegistry().WriteDword(kRoot, key, name, value);
}

bool RegWriteString(std::string_view key, std::string_view name, std::string_view value) {
  return platform::SystemRegistry().WriteString(kRoot, key, name, value);
}

}  // namespace zelph::config
