// Window messages of the game's frame, with the numbers of the handheld platform it was written for, so that
// the frame's logic can be driven by injecting messages.
#pragma once

#include <cstdint>
#include <memory>
#include <string>

namespace zelph::platform {

struct Message {
  std::uint32_t id = 0;
  std::uintptr_t wParam = 0;
  std::intptr_t lParam = 0;
};

namespace msg {
inline constexpr std::uint32_t kCreate = 0x0001;
inline constexpr std::uint32_t kDestroy = 0x0002;
inline constexpr std::uint32_t kActivate = 0x0006;  // wParam low word: 0 inactive, 1 active, 2 click-active
inline constexpr std::uint32_t kQuit = 0x0012;
inline constexpr std::uint32_t kKeyDown = 0x0100;  // wParam virtual key; lParam bit 30: auto-repeat
inline constexpr std::uint32_t kKeyUp = 0x0101;
inline constexpr std::uint32_t kChar = 0x0102;  // wParam character (UTF-16 unit), lParam key data
inline constexpr std::uint32_t kSysCommand = 0x0112;
inline constexpr std::uint32_t kStylusMove = 0x0200;  // lParam: x in the low word, y in the high word
inline constexpr std::uint32_t kStylusDown = 0x0201;
inline constexpr std::uint32_t kStylusUp = 0x0202;
inline constexpr std::uint32_t kStylusDoubleClick = 0x0203;
inline constexpr std::uint32_t kWheel = 0x020A;  // wParam: key state low word, delta high word (120 a notch)
inline constexpr std::uint32_t kUser = 0x0400;
inline constexpr std::uint32_t kMinimize = kUser + 1;         // 0x401: minimise at the idle step's request
inline constexpr std::uint32_t kDesktopInactive = kUser + 2;  // 0x402: the desktop took the focus away
inline constexpr std::uint32_t kScreenshot = kUser + 3;       // 0x403: save the next frame as a picture
inline constexpr std::uint32_t kControllerRemoved = kUser + 4;  // 0x404: a gamepad was unplugged
inline constexpr std::uint32_t kAbort = kUser + 138;          // 0x48A: lParam carries a text (MakeTextMessage)
inline constexpr std::uint32_t kShellChange = 0x8101;         // wParam event, lParam carries a path text
inline constexpr std::uint32_t kBeep = 125008;                // sounds the default beep
}  // namespace msg

inline constexpr std::uint32_t kScClose = 0xF060;  // system command "close"
inline constexpr std::intptr_t kKeyRepeatBit = 1 << 30;
inline constexpr int kAbortQuitCode = 1234;  // quit code of the abort path: nothing is saved

// Shell change events of kShellChange.
inline constexpr std::uint32_t kMediaInserted = 0x20;
inline constexpr std::uint32_t kMediaRemoved = 0x40;
inline constexpr std::uint32_t kDriveRemoved = 0x80;
inline constexpr std::uint32_t kDriveAdded = 0x100;

constexpr std::intptr_t MakePointParam(int x, int y) {
  return static_cast<std::intptr_t>((static_cast<std::uint32_t>(y) & 0xFFFF) << 16 |
                                    (static_cast<std::uint32_t>(x) & 0xFFFF));
}
constexpr int PointX(std::intptr_t lParam) { return static_cast<std::int16_t>(lParam & 0xFFFF); }
constexpr int PointY(std::intptr_t lParam) { return static_cast<std::int16_t>((lParam >> 16) & 0xFFFF); }

// The text of an abort or shell-change message travels as a pointer in lParam. It is owned on both sides:
// MakeTextMessage lets go of it only to put it into the message, and the one receiver takes it back at once
// with TakeMessageText (or DiscardMessagePayload when dropping the message), so every path frees it once.
Message MakeTextMessage(std::uint32_t id, std::uintptr_t wParam, std::string text);
// The text of a message that carries one; null for any other message. Call once per message received.
std::unique_ptr<std::string> TakeMessageText(const Message& message);

// Posts a message to the game's main window from any thread. Dropped (and a carried text freed) when no
// window takes messages.
void PostToMainWindow(const Message& message);

// Posts the abort message: the game ends at once without saving, with `text` as its error.
void PostAbort(const std::string& text);

// Installed by the window while it exists; returns false when the message could not be queued.
using MessageSink = bool (*)(void* context, const Message& message);
void SetMainWindowSink(MessageSink sink, void* context);

// Frees the text carried by an abort or shell-change message that is dropped unhandled.
void DiscardMessagePayload(const Message& message);

}  // namespace zelph::platform
