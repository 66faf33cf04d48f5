// Numbered keys of the object definitions ("b_frame_1", "b_frame_2", ... or "b_pnt_0" .. "b_pnt_7"): read in
// order, a missing or unreadable key skipped so that the next readable one takes its place. Also the
// rectangles written as four raw edges rather than as x, y, width and height.
#pragma once

#include <cstdint>
#include <optional>
#include <string_view>
#include <vector>

#include "config/config_section.h"
#include "config/value_types.h"
#include "gfx/rect.h"

namespace zelph::objects {

using PointList = std::vector<config::Point>;

// The readable point lists of prefix + first .. prefix + last.
std::vector<PointList> ReadPointLists(const config::ConfigSection& definition, std::string_view prefix,
                                      std::int32_t first, std::int32_t last);
// The readable edge rectangles of prefix + first .. prefix + last.
std::vector<gfx::Rect> ReadEdgeRects(const config::ConfigSection& definition, std::string_view prefix,
                                     std::int32_t first, std::int32_t last);
// "key" as left, top, right, bottom (each kept within the coordinate limit); nullopt when missing or
// unreadable.
std::optional<gfx::Rect> ReadEdges(const config::ConfigSection& definition, std::string_view key);

}  // namespace zelph::objects
