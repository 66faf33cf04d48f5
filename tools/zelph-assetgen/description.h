// The asset description files: one item per line,
//   <identifier> <name> <kind> key=value key="quoted value" ...   # comment
// Identifiers are decimal or "0x" hexadecimal, non-zero and unique; names are unique and made of letters,
// digits and '_' (they become file names). Values may be quoted to hold spaces; inside quotes a backslash
// before a quote or a backslash makes it stand for itself.
#pragma once

#include <cstdint>
#include <initializer_list>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "raster.h"

namespace zelph::assetgen {

struct Item {
  int line = 0;
  std::uint32_t id = 0;
  std::string name;
  std::string kind;
  std::vector<std::pair<std::string, std::string>> attrs;
};

// False with "line N: ..." in `error` on the first malformed line.
bool ParseDescription(std::string_view text, std::vector<Item>& items, std::string& error);

// Typed access to an item's attributes with defaults; remembers which keys were read so that a misspelt
// key is reported instead of silently ignored.
class ItemReader {
 public:
  explicit ItemReader(const Item& item) : item_(item), used_(item.attrs.size(), false) {}

  bool Text(std::string_view key, std::string& out, std::string_view fallback);
  bool Int(std::string_view key, int& out, int fallback, int lo, int hi);
  // One of `choices` (a value outside them is an error).
  bool Choice(std::string_view key, std::string& out, std::string_view fallback,
              std::initializer_list<std::string_view> choices);
  bool Size(std::string_view key, int& w, int& h);  // required, "WxH", both even and positive
  bool Colour(std::string_view key, Color& out, Color fallback);
  // True when every attribute was read; otherwise names the first unknown one.
  bool Finish();
  const std::string& error() const { return error_; }

 private:
  const std::string* Find(std::string_view key);
  bool Fail(std::string message);

  const Item& item_;
  std::vector<bool> used_;
  std::string error_;
};

}  // namespace zelph::assetgen
