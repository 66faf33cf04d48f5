// Shared set-up for the configuration tests: a scratch home folder with its own registry, captured message
// boxes and abort messages, and quick ways to make documents and packs.
#pragma once

#include <gtest/gtest.h>
#include <zlib.h>

#include <algorithm>
#include <cstdint>
#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

#include "config/bytes.h"
#include "config/config_document.h"
#include "config/ino_text.h"
#include "config/pack_image.h"
#include "config/resources.h"
#include "platform/dialogs.h"
#include "platform/file_io.h"
#include "platform/home.h"
#include "platform/messages.h"
#include "platform/registry.h"
#include "test_support/temp_dir.h"

namespace zelph::config::test {

// A file image compiled from the readable text form.
inline std::vector<std::uint8_t> Ino(std::string_view text) {
  std::vector<std::uint8_t> image;
  std::string error;
  EXPECT_TRUE(CompileInoText(text, image, error)) << error;
  return image;
}

inline std::vector<std::uint8_t> Bytes(std::string_view text) {
  return std::vector<std::uint8_t>(text.begin(), text.end());
}

inline std::vector<std::uint8_t> PackBytes(std::vector<PackResource> resources) {
  std::vector<std::uint8_t> pack;
  std::string error;
  EXPECT_TRUE(BuildPack(std::move(resources), u"test", pack, error)) << error;
  return pack;
}

// `text` repeated until it fills `size` bytes: the smallest entries a document can be made of.
inline std::vector<std::uint8_t> Repeated(std::string_view text, std::size_t size) {
  std::vector<std::uint8_t> out(size);
  std::size_t filled = std::min(size, text.size());
  std::copy_n(text.begin(), filled, out.begin());
  for (; filled < size; filled *= 2) {  // the filled part is whole repeats: copying it doubles them
    std::copy_n(out.begin(), std::min(filled, size - filled),
                out.begin() + static_cast<std::ptrdiff_t>(filled));
  }
  return out;
}

inline std::vector<std::uint8_t> Deflate(const std::vector<std::uint8_t>& data) {
  uLongf length = compressBound(data.size());
  std::vector<std::uint8_t> packed(length);
  EXPECT_EQ(compress2(packed.data(), &length, data.data(), data.size(), Z_BEST_COMPRESSION), Z_OK);
  packed.resize(length);
  return packed;
}

// A pack of one resource put together by hand, so that its directory can claim what the tools never write:
// `stored` bytes that are said to inflate to `size`.
inline std::vector<std::uint8_t> OneEntryPack(std::uint32_t id, std::uint32_t size,
                                              const std::vector<std::uint8_t>& stored) {
  std::vector<std::uint8_t> pack(kPackCountOffset, 0);
  PutLe32(pack, 1);
  PutLe32(pack, id);
  PutLe32(pack, static_cast<std::uint32_t>(kPackHeaderSize + kPackEntrySize));
  PutLe32(pack, static_cast<std::uint32_t>(stored.size()));
  PutLe32(pack, size);
  pack.resize(kPackHeaderSize + kPackEntrySize, 0);
  pack.insert(pack.end(), stored.begin(), stored.end());
  return pack;
}

inline void WriteFile(const std::filesystem::path& path, const std::vector<std::uint8_t>& bytes) {
  ASSERT_TRUE(platform::WriteFileAtomically(path, bytes));
}

// Home folder, registry and global documents of one test; message boxes and aborts are recorded.
class ConfigEnvironment : public ::testing::Test {
 protected:
  void SetUp() override {
    platform::SetHomeDir(dir_.path());
    platform::OpenSystemRegistry(dir_.path() / "registry.reg");
    ReleaseResources();
    messages().clear();
    aborts().clear();
    platform::SetMessageBoxHook(
        [](std::string_view caption, std::string_view text, platform::MessageIcon) {
          messages().push_back(std::string(caption) + "|" + std::string(text));
        });
    platform::SetMainWindowSink(
        [](void*, const platform::Message& m) {
          std::unique_ptr<std::string> text = platform::TakeMessageText(m);
          if (m.id == platform::msg::kAbort && text) aborts().push_back(*text);
          return true;
        },
        nullptr);
  }
  void TearDown() override {
    ReleaseResources();
    platform::SetMessageBoxHook(nullptr);
    platform::SetMainWindowSink(nullptr, nullptr);
  }

  static std::vector<std::string>& messages() {
    static std::vector<std::string> list;
    return list;
  }
  static std::vector<std::string>& aborts() {
    static std::vector<std::string> list;
    return list;
  }

  const std::filesystem::path& dir() const { return dir_.path(); }
  // `bytes` as the file `name` in the test's folder; its path.
  std::filesystem::path Write(const std::string& name, const std::vector<std::uint8_t>& bytes) {
    auto path = dir() / name;
    WriteFile(path, bytes);
    return path;
  }
  platform::Registry& registry() { return platform::SystemRegistry(); }

 private:
  zelph::test::TempDir dir_;
};

}  // namespace zelph::config::test
