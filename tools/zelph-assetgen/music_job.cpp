#include <fstream>
#include <iterator>

#include "job_support.h"
#include "jobs.h"
#include "song.h"

namespace zelph::assetgen {

bool RunMusicJob(const JobOptions& options, std::string& error) {
  std::vector<Item> items;
  if (!LoadDescription(options.description, items, error)) return false;
  const std::filesystem::path base = std::filesystem::path(options.description).parent_path();
  std::vector<ManifestEntry> manifest;
  std::vector<NamedFile> files;
  for (const Item& item : items) {
    auto fail = [&](const std::string& what) {
      error = "line " + std::to_string(item.line) + " (" + item.name + "): " + what;
      return false;
    };
    if (item.kind != "music") return fail("unknown music kind \"" + item.kind + "\"");
    ItemReader r(item);
    std::string songFile;
    if (!r.Text("song", songFile, "") || !r.Finish()) {
      error = r.error();
      return false;
    }
    std::ifstream in(base / songFile, std::ios::binary);
    if (songFile.empty() || !in) return fail("cannot read the song \"" + songFile + "\"");
    const std::string text((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    ModSong song;
    std::vector<std::uint8_t> bytes;
    if (!ComposeSong(text, song, error) || !WriteMod(song, bytes, error))
      return fail(songFile + ": " + error);
    const std::string file = options.subdir + "/" + item.name + ".mod";
    files.emplace_back(file, std::move(bytes));
    manifest.push_back({item.id, "MOD", item.name, file});
  }
  return WriteForBothBuilds(options.outDir, files, options.manifest, manifest, kMusicIds, error);
}

}  // namespace zelph::assetgen
