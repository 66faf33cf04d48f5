// Installs a music module reader for one test and puts back the one before, since the reader is
// process-wide.
#pragma once

#include "platform/hss_module.h"

namespace zelph::test {

class ModuleReaderScope {
 public:
  explicit ModuleReaderScope(platform::ModuleReader reader) : previous_(platform::InstalledModuleReader()) {
    platform::InstallModuleReader(reader);
  }
  ~ModuleReaderScope() { platform::InstallModuleReader(previous_); }
  ModuleReaderScope(const ModuleReaderScope&) = delete;
  ModuleReaderScope& operator=(const ModuleReaderScope&) = delete;

 private:
  platform::ModuleReader previous_;
};

}  // namespace zelph::test
