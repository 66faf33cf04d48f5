#include "config/config_section.h"

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <new>

#include "config/bytes.h"
#include "config/ino_format.h"
#include "config/text.h"
#include "config/value_parse.h"

namespace zelph::config {

namespace {

std::size_t EntryLength(const std::uint8_t* entry) { return ReadLe16(entry); }

// The key of an entry: its text up to the first NUL, which lies inside the entry for every entry a section
// can hold (loading checks it, the setters write it).
std::string_view EntryKey(const std::uint8_t* entry) {
  const char* key = reinterpret_cast<const char*>(entry + 2);
  const void* nul = std::memchr(key, 0, EntryLength(entry) - 2);
  return nul ? std::string_view(key, static_cast<const char*>(nul) - key) : std::string_view();
}

const char* EntryValue(const std::uint8_t* entry) {
  std::string_view key = EntryKey(entry);
  return key.data() + key.size() + 1;
}

// Reads `count` successive decimal numbers; those the text lacks read as 0.
template <std::size_t N>
void ReadInts(const char* text, std::array<std::int32_t, N>& out) {
  for (auto& v : out) v = NextDecimal(&text);
}

}  // namespace

std::unique_ptr<ConfigSection> ConfigSection::InBuffer(const char* name, const std::uint8_t* start,
                                                       std::size_t used, int source) {
  std::unique_ptr<ConfigSection> section(new (std::nothrow) ConfigSection());
  if (!section) return nullptr;
  section->name_ = name;
  section->start_ = start;
  section->used_ = used;
  section->capacity_ = used;
  section->source_ = source;
  return section;
}

std::unique_ptr<ConfigSection> ConfigSection::MakeOwned(std::string_view name,
                                                        std::span<const std::uint8_t> entries,
                                                        std::size_t capacity, int source) {
  std::unique_ptr<ConfigSection> section(new (std::nothrow) ConfigSection());
  if (!section) return nullptr;
  if (capacity < entries.size()) capacity = entries.size();
  try {
    section->ownBuffer_.resize(name.size() + 1 + capacity);
  } catch (const std::bad_alloc&) {
    return nullptr;
  }
  std::uint8_t* buffer = section->ownBuffer_.data();
  std::memcpy(buffer, name.data(), name.size());
  buffer[name.size()] = 0;
  if (!entries.empty()) std::memcpy(buffer + name.size() + 1, entries.data(), entries.size());
  section->name_ = reinterpret_cast<const char*>(buffer);
  section->start_ = buffer + name.size() + 1;
  section->used_ = entries.size();
  section->capacity_ = capacity;
  section->source_ = source;
  section->owned_ = true;
  return section;
}

const std::uint8_t* ConfigSection::Find(std::string_view key) const {
  for (std::size_t pos = 0; pos < used_;) {
    const std::uint8_t* entry = start_ + pos;
    if (EntryKey(entry) == key) return entry;
    pos += EntryLength(entry);
  }
  return nullptr;
}

std::vector<std::string_view> ConfigSection::Keys() const {
  std::vector<std::string_view> keys;
  for (std::size_t pos = 0; pos < used_; pos += EntryLength(start_ + pos)) keys.push_back(EntryKey(start_ + pos));
  return keys;
}

const char* ConfigSection::GetRaw(std::string_view key) const {
  const std::uint8_t* entry = Find(key);
  return entry ? EntryValue(entry) : nullptr;
}

std::int32_t ConfigSection::GetInt(std::string_view key, std::int32_t fallback) const {
  const char* v = GetRaw(key);
  return v ? ParseInt(v) : fallback;
}

std::uint32_t ConfigSection::GetNumber(std::string_view key, std::uint32_t fallback) const {
  const char* v = GetRaw(key);
  return v ? ParseNumber(v) : fallback;
}

double ConfigSection::GetDouble(std::string_view key, double fallback) const {
  const char* v = GetRaw(key);
  return v ? ParseDouble(v) : fallback;
}

bool ConfigSection::GetBool(std::string_view key, bool fallback) const {
  const char* v = GetRaw(key);
  return v ? ParseBool(v) : fallback;
}

bool ConfigSection::GetString(std::string_view key, std::u16string& out) const {
  const char* v = GetRaw(key);
  if (!v) return false;
  out = AnsiToWide(v);
  return true;
}

bool ConfigSection::GetRect(std::string_view key, Rect& out) const {
  std::array<std::int32_t, 4> v;
  if (!GetQuad(key, v)) return false;
  // Sums wrap as the 32-bit arithmetic they were written for, instead of overflowing.
  out = {v[0], v[1], static_cast<std::int32_t>(static_cast<std::uint32_t>(v[0]) + static_cast<std::uint32_t>(v[2])),
         static_cast<std::int32_t>(static_cast<std::uint32_t>(v[1]) + static_cast<std::uint32_t>(v[3]))};
  return true;
}

bool ConfigSection::GetQuad(std::string_view key, std::array<std::int32_t, 4>& out) const {
  const char* v = GetRaw(key);
  if (!v) return false;
  ReadInts(v, out);
  return true;
}

bool ConfigSection::GetColor(std::string_view key, std::uint32_t& out) const {
  const char* v = GetRaw(key);
  if (!v) return false;
  std::array<std::int32_t, 3> rgb;
  ReadInts(v, rgb);
  out = (static_cast<std::uint32_t>(rgb[0]) & 0xFF) | (static_cast<std::uint32_t>(rgb[1]) & 0xFF) << 8 |
        (static_cast<std::uint32_t>(rgb[2]) & 0xFF) << 16;
  return true;
}

bool ConfigSection::GetPoint(std::string_view key, Point& out) const {
  const char* v = GetRaw(key);
  if (!v) return false;
  std::array<std::int32_t, 2> xy;
  ReadInts(v, xy);
  out = {xy[0], xy[1]};
  return true;
}

bool ConfigSection::GetEightInts(std::string_view key, std::array<std::int32_t, 8>& out) const {
  const char* v = GetRaw(key);
  if (!v) return false;
  ReadInts(v, out);
  return true;
}

bool ConfigSection::GetIntList(std::string_view key, std::vector<std::int32_t>& out) const {
  const char* v = GetRaw(key);
  if (!v) return false;
  out.clear();
  std::int32_t count = std::min(NextDecimal(&v), kMaxListCount);
  for (std::int32_t i = 0; i < count; ++i) out.push_back(NextDecimal(&v));
  return true;
}

bool ConfigSection::GetPointList(std::string_view key, std::vector<Point>& out) const {
  const char* v = GetRaw(key);
  if (!v) return false;
  out.clear();
  std::int32_t count = std::min(NextDecimal(&v), kMaxListCount);
  for (std::int32_t i = 0; i < count; ++i) {
    std::int32_t x = NextDecimal(&v);
    out.push_back({x, NextDecimal(&v)});
  }
  return true;
}

bool ConfigSection::Reserve(std::size_t extra) {
  if (capacity_ - used_ >= extra) return true;
  std::size_t nameSize = static_cast<std::size_t>(start_ - ownBuffer_.data());
  std::size_t newCapacity = std::max(capacity_ * 2, used_ + extra);
  std::vector<std::uint8_t> grown;
  try {
    grown.resize(nameSize + newCapacity);
  } catch (const std::bad_alloc&) {
    return false;
  }
  std::memcpy(grown.data(), ownBuffer_.data(), nameSize + used_);
  ownBuffer_.swap(grown);
  name_ = reinterpret_cast<const char*>(ownBuffer_.data());
  start_ = ownBuffer_.data() + nameSize;
  capacity_ = newCapacity;
  return true;
}

int ConfigSection::SetString(const char* key, const char* value) {
  if (key == nullptr) return kSetNoKey;
  if (value == nullptr) return kSetNoValue;
  if (!owned_) return kSetNotOwned;
  std::size_t keyLength = std::strlen(key);
  std::size_t valueLength = std::strlen(value);
  std::size_t length = KeyEntryLength(keyLength, valueLength);
  if (length > kMaxEntryLength) return kSetTooLong;
  if (!Reserve(length)) return kSetOutOfMemory;

  std::vector<std::uint8_t> entry;
  entry.reserve(length);
  AppendKeyEntry(entry, std::string_view(key, keyLength), std::string_view(value, valueLength));
  std::memcpy(Writable() + used_, entry.data(), entry.size());
  used_ += entry.size();
  return kSetOk;
}

int ConfigSection::SetInt(const char* key, std::int32_t value) {
  char text[16];
  std::snprintf(text, sizeof text, "%d", value);
  return SetString(key, text);
}

int ConfigSection::SetWideString(const char* key, std::u16string_view value) {
  return SetString(key, WideToAnsi(value).c_str());
}

int ConfigSection::SetEightInts(const char* key, const std::array<std::int32_t, 8>& v) {
  char text[100];
  std::snprintf(text, sizeof text, "%d %d %d %d %d %d %d %d", v[0], v[1], v[2], v[3], v[4], v[5], v[6], v[7]);
  return SetString(key, text);
}

int ConfigSection::RemoveKey(const char* key) {
  if (key == nullptr) return kSetNoKey;
  if (!owned_) return kSetNotOwned;
  const std::uint8_t* entry = Find(key);
  if (!entry) return kRemoveNotFound;
  std::size_t offset = static_cast<std::size_t>(entry - start_);
  std::size_t length = EntryLength(entry);
  std::uint8_t* base = Writable();
  std::memmove(base + offset, base + offset + length, used_ - offset - length);
  used_ -= length;
  return kRemoveOk;
}

}  // namespace zelph::config
