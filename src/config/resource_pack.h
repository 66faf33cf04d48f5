// One open resource pack: its file stays open for the run and only its directory is kept in memory; each
// resource is read and inflated when asked for. Every operation takes the pack's lock, so the main thread and
// the game thread may extract at the same time.
//
// A read that fails (the pack's storage card was removed, or is not readable yet after the device woke up)
// is retried 20 times, 100 ms apart, reopening the file each time; when it still fails the game is ended
// through the abort message, with the pack's path as the error.
#pragma once

#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <mutex>
#include <optional>
#include <span>
#include <utility>
#include <vector>

#include "config/pack_format.h"

namespace zelph::config {

class ResourcePack {
 public:
  ResourcePack() = default;
  ~ResourcePack();
  ResourcePack(const ResourcePack&) = delete;
  ResourcePack& operator=(const ResourcePack&) = delete;

  // Opens the file and reads its directory. False when the file cannot be opened or read, or when its
  // directory is corrupt (a count the file cannot hold is refused before anything is allocated).
  bool Open(const std::filesystem::path& path);
  void Close();
  bool IsOpen() const;

  // Lowest and highest identifier of the directory; (0, 0) when it is empty.
  std::pair<std::uint32_t, std::uint32_t> Range() const;
  std::size_t EntryCount() const;
  const std::filesystem::path& Path() const { return path_; }

  // The resource's bytes, inflated into a new buffer of exactly its size (no entry may claim more than
  // kMaxResourceSize). Nullopt when the identifier is absent, a size is 0, memory runs out, the read fails or
  // the data does not inflate to its size.
  std::optional<std::vector<std::uint8_t>> Extract(std::uint32_t id);
  // The same into the caller's buffer, which must hold the uncompressed size; returns that size.
  std::optional<std::size_t> Extract(std::uint32_t id, std::span<std::uint8_t> into);

  // Uncompressed size of a resource, or nullopt when absent.
  std::optional<std::uint32_t> SizeOf(std::uint32_t id) const;

 private:
  const PackEntry* FindLocked(std::uint32_t id) const;
  // Opens `path_` and reads its count and directory, through ReadWithRetry when `retry` is set.
  bool OpenFile(bool retry);
  void CloseLocked();
  bool ReadWithRetry(std::uint64_t offset, std::uint8_t* buffer, std::size_t size);
  bool ReadAt(std::uint64_t offset, std::uint8_t* buffer, std::size_t size) const;
  // Inflates into `grow`, which it enlarges as the data comes, or else into `fixed`, which holds the size.
  bool InflateLocked(const PackEntry& entry, std::vector<std::uint8_t>* grow, std::uint8_t* fixed);

  std::filesystem::path path_;
  int fd_ = -1;
  std::vector<PackEntry> directory_;
  mutable std::mutex mutex_;
};

}  // namespace zelph::config
