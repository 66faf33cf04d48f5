// The texts that abort and shell-change messages carry: each reaches its one receiver intact, and every
// path that drops the message frees it (the leak checker of the sanitizer build sees the rest).
#include <gtest/gtest.h>

#include "platform/messages.h"
#include "platform/window.h"

namespace zelph::platform {
namespace {

TEST(MessageText, TravelsToTheReceiverAndOnlyTextMessagesCarryOne) {
  for (std::uint32_t id : {msg::kAbort, msg::kShellChange}) {
    Message m = MakeTextMessage(id, kMediaRemoved, "/media/card");
    EXPECT_EQ(m.id, id);
    EXPECT_EQ(m.wParam, kMediaRemoved);
    std::unique_ptr<std::string> text = TakeMessageText(m);
    ASSERT_NE(text, nullptr);
    EXPECT_EQ(*text, "/media/card");
  }
  // A point or key parameter is no pointer to free.
  EXPECT_EQ(TakeMessageText(Message{msg::kStylusDown, 1, MakePointParam(3, 4)}), nullptr);
  EXPECT_EQ(TakeMessageText(Message{msg::kAbort, 0, 0}), nullptr);
}

TEST(MessageText, IsFreedWhenNoWindowTakesItOrTheQueueGoesFirst) {
  SetMainWindowSink(nullptr, nullptr);
  PostAbort("nobody listens");
  SetMainWindowSink([](void*, const Message&) { return false; }, nullptr);
  PostAbort("the window refuses");
  SetMainWindowSink(nullptr, nullptr);
  {
    MessageQueue queue;
    queue.Post(MakeTextMessage(msg::kShellChange, kDriveRemoved, "/media/card"));
    queue.Post(Message{msg::kKeyDown, 37, 0});
  }
  MessageQueue queue;
  SetMainWindowSink([](void* q, const Message& m) { return static_cast<MessageQueue*>(q)->Post(m); }, &queue);
  PostAbort("delivered");
  SetMainWindowSink(nullptr, nullptr);
  Message m;
  ASSERT_TRUE(queue.Pop(m));
  std::unique_ptr<std::string> text = TakeMessageText(m);
  ASSERT_NE(text, nullptr);
  EXPECT_EQ(*text, "delivered");
}

}  // namespace
}  // namespace zelph::platform
