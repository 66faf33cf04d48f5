// Shared steps of the jobs: reading the description, writing pictures and manifests.
#pragma once

#include <filesystem>
#include <string>
#include <vector>

#include "contact_sheet.h"
#include "description.h"
#include "files.h"
#include "id_plan.h"
#include "jobs.h"
#include "lettering.h"
#include "raster.h"

namespace zelph::assetgen {

inline constexpr const char* kVariants[] = {"vga", "qvga"};

bool LoadDescription(const std::string& path, std::vector<Item>& items, std::string& error);

// Writes <dir>/<name>.png and, with an alpha, <dir>/<name>_a.png; adds both to the manifest. A strip of
// several frames is written as <name>.ebm and <name>_a.ebm instead (PNG carries no frame count).
bool WritePicture(const std::filesystem::path& variantDir, const std::string& subdir, std::uint32_t id,
                  std::uint32_t alphaId, const std::string& name, const Encoded& picture, bool hasAlpha,
                  int frames, std::vector<ManifestEntry>& manifest, std::string& error);

// Writes the manifest and marks it as new even when its text did not change, so the build sees the job done.
// Files left in the job's folders by earlier runs (pictures since renamed or removed) are deleted, so the
// folders hold exactly what the manifest lists.
// Files left in the job's folders by earlier runs (pictures since renamed or removed) are deleted, so the
// folders hold exactly what the manifest lists.
bool WriteManifest(const std::filesystem::path& path, const std::vector<ManifestEntry>& entries,
                   std::string& error);

// False when two outputs share an identifier (the description gives families of consecutive identifiers,
// so overlaps are only visible once they are expanded).
bool CheckUniqueIds(const std::vector<ManifestEntry>& entries, std::string& error);
// False when an output lies outside its block of the identifier plan.
bool CheckIdBlock(const std::vector<ManifestEntry>& entries, IdBlock block, std::string& error);

// Files that are the same for both builds (sounds and music): written under each build's folder, with the
// manifest `manifestName`.
using NamedFile = std::pair<std::string, std::vector<std::uint8_t>>;
bool WriteForBothBuilds(const std::string& outDir, const std::vector<NamedFile>& files,
                        const std::string& manifestName, const std::vector<ManifestEntry>& manifest,
                        IdBlock block, std::string& error);

// The contact sheet a job was asked for (nothing when none was).
bool WriteContactSheet(const JobOptions& options, const std::vector<SheetEntry>& entries, FaceCache& faces,
                       std::string& error);

}  // namespace zelph::assetgen
