#include "app/options.h"

#include <gtest/gtest.h>

#include "app/input_script.h"
#include "platform/virtual_keys.h"

namespace zelph::app {
namespace {

namespace msg = platform::msg;

TEST(Options, DesktopOptionsAreTakenOutOfTheGamesCommandLine) {
  auto r = ParseOptions({"--headless", "--frames", "60", "/NoCloseFS", "--home=/tmp/h", "--seed", "7"});
  ASSERT_TRUE(r.options) << r.error;
  EXPECT_TRUE(r.options->headless);
  EXPECT_FALSE(r.options->sound) << "headless runs are silent unless asked";
  EXPECT_TRUE(ParseOptions({"--headless", "--sound"}).options->sound);
  EXPECT_EQ(r.options->frames, 60u);
  EXPECT_EQ(r.options->seed, 7u);
  EXPECT_EQ(r.options->home, "/tmp/h");
  EXPECT_EQ(r.options->commandLine, "/NoCloseFS");
}

TEST(Options, BadOptionsAreRefusedWithAReason) {
  EXPECT_EQ(ParseOptions({"--nope"}).error, "unknown option --nope");
  EXPECT_FALSE(ParseOptions({"--frames"}).options);
  EXPECT_FALSE(ParseOptions({"--frames", "-3"}).options);
  EXPECT_FALSE(ParseOptions({"--frames", "12x"}).options);
  EXPECT_FALSE(ParseOptions({"--home"}).options);
  EXPECT_FALSE(ParseOptions({"--headless=yes"}).options);
  EXPECT_FALSE(ParseOptions({"--sound=disk"}).options);
  EXPECT_FALSE(ParseOptions({"--dump", "0:state.txt"}).options);
  EXPECT_FALSE(ParseOptions({"--dump", "5:"}).options);
  for (const char* scale : {"0", "9", "-1", "2x", ""}) {
    EXPECT_EQ(ParseOptions({"--scale", scale}).error, "--scale needs a whole number from 1 to 8") << scale;
  }
  EXPECT_FALSE(ParseOptions({"--scale"}).options);
  EXPECT_EQ(ParseOptions({"--version=1"}).error, "--version takes no value");
}

TEST(Options, ScaleAndVersion) {
  auto r = ParseOptions({"--scale", "3", "--version"});
  ASSERT_TRUE(r.options) << r.error;
  EXPECT_EQ(r.options->scale, 3u);
  EXPECT_TRUE(r.options->version);
  EXPECT_EQ(ParseOptions({"--scale=8"}).options->scale, 8u);
  EXPECT_EQ(ParseOptions({}).options->scale, 0u) << "unset: the window picks the largest that fits";
  const std::string text = VersionText("zelph-qvga");
  EXPECT_TRUE(text.starts_with("zelph-qvga 1.1\nbuild ")) << text;
  EXPECT_TRUE(text.ends_with("\n"));
}

TEST(Options, SnapshotsAndDumpsAreKeptApartInOrder) {
  auto r = ParseOptions({"--dump", "30:a.txt", "--screenshot=10:s.png", "--dump=90:b.txt"});
  ASSERT_TRUE(r.options) << r.error;
  ASSERT_EQ(r.options->dumps.size(), 2u);
  EXPECT_EQ(r.options->dumps[0].frame, 30u);
  EXPECT_EQ(r.options->dumps[1].file, "b.txt");
  ASSERT_EQ(r.options->screenshots.size(), 1u);
  EXPECT_EQ(r.options->screenshots[0].frame, 10u);
}

TEST(InputScript, ReadsEveryEventKindInStepOrder) {
  auto s = ParseInputScript(
      "# a comment\n"
      "5 keydown Left\n"
      "3 char a\n"
      "3 char U+0416\n"
      "4 down 10 20\n"
      "6 wheel -1\n"
      "7 focus lost\n"
      "8 focus gained\n"
      "9 keyup f12\n"
      "10 close\n"
      "11 pad removed\n",
      false);
  ASSERT_TRUE(s.error.empty()) << s.error;
  ASSERT_EQ(s.events.size(), 10u);
  EXPECT_EQ(s.events[0].step, 3u);
  EXPECT_EQ(s.events[0].message.wParam, static_cast<std::uintptr_t>('a'));
  EXPECT_EQ(s.events[1].message.wParam, 0x416u);
  EXPECT_EQ(s.events[2].message.id, msg::kStylusDown);
  EXPECT_EQ(platform::PointX(s.events[2].message.lParam), 10);
  EXPECT_EQ(platform::PointY(s.events[2].message.lParam), 20);
  EXPECT_EQ(s.events[3].message.id, msg::kKeyDown);
  EXPECT_EQ(s.events[3].message.wParam, platform::vk::kLeft);
  EXPECT_EQ(static_cast<std::int16_t>(s.events[4].message.wParam >> 16), -120);
  EXPECT_EQ(s.events[5].message.id, msg::kDesktopInactive);
  EXPECT_EQ(s.events[6].message.id, msg::kActivate);
  EXPECT_EQ(s.events[7].message.wParam, platform::vk::kF12);
  EXPECT_EQ(s.events[8].message.id, msg::kSysCommand);
  EXPECT_EQ(s.events[9].message.id, msg::kControllerRemoved);
  // With exit-on-deactivate a focus loss is another window taking the screen.
  EXPECT_EQ(ParseInputScript("1 focus lost", true).events[0].message.id, msg::kActivate);
}

TEST(InputScript, AWheelTurnsAtItsPointOrWhereThePointerLastWas) {
  auto s = ParseInputScript(
      "1 wheel 1\n"        // before any pointer event: the top-left corner
      "5 wheel -2\n"       // written before the move, but stepped after it
      "4 move 100 50\n"
      "6 wheel 3 7 9\n"
      "7 wheel 1\n"
      "8 keydown Left\n"
      "9 wheel 1\n",
      false);
  ASSERT_TRUE(s.error.empty()) << s.error;
  ASSERT_EQ(s.events.size(), 7u);
  struct Expected {
    int x, y, notches;
  };
  const Expected expected[] = {{0, 0, 1}, {100, 50, 0}, {100, 50, -2}, {7, 9, 3}, {7, 9, 1}, {0, 0, 0}, {7, 9, 1}};
  for (std::size_t i = 0; i < s.events.size(); ++i) {
    const platform::Message& m = s.events[i].message;
    if (m.id != msg::kWheel) continue;
    SCOPED_TRACE(i);
    EXPECT_EQ(platform::PointX(m.lParam), expected[i].x);
    EXPECT_EQ(platform::PointY(m.lParam), expected[i].y);
    EXPECT_EQ(static_cast<std::int16_t>(m.wParam >> 16), expected[i].notches * 120);
  }
}

TEST(InputScript, ErrorsNameTheLine) {
  EXPECT_EQ(ParseInputScript("1 keydown Left\n2 keydown Nowhere\n", false).error, "line 2: unknown key");
  EXPECT_EQ(ParseInputScript("x close\n", false).error, "line 1: a line starts with a step number from 1");
  EXPECT_EQ(ParseInputScript("-3 close\n", false).error, "line 1: a line starts with a step number from 1");
  EXPECT_EQ(ParseInputScript("0 close\n", false).error, "line 1: step 0 is out of range (1 to 4294967295)");
  EXPECT_EQ(ParseInputScript("1 close\n4294967296 close\n", false).error,
            "line 2: step 4294967296 is out of range (1 to 4294967295)");
  EXPECT_EQ(ParseInputScript("1 close now\n", false).error, "line 1: close takes nothing after it");
  EXPECT_EQ(ParseInputScript("1 wheel 1 5\n", false).error, "line 1: wheel needs a number of notches, and optionally x and y");
  EXPECT_EQ(ParseInputScript("1 wheel 1 5 -5\n", false).error,
            "line 1: wheel needs a number of notches, and optionally x and y");
  EXPECT_EQ(ParseInputScript("1 down 10\n", false).error, "line 1: down needs x and y");
  EXPECT_EQ(ParseInputScript("1 down -1 5\n", false).error, "line 1: down needs x and y");
  EXPECT_EQ(ParseInputScript("1 jump\n", false).error, "line 1: unknown event");
  EXPECT_EQ(ParseInputScript("1 pad gone\n", false).error, "line 1: pad takes removed");
  EXPECT_TRUE(ParseInputScript("1 jump\n", false).events.empty());
}

}  // namespace
}  // namespace zelph::app
