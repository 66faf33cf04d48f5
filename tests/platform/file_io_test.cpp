#include "platform/file_io.h"

#include <gtest/gtest.h>
#include <sys/stat.h>

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

TEST(FileIo, MissingFileIsNotReadable) {
  test::TempDir dir;
  EXPECT_FALSE(ReadWholeFile(dir.path() / "none"));
  EXPECT_FALSE(FileIsReadable(dir.path() / "none"));
}

}  // namespace
}  // namespace zelph::platform
