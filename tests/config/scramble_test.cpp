#include "config/scramble.h"

#include <gtest/gtest.h>

#include <cstring>
#include <vector>

#include "config/ino_format.h"

namespace zelph::config {
namespace {

TEST(Scramble, BuiltInKeyRepeatsEvery73BytesAndIsItsOwnInverse) {
  ASSERT_EQ(std::strlen(kScrambleKey), 73u);
  std::vector<std::uint8_t> plain(300);
  for (std::size_t i = 0; i < plain.size(); ++i) plain[i] = static_cast<std::uint8_t>(i * 7 + 3);
  std::vector<std::uint8_t> data = plain;

  ASSERT_TRUE(Scramble(kScrambleKey, data.data(), data.size()));
  for (std::size_t i = 0; i < data.size(); ++i) {
    ASSERT_EQ(data[i], plain[i] ^ static_cast<std::uint8_t>(kScrambleKey[i % 73])) << "byte " << i;
  }
  ASSERT_TRUE(Scramble(kScrambleKey, data.data(), data.size()));
  EXPECT_EQ(data, plain);
}

TEST(Scramble, ScrambledHeaderIsNoLongerRecognised) {
  std::vector<std::uint8_t> header = WithInoHeader({}, InoFiller{});
  ASSERT_EQ(header.size(), kInoHeaderSize);
  ASSERT_TRUE(HasInoHeader(header));
  Scramble(kScrambleKey, header.data(), header.size());
  EXPECT_NE(header[0] | (header[1] << 8), 24);
  EXPECT_FALSE(HasInoHeader(header));
}

TEST(Scramble, EmptyKeyLeavesDataAndNoDataFails) {
  std::vector<std::uint8_t> data = {1, 2, 3, 250};
  ASSERT_TRUE(Scramble("", data.data(), data.size()));
  EXPECT_EQ(data, (std::vector<std::uint8_t>{1, 2, 3, 250}));
  EXPECT_FALSE(Scramble(kScrambleKey, nullptr, 4));
  EXPECT_FALSE(Scramble(kScrambleKey, data.data(), 0));
}

TEST(Scramble, OverlongKeyUsesItsFirst129Characters) {
  std::string key(200, 'a');
  key[129] = 'b';  // never used: the key wraps after 129 characters
  std::vector<std::uint8_t> data(260, 0);
  Scramble(key.c_str(), data.data(), data.size());
  for (std::uint8_t b : data) ASSERT_EQ(b, 'a');
}

}  // namespace
}  // namespace zelph::config
