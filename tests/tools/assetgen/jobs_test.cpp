// The jobs as the build runs them: outputs for both builds, manifests, files left alone when unchanged,
// and stale files removed when a description drops them.
#include "jobs.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>

#include "test_support/temp_dir.h"

namespace zelph::assetgen {
namespace {

std::string Read(const std::filesystem::path& path) {
  std::ifstream in(path, std::ios::binary);
  return std::string((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
}

void Write(const std::filesystem::path& path, const std::string& text) {
  std::ofstream(path, std::ios::binary) << text;
}

JobOptions Options(const zelph::test::TempDir& dir, const std::string& description) {
  JobOptions o;
  o.description = (dir.path() / description).string();
  o.outDir = (dir.path() / "data").string();
  o.fontsDir = ZELPH_FONTS_DIR;
  o.manifest = "sound-" + std::filesystem::path(description).stem().string() + ".manifest";
  o.subdir = "sound/" + std::filesystem::path(description).stem().string();
  return o;
}

TEST(Jobs, EffectsJobWritesBothBuildsWithManifestsAndRemovesWhatItNoLongerMakes) {
  zelph::test::TempDir dir;
  Write(dir.path() / "fx.txt", "0x02010001 tick sound recipe=key\n0x02010002 chime sound recipe=message\n");
  const JobOptions options = Options(dir, "fx.txt");
  std::string error;
  ASSERT_TRUE(RunEffectsJob(options, error)) << error;
  for (const char* build : {"vga", "qvga"}) {
    const std::filesystem::path root = dir.path() / "data" / build;
    EXPECT_TRUE(std::filesystem::exists(root / "sound/fx/tick.wav"));
    EXPECT_TRUE(std::filesystem::exists(root / "sound/fx/chime.wav"));
    const std::string manifest = Read(root / "sound-fx.manifest");
    EXPECT_NE(manifest.find("0x02010001 tick WAV sound/fx/tick.wav\n"), std::string::npos) << manifest;
    EXPECT_NE(manifest.find("0x02010002 chime WAV sound/fx/chime.wav\n"), std::string::npos) << manifest;
  }
  const std::filesystem::path tick = dir.path() / "data/vga/sound/fx/tick.wav";
  const auto written = std::filesystem::last_write_time(tick);
  // Run again without "chime": the unchanged file keeps its time, the dropped one goes.
  std::filesystem::last_write_time(tick, written - std::chrono::hours(1));
  Write(dir.path() / "fx.txt", "0x02010001 tick sound recipe=key\n");
  ASSERT_TRUE(RunEffectsJob(options, error)) << error;
  EXPECT_EQ(std::filesystem::last_write_time(tick), written - std::chrono::hours(1));
  EXPECT_FALSE(std::filesystem::exists(dir.path() / "data/vga/sound/fx/chime.wav"));
  EXPECT_EQ(Read(dir.path() / "data/qvga/sound-fx.manifest").find("chime"), std::string::npos);
}

TEST(Jobs, IdentifiersOutsideTheirBlockOrUsedTwiceStopTheJob) {
  zelph::test::TempDir dir;
  Write(dir.path() / "a.txt", "0x01010001 tick sound recipe=key\n");
  std::string error;
  EXPECT_FALSE(RunEffectsJob(Options(dir, "a.txt"), error));
  EXPECT_NE(error.find("outside"), std::string::npos) << error;
  Write(dir.path() / "b.txt", "0x02010001 tick sound recipe=kazoo\n");
  EXPECT_FALSE(RunEffectsJob(Options(dir, "b.txt"), error));
  EXPECT_NE(error.find("kazoo"), std::string::npos) << error;
  Write(dir.path() / "c.txt", "0x02020001 a music song=missing.song\n");
  EXPECT_FALSE(RunMusicJob(Options(dir, "c.txt"), error));
  EXPECT_NE(error.find("missing.song"), std::string::npos) << error;
  EXPECT_FALSE(std::filesystem::exists(dir.path() / "data/vga/sound-c.manifest"))
      << "no manifest after a failure";
}

}  // namespace
}  // namespace zelph::assetgen
