// The shuttle: it runs to and fro along one axis, turned back by the field's edges (its collision
// rectangle bounds it), by probe points at either end that touch captured ground, and by other objects.
#pragma once

#include <cstdint>

#include "objects/numbered_keys.h"
#include "objects/pictured_object.h"

namespace zelph::objects {

class ShuttleObject : public PicturedObject {
 public:
  enum class Axis { kHorizontal, kVertical, kFree };

  Result Init(const config::ConfigSection& definition, std::int32_t x, std::int32_t y) override;
  Result Update(game::CellGrid& grid, std::uint32_t flags) override;
  Result Move(game::CellGrid& grid) override;
  int Collide(game::FieldObject* other, std::uint32_t flags) override;
  Result OnCollision(game::FieldObject* other, std::uint32_t flags) override;
  Result Prepare(game::CellGrid& grid) override;

  Axis RunsAlong() const { return axis_; }
  const PointList& LowEnd() const { return lowEnd_; }
  const PointList& HighEnd() const { return highEnd_; }

 private:
  // Brings the position back inside the field by the collision rectangle, keeping its fraction; answers
  // which axes were corrected (1 x, 2 y).
  int KeepInside(game::Vec8& p, const game::CellGrid& grid) const;

  Axis axis_ = Axis::kHorizontal;
  PointList lowEnd_;   // "b_pnt1": the left or upper end
  PointList highEnd_;  // "b_pnt2": the right or lower end
};

}  // namespace zelph::objects
