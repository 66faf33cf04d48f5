// zelph-image run as the asset pipeline and modders run it, its output read back by the game's decoders.
#include <gtest/gtest.h>
#include <sys/wait.h>

#include <cstdlib>
#include <string>

#include "gfx/ebm_format.h"
#include "gfx/image_decode.h"
#include "image_samples.h"
#include "platform/file_io.h"
#include "reference.h"
#include "test_support/peak_memory.h"
#include "test_support/temp_dir.h"

namespace zelph::gfx {
namespace {

using samples::Bytes;

class ImageToolTest : public ::testing::Test {
 protected:
  // The tool's exit status; scratch paths need no shell quoting.
  int Run(const std::string& args) {
    const std::string command =
        std::string(ZELPH_IMAGE_TOOL) + " " + args + " >/dev/null 2>" + Path("err.txt");
    const int status = std::system(command.c_str());
    return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
  }
  std::string Errors() {
    auto bytes = platform::ReadWholeFile(dir.path() / "err.txt");
    return bytes ? std::string(bytes->begin(), bytes->end()) : std::string();
  }
  std::string Path(const std::string& name) { return (dir.path() / name).string(); }
  void Write(const std::string& name, const Bytes& bytes) {
    ASSERT_TRUE(platform::WriteFileAtomically(dir.path() / name, bytes));
  }
  Bytes Read(const std::string& name) { return platform::ReadWholeFile(dir.path() / name).value_or(Bytes{}); }

  test::TempDir dir;
  ref::OpenContext open;
};

// A 6 x 2 RGBA picture whose alpha differs from its green.
samples::PngPicture RgbaPicture() {
  samples::PngPicture png;
  png.width = 6;
  png.height = 2;
  png.colorType = PNG_COLOR_TYPE_RGBA;
  for (int y = 0; y < 2; ++y) {
    Bytes row;
    for (int x = 0; x < 6; ++x) {
      const auto v = static_cast<std::uint8_t>(40 * x + 7 * y);
      row.insert(row.end(), {v, static_cast<std::uint8_t>(255 - v), static_cast<std::uint8_t>(v / 2),
                             static_cast<std::uint8_t>(x * 50)});
    }
    png.rows.push_back(row);
  }
  return png;
}

TEST_F(ImageToolTest, EncodedStripDecodesToTheSamePixels) {
  Write("in.png", samples::BuildPng(RgbaPicture()));
  ASSERT_EQ(Run("encode " + Path("in.png") + " " + Path("strip.ebm") + " --frames 3 --key 1,2,3"), 0)
      << Errors();
  const Bytes strip = Read("strip.ebm");
  const std::optional<EbmHeader> header = ReadEbmHeader(strip);
  ASSERT_TRUE(header);
  EXPECT_EQ(header->format, EbmFormat::k565);
  EXPECT_EQ(header->frames, 3u);
  EXPECT_EQ(header->frameWidth, 2u);
  EXPECT_EQ(header->colorKey, 0x030201u);
  Surface fromPng(open.context), fromEbm(open.context);
  ASSERT_EQ(DecodeImage(fromPng, Read("in.png"), 0), S_OK);
  ASSERT_EQ(DecodeImage(fromEbm, strip, 0), S_OK);
  EXPECT_EQ(ref::Snapshot(fromPng), ref::Snapshot(fromEbm));

  // Decoding widens by the game's rule, so the PNG decodes back to the very same pixels.
  ASSERT_EQ(Run("decode " + Path("strip.ebm") + " " + Path("out.png")), 0) << Errors();
  Surface back(open.context);
  ASSERT_EQ(DecodeImage(back, Read("out.png"), 0), S_OK);
  EXPECT_EQ(ref::Snapshot(back), ref::Snapshot(fromEbm));
}

TEST_F(ImageToolTest, AlphaPicturesComeFromTheAlphaChannel) {
  Write("in.png", samples::BuildPng(RgbaPicture()));
  ASSERT_EQ(Run("encode " + Path("in.png") + " " + Path("in_a.ebm") + " --8ga"), 0) << Errors();
  Surface weights(open.context), alpha(open.context);
  ASSERT_EQ(DecodeImage(weights, Read("in_a.ebm"), 0), S_OK);
  ASSERT_EQ(DecodeImage(alpha, Read("in.png"), kLoadAlphaAsGrey), S_OK);
  ASSERT_EQ(ReadEbmHeader(Read("in_a.ebm"))->format, EbmFormat::k8ga);
  for (int x = 0; x < 6; ++x) {
    // The weight AlphaBlt reads is the green channel.
    EXPECT_EQ(weights.Row(1)[x] & 0x07E0, alpha.Row(1)[x] & 0x07E0) << x;
  }
  ASSERT_EQ(Run("decode " + Path("in_a.ebm") + " " + Path("a.png")), 0) << Errors();
  Surface grey(open.context);
  ASSERT_EQ(DecodeImage(grey, Read("a.png"), 0), S_OK);
  EXPECT_EQ(grey.Row(0)[4] & 0x07E0, alpha.Row(0)[4] & 0x07E0);
  EXPECT_EQ(grey.Row(0)[4] >> 11, (grey.Row(0)[4] >> 6) & 0x1F) << "written as grey";
}

// The tool decodes as the game does, so picture bombs are refused before anything is allocated, and it
// writes the largest picture out row by row: the whole tool, sanitizer runtime included, stays below 64 MiB.
TEST_F(ImageToolTest, PictureBombsAndTheLargestPictureTakeLittleMemory) {
  Write("bomb.bmp", samples::RunLengthBmp(8192, 8192));
  Write("bomb.png", samples::OneBitPng(8192, 8192));
  Write("largest.bmp", samples::RunLengthBmp(4096, 4096));
  for (const char* name : {"bomb.bmp", "bomb.png", "largest.bmp"}) {
    const bool bomb = name[0] == 'b';
    const test::ProgramRun run =
        test::RunProgram({ZELPH_IMAGE_TOOL, "decode", Path(name), Path("out.png")}, Path("err.txt"));
    EXPECT_EQ(run.exitCode, bomb ? 1 : 0) << name << ": " << Errors();
    EXPECT_LT(run.peakBytes, 64 * test::kMiB) << name;
  }
  Surface back(open.context);
  ASSERT_EQ(DecodeImage(back, Read("out.png"), 0), S_OK);
  EXPECT_EQ(back.Width(), 4096);
  EXPECT_EQ(back.Row(4095)[4095], 0);
}

TEST_F(ImageToolTest, UnreadableInputAndBadUsageFailClearly) {
  Write("junk.gif", Bytes{'G', 'I', 'F', '8', '9', 'a', 0, 0});
  EXPECT_EQ(Run("decode " + Path("junk.gif") + " " + Path("o.png")), 1);
  EXPECT_NE(Errors().find("not a picture the game can read"), std::string::npos) << Errors();
  EXPECT_EQ(Run("decode " + Path("missing.png") + " " + Path("o.png")), 1);
  EXPECT_NE(Errors().find("cannot read"), std::string::npos);
  Write("in.png", samples::BuildPng(RgbaPicture()));
  EXPECT_EQ(Run("encode " + Path("in.png") + " " + Path("o.ebm") + " --frames 4"), 1)
      << "6 columns, 4 frames";
  EXPECT_EQ(Run("encode " + Path("in.png") + " " + Path("o.ebm") + " --frames 2 --frame-width 4"), 1);
  EXPECT_EQ(Run("encode " + Path("in.png") + " " + Path("o.ebm") + " --key 1,2"), 2);
  EXPECT_EQ(Run("encode " + Path("in.png") + " " + Path("o.ebm") + " --frames"), 2);
  EXPECT_EQ(Run("encode " + Path("in.png")), 2);
  EXPECT_EQ(Run("scale " + Path("in.png")), 2);
  EXPECT_TRUE(Read("o.ebm").empty()) << "nothing written on failure";
  EXPECT_EQ(Run("decode " + Path("in.png") + " " + Path("nodir/o.png")), 1);
}

}  // namespace
}  // namespace zelph::gfx
