// Pictures made to take memory: whatever the format, a picture beyond the size limit is refused before
// anything is allocated for it, and one within the limit costs its surface and little more.
#include <gtest/gtest.h>

#include <string>

#include "gfx/ebm_format.h"
#include "gfx/image_decode.h"
#include "image_samples.h"
#include "reference.h"
#include "test_support/peak_memory.h"

namespace zelph::gfx {
namespace {

using samples::Bytes;
using zelph::test::kMiB;
using zelph::test::PeakMemoryOf;

Bytes GreyEbm(std::uint32_t width, std::uint32_t height) {
  EbmHeader header;
  header.format = EbmFormat::k8ga;
  header.width = width;
  header.height = height;
  return WriteEbm(header, Bytes(std::size_t{width} * height, 0x80));
}

class PictureBombTest : public ::testing::Test {
 protected:
  // The most memory decoding `file` takes, and what the decoding answers.
  std::pair<std::size_t, Result> Decode(const Bytes& file) {
    const std::size_t peak = PeakMemoryOf([&] {
      Surface s(open.context);
      DecodeImage(s, file, 0);
    });
    Surface s(open.context);
    return {peak, DecodeImage(s, file, 0)};
  }

  ref::OpenContext open;
};

TEST_F(PictureBombTest, PicturesBeyondTheLimitAreRefusedBeforeAllocating) {
  const Bytes bmp = samples::RunLengthBmp(8192, 8192);
  EXPECT_EQ(bmp.size(), 60u);
  const Bytes png = samples::OneBitPng(8192, 8192);
  EXPECT_LT(png.size(), 10'000u);
  for (const auto& [name, file] : {std::pair{"60-byte BMP", bmp}, std::pair{"8 KB PNG", png}}) {
    const auto [peak, result] = Decode(file);
    EXPECT_EQ(result, GFX_E_BAD_IMAGE) << name;
    EXPECT_LT(peak, kMiB) << name;
  }

  // One limit for every format, in each direction.
  using Maker = Bytes (*)(std::uint32_t, std::uint32_t);
  const std::pair<const char*, Maker> formats[] = {
      {"BMP",
       [](std::uint32_t w, std::uint32_t h) {
         return samples::RunLengthBmp(static_cast<int>(w), static_cast<int>(h));
       }},
      {"PNG", [](std::uint32_t w, std::uint32_t h) { return samples::OneBitPng(w, h); }},
      {"eBM", GreyEbm},
  };
  const std::uint32_t side = kMaxImageSide, square = 4096;
  ASSERT_EQ(std::int64_t{square} * square, kMaxImagePixels);
  for (const auto& [name, make] : formats) {
    EXPECT_EQ(Decode(make(side, 1)).second, S_OK) << name;  // a long strip of frames
    EXPECT_EQ(Decode(make(1, side)).second, S_OK) << name;
    EXPECT_EQ(Decode(make(side + 1, 1)).second, GFX_E_BAD_IMAGE) << name;
    EXPECT_EQ(Decode(make(1, side + 1)).second, GFX_E_BAD_IMAGE) << name;
    EXPECT_EQ(Decode(make(square, square + 1)).second, GFX_E_BAD_IMAGE) << name;
    EXPECT_EQ(Decode(make(side, square / 2 + 1)).second, GFX_E_BAD_IMAGE) << name;
  }
}

// The largest picture allowed: its 32 MiB surface and one row, not a whole second copy in another form.
TEST_F(PictureBombTest, LargestPictureCostsItsSurfaceAndOneRow) {
  const std::size_t surface = kMaxImagePixels * sizeof(Pixel);
  const std::pair<std::string, Bytes> files[] = {
      {"PNG", samples::OneBitPng(4096, 4096)},
      {"interlaced PNG", samples::OneBitPng(4096, 4096, true)},
      {"BMP", samples::RunLengthBmp(4096, 4096)},
      {"strip", samples::OneBitPng(kMaxImageSide, 2048)},
  };
  for (const auto& [name, file] : files) {
    const auto [peak, result] = Decode(file);
    EXPECT_EQ(result, S_OK) << name;
    EXPECT_LT(peak, surface + kMiB) << name;
  }
}

}  // namespace
}  // namespace zelph::gfx
