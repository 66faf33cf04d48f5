// The on-screen keyboard's picture: a wooden tray of key caps laid out by the game's key tables, one frame
// per layout (lower case, upper case). The two builds have their own key widths (the small screen's keys are
// not half as wide), so each build's picture is drawn to its own table rather than reduced.
#pragma once

#include <string>
#include <vector>

#include "description.h"
#include "lettering.h"
#include "pictures.h"

namespace zelph::assetgen {

struct KeyCap {
  int width;              // pixels of the build
  const char* lower;      // label in the lower-case layout (UTF-8)
  const char* upper;      // label in the upper-case layout
};

// The five rows of one build's key table, left to right (the widths the game hit-tests with).
const std::vector<std::vector<KeyCap>>& KeyRows(bool vga);

// Builds the keyboard item: keys size and qvga_size (the keyboard's rectangle), left, top, pitch and
// row_height, each with a qvga_ twin (where the rows lie inside it). False with a message on a bad item.
bool KeyboardItem(const Item& item, FaceCache& faces, std::vector<Picture>& out, std::string& error);

}  // namespace zelph::assetgen
