// The speaker on a real SDL audio device: the "disk" driver writes the mixed output to a file.
#include <SDL.h>
#include <gtest/gtest.h>
#include <stdlib.h>

#include <chrono>
#include <thread>

#include "platform/file_io.h"
#include "platform/hss_speaker.h"
#include "platform/sdl/sdl_audio.h"
#include "test_support/audio_data.h"
#include "test_support/temp_dir.h"

namespace zelph::platform {
namespace {

// SDL reads the driver from the environment when the audio subsystem starts.
class AudioDriver {
 public:
  explicit AudioDriver(const char* name) {
    if (const char* old = getenv("SDL_AUDIODRIVER")) saved_ = old;
    setenv("SDL_AUDIODRIVER", name, 1);
  }
  ~AudioDriver() { setenv("SDL_AUDIODRIVER", saved_.c_str(), 1); }

 private:
  std::string saved_ = "dummy";
};

TEST(HssDevice, DiskDriverRecordsWhatIsPlayed) {
  test::TempDir dir;
  auto file = dir.path() / "out.raw";
  setenv("SDL_DISKAUDIOFILE", file.c_str(), 1);
  AudioDriver driver("disk");

  hssSpeaker speaker(MakeSdlAudioOutput());
  ASSERT_EQ(speaker.open(22050, 16, false, 1, 16), S_OK) << SDL_GetError();
  std::vector<std::int16_t> tone(2205);
  for (std::size_t i = 0; i < tone.size(); ++i) tone[i] = (i / 25) % 2 ? 12000 : -12000;
  auto wav = test::MakeWav(22050, 16, 1, tone);
  hssSound sound;
  ASSERT_EQ(sound.load(wav.data(), wav.size(), false), S_OK);
  sound.loop(true);
  ASSERT_GE(speaker.playSound(&sound, kHssPlayAnyChannel), 0);
  std::this_thread::sleep_for(std::chrono::milliseconds(300));
  speaker.close();

  auto bytes = ReadWholeFile(file);
  ASSERT_TRUE(bytes);
  ASSERT_GE(bytes->size(), 2000u) << "the device took samples";
  int loud = 0;
  for (std::size_t i = 0; i + 1 < bytes->size(); i += 2) {
    auto s = static_cast<std::int16_t>((*bytes)[i] | ((*bytes)[i + 1] << 8));
    if (s == 12000 || s == -12000) ++loud;
  }
  EXPECT_GT(loud, 1000);
}

TEST(HssDevice, MissingDriverFailsTheOpenAndPlaysNothing) {
  AudioDriver driver("no-such-driver");
  hssSpeaker speaker(MakeSdlAudioOutput());
  EXPECT_EQ(speaker.open(22050, 16, true, 1, 16), E_FAIL);
  EXPECT_EQ(speaker.open(22050, 8, true, 1, 16), E_FAIL);
  EXPECT_FALSE(speaker.isOpen());
  auto wav = test::MakeWav(22050, 16, 1, {1000, 2000});
  hssSound sound;
  ASSERT_EQ(sound.load(wav.data(), wav.size(), false), S_OK);
  EXPECT_LT(speaker.playSound(&sound, 0), 0);
  speaker.suspend();
  speaker.resume();
  speaker.volumeSounds(10);
  EXPECT_EQ(speaker.volumeSounds(), 10);
  speaker.close();
}

}  // namespace
}  // namespace zelph::platform
