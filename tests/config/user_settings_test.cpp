#include "config/user_settings.h"

#include <gtest/gtest.h>

#include "config/registry_values.h"
#include "config_test_support.h"
#include "platform/build_variant.h"

namespace zelph::config {
namespace {

using test::Bytes;
using test::Ino;

constexpr auto kLm = platform::RootKey::LocalMachine;

class UserSettingsTest : public test::ConfigEnvironment {
 protected:
  std::string GameKey() const { return platform::Variant().gameKey; }
  std::string ShellKey() const { return platform::Variant().shellKey; }
  std::filesystem::path SettingsPath() const { return dir() / "Settings.ino"; }

  // Loads a scrambled file as the game does.
  static std::unique_ptr<ConfigDocument> Load(const std::filesystem::path& path) {
    auto doc = std::make_unique<ConfigDocument>();
    doc->SetScrambled(true);
    return doc->LoadFile(path) >= 0 ? std::move(doc) : nullptr;
  }

  UserSettingsFile file_;
};

TEST_F(UserSettingsTest, FirstRunCreatesSettingsAndPointsTheRegistryAtThem) {
  ASSERT_EQ(OpenUserSettings(file_), S_OK);
  EXPECT_EQ(file_.path, SettingsPath());
  EXPECT_EQ(registry().ReadString(kLm, GameKey(), "UserSettings"), SettingsPath().string());
  auto saved = Load(SettingsPath());
  ASSERT_TRUE(saved);
  ASSERT_EQ(saved->SectionCount(), 1);
  EXPECT_STREQ(saved->SectionAt(0)->Name(), "main");
  EXPECT_TRUE(saved->SectionAt(0)->Entries().empty());

  // The game writes into it and saves; the next run reads it back as a writable copy.
  ConfigSection* main = UserSettingsDocument().FindSection("main");
  ASSERT_TRUE(main && main->Owned());
  main->SetInt("level", 4);
  EXPECT_EQ(SaveUserSettings(file_), kSaveOk);

  ReleaseResources();
  UserSettingsFile again;
  ASSERT_EQ(OpenUserSettings(again), S_OK);
  EXPECT_EQ(again.path, SettingsPath());
  ConfigSection* reread = UserSettingsDocument().FindSection("main");
  ASSERT_TRUE(reread && reread->Owned());
  EXPECT_EQ(reread->GetInt("level", 0), 4);
  EXPECT_EQ(SaveUserSettings(UserSettingsFile{}), 0);  // no source: nothing saved
}

TEST_F(UserSettingsTest, FileOnARemovedCardIsReplacedInTheProgramFolder) {
  registry().WriteString(kLm, GameKey(), "UserSettings", (dir() / "card" / "Settings.ino").string());
  ASSERT_EQ(OpenUserSettings(file_), S_OK);
  EXPECT_EQ(file_.path, SettingsPath());
  EXPECT_TRUE(Load(SettingsPath()));
  EXPECT_EQ(registry().ReadString(kLm, GameKey(), "UserSettings"), SettingsPath().string());
}

TEST_F(UserSettingsTest, CorruptSettingsAreKeptAsBadBeforeAFreshStart) {
  ASSERT_EQ(OpenUserSettings(file_), S_OK);
  test::WriteFile(dir() / "Settings.ino.bad", Bytes("older bad copy"));
  auto corrupt = *platform::ReadWholeFile(SettingsPath());
  corrupt.at(28) ^= 0x55;  // inside "[main]": the checksum no longer matches
  test::WriteFile(SettingsPath(), corrupt);

  ReleaseResources();
  ::testing::internal::CaptureStderr();
  ASSERT_EQ(OpenUserSettings(file_), S_OK);
  const std::string said = ::testing::internal::GetCapturedStderr();
  // The player is told which file, why, and where the old one went.
  EXPECT_NE(said.find(SettingsPath().string()), std::string::npos) << said;
  EXPECT_NE(said.find("checksum"), std::string::npos) << said;
  EXPECT_NE(said.find(SettingsPath().string() + ".bad"), std::string::npos) << said;
  EXPECT_EQ(platform::ReadWholeFile(dir() / "Settings.ino.bad"), corrupt);
  EXPECT_TRUE(Load(SettingsPath()));
  EXPECT_NE(UserSettingsDocument().FindSection("main"), nullptr);
}

TEST_F(UserSettingsTest, ResetDeletesTheFileAndStartsFresh) {
  ASSERT_EQ(OpenUserSettings(file_), S_OK);
  UserSettingsDocument().FindSection("main")->SetString("name", "Ann");
  ASSERT_EQ(SaveUserSettings(file_), kSaveOk);
  ASSERT_EQ(ResetUserSettings(file_), S_OK);
  EXPECT_EQ(UserSettingsDocument().FindSection("main")->GetRaw("name"), nullptr);
  auto saved = Load(SettingsPath());
  ASSERT_TRUE(saved);
  EXPECT_EQ(saved->FindSection("main")->GetRaw("name"), nullptr);
  EXPECT_FALSE(std::filesystem::exists(dir() / "Settings.ino.bad"));  // deleted on purpose, not kept
}

TEST_F(UserSettingsTest, VolumesDefaultTo50AndAreWritten) {
  EXPECT_EQ(ReadVolumes(), std::make_pair(50u, 50u));
  EXPECT_EQ(registry().ReadDword(kLm, GameKey(), "sound_vol"), 50u);
  EXPECT_EQ(registry().ReadDword(kLm, GameKey(), "music_vol"), 50u);
  WriteVolumes(12, 64);
  EXPECT_EQ(ReadVolumes(), std::make_pair(12u, 64u));
}

TEST_F(UserSettingsTest, TwoAwardsMakeTwoSections) {
  EXPECT_EQ(RecordPlugInAward(0), S_OK);
  EXPECT_EQ(RecordPlugInAward(-5), S_OK);
  EXPECT_FALSE(std::filesystem::exists(dir() / "PlugInData.ino"));

  ASSERT_EQ(RecordPlugInAward(120), S_OK);
  ASSERT_EQ(RecordPlugInAward(35), S_OK);
  auto path = dir() / "PlugInData.ino";
  EXPECT_EQ(registry().ReadString(kLm, ShellKey(), "PlugInData"), path.string());
  auto doc = Load(path);
  ASSERT_TRUE(doc);
  ASSERT_EQ(doc->SectionCount(), 3);
  EXPECT_STREQ(doc->SectionAt(0)->Name(), "main");
  EXPECT_STREQ(doc->SectionAt(0)->GetRaw("Version"), "1.0");
  for (int i : {1, 2}) {
    const ConfigSection* award = doc->SectionAt(i);
    EXPECT_STREQ(award->Name(), "BluehollowPlugInInfo");
    EXPECT_EQ(award->Keys(), (std::vector<std::string_view>{"plugin_name", "res_count", "1_res_name", "1_res_add"}));
    EXPECT_STREQ(award->GetRaw("plugin_name"), "Zelph II");
    EXPECT_EQ(award->GetInt("res_count", 0), 1);
    EXPECT_STREQ(award->GetRaw("1_res_name"), "wood");
  }
  EXPECT_EQ(doc->SectionAt(1)->GetInt("1_res_add", 0), 120);
  EXPECT_EQ(doc->SectionAt(2)->GetInt("1_res_add", 0), 35);
}

TEST_F(UserSettingsTest, UnreadableAwardFileIsKeptAsBad) {
  auto path = dir() / "PlugInData.ino";
  test::WriteFile(path, Bytes("garbage that is no document"));
  registry().WriteString(kLm, ShellKey(), "PlugInData", path.string());
  ASSERT_EQ(RecordPlugInAward(7), S_OK);
  EXPECT_EQ(platform::ReadWholeFile(dir() / "PlugInData.ino.bad"), Bytes("garbage that is no document"));
  auto doc = Load(path);
  ASSERT_TRUE(doc);
  EXPECT_EQ(doc->SectionCount(), 2);
}

}  // namespace
}  // namespace zelph::config
