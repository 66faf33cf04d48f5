// A registry of hierarchical keys with 32-bit and string values, kept in a text file in the Windows ".reg"
// form so that a person can read and edit it. Every change is written back at once, atomically.
#pragma once

#include <cstdint>
#include <filesystem>
#include <map>
#include <mutex>
#include <optional>
#include <string>
#include <string_view>
#include <variant>
#include <vector>

namespace zelph::platform {

enum class RootKey { LocalMachine, CurrentUser };

using RegValue = std::variant<std::uint32_t, std::string>;

struct RegEntry {
  std::string name;
  RegValue value;
};

struct RegTextError;

class Registry {
 public:
  // An empty registry that lives in memory only.
  Registry() = default;
  // A registry backed by `file`; a missing file is an empty registry. A file that cannot be parsed is kept
  // aside as "<file>.bad" (said on standard error) and the registry starts empty, so a damaged file never
  // stops the game.
  explicit Registry(std::filesystem::path file);
  // Drops what the registry holds and loads `file` as the constructor does; an empty path: memory only.
  void Open(std::filesystem::path file);

  Registry(const Registry&) = delete;
  Registry& operator=(const Registry&) = delete;

  // Creates the key (and its parents) when missing. Key paths use backslashes and compare without regard to
  // ASCII letter case, as on the original platform; value names do too.
  bool CreateKey(RootKey root, std::string_view key);
  bool KeyExists(RootKey root, std::string_view key) const;
  bool DeleteKey(RootKey root, std::string_view key);  // with its subkeys

  std::optional<std::uint32_t> ReadDword(RootKey root, std::string_view key, std::string_view name) const;
  std::optional<std::string> ReadString(RootKey root, std::string_view key, std::string_view name) const;
  // Writing creates the key when missing. Returns false only when the change could not be persisted.
  bool WriteDword(RootKey root, std::string_view key, std::string_view name, std::uint32_t value);
  bool WriteString(RootKey root, std::string_view key, std::string_view name, std::string_view value);
  bool DeleteValue(RootKey root, std::string_view key, std::string_view name);

  // The value at `index` in the order the values were created; nullopt past the end.
  std::optional<RegEntry> EnumValue(RootKey root, std::string_view key, std::size_t index) const;
  // The direct subkey name at `index`, sorted without regard to case; nullopt past the end.
  std::optional<std::string> EnumSubkey(RootKey root, std::string_view key, std::size_t index) const;

  // The registry in ".reg" text form, and the parse of such text (false on malformed text, with where and
  // why in `error` when given).
  std::string ToText() const;
  bool FromText(std::string_view text, RegTextError* error = nullptr);

  std::filesystem::path File() const;

 private:
  struct Key {
    std::vector<RegEntry> values;  // in creation order
  };
  static std::string Normalise(RootKey root, std::string_view key);
  Key* Find(RootKey root, std::string_view key);
  const Key* Find(RootKey root, std::string_view key) const;
  Key& Make(const std::string& full);
  bool Persist();

  std::filesystem::path file_;
  mutable std::recursive_mutex mutex_;
  std::map<std::string, Key> keys_;  // by upper-cased full path ("HKEY_LOCAL_MACHINE\\SOFTWARE\\...")
  std::map<std::string, std::string> spelling_;  // upper-cased full path -> path as first written
};

// The registry of this run: one object for the whole process, so a reference to it stays valid. Until
// OpenSystemRegistry is called it lives in memory only; opening reloads the same object from `file`.
Registry& SystemRegistry();
void OpenSystemRegistry(const std::filesystem::path& file);

}  // namespace zelph::platform
