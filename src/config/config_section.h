// One named section of a configuration document and its typed getters and setters.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <memory>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "config/value_types.h"

namespace zelph::config {

// Results of the setters.
inline constexpr int kSetOk = 1;
inline constexpr int kSetNotOwned = -2;
inline constexpr int kSetOutOfMemory = -3;
inline constexpr int kSetNoKey = -4;
inline constexpr int kSetNoValue = -5;
inline constexpr int kSetTooLong = -6;  // the entry would not fit its 16-bit length
// Results of RemoveKey.
inline constexpr int kRemoveOk = 1;
inline constexpr int kRemoveNotFound = -1;

// Lists longer than this are cut short: a hostile count must not exhaust memory.
inline constexpr std::int32_t kMaxListCount = 65536;

class ConfigSection {
 public:
  ConfigSection(const ConfigSection&) = delete;
  ConfigSection& operator=(const ConfigSection&) = delete;

  const char* Name() const { return name_; }
  int Source() const { return source_; }
  // Only owned sections (made by AddSection or CopySection) can be written.
  bool Owned() const { return owned_; }
  // The key entries, as they are written to a file.
  std::span<const std::uint8_t> Entries() const { return {start_, used_}; }
  std::size_t Capacity() const { return capacity_; }

  // The keys of every entry, in order (a key may repeat).
  std::vector<std::string_view> Keys() const;

  // Getters. The first entry with the key wins; keys compare byte by byte. Those with a default return it
  // for a missing key; those with an output return whether the key was found and leave the output alone
  // when it was not.
  const char* GetRaw(std::string_view key) const;
  std::int32_t GetInt(std::string_view key, std::int32_t fallback) const;
  std::uint32_t GetNumber(std::string_view key, std::uint32_t fallback) const;  // "0x" hexadecimal or decimal
  double GetDouble(std::string_view key, double fallback) const;
  bool GetBool(std::string_view key, bool fallback) const;
  bool GetString(std::string_view key, std::u16string& out) const;
  bool GetRect(std::string_view key, Rect& out) const;  // "x y w h"
  bool GetQuad(std::string_view key, std::array<std::int32_t, 4>& out) const;
  bool GetColor(std::string_view key, std::uint32_t& out) const;  // "r g b" -> 0x00BBGGRR
  bool GetPoint(std::string_view key, Point& out) const;
  bool GetEightInts(std::string_view key, std::array<std::int32_t, 8>& out) const;
  // "n v1 .. vn"; missing numbers read as 0.
  bool GetIntList(std::string_view key, std::vector<std::int32_t>& out) const;
  bool GetPointList(std::string_view key, std::vector<Point>& out) const;  // "n x1 y1 .. xn yn"

  // Setters append an entry (they never replace one; lookups see the first). kSetOk or a failure code.
  int SetString(const char* key, const char* value);
  int SetInt(const char* key, std::int32_t value);
  int SetWideString(const char* key, std::u16string_view value);
  int SetEightInts(const char* key, const std::array<std::int32_t, 8>& values);
  // Removes the first entry with the key: kRemoveOk, kRemoveNotFound, kSetNotOwned or kSetNoKey.
  int RemoveKey(const char* key);

 private:
  friend class ConfigDocument;
  ConfigSection() = default;

  // A section inside a loaded buffer.
  static std::unique_ptr<ConfigSection> InBuffer(const char* name, const std::uint8_t* start, std::size_t used,
                                                 int source);
  // An owned section holding its name and room for `capacity` bytes of entries, which start as a copy of
  // `entries`. Null when memory runs out.
  static std::unique_ptr<ConfigSection> MakeOwned(std::string_view name, std::span<const std::uint8_t> entries,
                                                  std::size_t capacity, int source);

  const std::uint8_t* Find(std::string_view key) const;  // the entry, or null
  bool Reserve(std::size_t extra);
  std::uint8_t* Writable() { return ownBuffer_.data() + (start_ - ownBuffer_.data()); }

  const char* name_ = nullptr;
  std::vector<std::uint8_t> ownBuffer_;  // name, NUL, then the entries; empty when inside a source
  const std::uint8_t* start_ = nullptr;
  std::size_t used_ = 0;
  std::size_t capacity_ = 0;
  int source_ = -1;
  bool owned_ = false;
};

}  // namespace zelph::config
