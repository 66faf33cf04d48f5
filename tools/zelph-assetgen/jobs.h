// The generator's jobs. Each reads one description file and writes its outputs for both builds under
// <out>/vga and <out>/qvga, with a manifest per build listing what it wrote: <pack>-<description>.manifest,
// where the pack is "gui" for pictures and fonts and "sound" for effects and music.
#pragma once

#include <string>

namespace zelph::assetgen {

struct JobOptions {
  std::string description;   // the description file
  std::string outDir;        // the data folder of the build
  std::string manifest;      // file name of the manifest in each build's folder
  std::string subdir;        // the job's own folder in each build's folder: <pack>/<description>
  std::string fontsDir;      // where the DejaVu faces are
  std::string contactSheet;  // when set, also write a contact sheet of the outputs here
  int sheetBuild = 0;        // 0: the 640 x 480 outputs on the sheet, 1: the 320 x 240 ones
  int sheetZoom = 1;         // each picture pixel as zoom x zoom sheet pixels
  std::string sheetFilter;   // only outputs whose name contains this
  bool gamePack = false;     // pictures for the game pack (its own identifier block) instead of the GUI's
};

// Each returns false with a message in `error`.
bool RunPicturesJob(const JobOptions& options, std::string& error);
bool RunFontsJob(const JobOptions& options, std::string& error);
bool RunEffectsJob(const JobOptions& options, std::string& error);
bool RunMusicJob(const JobOptions& options, std::string& error);
// Writes each build's text of a GUI document (no manifest: the documents are listed by the build).
bool RunDocsJob(const JobOptions& options, std::string& error);
// The desktop icon at each size of the comma-separated list in `description`: <out>/orv-zelph-<size>.png.
bool RunIconsJob(const JobOptions& options, std::string& error);

}  // namespace zelph::assetgen
