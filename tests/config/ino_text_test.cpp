#include "config/ino_text.h"

#include <gtest/gtest.h>

#include "config/config_document.h"
#include "config_test_support.h"

namespace zelph::config {
namespace {

using test::Bytes;

std::string Decompiled(const std::vector<std::uint8_t>& image) {
  std::string text, error;
  EXPECT_TRUE(DecompileIno(image, text, error)) << error;
  return text;
}

TEST(InoText, CanonicalTextSurvivesCompileAndDecompile) {
  const std::string text =
      "hidden=before any section\n"
      "\n[main]\n"
      "name= Ann = the first \n"
      "empty=\n"
      "=no key\n"
      "utf8=caf\xC3\xA9\n"
      "\n[]\n"
      "\n[a]b]\n"
      "dup=1\n"
      "dup=2\n";
  std::vector<std::uint8_t> image;
  std::string error;
  ASSERT_TRUE(CompileInoText(text, image, error)) << error;
  EXPECT_EQ(Decompiled(image), text);

  ConfigDocument doc;
  ASSERT_EQ(doc.LoadMemory(image), 0);
  EXPECT_STREQ(doc.FindSection("main")->GetRaw("name"), " Ann = the first ");
  EXPECT_STREQ(doc.FindSection("main")->GetRaw(""), "no key");
  EXPECT_NE(doc.FindSection(""), nullptr);
  EXPECT_NE(doc.FindSection("a]b"), nullptr);
}

TEST(InoText, CommentsBlankLinesAndCrLfAreAccepted) {
  std::vector<std::uint8_t> crlf, lf;
  std::string error;
  ASSERT_TRUE(CompileInoText("; comment\r\n\r\n[s]\r\nk=v\r\n;x=y\r\nlast=no newline", crlf, error)) << error;
  ASSERT_TRUE(CompileInoText("[s]\nk=v\nlast=no newline\n", lf, error)) << error;
  EXPECT_EQ(crlf, lf);
}

TEST(InoText, MalformedTextNamesTheLine) {
  std::vector<std::uint8_t> image;
  std::string error;
  EXPECT_FALSE(CompileInoText("[ok]\nno equals sign\n", image, error));
  EXPECT_EQ(error.rfind("line 2:", 0), 0u) << error;
  EXPECT_FALSE(CompileInoText("[unclosed\n", image, error));
  EXPECT_EQ(error.rfind("line 1:", 0), 0u) << error;
  EXPECT_FALSE(CompileInoText("[s]\nk=" + std::string(70000, 'v') + "\n", image, error));
  EXPECT_EQ(error.rfind("line 2:", 0), 0u) << error;
  EXPECT_FALSE(CompileInoText(std::string("[s]\nk=a\0b\n", 10), image, error));
}

TEST(InoText, DecompileRefusesWhatTheTextCannotHold) {
  const std::vector<std::pair<std::string, std::string>> cases = {
      {"a=b", "v"}, {"k", "line\nbreak"}, {";k", "v"}, {"k", "ends in CR\r"}};
  for (const auto& [key, value] : cases) {
    ConfigDocument doc;
    int source = doc.AddEmptySource(false);
    doc.SectionAt(doc.AddSection(source, "s", 0))->SetString(key.c_str(), value.c_str());
    std::string text, error;
    EXPECT_FALSE(DecompileIno(doc.Serialize(source, {}), text, error)) << key;
  }
  std::string text, error;
  auto image = test::Ino("[s]\nk=v\n");
  image[30] ^= 1;
  EXPECT_FALSE(DecompileIno(image, text, error));
  EXPECT_NE(error.find("checksum"), std::string::npos);
  EXPECT_FALSE(DecompileIno(Bytes("\x03\x00zz"), text, error));
}

}  // namespace
}  // namespace zelph::config
