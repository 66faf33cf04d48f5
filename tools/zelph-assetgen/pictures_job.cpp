#include <cstdio>

#include "contact_sheet.h"
#include "files.h"
#include "job_support.h"
#include "jobs.h"
#include "pictures.h"

namespace zelph::assetgen {

bool RunPicturesJob(const JobOptions& options, std::string& error) {
  std::vector<Item> items;
  if (!LoadDescription(options.description, items, error)) return false;
  FaceCache faces(options.fontsDir);
  std::vector<Picture> pictures;
  for (const Item& item : items)
    if (!BuildPictures(item, faces, pictures, error)) return false;

  std::vector<SheetEntry> sheet;
  for (int v = 0; v < 2; ++v) {
    const std::filesystem::path dir = std::filesystem::path(options.outDir) / kVariants[v];
    std::vector<ManifestEntry> manifest;
    for (const Picture& p : pictures) {
      const Encoded e = Encode(v == 0 ? p.vga : p.qvga);
      if (!WritePicture(dir, options.subdir, p.id, p.id + kAlphaIdOffset, p.name, e, p.hasAlpha, p.frames,
                        manifest, error))
        return false;
      if (v == options.sheetBuild && !options.contactSheet.empty() &&
          p.name.find(options.sheetFilter) != std::string::npos) {
        char label[96];
        std::snprintf(label, sizeof label, "0x%08X %s", p.id, p.name.c_str());
        sheet.push_back({label, e, p.hasAlpha});
      }
    }
    if (!CheckUniqueIds(manifest, error) || !CheckIdBlock(manifest, options.gamePack ? kGamePictureIds : kGuiPictureIds, error) ||
        !WriteManifest(dir / options.manifest, manifest, error))
      return false;
  }
  return WriteContactSheet(options, sheet, faces, error);
}

}  // namespace zelph::assetgen
