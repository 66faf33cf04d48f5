// The music module reader over libxmp (MOD, XM, S3M, IT and the other formats it reads). The application
// installs it at start-up (InstallModuleReader); only what loads real modules links it.
#pragma once

#include <cstddef>
#include <memory>

#include "platform/hss_module.h"

namespace zelph::platform {

Result ReadXmpModule(const void* data, std::size_t size, std::unique_ptr<ModulePlayer>* player);

}  // namespace zelph::platform
