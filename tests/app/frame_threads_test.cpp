// The state the main thread and the game thread share: the skip counter both take from, the requests the game
// thread may raise, and suspensions that a display-mode change must leave alone.
#include <gtest/gtest.h>

#include <thread>

#include "app_fakes.h"
#include "ui/control_tree.h"

namespace zelph::app {
namespace {

// Two threads meet here before each step of the race. Spinning lets both leave at the same moment; yielding
// after a while lets the test through on a busy machine.
class SpinBarrier {
 public:
  void Wait() {
    const int generation = generation_.load();
    if (arrived_.fetch_add(1) == 1) {
      arrived_ = 0;
      ++generation_;
      return;
    }
    for (int spins = 0; generation_.load() == generation; ++spins) {
      if (spins > 2000) std::this_thread::yield();
    }
  }

 private:
  std::atomic<int> arrived_{0}, generation_{0};
};

TEST(FrameThreads, EachSkippedFrameIsTakenByExactlyOneThreadWhenBothRace) {
  test::Rig rig;
  auto& app = *rig.app;
  // Round after round, one frame to skip and two threads released together to take it. With a
  // test-then-decrement both may see it, and the count wraps to 4,294,967,295.
  constexpr int kRounds = 50000;
  SpinBarrier start, end;
  std::atomic<int> taken{0};
  int badRounds = 0;
  std::thread other([&] {
    for (int r = 0; r < kRounds; ++r) {
      start.Wait();
      if (app.TakeSkippedFrame()) ++taken;
      end.Wait();
    }
  });
  for (int r = 0; r < kRounds; ++r) {
    app.SkipFrames(1);
    start.Wait();
    if (app.TakeSkippedFrame()) ++taken;
    end.Wait();
    if (taken.exchange(0) != 1 || app.skipFramesLeft() != 0) {
      ++badRounds;
      app.SkipFrames(1);  // back to none left for the next round
      app.TakeSkippedFrame();
    }
  }
  other.join();
  EXPECT_EQ(badRounds, 0);
  EXPECT_FALSE(app.TakeSkippedFrame());
  EXPECT_EQ(app.skipFramesLeft(), 0u);
}

TEST(FrameThreads, SkippedFramesAreNeitherDrawnNorTicked) {
  FrameOptions options;
  options.maxFrames = 5;
  test::Rig rig(test::Rig::DefaultConfig(), std::move(options));
  test::FakeClient client;
  rig.app->SetCurrent(&client);
  rig.app->SkipFrames(40);
  EXPECT_EQ(rig.app->Run(), S_OK);
  EXPECT_EQ(client.draws, 5);
  // Forty turns were skipped between the two threads, whichever took them.
  EXPECT_EQ(rig.app->skipFramesLeft(), 0u);
}

TEST(FrameThreads, ADisplayModeChangeLeavesASuspendedGameThreadSuspended) {
  FrameOptions options;
  options.maxFrames = 40;
  test::Rig* self = nullptr;
  test::FakeClient client;
  int ticksWhenParked = -1, ticksAfterModeChange = -1;
  bool parkedAfterModeChange = false;
  options.beforeIdleStep = [&](std::uint32_t step) {
    auto& app = *self->app;
    if (step == 5) {
      app.SuspendGameThread();
      ASSERT_TRUE(app.WaitGameThreadParked());
      ticksWhenParked = client.ticks;
      app.SetDisplayMode(2);
    }
    if (step == 10) {
      // The display became ready again at step 6; the thread must still be parked where it was.
      parkedAfterModeChange = app.WaitGameThreadParked();
      ticksAfterModeChange = client.ticks;
      app.ResumeGameThread();
    }
  };
  test::Rig rig(test::Rig::DefaultConfig(), std::move(options));
  self = &rig;
  rig.app->SetCurrent(&client);
  EXPECT_EQ(rig.app->Run(), S_OK);
  EXPECT_EQ(rig.display->modeChanges, 1);
  EXPECT_EQ(rig.display->lastMode, 2u);
  EXPECT_TRUE(parkedAfterModeChange);
  EXPECT_EQ(ticksAfterModeChange, ticksWhenParked);
  EXPECT_GT(client.ticks, ticksAfterModeChange);  // and it runs again once resumed
}

TEST(FrameThreads, RequestsFromTheGameThreadAreCarriedOutByTheMainThread) {
  FrameOptions options;
  test::Rig* self = nullptr;
  options.maxFrames = 400;
  test::Rig rig(test::Rig::DefaultConfig(), std::move(options));
  self = &rig;
  test::FakeClient client;
  std::atomic<int> ticks{0};
  client.onTick = [&] {
    // Controls read the tree's globals as they tick, while a mode change sets them on the main thread.
    EXPECT_NE(ui::BackSurface(), nullptr);
    EXPECT_EQ(ui::DeviceKeys(), gfx::DesktopKeys());
    // A screen asking for other orientations and then to be minimised, from its tick.
    const int tick = ticks++;
    if (tick > 0 && tick % 4 == 0 && tick <= 40) self->app->SetDisplayMode(tick == 40 ? 3 : 2);
    if (tick == 40) self->app->RequestMinimize();
  };
  rig.app->SetCurrent(&client);
  // The minimise pauses the game; bring it back so that the run can reach its frame count.
  std::thread activator([&] {
    while (rig.log.minimized == 0 && !rig.app->exitRequested()) std::this_thread::yield();
    rig.window->PostMessage({platform::msg::kActivate, 1, 0});
  });
  EXPECT_EQ(rig.app->Run(), S_OK);
  activator.join();
  EXPECT_GE(rig.display->modeChanges, 2);  // requests between two idle steps count once
  EXPECT_EQ(rig.display->lastMode, 3u);
  EXPECT_EQ(rig.log.minimized, 1);
  EXPECT_EQ(rig.app->config().displayMode, 3u);
}

}  // namespace
}  // namespace zelph::app
