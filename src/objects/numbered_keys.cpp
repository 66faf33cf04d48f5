#include "objects/numbered_keys.h"

#include <algorithm>
#include <array>
#include <string>

#include "ui/pictures.h"

namespace zelph::objects {

namespace {

// Calls read(key) for prefix + first .. prefix + last until every key of the prefix was read: each list
// needs a key of its own, so a count far beyond the keys ends with them.
template <typename Read>
void ForNumberedKeys(const config::ConfigSection& def, std::string_view prefix, std::int32_t first,
                     std::int32_t last, Read read) {
  std::size_t unread = 0;
  for (const std::string_view key : def.Keys()) {
    if (key.starts_with(prefix)) ++unread;
  }
  last = std::min(last, first + config::kMaxListCount);
  std::string key(prefix);
  for (std::int32_t i = first; i <= last && unread > 0; ++i) {
    key.resize(prefix.size());
    key += std::to_string(i);
    if (read(key)) --unread;
  }
}

}  // namespace

std::vector<PointList> ReadPointLists(const config::ConfigSection& def, std::string_view prefix,
                                      std::int32_t first, std::int32_t last) {
  std::vector<PointList> lists;
  ForNumberedKeys(def, prefix, first, last, [&](const std::string& key) {
    PointList points;
    if (!def.GetPointList(key, points)) return false;
    lists.push_back(std::move(points));
    return true;
  });
  return lists;
}

std::vector<gfx::Rect> ReadEdgeRects(const config::ConfigSection& def, std::string_view prefix,
                                     std::int32_t first, std::int32_t last) {
  std::vector<gfx::Rect> rects;
  ForNumberedKeys(def, prefix, first, last, [&](const std::string& key) {
    const std::optional<gfx::Rect> r = ReadEdges(def, key);
    if (r) rects.push_back(*r);
    return r.has_value();
  });
  return rects;
}

std::optional<gfx::Rect> ReadEdges(const config::ConfigSection& def, std::string_view key) {
  std::array<std::int32_t, 4> q{};
  if (!def.GetQuad(key, q)) return std::nullopt;
  for (std::int32_t& v : q) v = std::clamp(v, -ui::kMaxCoordinate, ui::kMaxCoordinate);
  return gfx::Rect{q[0], q[1], q[2], q[3]};
}

}  // namespace zelph::objects
