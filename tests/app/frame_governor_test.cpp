#include "app/frame_governor.h"

#include <gtest/gtest.h>

#include "app_fakes.h"

namespace zelph::app {
namespace {

TEST(FrameGovernor, KeepsAnAbsoluteScheduleWithoutDrift) {
  test::FakeClock clock;
  FrameGovernor g(clock);
  g.Set(30);
  std::uint32_t start = clock.now;
  // Frames due at n * 33.3 ms from the start (rounded down, in single precision); work of 10 ms per frame
  // does not shift them, and over 300 frames nothing accumulates.
  for (int n = 1; n <= 300; ++n) {
    clock.now += 10;
    ASSERT_EQ(g.Wait(), S_OK);
    EXPECT_NEAR(static_cast<double>(clock.now - start), n * 1000.0 / 30, 1.0) << "frame " << n;
  }
}

TEST(FrameGovernor, LateFrameRestartsTheScheduleFromNow) {
  test::FakeClock clock;
  FrameGovernor g(clock);
  g.Set(30);
  std::uint32_t start = clock.now;
  clock.now += 100;  // frame 1 was due at 33 ms
  EXPECT_EQ(g.Wait(), kFrameLate);
  EXPECT_EQ(clock.now - start, 100u);  // no sleep for a late frame
  ASSERT_EQ(g.Wait(), S_OK);
  EXPECT_EQ(clock.now - start, 133u);  // one frame on from the late one, not a race to catch up
  ASSERT_EQ(g.Wait(), S_OK);
  EXPECT_EQ(clock.now - start, 166u);
}

TEST(FrameGovernor, RateZeroRunsUnthrottledAndStoppedGovernorFails) {
  test::FakeClock clock;
  FrameGovernor g(clock);
  EXPECT_EQ(g.Wait(), kGovernorNotRunning);
  g.Set(0);
  EXPECT_EQ(g.rate(), 30u);
  EXPECT_FALSE(g.throttled());
  for (int i = 0; i < 10; ++i) EXPECT_EQ(g.Wait(), S_OK);
  EXPECT_EQ(clock.slept, 0u);
  g.Stop();
  EXPECT_EQ(g.Wait(), kGovernorNotRunning);
}

}  // namespace
}  // namespace zelph::app
