#include "platform/utf8.h"

namespace zelph::platform {

namespace {
bool IsSurrogate(char32_t c) { return c >= 0xD800 && c <= 0xDFFF; }
}  // namespace

Utf8Char DecodeUtf8At(std::string_view text, std::size_t pos) {
  const auto lead = static_cast<unsigned char>(text[pos]);
  if (lead < 0x80) return {lead, 1};
  std::size_t extra;
  char32_t code;
  char32_t smallest;  // below this the same character has a shorter form
  if (lead >= 0xC2 && lead <= 0xDF) {
    extra = 1, code = lead & 0x1F, smallest = 0x80;
  } else if (lead >= 0xE0 && lead <= 0xEF) {
    extra = 2, code = lead & 0x0F, smallest = 0x800;
  } else if (lead >= 0xF0 && lead <= 0xF4) {
    extra = 3, code = lead & 0x07, smallest = 0x10000;
  } else {
    return {};  // a continuation byte, an overlong two-byte lead (C0, C1), or a lead beyond U+10FFFF
  }
  if (text.size() - pos - 1 < extra) return {};
  for (std::size_t k = 1; k <= extra; ++k) {
    const auto next = static_cast<unsigned char>(text[pos + k]);
    if ((next & 0xC0) != 0x80) return {};
    code = (code << 6) | (next & 0x3F);
  }
  if (code < smallest || code > 0x10FFFF || IsSurrogate(code)) return {};
  return {code, extra + 1};
}

namespace {

// The whole text through `append`, or nullopt at the first malformed character.
template <typename Out, typename Append>
std::optional<Out> DecodeWhole(std::string_view text, Append append) {
  Out out;
  out.reserve(text.size());
  for (std::size_t i = 0; i < text.size();) {
    Utf8Char c = DecodeUtf8At(text, i);
    if (c.length == 0) return std::nullopt;
    append(out, c.code);
    i += c.length;
  }
  return out;
}

}  // namespace

std::optional<std::u32string> DecodeUtf8(std::string_view text) {
  return DecodeWhole<std::u32string>(text, [](std::u32string& out, char32_t c) { out.push_back(c); });
}

std::optional<std::u16string> Utf8ToUtf16(std::string_view text) {
  return DecodeWhole<std::u16string>(text, [](std::u16string& out, char32_t c) { AppendUtf16(out, c); });
}

void AppendUtf8(std::string& out, char32_t c) {
  if (c < 0x80) {
    out.push_back(static_cast<char>(c));
  } else if (c < 0x800) {
    out.push_back(static_cast<char>(0xC0 | (c >> 6)));
    out.push_back(static_cast<char>(0x80 | (c & 0x3F)));
  } else if (c < 0x10000) {
    out.push_back(static_cast<char>(0xE0 | (c >> 12)));
    out.push_back(static_cast<char>(0x80 | ((c >> 6) & 0x3F)));
    out.push_back(static_cast<char>(0x80 | (c & 0x3F)));
  } else {
    out.push_back(static_cast<char>(0xF0 | (c >> 18)));
    out.push_back(static_cast<char>(0x80 | ((c >> 12) & 0x3F)));
    out.push_back(static_cast<char>(0x80 | ((c >> 6) & 0x3F)));
    out.push_back(static_cast<char>(0x80 | (c & 0x3F)));
  }
}

void AppendUtf16(std::u16string& out, char32_t c) {
  if (c < 0x10000) {
    out.push_back(static_cast<char16_t>(c));
  } else {
    c -= 0x10000;
    out.push_back(static_cast<char16_t>(0xD800 + (c >> 10)));
    out.push_back(static_cast<char16_t>(0xDC00 + (c & 0x3FF)));
  }
}

std::string Utf16ToUtf8(std::u16string_view text) {
  std::string out;
  out.reserve(text.size());
  for (std::size_t i = 0; i < text.size(); ++i) {
    char32_t c = text[i];
    if (c >= 0xD800 && c <= 0xDBFF && i + 1 < text.size() && text[i + 1] >= 0xDC00 && text[i + 1] <= 0xDFFF) {
      c = 0x10000 + ((c - 0xD800) << 10) + (text[i + 1] - 0xDC00);
      ++i;
    } else if (IsSurrogate(c)) {
      c = kReplacementCharacter;
    }
    AppendUtf8(out, c);
  }
  return out;
}

}  // namespace zelph::platform
