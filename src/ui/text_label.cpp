#include "ui/text_label.h"

#include "gfx/blit.h"
#include "ui/line_breaking.h"

namespace zelph::ui {

Result TextLabel::CreateWithFontResource(std::uint32_t newId, const Rect& newRect, Control* newParent,
                                         std::uint32_t newFlags, std::uint32_t fontImageId,
                                         std::u16string_view newText, std::uint32_t newAlignment,
                                         std::uint32_t newColor) {
  ownedFont_ = LoadFontResource(fontImageId);
  if (!ownedFont_) return E_OUTOFMEMORY;
  font = ownedFont_.get();
  ownsFont = true;
  return Build(newId, newRect, newParent, newFlags, newText, newAlignment, newColor);
}

Result TextLabel::CreateWithFont(std::uint32_t newId, const Rect& newRect, Control* newParent,
                                 std::uint32_t newFlags, gfx::BitmapFont* newFont, std::u16string_view newText,
                                 std::uint32_t newAlignment, std::uint32_t newColor) {
  font = newFont;
  return Build(newId, newRect, newParent, newFlags, newText, newAlignment, newColor);
}

Result TextLabel::CreateWithText(std::uint32_t newId, const Rect& newRect, Control* newParent,
                                 std::uint32_t newFlags, std::u16string_view newText, std::uint32_t newAlignment,
                                 std::uint32_t newColor) {
  return Build(newId, newRect, newParent, newFlags, newText, newAlignment, newColor);
}

Result TextLabel::Build(std::uint32_t newId, const Rect& newRect, Control* newParent, std::uint32_t newFlags,
                        std::u16string_view newText, std::uint32_t newAlignment, std::uint32_t newColor) {
  // Text never takes the stylus.
  Control::Create(newId, newRect, newParent, newFlags | kInputDisabled);
  alignment = newAlignment;
  color = newColor;
  text = newText;
  Relayout();
  return S_OK;
}

void TextLabel::SetText(std::u16string_view newText) {
  text = newText;
  Relayout();
}

void TextLabel::SetFont(gfx::BitmapFont* newFont, bool redraw) {
  if (newFont != ownedFont_.get()) {
    ownedFont_.reset();
    ownsFont = false;
  }
  font = newFont;
  if (redraw) Relayout();
}

int TextLabel::TextHeight() const { return LineCount() * (FontHeight(FontOrDefault(font)) - 2); }

void TextLabel::Relayout() {
  gfx::BitmapFont* drawn = FontOrDefault(font);
  TextMeasure measure;
  if (drawn) measure = [drawn](std::u16string_view part) { return MeasureText(drawn, part); };
  lines = BreakLines(text, (flags & kLabelWordWrap) != 0, Width(), measure);
  if (flags & kLabelFitHeight) rect.bottom = rect.top + TextHeight();
  pen_.Set(drawn, color);
  Render();
}

bool TextLabel::LineAnchor(int* x, std::uint32_t* drawAlign) const {
  switch (alignment) {
    case kTextLeft:
      *x = 0;
      *drawAlign = gfx::kAlignLeft;
      return true;
    case kTextRight:
      *x = Width();
      *drawAlign = gfx::kAlignRight;
      return true;
    case kTextCentered:
      *x = Width() / 2;
      *drawAlign = gfx::kAlignCenter;
      return true;
    default:
      return false;
  }
}

void TextLabel::DrawLines(gfx::Surface& dest, int x, int y) const {
  int anchor = 0;
  std::uint32_t drawAlign = 0;
  if (!pen_.Font() || !LineAnchor(&anchor, &drawAlign)) return;
  const int step = FontHeight(pen_.Font()) - 2;
  for (std::size_t i = 0; i < lines.size(); ++i) {
    pen_.Draw(dest, x + anchor, y + static_cast<int>(i) * step, lines[i], drawAlign);
  }
}

void TextLabel::Render() {
  cached = pen_.Font() && !SoftFont(pen_.Font());
  // A label no screen could show (a corrupt rectangle) gets no cache rather than a huge one.
  if (!cached || Width() <= 0 || Height() <= 0 || Width() > kMaxLabelSide || Height() > kMaxLabelSide) {
    cache_.CreateSurface(0, 0, 0);
    return;
  }
  // Glyphs that run over the label's edge are cut, not refused.
  if (Failed(cache_.CreateSurface(gfx::kCreateNoBoundsCheck, Width(), Height()))) return;
  cache_.SetColorKey(kColorKey);
  gfx::FillRect(cache_, nullptr, kColorKey);
  DrawLines(cache_, 0, 0);
}

Result TextLabel::Draw(gfx::Surface& target, int originX, int originY, const Rect&) {
  if (!visible || visibleRect.IsEmpty()) return S_OK;
  if (cached) {
    if (!cache_.HasPixels()) return S_OK;
    const Rect part = gfx::Intersect(visibleRect, cache_.Bounds());
    if (part.IsEmpty()) return S_OK;
    gfx::BltFx fx;
    fx.opacity = opacity;
    gfx::Blt(target, DrawX(originX), DrawY(originY), &cache_, &part, PictureBltFlags(), &fx);
    return S_OK;
  }
  const int x = originX + rect.left;
  const int y = originY + rect.top;
  ClipScope scope(target, Rect{x + visibleRect.left, y + visibleRect.top, x + visibleRect.right,
                               y + visibleRect.bottom});
  if (!scope.Empty()) DrawLines(target, x, y);
  return S_OK;
}

Result TextLabel::Moved(const Rect& previous) {
  if (previous.Width() != rect.Width() || previous.Height() != rect.Height()) Relayout();
  return S_OK;
}

Result TextLabel::Notify(std::uint32_t code, std::intptr_t argument, std::uint32_t senderId) {
  if (code == kNotifyReleaseSurfaces) {
    cache_.CreateSurface(0, 0, 0);
  } else if (code == kNotifyRestoreSurfaces) {
    Render();
  }
  return Control::Notify(code, argument, senderId);
}

}  // namespace zelph::ui
