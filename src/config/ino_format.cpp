#include "config/ino_format.h"

#include <zlib.h>

#include <algorithm>
#include <cstring>

#include "config/bytes.h"

namespace zelph::config {

namespace {

void PutText(std::vector<std::uint8_t>& out, std::string_view text) {
  out.insert(out.end(), text.begin(), text.end());
}

std::size_t RoundUpEven(std::size_t n) { return n + (n & 1); }

}  // namespace

bool HasInoHeader(std::span<const std::uint8_t> data) {
  return data.size() >= 4 && ReadLe16(data.data()) == kInoHeaderSize && ReadLe16(data.data() + 2) == kInoFormatTag;
}

std::uint32_t Crc32(std::span<const std::uint8_t> data) {
  uLong crc = crc32(0L, Z_NULL, 0);
  // zlib takes 32-bit lengths; feed large data in pieces.
  std::size_t done = 0;
  while (done < data.size()) {
    std::size_t piece = std::min<std::size_t>(data.size() - done, 1u << 30);
    crc = crc32(crc, data.data() + done, static_cast<uInt>(piece));
    done += piece;
  }
  return static_cast<std::uint32_t>(crc);
}

std::size_t KeyEntryLength(std::size_t keyLength, std::size_t valueLength) {
  return RoundUpEven(keyLength + valueLength + 5);
}

bool AppendSectionEntry(std::vector<std::uint8_t>& out, std::string_view name) {
  std::size_t natural = 2 + 1 + name.size() + 1 + 1 + 1;  // length, "[", name, "]", NUL, line feed
  std::size_t length = RoundUpEven(natural);
  if (length > kMaxEntryLength || name.find('\0') != std::string_view::npos) return false;
  PutLe16(out, static_cast<std::uint32_t>(length));
  out.push_back('[');
  PutText(out, name);
  out.push_back(']');
  out.push_back(0);
  out.push_back('\n');
  if (length != natural) out.push_back(0);
  return true;
}

bool AppendKeyEntry(std::vector<std::uint8_t>& out, std::string_view key, std::string_view value) {
  std::size_t natural = key.size() + value.size() + 5;
  std::size_t length = RoundUpEven(natural);
  if (length > kMaxEntryLength || key.find('\0') != std::string_view::npos ||
      value.find('\0') != std::string_view::npos) {
    return false;
  }
  PutLe16(out, static_cast<std::uint32_t>(length));
  PutText(out, key);
  out.push_back(0);
  PutText(out, value);
  out.push_back(0);
  out.push_back('\n');
  if (length != natural) out.push_back(0);
  return true;
}

std::vector<std::uint8_t> WithInoHeader(std::span<const std::uint8_t> entries, const InoFiller& filler) {
  std::vector<std::uint8_t> out;
  out.reserve(kInoHeaderSize + entries.size());
  PutLe16(out, kInoHeaderSize);
  PutLe16(out, kInoFormatTag);
  PutLe32(out, Crc32(entries));
  for (std::uint32_t word : filler) PutLe32(out, word);
  out.insert(out.end(), entries.begin(), entries.end());
  return out;
}

bool WalkInoEntries(std::span<const std::uint8_t> data, const InoVisitor& visit) {
  const std::uint8_t* base = data.data();
  const std::size_t size = data.size();
  bool inSection = false;
  std::size_t pos = 0;
  while (pos < size) {
    if (size - pos < 2) return false;
    std::size_t length = ReadLe16(base + pos);
    if (length < 2 || (length & 1) != 0 || length > size - pos) return false;
    const char* body = reinterpret_cast<const char*>(base + pos + 2);
    const std::size_t bodyLength = length - 2;

    InoEntry entry{EntryKind::kOther, pos, length, {}, {}};
    if (bodyLength >= 1 && body[0] == '[') {
      const void* nul = std::memchr(body + 1, 0, bodyLength - 1);
      if (nul == nullptr) return false;
      std::size_t nameEnd = static_cast<std::size_t>(static_cast<const char*>(nul) - body);
      // The character before the NUL is the closing bracket; it is not part of the name.
      std::size_t nameLength = nameEnd > 1 ? nameEnd - 2 : 0;
      entry.kind = EntryKind::kSection;
      entry.name = std::string_view(body + 1, nameLength);
      inSection = true;
    } else {
      const void* keyEnd = std::memchr(body, 0, bodyLength);
      const void* valueEnd = nullptr;
      if (keyEnd != nullptr) {
        const char* value = static_cast<const char*>(keyEnd) + 1;
        valueEnd = std::memchr(value, 0, static_cast<std::size_t>(body + bodyLength - value));
      }
      if (valueEnd != nullptr) {
        const char* key = body;
        const char* value = static_cast<const char*>(keyEnd) + 1;
        entry.kind = EntryKind::kKey;
        entry.name = std::string_view(key, static_cast<const char*>(keyEnd) - key);
        entry.value = std::string_view(value, static_cast<const char*>(valueEnd) - value);
      } else if (inSection) {
        return false;  // the game reads every entry of a section as a key entry
      }
    }
    visit(entry);
    pos += length;
  }
  return true;
}

}  // namespace zelph::config
