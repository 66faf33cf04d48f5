#include "config/config_document.h"

#include <gtest/gtest.h>
#include <sys/stat.h>

#include "config/bytes.h"
#include "config_test_support.h"

namespace zelph::config {
namespace {

using test::Bytes;
using test::Ino;

// Raw entry bytes: a 16-bit length followed by `body`.
std::vector<std::uint8_t> Entry(std::uint16_t length, std::string_view body) {
  std::vector<std::uint8_t> out;
  PutLe16(out, length);
  out.insert(out.end(), body.begin(), body.end());
  return out;
}

std::vector<std::uint8_t> Concat(std::initializer_list<std::vector<std::uint8_t>> parts) {
  std::vector<std::uint8_t> out;
  for (const auto& p : parts) out.insert(out.end(), p.begin(), p.end());
  return out;
}

TEST(ConfigDocumentLoad, HeaderOnlyFileIsASourceWithoutSections) {
  ConfigDocument doc;
  EXPECT_EQ(doc.LoadMemory(WithInoHeader({}, InoFiller{1, 2, 3, 4})), 0);
  EXPECT_EQ(doc.SourceCount(), 1);
  EXPECT_EQ(doc.SectionCount(), 0);
  EXPECT_EQ(doc.FirstSection(), -1);
}

TEST(ConfigDocumentLoad, KeysBeforeTheFirstSectionAreInvisible) {
  ConfigDocument doc;
  ASSERT_EQ(doc.LoadMemory(Ino("lost=1\n[main]\nkept=2\n")), 0);
  ASSERT_EQ(doc.SectionCount(), 1);
  const ConfigSection* main = doc.FindSection("main");
  ASSERT_NE(main, nullptr);
  EXPECT_EQ(main->GetRaw("lost"), nullptr);
  EXPECT_EQ(main->GetInt("kept", 0), 2);
  EXPECT_EQ(main->Keys(), std::vector<std::string_view>{"kept"});
}

TEST(ConfigDocumentLoad, HeaderlessDataIsTrustedAndNamesLoseTheirLastCharacter) {
  ConfigDocument doc;
  // "[ab]" is the usual shape; "[xy" (no bracket) still loses its last character, as the format says.
  auto data = Concat({Entry(8, std::string_view("[ab]\0\n", 6)), Entry(8, std::string_view("k\0v\0\n\0", 6)),
                      Entry(6, std::string_view("[xy\0", 4))});
  ASSERT_EQ(doc.LoadMemory(data), 0);
  EXPECT_EQ(doc.FindSectionIndex("ab"), 0);
  EXPECT_STREQ(doc.GetRawAt(0, "k"), "v");
  EXPECT_EQ(doc.FindSectionIndex("x"), 1);
}

TEST(ConfigDocumentLoad, ChecksumMismatchFailsAndLeavesTheDocumentAlone) {
  ConfigDocument doc;
  ASSERT_EQ(doc.LoadMemory(Ino("[a]\nk=v\n")), 0);
  auto image = Ino("[b]\nk=v\n");
  image.back() ^= 1;
  EXPECT_EQ(doc.LoadMemory(image), kLoadChecksumMismatch);
  EXPECT_EQ(doc.SourceCount(), 1);
  EXPECT_EQ(doc.SectionCount(), 1);
}

TEST(ConfigDocumentLoad, MalformedEntriesAreCorruptNotReadPastTheEnd) {
  const std::vector<std::vector<std::uint8_t>> corrupt = {
      Entry(0, "xx"),                                        // a zero length never advances
      Entry(1, "x"),                                         // below the length prefix itself
      Entry(3, "[a"),                                        // odd
      Entry(40, std::string_view("[a]\0\n\0", 6)),           // past the end
      Concat({Entry(6, "[abc"), Entry(2, "")}),              // section header without its NUL
      Concat({Entry(6, std::string_view("[a]\0", 4)), Entry(6, "kvxx")}),  // key entry without NULs
      Concat({Entry(6, std::string_view("[a]\0", 4)), Entry(6, std::string_view("k\0vx", 4))}),  // no value NUL
      Concat({Entry(6, std::string_view("[a]\0", 4)), {7}}),  // a lone trailing byte
      {24, 0, 0x2A, 0x10, 0, 0},                             // a header cut short
  };
  for (std::size_t i = 0; i < corrupt.size(); ++i) {
    ConfigDocument doc;
    EXPECT_EQ(doc.LoadMemory(corrupt[i]), kLoadCorrupt) << "case " << i;
    EXPECT_EQ(doc.SourceCount(), 0) << "case " << i;
  }
  ConfigDocument doc;
  EXPECT_EQ(doc.LoadMemory({}), kLoadNoData);
}

TEST(ConfigDocumentLoad, FileErrors) {
  zelph::test::TempDir dir;
  ConfigDocument doc;
  EXPECT_EQ(doc.LoadFile(dir.path() / "missing.ino"), kLoadCannotOpen);
  test::WriteFile(dir.path() / "empty.ino", {});
  EXPECT_EQ(doc.LoadFile(dir.path() / "empty.ino"), kLoadCorrupt);
  test::WriteFile(dir.path() / "ok.ino", Ino("[s]\na=1\n"));
  EXPECT_EQ(doc.LoadFile(dir.path() / "ok.ino"), 0);
  EXPECT_EQ(doc.SourceAt(0)->path, (dir.path() / "ok.ino").string());
}

TEST(ConfigDocumentLookup, FirstLoadedSectionWinsUnlessASourceIsSelected) {
  ConfigDocument doc;
  ASSERT_EQ(doc.LoadMemory(Ino("[main]\nfrom=one\n[only_one]\n")), 0);
  ASSERT_EQ(doc.LoadMemory(Ino("[main]\nfrom=two\n")), 1);
  EXPECT_STREQ(doc.FindSection("main")->GetRaw("from"), "one");

  EXPECT_EQ(doc.SelectSource(1), 1);
  EXPECT_STREQ(doc.FindSection("main")->GetRaw("from"), "two");
  EXPECT_EQ(doc.FindSection("only_one"), nullptr);
  EXPECT_EQ(doc.SectionAt(0), nullptr);
  EXPECT_EQ(doc.RemoveSection(0), 0);
  EXPECT_EQ(doc.GetIntAt(0, "from", 77), 77);
  std::u16string name;
  EXPECT_EQ(doc.FirstSection(&name), 2);
  EXPECT_EQ(name, u"main");
  EXPECT_EQ(doc.NextSection(2), -1);

  EXPECT_EQ(doc.SelectSource(2), 0);  // refused: no such source
  EXPECT_EQ(doc.SourceFilter(), 1);
  EXPECT_EQ(doc.SelectSource(-1), 1);
  EXPECT_EQ(doc.NextSection(0, &name), 1);
  EXPECT_EQ(name, u"only_one");
  EXPECT_EQ(doc.RemoveSection(0), 1);
  EXPECT_STREQ(doc.FindSection("main")->GetRaw("from"), "two");
}

TEST(ConfigDocumentEdit, LoadedSectionsAreReadOnlyAndCopiesAreWritable) {
  ConfigDocument doc;
  ASSERT_EQ(doc.LoadMemory(Ino("[main]\na=1\nb=2\n")), 0);
  ConfigSection* loaded = doc.FindSection("main");
  EXPECT_FALSE(loaded->Owned());
  EXPECT_EQ(loaded->SetString("c", "3"), kSetNotOwned);
  EXPECT_EQ(loaded->RemoveKey("a"), kSetNotOwned);

  int copy = doc.CopySection(0, loaded, "copy", 0);
  ASSERT_GE(copy, 0);
  ConfigSection* s = doc.SectionAt(copy);
  EXPECT_TRUE(s->Owned());
  EXPECT_GE(s->Capacity(), s->Entries().size() + 4 + 16);
  EXPECT_EQ(s->SetString(nullptr, "x"), kSetNoKey);
  EXPECT_EQ(s->SetString("x", nullptr), kSetNoValue);
  EXPECT_EQ(s->SetString("a", "again"), kSetOk);
  EXPECT_STREQ(s->GetRaw("a"), "1");  // appended, never replaced
  EXPECT_EQ(s->RemoveKey("a"), kRemoveOk);
  EXPECT_STREQ(s->GetRaw("a"), "again");
  EXPECT_EQ(s->RemoveKey("nope"), kRemoveNotFound);
  EXPECT_STREQ(s->GetRaw("b"), "2");

  EXPECT_EQ(doc.CopySection(5, loaded, nullptr, 0), kSectionFailed);
  EXPECT_EQ(doc.CopySection(0, nullptr, nullptr, 0), kSectionFailed);
  EXPECT_EQ(doc.AddSection(0, nullptr, 0), kSectionFailed);
  EXPECT_EQ(doc.AddSection(3, "x", 0), kSectionFailed);
}

TEST(ConfigDocumentEdit, SectionsGrowAndRefuseEntriesTooLongForTheFormat) {
  ConfigDocument doc;
  int source = doc.AddEmptySource(false);
  int index = doc.AddSection(source, "grow", 0);
  ASSERT_GE(index, 0);
  ConfigSection* s = doc.SectionAt(index);
  EXPECT_GE(s->Capacity(), 4u + 16u);
  for (int i = 0; i < 500; ++i) ASSERT_EQ(s->SetInt(("k" + std::to_string(i)).c_str(), i), kSetOk);
  EXPECT_STREQ(s->Name(), "grow");
  EXPECT_EQ(s->GetInt("k0", -1), 0);
  EXPECT_EQ(s->GetInt("k499", -1), 499);
  ASSERT_EQ(s->SetEightInts("eight", {1, -2, 3, 4, 5, 6, 7, -8}), kSetOk);
  EXPECT_STREQ(s->GetRaw("eight"), "1 -2 3 4 5 6 7 -8");
  ASSERT_EQ(s->SetWideString("wide", u"\u00E9\U0001F600"), kSetOk);
  std::u16string back;
  ASSERT_TRUE(s->GetString("wide", back));
  EXPECT_EQ(back, u"\u00E9\U0001F600");

  std::string longest(kMaxEntryLength - 5 - 1, 'v');  // key "k" + value fills the 16-bit length exactly
  EXPECT_EQ(s->SetString("k", longest.c_str()), kSetOk);
  longest += "vv";
  EXPECT_EQ(s->SetString("k", longest.c_str()), kSetTooLong);
  EXPECT_EQ(doc.AddSection(source, std::string(70000, 'n').c_str(), 0), kSectionFailed);
}

TEST(ConfigDocumentEdit, CopyFromMakesEveryVisibleSectionWritable) {
  ConfigDocument from;
  ASSERT_EQ(from.LoadMemory(Ino("[hidden]\nx=0\n")), 0);
  ASSERT_EQ(from.LoadMemory(Ino("[a]\nx=1\n[b]\ny=2\n")), 1);
  from.SelectSource(1);
  from.SetScrambled(true);

  ConfigDocument to;
  ASSERT_EQ(to.LoadMemory(Ino("[own]\n")), 0);
  to.SelectSource(0);
  int source = to.CopyFrom(from);
  ASSERT_EQ(source, 1);
  EXPECT_TRUE(to.Scrambled());
  EXPECT_EQ(to.SourceFilter(), -1);
  EXPECT_EQ(to.SourceAt(source)->path, kNewFileLabel);
  EXPECT_EQ(to.FindSection("hidden"), nullptr);
  ConfigSection* a = to.FindSection("a");
  ASSERT_NE(a, nullptr);
  EXPECT_TRUE(a->Owned());
  EXPECT_EQ(a->Source(), source);
  EXPECT_GE(a->Capacity() - a->Entries().size(), kCopySpare);
  EXPECT_EQ(to.FindSection("b")->GetInt("y", 0), 2);
}

}  // namespace
}  // namespace zelph::config
