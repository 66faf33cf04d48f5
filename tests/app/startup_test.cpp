#include "app/startup.h"

#include <gtest/gtest.h>

#include "app_fakes.h"
#include "config/resources.h"
#include "platform/home.h"
#include "platform/registry.h"
#include "test_support/temp_dir.h"

namespace zelph::app {
namespace {

TEST(Startup, FreeMemoryThresholdIsEightMillionBytes) {
  EXPECT_TRUE(CheckFreeMemory(8'000'000, "/NoCloseFS", "t"));
  EXPECT_FALSE(CheckFreeMemory(7'999'999, "/NoCloseFS", "t"));
  EXPECT_TRUE(CheckFreeMemory(std::nullopt, "", "t"));  // unknown amount: let the game try
}

TEST(Startup, OnlyTheWholeExactLineIsTheSwitch) {
  EXPECT_TRUE(IsNoCloseFs("/NoCloseFS"));
  EXPECT_FALSE(IsNoCloseFs("/noclosefs"));
  EXPECT_FALSE(IsNoCloseFs(" /NoCloseFS"));
  EXPECT_FALSE(IsNoCloseFs("/NoCloseFS x"));
  EXPECT_EQ(MakeAppConfig(platform::VgaVariant(), "/NoCloseFS").displayMode, 0x101u);
  EXPECT_EQ(MakeAppConfig(platform::VgaVariant(), "/NoCloseFS ").displayMode, 0x1u);
}

TEST(Startup, ConfigurationRecordsOfBothBuilds) {
  AppConfig vga = MakeAppConfig(platform::VgaVariant(), "");
  EXPECT_EQ(vga.title, "Orv Zelph II v1.1 VGA");
  EXPECT_EQ(vga.displayFlags, 0x8020u);
  EXPECT_EQ(vga.smallHeight, 320);
  EXPECT_EQ(vga.largeHeight, 640);
  EXPECT_EQ(vga.frameRate, 30u);
  EXPECT_EQ(vga.iconId, 101u);
  EXPECT_EQ(vga.displayOptions, 0x400000u);
  AppConfig qvga = MakeAppConfig(platform::QvgaVariant(), "");
  EXPECT_EQ(qvga.title, "Orv Zelph II v1.1");
  EXPECT_EQ(qvga.displayFlags, 0x20u);
  EXPECT_EQ(qvga.smallHeight, 240);
  EXPECT_EQ(qvga.largeHeight, 480);
  SoundConfig sound = MakeSoundConfig();
  EXPECT_EQ(sound.sampleRate, 22050u);
  EXPECT_EQ(sound.bitsPerSample, 0u);  // 16 bits, falling back to 8
  EXPECT_EQ(sound.soundChannels, 16u);
}

struct StartupRun : ::testing::Test {
  zelph::test::TempDir dir;
  test::WindowLog log;
  int made = 0;
  std::filesystem::path dataDir;
  StartupEnvironment env;

  void SetUp() override {
    platform::InstallRaiseHandler();  // a raise request must never end the test process
    platform::SetHomeDir(dir.path());
    platform::OpenSystemRegistry(dir.path() / "registry.reg");
    env.variant = &platform::VgaVariant();
    env.lockDir = dir.path();
    env.programDir = dir.path();
    env.freeMemory = [] { return std::optional<std::uint64_t>(1u << 30); };
  }
  void TearDown() override { platform::SetHomeDir({}); }
  void MakeApps(FrameOptions options, bool failDisplay = false) {
    env.makeApp = [this, options, failDisplay](const AppConfig& c, const SoundConfig& s) {
      ++made;
      FramePlatform p;
      p.window = std::make_unique<test::FakeWindow>(log);
      auto d = std::make_unique<test::FakeDisplay>();
      if (failDisplay) d->openResult = Code(0xC8660110);
      p.display = std::move(d);
      auto app = std::make_unique<test::TestApp>(c, s, std::move(p), options);
      app->loadResources = !dataDir.empty();
      app->SetDataDir(dataDir);
      return app;
    };
  }
};

TEST_F(StartupRun, NormalRunEndsWithZeroAndTellsTheShell) {
  FrameOptions options;
  options.maxFrames = 3;
  options.lockstep = true;
  MakeApps(options);
  EXPECT_EQ(StartGame(env), kExitNormal);
  EXPECT_EQ(made, 1);
  auto& reg = platform::SystemRegistry();
  EXPECT_TRUE(reg.KeyExists(platform::RootKey::LocalMachine, platform::kServiceSettingsKey));
  // Full screen was entered and left again.
  EXPECT_EQ(reg.ReadDword(platform::RootKey::LocalMachine, platform::kServiceSettingsKey, "propFSGameActive"), 0u);
}

TEST_F(StartupRun, KeepFullScreenSwitchLeavesTheShellsMarker) {
  FrameOptions options;
  options.maxFrames = 1;
  options.lockstep = true;
  MakeApps(options);
  env.commandLine = "/NoCloseFS";
  EXPECT_EQ(StartGame(env), kExitNormal);
  EXPECT_EQ(platform::SystemRegistry().ReadDword(platform::RootKey::LocalMachine, platform::kServiceSettingsKey,
                                                 "propFSGameActive"),
            1u);
}

TEST_F(StartupRun, SecondInstanceOnTheSameHomeEndsQuietly) {
  platform::InstanceLock first(dir.path(), std::string(kInstancePrefix) + kInstanceName);
  ASSERT_EQ(first.state(), platform::InstanceLock::State::Acquired);
  MakeApps({});
  EXPECT_EQ(StartGame(env), kExitNormal);
  EXPECT_EQ(made, 0);
  // Another home is another game.
  zelph::test::TempDir other;
  env.lockDir = other.path();
  FrameOptions options;
  options.maxFrames = 1;
  MakeApps(options);
  EXPECT_EQ(StartGame(env), kExitNormal);
  EXPECT_EQ(made, 1);
}

TEST_F(StartupRun, LowMemoryEndsBeforeAnythingIsMade) {
  env.freeMemory = [] { return std::optional<std::uint64_t>(7'999'999); };
  env.commandLine = "/NoCloseFS";
  MakeApps({});
  EXPECT_EQ(StartGame(env), kExitLowMemory);
  EXPECT_EQ(made, 0);
}

TEST_F(StartupRun, FrameFailureIsReportedAsAFailureNotAsSuccess) {
  MakeApps({}, /*failDisplay=*/true);
  testing::internal::CaptureStderr();
  int status = StartGame(env);
  std::string err = testing::internal::GetCapturedStderr();
  EXPECT_NE(status, 0);
  EXPECT_NE(err.find("This application requires a 16-bit Pocket PC or Smartphone."), std::string::npos);
}

TEST_F(StartupRun, FirstStartRegistersTheDefaultPacksAndCreatesTheUserSettings) {
  platform::SetHomeDir(dir.path());
  dataDir = ZELPH_TEST_PACKS_DIR;
  FrameOptions options;
  options.maxFrames = 2;
  options.lockstep = true;
  MakeApps(options);
  EXPECT_EQ(StartGame(env), kExitNormal);
  auto& reg = platform::SystemRegistry();
  std::string res = std::string(platform::VgaVariant().gameKey) + "\\Res";
  EXPECT_TRUE(reg.EnumValue(platform::RootKey::LocalMachine, res, 0).has_value());
  EXPECT_TRUE(std::filesystem::exists(dir.path() / "Settings.ino"));
  EXPECT_EQ(reg.ReadDword(platform::RootKey::LocalMachine, platform::VgaVariant().gameKey, "sound_vol"), 50u);
  config::ReleaseResources();
}

TEST_F(StartupRun, MissingPacksEndTheStartWithTheGamesFailure) {
  platform::SetHomeDir(dir.path());
  dataDir = dir.path() / "no-packs-here";
  MakeApps({});
  testing::internal::CaptureStderr();
  int status = StartGame(env);
  std::string err = testing::internal::GetCapturedStderr();
  EXPECT_EQ(status, kExitGameFailed);
  EXPECT_NE(err.find("Not all resource files found."), std::string::npos);
  config::ReleaseResources();
}

TEST_F(StartupRun, RegisteredProgramsRunOnlyWhenPresent) {
  bool started = true;
  EXPECT_FALSE(LaunchRegisteredProgram("Missing", &started));
  EXPECT_FALSE(started);
  std::string key = std::string(platform::VgaVariant().gameKey) + "\\Companion";
  platform::SystemRegistry().WriteString(platform::RootKey::LocalMachine, key, "exe", "/bin/true");
  EXPECT_TRUE(LaunchRegisteredProgram("Companion", &started));
  EXPECT_TRUE(started);
  platform::SystemRegistry().WriteString(platform::RootKey::LocalMachine, key, "exe",
                                         (dir.path() / "not-there").string());
  EXPECT_FALSE(LaunchRegisteredProgram("Companion", &started));
}

}  // namespace
}  // namespace zelph::app
