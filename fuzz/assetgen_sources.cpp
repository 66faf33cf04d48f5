// Feeds arbitrary text to the asset generator's three parsers: the description files, the songs and the GUI
// documents it derives for each build. What a description accepts is read through every typed getter; a
// song that composes must also write; a document is accepted or refused alike for both builds.
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>
#include <vector>

#include "description.h"
#include "doc_variants.h"
#include "mod_writer.h"
#include "song.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  using namespace zelph::assetgen;
  const std::string_view text(reinterpret_cast<const char*>(data), size);
  std::vector<Item> items;
  std::string error;
  if (ParseDescription(text, items, error)) {
    for (const Item& item : items) {
      ItemReader r(item);
      int w = 0, h = 0, n = 0;
      Color c;
      std::string s;
      r.Size("size", w, h);
      r.Int("px", n, 0, -5, 5);
      r.Colour("fill", c, Color{});
      r.Choice("wood", s, "oak", {"oak", "honey"});
      r.Finish();
      if (item.id == 0 || item.name.empty()) std::abort();
    }
  } else if (error.rfind("line ", 0) != 0) {
    std::abort();  // every refusal names its line
  }
  std::string large, small;
  if (DeriveDocument(text, Build::kVga, large, error) != DeriveDocument(text, Build::kQvga, small, error))
    std::abort();  // both builds accept the same sources
  ModSong song;
  if (ComposeSong(text, song, error)) {
    std::vector<std::uint8_t> module;
    if (!WriteMod(song, module, error)) std::abort();  // a composed song is always writable
  }
  return 0;
}
