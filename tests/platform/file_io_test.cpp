#include "platform/file_io.h"

#include <gtest/gtest.h>
#include <sys/stat.h>

#include "test_support/file_size_limit.h"
#include "test_support/temp_dir.h"

namespace zelph::platform {
namespace {

TEST(FileIo, AtomicWriteReplacesAndReadsBack) {
  test::TempDir dir;
  auto path = dir.path() / "a.bin";
  ASSERT_TRUE(WriteFileAtomically(path, std::string_view("first")));
  ASSERT_TRUE(WriteFileAtomically(path, std::string_view("second!")));
  auto bytes = ReadWholeFile(path);
  ASSERT_TRUE(bytes);
  EXPECT_EQ(std::string(bytes->begin(), bytes->end()), "second!");
  EXPECT_FALSE(std::filesystem::exists(dir.path() / "a.bin.tmp"));
}

TEST(FileIo, ReadOnlyDestinationIsLeftAlone) {
  test::TempDir dir;
  auto path = dir.path() / "ro.bin";
  ASSERT_TRUE(WriteFileAtomically(path, std::string_view("keep")));
  ::chmod(path.c_str(), 0444);
  EXPECT_FALSE(WriteFileAtomically(path, std::string_view("lost")));
  auto bytes = ReadWholeFile(path);
  ASSERT_TRUE(bytes);
  EXPECT_EQ(std::string(bytes->begin(), bytes->end()), "keep");
}

// Every way a write can fail says which step failed, and leaves the destination as it was and no temporary
// file behind.
TEST(FileIo, FailedWritesSayWhereAndLeaveNoTemporaryFile) {
  test::TempDir dir;
  const auto path = dir.path() / "a.bin";
  ASSERT_TRUE(WriteFileAtomically(path, std::string_view("old")));
  const std::vector<std::uint8_t> big(256 * 1024, 7);
  {
    test::FileSizeLimit limit(64 * 1024);
    EXPECT_EQ(TryWriteFileAtomically(path, big), AtomicWrite::kWriteFailed);
  }
  EXPECT_EQ(TryWriteFileAtomically(dir.path() / "no" / "b.bin", big), AtomicWrite::kCannotCreate);
  std::filesystem::create_directories(dir.path() / "taken" / "inside");  // a folder cannot be renamed over
  EXPECT_EQ(TryWriteFileAtomically(dir.path() / "taken", big), AtomicWrite::kCannotReplace);
  ::chmod(path.c_str(), 0444);
  EXPECT_EQ(TryWriteFileAtomically(path, big), AtomicWrite::kCannotReplace);
  EXPECT_EQ(ReadWholeFile(path), std::vector<std::uint8_t>({'o', 'l', 'd'}));
  EXPECT_FALSE(test::HoldsTemporaryFile(dir.path()));
}

TEST(FileIo, MissingFileIsNotReadable) {
  test::TempDir dir;
  EXPECT_FALSE(ReadWholeFile(dir.path() / "none"));
  EXPECT_FALSE(FileIsReadable(dir.path() / "none"));
}

}  // namespace
}  // namespace zelph::platform
