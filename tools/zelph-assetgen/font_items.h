// Font items of a description file ("font" kind) and the strips they give for each build.
#pragma once

#include <string>

#include "description.h"
#include "fonts.h"
#include "lettering.h"

namespace zelph::assetgen {

struct FontItem {
  std::string face;
  int px[2] = {0, 0};  // pixel size for the 640 x 480 and the 320 x 240 build
  CharSet set = CharSet::kEn;
  FontLook look;  // outline and shadow as for 640 x 480; halved for 320 x 240
};

bool ReadFontItem(const Item& item, FontItem& font, std::string& error);
// The strip of one build (0: 640 x 480, 1: 320 x 240).
bool BuildFontItem(const FontItem& font, int build, FaceCache& faces, FontStrip& strip, std::string& error);

}  // namespace zelph::assetgen
