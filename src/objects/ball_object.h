// The bouncing ball: an animated ball that flies in straight lines, bounces off the field's edges and off
// captured ground (probed with a list of border points per animation frame), and off other objects.
#pragma once

#include <cstdint>
#include <vector>

#include "config/value_types.h"
#include "objects/pictured_object.h"

namespace zelph::objects {

class BallObject : public PicturedObject {
 public:
  Result Init(const config::ConfigSection& definition, std::int32_t x, std::int32_t y) override;
  Result Draw(gfx::Surface& surface, std::int32_t originX, std::int32_t originY) override;
  Result Update(game::CellGrid& grid, std::uint32_t flags) override;
  // One step by the velocity, kept inside the field by the radius; no bounce.
  Result Prepare(game::CellGrid& grid) override;
  Result Move(game::CellGrid& grid) override;
  int Collide(game::FieldObject* other, std::uint32_t flags) override;
  Result OnCollision(game::FieldObject* other, std::uint32_t flags) override;
  Result Kill(std::uint32_t flags) override;

  // The readable "b_frame_%d" lists in order; list i serves animation frame i.
  const std::vector<std::vector<config::Point>>& BorderLists() const { return borders_; }
  // The list probed now (null when the ball has none).
  const std::vector<config::Point>* CurrentBorder() const;
  // Where the last bounce off the ground touched, in cells.
  config::Point LastContact() const { return lastContact_; }
  bool Loaded() const { return loaded_; }

 private:
  void ReadBorderLists(const config::ConfigSection& definition);
  // The list of the picture's current frame; the previous one stays when that frame has none.
  void SelectBorderList();
  // Turns the velocity away from the ground touched at `contact` (8.8).
  void Bounce(game::Vec8 contact);

  std::vector<std::vector<config::Point>> borders_;
  std::size_t border_ = 0;
  config::Point lastContact_{-1, -1};
  bool loaded_ = false;
};

}  // namespace zelph::objects
