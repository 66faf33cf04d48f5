// Pictures of the GUI packs, built from the items of a description file. Each item gives one picture or a
// family of them (a button's four states); every picture is made for both builds: the 640 x 480 one is
// drawn, the 320 x 240 one is its half-size reduction with its lettering drawn again at its own size.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "description.h"
#include "lettering.h"
#include "raster.h"

namespace zelph::assetgen {

// An alpha picture's identifier is its colour picture's plus this offset.
inline constexpr std::uint32_t kAlphaIdOffset = 0x8000;

// Button pictures in identifier order from the item's own identifier: released, pressed, disabled,
// highlighted, and the appearing animation (a strip of kAppearFrames frames). A button reserves 8.
inline constexpr const char* kPlaqueStates[] = {"rel", "pres", "dis", "hi", "app"};
inline constexpr int kAppearFrames = 10;

struct Picture {
  std::uint32_t id = 0;
  std::string name;
  bool hasAlpha = false;  // written with an "_a" companion (never for a picture that covers every pixel)
  int frames = 1;         // an animation strip: the frames side by side
  bool ownLayouts = false;  // each build drawn to its own layout (not the 640 x 480 picture halved)
  Image vga, qvga;
};

// Builds the pictures of one item; false with a message on a bad item.
bool BuildPictures(const Item& item, FaceCache& faces, std::vector<Picture>& out, std::string& error);

}  // namespace zelph::assetgen
