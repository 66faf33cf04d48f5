#include "app/input_script.h"

#include <algorithm>
#include <cctype>
#include <charconv>
#include <limits>

#include "platform/virtual_keys.h"

namespace zelph::app {

namespace msg = platform::msg;
namespace vk = platform::vk;
using platform::Message;

namespace {

bool EqualsNoCase(std::string_view a, std::string_view b) {
  return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin(), [](char x, char y) {
           return std::tolower(static_cast<unsigned char>(x)) == std::tolower(static_cast<unsigned char>(y));
         });
}

template <typename T>
bool ToNumber(std::string_view s, T& out, int base = 10) {
  auto [ptr, ec] = std::from_chars(s.data(), s.data() + s.size(), out, base);
  return ec == std::errc() && ptr == s.data() + s.size() && !s.empty();
}

bool CarriesPoint(std::uint32_t id) {
  return id == msg::kStylusDown || id == msg::kStylusUp || id == msg::kStylusMove || id == msg::kStylusDoubleClick ||
         id == msg::kWheel;
}

bool IsDigits(std::string_view s) {
  return !s.empty() && std::all_of(s.begin(), s.end(), [](char c) { return c >= '0' && c <= '9'; });
}

std::vector<std::string_view> Words(std::string_view line) {
  std::vector<std::string_view> words;
  std::size_t i = 0;
  while (i < line.size()) {
    while (i < line.size() && (line[i] == ' ' || line[i] == '\t' || line[i] == '\r')) ++i;
    std::size_t j = i;
    while (j < line.size() && line[j] != ' ' && line[j] != '\t' && line[j] != '\r') ++j;
    if (j > i) words.push_back(line.substr(i, j - i));
    i = j;
  }
  return words;
}

}  // namespace

std::uint16_t KeyFromName(std::string_view name) {
  static constexpr struct {
    const char* name;
    std::uint16_t code;
  } kNames[] = {{"Left", vk::kLeft},     {"Up", vk::kUp},         {"Right", vk::kRight},
                {"Down", vk::kDown},     {"Enter", vk::kReturn},  {"Return", vk::kReturn},
                {"Escape", vk::kEscape}, {"Backspace", vk::kBack}, {"Tab", vk::kTab},
                {"Space", vk::kSpace},   {"Insert", vk::kInsert}, {"Delete", vk::kDelete},
                {"Shift", vk::kShift},   {"Control", vk::kControl}};
  for (const auto& k : kNames) {
    if (EqualsNoCase(name, k.name)) return k.code;
  }
  if (name.size() == 1) {
    char c = static_cast<char>(std::toupper(static_cast<unsigned char>(name[0])));
    if ((c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9')) return static_cast<std::uint16_t>(c);
  }
  if ((name.size() == 2 || name.size() == 3) && (name[0] == 'F' || name[0] == 'f')) {
    int n = 0;
    if (ToNumber(name.substr(1), n) && n >= 1 && n <= 12) return vk::FunctionKey(n);
  }
  unsigned n = 0;
  if (ToNumber(name, n) && n > 0 && n <= vk::kLastKey) return static_cast<std::uint16_t>(n);
  return 0;
}

InputScript ParseInputScript(std::string_view text, bool exitOnDeactivate) {
  InputScript script;
  std::size_t pos = 0;
  int lineNo = 0;
  auto fail = [&](const std::string& why) {
    script.events.clear();
    script.error = "line " + std::to_string(lineNo) + ": " + why;
    return script;
  };
  while (pos < text.size()) {
    std::size_t end = text.find('\n', pos);
    if (end == std::string_view::npos) end = text.size();
    std::string_view line = text.substr(pos, end - pos);
    pos = end + 1;
    ++lineNo;
    auto w = Words(line);
    if (w.empty() || w[0].starts_with("#")) continue;
    std::uint32_t step = 0;
    if (!IsDigits(w[0])) return fail("a line starts with a step number from 1");
    if (!ToNumber(w[0], step) || step == 0) {
      return fail("step " + std::string(w[0]) + " is out of range (1 to " +
                  std::to_string(std::numeric_limits<std::uint32_t>::max()) + ")");
    }
    if (w.size() < 2) return fail("an event is missing");
    std::string_view ev = w[1];
    Message m;
    bool atPointer = false;
    // The event's last two words are its point.
    auto point = [&](std::uint32_t id, std::size_t at = 2) {
      int x = 0, y = 0;
      if (w.size() != at + 2 || !ToNumber(w[at], x) || !ToNumber(w[at + 1], y) || x < 0 || y < 0 || x > 32767 ||
          y > 32767) {
        return false;
      }
      m = Message{id, 1, platform::MakePointParam(x, y)};
      return true;
    };
    if (EqualsNoCase(ev, "keydown") || EqualsNoCase(ev, "keyup")) {
      std::uint16_t key = w.size() == 3 ? KeyFromName(w[2]) : 0;
      if (!key) return fail("unknown key");
      bool down = EqualsNoCase(ev, "keydown");
      m = Message{down ? msg::kKeyDown : msg::kKeyUp, key, down ? 1 : (platform::kKeyRepeatBit | 1)};
    } else if (EqualsNoCase(ev, "char")) {
      if (w.size() != 3) return fail("char needs one character");
      std::uint32_t c = 0;
      if (w[2].size() == 1) {
        c = static_cast<unsigned char>(w[2][0]);
      } else if (w[2].size() > 2 && (w[2].starts_with("U+") || w[2].starts_with("u+")) &&
                 ToNumber(w[2].substr(2), c, 16) && c > 0 && c <= 0xFFFF) {
      } else {
        return fail("char needs one character or U+XXXX");
      }
      m = Message{msg::kChar, c, 1};
    } else if (EqualsNoCase(ev, "down")) {
      if (!point(msg::kStylusDown)) return fail("down needs x and y");
    } else if (EqualsNoCase(ev, "up")) {
      if (!point(msg::kStylusUp)) return fail("up needs x and y");
    } else if (EqualsNoCase(ev, "move")) {
      if (!point(msg::kStylusMove)) return fail("move needs x and y");
    } else if (EqualsNoCase(ev, "dblclick")) {
      if (!point(msg::kStylusDoubleClick)) return fail("dblclick needs x and y");
    } else if (EqualsNoCase(ev, "wheel")) {
      int notches = 0;
      if ((w.size() != 3 && w.size() != 5) || !ToNumber(w[2], notches) || notches < -100 || notches > 100) {
        return fail("wheel needs a number of notches, and optionally x and y");
      }
      auto delta = static_cast<std::uint32_t>(notches * 120) & 0xFFFF;
      if (w.size() == 5) {
        if (!point(msg::kWheel, 3)) return fail("wheel needs a number of notches, and optionally x and y");
        m.wParam = delta << 16;
      } else {
        m = Message{msg::kWheel, delta << 16, 0};
        atPointer = true;
      }
    } else if (EqualsNoCase(ev, "focus")) {
      if (w.size() == 3 && EqualsNoCase(w[2], "lost")) {
        m = exitOnDeactivate ? Message{msg::kActivate, 0, 0} : Message{msg::kDesktopInactive, 0, 0};
      } else if (w.size() == 3 && EqualsNoCase(w[2], "gained")) {
        m = Message{msg::kActivate, 1, 0};
      } else {
        return fail("focus is lost or gained");
      }
    } else if (EqualsNoCase(ev, "pad")) {
      if (w.size() != 3 || !EqualsNoCase(w[2], "removed")) return fail("pad takes removed");
      m = Message{msg::kControllerRemoved, 0, 0};
    } else if (EqualsNoCase(ev, "close")) {
      if (w.size() != 2) return fail("close takes nothing after it");
      m = Message{msg::kSysCommand, platform::kScClose, 0};
    } else {
      return fail("unknown event");
    }
    script.events.push_back(ScriptEvent{step, m, atPointer});
  }
  std::stable_sort(script.events.begin(), script.events.end(),
                   [](const ScriptEvent& a, const ScriptEvent& b) { return a.step < b.step; });
  // A wheel without a point turns where the pointer is: at the last point an earlier step gave.
  std::intptr_t pointer = platform::MakePointParam(0, 0);
  for (ScriptEvent& e : script.events) {
    if (e.atPointer) {
      e.message.lParam = pointer;
    } else if (CarriesPoint(e.message.id)) {
      pointer = e.message.lParam;
    }
  }
  return script;
}

}  // namespace zelph::app
