#include "screens/top_bar.h"

#include <string>

#include "config/resources.h"
#include "gfx/blit.h"
#include "gfx/gfx_result.h"
#include "ui/fonts.h"
#include "ui/pictures.h"

namespace zelph::screens {

namespace {

std::u16string Wide(const std::string& s) { return std::u16string(s.begin(), s.end()); }

ui::Control* RootOf(ui::Control* c) {
  while (c && c->Parent()) c = c->Parent();
  return c;
}

}  // namespace

bool GuiPackLoaded() { return config::GuiDocument().FirstSection() >= 0; }

Result TopBar::CreateBar(std::uint32_t id, const ui::Rect* rect, ui::Control* parent, std::uint32_t flags) {
  if (!GuiPackLoaded()) return gfx::GFX_E_NO_RESOURCE;
  const config::ConfigSection* section = ui::GuiSection("game_menu_top");
  if (!section) return gfx::GFX_E_BAD_IMAGE;
  const ui::Rect at = rect ? *rect : ui::ReadRect(*section, "rect");
  if (Result r = Control::Create(id, at, parent, flags); Failed(r)) return r;
  const std::uint32_t imageId = section->GetNumber("back_img", 0);
  if (Failed(ui::LoadPicture(image_, ui::PackFor(imageId), imageId))) return gfx::GFX_E_GENERIC;
  if (const config::ConfigSection* button = ui::GuiSection("game_menu_menu_btn")) {
    menu_.CreateFromSection(kMenuButtonId, nullptr, this, 0, button);
  }
  scoreFont_ = ui::LoadFont(section, "score_font");
  livesFont_ = ui::LoadFont(section, "lifes_font");
  std::uint32_t scoreColour = 0, livesColour = 0;
  section->GetColor("score_color", scoreColour);
  section->GetColor("lifes_color", livesColour);
  score_.CreateWithFont(kScoreLabelId, ui::ReadRect(*section, "score_rect"), this, ui::kTransparent, scoreFont_.get(),
                        u"0", ui::kTextLeft, scoreColour);
  lives_.CreateWithFont(kLivesLabelId, ui::ReadRect(*section, "lifes_rect"), this, ui::kTransparent,
                        livesFont_.get(), u"0", ui::kTextCentered, livesColour);
  return S_OK;
}

Result TopBar::Draw(gfx::Surface& target, int originX, int originY, const ui::Rect&) {
  if (gfx::Surface* frame = image_.FrameSurface(-1)) {
    gfx::Blt(target, originX + rect.left, originY + rect.top, frame, nullptr, gfx::kBltPlain);
  }
  world_.DrawLaserEmitter(target, originX, originY);
  return S_OK;
}

Result TopBar::Tick(std::uint32_t) {
  // Labels are rewritten only when their number changes: setting a text lays it out anew.
  if (world_.score != shownScore) {
    shownScore = world_.score;
    score_.SetText(Wide(std::to_string(shownScore)));
  }
  if (world_.lives != shownLives) {
    shownLives = world_.lives;
    lives_.SetText(Wide("x" + std::to_string(shownLives)));
  }
  return S_OK;
}

Result TopBar::Notify(std::uint32_t code, std::intptr_t argument, std::uint32_t senderId) {
  Control::Notify(code, argument, senderId);
  if (code != ui::kNotifyClicked) return ui::kPassOn;
  if (senderId == kMenuButtonId && commandTarget) {
    ui::Send(commandTarget, kMenuButtonId, ui::ArgOf(this), id);
  } else if (senderId == kQuitButtonId) {
    if (ui::Control* root = RootOf(this)) root->request = ui::kRequestQuit;
  }
  return ui::kConsumed;
}

}  // namespace zelph::screens
