#include "platform/registry.h"

#include <gtest/gtest.h>

#include <algorithm>

#include "platform/file_io.h"
#include "platform/reg_text.h"
#include "test_support/file_size_limit.h"
#include "test_support/temp_dir.h"

namespace zelph::platform {
namespace {

constexpr auto kLm = RootKey::LocalMachine;
constexpr const char* kGame = "SOFTWARE\\Orv Software House\\OrvZelph II SA VGA";

TEST(Registry, ValuesPersistAcrossInstancesAndKeepTheirTypes) {
  test::TempDir dir;
  auto file = dir.path() / "registry.reg";
  {
    Registry reg(file);
    EXPECT_TRUE(reg.WriteDword(kLm, kGame, "sound_vol", 50));
    EXPECT_TRUE(reg.WriteString(kLm, kGame, "UserSettings", "/home/p/Settings.ino"));
    EXPECT_TRUE(reg.WriteString(kLm, std::string(kGame) + "\\Res", "1", "C:\\packs\\\"q\".pak"));
  }
  Registry again(file);
  EXPECT_EQ(again.ReadDword(kLm, kGame, "sound_vol"), 50u);
  EXPECT_EQ(again.ReadString(kLm, kGame, "UserSettings"), "/home/p/Settings.ino");
  EXPECT_EQ(again.ReadString(kLm, std::string(kGame) + "\\Res", "1"), "C:\\packs\\\"q\".pak");
  // A value of the other type does not read.
  EXPECT_FALSE(again.ReadString(kLm, kGame, "sound_vol"));
  EXPECT_FALSE(again.ReadDword(kLm, kGame, "UserSettings"));
  // The file is a ".reg" document a person can read.
  auto bytes = ReadWholeFile(file);
  ASSERT_TRUE(bytes);
  std::string text(bytes->begin(), bytes->end());
  EXPECT_TRUE(text.starts_with("Windows Registry Editor Version 5.00\n"));
  EXPECT_NE(text.find("[HKEY_LOCAL_MACHINE\\SOFTWARE\\Orv Software House\\OrvZelph II SA VGA]\n"
                      "\"sound_vol\"=dword:00000032\n"),
            std::string::npos);
}

// The registry writes its file the one crash-safe way: a write that fails keeps the old file whole and
// leaves no temporary file.
TEST(Registry, FailedWriteKeepsTheFileAndLeavesNoTemporaryFile) {
  test::TempDir dir;
  auto file = dir.path() / "registry.reg";
  Registry reg(file);
  ASSERT_TRUE(reg.WriteDword(kLm, kGame, "sound_vol", 50));
  {
    test::FileSizeLimit limit(4096);
    EXPECT_FALSE(reg.WriteString(kLm, kGame, "long", std::string(8192, 'x')));
  }
  EXPECT_FALSE(test::HoldsTemporaryFile(dir.path()));
  Registry again(file);
  EXPECT_EQ(again.ReadDword(kLm, kGame, "sound_vol"), 50u);
  EXPECT_FALSE(again.ReadString(kLm, kGame, "long"));
}

TEST(Registry, KeysAndNamesIgnoreLetterCase) {
  Registry reg;
  reg.WriteDword(kLm, "Software\\A", "Value", 7);
  EXPECT_EQ(reg.ReadDword(kLm, "SOFTWARE\\a", "VALUE"), 7u);
  reg.WriteDword(kLm, "software\\a", "value", 8);
  EXPECT_EQ(reg.ReadDword(kLm, "Software\\A", "Value"), 8u);
  EXPECT_EQ(reg.EnumValue(kLm, "Software\\A", 1), std::nullopt);  // overwritten, not added
  EXPECT_FALSE(reg.ReadDword(RootKey::CurrentUser, "Software\\A", "Value"));
}

TEST(Registry, EnumeratesValuesInCreationOrderAndSubkeys) {
  Registry reg;
  reg.WriteString(kLm, "K\\Res", "b", "2");
  reg.WriteString(kLm, "K\\Res", "a", "1");
  reg.CreateKey(kLm, "K\\Prog2");
  reg.CreateKey(kLm, "K\\Prog1\\Deep");
  auto first = reg.EnumValue(kLm, "K\\Res", 0);
  ASSERT_TRUE(first);
  EXPECT_EQ(first->name, "b");
  EXPECT_EQ(reg.EnumValue(kLm, "K\\Res", 1)->name, "a");
  EXPECT_FALSE(reg.EnumValue(kLm, "K\\Res", 2));
  EXPECT_EQ(reg.EnumSubkey(kLm, "K", 0), "Prog1");
  EXPECT_EQ(reg.EnumSubkey(kLm, "K", 1), "Prog2");
  EXPECT_EQ(reg.EnumSubkey(kLm, "K", 2), "Res");
  EXPECT_FALSE(reg.EnumSubkey(kLm, "K", 3));
  EXPECT_TRUE(reg.KeyExists(kLm, "K\\Prog1"));  // parents exist with their children
  EXPECT_TRUE(reg.DeleteKey(kLm, "K\\Prog1"));
  EXPECT_FALSE(reg.KeyExists(kLm, "K\\Prog1\\Deep"));
}

TEST(RegText, RoundTripsAwkwardStrings) {
  std::vector<RegTextKey> keys{{"HKEY_LOCAL_MACHINE\\S", {{"q", std::string("a\"b\\c")},
                                                          {"nl", std::string("line1\nline2\t\xD0\x96")},
                                                          {"", std::string("default")},
                                                          {"d", std::uint32_t{0xDEADBEEF}}}}};
  auto parsed = ParseRegText(FormatRegText(keys));
  ASSERT_TRUE(parsed);
  ASSERT_EQ(parsed->size(), 1u);
  const auto& v = (*parsed)[0].values;
  ASSERT_EQ(v.size(), 4u);
  EXPECT_EQ(std::get<std::string>(v[0].value), "a\"b\\c");
  EXPECT_EQ(std::get<std::string>(v[1].value), "line1\nline2\t\xD0\x96");
  EXPECT_EQ(v[2].name, "");
  EXPECT_EQ(std::get<std::uint32_t>(v[3].value), 0xDEADBEEFu);
}

TEST(RegText, ReadsHandEditedFilesAndRejectsGarbage) {
  std::string_view edited =
      "\xEF\xBB\xBFWindows Registry Editor Version 5.00\r\n"
      "; a comment\r\n"
      "[HKEY_LOCAL_MACHINE\\A]\r\n"
      "\"bin\"=hex:01,02,\\\r\n"
      "  03\r\n"
      "\"n\"=dword:1F\r\n"
      "[-HKEY_LOCAL_MACHINE\\Gone]\r\n";
  auto parsed = ParseRegText(edited);
  ASSERT_TRUE(parsed);
  ASSERT_EQ(parsed->size(), 1u);
  ASSERT_EQ((*parsed)[0].values.size(), 1u);  // the binary value is skipped, the dword kept
  EXPECT_EQ(std::get<std::uint32_t>((*parsed)[0].values[0].value), 0x1Fu);

  EXPECT_FALSE(ParseRegText("not a registry"));
  EXPECT_FALSE(ParseRegText("Windows Registry Editor Version 5.00\n\"orphan\"=dword:1\n"));
  EXPECT_FALSE(ParseRegText("Windows Registry Editor Version 5.00\n[K]\n\"x\"=dword:123456789\n"));
  EXPECT_FALSE(ParseRegText("Windows Registry Editor Version 5.00\n[K]\n\"x\"=\"unterminated\n"));
}

TEST(Registry, DamagedFileIsKeptAsideAndTheRegistryStartsEmpty) {
  test::TempDir dir;
  auto file = dir.path() / "registry.reg";
  ASSERT_TRUE(WriteFileAtomically(file, std::string_view("Windows Registry Editor Version 5.00\n\n[K]\n"
                                                         "\"a\"=dword:1\n\"b\"=dword:xyz\n")));
  ::testing::internal::CaptureStderr();
  Registry reg(file);
  const std::string said = ::testing::internal::GetCapturedStderr();
  // One notice: which file, the line and reason, and where the copy is.
  EXPECT_EQ(std::count(said.begin(), said.end(), '\n'), 1) << said;
  EXPECT_NE(said.find(file.string() + " "), std::string::npos) << said;
  EXPECT_NE(said.find("line 5: a dword value"), std::string::npos) << said;
  EXPECT_NE(said.find(file.string() + ".bad"), std::string::npos) << said;
  EXPECT_FALSE(reg.KeyExists(kLm, "SOFTWARE"));
  EXPECT_TRUE(std::filesystem::exists(dir.path() / "registry.reg.bad"));
  EXPECT_TRUE(reg.WriteDword(kLm, "SOFTWARE", "v", 1));
  EXPECT_EQ(Registry(file).ReadDword(kLm, "SOFTWARE", "v"), 1u);
}

TEST(Registry, TheSystemRegistryIsOneObjectThatOpeningReloads) {
  test::TempDir dir;
  auto file = dir.path() / "registry.reg";
  {
    Registry writer(file);
    writer.WriteDword(kLm, kGame, "sound_vol", 70);
  }
  Registry& held = SystemRegistry();  // taken before the file is opened, as a long-lived caller would
  held.WriteDword(kLm, kGame, "memory_only", 1);
  OpenSystemRegistry(file);
  EXPECT_EQ(&held, &SystemRegistry());
  EXPECT_EQ(held.ReadDword(kLm, kGame, "sound_vol"), 70u);
  EXPECT_FALSE(held.ReadDword(kLm, kGame, "memory_only"));  // what was in memory went with the reload
  EXPECT_EQ(held.File(), file);
  OpenSystemRegistry({});  // back to memory only for the other tests
  EXPECT_FALSE(held.KeyExists(kLm, kGame));
}

TEST(RegText, MalformedUtf8InAMultiLineStringKeepsTheTextAfterIt) {
  // An overlong NUL once became a real NUL in the UTF-16 form and cut the value short when read back.
  std::vector<RegTextKey> keys{{"HKEY_LOCAL_MACHINE\\S", {{"v", std::string("a\n\xC0\x80z")},
                                                          {"w", std::string("b\n\xED\xA0\x80y")}}}};
  auto parsed = ParseRegText(FormatRegText(keys));
  ASSERT_TRUE(parsed);
  ASSERT_EQ((*parsed)[0].values.size(), 2u);
  // Bytes that are not UTF-8 are kept as the Latin-1 characters they would be.
  EXPECT_EQ(std::get<std::string>((*parsed)[0].values[0].value), "a\n\xC3\x80\xC2\x80z");
  EXPECT_EQ(std::get<std::string>((*parsed)[0].values[1].value), "b\n\xC3\xAD\xC2\xA0\xC2\x80y");
}

// Windows' registry editor saves exported files as UTF-16LE with a byte-order mark.
std::string Utf16Le(std::u16string_view text) {
  std::string bytes = "\xFF\xFE";
  for (char16_t u : text) {
    bytes += static_cast<char>(u & 0xFF);
    bytes += static_cast<char>(u >> 8);
  }
  return bytes;
}

TEST(Registry, AFileSavedAsUtf16KeepsItsValuesAndIsWrittenBackAsUtf8) {
  test::TempDir dir;
  auto file = dir.path() / "registry.reg";
  ASSERT_TRUE(WriteFileAtomically(
      file, Utf16Le(u"Windows Registry Editor Version 5.00\r\n\r\n"
                    u"[HKEY_LOCAL_MACHINE\\SOFTWARE\\Orv Software House\\OrvZelph II SA VGA]\r\n"
                    u"\"sound_vol\"=dword:0000000a\r\n\"music_vol\"=dword:00000040\r\n"
                    u"\"UserSettings\"=\"/home/J\u00f6rg/\u0416\U0001F600.ino\"\r\n")));
  ::testing::internal::CaptureStderr();
  Registry reg(file);
  EXPECT_EQ(::testing::internal::GetCapturedStderr(), "") << "nothing was set aside";
  EXPECT_FALSE(std::filesystem::exists(dir.path() / "registry.reg.bad"));
  EXPECT_EQ(reg.ReadDword(kLm, kGame, "sound_vol"), 10u);
  EXPECT_EQ(reg.ReadDword(kLm, kGame, "music_vol"), 64u);
  EXPECT_EQ(reg.ReadString(kLm, kGame, "UserSettings"), "/home/J\xC3\xB6rg/\xD0\x96\xF0\x9F\x98\x80.ino");

  ASSERT_TRUE(reg.WriteDword(kLm, kGame, "sound_vol", 20));
  auto bytes = ReadWholeFile(file);
  ASSERT_TRUE(bytes);
  std::string text(bytes->begin(), bytes->end());
  EXPECT_TRUE(text.starts_with("Windows Registry Editor Version 5.00\n")) << "written as UTF-8, no mark";
  EXPECT_EQ(Registry(file).ReadDword(kLm, kGame, "music_vol"), 64u);
}

TEST(RegText, SaysOnWhichLineAndWhyTextIsRefused) {
  struct Case {
    std::string text;
    std::size_t line;
    std::string reason;  // the start of it
  };
  const std::string header = "Windows Registry Editor Version 5.00\n";
  const Case cases[] = {
      {"", 0, "the file is empty"},
      {"; a comment\nnot a registry\n", 2, "the first line must be"},
      {header + "\"orphan\"=dword:1\n", 2, "a value before the first [key]"},
      {header + "[K]\n\"x\"=dword:123456789\n", 3, "a dword value"},
      {header + "[K]\n\"x\"=\"unterminated\n", 3, "the string value has no closing quote"},
      {header + "[K]\n\"x\"=hex(1):41,\\\n  00,4\n", 3, "a hex(1) value"},  // counted from its first line
      {header + "[K\n", 2, "a key line"},
      {header + "[K]\nx=1\n", 3, "neither a [key]"},
      {header + "[K]\n\"x\"=oops\n", 3, "the value is neither"},
      {Utf16Le(u"Windows Registry Editor Version 5.00\n").substr(0, 9), 0, "UTF-16 text with an odd number"},
      {"\xFE\xFF", 0, "UTF-16 big-endian"},
      {Utf16Le(u"Windows Registry Editor Version 5.00\n[K]\n\"a\"=dword:1\n\"b\"=dword:\n"), 4, "a dword value"},
  };
  for (const Case& c : cases) {
    RegTextError error;
    EXPECT_FALSE(ParseRegText(c.text, &error)) << c.text;
    EXPECT_EQ(error.line, c.line) << c.text;
    EXPECT_TRUE(error.reason.starts_with(c.reason)) << c.text << " -> " << error.reason;
  }
}

}  // namespace
}  // namespace zelph::platform
