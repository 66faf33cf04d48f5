// The toolkit's rig with the sections the screens read: small solid pictures for every image and button,
// bar pictures 100 pixels wide, and a question box.
#pragma once

#include <string>

#include "gfx/char_sets.h"
#include "ui/support/ui_rig.h"

namespace zelph::screens::test {

using ui::test::Solid;

inline constexpr std::uint32_t kBack = 0x300, kApp = 0x301, kRel = 0x302, kPres = 0x303, kBar = 0x304,
                               kBarBack = 0x305, kBoxPicture = 0x306, kOkPicture = 0x307, kCancelPicture = 0x308,
                               kIntro = 0x309, kFont = 0x30A, kFontAlpha = 0x30B, kPicture = 0x30C;
inline constexpr gfx::Color kBarColour = 0x00FF00;
inline constexpr gfx::Color kBarBackColour = 0x0000FF;

class ScreenRig : public ui::test::UiRig {
 protected:
  void SetUp() override {
    UiRig::SetUp();
    Add(kBack, Solid(640, 480, {0x202020}));
    Add(kApp, Solid(40, 20, {0x808080, 0x909090}));
    Add(kRel, Solid(40, 20, {0xA0A0A0}));
    Add(kPres, Solid(40, 20, {0xB0B0B0}));
    Add(kBar, Solid(100, 20, {kBarColour}));
    Add(kBarBack, Solid(100, 20, {kBarBackColour}));
    Add(kBoxPicture, Solid(200, 100, {0x806040}));
    Add(kOkPicture, Solid(60, 20, {0x00FF00}));
    Add(kCancelPicture, Solid(60, 20, {0x0000FF}));
    Add(kIntro, Solid(100, 100, {0x123456}));
    Add(kPicture, Solid(50, 40, {0x654321}));
    AddReadableFont(kFont, kFontAlpha);
  }

  // A button section at (x, y) with an appear animation of two frames.
  static std::string ButtonSection(const std::string& name, int x, int y) {
    return "[" + name + "]\nrect=" + std::to_string(x) + " " + std::to_string(y) +
           " 0 0\napp_ID=0x301\nrel_ID=0x302\npres_ID=0x303\nanimpar=0 1 0 1\n";
  }

  static std::string Buttons(std::initializer_list<const char*> names) {
    std::string text;
    int y = 20;
    for (const char* name : names) {
      text += ButtonSection(name, 20, y);
      y += 30;
    }
    return text;
  }

  static std::string Window(const std::string& name, const std::string& extra = "") {
    return "[" + name + "]\nButtonsShowDelayTicks=2\nBetweenButtonsTicks=2\n" + extra;
  }

  static std::string QuestionBox() {
    return "[message_box_qerry]\nimage=0x306\nok_bnt=box_ok\ncancel_bnt=box_cancel\n"
           "[box_ok]\nrel_ID=0x307\n[box_cancel]\nrel_ID=0x308\n";
  }
};

}  // namespace zelph::screens::test
