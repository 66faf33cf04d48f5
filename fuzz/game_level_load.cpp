// Arbitrary bytes as a game document: its field layout and every level it names (up to a few) are built the
// way a new game builds them, from pictures in a small pack registered at start-up, and then played a
// little: the objects step and collide, a cut across the field is captured with its blocking tests, an
// object dies with its mark, the picture is redrawn. Whatever the document says (lines far outside the
// field, figure points off the grid, huge or negative rectangles, unknown types, absurd counts), nothing
// may crash, hang or touch memory it does not own.
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "config/config_document.h"
#include "config/ino_text.h"
#include "config/pack_image.h"
#include "game/game_world.h"
#include "game/grid_line.h"
#include "game/object_factory.h"
#include "gfx/ebm_format.h"
#include "gfx/graphics_context.h"
#include "temp_pack.h"

using namespace zelph;

namespace {

// The pictures a level can name: 0x3001 a back picture, 0x3002 a texture with keyed patches, 0x3003 a
// texture of 1 x 1, 0x3004 a strip of four frames (marks, blow animations), 0x3005 a grey alpha picture.
std::vector<std::uint8_t> Picture(int index) {
  struct Shape {
    std::uint32_t w, h, frames;
    gfx::EbmFormat format;
  };
  static constexpr Shape kShapes[] = {{80, 60, 1, gfx::EbmFormat::k565},
                                      {64, 40, 1, gfx::EbmFormat::k565},
                                      {1, 1, 1, gfx::EbmFormat::k565},
                                      {32, 8, 4, gfx::EbmFormat::k565},
                                      {8, 8, 1, gfx::EbmFormat::k8ga}};
  const Shape& s = kShapes[index];
  gfx::EbmHeader header;
  header.format = s.format;
  header.width = s.w;
  header.height = s.h;
  header.frames = s.frames;
  header.frameWidth = s.w / s.frames;
  header.colorKey = gfx::kMagenta;
  std::vector<std::uint8_t> pixels(static_cast<std::size_t>(header.NeededBytes()));
  for (std::size_t i = 0; i < pixels.size(); ++i) pixels[i] = static_cast<std::uint8_t>((i * 37 + index) & 0xFF);
  if (index == 1) {
    // Magenta (0xF81F, little-endian) patches in the texture, as its own picture may have them.
    for (std::size_t i = 0; i + 1 < pixels.size(); i += 2) {
      if ((i / 2) % 64 < 6 && (i / 2) / 64 % 10 < 3) pixels[i] = 0x1F, pixels[i + 1] = 0xF8;
    }
  }
  return gfx::WriteEbm(header, pixels);
}

// A kind with the base behaviour of every field object, under the type codes of the ball and the player.
class Probe : public game::FieldObject {
 public:
  explicit Probe(std::int32_t kind) { kindCode = kind; }
  Result Move(game::CellGrid& grid) override {
    // A step along the velocity, kept on the grid, so that blocking tests start from changing cells.
    game::Vec8 next{position.x + velocity.x, position.y + velocity.y};
    if (next.x < 0 || (next.x >> 8) >= grid.Width()) next.x = position.x;
    if (next.y < 0 || (next.y >> 8) >= grid.Height()) next.y = position.y;
    SetPosition(next);
    return S_OK;
  }
};

void Setup() {
  static bool done = false;
  if (done) return;
  done = true;
  gfx::GraphicsContext::Global().MarkOpen(gfx::DisplayProperties::Rgb565(640, 480));
  fuzzing::RegisterPicturePack(0x3001, 5, Picture, "game");
  game::ObjectFactory& factory = game::ObjectFactory::Global();
  factory.Register(game::kTypeBall, [] { return std::make_unique<Probe>(game::kKindBall); });
  factory.Register(game::kTypePlayer, [] { return std::make_unique<Probe>(game::kKindPlayer); });
}

// A little play on a built level: steps with collisions, a cut from top to bottom captured with both
// sides as seeds, a death with its mark, the objects drawn, their pictures released and reloaded.
void Play(game::GameWorld& world) {
  const std::int32_t w = world.grid.Width(), h = world.grid.Height();
  for (int frame = 0; frame < 3; ++frame) world.StepObjects(game::kUpdateAll, true);
  for (auto& object : world.objects) object->Move(world.grid);
  const std::int32_t cutX = w / 2;
  game::DrawGridLine(world.grid, cutX, 0, cutX, h, game::CELL_CUT, game::kLineOr);
  world.Capture({cutX - 1, h / 2}, {cutX + 1, h / 2}, {cutX, 0});
  world.UpdateScore();  // as the head does after its cut closed
  world.grid.ClearCut();
  if (!world.objects.empty()) {
    world.objects.front()->Kill(0);
    world.StepObjects(game::kUpdateAll, false);
  }
  for (auto& object : world.objects) object->Draw(world.composed, world.gameField.left, world.gameField.top);
  world.ReleaseObjectImages();
  world.ReloadObjectImages();
  world.RedrawField();
  // Only the capture changed the grid's filled cells since the score was taken.
  if (game::GameWorld::MeasurePercent(world.grid) != world.percent) std::abort();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  Setup();
  // The bytes as a document image, or else as its text form (which mutates into new keys and values far
  // more readily).
  config::ConfigDocument document;
  if (document.LoadMemory(std::vector<std::uint8_t>(data, data + size)) < 0) {
    std::vector<std::uint8_t> image;
    std::string error;
    if (!config::CompileInoText(std::string_view(reinterpret_cast<const char*>(data), size), image, error) ||
        document.LoadMemory(std::move(image)) < 0) {
      return 0;
    }
  }
  game::GameWorld world;
  int levels = 0;
  for (int i = document.FirstSection(); i >= 0 && levels < 4; i = document.NextSection(i)) {
    const config::ConfigSection* level = document.SectionAt(i);
    if (!level || std::strcmp(level->Name(), "level") != 0) continue;
    ++levels;
    world.Reset();
    if (Failed(world.LoadFieldLayout(document.FindSection("game_filed")))) continue;
    if (Failed(world.LoadLevel(document, level->GetInt("difficulty", -1), level->GetInt("level_num", -1)))) continue;
    // What a built level promises: a grid the size of the cut-down play area, and a share in range.
    if (world.grid.Width() != world.gameField.Width() || world.grid.Height() != world.gameField.Height() ||
        world.percent < 0 || world.percent > 100) {
      std::abort();
    }
    Play(world);
  }
  return 0;
}
