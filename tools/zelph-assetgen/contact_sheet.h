// A contact sheet: every picture of a run on one page, as the game shows it (5-6-5 colour through the
// alpha blit's 32 weights) over a checkerboard, each labelled with its identifier and name.
#pragma once

#include <string>
#include <vector>

#include "lettering.h"
#include "raster.h"

namespace zelph::assetgen {

struct SheetEntry {
  std::string label;
  Encoded picture;
  bool hasAlpha = false;
};

// False with a message when the label font cannot be used.
// Pictures are magnified `zoom` times (nearest pixel) so that details can be checked.
bool RenderContactSheet(const std::vector<SheetEntry>& entries, int width, int zoom, FaceCache& faces,
                        Image& sheet, std::string& error);

}  // namespace zelph::assetgen
