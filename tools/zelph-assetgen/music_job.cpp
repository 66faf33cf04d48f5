
#include "job_support.h"
#include "jobs.h"
#include "platform/file_io.h"
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
    const auto song = songFile.empty() ? std::nullopt : platform::ReadWholeFile(base / songFile);
    if (!song) return fail("cannot read the song \"" + songFile + "\"");
    const std::string_view text(reinterpret_cast<const char*>(song->data()), song->size());
    ModSong composed;
    std::vector<std::uint8_t> bytes;
    if (!ComposeSong(text, composed, error) || !WriteMod(composed, bytes, error))
      return fail(songFile + ": " + error);
    const std::string file = options.subdir + "/" + item.name + ".mod";
    files.emplace_back(file, std::move(bytes));
    manifest.push_back({item.id, "MOD", item.name, file});
  }
  return WriteForBothBuilds(options.outDir, files, options.manifest, manifest, kMusicIds, error);
}

}  // namespace zelph::assetgen
