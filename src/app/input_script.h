// A text script of input events at numbered idle steps, for reproducible runs and tests. One event a line:
//
//   <step> keydown <key>      <step> keyup <key>     keys: Left Right Up Down Enter Escape Backspace Tab Space
//                                                    Insert Delete F1..F12 A..Z 0..9, or a number
//   <step> char <c>           one character, or U+XXXX
//   <step> down <x> <y>       <step> up <x> <y>      <step> move <x> <y>     <step> dblclick <x> <y>
//   <step> wheel <notches> [<x> <y>]                 without a point: where the last pointer event was
//   <step> focus lost         <step> focus gained    <step> close
//   <step> pad removed        a gamepad was unplugged
//
// Steps count the frame's idle passes from 1; blank lines and lines starting with '#' are ignored.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "platform/messages.h"

namespace zelph::app {

struct ScriptEvent {
  std::uint32_t step = 0;
  platform::Message message;
  bool atPointer = false;  // a wheel given without a point, placed at the pointer by the parser
};

struct InputScript {
  std::vector<ScriptEvent> events;  // in step order
  std::string error;                // "line N: ..." when the script is invalid
};

// `exitOnDeactivate` chooses what "focus lost" means, as for the real window.
InputScript ParseInputScript(std::string_view text, bool exitOnDeactivate);

// Key names as the script writes them; 0 when unknown.
std::uint16_t KeyFromName(std::string_view name);

}  // namespace zelph::app
