// A contact sheet of one resource pack: every picture it holds, drawn by the game's own decoders and blits
// over a checkerboard and labelled with its identifier and resource name, so a pack can be reviewed (and a
// modder can find an identifier) without unpacking it.
#pragma once

#include <filesystem>
#include <string>

namespace zelph::preview {

struct SheetOptions {
  int width = 1280;  // of the sheet, in pixels
  int zoom = 1;      // small pictures are magnified this many times (1 to 8)
};

// Writes the sheet of `pack` to `out`. False with a message when the pack cannot be read, holds no picture,
// holds a picture that does not decode (the sheet shows the others), or the sheet cannot be written.
bool WriteContactSheet(const std::filesystem::path& pack, const std::filesystem::path& out,
                       const SheetOptions& options, std::string& error);

}  // namespace zelph::preview
