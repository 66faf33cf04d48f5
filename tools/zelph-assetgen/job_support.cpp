#include "job_support.h"

#include <cstdio>
#include <fstream>
#include <iterator>
#include <map>

namespace zelph::assetgen {

bool LoadDescription(const std::string& path, std::vector<Item>& items, std::string& error) {
  std::ifstream in(path, std::ios::binary);
  if (!in) {
    error = "cannot read " + path;
    return false;
  }
  const std::string text((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
  if (!ParseDescription(text, items, error)) {
    error = path + ": " + error;
    return false;
  }
  return true;
}

bool WritePicture(const std::filesystem::path& variantDir, const std::string& subdir, std::uint32_t id,
                  std::uint32_t alphaId, const std::string& name, const Encoded& picture, bool hasAlpha,
                  std::vector<ManifestEntry>& manifest, std::string& error) {
  const std::string file = subdir + "/" + name + ".png";
  if (!WriteIfChanged(variantDir / file, EncodePngRgb(picture.w, picture.h, picture.rgb), error))
    return false;
  manifest.push_back({id, "PNG", name, file});
  if (!hasAlpha) return true;
  const std::string alphaFile = subdir + "/" + name + "_a.png";
  if (!WriteIfChanged(variantDir / alphaFile, EncodePngGrey(picture.w, picture.h, picture.alpha), error))
    return false;
  manifest.push_back({alphaId, "PNG", name + "_a", alphaFile});
  return true;
}

bool WriteManifest(const std::filesystem::path& path, const std::vector<ManifestEntry>& entries,
                   std::string& error) {
  if (!WriteIfChanged(path, ManifestText(entries), error)) return false;
  std::error_code ec;
  std::filesystem::last_write_time(path, std::filesystem::file_time_type::clock::now(), ec);
  if (ec) {
    error = "cannot touch " + path.string();
    return false;
  }
  return true;
}

bool CheckUniqueIds(const std::vector<ManifestEntry>& entries, std::string& error) {
  std::map<std::uint32_t, const ManifestEntry*> seen;
  for (const ManifestEntry& e : entries) {
    auto [it, fresh] = seen.emplace(e.id, &e);
    if (!fresh) {
      char id[16];
      std::snprintf(id, sizeof id, "0x%08X", e.id);
      error = "identifier " + std::string(id) + " is used by both " + it->second->name + " and " + e.name;
      return false;
    }
  }
  return true;
}

bool WriteForBothBuilds(const std::string& outDir, const std::vector<NamedFile>& files,
                        const std::string& manifestName, const std::vector<ManifestEntry>& manifest,
                        std::string& error) {
  if (!CheckUniqueIds(manifest, error)) return false;
  for (const char* variant : kVariants) {
    const std::filesystem::path dir = std::filesystem::path(outDir) / variant;
    for (const auto& [file, bytes] : files)
      if (!WriteIfChanged(dir / file, bytes, error)) return false;
    if (!WriteManifest(dir / manifestName, manifest, error)) return false;
  }
  return true;
}

bool WriteContactSheet(const JobOptions& options, const std::vector<SheetEntry>& entries, FaceCache& faces,
                       std::string& error) {
  if (options.contactSheet.empty()) return true;
  Image page;
  if (!RenderContactSheet(entries, 1400, options.sheetZoom, faces, page, error)) return false;
  const Encoded e = Encode(page);
  return WriteIfChanged(options.contactSheet, EncodePngRgb(e.w, e.h, e.rgb), error);
}

}  // namespace zelph::assetgen
