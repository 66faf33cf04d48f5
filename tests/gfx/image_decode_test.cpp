#include "gfx/image_decode.h"

#include <gtest/gtest.h>

#include <filesystem>

#include "gfx/ebm_format.h"
#include "gfx/image_decoders.h"
#include "image_samples.h"
#include "platform/file_io.h"
#include "platform/system_info.h"
#include "reference.h"
#include "test_support/temp_dir.h"

namespace zelph::gfx {
namespace {

using samples::Bytes;
using samples::Rgb;

class ImageDecodeTest : public ::testing::Test {
 protected:
  // Decodes and compares every pixel with `want` (rows from the top).
  void ExpectPicture(const Bytes& file, const std::vector<std::vector<Pixel>>& want,
                     std::uint32_t flags = 0) {
    Surface s(open.context);
    ASSERT_EQ(DecodeImage(s, file, flags), S_OK);
    ASSERT_EQ(s.Height(), static_cast<int>(want.size()));
    ASSERT_EQ(s.Width(), static_cast<int>(want[0].size()));
    for (int y = 0; y < s.Height(); ++y) {
      for (int x = 0; x < s.Width(); ++x) {
        EXPECT_EQ(s.Row(y)[x], want[static_cast<std::size_t>(y)][static_cast<std::size_t>(x)])
            << "pixel " << x << "," << y;
      }
    }
  }

  ref::OpenContext open;
};

const std::vector<Rgb> kPalette = {{0, 0, 0},   {255, 255, 255}, {255, 0, 0},   {0, 255, 0},
                                   {0, 0, 255}, {255, 0, 255},   {12, 200, 99}, {250, 128, 7}};

std::vector<std::vector<Pixel>> ThroughPalette(const std::vector<std::vector<int>>& indices) {
  std::vector<std::vector<Pixel>> out;
  for (const auto& row : indices) {
    std::vector<Pixel> r;
    for (int i : row) r.push_back(kPalette[static_cast<std::size_t>(i)].ToPixel());
    out.push_back(r);
  }
  return out;
}

TEST_F(ImageDecodeTest, Ebm565KeepsPixelsAndSkipsRowPadding) {
  const std::vector<Pixel> pixels = {0xF800, 0x07E0, 0x001F, 0xFFFF, 0x0000, 0xF81F};
  ExpectPicture(samples::BuildEbm565(3, 2, pixels), {{0xF800, 0x07E0, 0x001F}, {0xFFFF, 0x0000, 0xF81F}});
}

TEST_F(ImageDecodeTest, Ebm8gaGivesGreyInEveryChannel) {
  EbmHeader h;
  h.format = EbmFormat::k8ga;
  h.width = 3;
  h.height = 1;
  const Bytes file = WriteEbm(h, Bytes{0, 0x80, 0xFF});
  ExpectPicture(file, {{0x0000, GreyToPixel(0x80), 0xFFFF}});
  EXPECT_EQ(GreyToPixel(0x80), 0x8410);
}

TEST_F(ImageDecodeTest, EbmHeadersThatDisagreeWithTheirDataAreRefused) {
  Surface s(open.context);
  const Bytes good = samples::BuildEbm565(4, 4, std::vector<Pixel>(16, 0x1111));
  auto withField = [&](std::size_t offset, std::uint32_t value) {
    Bytes b = good;
    for (int i = 0; i < 4; ++i) b[offset + i] = static_cast<std::uint8_t>(value >> (8 * i));
    return b;
  };
  EXPECT_EQ(DecodeImage(s, withField(8, 0), 0), GFX_E_BAD_IMAGE) << "width 0";
  EXPECT_EQ(DecodeImage(s, withField(8, 0x10000), 0), GFX_E_BAD_IMAGE) << "width beyond the data";
  EXPECT_EQ(DecodeImage(s, withField(12, 0xFFFFFFFF), 0), GFX_E_BAD_IMAGE) << "height huge";
  EXPECT_EQ(DecodeImage(s, withField(16, 31), 0), GFX_E_BAD_IMAGE) << "data size short of the picture";
  EXPECT_EQ(DecodeImage(s, withField(16, 33), 0), GFX_E_BAD_IMAGE) << "data size beyond the file";
  EXPECT_FALSE(s.HasPixels());
  Bytes otherFormat = good;
  otherFormat[4] = '4';
  EXPECT_EQ(DetectImageFormat(otherFormat), ImageFormat::kUnknown);
  EXPECT_EQ(DecodeImage(s, otherFormat, 0), GFX_E_BAD_IMAGE);
  // Extra bytes after the picture are harmless.
  Bytes longer = withField(16, 40);
  longer.resize(longer.size() + 8, 0);
  EXPECT_EQ(DecodeImage(s, longer, 0), S_OK);
}

TEST_F(ImageDecodeTest, BmpPlainPalettedDepthsBottomUpAndTopDown) {
  const std::vector<std::vector<int>> twoColours = {{0, 1, 1, 0, 1, 0, 0, 1, 1, 1},
                                                    {1, 0, 0, 1, 0, 1, 1, 0, 0, 0}};
  const std::vector<std::vector<int>> eightColours = {{0, 1, 2, 3, 4}, {5, 6, 7, 0, 1}, {7, 7, 2, 2, 6}};
  for (int bits : {1, 4, 8}) {
    for (bool topDown : {false, true}) {
      const auto& indices = bits == 1 ? twoColours : eightColours;
      samples::BmpPicture bmp;
      bmp.width = static_cast<std::int32_t>(indices[0].size());
      bmp.height = static_cast<std::int32_t>(indices.size()) * (topDown ? -1 : 1);
      bmp.bitsPerPixel = static_cast<std::uint16_t>(bits);
      bmp.palette.assign(kPalette.begin(), kPalette.begin() + (bits == 1 ? 2 : 8));
      bmp.data = samples::PackIndexRows(indices, bits, topDown);
      SCOPED_TRACE(testing::Message() << bits << " bits, top-down " << topDown);
      ExpectPicture(samples::BuildBmp(bmp), ThroughPalette(indices));
    }
  }
}

TEST_F(ImageDecodeTest, BmpCoreHeaderAndTwentyFourBits) {
  samples::BmpPicture core;
  core.coreHeader = true;
  core.width = 3;
  core.height = 2;
  core.palette.assign(kPalette.begin(), kPalette.end());
  const std::vector<std::vector<int>> indices = {{2, 3, 4}, {5, 6, 7}};
  core.data = samples::PackIndexRows(indices, 8, false);
  ExpectPicture(samples::BuildBmp(core), ThroughPalette(indices));

  samples::BmpPicture rgb;
  rgb.width = 2;
  rgb.height = 2;
  rgb.bitsPerPixel = 24;
  // Bottom row first, blue-green-red, rows padded to 8 bytes.
  rgb.data = {255, 0, 0, 0, 255, 0, 0, 0, /**/ 0, 0, 255, 8, 16, 24, 0, 0};
  ExpectPicture(samples::BuildBmp(rgb), {{Rgb{255, 0, 0}.ToPixel(), Rgb{24, 16, 8}.ToPixel()},
                                         {Rgb{0, 0, 255}.ToPixel(), Rgb{0, 255, 0}.ToPixel()}});
}

TEST_F(ImageDecodeTest, BmpResourceFormStartsAtTheInformationHeader) {
  samples::BmpPicture bmp;
  bmp.width = 3;
  bmp.height = 2;
  bmp.bitsPerPixel = 4;
  bmp.palette.assign(kPalette.begin(), kPalette.end());
  const std::vector<std::vector<int>> indices = {{1, 2, 3}, {4, 5, 6}};
  bmp.data = samples::PackIndexRows(indices, 4, false);
  const Bytes file = samples::BuildBmp(bmp);
  const Bytes resource(file.begin() + 14, file.end());
  Surface s(open.context);
  ASSERT_EQ(DecodeBmp(s, resource, 0, /*fileForm=*/false), S_OK);
  EXPECT_EQ(s.Row(0)[0], kPalette[1].ToPixel());
  EXPECT_EQ(s.Row(1)[2], kPalette[6].ToPixel());
  EXPECT_EQ(DecodeBmp(s, file, 0, /*fileForm=*/false), GFX_E_BAD_IMAGE)
      << "a file header is no information header";
  EXPECT_EQ(DetectImageFormat(resource), ImageFormat::kUnknown);
}

TEST_F(ImageDecodeTest, BmpRunLengthFormsWithLiteralsMovesAndEarlyEnd) {
  // 6 x 3, bottom-up. Stored row 0 (the bottom): a run of three 1s, a literal 2 3 4 (padded), end of row.
  // Stored row 1: move 2 right, a run of two 7s, end of row. Then end of picture: the top row stays black.
  samples::BmpPicture rle8;
  rle8.width = 6;
  rle8.height = 3;
  rle8.compression = 1;
  rle8.palette.assign(kPalette.begin(), kPalette.end());
  rle8.data = {3, 1, 0, 3, 2, 3, 4, 0, 0, 0, /**/ 0, 2, 2, 0, 2, 7, 0, 0, /**/ 0, 1};
  const Pixel k = 0;  // never written: black
  auto p = [](int i) { return kPalette[static_cast<std::size_t>(i)].ToPixel(); };
  ExpectPicture(samples::BuildBmp(rle8),
                {{k, k, k, k, k, k}, {k, k, p(7), p(7), k, k}, {p(1), p(1), p(1), p(2), p(3), p(4)}});

  // The same picture in the 4-bit form: runs alternate two colours, literals are packed two to a byte.
  samples::BmpPicture rle4 = rle8;
  rle4.bitsPerPixel = 4;
  rle4.compression = 2;
  rle4.data = {3, 0x12, 0, 3, 0x34, 0x50, 0, 0, /**/ 0, 2, 2, 0, 2, 0x77, 0, 0, /**/ 0, 1};
  ExpectPicture(samples::BuildBmp(rle4),
                {{k, k, k, k, k, k}, {k, k, p(7), p(7), k, k}, {p(1), p(2), p(1), p(3), p(4), p(5)}});
}

TEST_F(ImageDecodeTest, BmpFormsTheGameDoesNotReadAreRefused) {
  Surface s(open.context);
  samples::BmpPicture bmp;
  bmp.width = 2;
  bmp.height = 2;
  for (std::uint16_t bits : {16, 32, 2, 0}) {
    bmp.bitsPerPixel = bits;
    bmp.data.assign(16, 0);
    EXPECT_EQ(DecodeImage(s, samples::BuildBmp(bmp), 0), GFX_E_BAD_IMAGE) << bits;
  }
  bmp.bitsPerPixel = 8;
  bmp.palette.clear();  // the pixels follow the header at once: a colour table of no entries
  EXPECT_EQ(DecodeImage(s, samples::BuildBmp(bmp), 0), GFX_E_BAD_IMAGE);
  bmp.bitsPerPixel = 4;
  bmp.compression = 1;  // the 8-bit run-length form on a 4-bit picture
  bmp.palette.assign(kPalette.begin(), kPalette.end());
  EXPECT_EQ(DecodeImage(s, samples::BuildBmp(bmp), 0), GFX_E_BAD_IMAGE);
  // A run-length picture that ends before its end code while rows remain.
  bmp.bitsPerPixel = 8;
  bmp.data = {2, 1, 0, 0};
  EXPECT_EQ(DecodeImage(s, samples::BuildBmp(bmp), 0), GFX_E_BAD_IMAGE);
  EXPECT_FALSE(s.HasPixels());
  // Pixel data said to start beyond the file.
  Bytes file = samples::BuildBmp(bmp);
  file[10] = 0xFF;
  file[11] = 0xFF;
  EXPECT_EQ(DecodeImage(s, file, 0), GFX_E_BAD_IMAGE);
  EXPECT_EQ(DecodeImage(s, Bytes{'B', 'M', 1, 2}, 0), GFX_E_BAD_IMAGE) << "too short to be a BMP";
}

TEST_F(ImageDecodeTest, PngColourTypesAreWidenedToRgb) {
  samples::PngPicture rgb;
  rgb.width = 2;
  rgb.height = 1;
  rgb.rows = {{255, 0, 0, 10, 20, 30}};
  ExpectPicture(samples::BuildPng(rgb), {{0xF800, Rgb{10, 20, 30}.ToPixel()}});

  samples::PngPicture palette;
  palette.width = 3;
  palette.height = 1;
  palette.colorType = PNG_COLOR_TYPE_PALETTE;
  palette.palette = {kPalette.begin(), kPalette.end()};
  palette.transparency = {255, 0};
  palette.rows = {{6, 1, 7}};
  ExpectPicture(samples::BuildPng(palette), {{kPalette[6].ToPixel(), 0xFFFF, Rgb{250, 128, 7}.ToPixel()}});

  samples::PngPicture grey2;  // 2-bit grey: 0, 85, 170, 255
  grey2.width = 4;
  grey2.height = 1;
  grey2.bitDepth = 2;
  grey2.colorType = PNG_COLOR_TYPE_GRAY;
  grey2.rows = {{0b00011011}};
  ExpectPicture(samples::BuildPng(grey2),
                {{0, Rgb{85, 85, 85}.ToPixel(), Rgb{170, 170, 170}.ToPixel(), 0xFFFF}});

  samples::PngPicture grey16;  // 16-bit grey with alpha: the high bytes count
  grey16.width = 1;
  grey16.height = 1;
  grey16.bitDepth = 16;
  grey16.colorType = PNG_COLOR_TYPE_GRAY_ALPHA;
  grey16.rows = {{0x40, 0xFF, 0x12, 0x34}};
  ExpectPicture(samples::BuildPng(grey16), {{Rgb{0x40, 0x40, 0x40}.ToPixel()}});
}

TEST_F(ImageDecodeTest, PngAlphaAsGreyAndInterlacedPictures) {
  samples::PngPicture rgba;
  rgba.width = 2;
  rgba.height = 1;
  rgba.colorType = PNG_COLOR_TYPE_RGBA;
  rgba.rows = {{255, 255, 255, 0, 1, 2, 3, 200}};
  ExpectPicture(samples::BuildPng(rgba), {{0xFFFF, Rgb{1, 2, 3}.ToPixel()}});
  ExpectPicture(samples::BuildPng(rgba), {{0x0000, GreyToPixel(200)}}, kLoadAlphaAsGrey);
  // Without an alpha channel every pixel is opaque.
  samples::PngPicture rgb = rgba;
  rgb.colorType = PNG_COLOR_TYPE_RGB;
  rgb.rows = {{0, 0, 0, 9, 9, 9}};
  ExpectPicture(samples::BuildPng(rgb), {{0xFFFF, 0xFFFF}}, kLoadAlphaAsGrey);

  samples::PngPicture interlaced;
  interlaced.width = 9;
  interlaced.height = 9;
  interlaced.interlaced = true;
  std::vector<std::vector<Pixel>> want;
  for (std::uint32_t y = 0; y < 9; ++y) {
    Bytes row;
    std::vector<Pixel> pixels;
    for (std::uint32_t x = 0; x < 9; ++x) {
      const Rgb c{static_cast<std::uint8_t>(x * 28), static_cast<std::uint8_t>(y * 28),
                  static_cast<std::uint8_t>(x ^ y)};
      row.insert(row.end(), {c.r, c.g, c.b});
      pixels.push_back(c.ToPixel());
    }
    interlaced.rows.push_back(row);
    want.push_back(pixels);
  }
  ExpectPicture(samples::BuildPng(interlaced), want);
}

TEST_F(ImageDecodeTest, PngThatPromisesMorePixelsThanItsBytesCanHoldIsRefused) {
  samples::PngPicture tiny;
  tiny.width = 1;
  tiny.height = 1;
  tiny.rows = {{1, 2, 3}};
  Bytes file = samples::BuildPng(tiny);
  // IHDR width and height (big-endian, at 16 and 20) raised to 8000 x 8000; the CRC no longer matches
  // either, so whichever check comes first, nothing of that size is made.
  file[18] = 0x1F;
  file[19] = 0x40;
  file[22] = 0x1F;
  file[23] = 0x40;
  Surface s(open.context);
  EXPECT_EQ(DecodeImage(s, file, 0), GFX_E_BAD_IMAGE);
  EXPECT_FALSE(s.HasPixels());
}

// Every shorter piece of a good picture either still decodes (a PNG without its end chunk) or is refused;
// none reads beyond its end (the sanitizers watch) or leaves a picture behind.
TEST_F(ImageDecodeTest, EveryTruncationFailsCleanly) {
  samples::BmpPicture bmp;
  bmp.width = 5;
  bmp.height = 3;
  bmp.palette.assign(kPalette.begin(), kPalette.end());
  bmp.data = samples::PackIndexRows({{0, 1, 2, 3, 4}, {5, 6, 7, 0, 1}, {7, 7, 2, 2, 6}}, 8, false);
  samples::BmpPicture rle = bmp;
  rle.compression = 1;
  rle.data = {3, 1, 0, 3, 2, 3, 4, 0, 0, 0, 0, 2, 2, 0, 2, 7, 0, 0, 0, 1};
  samples::PngPicture png;
  png.width = 3;
  png.height = 2;
  png.rows = {{1, 2, 3, 4, 5, 6, 7, 8, 9}, {9, 8, 7, 6, 5, 4, 3, 2, 1}};
  EbmHeader grey;
  grey.format = EbmFormat::k8ga;
  grey.width = 3;
  grey.height = 3;
  const std::vector<Bytes> files = {samples::BuildBmp(bmp), samples::BuildBmp(rle), samples::BuildPng(png),
                                    samples::BuildEbm565(3, 3, std::vector<Pixel>(9, 7)),
                                    WriteEbm(grey, Bytes(9, 0x55))};
  for (const Bytes& file : files) {
    Surface s(open.context);
    ASSERT_EQ(DecodeImage(s, file, 0), S_OK);
    int refused = 0;
    for (std::size_t n = 0; n < file.size(); ++n) {
      const Bytes part(file.begin(), file.begin() + static_cast<std::ptrdiff_t>(n));
      const Result r = DecodeImage(s, part, 0);
      ASSERT_TRUE(r == S_OK || r == GFX_E_BAD_IMAGE) << "prefix " << n << " gave " << std::hex << r;
      if (r == GFX_E_BAD_IMAGE) {
        ++refused;
        ASSERT_FALSE(s.HasPixels()) << "prefix " << n;
      }
    }
    // Only a PNG's closing chunk, which carries nothing of the picture, may go missing.
    EXPECT_GE(refused, static_cast<int>(file.size()) - 12);
  }
}

TEST_F(ImageDecodeTest, FilesAreReadWholeAndRelativePathsStartAtTheProgram) {
  test::TempDir dir;
  const auto file = dir.path() / "pic.ebm";
  ASSERT_TRUE(platform::WriteFileAtomically(file, samples::BuildEbm565(2, 1, {0x1234, 0x4321})));
  Surface s(open.context);
  ASSERT_EQ(LoadImageFile(s, file, 0), S_OK);
  EXPECT_EQ(s.Row(0)[1], 0x4321);
  const auto relative = std::filesystem::relative(file, platform::ModulePath().parent_path());
  ASSERT_TRUE(relative.is_relative());
  EXPECT_EQ(LoadImageFile(s, relative, 0), S_OK);
  EXPECT_EQ(LoadImageFile(s, dir.path() / "missing.png", 0), GFX_E_FILE_NOT_FOUND);
  ASSERT_TRUE(platform::WriteFileAtomically(dir.path() / "junk.gif", std::string_view("GIF89a not really")));
  EXPECT_EQ(LoadImageFile(s, dir.path() / "junk.gif", 0), GFX_E_BAD_IMAGE);
}

TEST_F(ImageDecodeTest, FailedDecodeOfALockedOrDisplaySurfaceLeavesItAlone) {
  Surface s(open.context);
  ASSERT_EQ(s.CreateSurface(0, 4, 4), S_OK);
  LockInfo lock;
  ASSERT_EQ(s.Lock(&lock), S_OK);
  EXPECT_EQ(DecodeImage(s, samples::BuildEbm565(1, 1, {1}), 0), GFX_E_LOCKED);
  EXPECT_EQ(DecodeImage(s, Bytes{1, 2, 3}, 0), GFX_E_BAD_IMAGE);
  EXPECT_TRUE(s.HasPixels());
  EXPECT_EQ(s.Width(), 4);
}

}  // namespace
}  // namespace zelph::gfx
