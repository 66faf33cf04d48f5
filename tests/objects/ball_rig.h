// Shared set-up of the object kinds' tests: definition documents written in the text form of the game's
// configuration files, open fields of cells with captured blocks, and balls made from a definition.
#pragma once

#include <gtest/gtest.h>

#include <cstdint>
#include <cstring>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "config/config_document.h"
#include "config/ino_text.h"
#include "game/cell_grid.h"
#include "gfx/graphics_context.h"
#include "objects/ball_object.h"
#include "platform/random.h"

namespace zelph::objects::test {

using game::CellGrid;
using game::Vec8;

// The probe list of a ball of radius 5: every cell of its rim (between 4.5 and 5.5 from the centre), so
// that even a one-cell line of captured ground within reach touches it.
inline std::string Rim() {
  std::vector<std::pair<int, int>> points;
  for (int y = -5; y <= 5; ++y) {
    for (int x = -5; x <= 5; ++x) {
      const int d2 = x * x + y * y;
      if (d2 * 4 >= 81 && d2 * 4 < 121) points.emplace_back(x, y);
    }
  }
  std::string text = std::to_string(points.size());
  for (auto [x, y] : points) text += " " + std::to_string(x) + " " + std::to_string(y);
  return text;
}

// A ball of radius 5 probing its rim, three pixels per frame. `keys` come first, so they replace the defaults
// (the first entry of a key wins).
inline std::string BallDefinition(std::uint32_t id, std::string_view keys = {}) {
  return "[enemy]\nID=" + std::to_string(id) + "\n" + std::string(keys) +
         "type=100000\nrect=-5 -5 10 10\naprox_figure=20000\naprox_figure_param=0 0 5 0 0 0 0 0\n"
         "speed_rand=3 3\nprocess_cur_state=1\ncollide=1\nframes_borders_count=1\nb_frame_1=" +
         Rim() + "\n";
}

// A document of definitions; sections are found by their "ID".
class Definitions {
 public:
  explicit Definitions(std::string_view text) {
    std::vector<std::uint8_t> image;
    std::string error;
    EXPECT_TRUE(config::CompileInoText(text, image, error)) << error;
    EXPECT_GE(document.LoadMemory(std::move(image)), 0);
  }
  const config::ConfigSection& Section(std::uint32_t id) const {
    for (int i = document.FirstSection(); i >= 0; i = document.NextSection(i)) {
      const config::ConfigSection* s = document.SectionAt(i);
      if (s->GetNumber("ID", 0) == id) return *s;
    }
    ADD_FAILURE() << "no definition " << id;
    return *document.SectionAt(document.FirstSection());
  }

  config::ConfigDocument document;
};

// A field of open cells; Fill captures the rectangle [x0, x1) x [y0, y1).
inline CellGrid OpenField(std::int32_t width, std::int32_t height) {
  CellGrid grid;
  EXPECT_EQ(grid.Create(width, height, game::CELL_OPEN), S_OK);
  return grid;
}
inline void Fill(CellGrid& grid, std::int32_t x0, std::int32_t y0, std::int32_t x1, std::int32_t y1) {
  for (std::int32_t y = y0; y < y1; ++y) {
    for (std::int32_t x = x0; x < x1; ++x) grid.At(x, y) = game::CELL_FILLED;
  }
}
inline bool OnFilled(const CellGrid& grid, const game::FieldObject& o) {
  return grid.Inside(o.CellX(), o.CellY()) && (grid.At(o.CellX(), o.CellY()) & game::CELL_FILLED) != 0;
}

// A ball initialised from `definition` at cell (x, y), then sent off with `velocity`.
inline std::unique_ptr<BallObject> MakeBall(const config::ConfigSection& definition, std::int32_t x,
                                            std::int32_t y, Vec8 velocity) {
  auto ball = std::make_unique<BallObject>();
  EXPECT_EQ(ball->Init(definition, x, y), S_OK);
  ball->velocity = velocity;
  return ball;
}

// Pictures need an open display format; every test starts from the same random sequence.
class BallTest : public ::testing::Test {
 protected:
  void SetUp() override {
    gfx::GraphicsContext::Global().MarkOpen(gfx::DisplayProperties::Rgb565(320, 240));
    platform::SRand(1);
  }
  void TearDown() override { gfx::GraphicsContext::Global().MarkClosed(); }
};

}  // namespace zelph::objects::test
