// Writing a finished file image so that a crash at any moment leaves either the old file or the new one.
#pragma once

#include <cstdint>
#include <filesystem>
#include <span>

namespace zelph::config {

// Writes `image` through platform::WriteFileAtomically ("<path>.tmp", flushed, renamed over `path`).
// Creating and writing share two attempts a second apart. kSaveOk; kSaveCannotCreate, kSaveWriteFailed, or
// kSaveCannotReplace when the destination is read-only or the rename fails. On failure `path` is untouched
// and no temporary file is left.
int WriteInoFile(const std::filesystem::path& path, std::span<const std::uint8_t> image);

}  // namespace zelph::config
