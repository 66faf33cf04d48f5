#include "platform/registry.h"

#include <algorithm>
#include <cstdio>
#include <system_error>

#include "platform/file_io.h"
#include "platform/reg_text.h"

namespace zelph::platform {

namespace {

std::string Upper(std::string_view s) {
  std::string out(s);
  for (char& c : out) {
    if (c >= 'a' && c <= 'z') c = static_cast<char>(c - 'a' + 'A');
  }
  return out;
}

bool SameName(std::string_view a, std::string_view b) { return Upper(a) == Upper(b); }

const char* RootName(RootKey root) {
  return root == RootKey::LocalMachine ? "HKEY_LOCAL_MACHINE" : "HKEY_CURRENT_USER";
}

}  // namespace

Registry::Registry(std::filesystem::path file) { Open(std::move(file)); }

void Registry::Open(std::filesystem::path file) {
  std::lock_guard lock(mutex_);
  file_ = std::move(file);
  keys_.clear();
  spelling_.clear();
  if (file_.empty()) return;
  auto bytes = ReadWholeFile(file_);
  if (!bytes) return;
  RegTextError error;
  if (!FromText(std::string_view(reinterpret_cast<const char*>(bytes->data()), bytes->size()), &error)) {
    // Keep the damaged file for the player to look at instead of overwriting it with the next change.
    std::string why = error.line ? "line " + std::to_string(error.line) + ": " + error.reason : error.reason;
    SetAsideUnreadable(file_, "registry", why);
    keys_.clear();
    spelling_.clear();
  }
}

std::filesystem::path Registry::File() const {
  std::lock_guard lock(mutex_);
  return file_;
}

std::string Registry::Normalise(RootKey root, std::string_view key) {
  std::string full = RootName(root);
  // Tolerate leading, trailing and doubled separators the way callers tend to write them.
  std::size_t i = 0;
  while (i < key.size()) {
    while (i < key.size() && key[i] == '\\') ++i;
    std::size_t j = key.find('\\', i);
    if (j == std::string_view::npos) j = key.size();
    if (j > i) {
      full += '\\';
      full.append(key.substr(i, j - i));
    }
    i = j;
  }
  return full;
}

Registry::Key* Registry::Find(RootKey root, std::string_view key) {
  auto it = keys_.find(Upper(Normalise(root, key)));
  return it == keys_.end() ? nullptr : &it->second;
}

const Registry::Key* Registry::Find(RootKey root, std::string_view key) const {
  auto it = keys_.find(Upper(Normalise(root, key)));
  return it == keys_.end() ? nullptr : &it->second;
}

Registry::Key& Registry::Make(const std::string& full) {
  // Parents exist whenever a child does, as on the original platform.
  for (std::size_t pos = full.find('\\'); pos != std::string::npos; pos = full.find('\\', pos + 1)) {
    std::string parent = full.substr(0, pos);
    std::string up = Upper(parent);
    if (keys_.emplace(up, Key{}).second) spelling_[up] = parent;
  }
  std::string up = Upper(full);
  auto [it, added] = keys_.emplace(up, Key{});
  if (added) spelling_[up] = full;
  return it->second;
}

bool Registry::Persist() {
  if (file_.empty()) return true;
  return WriteFileAtomically(file_, ToText());
}

bool Registry::CreateKey(RootKey root, std::string_view key) {
  std::lock_guard lock(mutex_);
  if (Find(root, key)) return true;
  Make(Normalise(root, key));
  return Persist();
}

bool Registry::KeyExists(RootKey root, std::string_view key) const {
  std::lock_guard lock(mutex_);
  return Find(root, key) != nullptr;
}

bool Registry::DeleteKey(RootKey root, std::string_view key) {
  std::lock_guard lock(mutex_);
  std::string up = Upper(Normalise(root, key));
  if (!keys_.count(up)) return false;
  std::string prefix = up + "\\";
  for (auto it = keys_.begin(); it != keys_.end();) {
    if (it->first == up || it->first.starts_with(prefix)) {
      spelling_.erase(it->first);
      it = keys_.erase(it);
    } else {
      ++it;
    }
  }
  return Persist();
}

namespace {

template <typename T>
std::optional<T> ValueOf(const std::vector<RegEntry>* values, std::string_view name) {
  if (!values) return std::nullopt;
  for (const RegEntry& e : *values) {
    if (!SameName(e.name, name)) continue;
    if (auto* v = std::get_if<T>(&e.value)) return *v;
    return std::nullopt;  // a value of the other type does not read
  }
  return std::nullopt;
}

}  // namespace

std::optional<std::uint32_t> Registry::ReadDword(RootKey root, std::string_view key, std::string_view name) const {
  std::lock_guard lock(mutex_);
  const Key* k = Find(root, key);
  return ValueOf<std::uint32_t>(k ? &k->values : nullptr, name);
}

std::optional<std::string> Registry::ReadString(RootKey root, std::string_view key, std::string_view name) const {
  std::lock_guard lock(mutex_);
  const Key* k = Find(root, key);
  return ValueOf<std::string>(k ? &k->values : nullptr, name);
}

namespace {

void SetValue(std::vector<RegEntry>& values, std::string_view name, RegValue value) {
  for (RegEntry& e : values) {
    if (SameName(e.name, name)) {
      e.value = std::move(value);
      return;
    }
  }
  values.push_back(RegEntry{std::string(name), std::move(value)});
}

}  // namespace

bool Registry::WriteDword(RootKey root, std::string_view key, std::string_view name, std::uint32_t value) {
  std::lock_guard lock(mutex_);
  SetValue(Make(Normalise(root, key)).values, name, value);
  return Persist();
}

bool Registry::WriteString(RootKey root, std::string_view key, std::string_view name, std::string_view value) {
  std::lock_guard lock(mutex_);
  SetValue(Make(Normalise(root, key)).values, name, std::string(value));
  return Persist();
}

bool Registry::DeleteValue(RootKey root, std::string_view key, std::string_view name) {
  std::lock_guard lock(mutex_);
  Key* k = Find(root, key);
  if (!k) return false;
  auto it = std::find_if(k->values.begin(), k->values.end(), [&](const RegEntry& e) { return SameName(e.name, name); });
  if (it == k->values.end()) return false;
  k->values.erase(it);
  return Persist();
}

std::optional<RegEntry> Registry::EnumValue(RootKey root, std::string_view key, std::size_t index) const {
  std::lock_guard lock(mutex_);
  const Key* k = Find(root, key);
  if (!k || index >= k->values.size()) return std::nullopt;
  return k->values[index];
}

std::optional<std::string> Registry::EnumSubkey(RootKey root, std::string_view key, std::size_t index) const {
  std::lock_guard lock(mutex_);
  std::string prefix = Upper(Normalise(root, key)) + "\\";
  std::size_t n = 0;
  for (const auto& [up, k] : keys_) {
    if (!up.starts_with(prefix) || up.find('\\', prefix.size()) != std::string::npos) continue;
    if (n++ == index) return spelling_.at(up).substr(prefix.size());
  }
  return std::nullopt;
}

std::string Registry::ToText() const {
  std::lock_guard lock(mutex_);
  std::vector<RegTextKey> keys;
  for (const auto& [up, k] : keys_) keys.push_back(RegTextKey{spelling_.at(up), k.values});
  return FormatRegText(keys);
}

bool Registry::FromText(std::string_view text, RegTextError* error) {
  auto parsed = ParseRegText(text, error);
  if (!parsed) return false;
  std::lock_guard lock(mutex_);
  keys_.clear();
  spelling_.clear();
  for (RegTextKey& k : *parsed) {
    std::string full = k.path;
    bool known = full.starts_with("HKEY_LOCAL_MACHINE") || full.starts_with("HKEY_CURRENT_USER");
    if (!known) continue;  // other hives mean nothing to the game
    Key& key = Make(full);
    for (RegEntry& e : k.values) SetValue(key.values, e.name, std::move(e.value));
  }
  return true;
}

Registry& SystemRegistry() {
  static Registry system;
  return system;
}

void OpenSystemRegistry(const std::filesystem::path& file) { SystemRegistry().Open(file); }

}  // namespace zelph::platform
