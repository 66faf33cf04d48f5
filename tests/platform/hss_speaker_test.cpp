#include <gtest/gtest.h>

#include "platform/hss_test_rig.h"
#include "test_support/audio_data.h"

namespace zelph::platform::test {
namespace {

using zelph::test::MakeWav;
using zelph::test::Ramp;

std::vector<std::int16_t> Slice(const std::vector<std::int16_t>& v, int from, int count) {
  return {v.begin() + from, v.begin() + from + count};
}

// A loaded 16-bit mono ramp at the output rate, so that the mix reproduces it sample for sample.
struct RampSound {
  explicit RampSound(int frames = 1000) : samples(Ramp(frames)) {
    auto wav = MakeWav(kRate, 16, 1, samples);
    EXPECT_EQ(sound.load(wav.data(), wav.size(), false), S_OK);
  }
  std::vector<std::int16_t> samples;
  hssSound sound;
};

TEST(HssSpeaker, PlayedSoundIsHeardSampleForSampleAndEnds) {
  Rig rig;
  ASSERT_EQ(rig.Open(), S_OK);
  RampSound ramp;
  int channel = rig.speaker->playSound(&ramp.sound, kHssPlayAnyChannel);
  ASSERT_EQ(channel, 0);
  EXPECT_EQ(rig.Pull(1000), ramp.samples);
  EXPECT_TRUE(Silent(rig.Pull(200)));
  hssChannel* c = rig.speaker->channel(channel);
  ASSERT_NE(c, nullptr);
  EXPECT_FALSE(c->playing());
  EXPECT_EQ(c->sound(), nullptr) << "a finished channel is free";
}

TEST(HssSpeaker, ChannelAndMasterVolumesScaleTheMix) {
  Rig rig;
  ASSERT_EQ(rig.Open(), S_OK);
  RampSound ramp;
  int channel = rig.speaker->playSound(&ramp.sound, 0);
  hssChannel* c = rig.speaker->channel(channel);
  c->volume(0);
  EXPECT_TRUE(Silent(rig.Pull(100)));
  EXPECT_TRUE(c->playing()) << "a silent channel still plays on";
  c->volume(64);
  rig.speaker->volumeSounds(0);
  EXPECT_TRUE(Silent(rig.Pull(100)));
  rig.speaker->volumeSounds(32);
  std::vector<std::int16_t> half = rig.Pull(100);
  for (int i = 0; i < 100; ++i) EXPECT_EQ(half[i], ramp.samples[200 + i] / 2) << i;
  rig.speaker->volumeSounds(64);
  c->volume(16);
  EXPECT_EQ(rig.Pull(1)[0], ramp.samples[300] / 4);
  EXPECT_EQ(c->volume(), 16);
}

TEST(HssSpeaker, VolumesAreClampedAndKeptWhileClosed) {
  Rig rig;
  rig.speaker->volumeSounds(100);
  rig.speaker->volumeMusics(-3);
  EXPECT_EQ(rig.speaker->volumeSounds(), 64);
  EXPECT_EQ(rig.speaker->volumeMusics(), 0);
  rig.speaker->volumeSounds(20);
  ASSERT_EQ(rig.Open(), S_OK);
  rig.speaker->close();
  EXPECT_EQ(rig.speaker->volumeSounds(), 20);
  ASSERT_EQ(rig.Open(), S_OK);
  RampSound ramp;
  hssChannel* c = rig.speaker->channel(rig.speaker->playSound(&ramp.sound, 0));
  c->volume(200);
  EXPECT_EQ(c->volume(), 64);
}

TEST(HssSpeaker, PausedChannelIsSilentAndResumesWhereItStopped) {
  Rig rig;
  ASSERT_EQ(rig.Open(), S_OK);
  RampSound ramp;
  hssChannel* c = rig.speaker->channel(rig.speaker->playSound(&ramp.sound, 0));
  EXPECT_EQ(rig.Pull(300), Slice(ramp.samples, 0, 300));
  c->pause();
  EXPECT_TRUE(c->paused());
  EXPECT_FALSE(c->playing());
  EXPECT_EQ(c->sound(), &ramp.sound) << "a paused channel keeps its sound";
  EXPECT_TRUE(Silent(rig.Pull(500)));
  c->resume();
  EXPECT_TRUE(c->playing());
  EXPECT_EQ(rig.Pull(300), Slice(ramp.samples, 300, 300));
}

TEST(HssSpeaker, EndlessLoopWrapsAroundAndSingleLoopDoesNot) {
  Rig rig;
  ASSERT_EQ(rig.Open(), S_OK);
  RampSound ramp(100);
  ramp.sound.loop(true);
  int channel = rig.speaker->playSound(&ramp.sound, 0);
  std::vector<std::int16_t> mix = rig.Pull(1050);
  EXPECT_EQ(Slice(mix, 1000, 50), Slice(ramp.samples, 0, 50));
  EXPECT_TRUE(rig.speaker->channel(channel)->playing());
  // Switching the loop off lets the current pass finish and then ends.
  ramp.sound.loop(false);
  EXPECT_EQ(rig.Pull(50), Slice(ramp.samples, 50, 50));
  EXPECT_TRUE(Silent(rig.Pull(10)));
  EXPECT_FALSE(rig.speaker->channel(channel)->playing());
}

TEST(HssSpeaker, EightBitStereoAndResampledSourcesAreMixed) {
  {
    // 8-bit output is unsigned: silence is 128.
    Rig rig;
    ASSERT_EQ(rig.Open(8), S_OK);
    std::vector<std::int16_t> tone = {0x4000, -0x4000, 0x1000};
    auto wav = MakeWav(kRate, 16, 1, tone);
    hssSound sound;
    ASSERT_EQ(sound.load(wav.data(), wav.size(), false), S_OK);
    rig.speaker->playSound(&sound, 0);
    EXPECT_EQ(rig.output->Pull(4), (std::vector<std::uint8_t>{0xC0, 0x40, 0x90, 0x80}));
  }
  {
    // A stereo 8-bit source on a stereo output keeps its sides apart.
    Rig rig;
    ASSERT_EQ(rig.Open(16, true), S_OK);
    auto wav = MakeWav(kRate, 8, 2, {0x2000, -0x2000});
    hssSound sound;
    ASSERT_EQ(sound.load(wav.data(), wav.size(), false), S_OK);
    rig.speaker->playSound(&sound, 0);
    EXPECT_EQ(rig.Pull(1), (std::vector<std::int16_t>{0x2000, -0x2000}));
  }
  {
    // Half the output rate: every source frame lasts two output frames, the second one interpolated.
    Rig rig;
    ASSERT_EQ(rig.Open(), S_OK);
    auto wav = MakeWav(kRate / 2, 16, 1, {1000, 3000, 5000});
    hssSound sound;
    ASSERT_EQ(sound.load(wav.data(), wav.size(), false), S_OK);
    rig.speaker->playSound(&sound, 0);
    EXPECT_EQ(rig.Pull(8), (std::vector<std::int16_t>{1000, 2000, 3000, 4000, 5000, 5000, 0, 0}));
  }
}

TEST(HssSpeaker, SuspendHoldsEverythingAndResumeIsAlwaysAccepted) {
  Rig rig;
  rig.speaker->resume();  // without a suspend, before open
  rig.speaker->suspend();
  rig.speaker->suspend();
  ASSERT_EQ(rig.Open(), S_OK);
  EXPECT_TRUE(rig.output->paused()) << "a speaker suspended before open opens suspended";
  RampSound ramp;
  int channel = rig.speaker->playSound(&ramp.sound, 0);
  ASSERT_GE(channel, 0);
  EXPECT_TRUE(rig.Pull(100).empty());
  rig.speaker->resume();
  EXPECT_EQ(rig.Pull(100), Slice(ramp.samples, 0, 100));
  rig.speaker->suspend();
  EXPECT_TRUE(rig.speaker->channel(channel)->playing());
  rig.speaker->resume();
  rig.speaker->resume();
  EXPECT_EQ(rig.Pull(100), Slice(ramp.samples, 100, 100));
}

TEST(HssSpeaker, ChannelsAreHandedOutUntilAllAreBusy) {
  Rig rig;
  RampSound ramp;
  EXPECT_LT(rig.speaker->playSound(&ramp.sound, 0), 0) << "not open";
  EXPECT_EQ(rig.speaker->channel(0), nullptr);
  ASSERT_EQ(rig.Open(16, false, 1, 2), S_OK);
  hssSound empty;
  EXPECT_EQ(rig.speaker->playSound(&empty, 0), E_INVALIDARG);
  EXPECT_EQ(rig.speaker->playSound(nullptr, 0), E_INVALIDARG);
  EXPECT_EQ(rig.speaker->playSound(&ramp.sound, 0), 0);
  EXPECT_EQ(rig.speaker->playSound(&ramp.sound, 0), 1);
  EXPECT_EQ(rig.speaker->playSound(&ramp.sound, 0), E_FAIL);
  EXPECT_EQ(rig.speaker->channel(3), nullptr);
  EXPECT_EQ(rig.speaker->channel(-1), nullptr);
  rig.speaker->channel(0)->stop();
  EXPECT_EQ(rig.speaker->channel(0)->sound(), nullptr);
  EXPECT_EQ(rig.speaker->playSound(&ramp.sound, 0), 0);
  // Two channels of one sound add up.
  EXPECT_EQ(rig.Pull(1)[0], 2 * ramp.samples[0]);
  rig.speaker->close();
  EXPECT_EQ(rig.speaker->channel(0), nullptr);
  EXPECT_FALSE(rig.output->open());
}

TEST(HssSpeaker, DestroyingOrReloadingASoundSilencesItsChannels) {
  Rig rig;
  ASSERT_EQ(rig.Open(), S_OK);
  auto ramp = std::make_unique<RampSound>();
  ramp->sound.loop(true);
  int channel = rig.speaker->playSound(&ramp->sound, 0);
  rig.Pull(10);
  ramp.reset();
  EXPECT_TRUE(Silent(rig.Pull(100)));
  EXPECT_FALSE(rig.speaker->channel(channel)->playing());
  EXPECT_EQ(rig.speaker->channel(channel)->sound(), nullptr);

  RampSound again;
  channel = rig.speaker->playSound(&again.sound, 0);
  auto wav = MakeWav(kRate, 16, 1, {1, 2, 3});
  ASSERT_EQ(again.sound.load(wav.data(), wav.size(), false), S_OK);
  EXPECT_EQ(rig.speaker->channel(channel)->sound(), nullptr);
}

TEST(HssSpeaker, OpenChecksItsArgumentsAndTheOutput) {
  Rig rig;
  EXPECT_EQ(rig.speaker->open(0, 16, true, 1, 16), E_INVALIDARG);
  EXPECT_EQ(rig.speaker->open(kRate, 12, true, 1, 16), E_INVALIDARG);
  EXPECT_EQ(rig.speaker->open(kRate, 16, true, 1, 0), E_INVALIDARG);
  EXPECT_EQ(rig.speaker->open(kRate, 16, true, 9, 16), E_INVALIDARG);
  EXPECT_FALSE(rig.speaker->isOpen());
  EXPECT_EQ(rig.speaker->open(kRate, 16, true, 1, 16), S_OK);
  EXPECT_EQ(rig.output->format().channels, 2);
  EXPECT_EQ(rig.speaker->open(11025, 8, false, 0, 1), S_OK) << "reopening replaces the old output";
  EXPECT_EQ(rig.output->format().rate, 11025);

  Rig refusing16(16);
  EXPECT_EQ(refusing16.speaker->open(kRate, 16, true, 1, 16), E_FAIL);
  EXPECT_FALSE(refusing16.speaker->isOpen());
  EXPECT_EQ(refusing16.speaker->open(kRate, 8, true, 1, 16), S_OK);
}

}  // namespace
}  // namespace zelph::platform::test
