// TextLabel: a short, possibly multi-line text in a rectangle, with one font, colour and alignment. Labels
// whose font has no alpha picture render their lines once into a surface of their own and copy it each
// frame; soft fonts are drawn directly.
#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "gfx/bitmap_font.h"
#include "ui/control.h"
#include "ui/fonts.h"

namespace zelph::ui {

// Label flags, besides the control's.
inline constexpr std::uint32_t kLabelFitHeight = 0x1000;  // the height follows the text
inline constexpr std::uint32_t kLabelWordWrap = 0x2000;

// Alignments; any other value draws nothing.
inline constexpr std::uint32_t kTextLeft = 0x10000;
inline constexpr std::uint32_t kTextRight = 0x20000;
inline constexpr std::uint32_t kTextCentered = 0x30000;
inline constexpr std::uint32_t kTextAlignMask = 0xF0000;

// The largest label a cache is made for, as large as the largest picture.
inline constexpr int kMaxLabelSide = 8192;

class TextLabel : public Control {
 public:
  // With a font of its own, loaded from a picture with the fixed character list. E_OUTOFMEMORY when the
  // font cannot be loaded.
  Result CreateWithFontResource(std::uint32_t id, const Rect& rect, Control* parent, std::uint32_t flags,
                                std::uint32_t fontImageId, std::u16string_view text, std::uint32_t alignment,
                                std::uint32_t color);
  // `font` stays its owner's; null means the default font.
  Result CreateWithFont(std::uint32_t id, const Rect& rect, Control* parent, std::uint32_t flags,
                        gfx::BitmapFont* font, std::u16string_view text, std::uint32_t alignment,
                        std::uint32_t color);
  Result CreateWithText(std::uint32_t id, const Rect& rect, Control* parent, std::uint32_t flags,
                        std::u16string_view text, std::uint32_t alignment, std::uint32_t color);

  void SetText(std::u16string_view newText);
  void SetFont(gfx::BitmapFont* newFont, bool redraw);
  int LineCount() const { return static_cast<int>(lines.size()); }
  // Lines times (font height - 2): lines overlap by two pixels.
  int TextHeight() const;

  Result Draw(gfx::Surface& target, int originX, int originY, const Rect& clip) override;
  Result Moved(const Rect& previous) override;
  Result Notify(std::uint32_t code, std::intptr_t argument, std::uint32_t senderId) override;

  std::u16string text;
  std::vector<std::u16string> lines;
  gfx::BitmapFont* font = nullptr;  // null: the default font
  bool ownsFont = false;
  std::uint32_t alignment = kTextLeft;
  std::uint32_t color = 0;  // 0: the font's own colours
  bool cached = false;

 private:
  Result Build(std::uint32_t id, const Rect& rect, Control* parent, std::uint32_t flags,
               std::u16string_view text, std::uint32_t alignment, std::uint32_t color);
  // Breaks the text again, fits the height when asked, and renders the cache.
  void Relayout();
  void Render();
  // Where a line starts for the alignment, and the DrawText alignment; false for an unknown alignment.
  bool LineAnchor(int* x, std::uint32_t* drawAlign) const;
  void DrawLines(gfx::Surface& dest, int x, int y) const;

  std::unique_ptr<gfx::BitmapFont> ownedFont_;
  TextPen pen_;
  gfx::Surface cache_;
};

}  // namespace zelph::ui
