#include <gtest/gtest.h>
#include <signal.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <thread>

#include "config/config_document.h"
#include "config_test_support.h"
#include "test_support/file_size_limit.h"

namespace zelph::config {
namespace {

using test::Ino;

// A document with one owned source holding `sections` sections of `keys` keys, each value tagged.
int BuildSource(ConfigDocument& doc, std::string_view tag, int sections, int keys) {
  int source = doc.AddEmptySource(doc.Scrambled());
  for (int i = 0; i < sections; ++i) {
    ConfigSection* s = doc.SectionAt(doc.AddSection(source, ("s" + std::to_string(i)).c_str(), 16));
    for (int k = 0; k < keys; ++k) s->SetString(("k" + std::to_string(k)).c_str(), std::string(tag).c_str());
  }
  return source;
}

TEST(ConfigSave, ScrambledRoundTripKeepsOnlyTheSavedSource) {
  zelph::test::TempDir dir;
  auto path = dir.path() / "Settings.ino";
  ConfigDocument doc;
  ASSERT_EQ(doc.LoadMemory(Ino("[other]\nx=1\n")), 0);
  doc.SetScrambled(true);
  int source = BuildSource(doc, "saved", 2, 3);
  ASSERT_EQ(doc.Save(source, path), kSaveOk);
  EXPECT_FALSE(std::filesystem::exists(dir.path() / "Settings.ino.tmp"));

  auto bytes = platform::ReadWholeFile(path);
  ASSERT_TRUE(bytes);
  EXPECT_FALSE(HasInoHeader(*bytes));  // scrambled on disk

  ConfigDocument plain;
  EXPECT_EQ(plain.LoadFile(path), kLoadCorrupt);  // read with the wrong setting: no header, garbage lengths
  EXPECT_EQ(plain.SourceCount(), 0);
  ConfigDocument back;
  back.SetScrambled(true);
  ASSERT_EQ(back.LoadFile(path), 0);
  EXPECT_EQ(back.SectionCount(), 2);
  EXPECT_EQ(back.FindSection("other"), nullptr);
  EXPECT_STREQ(back.FindSection("s1")->GetRaw("k2"), "saved");

  // The file's bytes are the serialised image, scrambled: only the filler differs between saves.
  std::vector<std::uint8_t> image = doc.Serialize(source, InoFiller{});
  Scramble(kScrambleKey, bytes->data(), bytes->size());
  ASSERT_EQ(bytes->size(), image.size());
  EXPECT_TRUE(std::equal(bytes->begin() + 24, bytes->end(), image.begin() + 24));
  EXPECT_TRUE(std::equal(bytes->begin(), bytes->begin() + 8, image.begin()));
}

TEST(ConfigSave, OneChangedByteAfterTheHeaderFailsTheNextLoad) {
  zelph::test::TempDir dir;
  auto path = dir.path() / "a.ino";
  ConfigDocument doc;
  int source = BuildSource(doc, "v", 1, 1);
  ASSERT_EQ(doc.Save(source, path), kSaveOk);
  auto bytes = *platform::ReadWholeFile(path);
  bytes[30] ^= 0x20;
  test::WriteFile(path, bytes);
  ConfigDocument back;
  EXPECT_EQ(back.LoadFile(path), kLoadChecksumMismatch);
}

TEST(ConfigSave, ReadOnlyDestinationIsKeptAndReportsMinusTen) {
  zelph::test::TempDir dir;
  auto path = dir.path() / "ro.ino";
  ConfigDocument doc;
  int source = BuildSource(doc, "old", 1, 1);
  ASSERT_EQ(doc.Save(source, path), kSaveOk);
  ::chmod(path.c_str(), 0444);
  ConfigDocument newer;
  int other = BuildSource(newer, "new", 1, 1);
  EXPECT_EQ(newer.Save(other, path), kSaveCannotReplace);
  EXPECT_FALSE(zelph::test::HoldsTemporaryFile(dir.path()));
  ConfigDocument back;
  ASSERT_EQ(back.LoadFile(path), 0);
  EXPECT_STREQ(back.FindSection("s0")->GetRaw("k0"), "old");
}

// A write that fails part way (a full disk; here a file-size limit) is tried twice, then reported, and leaves
// the old file and no temporary file.
TEST(ConfigSave, FailedWriteLeavesTheOldFileAndNoTemporaryFile) {
  zelph::test::TempDir dir;
  auto path = dir.path() / "Settings.ino";
  ConfigDocument doc;
  ASSERT_EQ(doc.Save(BuildSource(doc, "old", 1, 1), path), kSaveOk);
  ConfigDocument large;
  const int source = BuildSource(large, "a value long enough to grow the file", 60, 60);
  {
    zelph::test::FileSizeLimit limit(16 * 1024);
    EXPECT_EQ(large.Save(source, path), kSaveWriteFailed);
  }
  EXPECT_FALSE(zelph::test::HoldsTemporaryFile(dir.path()));
  ConfigDocument back;
  ASSERT_EQ(back.LoadFile(path), 0);
  EXPECT_STREQ(back.FindSection("s0")->GetRaw("k0"), "old");
  EXPECT_EQ(large.Save(source, path), kSaveOk);
}

TEST(ConfigSave, MissingFolderAndMissingSourceCannotCreate) {
  zelph::test::TempDir dir;
  ConfigDocument doc;
  int source = BuildSource(doc, "v", 1, 1);
  EXPECT_EQ(doc.Save(source + 1, dir.path() / "x.ino"), kSaveCannotCreate);
  EXPECT_EQ(doc.Save(source, dir.path() / "no" / "such" / "x.ino"), kSaveCannotCreate);  // retries once
}

// A process killed at any moment of a save leaves either the old file or the new one, whole.
TEST(ConfigSave, KillDuringSavesLeavesOldOrNewFileWhole) {
  zelph::test::TempDir dir;
  auto path = dir.path() / "Settings.ino";
  ConfigDocument first;
  first.SetScrambled(true);
  ASSERT_EQ(first.Save(BuildSource(first, "A", 40, 40), path), kSaveOk);

  for (int round = 0; round < 12; ++round) {
    pid_t child = ::fork();
    ASSERT_GE(child, 0);
    if (child == 0) {
      ConfigDocument a, b;
      a.SetScrambled(true);
      b.SetScrambled(true);
      int sa = BuildSource(a, "A", 40, 40), sb = BuildSource(b, "B", 80, 40);
      for (;;) {
        a.Save(sa, path);
        b.Save(sb, path);
      }
    }
    std::this_thread::sleep_for(std::chrono::milliseconds(20 + 13 * round));
    ::kill(child, SIGKILL);
    int status = 0;
    ::waitpid(child, &status, 0);

    ConfigDocument back;
    back.SetScrambled(true);
    ASSERT_EQ(back.LoadFile(path), 0) << "round " << round;
    const char* tag = back.FindSection("s0")->GetRaw("k0");
    ASSERT_TRUE(tag);
    EXPECT_EQ(back.SectionCount(), std::string_view(tag) == "A" ? 40 : 80) << "round " << round;
  }
}

}  // namespace
}  // namespace zelph::config
