#include <gtest/gtest.h>
#include <unistd.h>

#include <atomic>

#include "platform/game_thread.h"
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

TEST(GameThread, StartsSuspendedParksOnSuspendAndJoinsEvenIfNeverResumed) {
  std::atomic<int> steps{0};
  std::atomic<bool> stop{false};
  {
    GameThread never;
    ASSERT_TRUE(never.Create([&] { ++steps; }));
    ::usleep(20000);
    EXPECT_EQ(steps, 0);
    never.Join();  // wakes it so it can end
    EXPECT_EQ(steps, 1);
  }
  steps = 0;
  GameThread t;
  ASSERT_TRUE(t.Create([&] {
    while (!stop) {
      t.CheckPoint();
      ++steps;
      ::usleep(100);
    }
  }));
  t.Resume();
  while (steps < 5) ::usleep(100);
  t.Suspend();
  ::usleep(5000);
  int parked = steps;
  ::usleep(20000);
  EXPECT_LE(steps - parked, 1);
  t.Resume();
  while (steps < parked + 5) ::usleep(100);
  stop = true;
  t.Join();
}

}  // namespace
}  // namespace zelph::platform
