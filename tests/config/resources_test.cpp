#include "config/resources.h"

#include <gtest/gtest.h>

#include "config/registry_values.h"
#include "config_test_support.h"
#include "platform/build_variant.h"
#include "test_support/peak_memory.h"

namespace zelph::config {
namespace {

using test::Bytes;
using test::Ino;
using test::PackBytes;

constexpr auto kLm = platform::RootKey::LocalMachine;

class LoadResourcesTest : public test::ConfigEnvironment {
 protected:
  std::string GameKey() const { return platform::Variant().gameKey; }
  std::string ResKey() const { return GameKey() + "\\Res"; }

  // A pack whose description (the lowest identifier) is `description`, plus the given documents.
  std::filesystem::path MakePack(const std::string& name, std::uint32_t base, const std::string& description,
                                 std::vector<std::pair<std::uint32_t, std::string>> documents) {
    std::vector<PackResource> resources = {{base, "about", "INO", Ino(description)}};
    for (auto& [id, text] : documents) resources.push_back({id, "doc", "INO", Ino(text)});
    auto path = dir() / name;
    test::WriteFile(path, PackBytes(std::move(resources)));
    return path;
  }
  void Register(const std::string& value, const std::filesystem::path& path) {
    registry().WriteString(kLm, ResKey(), value, path.string());
  }
  void RegisterGuiAndGame() {
    Register("gui", MakePack("gui.pak", 1000, "[main]\nfilter=1.0\ntype=gui\ncount=1\n1=1001\n",
                             {{1001, "[main_wnd]\nback_img=0x3E9\n"}}));
    Register("game", MakePack("game.pak", 2000, "[main]\nfilter=1.0\ntype=GAME\ncount=1\n1=2001\n",
                              {{2001, "[level]\npass_percent=80\n"}}));
  }
  UserSettingsFile settings_;
};

TEST_F(LoadResourcesTest, LoadsDeclaredDocumentsAndWritesDefaults) {
  RegisterGuiAndGame();
  Register("sound", MakePack("sound.pak", 3000, "[main]\nfilter=1.0\ntype=Sound\ncount=1\n1=3001\n",
                             {{3001, "[menu_music]\nfile=0x1\n"}}));
  ASSERT_EQ(LoadResources(settings_), S_OK);
  EXPECT_TRUE(messages().empty());
  EXPECT_EQ(GuiDocument().FindSection("main_wnd")->GetNumber("back_img", 0), 1001u);
  EXPECT_EQ(GameDocument().FindSection("level")->GetInt("pass_percent", 0), 80);
  EXPECT_NE(SoundDocument().FindSection("menu_music"), nullptr);
  EXPECT_EQ(GuiDocument().FindSection("main"), nullptr);  // the description itself is not loaded
  EXPECT_EQ(GlobalPackList().Count(), 3);
  EXPECT_EQ(GlobalPackList().Extract(1001), Ino("[main_wnd]\nback_img=0x3E9\n"));
  EXPECT_EQ(registry().ReadString(kLm, GameKey(), "ResFilter"), "1.0");
  EXPECT_EQ(registry().ReadDword(kLm, GameKey(), "ResVersion"), 1u);
  EXPECT_EQ(settings_.path, dir() / "Settings.ino");
}

TEST_F(LoadResourcesTest, FilterMismatchRemovesThePackAndTheRegisteredFilterDecides) {
  RegisterGuiAndGame();
  Register("newer", MakePack("newer.pak", 5000, "[main]\nfilter=1.1\ntype=gui\ncount=1\n1=5001\n",
                             {{5001, "[newer_wnd]\n"}}));
  ASSERT_EQ(LoadResources(settings_), S_OK);
  EXPECT_EQ(GuiDocument().FindSection("newer_wnd"), nullptr);
  EXPECT_EQ(GlobalPackList().Count(), 2);
  EXPECT_EQ(GlobalPackList().FindPack(5001), nullptr);

  ReleaseResources();
  registry().WriteString(kLm, GameKey(), "ResFilter", "1.1");
  ASSERT_EQ(LoadResources(settings_), kGenericFailure);  // now only the 1.1 pack matches, and it is GUI only
  EXPECT_NE(GuiDocument().FindSection("newer_wnd"), nullptr);
  EXPECT_EQ(GlobalPackList().Count(), 1);
}

TEST_F(LoadResourcesTest, DescriptionWithAMissingKeyLoadsTheOthers) {
  RegisterGuiAndGame();
  Register("extra", MakePack("extra.pak", 4000,
                             "[main]\nfilter=1.0\ntype=gui\ncount=3\n3=4003\n1=0xFA1\n01=4002\n4=4004\n",
                             {{4001, "[one]\n"}, {4002, "[two]\n"}, {4003, "[three]\n"}, {4004, "[four]\n"}}));
  ASSERT_EQ(LoadResources(settings_), S_OK);
  const ConfigDocument& gui = GuiDocument();
  EXPECT_NE(gui.FindSection("one"), nullptr);
  EXPECT_EQ(gui.FindSection("two"), nullptr);   // "01" is not the key "2", and "2" is missing
  EXPECT_NE(gui.FindSection("three"), nullptr);
  EXPECT_EQ(gui.FindSection("four"), nullptr);  // beyond the count
  EXPECT_LT(gui.FindSectionIndex("one"), gui.FindSectionIndex("three"));  // loaded in key order
}

TEST_F(LoadResourcesTest, HugeCountDoesNotStallStartUp) {
  RegisterGuiAndGame();
  Register("big", MakePack("big.pak", 6000, "[main]\nfilter=1.0\ntype=gui\ncount=2147483647\n2147483647=6001\n",
                           {{6001, "[last]\n"}}));
  ASSERT_EQ(LoadResources(settings_), S_OK);
  EXPECT_NE(GuiDocument().FindSection("last"), nullptr);
}

TEST_F(LoadResourcesTest, BadPacksAreSkippedQuietly) {
  RegisterGuiAndGame();
  Register("missing", dir() / "nowhere.pak");
  test::WriteFile(dir() / "junk.pak", Bytes("not a pack at all"));
  Register("junk", dir() / "junk.pak");
  Register("nofilter", MakePack("nofilter.pak", 7000, "[main]\ntype=gui\n", {}));
  Register("notype", MakePack("notype.pak", 7100, "[main]\nfilter=1.0\n", {}));
  Register("nomain", MakePack("nomain.pak", 7200, "[other]\nfilter=1.0\n", {}));
  Register("othertype", MakePack("other.pak", 7300, "[main]\nfilter=1.0\ntype=maps\ncount=1\n1=7301\n",
                                 {{7301, "[map]\n"}}));
  registry().WriteDword(kLm, ResKey(), "number", 5);
  ASSERT_EQ(LoadResources(settings_), S_OK);
  // Packs that opened stay for lookups even when their description is unusable.
  EXPECT_EQ(GlobalPackList().Count(), 6);
  EXPECT_NE(GlobalPackList().FindPack(7301), nullptr);
  EXPECT_EQ(GuiDocument().FindSection("map"), nullptr);
}

// Packs dropped into the data folder to take the game's memory at start-up, which reads every pack's
// description: one whose description claims 1 GiB from 1 MiB, and descriptions within the size limit made
// of the smallest entries there are (2-byte entries, or 4-byte sections). Each is skipped as a broken pack
// is, and start-up stays far from 64 MiB.
TEST_F(LoadResourcesTest, IndexBombPacksAreSkippedWithLittleMemory) {
  RegisterGuiAndGame();
  test::WriteFile(dir() / "claim.pak",
                  test::OneEntryPack(7000, 1u << 30, std::vector<std::uint8_t>(1 << 20)));
  Register("claim", dir() / "claim.pak");
  const std::size_t size = 8 << 20;
  for (auto [name, entry] : {std::pair{"entries", std::string_view("\x02\x00", 2)},
                             std::pair{"sections", std::string_view("\x04\x00[\x00", 4)}}) {
    const auto path = dir() / (std::string(name) + ".pak");
    test::WriteFile(
        path, PackBytes({{name[0] == 'e' ? 7100u : 7200u, "about", "INO", test::Repeated(entry, size)}}));
    Register(name, path);
  }
  EXPECT_LT(zelph::test::PeakMemoryOf([&] { LoadResources(settings_); }), std::size_t{64} << 20);

  ReleaseResources();
  ASSERT_EQ(LoadResources(settings_), S_OK);
  EXPECT_TRUE(messages().empty());
  EXPECT_EQ(GlobalPackList().Count(), 4);  // the two within the limit stay for lookups
  EXPECT_EQ(GlobalPackList().FindPack(7000), nullptr);
  EXPECT_EQ(GuiDocument().SectionCount(), 1);
  EXPECT_EQ(GameDocument().SectionCount(), 1);
}

TEST_F(LoadResourcesTest, SoundPackAloneTellsThePlayerToReinstall) {
  Register("sound", MakePack("sound.pak", 3000, "[main]\nfilter=1.0\ntype=sound\ncount=1\n1=3001\n",
                             {{3001, "[menu_music]\n"}}));
  EXPECT_EQ(LoadResources(settings_), kGenericFailure);
  ASSERT_EQ(messages().size(), 1u);
  EXPECT_EQ(messages()[0], "Bluehollow Error|Not all resource files found.\nReinslall program.");
  EXPECT_EQ(settings_.source, -1);
}

TEST_F(LoadResourcesTest, DefaultPacksAreRegisteredOnlyWhenResIsEmpty) {
  auto data = dir() / "data";
  std::filesystem::create_directories(data / "sub.pak");
  test::WriteFile(data / "b.pak", Bytes("x"));
  test::WriteFile(data / "a.pak", Bytes("x"));
  test::WriteFile(data / "readme.txt", Bytes("x"));
  EXPECT_EQ(RegisterDefaultPacks(dir() / "none"), 0);
  EXPECT_EQ(RegisterDefaultPacks(data), 2);
  auto first = registry().EnumValue(kLm, ResKey(), 0);
  ASSERT_TRUE(first);
  EXPECT_EQ(first->name, "a.pak");
  EXPECT_EQ(std::get<std::string>(first->value), (data / "a.pak").string());
  EXPECT_EQ(registry().EnumValue(kLm, ResKey(), 1)->name, "b.pak");
  EXPECT_FALSE(registry().EnumValue(kLm, ResKey(), 2));

  test::WriteFile(data / "c.pak", Bytes("x"));
  EXPECT_EQ(RegisterDefaultPacks(data), 0);  // the registry is the single source of where packs are
  EXPECT_FALSE(registry().EnumValue(kLm, ResKey(), 2));
}

TEST_F(LoadResourcesTest, RegistryReadsWriteDefaultsBackExceptTheMarker) {
  EXPECT_EQ(RegReadDword("SOFTWARE\\T", "a", 50), 50u);
  EXPECT_EQ(registry().ReadDword(kLm, "SOFTWARE\\T", "a"), 50u);
  EXPECT_EQ(RegReadDword("SOFTWARE\\T", "a", 7), 50u);
  EXPECT_EQ(RegReadDword("SOFTWARE\\T", "m", kRegNoWriteBack), kRegNoWriteBack);
  EXPECT_FALSE(registry().ReadDword(kLm, "SOFTWARE\\T", "m"));
  EXPECT_EQ(RegReadString("SOFTWARE\\T", "s"), "");
  EXPECT_FALSE(registry().ReadString(kLm, "SOFTWARE\\T", "s"));
  EXPECT_EQ(RegReadString("SOFTWARE\\T", "s", "dflt"), "dflt");
  EXPECT_EQ(RegReadString("SOFTWARE\\T", "s", "other"), "dflt");
  // A value of the other type cannot be read, so the default replaces it.
  EXPECT_EQ(RegReadDword("SOFTWARE\\T", "s", 3), 3u);
  EXPECT_EQ(registry().ReadDword(kLm, "SOFTWARE\\T", "s"), 3u);
}

}  // namespace
}  // namespace zelph::config
