// The sound library the game plays through must accept what the generator makes: both modules as music,
// every effect as a sound.
#include <SDL.h>
#include <SDL_mixer.h>
#include <gtest/gtest.h>

#include <cstdlib>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "description.h"
#include "mod_writer.h"
#include "sfx.h"
#include "song.h"

namespace zelph::assetgen {
namespace {

std::string ReadText(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  return std::string((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
}

class Mixer : public ::testing::Test {
 protected:
  void SetUp() override {
    // No sound card is needed (nor wanted) to check that the files load; ctest's environment for the
    // tests does not reliably carry SDL_AUDIODRIVER, so ask for the silent driver here unless told otherwise.
    setenv("SDL_AUDIODRIVER", "dummy", 0);
    ASSERT_EQ(SDL_Init(SDL_INIT_AUDIO), 0) << SDL_GetError();
    ASSERT_EQ(Mix_OpenAudio(22050, AUDIO_S16SYS, 1, 1024), 0) << Mix_GetError();
  }
  void TearDown() override {
    Mix_CloseAudio();
    Mix_Quit();
    SDL_Quit();
  }
};

TEST_F(Mixer, LoadsBothModulesAsMusic) {
  std::vector<Item> items;
  std::string error;
  ASSERT_TRUE(ParseDescription(ReadText(std::string(ZELPH_ASSETS_DIR) + "/sound/music.txt"), items, error))
      << error;
  ASSERT_FALSE(items.empty());
  for (const Item& item : items) {
    ModSong song;
    std::vector<std::uint8_t> bytes;
    ASSERT_TRUE(
        ComposeSong(ReadText(std::string(ZELPH_ASSETS_DIR) + "/sound/" + item.attrs[0].second), song, error))
        << error;
    ASSERT_TRUE(WriteMod(song, bytes, error)) << error;
    Mix_Music* music = Mix_LoadMUS_RW(SDL_RWFromConstMem(bytes.data(), static_cast<int>(bytes.size())), 1);
    ASSERT_NE(music, nullptr) << item.name << ": " << Mix_GetError();
    EXPECT_EQ(Mix_GetMusicType(music), MUS_MOD) << item.name;
    Mix_FreeMusic(music);
  }
}

TEST_F(Mixer, LoadsEveryEffect) {
  for (const char* recipe :
       {"click", "key", "message", "lose", "win", "capture", "death", "prize", "level"}) {
    const std::vector<std::uint8_t> wav = EncodeWav(MakeSound(recipe, 23000), kSoundRate);
    Mix_Chunk* chunk = Mix_LoadWAV_RW(SDL_RWFromConstMem(wav.data(), static_cast<int>(wav.size())), 1);
    ASSERT_NE(chunk, nullptr) << recipe << ": " << Mix_GetError();
    EXPECT_GT(chunk->alen, 0u) << recipe;
    Mix_FreeChunk(chunk);
  }
}

}  // namespace
}  // namespace zelph::assetgen
