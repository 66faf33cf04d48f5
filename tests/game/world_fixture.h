// A world on a level built in the test: a pack with the level's back and texture pictures, a game document
// from its text form, and a factory with one plain object kind, so the world's rules are tested without
// the real kinds.
#pragma once

#include <gtest/gtest.h>

#include <map>
#include <memory>
#include <string>
#include <vector>

#include "config/config_document.h"
#include "config/ino_text.h"
#include "config/pack_image.h"
#include "config/pack_list.h"
#include "config/resources.h"
#include "game/game_world.h"
#include "game/object_factory.h"
#include "gfx/graphics_context.h"
#include "platform/file_io.h"
#include "platform/random.h"
#include "test_support/temp_dir.h"
#include "ui/support/pictures.h"

namespace zelph::game::test {

inline constexpr std::uint32_t kBackId = 0x01020001;
inline constexpr std::uint32_t kTextureId = 0x01020002;
inline constexpr std::uint32_t kSmallTextureId = 0x01020003;
inline constexpr std::uint32_t kMarkId = 0x01020004;
inline constexpr std::int32_t kPinType = 100000;  // the test's one kind answers to the ball's type
inline constexpr gfx::Color kWood = 0x204080;
inline constexpr gfx::Color kPicture = 0x30C030;

// An object that stands still where it is put.
class Pin : public FieldObject {
 public:
  Pin() { kindCode = kKindBall; }
  int placedCalls = 0;
  Result Placed(gfx::Surface&, CellGrid&) override {
    ++placedCalls;
    return S_OK;
  }
};

// "game_filed" for a 200 x 100 field at (10, 20) of a 220 x 130 back picture.
inline const char* kLayout =
    "[game_filed]\n"
    "back_dc_rect=0 0 300 200\n"
    "game_field=10 20 200 100\n"
    "stylus_rect=0 0 300 200\n"
    "bott_rect=0 200 300 40\n"
    "level_pass_rect=10 10 100 8\n"
    "borders_color=255 255 0\n";

// Border lines along the four edges of the 200 x 100 field.
inline const char* kBox =
    "borders_count=4\nline_1=0 0 200 0\nline_2=0 99 200 99\nline_3=0 0 0 100\nline_4=199 0 199 100\n";

inline std::string Enemy(std::uint32_t id, const std::string& extra) {
  return "[enemy]\nID=" + std::to_string(id) + "\ntype=100000\nrect=-5 -5 10 10\naprox_figure=20000\n"
         "aprox_figure_param=0 0 5 0 0 0 0 0\n" + extra;
}

class WorldTest : public ::testing::Test {
 protected:
  void SetUp() override {
    gfx::GraphicsContext::Global().MarkOpen(gfx::DisplayProperties::Rgb565(640, 480));
    platform::SRand(1234);
    factory.Register(kPinType, [] { return std::make_unique<Pin>(); });
    world.SetFactory(&factory);
    std::vector<config::PackResource> list;
    auto add = [&](std::uint32_t id, ui::test::Bytes data) {
      list.push_back({id, "r" + std::to_string(id), "BIN", std::move(data)});
    };
    add(kBackId, ui::test::Solid(220, 130, {kPicture}));
    add(kTextureId, ui::test::Solid(200, 100, {kWood}));
    add(kSmallTextureId, ui::test::Solid(150, 60, {kWood}));
    add(kMarkId, ui::test::Solid(4, 4, {0x0000FF}));
    std::vector<std::uint8_t> image;
    std::string error;
    ASSERT_TRUE(config::BuildPack(list, u"level test", image, error)) << error;
    ASSERT_TRUE(platform::WriteFileAtomically(dir.path() / "level.pak", image));
    ASSERT_EQ(config::GlobalPackList().Add(dir.path() / "level.pak"), 0);
  }

  void TearDown() override {
    world.Reset();
    config::GlobalPackList().Clear();
  }

  // Loads the document from text (the layout is added in front unless `withLayout` is off).
  void Document(const std::string& text, bool withLayout = true) {
    std::vector<std::uint8_t> ino;
    std::string error;
    ASSERT_TRUE(config::CompileInoText((withLayout ? std::string(kLayout) : "") + text, ino, error)) << error;
    ASSERT_GE(document.LoadMemory(std::move(ino)), 0);
  }

  Result Load(std::int32_t difficulty = 1, std::int32_t level = 1) {
    world.Reset();
    if (Result r = world.LoadFieldLayout(document.FindSection("game_filed")); Failed(r)) return r;
    return world.LoadLevel(document, difficulty, level);
  }

  static std::string Level(int difficulty, int number, const std::string& extra) {
    return "[level]\ndifficulty=" + std::to_string(difficulty) + "\nlevel_num=" + std::to_string(number) +
           "\nback_img=0x01020001\ntexture_img=0x01020002\n" + extra;
  }

  std::int64_t Count(CellValue bit) const {
    std::int64_t n = 0;
    for (std::int32_t y = 0; y < world.grid.Height(); ++y) {
      for (std::int32_t x = 0; x < world.grid.Width(); ++x) n += (world.grid.At(x, y) & bit) ? 1 : 0;
    }
    return n;
  }

  gfx::Pixel TexturePixel(std::int32_t x, std::int32_t y) { return world.texture.Row(y)[x * world.texture.XStep()]; }

  zelph::test::TempDir dir;
  ObjectFactory factory;
  config::ConfigDocument document;
  GameWorld world;
};

}  // namespace zelph::game::test
