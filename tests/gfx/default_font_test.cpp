// The default font is kept in the program as a compressed "eBM" picture. Its design is the large built-in
// glyph table drawn white with a black shadow, so it reads on any background; this test checks that the
// stored picture is exactly that drawing, and on a mismatch writes the source file to store instead.
#include <gtest/gtest.h>
#include <zlib.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <vector>

#include "gfx/ebm_format.h"
#include "gfx/font_glyphs.h"
#include "gfx/font_strip.h"
#include "gfx/system_fonts.h"
#include "platform/file_io.h"
#include "platform/home.h"
#include "reference.h"

namespace zelph::gfx {
namespace {

constexpr int kDefaultFontChars = 95;

std::vector<std::uint8_t> DrawnDefaultFont(GraphicsContext& context) {
  StripStyle style;
  style.ink = 0xFFFF;
  style.shadow = true;
  style.shadowInk = 0x0000;
  Surface picture(context);
  const GlyphTable& glyphs = LargeGlyphs();
  EXPECT_EQ(
      picture.CreateSurface(0, StripWidth(glyphs, kDefaultFontChars, style), StripHeight(glyphs, style)),
      S_OK);
  EXPECT_EQ(DrawGlyphStrip(picture, glyphs, kDefaultFontChars, style), S_OK);
  EbmHeader header;
  header.format = EbmFormat::k565;
  header.width = static_cast<std::uint32_t>(picture.Width());
  header.height = static_cast<std::uint32_t>(picture.Height());
  header.colorKey = kMagenta;
  return WriteEbm(header, Ebm565Pixels(picture));
}

std::string SourceFile(const std::vector<std::uint8_t>& picture) {
  uLongf size = compressBound(static_cast<uLong>(picture.size()));
  std::vector<std::uint8_t> packed(size);
  compress2(packed.data(), &size, picture.data(), static_cast<uLong>(picture.size()), Z_BEST_COMPRESSION);
  std::string out =
      "// The default font's picture: an \"eBM\" strip of the large built-in glyphs, white with a black "
      "shadow,\n"
      "// compressed with zlib. Written by the test DefaultFont.StoredPictureIsTheDrawnDesign; do not edit.\n"
      "#include <cstdint>\n#include <span>\n\n#include \"gfx/system_fonts.h\"\n\nnamespace zelph::gfx {\n"
      "namespace {\n\nconstexpr std::uint8_t kPicture[] = {";
  for (uLongf i = 0; i < size; ++i) {
    char byte[8];
    std::snprintf(byte, sizeof byte, "0x%02X,", packed[i]);
    out += (i % 16 == 0 ? "\n    " : " ") + std::string(byte);
  }
  out +=
      "\n};\n\n}  // namespace\n\nstd::span<const std::uint8_t> DefaultFontData() { return kPicture; }\n\n"
      "}  // namespace zelph::gfx\n";
  return out;
}

TEST(DefaultFont, StoredPictureIsTheDrawnDesign) {
  ref::OpenContext open;
  const std::vector<std::uint8_t> want = DrawnDefaultFont(open.context);
  const std::span<const std::uint8_t> stored = DefaultFontData();
  std::vector<std::uint8_t> inflated(want.size() + 1);
  uLongf size = static_cast<uLongf>(inflated.size());
  const bool same =
      uncompress(inflated.data(), &size, stored.data(), static_cast<uLong>(stored.size())) == Z_OK &&
      size == want.size() && std::equal(want.begin(), want.end(), inflated.begin());
  if (!same) {
    const char* tmp = std::getenv("ZELPH_TEST_TMP");
    const std::filesystem::path out = std::filesystem::path(tmp ? tmp : ".") / "default_font_data.cpp";
    platform::EnsureDir(out.parent_path());
    platform::WriteFileAtomically(out, SourceFile(want));
    ADD_FAILURE() << "the stored default font differs from the glyph table; the new source is " << out
                  << " (copy it to src/gfx/default_font_data.cpp)";
  }
}

}  // namespace
}  // namespace zelph::gfx
