// The desktop icon: a rounded shape on a clear ground at every size, and the job's size list.
#include "icons.h"

#include <png.h>
#include <gtest/gtest.h>

#include <filesystem>

#include "jobs.h"
#include "test_support/temp_dir.h"

namespace zelph::assetgen {
namespace {

TEST(Icon, EverySizeIsOpaqueInsideWithClearRoundedCorners) {
  for (int size : {48, 128, 256}) {
    SCOPED_TRACE(size);
    const std::vector<std::uint8_t> rgba = StraightRgba(DrawIcon(size));
    ASSERT_EQ(rgba.size(), static_cast<std::size_t>(size) * size * 4);
    auto alpha = [&](int x, int y) { return rgba[(static_cast<std::size_t>(y) * size + x) * 4 + 3]; };
    EXPECT_EQ(alpha(0, 0), 0);
    EXPECT_EQ(alpha(size - 1, size - 1), 0);
    EXPECT_EQ(alpha(size / 16, size / 16), 0) << "the corner is rounded";
    EXPECT_EQ(alpha(size / 2, size / 2), 255);
    EXPECT_EQ(alpha(size / 2, size / 8), 255);
  }
}

TEST(Icon, TheJobWritesOnePngPerSizeAndRefusesBadSizes) {
  zelph::test::TempDir dir;
  JobOptions options;
  options.outDir = dir.path().string();
  std::string error;
  options.description = "48,64";
  ASSERT_TRUE(RunIconsJob(options, error)) << error;
  png_image image{};
  image.version = PNG_IMAGE_VERSION;
  ASSERT_TRUE(png_image_begin_read_from_file(&image, (dir.path() / "orv-zelph-64.png").c_str()));
  EXPECT_EQ(image.width, 64u);
  EXPECT_NE(image.format & PNG_FORMAT_FLAG_ALPHA, 0u);
  png_image_free(&image);
  EXPECT_TRUE(std::filesystem::exists(dir.path() / "orv-zelph-48.png"));
  for (const char* bad : {"", "48,", "8", "2048", "48;128", "x"}) {
    error.clear();
    options.description = bad;
    EXPECT_FALSE(RunIconsJob(options, error)) << bad;
    EXPECT_FALSE(error.empty()) << bad;
  }
}

}  // namespace
}  // namespace zelph::assetgen
