#include <gtest/gtest.h>

#include "platform/hss_test_rig.h"
#include "platform/xmp/xmp_module.h"
#include "test_support/audio_data.h"
#include "test_support/module_reader.h"

namespace zelph::platform::test {
namespace {

using zelph::test::MakeMod;
using zelph::test::MakeXm;

// 25 rows at 20 ms: one pass through the test song lasts 0.5 s.
constexpr int kSongFrames = kRate / 2;

// Real modules, read and rendered by libxmp, through the speaker's mixer.
class HssMusic : public ::testing::Test {
  zelph::test::ModuleReaderScope reader_{ReadXmpModule};
};

TEST_F(HssMusic, ModAndXmModulesPlayAudibly) {
  for (const auto& module : {MakeMod(), MakeXm()}) {
    Rig rig;
    ASSERT_EQ(rig.Open(), S_OK);
    hssMusic music;
    ASSERT_EQ(music.load(module.data(), module.size(), false), S_OK);
    music.loop(true);
    int channel = rig.speaker->playMusic(&music, kHssPlayAnyChannel);
    ASSERT_GE(channel, 4) << "music channels follow the sound channels";
    EXPECT_GT(Peak(rig.Pull(kRate / 10)), 1000);
    EXPECT_TRUE(rig.speaker->channel(channel)->playing());
    EXPECT_EQ(rig.speaker->channel(channel)->music(), &music);
  }
}

TEST_F(HssMusic, SinglePassEndsAndEndlessKeepsGoing) {
  Rig rig;
  ASSERT_EQ(rig.Open(), S_OK);
  auto module = MakeMod();
  hssMusic once;
  ASSERT_EQ(once.load(module.data(), module.size(), false), S_OK);
  int channel = rig.speaker->playMusic(&once, 0);
  EXPECT_GT(Peak(rig.Pull(kSongFrames / 2)), 1000);
  EXPECT_TRUE(rig.speaker->channel(channel)->playing());
  rig.Pull(kSongFrames);
  EXPECT_FALSE(rig.speaker->channel(channel)->playing());
  EXPECT_TRUE(Silent(rig.Pull(kRate / 10)));

  hssMusic endless;
  ASSERT_EQ(endless.load(module.data(), module.size(), false), S_OK);
  endless.loop(true);
  channel = rig.speaker->playMusic(&endless, 0);
  ASSERT_GE(channel, 0);
  rig.Pull(4 * kSongFrames);
  EXPECT_TRUE(rig.speaker->channel(channel)->playing());
  EXPECT_GT(Peak(rig.Pull(kRate / 10)), 1000);
}

TEST_F(HssMusic, VolumesScaleOnlyTheMusic) {
  auto module = MakeXm();
  auto render = [&](int channelVolume, int musicMaster, int soundMaster) {
    Rig rig;
    EXPECT_EQ(rig.Open(), S_OK);
    rig.speaker->volumeMusics(musicMaster);
    rig.speaker->volumeSounds(soundMaster);
    hssMusic music;
    EXPECT_EQ(music.load(module.data(), module.size(), false), S_OK);
    rig.speaker->channel(rig.speaker->playMusic(&music, 0))->volume(channelVolume);
    return rig.Pull(kRate / 10);
  };
  std::vector<std::int16_t> full = render(64, 64, 0);
  ASSERT_GT(Peak(full), 1000) << "the sound master does not touch music";
  EXPECT_TRUE(Silent(render(64, 0, 64)));
  EXPECT_TRUE(Silent(render(0, 64, 64)));
  std::vector<std::int16_t> half = render(32, 64, 64);
  for (std::size_t i = 0; i < full.size(); ++i) ASSERT_EQ(half[i], full[i] >> 1) << i;
}

TEST_F(HssMusic, PausedMusicResumesWhereItStopped) {
  auto module = MakeMod();
  Rig straight;
  ASSERT_EQ(straight.Open(), S_OK);
  hssMusic a;
  ASSERT_EQ(a.load(module.data(), module.size(), false), S_OK);
  straight.speaker->playMusic(&a, 0);
  std::vector<std::int16_t> expected = straight.Pull(2000);

  Rig interrupted;
  ASSERT_EQ(interrupted.Open(), S_OK);
  hssMusic b;
  ASSERT_EQ(b.load(module.data(), module.size(), false), S_OK);
  hssChannel* c = interrupted.speaker->channel(interrupted.speaker->playMusic(&b, 0));
  std::vector<std::int16_t> got = interrupted.Pull(1234);
  c->pause();
  EXPECT_TRUE(c->paused());
  EXPECT_TRUE(Silent(interrupted.Pull(700)));
  c->resume();
  std::vector<std::int16_t> rest = interrupted.Pull(2000 - 1234);
  got.insert(got.end(), rest.begin(), rest.end());
  EXPECT_EQ(got, expected);
}

TEST_F(HssMusic, MusicChannelsAreSharedOut) {
  Rig rig;
  ASSERT_EQ(rig.Open(16, false, 1, 4), S_OK);
  auto module = MakeMod();
  hssMusic first, second;
  ASSERT_EQ(first.load(module.data(), module.size(), false), S_OK);
  ASSERT_EQ(second.load(module.data(), module.size(), false), S_OK);
  EXPECT_EQ(rig.speaker->playMusic(&first, 0), 4);
  EXPECT_EQ(rig.speaker->playMusic(&second, 0), E_FAIL) << "the one music channel is busy";
  EXPECT_EQ(rig.speaker->playMusic(&first, 0), 4) << "playing it again restarts it";
  rig.speaker->channel(4)->stop();
  EXPECT_EQ(rig.speaker->channel(4)->music(), nullptr);
  EXPECT_EQ(rig.speaker->playMusic(&second, 0), 4);

  Rig noMusic;
  ASSERT_EQ(noMusic.Open(16, false, 0, 4), S_OK);
  EXPECT_EQ(noMusic.speaker->playMusic(&first, 0), E_FAIL);
}

TEST_F(HssMusic, DamagedModulesAreRefused) {
  auto mod = MakeMod();
  auto xm = MakeXm();
  std::vector<zelph::test::Bytes> damaged = {
      {},
      zelph::test::Bytes(600, 0x55),
      zelph::test::Bytes(xm.begin(), xm.begin() + 60),
      zelph::test::Bytes(xm.begin(), xm.begin() + 340),
      zelph::test::Bytes(mod.begin(), mod.begin() + 1084),
  };
  zelph::test::Bytes wav = zelph::test::MakeWav(kRate, 16, 1, {1, 2, 3});
  damaged.push_back(wav);
  Rig rig;
  ASSERT_EQ(rig.Open(), S_OK);
  for (std::size_t i = 0; i < damaged.size(); ++i) {
    hssMusic music;
    EXPECT_LT(music.load(damaged[i].data(), damaged[i].size(), false), 0) << i;
    EXPECT_FALSE(music.loaded());
    EXPECT_EQ(rig.speaker->playMusic(&music, 0), E_INVALIDARG);
  }
  EXPECT_TRUE(Silent(rig.Pull(100)));
}

// A looped sample whose data the file does not hold, under the invert-loop effect (EFx): libxmp 4.5 keeps
// the sample's length without data and the effect writes into the missing data. Found by fuzzing.
TEST_F(HssMusic, LoopedSampleMissingFromTheFileIsSilentUnderInvertLoop) {
  zelph::test::Bytes mod = MakeMod();
  std::uint8_t* second = mod.data() + 20 + 30;     // the second sample's header
  second[22] = 0x10;                               // 4096 words (big-endian): beyond the end of the file
  second[25] = 64;                                 // volume
  second[28] = 0x01;                               // a loop of 256 words
  std::uint8_t* cell = mod.data() + 1084 + 2 * 4;  // row 0, channel 2
  const std::uint8_t note[] = {0x01, 0xAC, 0x2E, 0xFF};  // C-3, instrument 2, invert loop at full speed
  std::copy(std::begin(note), std::end(note), cell);
  Rig rig;
  ASSERT_EQ(rig.Open(), S_OK);
  hssMusic music;
  ASSERT_EQ(music.load(mod.data(), mod.size(), false), S_OK);
  ASSERT_GE(rig.speaker->playMusic(&music, kHssPlayAnyChannel), 0);
  EXPECT_GT(Peak(rig.Pull(kSongFrames / 2)), 1000);  // the first instrument still sounds
}

TEST_F(HssMusic, DestroyingMusicSilencesItsChannel) {
  Rig rig;
  ASSERT_EQ(rig.Open(), S_OK);
  auto module = MakeXm();
  auto music = std::make_unique<hssMusic>();
  ASSERT_EQ(music->load(module.data(), module.size(), false), S_OK);
  music->loop(true);
  int channel = rig.speaker->playMusic(music.get(), 0);
  EXPECT_GT(Peak(rig.Pull(500)), 0);
  music.reset();
  EXPECT_TRUE(Silent(rig.Pull(500)));
  EXPECT_FALSE(rig.speaker->channel(channel)->playing());
}

}  // namespace
}  // namespace zelph::platform::test
