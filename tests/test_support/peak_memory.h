// Peak memory of a piece of work or of a program, for the tests that feed the game hostile files.
#pragma once

#include <cstddef>
#include <functional>
#include <string>
#include <vector>

namespace zelph::test {

inline constexpr std::size_t kMiB = std::size_t{1} << 20;

// The most memory `work` held at any moment beyond what was held when it started, in bytes. Under
// AddressSanitizer every allocation of the process is counted through the sanitizer's hooks (what was asked
// for, whether touched or not); otherwise `work` runs in a forked child and the growth of the child's peak
// resident size is measured, so the effects of `work` may be lost: check its results separately. A `work`
// that crashes the child measures as the largest size_t.
std::size_t PeakMemoryOf(const std::function<void()>& work);

struct ProgramRun {
  int exitCode = -1;          // -1 when the program did not exit normally
  std::size_t peakBytes = 0;  // the program's peak resident size, sanitizer runtime included
};

// Runs `argv` (the program first, a path) with standard output and error going to `log`. Its peak resident
// size is read from its status every millisecond while it runs: a growth in the last millisecond before it
// ends may be missed, a bomb's hundreds of megabytes are not.
ProgramRun RunProgram(const std::vector<std::string>& argv, const std::string& log);

}  // namespace zelph::test
