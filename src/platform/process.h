// Starting other programs: the shell's fixer program (never waited for) and registered companion programs
// (waited for, exit code taken).
#pragma once

#include <filesystem>
#include <optional>
#include <string>

namespace zelph::platform {

using ProcessId = int;
inline constexpr ProcessId kNoProcess = -1;

// Starts `program` with the single argument `commandLine` (none when empty). Returns kNoProcess when it cannot
// be started.
ProcessId StartProcess(const std::filesystem::path& program, const std::string& commandLine);

// Starts a program that nobody waits for; it is reaped in the background so it leaves no zombie.
bool StartDetachedProcess(const std::filesystem::path& program, const std::string& commandLine);

// Waits for the process to end and returns its exit code (128 + signal when it was killed); nullopt when it
// cannot be waited for.
std::optional<int> WaitProcess(ProcessId pid);

}  // namespace zelph::platform
