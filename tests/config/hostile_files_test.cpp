// Documents and packs made by an attacker to take the game's memory: each is refused, or costs no more than
// its own size, and the memory it takes is measured.
#include <gtest/gtest.h>

#include "config/pack_list.h"
#include "config/resource_pack.h"
#include "config_test_support.h"
#include "test_support/peak_memory.h"

namespace zelph::config {
namespace {

using zelph::test::kMiB;
using zelph::test::PeakMemoryOf;

// The measurement itself: a test below that passes because nothing was counted would prove nothing.
TEST(PeakMemory, SeesWhatIsHeldAndNotWhatIsAlreadyThere) {
  std::vector<std::uint8_t> before(16 * kMiB, 1);
  const std::size_t held = PeakMemoryOf([] {
    std::vector<std::uint8_t> big(24 * kMiB, 1);
    std::vector<std::uint8_t> small(kMiB, static_cast<std::uint8_t>(big[7]));
  });
  EXPECT_GE(held, 24 * kMiB);
  EXPECT_LT(held, 28 * kMiB);
  EXPECT_LT(PeakMemoryOf([&] { before.assign(before.size(), 2); }), kMiB);
}

// An index entry per document entry cost 56 bytes, and an entry can be 2 bytes.
TEST(HostileDocuments, TinyEntriesCostNothingBeyondTheDocument) {
  std::vector<std::uint8_t> image = test::Repeated(std::string_view("\x02\x00", 2), 4 * kMiB);
  const std::vector<std::uint8_t> tail = test::Ino("[main]\nfilter=1.0\n");
  image.insert(image.end(), tail.begin() + kInoHeaderSize, tail.end());
  auto load = [](std::vector<std::uint8_t>& bytes) {
    ConfigDocument doc;
    return doc.LoadMemory(std::move(bytes));
  };
  std::vector<std::uint8_t> copy = image;
  EXPECT_LT(PeakMemoryOf([&] { load(copy); }), kMiB);

  ConfigDocument doc;
  ASSERT_EQ(doc.LoadMemory(std::move(image)), 0);
  EXPECT_EQ(doc.SectionCount(), 1);
  EXPECT_STREQ(doc.FindSection("main")->GetRaw("filter"), "1.0");
}

TEST(HostileDocuments, ADocumentHoldsALimitedNumberOfSectionsAndBytes) {
  const std::string_view emptySection("\x04\x00[\x00", 4);
  ConfigDocument doc;
  std::vector<std::uint8_t> most = test::Repeated(emptySection, 4 * kMaxSections);
  EXPECT_LT(PeakMemoryOf([&] { doc.LoadMemory(std::move(most)); }), 8 * kMiB);  // some 80 bytes a section
  doc.Clear();
  ASSERT_EQ(doc.LoadMemory(test::Repeated(emptySection, 4 * kMaxSections)), 0);
  EXPECT_EQ(doc.SectionCount(), static_cast<int>(kMaxSections));

  // Full: neither a loaded section nor a made one fits, and the document is as it was.
  EXPECT_EQ(doc.LoadMemory(test::Ino("[one]\n")), kLoadOutOfMemory);
  EXPECT_EQ(doc.AddSection(0, "made", 16), kSectionFailed);
  EXPECT_EQ(doc.SourceCount(), 1);
  EXPECT_EQ(doc.SectionCount(), static_cast<int>(kMaxSections));
  doc.Clear();
  EXPECT_EQ(doc.LoadMemory(test::Repeated(emptySection, 4 * kMaxSections + 4)), kLoadOutOfMemory);
  EXPECT_EQ(doc.SourceCount(), 0);

  // The bytes of every source together, here in entries of the largest size.
  std::vector<std::uint8_t> largest;
  ASSERT_TRUE(AppendKeyEntry(largest, "k", std::string(kMaxEntryLength - 6, 'v')));
  ASSERT_EQ(largest.size(), kMaxEntryLength);
  const std::size_t fill = kMaxDocumentBytes / kMaxEntryLength * kMaxEntryLength;
  const std::string_view entry(reinterpret_cast<const char*>(largest.data()), largest.size());
  ASSERT_EQ(doc.LoadMemory(test::Repeated(entry, fill)), 0);
  EXPECT_EQ(doc.LoadMemory(test::Repeated(entry, kMaxDocumentBytes - fill + 2)), kLoadOutOfMemory);
  ASSERT_EQ(doc.LoadMemory(test::Repeated(std::string_view("\x02\x00", 2), kMaxDocumentBytes - fill)), 1);
  doc.Clear();
  EXPECT_EQ(doc.LoadMemory(test::Ino("[one]\n")), 0);
}

class HostilePacks : public test::ConfigEnvironment {
 protected:
  // The most memory opening the pack and extracting its resource takes.
  static std::size_t ExtractPeak(const std::filesystem::path& path, std::uint32_t id) {
    return PeakMemoryOf([&] {
      PackList list;
      if (list.Add(path) >= 0) list.Extract(id);
    });
  }
};

// A 1 MiB entry can claim 1 GiB within what deflate can reach; the whole claim used to be zero-filled before
// inflating.
TEST_F(HostilePacks, EntryClaimingOneGibibyteIsRefused) {
  const auto path = Write("bomb.pak", test::OneEntryPack(7, 1u << 30, std::vector<std::uint8_t>(1 * kMiB)));
  EXPECT_LT(ExtractPeak(path, 7), 2 * kMiB);
  ResourcePack pack;
  EXPECT_FALSE(pack.Open(path));
  std::string error;
  EXPECT_FALSE(ReadPackImage(*platform::ReadWholeFile(path), error));
  EXPECT_NE(error.find("64 MiB"), std::string::npos) << error;

  // The limit itself is a size the game can extract.
  std::vector<std::uint8_t> largest = test::Repeated("zelph", kMaxResourceSize);
  const auto fits = Write("fits.pak", test::OneEntryPack(7, kMaxResourceSize, test::Deflate(largest)));
  largest = {};
  ASSERT_TRUE(pack.Open(fits));
  auto bytes = pack.Extract(7);
  ASSERT_TRUE(bytes);
  EXPECT_EQ(bytes->size(), kMaxResourceSize);
  EXPECT_EQ((*bytes)[kMaxResourceSize - 1], "zelph"[(kMaxResourceSize - 1) % 5]);
  std::vector<PackResource> tooLarge = {{7, "big", "BIN", std::vector<std::uint8_t>(kMaxResourceSize + 1)}};
  std::vector<std::uint8_t> image;
  EXPECT_FALSE(BuildPack(std::move(tooLarge), u"", image, error));
}

// Within the limit, memory follows what the data inflates to, not what the entry claims.
TEST_F(HostilePacks, ExtractionTakesWhatTheDataHoldsNotWhatItClaims) {
  std::vector<std::uint8_t> stored = test::Deflate(test::Repeated("ab", kMiB));  // inflates to 1 MiB only
  stored.resize(64 * 1024, 0x55);
  const auto path = Write("short.pak", test::OneEntryPack(7, 60 * kMiB, stored));
  EXPECT_LT(ExtractPeak(path, 7), 4 * kMiB);
  PackList list;
  ASSERT_EQ(list.Add(path), 0);
  EXPECT_EQ(list.Extract(7), std::nullopt);

  // Data that inflates to more than its entry claims is refused as well, into a buffer or not.
  const auto more =
      Write("more.pak", test::OneEntryPack(7, kMiB - 1, test::Deflate(test::Repeated("ab", kMiB))));
  ResourcePack pack;
  ASSERT_TRUE(pack.Open(more));
  EXPECT_EQ(pack.Extract(7), std::nullopt);
  std::vector<std::uint8_t> into(2 * kMiB);
  EXPECT_EQ(pack.Extract(7, into), std::nullopt);
  const auto exact =
      Write("exact.pak", test::OneEntryPack(7, kMiB, test::Deflate(test::Repeated("ab", kMiB))));
  ASSERT_TRUE(pack.Open(exact));
  EXPECT_EQ(pack.Extract(7, into), kMiB);
  EXPECT_EQ(pack.Extract(7), test::Repeated("ab", kMiB));
}

}  // namespace
}  // namespace zelph::config
