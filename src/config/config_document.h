// A configuration document: the loaded configuration files (".ino" files, or the same format extracted from a
// resource pack) and their sections in load order. Lookups return the first section of a name that the
// source filter lets through.
#pragma once

#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <memory>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "config/config_section.h"
#include "config/ino_format.h"
#include "config/scramble.h"

namespace zelph::config {

// Load results (an index on success).
inline constexpr int kLoadNoData = -1;
inline constexpr int kLoadCannotOpen = -3;
inline constexpr int kLoadUnscrambleFailed = -3;
inline constexpr int kLoadOutOfMemory = -4;
inline constexpr int kLoadCorrupt = -5;  // empty, unreadable, or an entry that does not fit the data
inline constexpr int kLoadChecksumMismatch = -10;
// AddSection / CopySection failure.
inline constexpr int kSectionFailed = -2;
// Save results.
inline constexpr int kSaveOk = 1;
inline constexpr int kSaveCannotCreate = -1;  // also when the source does not exist
inline constexpr int kSaveWriteFailed = -2;
inline constexpr int kSaveCannotReplace = -10;  // the destination is read-only or the rename failed
// What one document holds at most: the loaded data of all its sources together, and its sections. Far
// above anything the game loads, and low enough that the index of a hostile document stays small: a section
// costs about a hundred bytes and its header entry can be four.
inline constexpr std::size_t kMaxDocumentBytes = std::size_t{64} << 20;
inline constexpr std::size_t kMaxSections = 65536;
// Spare room CopyFrom gives every copied section.
inline constexpr std::size_t kCopySpare = 1024;

inline constexpr char kMemoryLabel[] = "mem";
inline constexpr char kNewFileLabel[] = "newfile.ino";

struct ConfigSource {
  std::string path;                  // the file's path, "mem" or "newfile.ino"
  std::vector<std::uint8_t> buffer;  // the whole file, unscrambled; empty for a new source
};

class ConfigDocument {
 public:
  ConfigDocument();
  ~ConfigDocument();
  ConfigDocument(const ConfigDocument&) = delete;
  ConfigDocument& operator=(const ConfigDocument&) = delete;

  // Loading: the index of the new source, or a kLoad code. A failed load leaves the document as it was.
  // kLoadOutOfMemory also when the document cannot hold the data (kMaxDocumentBytes, kMaxSections).
  int LoadFile(const std::filesystem::path& path);
  int LoadMemory(std::vector<std::uint8_t> buffer, std::string_view label = kMemoryLabel);

  // A source with no buffer, for sections made in memory; also sets the scrambled flag.
  int AddEmptySource(bool scrambled);
  // A new source holding a writable copy of every section visible in `other`, or kSectionFailed (nothing
  // added). Afterwards every source is visible.
  int CopyFrom(const ConfigDocument& other);
  // Restricts lookups to one source, or -1 for all; 1, or 0 (unchanged) for an index past the sources.
  int SelectSource(int index);
  int SourceFilter() const { return sourceFilter_; }

  ConfigSection* FindSection(std::string_view name);
  const ConfigSection* FindSection(std::string_view name) const;
  int FindSectionIndex(std::string_view name) const;
  ConfigSection* SectionAt(int index);
  const ConfigSection* SectionAt(int index) const;
  // Visible sections in order: the index of the next one after `previous` (or the first), -1 at the end.
  int FirstSection(std::u16string* name = nullptr) const { return NextSection(-1, name); }
  int NextSection(int previous, std::u16string* name = nullptr) const;
  // 1, or 0 when the index is out of range or not visible.
  int RemoveSection(int index);
  // A new empty writable section attached to `source`, with room for at least `minimumSize` bytes (and the
  // name plus 16). Its index, or kSectionFailed.
  int AddSection(int source, const char* name, std::size_t minimumSize);
  // A writable copy of `section` (null name: the same name) attached to `source`, with `spare` bytes of room
  // (at least the name plus 16). Its index, or kSectionFailed.
  int CopySection(int source, const ConfigSection* section, const char* name, std::size_t spare);

  // Writes the sections of one source to `path` through "<path>.tmp" and an atomic rename: kSaveOk, or a
  // kSave code, in which case the file at `path` is untouched.
  int Save(int source, const std::filesystem::path& path) const;
  // The file image Save writes for `source` before scrambling (with the given header filler).
  std::vector<std::uint8_t> Serialize(int source, const InoFiller& filler) const;

  // Document-level getters by section index; the fallback for an index that is out of range or hidden.
  const char* GetRawAt(int section, std::string_view key) const;
  std::int32_t GetIntAt(int section, std::string_view key, std::int32_t fallback) const;
  std::uint32_t GetNumberAt(int section, std::string_view key, std::uint32_t fallback) const;

  void SetScrambled(bool scrambled) { scrambled_ = scrambled; }
  bool Scrambled() const { return scrambled_; }
  // In-place XOR with the document's key; does nothing when the document is not scrambled. False for no data.
  bool Scramble(std::uint8_t* buffer, std::size_t length) const;
  bool Unscramble(std::uint8_t* buffer, std::size_t length) const { return Scramble(buffer, length); }

  int SourceCount() const { return static_cast<int>(sources_.size()); }
  const ConfigSource* SourceAt(int index) const;
  int SectionCount() const { return static_cast<int>(sections_.size()); }
  // Frees every section and source; every source is visible again. The scrambled flag stays.
  void Clear();

 private:
  bool Visible(const ConfigSection& section) const;
  bool ValidSource(int source) const { return source >= 0 && source < SourceCount(); }
  int AddOwned(int source, std::string_view name, std::span<const std::uint8_t> entries, std::size_t capacity);

  std::vector<std::unique_ptr<ConfigSection>> sections_;
  std::vector<std::unique_ptr<ConfigSource>> sources_;
  std::size_t loadedBytes_ = 0;  // of every loaded source's buffer
  int sourceFilter_ = -1;
  bool scrambled_ = false;
  char key_[kScrambleKeyBufferSize] = {};
};

}  // namespace zelph::config
