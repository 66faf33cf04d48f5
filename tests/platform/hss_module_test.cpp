// The mixer's side of the music seam, with a scripted module player instead of a tracker library: what the
// player renders is mixed in order at the music volumes, a single pass ends, and without a reader no music
// loads while sound effects play on.
#include <gtest/gtest.h>

#include <array>

#include "platform/hss_test_rig.h"
#include "test_support/audio_data.h"
#include "test_support/module_reader.h"

namespace zelph::platform::test {
namespace {

constexpr int kStretchFrames = 10;

// Stretch n of a song (from 1) is n * 1000 on the left and the negative on the right.
std::int16_t Level(int stretch) { return static_cast<std::int16_t>(stretch * 1000); }

struct StartLog {
  int starts = 0;
  int rate = 0;
} gStarts;

class ScriptedPlayer final : public ModulePlayer {
 public:
  explicit ScriptedPlayer(int stretches) : stretches_(stretches) {}

  Result Start(int rate) override {
    ++gStarts.starts;
    gStarts.rate = rate;
    played_ = 0;
    return S_OK;
  }

  std::span<const std::int16_t> Next(bool endless) override {
    if (played_ == stretches_) {
      if (!endless) return {};
      played_ = 0;
    }
    ++played_;
    for (int f = 0; f < kStretchFrames; ++f) {
      buffer_[2 * f] = Level(played_);
      buffer_[2 * f + 1] = static_cast<std::int16_t>(-Level(played_));
    }
    return buffer_;
  }

 private:
  int stretches_;
  int played_ = 0;
  std::array<std::int16_t, 2 * kStretchFrames> buffer_{};
};

// The first byte is the song's length in stretches; 0 is no module.
Result ReadScripted(const void* data, std::size_t, std::unique_ptr<ModulePlayer>* player) {
  int stretches = *static_cast<const std::uint8_t*>(data);
  if (stretches == 0) return E_INVALIDARG;
  *player = std::make_unique<ScriptedPlayer>(stretches);
  return S_OK;
}

// Stereo frames of the given stretches at half volume, as the mixer should give them.
std::vector<std::int16_t> HalfLevels(std::initializer_list<int> stretches) {
  std::vector<std::int16_t> mix;
  for (int stretch : stretches) {
    for (int f = 0; f < kStretchFrames; ++f) {
      mix.push_back(static_cast<std::int16_t>(Level(stretch) / 2));
      mix.push_back(static_cast<std::int16_t>(-Level(stretch) / 2));
    }
  }
  return mix;
}

class HssModule : public ::testing::Test {
 protected:
  void SetUp() override {
    gStarts = {};
    ASSERT_EQ(rig.Open(16, true), S_OK);
    rig.speaker->volumeMusics(32);
  }
  zelph::test::ModuleReaderScope reader{ReadScripted};
  Rig rig;
};

TEST_F(HssModule, StretchesAreMixedInOrderAtTheMusicVolumeAndASinglePassEnds) {
  const std::uint8_t song[] = {3};
  hssMusic music;
  ASSERT_EQ(music.load(song, sizeof song, false), S_OK);
  int channel = rig.speaker->playMusic(&music, kHssPlayAnyChannel);
  ASSERT_EQ(channel, 4);
  EXPECT_EQ(gStarts.starts, 1);
  EXPECT_EQ(gStarts.rate, kRate);
  // Pulls that end inside a stretch keep its rest for the next one.
  std::vector<std::int16_t> mix = rig.Pull(15);
  std::vector<std::int16_t> rest = rig.Pull(15);
  mix.insert(mix.end(), rest.begin(), rest.end());
  EXPECT_EQ(mix, HalfLevels({1, 2, 3}));
  EXPECT_TRUE(Silent(rig.Pull(10)));
  EXPECT_FALSE(rig.speaker->channel(channel)->playing());
  EXPECT_EQ(rig.speaker->channel(channel)->music(), nullptr) << "an ended song frees its channel";
}

TEST_F(HssModule, AnEndlessSongStartsOverAndPlayingItAgainRestartsThePlayer) {
  const std::uint8_t song[] = {2};
  hssMusic music;
  ASSERT_EQ(music.load(song, sizeof song, false), S_OK);
  music.loop(true);
  int channel = rig.speaker->playMusic(&music, 0);
  EXPECT_EQ(rig.Pull(50), HalfLevels({1, 2, 1, 2, 1}));
  EXPECT_TRUE(rig.speaker->channel(channel)->playing());
  rig.Pull(5);
  EXPECT_EQ(rig.speaker->playMusic(&music, 0), channel);
  EXPECT_EQ(gStarts.starts, 2);
  EXPECT_EQ(rig.Pull(20), HalfLevels({1, 2})) << "from the beginning, not from mid-stretch";
}

TEST_F(HssModule, TheReadersRefusalIsTheLoadsResult) {
  const std::uint8_t notASong[] = {0};
  hssMusic music;
  EXPECT_EQ(music.load(notASong, sizeof notASong, false), E_INVALIDARG);
  EXPECT_FALSE(music.loaded());
  EXPECT_EQ(rig.speaker->playMusic(&music, 0), E_INVALIDARG);
}

TEST_F(HssModule, WithoutAReaderNoMusicLoadsAndSoundsPlayOn) {
  zelph::test::ModuleReaderScope none(nullptr);
  const std::uint8_t song[] = {3};
  hssMusic music;
  EXPECT_EQ(music.load(song, sizeof song, false), E_FAIL);
  EXPECT_FALSE(music.loaded());
  EXPECT_EQ(rig.speaker->playMusic(&music, 0), E_INVALIDARG);

  auto wav = zelph::test::MakeWav(kRate, 16, 1, std::vector<std::int16_t>(20, 3000));
  hssSound sound;
  ASSERT_EQ(sound.load(wav.data(), wav.size(), false), S_OK);
  ASSERT_EQ(rig.speaker->playSound(&sound, 0), 0);
  EXPECT_EQ(rig.Pull(20), std::vector<std::int16_t>(40, 3000));
}

}  // namespace
}  // namespace zelph::platform::test
