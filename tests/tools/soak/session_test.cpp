#include <gtest/gtest.h>

#include <chrono>
#include <fstream>

#include "soak_session.h"
#include "test_support/temp_dir.h"

namespace zelph::soak {
namespace {

using std::chrono::milliseconds;

class SoakSession : public ::testing::Test {
 protected:
  SessionResult Run(const std::string& shell, milliseconds hangLimit = milliseconds(2000)) {
    return RunSession({"/bin/sh", "-c", shell}, dir_.path() / "err.log", hangLimit);
  }
  test::TempDir dir_;
};

TEST_F(SoakSession, AProgramThatDrawsAndEndsWellPasses) {
  // Longer in all than the hang limit: each frame starts the limit afresh.
  const SessionResult r =
      Run("for i in 1 2 3 4 5 6 7 8; do echo frame $i; sleep 0.25; done; exit 0", milliseconds(1000));
  EXPECT_EQ(r.outcome, Outcome::kPassed) << r.detail;
  EXPECT_EQ(r.frames, 8u);
  EXPECT_EQ(r.exitStatus, 0);
}

TEST_F(SoakSession, ASilentProgramIsKilledAsHung) {
  const auto start = std::chrono::steady_clock::now();
  const SessionResult r = Run("echo frame 1; echo frame 2; exec sleep 30", milliseconds(300));
  EXPECT_EQ(r.outcome, Outcome::kHung);
  EXPECT_EQ(r.frames, 2u);
  EXPECT_NE(r.detail.find("after frame 2"), std::string::npos) << r.detail;
  EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::seconds(10));
}

TEST_F(SoakSession, OutputThatIsNoHeartbeatDoesNotKeepAProgramAlive) {
  const SessionResult r = Run("echo frame 1; while true; do echo busy; sleep 0.05; done", milliseconds(300));
  EXPECT_EQ(r.outcome, Outcome::kHung);
}

TEST_F(SoakSession, FailuresAreToldApart) {
  SessionResult r = Run("echo frame 1; echo 'a.cpp:3:5: runtime error: signed integer overflow' >&2; exit 0");
  EXPECT_EQ(r.outcome, Outcome::kSanitizer);
  EXPECT_NE(r.detail.find("signed integer overflow"), std::string::npos);

  r = Run("echo '==1==ERROR: AddressSanitizer: heap-use-after-free' >&2; kill -ABRT $$");
  EXPECT_EQ(r.outcome, Outcome::kSanitizer) << "the report names the fault better than the signal";

  r = Run("echo frame 1; kill -SEGV $$");
  EXPECT_EQ(r.outcome, Outcome::kCrashed);
  EXPECT_EQ(r.signal, 11);

  r = Run("exit 5");
  EXPECT_EQ(r.outcome, Outcome::kBadExit);
  EXPECT_EQ(r.exitStatus, 5);

  r = RunSession({(dir_.path() / "no-such-program").string()}, dir_.path() / "err.log", milliseconds(2000));
  EXPECT_EQ(r.outcome, Outcome::kBadExit);
  EXPECT_EQ(r.exitStatus, 127);
}

}  // namespace
}  // namespace zelph::soak
