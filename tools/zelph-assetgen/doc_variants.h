// The GUI documents are written once, for 640 x 480, and each build's text is derived from that source:
// coordinates are halved for 320 x 240, the one place where the two builds hold the same pictures at half
// size. What cannot be derived (the keyboard, whose key tables are not half of each other) is written per
// build with a "vga:" or "qvga:" prefix before the key.
#pragma once

#include <string>
#include <string_view>

namespace zelph::assetgen {

enum class Build { kVga, kQvga };

// The document text of one build. Lines keep their order and comments; on 320 x 240, keys that hold
// coordinates ("rect", "*_rect", "text_center", and the positions and sizes of a page's "N_type" items) have
// every number halved. False with a message naming the line for a prefixed line that is not a key or a
// number that does not fit.
bool DeriveDocument(std::string_view source, Build build, std::string& out, std::string& error);

}  // namespace zelph::assetgen
