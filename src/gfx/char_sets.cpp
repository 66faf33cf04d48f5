#include "gfx/char_sets.h"

namespace zelph::gfx {
namespace {

constexpr char16_t kCyrillicCapitalA = u'А', kCyrillicCapitalIe = u'Е', kCyrillicCapitalYa = u'Я';
constexpr char16_t kCyrillicSmallA = u'а', kCyrillicSmallIe = u'е', kCyrillicSmallYa = u'я';

void AppendRange(std::u16string& out, char16_t first, char16_t last) {
  for (char16_t c = first; c <= last; ++c) out.push_back(c);
}

// А..Я with Ё after Е (or the small letters with ё after е).
void AppendCyrillic(std::u16string& out, bool capitals) {
  const char16_t a = capitals ? kCyrillicCapitalA : kCyrillicSmallA;
  const char16_t ie = capitals ? kCyrillicCapitalIe : kCyrillicSmallIe;
  const char16_t ya = capitals ? kCyrillicCapitalYa : kCyrillicSmallYa;
  AppendRange(out, a, ie);
  out.push_back(capitals ? u'Ё' : u'ё');
  AppendRange(out, static_cast<char16_t>(ie + 1), ya);
}

std::u16string WithGraveForApostrophe(std::u16string s) {
  for (char16_t& c : s) {
    if (c == u'\'') c = u'`';
  }
  return s;
}

}  // namespace

std::u16string CharSetString(std::uint32_t set) {
  std::u16string out;
  if (set == kCharSetEnglishRussian) {
    AppendRange(out, u' ', u'~');
    out = WithGraveForApostrophe(out);
    AppendCyrillic(out, true);
    AppendCyrillic(out, false);
  } else if (set == kCharSetRussian) {
    AppendRange(out, u' ', u'@');
    out = WithGraveForApostrophe(out);
    AppendCyrillic(out, true);
    out += u"[\\]^_`";
    AppendCyrillic(out, false);
    out += u"{|}~";
  } else {
    AppendRange(out, u' ', u'~');
  }
  return out;
}

std::uint32_t CharSetForLanguage(std::string_view tag) {
  if (tag == "@ENRU") return kCharSetEnglishRussian;
  if (tag == "@RU") return kCharSetRussian;
  return kCharSetEnglish;
}

}  // namespace zelph::gfx
