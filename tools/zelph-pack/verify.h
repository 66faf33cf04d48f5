// zelph-pack verify: reads a pack the way the game does and reports every problem it finds.
#pragma once

#include <filesystem>

namespace zelph::tools {

// Prints a line per problem to standard error and a summary to standard output; the number of problems
// (0 when the pack is sound), or -1 when the file cannot be read at all.
int VerifyPack(const std::filesystem::path& path);

}  // namespace zelph::tools
