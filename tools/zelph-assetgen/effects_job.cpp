#include "job_support.h"
#include "jobs.h"
#include "sfx.h"

namespace zelph::assetgen {

bool RunEffectsJob(const JobOptions& options, std::string& error) {
  std::vector<Item> items;
  if (!LoadDescription(options.description, items, error)) return false;
  std::vector<ManifestEntry> manifest;
  std::vector<NamedFile> files;
  for (const Item& item : items) {
    if (item.kind != "sound") {
      error = "line " + std::to_string(item.line) + ": unknown sound kind \"" + item.kind + "\"";
      return false;
    }
    ItemReader r(item);
    std::string recipe;
    int peak = 0;
    if (!r.Text("recipe", recipe, "") || !r.Int("peak_percent", peak, 70, 10, 95) || !r.Finish()) {
      error = r.error();
      return false;
    }
    if (!IsSoundRecipe(recipe)) {
      error = "line " + std::to_string(item.line) + " (" + item.name + "): unknown recipe \"" + recipe + "\"";
      return false;
    }
    const std::string file = options.subdir + "/" + item.name + ".wav";
    files.emplace_back(file, EncodeWav(MakeSound(recipe, 32767 * peak / 100), kSoundRate));
    manifest.push_back({item.id, "WAV", item.name, file});
  }
  return WriteForBothBuilds(options.outDir, files, options.manifest, manifest, kSoundEffectIds, error);
}

}  // namespace zelph::assetgen
