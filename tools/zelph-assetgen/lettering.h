// Lettering painted or carved onto pictures, rendered at the size of each build so that small text stays
// sharp (hinted at its own pixel size rather than shrunk).
#pragma once

#include <map>
#include <memory>
#include <string>

#include "raster.h"
#include "text.h"

namespace zelph::assetgen {

// Faces opened once per run, by file name inside the fonts folder.
class FaceCache {
 public:
  explicit FaceCache(std::string fontsDir) : dir_(std::move(fontsDir)) {}
  FontFace* Get(const std::string& file, std::string& error);
  const std::string& dir() const { return dir_; }

 private:
  std::string dir_;
  std::map<std::string, std::unique_ptr<FontFace>> faces_;
};

enum class LetterStyle { kPainted, kCarved };

struct Lettering {
  std::string face = "DejaVuSerif-Bold.ttf";
  int px = 24;  // size in 640 x 480 pixels
  LetterStyle style = LetterStyle::kPainted;
  Color fill{0xFF, 0xF0, 0xC8};   // top of the letters
  Color fill2{0xF0, 0xC8, 0x78};  // bottom (a gentle gradient)
  Color outline{0x3A, 0x22, 0x10};
  int outlineWidth = 2;  // 640 x 480 pixels; 0 for none
  int shadow = 2;        // drop shadow offset, 0 for none
  int opacity = kOne;
};

// Draws one line of text centred on (cx, cy), given in 640 x 480 coordinates, into `img`, which is drawn at
// 1/`divisor` of that size (1 for VGA, 2 for QVGA). The text shrinks to fit `maxWidth` (also in 640 x 480
// pixels). False with a message when the face cannot be used or the text is not UTF-8.
bool DrawLettering(Image& img, FaceCache& faces, const Lettering& l, const std::string& utf8, int cx, int cy,
                   int maxWidth, int divisor, std::string& error);

}  // namespace zelph::assetgen
