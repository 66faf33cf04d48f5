#include "config/ino_text.h"

#include "config/bytes.h"
#include "config/ino_format.h"
#include "config/text.h"

namespace zelph::config {

namespace {

bool HasLineBreak(std::string_view s) { return s.find_first_of("\r\n") != std::string_view::npos; }

std::string AtLine(std::size_t line, std::string_view what) {
  return "line " + std::to_string(line) + ": " + std::string(what);
}

std::string AtOffset(std::size_t offset, std::string_view what) {
  return "entry at byte " + std::to_string(offset) + ": " + std::string(what);
}

}  // namespace

bool CompileInoText(std::string_view text, std::vector<std::uint8_t>& image, std::string& error) {
  std::vector<std::uint8_t> entries;
  std::size_t lineNumber = 0;
  while (!text.empty()) {
    ++lineNumber;
    std::string_view line = TakeLine(text);
    if (line.empty() || line.front() == ';') continue;

    if (line.front() == '[') {
      if (line.size() < 2 || line.back() != ']') {
        error = AtLine(lineNumber, "a section line must end with \"]\"");
        return false;
      }
      if (!AppendSectionEntry(entries, line.substr(1, line.size() - 2))) {
        error = AtLine(lineNumber, "section name too long or holds a NUL byte");
        return false;
      }
      continue;
    }
    std::size_t equals = line.find('=');
    if (equals == std::string_view::npos) {
      error = AtLine(lineNumber, "expected \"[section]\", \"key=value\" or a \";\" comment");
      return false;
    }
    if (!AppendKeyEntry(entries, line.substr(0, equals), line.substr(equals + 1))) {
      error = AtLine(lineNumber, "entry longer than 65534 bytes or holding a NUL byte");
      return false;
    }
  }
  image = WithInoHeader(entries, InoFiller{});
  return true;
}

bool VerifyInoImage(std::span<const std::uint8_t> image, const InoVisitor& visit, std::string& error) {
  if (HasInoHeader(image)) {
    if (image.size() < kInoHeaderSize) {
      error = "file shorter than its header";
      return false;
    }
    if (Crc32(image.subspan(kInoHeaderSize)) != ReadLe32(image.data() + 4)) {
      error = "checksum mismatch (scrambled file? try --scrambled)";
      return false;
    }
  }
  if (!WalkInoEntries(image, visit)) {
    error = "corrupt entry lengths (scrambled file? try --scrambled)";
    return false;
  }
  return true;
}

bool DecompileIno(std::span<const std::uint8_t> image, std::string& text, std::string& error) {
  const bool hasHeader = HasInoHeader(image);
  std::string problem;
  text.clear();
  auto say = [&](const InoEntry& e) {
    if (!problem.empty() || (hasHeader && e.offset == 0)) return;  // the header itself
    if (e.kind == EntryKind::kSection) {
      if (HasLineBreak(e.name)) {
        problem = AtOffset(e.offset, "section name with a line break");
        return;
      }
      if (!text.empty()) text += '\n';
      text += '[';
      text += e.name;
      text += "]\n";
    } else if (e.kind == EntryKind::kKey) {
      if (e.name.find('=') != std::string_view::npos || HasLineBreak(e.name) ||
          (!e.name.empty() && (e.name.front() == '[' || e.name.front() == ';')) || HasLineBreak(e.value)) {
        problem = AtOffset(e.offset, "key or value that the text form cannot hold");
        return;
      }
      text += e.name;
      text += '=';
      text += e.value;
      text += '\n';
    } else {
      problem = AtOffset(e.offset, "neither a section nor a key");
    }
  };
  if (!VerifyInoImage(image, say, error)) return false;
  if (problem.empty()) return true;
  error = problem;
  return false;
}

}  // namespace zelph::config
