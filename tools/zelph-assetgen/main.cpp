// zelph-assetgen: draws the game's pictures, rasterises its fonts, synthesises its sounds and composes its
// music from the description files in assets/. The same sources give the same bytes on every run.
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <string>

#include "jobs.h"

namespace {

constexpr int kOk = 0;
constexpr int kFailed = 1;
constexpr int kUsage = 2;

constexpr char kHelp[] =
    R"(Usage: zelph-assetgen JOB DESCRIPTION OUTDIR [options]

Jobs:
  pictures   GUI pictures (boards, ropes, buttons, backgrounds) as PNG with "_a" alpha pictures
  game-pictures  the same kinds for the game pack (levels' pictures, the pieces on the field)
  fonts      glyph strips with a marker row and their "_a" alpha pictures
  effects    sound effects as 16-bit mono 22050 Hz WAV
  music      tracker modules (4-channel MOD) with their own synthesised instruments
  docs       a GUI document's text for each build: OUTDIR/<build>/docs/<name>.txt, coordinates
             halved for 320 x 240, "vga:" and "qvga:" lines kept in their own build only
  icons      the desktop icon: DESCRIPTION is a list of sizes (48,128,256), written as
             OUTDIR/orv-zelph-<size>.png (RGBA), no manifest

Every job writes OUTDIR/vga/... and OUTDIR/qvga/... and a manifest per build,
OUTDIR/<build>/<pack>-<description name>.manifest (identifier, name, type, file, as zelph-pack
reads them), where the pack is
"gui" for pictures and fonts, "game" for game-pictures and "sound" for effects and music.

Options:
  --fonts DIR            folder of the DejaVu fonts (default /usr/share/fonts/truetype/dejavu)
  --contact-sheet FILE   also write a PNG showing every picture the job made, labelled
  --sheet-build B        vga (default) or qvga: which build's pictures the sheet shows
  --sheet-zoom N         magnify the pictures on the sheet N times (1 to 8)
  --sheet-filter TEXT    show only pictures whose name contains TEXT
Exit status: 0 success, 1 bad description or a file that cannot be read or written, 2 wrong usage.
)";

}  // namespace

int main(int argc, char** argv) {
  using namespace zelph::assetgen;
  if (argc >= 2 && (std::strcmp(argv[1], "--help") == 0 || std::strcmp(argv[1], "-h") == 0)) {
    std::fputs(kHelp, stdout);
    return kOk;
  }
  if (argc < 4) {
    std::fputs(kHelp, stderr);
    return kUsage;
  }
  const std::string job = argv[1];
  JobOptions options;
  options.description = argv[2];
  options.outDir = argv[3];
  options.fontsDir = "/usr/share/fonts/truetype/dejavu";
  for (int i = 4; i < argc; ++i) {
    const std::string arg = argv[i];
    const char* value = i + 1 < argc ? argv[i + 1] : nullptr;
    if ((arg == "--fonts" || arg == "--contact-sheet" || arg == "--sheet-filter") && value) {
      (arg == "--fonts"           ? options.fontsDir
       : arg == "--contact-sheet" ? options.contactSheet
                                  : options.sheetFilter) = value;
      ++i;
    } else if (arg == "--sheet-build" && value &&
               (std::strcmp(value, "vga") == 0 || std::strcmp(value, "qvga") == 0)) {
      options.sheetBuild = std::strcmp(value, "qvga") == 0 ? 1 : 0;
      ++i;
    } else if (arg == "--sheet-zoom" && value && value[0] >= '1' && value[0] <= '8' && value[1] == 0) {
      options.sheetZoom = value[0] - '0';
      ++i;
    } else {
      std::fprintf(stderr, "zelph-assetgen: unknown option %s\n", arg.c_str());
      return kUsage;
    }
  }
  options.gamePack = job == "game-pictures";
  bool (*run)(const JobOptions&, std::string&) = job == "pictures" || options.gamePack ? RunPicturesJob
                                                 : job == "fonts"   ? RunFontsJob
                                                 : job == "effects" ? RunEffectsJob
                                                 : job == "music"   ? RunMusicJob
                                                 : job == "docs"    ? RunDocsJob
                                                 : job == "icons"   ? RunIconsJob
                                                                    : nullptr;
  if (!run) {
    std::fprintf(stderr, "zelph-assetgen: unknown job %s\n", job.c_str());
    return kUsage;
  }
  const std::string pack = options.gamePack                        ? "game"
                           : job == "pictures" || job == "fonts" ? "gui"
                                                                 : "sound";
  const std::string stem = std::filesystem::path(options.description).stem().string();
  options.manifest = pack + "-" + stem + ".manifest";
  options.subdir = pack + "/" + stem;
  std::string error;
  if (!run(options, error)) {
    std::fprintf(stderr, "zelph-assetgen %s: %s\n", job.c_str(), error.c_str());
    return kFailed;
  }
  return kOk;
}
