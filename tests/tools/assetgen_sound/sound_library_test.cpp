// The game's own sound library must accept what the generator makes: both modules as music, every effect as
// a sound, with the layout the effects were written in.
#include <gtest/gtest.h>

#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "description.h"
#include "mod_writer.h"
#include "platform/hss_music.h"
#include "platform/hss_sound.h"
#include "platform/hss_wav.h"
#include "platform/xmp/xmp_module.h"
#include "sfx.h"
#include "song.h"

namespace zelph::assetgen {
namespace {

std::string ReadText(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  return std::string((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
}

TEST(SoundLibrary, LoadsBothModulesAsMusic) {
  std::vector<Item> items;
  std::string error;
  ASSERT_TRUE(ParseDescription(ReadText(std::string(ZELPH_ASSETS_DIR) + "/sound/music.txt"), items, error)) << error;
  ASSERT_FALSE(items.empty());
  platform::InstallModuleReader(platform::ReadXmpModule);
  for (const Item& item : items) {
    ModSong song;
    std::vector<std::uint8_t> bytes;
    ASSERT_TRUE(
        ComposeSong(ReadText(std::string(ZELPH_ASSETS_DIR) + "/sound/" + item.attrs[0].second), song, error))
        << error;
    ASSERT_TRUE(WriteMod(song, bytes, error)) << error;
    platform::hssMusic music;
    EXPECT_EQ(music.load(bytes.data(), bytes.size(), false), S_OK) << item.name;
    EXPECT_TRUE(music.loaded()) << item.name;
  }
}

TEST(SoundLibrary, LoadsEveryEffectAsSixteenBitMonoAtTheGamesRate) {
  for (const char* recipe : {"click", "key", "message", "lose", "win", "capture", "death", "prize", "level", "laser"}) {
    SCOPED_TRACE(recipe);
    const Buffer samples = MakeSound(recipe, 23000);
    const std::vector<std::uint8_t> wav = EncodeWav(samples, kSoundRate);
    platform::PcmData pcm;
    ASSERT_EQ(platform::DecodeWav(wav.data(), wav.size(), &pcm), S_OK);
    EXPECT_EQ(pcm.channels, 1);
    EXPECT_EQ(pcm.rate, 22050);
    ASSERT_EQ(pcm.frames(), samples.size());
    EXPECT_EQ(pcm.samples[samples.size() / 2], samples[samples.size() / 2]);
    platform::hssSound sound;
    EXPECT_EQ(sound.load(wav.data(), wav.size(), false), S_OK);
    EXPECT_TRUE(sound.loaded());
  }
}

}  // namespace
}  // namespace zelph::assetgen
