// Breaking a label's text into lines: at every backslash followed by "n" (the two characters, as the
// documents write them), and, with word wrap, at the last space before a line would grow wider than the
// label.
#pragma once

#include <cstdint>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

namespace zelph::ui {

using TextMeasure = std::function<std::int32_t(std::u16string_view)>;

// Without `measure` (or with wrap off) only the written breaks count. A first word wider than `width`
// stays whole on its line, and the break follows it. The space a line is broken at is dropped.
std::vector<std::u16string> BreakLines(std::u16string_view text, bool wrap, std::int32_t width,
                                       const TextMeasure& measure);

}  // namespace zelph::ui
