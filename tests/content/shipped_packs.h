// The shipped packs of one build, registered and loaded the way the game does it on its first start.
#pragma once

#include <gtest/gtest.h>

#include <filesystem>
#include <ostream>

#include "config/resources.h"
#include "gfx/graphics_context.h"
#include "platform/home.h"
#include "platform/registry.h"
#include "test_support/temp_dir.h"

namespace zelph::content {

struct Build {
  const char* name;
  int width, height;
};

inline void PrintTo(const Build& b, std::ostream* os) { *os << b.name; }

class ShippedPacks : public ::testing::TestWithParam<Build> {
 protected:
  void SetUp() override {
    // Pictures decode into surfaces of the display's pixel format.
    gfx::GraphicsContext::Global().MarkOpen(
        gfx::DisplayProperties::Rgb565(GetParam().width, GetParam().height));
    platform::SetHomeDir(home_.path());
    platform::OpenSystemRegistry(home_.path() / "registry.reg");
    config::ReleaseResources();
    const auto data = std::filesystem::path(ZELPH_DATA_DIR) / GetParam().name;
    ASSERT_GE(config::RegisterDefaultPacks(data), 3) << data;
    ASSERT_EQ(config::LoadResources(settings_), S_OK);
  }
  void TearDown() override {
    config::ReleaseResources();
    gfx::GraphicsContext::Global().MarkClosed();
  }

  test::TempDir home_;
  config::UserSettingsFile settings_;
};

inline constexpr Build kVgaBuild{"vga", 640, 480};
inline constexpr Build kQvgaBuild{"qvga", 320, 240};

}  // namespace zelph::content
