#include "gfx/png_writer.h"

#include <gtest/gtest.h>
#include <png.h>

#include <vector>

#include "test_support/peak_memory.h"
#include "test_support/temp_dir.h"

namespace zelph::gfx {
namespace {

TEST(PngWriter, WritesPixelsThatReadBackWithFullRangeColours) {
  zelph::test::TempDir dir;
  // Three pixels on a row with padding: white, pure red, a mid green; the second row is black.
  const int pitchPixels = 5;
  std::vector<std::uint16_t> pixels(pitchPixels * 2, 0x1234);
  pixels[0] = 0xFFFF;
  pixels[1] = 0xF800;
  pixels[2] = 0x0400;
  for (int x = 0; x < 3; ++x) pixels[pitchPixels + x] = 0;
  auto file = dir.path() / "shot.png";
  ASSERT_TRUE(WritePngRgb565(file, pixels.data(), 3, 2, pitchPixels * 2));

  png_image image{};
  image.version = PNG_IMAGE_VERSION;
  ASSERT_TRUE(png_image_begin_read_from_file(&image, file.c_str()));
  image.format = PNG_FORMAT_RGB;
  std::vector<std::uint8_t> rgb(PNG_IMAGE_SIZE(image));
  ASSERT_TRUE(png_image_finish_read(&image, nullptr, rgb.data(), 0, nullptr));
  ASSERT_EQ(image.width, 3u);
  ASSERT_EQ(image.height, 2u);
  EXPECT_EQ((std::vector<int>{rgb[0], rgb[1], rgb[2]}), (std::vector<int>{255, 255, 255}));
  EXPECT_EQ((std::vector<int>{rgb[3], rgb[4], rgb[5]}), (std::vector<int>{255, 0, 0}));
  EXPECT_EQ((std::vector<int>{rgb[6], rgb[7], rgb[8]}), (std::vector<int>{0, 130, 0}));
  EXPECT_EQ(rgb[9], 0);
}

// Rows are converted and written one at a time: a large picture costs its encoded file and one row, not a
// second copy of itself in RGB.
TEST(PngWriter, LargePictureIsWrittenRowByRow) {
  zelph::test::TempDir dir;
  const int side = 4096;
  std::vector<std::uint16_t> pixels(std::size_t{side} * side, 0xF800);
  const auto file = dir.path() / "large.png";
  EXPECT_LT(zelph::test::PeakMemoryOf([&] { WritePngRgb565(file, pixels.data(), side, side, side * 2); }),
            4 * zelph::test::kMiB);
  ASSERT_TRUE(WritePngRgb565(file, pixels.data(), side, side, side * 2));
  png_image image{};
  image.version = PNG_IMAGE_VERSION;
  ASSERT_TRUE(png_image_begin_read_from_file(&image, file.c_str()));
  EXPECT_EQ(image.width, static_cast<png_uint_32>(side));
  png_image_free(&image);
}

TEST(PngWriter, RefusesImpossibleShapes) {
  zelph::test::TempDir dir;
  std::uint16_t p = 0;
  EXPECT_FALSE(WritePngRgb565(dir.path() / "a.png", nullptr, 1, 1, 2));
  EXPECT_FALSE(WritePngRgb565(dir.path() / "a.png", &p, 0, 1, 2));
  EXPECT_FALSE(WritePngRgb565(dir.path() / "a.png", &p, 2, 1, 2));  // pitch shorter than a row
  EXPECT_FALSE(WritePngRgb565(dir.path() / "missing" / "a.png", &p, 1, 1, 2));
}

}  // namespace
}  // namespace zelph::gfx
