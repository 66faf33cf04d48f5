// Whole runs of the frame on fakes: start-up order, frames, exit and abort paths, the game thread's end.
#include <gtest/gtest.h>

#include <filesystem>

#include "app_fakes.h"
#include "platform/messages.h"
#include "platform/system_info.h"

namespace zelph::app {
namespace {

namespace msg = platform::msg;

TEST(Run, LockstepRunDrawsAndTicksOncePerFrameThenExitsNormally) {
  FrameOptions options;
  options.maxFrames = 12;
  options.lockstep = true;
  std::vector<std::uint32_t> afterFrames;
  options.afterFrame = [&](std::uint32_t n, FrameDisplay&) { afterFrames.push_back(n); };
  test::Rig rig(test::Rig::DefaultConfig(), std::move(options));
  test::FakeClient client;
  rig.app->SetCurrent(&client);

  EXPECT_EQ(rig.app->Run(), S_OK);
  EXPECT_EQ(rig.app->framesDrawn(), 12u);
  EXPECT_EQ(client.draws, 12);
  EXPECT_EQ(client.ticks, 12);  // strictly one tick per drawn frame
  EXPECT_EQ(afterFrames.size(), 12u);
  EXPECT_EQ(client.lastClip.right, 640);
  EXPECT_EQ(client.lastClip.bottom, 480);
  EXPECT_EQ(rig.app->exits, 1);
  EXPECT_EQ(rig.log.created, 1);
  EXPECT_EQ(rig.log.destroyed, 1);
  EXPECT_FALSE(rig.display->open);
  EXPECT_TRUE(rig.app->errorText().empty());
}

TEST(Run, DisplayFailureEndsRunAndTheSuspendedThreadIsStillJoined) {
  test::Rig rig;
  test::FakeClient client;
  rig.app->SetCurrent(&client);
  rig.display->openResult = Code(0xC8660110);
  Result r = rig.app->Run();  // returning at all means the never-resumed thread was woken and joined
  EXPECT_EQ(r, Code(0xC8660110));
  EXPECT_EQ(rig.app->errorText(), "This application requires a 16-bit Pocket PC or Smartphone.");
  EXPECT_EQ(client.ticks, 0);
  EXPECT_EQ(rig.app->exits, 0);
  EXPECT_EQ(rig.log.destroyed, 1);
}

TEST(Run, WindowFailuresGiveTheirTexts) {
  {
    test::Rig rig;
    rig.window->registerOk = false;
    EXPECT_EQ(rig.app->Run(), E_FAIL);
    EXPECT_EQ(rig.app->errorText(), "Could not register main window class.");
  }
  {
    test::Rig rig;
    rig.window->createOk = false;
    EXPECT_EQ(rig.app->Run(), E_FAIL);
    EXPECT_EQ(rig.app->errorText(), "Could not create main window.");
  }
  {
    AppConfig config = test::Rig::DefaultConfig();
    config.title.clear();
    test::Rig rig(config);
    EXPECT_EQ(rig.app->Run(), E_FAIL);
    EXPECT_EQ(rig.app->errorText(), "Invalid configuration.");
  }
  {
    test::Rig rig;
    rig.display->setModeResult = Code(0xC8660100);
    AppConfig config = test::Rig::DefaultConfig();
    config.displayMode = 1;
    test::Rig withMode(config);
    withMode.display->setModeResult = Code(0xC8660100);
    EXPECT_EQ(withMode.app->Run(), Code(0xC8660100));
    EXPECT_EQ(withMode.app->errorText(), "Could not change display mode.\nError code=0xc8660100.");
  }
}

TEST(Run, AbortSkipsOnExit) {
  FrameOptions options;
  options.beforeIdleStep = [](std::uint32_t step) {
    if (step == 3) platform::PostToMainWindow(platform::MakeTextMessage(msg::kAbort, 0, "gone"));
  };
  test::Rig rig(test::Rig::DefaultConfig(), std::move(options));
  platform::SetMainWindowSink([](void* q, const platform::Message& m) { return static_cast<platform::MessageQueue*>(q)->Post(m); },
                              &rig.window->queue);
  EXPECT_EQ(rig.app->Run(), S_OK);
  platform::SetMainWindowSink(nullptr, nullptr);
  EXPECT_EQ(rig.app->exits, 0);
  EXPECT_EQ(rig.app->errorText(), "gone");
  rig.app.reset();
  EXPECT_FALSE(std::filesystem::exists(rig.home.path() / "HighScores.sco")) << "an abort writes no score file";
}

TEST(Run, ForeignWindowTakingActivationEndsWithOnExit) {
  FrameOptions options;
  test::Rig* self = nullptr;
  options.beforeIdleStep = [&](std::uint32_t step) {
    if (step == 2) self->window->PostMessage({msg::kActivate, 0, 99});
  };
  test::Rig rig(test::Rig::DefaultConfig(), std::move(options));
  self = &rig;
  rig.window->others[99] = {"SomeOtherApp", "/usr/bin/other"};
  EXPECT_EQ(rig.app->Run(), S_OK);
  EXPECT_EQ(rig.app->exits, 1);
  EXPECT_TRUE(rig.app->errorText().empty());
  EXPECT_TRUE(std::filesystem::exists(rig.home.path() / "HighScores.sco")) << "an orderly end stores the scores";
}

TEST(Run, RemovingTheGamesStorageAborts) {
  std::string module = platform::ModulePath().string();
  std::size_t second = module.find('/', 1);
  std::string root = module.substr(0, second);
  FrameOptions options;
  test::Rig* self = nullptr;
  options.beforeIdleStep = [&](std::uint32_t step) {
    if (step == 2) {
      self->window->PostMessage(platform::MakeTextMessage(msg::kShellChange, platform::kMediaRemoved, root));
    }
  };
  test::Rig rig(test::Rig::DefaultConfig(), std::move(options));
  self = &rig;
  EXPECT_EQ(rig.app->Run(), S_OK);
  EXPECT_EQ(rig.app->exits, 0);
  EXPECT_EQ(rig.app->errorText(), module);
}

TEST(Run, InactiveFrameStopsDrawingAndFirstFrameAfterPauseIsFlagged) {
  FrameOptions options;
  test::Rig* self = nullptr;
  std::vector<std::uint32_t> flagsSeen;
  options.maxFrames = 4;
  options.beforeIdleStep = [&](std::uint32_t step) {
    if (step == 2) self->window->PostMessage({msg::kDesktopInactive, 0, 0});
    if (step == 5) self->window->PostMessage({msg::kActivate, 1, 0});
  };
  options.afterFrame = [&](std::uint32_t, FrameDisplay&) { flagsSeen.push_back(self->app->frameFlags()); };
  test::Rig rig(test::Rig::DefaultConfig(), std::move(options));
  self = &rig;
  EXPECT_EQ(rig.app->Run(), S_OK);
  // Steps 2 to 4 were paused, so four frames took seven steps; the frame after the pause carries flag 2.
  ASSERT_EQ(flagsSeen.size(), 4u);
  EXPECT_EQ(flagsSeen[0] & kFrameAfterPause, 0u);
  EXPECT_EQ(flagsSeen[2] & kFrameAfterPause, kFrameAfterPause);
  EXPECT_EQ(rig.app->restores, 1);
}

TEST(Run, FailingDrawEndsTheGameNormally) {
  test::Rig rig;
  test::FakeClient client;
  client.drawResult = Code(0xC8660001);
  rig.app->SetCurrent(&client);
  EXPECT_EQ(rig.app->Run(), S_OK);
  EXPECT_EQ(client.draws, 1);
  EXPECT_EQ(rig.app->exits, 1);
}

}  // namespace
}  // namespace zelph::app
