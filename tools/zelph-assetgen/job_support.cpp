#include "job_support.h"

#include <cstdio>
#include <map>
#include <set>

#include "platform/file_io.h"

namespace zelph::assetgen {

bool LoadDescription(const std::string& path, std::vector<Item>& items, std::string& error) {
  const auto bytes = platform::ReadWholeFile(path);
  if (!bytes) {
    error = "cannot read " + path;
    return false;
  }
  if (!ParseDescription(std::string_view(reinterpret_cast<const char*>(bytes->data()), bytes->size()), items,
                        error)) {
    error = path + ": " + error;
    return false;
  }
  return true;
}

bool WritePicture(const std::filesystem::path& variantDir, const std::string& subdir, std::uint32_t id,
                  std::uint32_t alphaId, const std::string& name, const Encoded& picture, bool hasAlpha,
                  int frames, std::vector<ManifestEntry>& manifest, std::string& error) {
  const bool strip = frames > 1;
  const std::string type = strip ? "EBM" : "PNG";
  const std::string ext = strip ? ".ebm" : ".png";
  const std::string file = subdir + "/" + name + ext;
  if (!WriteIfChanged(variantDir / file,
                      strip ? EncodeEbm565(picture, frames) : EncodePngRgb(picture.w, picture.h, picture.rgb),
                      error))
    return false;
  manifest.push_back({id, type, name, file});
  if (!hasAlpha) return true;
  const std::string alphaFile = subdir + "/" + name + "_a" + ext;
  if (!WriteIfChanged(
          variantDir / alphaFile,
          strip ? EncodeEbm8ga(picture, frames) : EncodePngGrey(picture.w, picture.h, picture.alpha), error))
    return false;
  manifest.push_back({alphaId, type, name + "_a", alphaFile});
  return true;
}

bool WriteManifest(const std::filesystem::path& path, const std::vector<ManifestEntry>& entries,
                   std::string& error) {
  if (!WriteIfChanged(path, ManifestText(entries), error)) return false;
  std::set<std::filesystem::path> listed, folders;
  for (const ManifestEntry& e : entries) {
    listed.insert(path.parent_path() / e.file);
    folders.insert((path.parent_path() / e.file).parent_path());
  }
  std::vector<std::filesystem::path> stale;
  std::error_code ignored;
  for (const std::filesystem::path& folder : folders)
    for (const auto& file : std::filesystem::directory_iterator(folder, ignored))
      if (file.is_regular_file() && !listed.count(file.path())) stale.push_back(file.path());
  for (const std::filesystem::path& file : stale) std::filesystem::remove(file, ignored);
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

bool CheckIdBlock(const std::vector<ManifestEntry>& entries, IdBlock block, std::string& error) {
  for (const ManifestEntry& e : entries)
    if (e.id < block.first || e.id > block.last) {
      char text[96];
      std::snprintf(text, sizeof text, "identifier 0x%08X of %s is outside 0x%08X..0x%08X", e.id,
                    e.name.c_str(), block.first, block.last);
      error = text;
      return false;
    }
  return true;
}

bool WriteForBothBuilds(const std::string& outDir, const std::vector<NamedFile>& files,
                        const std::string& manifestName, const std::vector<ManifestEntry>& manifest,
                        IdBlock block, std::string& error) {
  if (!CheckUniqueIds(manifest, error) || !CheckIdBlock(manifest, block, error)) return false;
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
