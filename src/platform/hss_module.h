// Music modules as the mixer sees them. Reading and rendering tracker modules is the work of a library
// outside this layer (libxmp, in platform/xmp); the mixer only asks for the next stretch of samples, so that
// whatever links the mixer (every layer above the platform, and their tests) need not link that library.
// The application installs the reader at start-up; until then no music loads.
#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>
#include <span>

#include "platform/result.h"

namespace zelph::platform {

// One loaded module and its player. Used by one channel at a time, under the mixer's lock.
class ModulePlayer {
 public:
  virtual ~ModulePlayer() = default;
  // Starts the song from its beginning (again, when it was playing), rendering signed 16-bit interleaved
  // stereo at `rate` frames a second. E_FAIL when the player cannot.
  virtual Result Start(int rate) = 0;
  // The next stretch of the song, whole stereo frames. Empty when the song is over: after its last note, or
  // when it has come round to its start and `endless` is false. Valid until the next call.
  virtual std::span<const std::int16_t> Next(bool endless) = 0;
};

// Parses a module: S_OK and its player; E_INVALIDARG for bytes that are no module the reader knows,
// E_OUTOFMEMORY when it has no room.
using ModuleReader = Result (*)(const void* data, std::size_t size, std::unique_ptr<ModulePlayer>* player);

// The reader every hssMusic loads with, for the whole process; null (the start) takes none, and then music
// fails to load (E_FAIL) while sound effects play as usual. Safe from any thread.
void InstallModuleReader(ModuleReader reader);
ModuleReader InstalledModuleReader();

}  // namespace zelph::platform
