#include "screens/next_level_window.h"

#include <string>

#include "gfx/blit.h"
#include "gfx/gfx_result.h"
#include "ui/fonts.h"
#include "ui/pictures.h"
#include "ui/present.h"

namespace zelph::screens {

Result NextLevelWindow::Load(gfx::Surface* target) {
  const config::ConfigSection* section = ui::GuiSection("next_level_wnd");
  if (!section) return gfx::GFX_E_GENERIC;
  target_ = target;
  const gfx::Rect at = ui::ReadRect(*section, "rect");
  origin_ = {at.left, at.top};
  const std::uint32_t id = section->GetNumber("img", 0);
  ui::LoadPicture(picture_, ui::PackFor(id), id);
  textCentre_ = {};
  section->GetPoint("text_center", textCentre_);
  font_ = ui::LoadFont(section, "text_font");
  textColour_ = 0;
  section->GetColor("text_color", textColour_);
  return S_OK;
}

Result NextLevelWindow::ShowLevelNumber(std::int32_t number, std::uint32_t bltFlags) {
  if (!target_) return E_INVALIDARG;
  const std::uint32_t half = 128;
  gfx::FillRect(*target_, nullptr, dimColour_, gfx::kDrawOpacity, &half);
  const gfx::Rect saved = target_->ClipRect();
  target_->SetClipRect(nullptr);
  if (gfx::Surface* board = picture_.FrameSurface(-1)) {
    gfx::Blt(*target_, origin_.x, origin_.y, board, nullptr, bltFlags);
  }
  const std::string digits = std::to_string(number);
  ui::TextPen pen;
  pen.Set(ui::FontOrDefault(font_.get()), textColour_);
  pen.Draw(*target_, textCentre_.x, textCentre_.y, std::u16string(digits.begin(), digits.end()), gfx::kAlignCenter);
  target_->SetClipRect(&saved);
  ui::PresentNow();
  return S_OK;
}

}  // namespace zelph::screens
