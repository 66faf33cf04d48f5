#include "platform/hss_module.h"

#include <atomic>

namespace zelph::platform {
namespace {

std::atomic<ModuleReader> gReader{nullptr};

}  // namespace

void InstallModuleReader(ModuleReader reader) { gReader = reader; }
ModuleReader InstalledModuleReader() { return gReader; }

}  // namespace zelph::platform
