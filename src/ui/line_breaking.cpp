#include "ui/line_breaking.h"

namespace zelph::ui {
namespace {

void Wrap(std::u16string_view line, std::int32_t width, const TextMeasure& measure,
          std::vector<std::u16string>& out) {
  while (measure(line) > width) {
    // The longest run up to a space that still fits.
    std::size_t cut = std::u16string_view::npos;
    for (std::size_t space = line.find(u' ', 1); space != std::u16string_view::npos;
         space = line.find(u' ', space + 1)) {
      if (measure(line.substr(0, space)) > width) break;
      cut = space;
    }
    // Even the first word is too wide: it keeps its line whole.
    if (cut == std::u16string_view::npos) cut = line.find(u' ', 1);
    if (cut == std::u16string_view::npos) break;
    out.emplace_back(line.substr(0, cut));
    line.remove_prefix(cut + 1);
  }
  out.emplace_back(line);
}

}  // namespace

std::vector<std::u16string> BreakLines(std::u16string_view text, bool wrap, std::int32_t width,
                                       const TextMeasure& measure) {
  std::vector<std::u16string> lines;
  while (true) {
    const std::size_t mark = text.find(u"\\n");
    const std::u16string_view line = text.substr(0, mark);
    if (wrap && measure) {
      Wrap(line, width, measure, lines);
    } else {
      lines.emplace_back(line);
    }
    if (mark == std::u16string_view::npos) break;
    text.remove_prefix(mark + 2);
  }
  return lines;
}

}  // namespace zelph::ui
