// Feeds arbitrary bytes to the configuration loader, plain and scrambled, reads every key of every section
// with every getter, and checks that whatever loads survives copying, saving and the text form.
#include <cstdint>
#include <cstdlib>
#include <string>
#include <vector>

#include "config/config_document.h"
#include "config/ino_text.h"

namespace {

using namespace zelph::config;

void ReadEverything(const ConfigDocument& doc) {
  for (int i = doc.FirstSection(); i >= 0; i = doc.NextSection(i)) {
    const ConfigSection* s = doc.SectionAt(i);
    for (std::string_view key : s->Keys()) {
      if (!s->GetRaw(key)) std::abort();  // every listed key is found
      Rect r;
      Point p;
      std::uint32_t c;
      std::array<std::int32_t, 8> eight;
      std::vector<std::int32_t> ints;
      std::vector<Point> points;
      std::u16string text;
      s->GetInt(key, 0), s->GetNumber(key, 0), s->GetDouble(key, 0), s->GetBool(key, false);
      s->GetRect(key, r), s->GetPoint(key, p), s->GetColor(key, c), s->GetEightInts(key, eight);
      s->GetIntList(key, ints), s->GetPointList(key, points), s->GetString(key, text);
    }
  }
}

void Exercise(const std::uint8_t* data, std::size_t size, bool scrambled) {
  ConfigDocument doc;
  doc.SetScrambled(scrambled);
  int source = doc.LoadMemory(std::vector<std::uint8_t>(data, data + size));
  if (source < 0) {
    if (doc.SourceCount() != 0 || doc.SectionCount() != 0) std::abort();  // a failed load adds nothing
    return;
  }
  ReadEverything(doc);

  // A writable copy saves to an image that loads back with the same sections and entries.
  ConfigDocument copy;
  int copied = copy.CopyFrom(doc);
  if (copied < 0) std::abort();
  ConfigDocument back;
  if (back.LoadMemory(copy.Serialize(copied, {})) < 0 || back.SectionCount() != doc.SectionCount()) std::abort();
  for (int i = 0; i < doc.SectionCount(); ++i) {
    auto a = doc.SectionAt(i)->Entries(), b = back.SectionAt(i)->Entries();
    if (!std::equal(a.begin(), a.end(), b.begin(), b.end())) std::abort();
  }
  ConfigSection* first = copy.SectionAt(0);
  if (first) {
    first->SetInt("fuzz", 1);
    first->RemoveKey("fuzz");
  }

  // The text form, when it can hold the document, compiles to a document with the same text.
  if (!scrambled) {
    std::string text, again, error;
    if (DecompileIno(std::span(data, size), text, error)) {
      std::vector<std::uint8_t> image;
      if (!CompileInoText(text, image, error) || !DecompileIno(image, again, error) || again != text) std::abort();
    }
  }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  Exercise(data, size, false);
  Exercise(data, size, true);
  return 0;
}
