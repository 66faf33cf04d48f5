#include "key_checks.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cctype>
#include <cstdint>
#include <string>

#include "config/resources.h"
#include "gfx/char_sets.h"
#include "gfx/image_decode.h"
#include "gfx/pixel.h"
#include "gfx/surface.h"
#include "platform/hss_music.h"
#include "platform/hss_sound.h"
#include "platform/xmp/xmp_module.h"
#include "ui/fonts.h"
#include "ui/line_breaking.h"

namespace zelph::content {
namespace {

// More numbered keys than this means a broken count, not a long page.
constexpr int kMaxCounted = 1000;

std::string Replace(std::string name, int number) {
  if (auto at = name.find("%d"); at != std::string::npos) name.replace(at, 2, std::to_string(number));
  return name;
}

std::string WithoutSuffix(const std::string& name, std::string_view suffix) {
  return name.size() > suffix.size() && name.ends_with(suffix) ? name.substr(0, name.size() - suffix.size())
                                                               : "";
}

// Exactly `count` numbers, or none.
std::optional<std::vector<long long>> NumbersOf(const char* raw, std::size_t count) {
  auto values = Numbers(raw);
  if (values && values->size() != count) return std::nullopt;
  return values;
}

void CheckResource(const config::ConfigSection& section, const Key& key, const char* raw) {
  EXPECT_TRUE(std::string_view(raw).starts_with("0x")) << "an identifier is written in hexadecimal: " << raw;
  const std::uint32_t id = section.GetNumber(key.name, 0);
  ASSERT_NE(id, 0u) << raw;
  const auto bytes = config::GlobalPackList().Extract(id);
  ASSERT_TRUE(bytes.has_value()) << "no resource " << raw;
  switch (key.kind) {
    case Kind::kPicture: {
      gfx::Surface surface;
      EXPECT_EQ(gfx::DecodeImage(surface, *bytes, 0), S_OK);
      EXPECT_GT(surface.Width() * surface.Height(), 0);
      break;
    }
    case Kind::kSound: {
      platform::hssSound sound;
      EXPECT_EQ(sound.load(bytes->data(), bytes->size(), true), S_OK);
      break;
    }
    case Kind::kMusic: {
      // As the game reads them.
      platform::InstallModuleReader(platform::ReadXmpModule);
      platform::hssMusic music;
      EXPECT_EQ(music.load(bytes->data(), bytes->size(), true), S_OK);
      break;
    }
    case Kind::kDocument: {
      config::ConfigDocument document;
      EXPECT_GE(document.LoadMemory(*bytes), 0) << "not a configuration document";
      EXPECT_GE(document.FirstSection(), 0) << "a document without sections";
      break;
    }
    default:
      ADD_FAILURE() << "not a resource kind";
  }
}

// The cells of a font strip's marker row: runs of pixels other than the key colour.
int MarkerCells(gfx::Surface& strip) {
  gfx::LockInfo lock;
  if (Failed(strip.Lock(&lock))) return -1;
  const gfx::Pixel key = gfx::ColorToPixel(gfx::kMagenta);
  const gfx::Pixel* row = strip.Row(0);
  int cells = 0;
  for (int x = 0; x < lock.width; ++x) {
    if (row[x] != key && (x == 0 || row[x - 1] == key)) ++cells;
  }
  strip.Unlock();
  return cells;
}

// The game finds each character's glyph by counting cells along the strip, so a strip drawn for another set
// would show wrong letters without any error.
void CheckCharSet(const config::ConfigSection& section, const Key& key, const char* raw) {
  const std::string tag = raw;
  ASSERT_TRUE(tag == "@EN" || tag == "@RU" || tag == "@ENRU") << "not a set the game knows: " << tag;
  const std::string base = WithoutSuffix(key.name, "_chars");
  const auto font = ui::LoadFont(&section, base);
  ASSERT_NE(font, nullptr) << "the font " << base << " does not load";
  EXPECT_EQ(MarkerCells(font->Picture()),
            static_cast<int>(gfx::CharSetString(gfx::CharSetForLanguage(tag)).size()))
      << "the strip's cells against the characters of " << tag;
}

// A page item: a text in a font the page has, at a size it fits, or a picture.
void CheckPageItem(const config::ConfigDocument& document, const config::ConfigSection& section,
                   const Key& key, const char* raw) {
  const auto type = NumbersOf(raw, 8);
  ASSERT_TRUE(type.has_value()) << "eight numbers: " << raw;
  const std::string item = WithoutSuffix(key.name, "type");
  switch ((*type)[0]) {
    case 1: {
      CheckKey(document, section, {item + "value", Kind::kText});
      EXPECT_GT((*type)[4], 0) << "label width";
      EXPECT_GT((*type)[5], 0) << "label height";
      const long long font = (*type)[6];
      EXPECT_TRUE(font >= 0 && font <= section.GetInt("font_count", 0)) << "font number " << font;
      std::u16string text;
      if (font > 0 && section.GetString(item + "value", text)) {
        // The page puts the game's version and build time in place of this mark.
        if (text == u"@V") text = u"Version 1.1 (316)\\nMay  4 2006 11:29:28";
        CheckTextFits(section, "font_" + std::to_string(font), text, static_cast<int>((*type)[4]),
                      static_cast<int>((*type)[5]));
      }
      break;
    }
    case 2:
      CheckKey(document, section, {item + "value", Kind::kPicture});
      if (section.GetRaw(item + "value_a")) CheckKey(document, section, {item + "value_a", Kind::kPicture});
      break;
    default:
      ADD_FAILURE() << "neither a text (1) nor a picture (2): " << raw;
  }
}

bool IsBoolWord(std::string word) {
  std::transform(word.begin(), word.end(), word.begin(), [](unsigned char c) { return std::tolower(c); });
  for (const char* known : {"0", "1", "no", "yes", "off", "on", "false", "true"}) {
    if (word == known) return true;
  }
  return false;
}

}  // namespace

void CheckTextFits(const config::ConfigSection& section, const std::string& fontBase,
                   std::u16string_view text, int width, int height) {
  const auto font = ui::LoadFont(&section, fontBase);
  ASSERT_NE(font, nullptr) << section.Name() << "/" << fontBase;
  const auto lines = ui::BreakLines(text, false, width, nullptr);
  EXPECT_LE(static_cast<int>(lines.size()) * (ui::FontHeight(font.get()) - 2), height)
      << lines.size() << " lines of " << section.Name() << "/" << fontBase;
  for (const auto& line : lines) {
    EXPECT_LE(ui::MeasureText(font.get(), line), width)
        << "a line too wide, in " << section.Name() << "/" << fontBase;
  }
}

std::optional<std::vector<long long>> Numbers(std::string_view text) {
  std::vector<long long> values;
  std::size_t i = 0;
  while (true) {
    while (i < text.size() && (text[i] == ' ' || text[i] == '\t')) ++i;
    if (i == text.size()) break;
    const bool negative = text[i] == '-';
    if (negative) ++i;
    const std::size_t digits = i;
    long long value = 0;
    while (i < text.size() && std::isdigit(static_cast<unsigned char>(text[i])) && i - digits < 10) {
      value = value * 10 + (text[i++] - '0');
    }
    if (i == digits || (i < text.size() && text[i] != ' ' && text[i] != '\t')) return std::nullopt;
    values.push_back(negative ? -value : value);
  }
  if (values.empty()) return std::nullopt;
  return values;
}

void CheckKey(const config::ConfigDocument& document, const config::ConfigSection& section, const Key& key) {
  SCOPED_TRACE(std::string(section.Name()) + "/" + key.name);
  const char* raw = section.GetRaw(key.name);
  if (key.kind == Kind::kAbsent) {
    if (raw) ADD_FAILURE() << "should not be there: " << raw;
    return;
  }
  ASSERT_NE(raw, nullptr) << "missing";
  switch (key.kind) {
    case Kind::kPresent:
    case Kind::kAbsent:
      break;
    case Kind::kPicture:
    case Kind::kSound:
    case Kind::kMusic:
    case Kind::kDocument:
      CheckResource(section, key, raw);
      break;
    case Kind::kSection:
      EXPECT_NE(document.FindSection(raw), nullptr) << "no section " << raw;
      EXPECT_NE(std::string(raw), section.Name()) << "names itself";
      break;
    case Kind::kCharSet:
      CheckCharSet(section, key, raw);
      break;
    case Kind::kText:
      EXPECT_NE(*raw, '\0') << "empty";
      break;
    case Kind::kInt: {
      const auto v = NumbersOf(raw, 1);
      EXPECT_TRUE(v && (*v)[0] >= 0) << "a whole number, not negative: " << raw;
      break;
    }
    case Kind::kVolume: {
      const auto v = NumbersOf(raw, 1);
      EXPECT_TRUE(v && (*v)[0] >= 0 && (*v)[0] <= 64) << "a volume from 0 to 64: " << raw;
      break;
    }
    case Kind::kBool:
      EXPECT_TRUE(IsBoolWord(raw)) << "not a boolean word: " << raw;
      break;
    case Kind::kColor: {
      const auto v = NumbersOf(raw, 3);
      ASSERT_TRUE(v.has_value()) << "red, green, blue: " << raw;
      for (long long c : *v) EXPECT_TRUE(c >= 0 && c <= 255) << raw;
      break;
    }
    case Kind::kPoint:
      EXPECT_TRUE(NumbersOf(raw, 2).has_value()) << "x, y: " << raw;
      break;
    case Kind::kRect: {
      const auto v = NumbersOf(raw, 4);
      ASSERT_TRUE(v.has_value()) << "x, y, width, height: " << raw;
      EXPECT_GE((*v)[2], 0) << raw;
      EXPECT_GE((*v)[3], 0) << raw;
      break;
    }
    case Kind::kAnimation: {
      const auto v = NumbersOf(raw, 4);
      ASSERT_TRUE(v.has_value()) << "first frame, step, delay, once: " << raw;
      EXPECT_GE((*v)[2], 0) << "frame delay: " << raw;
      EXPECT_TRUE((*v)[3] == 0 || (*v)[3] == 1) << "play once: " << raw;
      break;
    }
    case Kind::kPageItem:
      CheckPageItem(document, section, key, raw);
      break;
  }
}

void CheckSection(const config::ConfigDocument& document, const config::ConfigSection& section,
                  const Section& wanted) {
  for (const Key& key : wanted.keys) CheckKey(document, section, key);
  for (const Counted& counted : wanted.counted) {
    const int count = section.GetInt(counted.countKey, 0);
    EXPECT_TRUE(count >= 1 && count <= kMaxCounted)
        << section.Name() << "/" << counted.countKey << " = " << count;
    for (int i = 1; i <= std::min(count, kMaxCounted); ++i) {
      for (const Key& key : counted.keys) CheckKey(document, section, {Replace(key.name, i), key.kind});
    }
  }
}

}  // namespace zelph::content
