// The stamp: it lives only while the level is built. Placed, it paints its picture for good into the
// field's texture, marks a disc of cells as ground that slows the cutting head, and asks to be dropped.
#pragma once

#include <cstdint>

#include "game/field_object.h"

namespace zelph::objects {

class StampObject : public game::FieldObject {
 public:
  Result Init(const config::ConfigSection& definition, std::int32_t x, std::int32_t y) override;
  // Always answers GFX_E_GENERIC, so that the level load destroys the stamp once it has stamped.
  Result Placed(gfx::Surface& texture, game::CellGrid& grid) override;
  Result Draw(gfx::Surface&, std::int32_t, std::int32_t) override { return S_OK; }
  Result Update(game::CellGrid&, std::uint32_t) override { return S_OK; }

  bool Loaded() const { return loaded_; }

 private:
  void MarkDisc(game::CellGrid& grid) const;

  bool loaded_ = false;
};

}  // namespace zelph::objects
