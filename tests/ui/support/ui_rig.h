// Assembles controls the way the game does: an in-memory GUI document (written in the text form of the
// configuration files), a resource pack of small generated pictures and sounds, a 640 x 480 back buffer and a
// root control. Events go in through the same routing functions the application calls.
#pragma once

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "config/ino_text.h"
#include "config/pack_image.h"
#include "config/resources.h"
#include "gfx/blit.h"
#include "gfx/graphics_context.h"
#include "gfx/image_decode.h"
#include "gfx/png_writer.h"
#include "gfx/system_fonts.h"
#include "platform/file_io.h"
#include "platform/hss_speaker.h"
#include "sound/menu_click.h"
#include "sound/sound_globals.h"
#include "test_support/audio_data.h"
#include "test_support/temp_dir.h"
#include "ui/control_tree.h"
#include "ui/support/pictures.h"

namespace zelph::ui::test {

inline constexpr int kScreenW = 640;
inline constexpr int kScreenH = 480;
inline constexpr std::uint32_t kClickSoundId = 0x7001;
inline constexpr std::uint32_t kBeepId = 0x7002;

struct Notice {
  std::uint32_t code;
  std::intptr_t argument;
  std::uint32_t senderId;
  bool operator==(const Notice&) const = default;
};

// A control that writes down every notification and key it gets.
class Recorder : public Control {
 public:
  Result Notify(std::uint32_t code, std::intptr_t argument, std::uint32_t senderId) override {
    notices.push_back({code, argument, senderId});
    return Control::Notify(code, argument, senderId);
  }
  Result KeyDown(int keyCode, std::uint32_t rawKey) override {
    keys.push_back({static_cast<std::uint32_t>(keyCode), static_cast<std::intptr_t>(rawKey), 0});
    return kHandled;
  }
  Result Char(std::uint32_t character, std::intptr_t) override {
    chars.push_back(static_cast<char32_t>(character));
    return kHandled;
  }
  Result StylusDown(int x, int y, std::uint32_t) override {
    taps.push_back({static_cast<std::uint32_t>(x), y, 0});
    return tapResult;
  }
  // The notifications with this code, in order.
  std::vector<Notice> With(std::uint32_t code) const {
    std::vector<Notice> out;
    for (const Notice& n : notices) {
      if (n.code == code) out.push_back(n);
    }
    return out;
  }

  std::vector<Notice> notices, keys, taps;
  std::u32string chars;
  Result tapResult = kNotHandled;
};

class UiRig : public ::testing::Test {
 protected:
  void SetUp() override {
    gfx::GraphicsContext::Global().MarkOpen(gfx::DisplayProperties::Rgb565(kScreenW, kScreenH));
    ResetControlGlobals();
    ASSERT_EQ(back.CreateSurface(gfx::kCreateClear, kScreenW, kScreenH), S_OK);
    SetBackSurface(&back);
    // Sounds the buttons and boxes may ask for.
    Add(kClickSoundId, zelph::test::MakeWav(22050, 16, 1, std::vector<std::int16_t>(4000, 2000)));
    Add(kBeepId, zelph::test::MakeWav(22050, 16, 1, std::vector<std::int16_t>(4000, -2000)));
  }

  void TearDown() override {
    root.reset();
    ResetControlGlobals();
    SetBackSurface(nullptr);
    sound::ReleaseMenuClickSound();
    sound::PublishSoundResources(nullptr, nullptr);
    sound::PublishSpeaker(nullptr);
    config::GuiDocument().Clear();
    config::GlobalPackList().Clear();
  }

  // A picture or sound for the pack; call before Build.
  void Add(std::uint32_t id, Bytes data) { resources[id] = std::move(data); }
  // The graphics layer's built-in font as a game font with soft edges (its picture and alpha picture), with
  // room below the glyphs as the game's fonts have, since lines overlap by two pixels.
  void AddReadableFont(std::uint32_t pictureId, std::uint32_t alphaId) {
    const gfx::BitmapFont* font = gfx::DefaultFont();
    ASSERT_NE(font, nullptr);
    Add(pictureId, FontPictureOf(font->Picture(), 5));
    Add(alphaId, FontAlphaOf(font->Picture(), 5));
  }

  // Writes the pack, loads the GUI document from its text form, opens a silent speaker and creates the
  // 640 x 480 root.
  void Build(const std::string& guiText) {
    std::vector<config::PackResource> list;
    for (auto& [id, data] : resources) list.push_back({id, "r" + std::to_string(id), "BIN", data});
    std::vector<std::uint8_t> image;
    std::string error;
    ASSERT_TRUE(config::BuildPack(list, u"ui test", image, error)) << error;
    ASSERT_TRUE(platform::WriteFileAtomically(dir.path() / "ui.pak", image));
    ASSERT_EQ(config::GlobalPackList().Add(dir.path() / "ui.pak"), 0);

    std::vector<std::uint8_t> ino;
    ASSERT_TRUE(config::CompileInoText(guiText, ino, error)) << error;
    ASSERT_GE(config::GuiDocument().LoadMemory(std::move(ino)), 0);

    std::vector<std::uint8_t> soundIno;
    ASSERT_TRUE(config::CompileInoText("[menu_btn_sound]\nsoundRCID=" + std::to_string(kClickSoundId) +
                                           "\nsound_vol=64\n",
                                       soundIno, error));
    ASSERT_GE(soundDocument.LoadMemory(std::move(soundIno)), 0);
    auto output = std::make_unique<platform::PulledAudioOutput>();
    speaker = std::make_unique<platform::hssSpeaker>(std::move(output));
    ASSERT_EQ(speaker->open(22050, 16, false, 1, 8), S_OK);
    sound::PublishSpeaker(speaker.get());
    sound::PublishSoundResources(&config::GlobalPackList(), &soundDocument);
    sound::LoadMenuClickSound("menu_btn_sound");

    root = std::make_unique<Recorder>();
    root->Create(1, Rect{0, 0, kScreenW, kScreenH}, nullptr, kHitTopmostFirst);
  }

  void Draw() {
    gfx::FillRect(back, nullptr, 0x404040);
    DrawTree(*root, back, 0, 0, Rect{0, 0, kScreenW, kScreenH});
  }
  void Tick(int frames = 1) {
    for (int i = 0; i < frames; ++i) TickTree(*root, 0);
  }
  // One frame as the application runs it: drawn, then ticked.
  void Frame(int frames = 1) {
    for (int i = 0; i < frames; ++i) {
      Draw();
      Tick();
    }
  }

  Result Down(int x, int y) { return RouteStylusDown(*root, x, y); }
  Result Up(int x, int y) { return RouteStylusUp(*root, x, y); }
  Result Move(int x, int y) { return RouteStylusMove(*root, x, y); }
  void Tap(int x, int y) {
    Down(x, y);
    Up(x, y);
  }
  Result Key(std::uint32_t raw) {
    Result r = RouteKeyDown(*root, raw, keys);
    RouteKeyUp(*root, raw, keys);
    return r;
  }
  Result Type(char32_t c) { return RouteChar(*root, c, 0); }

  gfx::Color PixelAt(int x, int y) const { return gfx::PixelToColor(back.Row(y)[x]); }

  // Compares the back buffer with tests/golden/<name>.png; ZELPH_UPDATE_GOLDEN=1 writes it instead.
  void ExpectGolden(const std::string& name) {
    const std::filesystem::path golden = std::filesystem::path(ZELPH_GOLDEN_DIR) / (name + ".png");
    if (const char* update = std::getenv("ZELPH_UPDATE_GOLDEN"); update && *update == '1') {
      std::filesystem::create_directories(golden.parent_path());
      ASSERT_TRUE(gfx::WritePngRgb565(golden, back.Pixels(), back.Width(), back.Height(), back.YStep() * 2));
      return;
    }
    gfx::Surface expected;
    ASSERT_EQ(gfx::LoadImageFile(expected, golden, 0), S_OK)
        << golden << " is missing; run with ZELPH_UPDATE_GOLDEN=1 to make it";
    ASSERT_EQ(expected.Width(), back.Width());
    ASSERT_EQ(expected.Height(), back.Height());
    int differing = 0;
    for (int y = 0; y < back.Height(); ++y) {
      for (int x = 0; x < back.Width(); ++x) differing += expected.Row(y)[x] != back.Row(y)[x];
    }
    if (differing != 0) {
      const char* scratch = std::getenv("ZELPH_TEST_TMP");
      const std::filesystem::path folder = scratch ? scratch : std::filesystem::temp_directory_path().string();
      std::filesystem::create_directories(folder);
      const std::filesystem::path actual = folder / (name + ".actual.png");
      gfx::WritePngRgb565(actual, back.Pixels(), back.Width(), back.Height(), back.YStep() * 2);
      ADD_FAILURE() << differing << " pixels differ from " << golden << "; this frame: " << actual;
    }
  }

  zelph::test::TempDir dir;
  std::map<std::uint32_t, Bytes> resources;
  config::ConfigDocument soundDocument;
  std::unique_ptr<platform::hssSpeaker> speaker;
  gfx::Surface back;
  std::unique_ptr<Recorder> root;
  gfx::KeyList keys{38, 40, 37, 39, 'Z', 'X', 'C', 13};
};

}  // namespace zelph::ui::test
