#include <gtest/gtest.h>
#include <unistd.h>

#include <atomic>
#include <future>
#include <thread>

#include "platform/game_thread.h"
#include "platform/home.h"
#include "platform/instance_lock.h"
#include "platform/random.h"
#include "platform/system_info.h"
#include "test_support/temp_dir.h"

namespace zelph::platform {
namespace {

TEST(SystemInfo, ReadsAvailableMemoryFromMeminfo) {
  EXPECT_EQ(ParseMemAvailable("MemTotal: 100 kB\nMemFree:  50 kB\nMemAvailable:    7813 kB\n"), 7813u * 1024);
  EXPECT_EQ(ParseMemAvailable("MemTotal: 100 kB\n"), std::nullopt);
  EXPECT_EQ(ParseMemAvailable("MemAvailable: lots\n"), std::nullopt);
  EXPECT_EQ(ParseMemAvailable("MemAvailable: 99999999999999999999 kB\n"), std::nullopt);
  EXPECT_TRUE(AvailablePhysicalMemory().has_value());
  EXPECT_FALSE(ModulePath().empty());
}

TEST(InstanceLock, OneHolderPerFolderAndTheOwnerIsKnown) {
  test::TempDir a, b;
  InstanceLock first(a.path(), "OrvRunOnce V1.0 OrvZelph for Bluehollow");
  ASSERT_EQ(first.state(), InstanceLock::State::Acquired);
  EXPECT_EQ(first.file().filename(), "OrvRunOnce_V1.0_OrvZelph_for_Bluehollow.lock");
  {
    InstanceLock second(a.path(), "OrvRunOnce V1.0 OrvZelph for Bluehollow");
    EXPECT_EQ(second.state(), InstanceLock::State::HeldByOther);
    EXPECT_EQ(second.ownerPid(), ::getpid());
    EXPECT_FALSE(second.AskOwnerToRaise());  // never signals itself
    InstanceLock elsewhere(b.path(), "OrvRunOnce V1.0 OrvZelph for Bluehollow");
    EXPECT_EQ(elsewhere.state(), InstanceLock::State::Acquired);
  }
  InstanceLock missingDir(a.path() / "no" / "such", "x");
  EXPECT_EQ(missingDir.state(), InstanceLock::State::Failed);
}

TEST(InstanceLock, LockIsFreedWhenTheHolderGoes) {
  test::TempDir a;
  { InstanceLock first(a.path(), "n"); }
  InstanceLock again(a.path(), "n");
  EXPECT_EQ(again.state(), InstanceLock::State::Acquired);
}

TEST(Random, MatchesTheHandheldRuntimeSequence) {
  SRand(1);
  EXPECT_EQ(Rand(), 41);
  EXPECT_EQ(Rand(), 18467);
  EXPECT_EQ(Rand(), 6334);
  SRand(12345);
  int lo = kRandMax, hi = 0;
  for (int i = 0; i < 100000; ++i) {
    int r = Rand();
    lo = std::min(lo, r);
    hi = std::max(hi, r);
  }
  EXPECT_EQ(lo, 0);
  EXPECT_EQ(hi, kRandMax);
}

TEST(GameThread, StartsSuspendedAndJoinsEvenIfNeverResumed) {
  std::atomic<int> steps{0};
  GameThread never;
  ASSERT_TRUE(never.Create([&] { ++steps; }));
  ASSERT_TRUE(never.WaitUntilParked());  // parked before its body: nothing ran
  EXPECT_EQ(steps, 0);
  never.Join();  // wakes it so it can end
  EXPECT_EQ(steps, 1);
  EXPECT_FALSE(never.WaitUntilParked());  // no thread any more
}

TEST(GameThread, SuspendTakesEffectAtTheNextCheckPointAndWaitUntilParkedWaitsForIt) {
  std::atomic<int> steps{0};
  std::atomic<bool> stop{false}, finishStep{false};
  GameThread t;
  ASSERT_TRUE(t.Create([&] {
    while (!stop) {
      t.CheckPoint();
      ++steps;
      // A long frame: it ends only when the test says so.
      while (!finishStep && !stop) std::this_thread::yield();
      finishStep = false;
    }
  }));
  EXPECT_TRUE(t.WaitUntilParked());  // created suspended
  t.Resume();
  EXPECT_FALSE(t.WaitUntilParked());  // not suspended: it would never park
  while (steps < 1) std::this_thread::yield();
  t.Suspend();  // returns while the thread is inside its frame
  auto parked = std::async(std::launch::async, [&] { return t.WaitUntilParked(); });
  EXPECT_EQ(parked.wait_for(std::chrono::milliseconds(20)), std::future_status::timeout);
  finishStep = true;
  EXPECT_TRUE(parked.get());
  EXPECT_EQ(steps, 1);  // parked at the check point, before its next frame
  EXPECT_TRUE(t.WaitUntilParked());
  t.Resume();
  while (steps < 2) std::this_thread::yield();
  stop = true;
  t.Join();
}

TEST(HomeDir, ReadersGetWholeCopiesWhileAnotherThreadSetsIt) {
  const std::filesystem::path a = "/tmp/" + std::string(200, 'a');
  const std::filesystem::path b = "/tmp/" + std::string(300, 'b');
  std::atomic<bool> stop{false};
  std::thread setter([&] {
    for (int i = 0; !stop; ++i) SetHomeDir(i % 2 ? a : b);
  });
  int torn = 0;
  for (int i = 0; i < 5000; ++i) {
    std::string seen = HomeDir().string();
    if (seen != a.string() + "/" && seen != b.string() + "/" && !seen.empty()) ++torn;
  }
  stop = true;
  setter.join();
  EXPECT_EQ(torn, 0);
  SetHomeDir({});
  EXPECT_TRUE(HomeDir().empty());
}

}  // namespace
}  // namespace zelph::platform
