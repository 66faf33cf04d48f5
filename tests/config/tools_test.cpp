// zelph-ino and zelph-pack, run as the asset pipeline runs them, and their output loaded by the game's code.
#include <gtest/gtest.h>
#include <sys/wait.h>

#include <cstdlib>
#include <fstream>

#include "config/user_settings.h"
#include "config_test_support.h"
#include "test_support/peak_memory.h"

namespace zelph::config {
namespace {

class ToolsTest : public test::ConfigEnvironment {
 protected:
  // Runs a tool with arguments (no shell quoting needed: scratch paths have no spaces); its exit status.
  int Run(const char* tool, const std::string& args) {
    std::string command = std::string(tool) + " " + args + " >" + (dir() / "out.txt").string() + " 2>" +
                          (dir() / "err.txt").string();
    int status = std::system(command.c_str());
    return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
  }
  std::string Output(const char* name = "out.txt") {
    auto bytes = platform::ReadWholeFile(dir() / name);
    return bytes ? std::string(bytes->begin(), bytes->end()) : std::string();
  }
  std::string Path(const std::string& name) { return (dir() / name).string(); }
  void Text(const std::string& name, const std::string& content) {
    std::ofstream(dir() / name, std::ios::binary) << content;
  }
  // Compiles text files with zelph-ino and packs them with zelph-pack into data/NAME.pak.
  void BuildPack(const std::string& name, const std::string& manifest,
                 const std::vector<std::pair<std::string, std::string>>& documents) {
    for (const auto& [file, text] : documents) {
      Text(file + ".txt", text);
      ASSERT_EQ(Run(ZELPH_INO_TOOL, "compile " + Path(file + ".txt") + " " + Path(file + ".ino")), 0) << Output("err.txt");
    }
    Text(name + ".manifest", manifest);
    std::filesystem::create_directories(dir() / "data");
    ASSERT_EQ(Run(ZELPH_PACK_TOOL, "create " + Path("data/" + name + ".pak") + " " + Path(name + ".manifest")), 0)
        << Output("err.txt");
  }
};

TEST_F(ToolsTest, PacksBuiltByTheToolsAreLoadedThroughTheRegistry) {
  BuildPack("gui",
            "title Test GUI\n# identifier name type file\n0x3E8 about INO gui_about.ino\n1001 main INO gui_main.ino\n",
            {{"gui_about", "[main]\nfilter=1.0\ntype=gui\ncount=1\n1=0x3E9\n"},
             {"gui_main", "; the main window\n[main_wnd]\nback_img=0x3EA\ntitle=Orv Zelph II\n"}});
  BuildPack("game", "2000 about INO game_about.ino\n2001 levels INO game_levels.ino\n",
            {{"game_about", "[main]\nfilter=1.0\ntype=game\ncount=1\n1=2001\n"},
             {"game_levels", "[level]\npass_percent=75\n"}});

  EXPECT_EQ(RegisterDefaultPacks(dir() / "data"), 2);
  UserSettingsFile settings;
  ASSERT_EQ(LoadResources(settings), S_OK);
  const ConfigSection* wnd = GuiDocument().FindSection("main_wnd");
  ASSERT_NE(wnd, nullptr);
  EXPECT_EQ(wnd->GetNumber("back_img", 0), 0x3EAu);
  std::u16string title;
  ASSERT_TRUE(wnd->GetString("title", title));
  EXPECT_EQ(title, u"Orv Zelph II");
  EXPECT_EQ(GameDocument().FindSection("level")->GetInt("pass_percent", 0), 75);

  EXPECT_EQ(Run(ZELPH_PACK_TOOL, "verify " + Path("data/gui.pak")), 0) << Output("err.txt");
  EXPECT_EQ(Run(ZELPH_PACK_TOOL, "list " + Path("data/gui.pak")), 0);
  EXPECT_NE(Output().find("Test GUI"), std::string::npos);
  EXPECT_NE(Output().find("0x000003E9"), std::string::npos);
}

TEST_F(ToolsTest, OutputIsTheSameBytesOnEveryRun) {
  BuildPack("a", "1 about INO doc.ino\n", {{"doc", "[main]\nfilter=1.0\ntype=gui\ncount=0\n"}});
  auto first = platform::ReadWholeFile(dir() / "data" / "a.pak");
  auto firstIno = platform::ReadWholeFile(dir() / "doc.ino");
  BuildPack("a", "1 about INO doc.ino\n", {{"doc", "[main]\nfilter=1.0\ntype=gui\ncount=0\n"}});
  EXPECT_EQ(platform::ReadWholeFile(dir() / "data" / "a.pak"), first);
  EXPECT_EQ(platform::ReadWholeFile(dir() / "doc.ino"), firstIno);
}

TEST_F(ToolsTest, SettingsTheGameWritesSurviveDecompileAndCompile) {
  UserSettingsFile settings;
  ASSERT_EQ(OpenUserSettings(settings), S_OK);
  ConfigDocument& doc = UserSettingsDocument();
  ConfigSection* scores = doc.SectionAt(doc.AddSection(settings.source, "high_scores", 64));
  scores->SetWideString("name_1", u"J\u00F6rg the \u2603");
  scores->SetInt("score_1", -12345);
  scores->SetEightInts("field", {1, 2, 3, 4, 5, 6, 7, 8});
  scores->SetString("empty", "");
  ASSERT_EQ(SaveUserSettings(settings), kSaveOk);
  ASSERT_EQ(RecordPlugInAward(250), S_OK);

  for (const char* file : {"Settings.ino", "PlugInData.ino"}) {
    ASSERT_EQ(Run(ZELPH_INO_TOOL, "decompile " + Path(file) + " " + Path("a.txt") + " --scrambled"), 0)
        << Output("err.txt");
    ASSERT_EQ(Run(ZELPH_INO_TOOL, "compile " + Path("a.txt") + " " + Path("b.ino") + " --scrambled"), 0);
    ASSERT_EQ(Run(ZELPH_INO_TOOL, "decompile " + Path("b.ino") + " " + Path("b.txt") + " --scrambled"), 0);
    EXPECT_EQ(Output("a.txt"), Output("b.txt")) << file;
    EXPECT_EQ(Run(ZELPH_INO_TOOL, "check " + Path("b.ino") + " --scrambled"), 0);

    ConfigDocument original, copy;
    original.SetScrambled(true);
    copy.SetScrambled(true);
    ASSERT_GE(original.LoadFile(dir() / file), 0);
    ASSERT_GE(copy.LoadFile(dir() / "b.ino"), 0);
    ASSERT_EQ(original.SectionCount(), copy.SectionCount());
    for (int i = 0; i < original.SectionCount(); ++i) {
      EXPECT_STREQ(original.SectionAt(i)->Name(), copy.SectionAt(i)->Name());
      auto a = original.SectionAt(i)->Entries(), b = copy.SectionAt(i)->Entries();
      EXPECT_TRUE(std::equal(a.begin(), a.end(), b.begin(), b.end())) << file << " section " << i;
    }
  }
  EXPECT_NE(Output("a.txt").find("1_res_add=250"), std::string::npos);
}

// verify refuses what the game refuses, without the memory or time a hostile pack asks for: an entry that
// claims 1 GiB, and eight directory entries that all point at the same bytes.
TEST_F(ToolsTest, VerifyRefusesPackBombsQuickly) {
  test::WriteFile(dir() / "claim.pak", test::OneEntryPack(7, 1u << 30, std::vector<std::uint8_t>(1 << 20)));
  const auto run = zelph::test::RunProgram({ZELPH_PACK_TOOL, "verify", Path("claim.pak")}, Path("err.txt"));
  EXPECT_EQ(run.exitCode, 1);
  EXPECT_LT(run.peakBytes, 64 * zelph::test::kMiB);
  EXPECT_NE(Output("err.txt").find("64 MiB"), std::string::npos) << Output("err.txt");

  std::vector<PackResource> resources;
  for (std::uint32_t id = 1; id <= 8; ++id)
    resources.push_back({id, "r", "BIN", test::Repeated("x", 1 << 20)});
  std::vector<std::uint8_t> pack = test::PackBytes(std::move(resources));
  for (std::size_t i = 1; i < 8; ++i) {  // offset and compressed size of the first entry
    std::copy_n(pack.begin() + kPackHeaderSize + 4, 8,
                pack.begin() + kPackHeaderSize + i * kPackEntrySize + 4);
  }
  test::WriteFile(dir() / "shared.pak", pack);
  EXPECT_EQ(Run(ZELPH_PACK_TOOL, "verify " + Path("shared.pak")), 1);
  const std::string errors = Output("err.txt");
  EXPECT_NE(errors.find("resource 0x2 (2) (r) shares bytes with resource 0x1 (1)"), std::string::npos)
      << errors;
  EXPECT_NE(errors.find("resource 0x8 (8) (r) shares bytes"), std::string::npos) << errors;
}

TEST_F(ToolsTest, BadInputGivesClearErrorsAndStatus) {
  Text("bad.txt", "[s]\nno equals\n");
  EXPECT_EQ(Run(ZELPH_INO_TOOL, "compile " + Path("bad.txt") + " " + Path("bad.ino")), 1);
  EXPECT_NE(Output("err.txt").find("line 2"), std::string::npos);
  EXPECT_FALSE(std::filesystem::exists(dir() / "bad.ino"));
  EXPECT_EQ(Run(ZELPH_INO_TOOL, "compile only-one-file"), 2);
  EXPECT_EQ(Run(ZELPH_INO_TOOL, "check " + Path("missing.ino")), 1);
  EXPECT_EQ(Run(ZELPH_INO_TOOL, "--help"), 0);
  EXPECT_NE(Output().find("key=value"), std::string::npos);

  Text("doc.ino", "");
  Text("m1.manifest", "0 zero INO doc.ino\n");
  EXPECT_EQ(Run(ZELPH_PACK_TOOL, "create " + Path("x.pak") + " " + Path("m1.manifest")), 1);
  EXPECT_NE(Output("err.txt").find("line 1"), std::string::npos);
  Text("m2.manifest", "5 a INO missing.ino\n");
  EXPECT_EQ(Run(ZELPH_PACK_TOOL, "create " + Path("x.pak") + " " + Path("m2.manifest")), 1);
  Text("m3.manifest", "5 a INO doc.ino\n");  // empty resource: the game could never extract it
  EXPECT_EQ(Run(ZELPH_PACK_TOOL, "create " + Path("x.pak") + " " + Path("m3.manifest")), 1);
  Text("one.txt", "[main]\n");
  ASSERT_EQ(Run(ZELPH_INO_TOOL, "compile " + Path("one.txt") + " " + Path("one.ino")), 0);
  Text("m4.manifest", "5 a INO one.ino\n0x5 b INO one.ino\n");
  EXPECT_EQ(Run(ZELPH_PACK_TOOL, "create " + Path("x.pak") + " " + Path("m4.manifest")), 1);
  EXPECT_NE(Output("err.txt").find("twice"), std::string::npos);
  EXPECT_FALSE(std::filesystem::exists(dir() / "x.pak"));

  // A pack whose description lacks its keys, then one with a damaged resource.
  Text("m5.manifest", "5 a INO one.ino\n");
  ASSERT_EQ(Run(ZELPH_PACK_TOOL, "create " + Path("x.pak") + " " + Path("m5.manifest")), 0);
  EXPECT_EQ(Run(ZELPH_PACK_TOOL, "verify " + Path("x.pak")), 1);
  EXPECT_NE(Output("err.txt").find("filter"), std::string::npos);
  auto pack = *platform::ReadWholeFile(dir() / "x.pak");
  pack.back() ^= 0xFF;
  test::WriteFile(dir() / "x.pak", pack);
  EXPECT_EQ(Run(ZELPH_PACK_TOOL, "verify " + Path("x.pak")), 1);
  EXPECT_EQ(Run(ZELPH_PACK_TOOL, "extract " + Path("x.pak") + " 6"), 1);
  EXPECT_EQ(Run(ZELPH_PACK_TOOL, "frobnicate"), 2);
}

}  // namespace
}  // namespace zelph::config
