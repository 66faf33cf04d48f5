// Writing a finished file image so that a crash at any moment leaves either the old file or the new one.
#pragma once

#include <cstdint>
#include <filesystem>
#include <span>

namespace zelph::config {

// Writes `image` to "<path>.tmp", flushes it to disk and renames it over `path`. Creating and writing share
// two attempts a second apart. kSaveOk; kSaveCannotCreate, kSaveWriteFailed (the temporary file is left), or
// kSaveCannotReplace when the destination is read-only or the rename fails; on failure `path` is untouched.
int WriteInoFile(const std::filesystem::path& path, std::span<const std::uint8_t> image);

}  // namespace zelph::config
