#include "platform/hss_wav.h"

#include <gtest/gtest.h>

#include "test_support/audio_data.h"

namespace zelph::platform {
namespace {

using zelph::test::Bytes;
using zelph::test::MakeWav;

TEST(HssWav, PcmLayoutsDecodeToSigned16Bit) {
  PcmData pcm;
  auto mono8 = MakeWav(8000, 8, 1, {0x7F00, -0x8000, 0});
  ASSERT_EQ(DecodeWav(mono8.data(), mono8.size(), &pcm), S_OK);
  EXPECT_EQ(pcm.rate, 8000);
  EXPECT_EQ(pcm.channels, 1);
  EXPECT_EQ(pcm.samples, (std::vector<std::int16_t>{0x7F00, -0x8000, 0}));

  auto stereo16 = MakeWav(44100, 16, 2, {-1, 32767, -32768, 5});
  ASSERT_EQ(DecodeWav(stereo16.data(), stereo16.size(), &pcm), S_OK);
  EXPECT_EQ(pcm.channels, 2);
  EXPECT_EQ(pcm.frames(), 2u);
  EXPECT_EQ(pcm.samples, (std::vector<std::int16_t>{-1, 32767, -32768, 5}));
}

TEST(HssWav, ChunksBeforeTheDataAreSkippedWithTheirPadding) {
  auto wav = MakeWav(22050, 16, 1, {10, 20});
  // An odd-sized "LIST" chunk between "fmt " and "data" carries one pad byte.
  Bytes list = {'L', 'I', 'S', 'T', 3, 0, 0, 0, 'a', 'b', 'c', 0};
  wav.insert(wav.begin() + 36, list.begin(), list.end());
  PcmData pcm;
  ASSERT_EQ(DecodeWav(wav.data(), wav.size(), &pcm), S_OK);
  EXPECT_EQ(pcm.samples, (std::vector<std::int16_t>{10, 20}));
}

TEST(HssWav, ShortDataChunkKeepsTheWholeFramesPresent) {
  auto wav = MakeWav(22050, 16, 2, {1, 2, 3, 4, 5, 6});
  wav.resize(wav.size() - 3);  // cuts into the last frame
  PcmData pcm;
  ASSERT_EQ(DecodeWav(wav.data(), wav.size(), &pcm), S_OK);
  EXPECT_EQ(pcm.samples, (std::vector<std::int16_t>{1, 2, 3, 4}));
}

TEST(HssWav, UnplayableDataIsRefused) {
  auto good = MakeWav(22050, 16, 1, {1, 2, 3});
  auto with = [&](std::size_t offset, std::uint8_t value) {
    Bytes b = good;
    b[offset] = value;
    return b;
  };
  std::vector<std::pair<const char*, Bytes>> cases = {
      {"empty", {}},
      {"not RIFF", with(0, 'X')},
      {"not WAVE", with(8, 'X')},
      {"compressed (ADPCM)", with(20, 2)},
      {"three channels", with(22, 3)},
      {"12 bits", with(34, 12)},
      {"rate above 192000", with(26, 0x10)},
      {"block align wrong", with(32, 7)},
      {"fmt chunk larger than the file", with(17, 0x10)},
      {"no data chunk", Bytes(good.begin(), good.begin() + 36)},
      {"no whole frame", Bytes(good.begin(), good.begin() + 45)},
      {"data before fmt", with(12, 'x')},
  };
  for (const auto& [name, bytes] : cases) {
    PcmData pcm;
    EXPECT_EQ(DecodeWav(bytes.data(), bytes.size(), &pcm), E_INVALIDARG) << name;
    EXPECT_TRUE(pcm.samples.empty()) << name;
  }
  PcmData pcm;
  EXPECT_EQ(DecodeWav(nullptr, 100, &pcm), E_INVALIDARG);
}

}  // namespace
}  // namespace zelph::platform
