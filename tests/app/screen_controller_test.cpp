// The application's answers to the root's requests: quitting, requests it does not know, and the periodic
// settings save, which keeps the previous file when it fails and says so once.
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>

#include "app_fakes.h"
#include "app/screen_controller.h"
#include "config/user_settings.h"
#include "platform/build_variant.h"
#include "platform/file_io.h"
#include "platform/registry.h"
#include "test_support/temp_dir.h"

namespace zelph::app {
namespace {

struct ControllerTest : ::testing::Test {
  test::Rig rig;
  test::FakeClient client;
  zelph::test::TempDir dir;

  void SetUp() override { rig.app->SetCurrent(&client); }
  void TearDown() override { config::UserSettingsDocument().Clear(); }
  std::uint32_t Offer(std::int32_t request) {
    client.request = request;
    rig.app->HandleCurrentRequest();
    return static_cast<std::uint32_t>(client.request);
  }
};

TEST_F(ControllerTest, AnUnknownRequestStaysAndIsOfferedAgain) {
  EXPECT_EQ(Offer(12345), 12345u);
  rig.app->HandleCurrentRequest();
  EXPECT_EQ(client.request, 12345);
  EXPECT_EQ(rig.app->state(), kStateConstructed);
  EXPECT_EQ(Offer(64), 0u) << "handled, so cleared";
  EXPECT_EQ(rig.app->state(), kStateQuitting);
  EXPECT_TRUE(rig.app->exitRequested());
}

TEST_F(ControllerTest, ALaunchRequestIsClearedAndItsNameTakenWhetherOrNotItRuns) {
  client.launchName = std::make_unique<std::u16string>(u"NoSuchProgram");
  client.launchNow = false;
  EXPECT_EQ(Offer(3), 0u) << "cleared by the launch itself";
  EXPECT_EQ(client.launchName, nullptr);
  EXPECT_EQ(rig.display->suspends, 0) << "nothing to launch without launchNow";

  client.launchName = std::make_unique<std::u16string>(u"NoSuchProgram");
  client.launchNow = true;
  EXPECT_EQ(Offer(3), 0u);
  EXPECT_EQ(client.launchName, nullptr);
  EXPECT_EQ(rig.display->suspends, 1);
  EXPECT_EQ(rig.display->resumes, 1) << "the display comes back after the attempt";
  EXPECT_EQ(rig.app->state(), kStateConstructed) << "the game goes on";
}

// A control that notes, when the surfaces are released and re-created, what the other program would find.
class LaunchWitness final : public ui::Control {
 public:
  LaunchWitness(test::Rig& rig, ui::Control& root) : rig_(rig) { Create(2, gfx::Rect{0, 0, 10, 10}, &root, 0); }
  Result Notify(std::uint32_t code, std::intptr_t argument, std::uint32_t senderId) override {
    if (code == ui::kNotifyReleaseSurfaces) {
      ++released;
      suspendedWhileAway = rig_.display->suspended && !rig_.display->inputOpen && rig_.app->speaker().suspended();
    }
    if (code == ui::kNotifyRestoreSurfaces) ++restored;
    return Control::Notify(code, argument, senderId);
  }
  int released = 0, restored = 0;
  bool suspendedWhileAway = false;

 private:
  test::Rig& rig_;
};

TEST_F(ControllerTest, ALaunchedProgramHasTheScreenKeysAndSoundUntilItEndsThenTheWindowComesBack) {
  const std::string key = std::string(platform::Variant().gameKey) + "\\Companion";
  platform::SystemRegistry().WriteString(platform::RootKey::LocalMachine, key, "exe", "/bin/true");
  rig.display->inputOpen = true;
  LaunchWitness witness(rig, client);
  const int raisedBefore = rig.log.raised;
  client.launchName = std::make_unique<std::u16string>(u"Companion");
  client.launchNow = true;
  EXPECT_EQ(Offer(3), 0u);
  EXPECT_EQ(witness.released, 1);
  EXPECT_TRUE(witness.suspendedWhileAway) << "display, key input and sound are all let go around the child";
  EXPECT_EQ(witness.restored, 1);
  EXPECT_EQ(rig.log.raised, raisedBefore + 1) << "the window is raised again";
  EXPECT_FALSE(rig.display->suspended);
  EXPECT_TRUE(rig.display->inputOpen);
  EXPECT_FALSE(rig.app->speaker().suspended());
  EXPECT_TRUE(rig.app->active());
  platform::SystemRegistry().DeleteKey(platform::RootKey::LocalMachine, key);
}

TEST_F(ControllerTest, TheMainWindowsBacklightHookRefreshesOnlyOnExternalPower) {
  ScreenController controller(*rig.app);
  bool mains = false;
  int powerQueries = 0;
  DeviceFacts facts;
  facts.onExternalPower = [&] {
    ++powerQueries;
    return mains;
  };
  facts.oemInfo = [] { return std::optional<std::string>("Dell Axim X50"); };
  controller.backlight = Backlight(facts);
  screens::MainWindow window;
  controller.InstallHooks(window);
  ASSERT_TRUE(window.keepBacklightOn);
  window.keepBacklightOn();
  EXPECT_EQ(powerQueries, 1);
  EXPECT_EQ(controller.backlight.lastLevel(), 0) << "on battery the backlight is left alone";
  mains = true;
  window.keepBacklightOn();
  EXPECT_EQ(controller.backlight.lastLevel(), StepsOf(51)) << "the standard level of the recognised model";
}

TEST_F(ControllerTest, AFailedSaveKeepsThePreviousFileAndIsReportedOnce) {
  config::ConfigDocument& settings = config::UserSettingsDocument();
  const int source = settings.AddEmptySource(true);
  const int section = settings.AddSection(source, "main", 64);
  ASSERT_GE(section, 0);
  settings.SectionAt(section)->SetString("name", "first");
  const std::filesystem::path path = dir.path() / "Settings.ino";
  rig.app->userSettings() = config::UserSettingsFile{source, path};
  EXPECT_EQ(Offer(4098), 0u);
  const auto first = platform::ReadWholeFile(path);
  ASSERT_TRUE(first.has_value());

  // The temporary file the save writes through cannot be made.
  std::filesystem::create_directory(dir.path() / "Settings.ino.tmp");
  settings.SectionAt(section)->SetString("name", "second");
  ::testing::internal::CaptureStderr();
  for (int i = 0; i < 3; ++i) EXPECT_EQ(Offer(4098), 0u);
  const std::string said = ::testing::internal::GetCapturedStderr();
  EXPECT_EQ(std::count(said.begin(), said.end(), '\n'), 1) << said;
  EXPECT_EQ(platform::ReadWholeFile(path), first);
}

}  // namespace
}  // namespace zelph::app
