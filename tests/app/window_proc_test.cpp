// The frame's handling of each window message, driven by injected messages.
#include <gtest/gtest.h>

#include "app_fakes.h"
#include "app/input_script.h"
#include "platform/messages.h"
#include "platform/virtual_keys.h"
#include "ui/control_tree.h"
#include "ui/scroll_view.h"

namespace zelph::app {
namespace {

namespace msg = platform::msg;
namespace vk = platform::vk;
using platform::Message;

struct WindowProcTest : ::testing::Test {
  test::Rig rig;
  test::FakeClient client;
  test::RecordingHandler handler;

  void SetUp() override {
    rig.app->SetCurrent(&client);
    rig.app->SetRequestHandler(&handler);
  }
  void Send(Message m) { rig.app->WindowProc(m); }
  bool QuitQueued(int code) {
    Message m;
    while (rig.window->queue.Pop(m)) {
      if (m.id == msg::kQuit && static_cast<int>(m.wParam) == code) return true;
    }
    return false;
  }
};

TEST_F(WindowProcTest, KeysReachTheTreeOnceWithTheKeyListAndRepeatsAreIgnored) {
  Send({msg::kKeyDown, vk::kLeft, 1});
  Send({msg::kKeyDown, vk::kLeft, 1 | platform::kKeyRepeatBit});  // held key
  Send({msg::kKeyDown, vk::kIgnored, 1});
  Send({msg::kKeyUp, vk::kLeft, 1 | platform::kKeyRepeatBit});
  Send({msg::kChar, 'q', 1});
  ASSERT_EQ(client.events.size(), 3u);
  EXPECT_EQ(client.events[0].what, "keydown");
  EXPECT_EQ(client.events[0].a, vk::kLeft);
  EXPECT_EQ(client.events[0].b, ui::kKeyLeft);  // translated by the device's key list
  EXPECT_EQ(client.events[1].what, "keyup");
  EXPECT_EQ(client.events[2].what, "char");
}

TEST_F(WindowProcTest, StylusPointsPassThroughTheDisplayMappingAndMovesNeedActivity) {
  rig.display->rotate = true;
  Send({msg::kStylusDown, 1, platform::MakePointParam(0, 0)});
  Send({msg::kStylusMove, 1, platform::MakePointParam(10, 20)});
  Send({msg::kDesktopInactive, 0, 0});
  Send({msg::kStylusMove, 1, platform::MakePointParam(11, 21)});  // dropped while inactive
  Send({msg::kStylusUp, 1, platform::MakePointParam(639, 479)});
  ASSERT_EQ(client.events.size(), 3u);
  EXPECT_EQ(client.events[0].what, "down");
  EXPECT_EQ(client.events[0].a, 639);
  EXPECT_EQ(client.events[0].b, 479);
  EXPECT_EQ(client.events[1].what, "move");
  EXPECT_EQ(client.events[2].what, "up");
  EXPECT_EQ(client.events[2].a, 0);
}

TEST_F(WindowProcTest, WheelGivesNotchesOnlyWhileActive) {
  Send({msg::kWheel, static_cast<std::uintptr_t>((-240 & 0xFFFF) << 16), 0});
  ASSERT_EQ(client.events.size(), 1u);
  EXPECT_EQ(client.events[0].what, "wheel");
  EXPECT_EQ(client.events[0].a, -2);
  Send({msg::kDesktopInactive, 0, 0});
  Send({msg::kWheel, 120 << 16, 0});
  EXPECT_EQ(client.events.size(), 1u);
}

TEST_F(WindowProcTest, HandledRequestsAreClearedAndUnknownOnesStay) {
  client.request = 64;
  Send({msg::kKeyDown, vk::kReturn, 1});
  EXPECT_EQ(client.request, 0);
  client.request = 77;
  Send({msg::kKeyUp, vk::kReturn, 1});
  EXPECT_EQ(client.request, 77);
  Send({msg::kStylusDown, 1, 0});  // offered again after the next event
  EXPECT_EQ(handler.seen, (std::vector<std::uint32_t>{64, 77, 77}));
}

TEST_F(WindowProcTest, ExemptedWindowsMayTakeActivation) {
  rig.app->AddActivationExemption("GAPIFORCEREFRESH", nullptr);
  rig.app->AddActivationExemption("Dialog", "\\Windows\\rnaapp.exe");
  rig.window->others[11] = {"GAPIFORCEREFRESH", "\\Windows\\anything.exe"};
  rig.window->others[12] = {"Dialog", "\\Windows\\rnaapp.exe"};
  rig.window->others[13] = {"Dialog", "\\Windows\\other.exe"};
  rig.window->others[14] = {"gapiforcerefresh", ""};
  Send({msg::kActivate, 0, 11});
  Send({msg::kActivate, 0, 12});
  EXPECT_FALSE(rig.app->exitRequested());
  Send({msg::kActivate, 0, 14});  // class names match exactly
  EXPECT_TRUE(rig.app->exitRequested());
}

TEST_F(WindowProcTest, ADialogOfAnotherProgramEndsTheGame) {
  rig.app->AddActivationExemption("Dialog", "\\Windows\\rnaapp.exe");
  rig.window->others[13] = {"Dialog", "\\Windows\\other.exe"};
  Send({msg::kActivate, 0, 13});
  EXPECT_TRUE(rig.app->exitRequested());
  EXPECT_TRUE(rig.app->stopThread());
}

TEST(WindowProc, KeepOnDeactivateBringsTheWindowBackInstead) {
  AppConfig config = test::Rig::DefaultConfig();
  config.keepOnDeactivate = 1;
  test::Rig rig(config);
  rig.app->WindowProc({msg::kActivate, 0, 0});
  EXPECT_FALSE(rig.app->exitRequested());
  EXPECT_EQ(rig.log.raised, 1);
}

TEST_F(WindowProcTest, DesktopFocusPausesAndResumesWithoutEndingTheGame) {
  Send({msg::kDesktopInactive, 0, 0});
  EXPECT_FALSE(rig.app->active());
  EXPECT_TRUE(rig.display->suspended);
  EXPECT_EQ(rig.app->minimizes, 1);
  EXPECT_EQ(rig.log.minimized, 0);  // the window stays where the player put it
  Send({msg::kActivate, 1, 0});
  EXPECT_TRUE(rig.app->active());
  EXPECT_FALSE(rig.display->suspended);
  EXPECT_TRUE(rig.display->inputOpen);
  EXPECT_EQ(rig.app->restores, 1);
  EXPECT_FALSE(rig.app->exitRequested());
}

TEST_F(WindowProcTest, MinimiseMessageSuspendsAndMinimises) {
  Send({msg::kMinimize, 0, 0});
  EXPECT_FALSE(rig.app->active());
  EXPECT_EQ(rig.log.minimized, 1);
  Send({msg::kMinimize, 0, 0});  // already inactive: nothing more
  EXPECT_EQ(rig.log.minimized, 1);
  EXPECT_EQ(rig.app->minimizes, 1);
}

TEST_F(WindowProcTest, CloseCommandStopsLoopAndThread) {
  Send({msg::kSysCommand, platform::kScClose, 0});
  EXPECT_TRUE(rig.app->exitRequested());
  EXPECT_TRUE(rig.app->stopThread());
}

TEST_F(WindowProcTest, AbortMessageStoresItsTextAndQueuesTheAbortQuit) {
  Send(platform::MakeTextMessage(msg::kAbort, 0, "pack read failed"));
  EXPECT_EQ(rig.app->errorText(), "pack read failed");
  EXPECT_TRUE(QuitQueued(platform::kAbortQuitCode));
}

TEST_F(WindowProcTest, StorageChangeOfAnotherFolderIsIgnored) {
  Send(platform::MakeTextMessage(msg::kShellChange, platform::kMediaRemoved, "/nowhere-near-the-game"));
  EXPECT_TRUE(rig.app->errorText().empty());
  EXPECT_FALSE(QuitQueued(platform::kAbortQuitCode));
}

TEST_F(WindowProcTest, DestroyQueuesAnOrdinaryQuit) {
  Send({msg::kDestroy, 0, 0});
  EXPECT_TRUE(QuitQueued(0));
}

TEST(Wheel, AScriptedWheelScrollsTheListUnderThePointerOnly) {
  test::Rig rig;
  ui::Control root;
  root.Create(1, gfx::Rect{0, 0, 640, 480}, nullptr, 0);
  ui::ScrollView left, right;
  left.Create(10, gfx::Rect{0, 0, 300, 200}, &root, 0, 0);
  right.Create(11, gfx::Rect{320, 0, 620, 200}, &root, 0, 0);
  for (ui::ScrollView* view : {&left, &right}) {
    for (int i = 0; i < 10; ++i) {
      auto item = std::make_unique<ui::Control>();
      item->Create(100 + i, gfx::Rect{0, 100 * i, 280, 100 * i + 100}, view, 0);
      view->AddItem(std::move(item), 0);
    }
    view->UpdateExtent();
  }
  rig.app->SetCurrent(&root);
  // A scroll takes effect when the view is next drawn.
  auto draw = [&] { ui::DrawTree(root, rig.display->back, 0, 0, gfx::Rect{0, 0, 640, 480}); };
  // The pointer rests over the right list; then the wheel turns over the left one at a point of its own.
  auto script = ParseInputScript("1 move 400 100\n2 wheel -2\n3 wheel -1 50 50\n4 wheel 3\n", false);
  ASSERT_TRUE(script.error.empty()) << script.error;
  for (std::size_t i = 0; i < 2; ++i) rig.app->WindowProc(script.events[i].message);
  draw();
  EXPECT_EQ(right.positionY, 50);  // two notches of an eighth of its 200-pixel height, towards the end
  EXPECT_EQ(left.positionY, 0);
  rig.app->WindowProc(script.events[2].message);
  draw();
  EXPECT_EQ(left.positionY, 25);
  EXPECT_EQ(right.positionY, 50);
  rig.app->WindowProc(script.events[3].message);  // at the last point given: the left list, back to its top
  draw();
  EXPECT_EQ(left.positionY, 0);
  EXPECT_EQ(right.positionY, 50);
  rig.app->SetCurrent(nullptr);
}

TEST_F(WindowProcTest, TheWheelTurnsAtItsPointMappedLikeTheStylus) {
  rig.display->rotate = true;
  Send({msg::kWheel, static_cast<std::uintptr_t>(120 << 16), platform::MakePointParam(10, 20)});
  ASSERT_EQ(client.events.size(), 1u);
  EXPECT_EQ(client.events[0].what, "wheel");
  EXPECT_EQ(client.wheelAt.x, 629);
  EXPECT_EQ(client.wheelAt.y, 459);
}

TEST(SetError, FormatsTextsAndCodes) {
  test::Rig rig;
  auto& app = *rig.app;
  EXPECT_EQ(app.SetError("Could not open display.", Code(0xC8660110)), S_OK);
  EXPECT_EQ(app.errorText(), "This application requires a 16-bit Pocket PC or Smartphone.");
  app.SetError("x", Code(0xC8660120));
  EXPECT_EQ(app.errorText(),
            "Missing or incorrect file: \"gx.dll\". Please copy this file to the \\windows folder on this device.");
  app.SetError("Could not change display mode.", Code(0xC8660100));
  EXPECT_EQ(app.errorText(), "Could not change display mode.\nError code=0xc8660100.");
  app.SetError("Out of memory.", 0);
  EXPECT_EQ(app.errorText(), "Out of memory.");
  EXPECT_EQ(app.SetError(nullptr, 5), E_FAIL);
  EXPECT_EQ(app.errorText(), "Invalid error code description.");
  app.SetError(std::string(400, 'a').c_str(), 0);
  EXPECT_EQ(app.errorText().size(), kErrorTextMax - 1);
}

TEST(FrameSettings, SkipAndRateChecks) {
  test::Rig rig;
  EXPECT_EQ(rig.app->SkipFrames(0), E_FAIL);
  EXPECT_EQ(rig.app->SkipFrames(3), S_OK);
  EXPECT_EQ(rig.app->SetThreadFrameRate(0), E_FAIL);
  EXPECT_EQ(rig.app->SetThreadFrameRate(15), S_OK);
  EXPECT_EQ(rig.app->windowClass(), "Test Game WndCls");
}

}  // namespace
}  // namespace zelph::app
