#include "config/resource_pack.h"

#include <gtest/gtest.h>
#include <unistd.h>

#include <chrono>
#include <thread>

#include "config/bytes.h"
#include "config/pack_list.h"
#include "config_test_support.h"

namespace zelph::config {
namespace {

using test::Bytes;
using test::PackBytes;

std::vector<std::uint8_t> Pattern(std::size_t size, std::uint8_t seed) {
  std::vector<std::uint8_t> v(size);
  for (std::size_t i = 0; i < size; ++i) v[i] = static_cast<std::uint8_t>((i * 31 + seed) ^ (i >> 5));
  return v;
}

void SetLe32(std::vector<std::uint8_t>& bytes, std::size_t offset, std::uint32_t value) {
  std::vector<std::uint8_t> le;
  PutLe32(le, value);
  std::copy(le.begin(), le.end(), bytes.begin() + static_cast<std::ptrdiff_t>(offset));
}

std::size_t EntryField(std::size_t index, std::size_t field) { return kPackHeaderSize + index * kPackEntrySize + field; }

class ResourcePackTest : public test::ConfigEnvironment {
 protected:
  std::vector<std::uint8_t> ThreeEntries() {
    return PackBytes({{30, "c", "BIN", Pattern(5000, 3)}, {10, "a", "BIN", Pattern(100, 1)},
                      {20, "b", "BIN", Pattern(1, 2)}});
  }
};

TEST_F(ResourcePackTest, ExtractsEveryResourceBySortedDirectory) {
  ResourcePack pack;
  ASSERT_TRUE(pack.Open(Write("p.pak", ThreeEntries())));
  EXPECT_EQ(pack.Range(), std::make_pair(10u, 30u));
  EXPECT_EQ(pack.EntryCount(), 3u);
  EXPECT_EQ(pack.Extract(10), Pattern(100, 1));
  EXPECT_EQ(pack.Extract(20), Pattern(1, 2));
  EXPECT_EQ(pack.Extract(30), Pattern(5000, 3));
  EXPECT_EQ(pack.Extract(0), std::nullopt);
  EXPECT_EQ(pack.Extract(15), std::nullopt);
  EXPECT_EQ(pack.Extract(31), std::nullopt);

  std::vector<std::uint8_t> into(100);
  EXPECT_EQ(pack.Extract(10, into), 100u);
  EXPECT_EQ(into, Pattern(100, 1));
  std::vector<std::uint8_t> small(99);
  EXPECT_EQ(pack.Extract(10, small), std::nullopt);
  EXPECT_EQ(pack.SizeOf(30), 5000u);
}

TEST_F(ResourcePackTest, CorruptDirectoriesAreRefused) {
  struct Case {
    const char* what;
    std::function<void(std::vector<std::uint8_t>&)> damage;
  };
  const std::vector<Case> cases = {
      {"count beyond the file", [](auto& b) { SetLe32(b, kPackCountOffset, 0xFFFFFFFF); }},
      {"count one too many", [](auto& b) { SetLe32(b, kPackCountOffset, 4); }},
      {"cut inside the directory", [](auto& b) { b.resize(kPackHeaderSize + kPackEntrySize * 2); }},
      {"shorter than the header", [](auto& b) { b.resize(kPackHeaderSize - 1); }},
      {"identifiers out of order", [](auto& b) { SetLe32(b, EntryField(0, 0), 25); }},
      {"repeated identifier", [](auto& b) { SetLe32(b, EntryField(1, 0), 10); }},
      {"identifier 0", [](auto& b) { SetLe32(b, EntryField(0, 0), 0); }},
      {"data past the end", [](auto& b) { SetLe32(b, EntryField(2, 4), static_cast<std::uint32_t>(b.size())); }},
      {"offset wraps", [](auto& b) { SetLe32(b, EntryField(2, 4), 0xFFFFFFF0); }},
      {"size no stream can reach", [](auto& b) { SetLe32(b, EntryField(0, 12), 0xFFFFFFFF); }},
  };
  for (const Case& c : cases) {
    auto bytes = ThreeEntries();
    c.damage(bytes);
    ResourcePack pack;
    EXPECT_FALSE(pack.Open(Write("bad.pak", bytes))) << c.what;
    EXPECT_FALSE(pack.IsOpen()) << c.what;
    PackList list;
    EXPECT_EQ(list.Add(dir() / "bad.pak"), kPackAddFailed) << c.what;
  }
  EXPECT_TRUE(aborts().empty());  // corrupt data is not a vanished card
  PackList list;
  EXPECT_EQ(list.Add(dir() / "missing.pak"), kPackAddFailed);
}

TEST_F(ResourcePackTest, DamagedDataFailsOnlyThatResource) {
  auto bytes = ThreeEntries();
  std::uint32_t offset = ReadLe32(bytes.data() + EntryField(0, 4));
  bytes[offset + 5] ^= 0xFF;                      // resource 10: stream damaged
  SetLe32(bytes, EntryField(1, 12), 2);           // resource 20: claims a larger size than it inflates to
  ResourcePack pack;
  ASSERT_TRUE(pack.Open(Write("p.pak", bytes)));
  EXPECT_EQ(pack.Extract(10), std::nullopt);
  EXPECT_EQ(pack.Extract(20), std::nullopt);
  EXPECT_EQ(pack.Extract(30), Pattern(5000, 3));

  SetLe32(bytes, EntryField(2, 12), 0);  // a size of 0 cannot be extracted
  ASSERT_TRUE(pack.Open(Write("p.pak", bytes)));
  EXPECT_EQ(pack.Extract(30), std::nullopt);
  EXPECT_TRUE(aborts().empty());
}

TEST_F(ResourcePackTest, OverlappingRangesSearchOnlyTheFirstPack) {
  PackList list;
  ASSERT_EQ(list.Add(Write("a.pak", PackBytes({{100, "a", "BIN", Bytes("A100")}, {200, "a", "BIN", Bytes("A200")}}))),
            0);
  ASSERT_EQ(list.Add(Write("b.pak", PackBytes({{150, "b", "BIN", Bytes("B150")}, {300, "b", "BIN", Bytes("B300")}}))),
            1);
  ASSERT_EQ(list.Add(Write("empty.pak", PackBytes({}))), 2);
  EXPECT_EQ(list.FindPack(150), list.At(0));
  EXPECT_EQ(list.Extract(150), std::nullopt);  // inside a.pak's range, so b.pak is never asked
  EXPECT_EQ(list.Extract(300), Bytes("B300"));
  EXPECT_EQ(list.Extract(200), Bytes("A200"));
  EXPECT_EQ(list.FindPack(99), nullptr);
  EXPECT_EQ(list.FindPack(0), nullptr);
  EXPECT_EQ(list.RecordAt(1)->lowest, 150u);
  EXPECT_EQ(list.RecordAt(1)->highest, 300u);

  list.Remove(0);
  EXPECT_EQ(list.Count(), 2);
  EXPECT_EQ(list.Extract(150), Bytes("B150"));
}

TEST_F(ResourcePackTest, VanishedFileIsRetriedThenEndsTheGame) {
  auto path = Write("card.pak", ThreeEntries());
  ResourcePack pack;
  ASSERT_TRUE(pack.Open(path));
  ASSERT_EQ(::truncate(path.c_str(), 200), 0);  // the card went away under the open file

  auto start = std::chrono::steady_clock::now();
  EXPECT_EQ(pack.Extract(30), std::nullopt);
  auto waited = std::chrono::steady_clock::now() - start;
  EXPECT_GE(waited, std::chrono::milliseconds(20 * 100));
  ASSERT_EQ(aborts().size(), 1u);
  EXPECT_EQ(aborts()[0], path.string());
}

TEST_F(ResourcePackTest, FileThatComesBackDuringRetriesIsRead) {
  auto bytes = ThreeEntries();
  auto path = Write("card.pak", bytes);
  ResourcePack pack;
  ASSERT_TRUE(pack.Open(path));
  ASSERT_EQ(::truncate(path.c_str(), 200), 0);
  std::thread restore([&] {
    std::this_thread::sleep_for(std::chrono::milliseconds(350));
    test::WriteFile(path, bytes);  // a new file under the same name, as after a card is reinserted
  });
  EXPECT_EQ(pack.Extract(30), Pattern(5000, 3));
  restore.join();
  EXPECT_TRUE(aborts().empty());
}

TEST_F(ResourcePackTest, ConcurrentExtractsShareOnePack) {
  ResourcePack pack;
  ASSERT_TRUE(pack.Open(Write("p.pak", ThreeEntries())));
  std::vector<std::thread> threads;
  std::atomic<int> good{0};
  for (int t = 0; t < 4; ++t) {
    threads.emplace_back([&] {
      for (int i = 0; i < 50; ++i) good += pack.Extract(30) == Pattern(5000, 3);
    });
  }
  for (auto& t : threads) t.join();
  EXPECT_EQ(good.load(), 200);
}

}  // namespace
}  // namespace zelph::config
