// Whole-file reads and crash-safe writes.
#pragma once

#include <cstdint>
#include <filesystem>
#include <optional>
#include <span>
#include <string_view>
#include <vector>

namespace zelph::platform {

// The whole file, or nullopt when it cannot be opened or read.
std::optional<std::vector<std::uint8_t>> ReadWholeFile(const std::filesystem::path& path);

enum class AtomicWrite {
  kDone,
  kCannotCreate,   // the temporary file could not be made (no folder, no room for a name, no permission)
  kWriteFailed,    // writing or flushing it failed (a full disk, a file-size limit)
  kCannotReplace,  // the destination is not writable, or the rename failed
};

// Writes `bytes` to "<path>.tmp", flushes it to disk and renames it over `path` in one step, so that a crash
// leaves either the old file or the new one. An existing destination that is not writable is left alone and
// the write fails. On every failure `path` is untouched and no temporary file is left behind.
AtomicWrite TryWriteFileAtomically(const std::filesystem::path& path, std::span<const std::uint8_t> bytes);
// The same, true when done.
bool WriteFileAtomically(const std::filesystem::path& path, std::span<const std::uint8_t> bytes);
bool WriteFileAtomically(const std::filesystem::path& path, std::string_view text);

bool FileIsReadable(const std::filesystem::path& path);

// Moves a file that could not be read out of the way as "<path>.bad" (replacing an older such copy), so that
// the player's data is never destroyed silently, and says so once on standard error: which file (`what`
// names its role, e.g. "registry"), `why`, and where the copy went. A missing file leaves nothing to keep.
// Returns the copy's path, empty when there was nothing to move or the move failed.
std::filesystem::path SetAsideUnreadable(const std::filesystem::path& path, std::string_view what,
                                         std::string_view why);

}  // namespace zelph::platform
