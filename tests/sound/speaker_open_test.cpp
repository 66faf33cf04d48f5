#include "sound/speaker_open.h"

#include <gtest/gtest.h>

namespace zelph::sound {
namespace {

using platform::hssSpeaker;
using platform::PulledAudioOutput;

struct Opened {
  explicit Opened(int refusedBits) {
    auto pulled = std::make_unique<PulledAudioOutput>(refusedBits);
    output = pulled.get();
    speaker = std::make_unique<hssSpeaker>(std::move(pulled));
  }
  PulledAudioOutput* output;
  std::unique_ptr<hssSpeaker> speaker;
};

TEST(OpenSpeaker, SampleBitsZeroTriesSixteenThenEight) {
  Opened fine(0);
  ASSERT_EQ(OpenSpeaker(fine.speaker.get(), 22050, 0, 1, 1, 16), S_OK);
  EXPECT_EQ(fine.output->format().bits, 16);
  EXPECT_EQ(fine.output->format().channels, 2);

  Opened no16(16);
  ASSERT_EQ(OpenSpeaker(no16.speaker.get(), 22050, 0, 1, 1, 16), S_OK);
  EXPECT_EQ(no16.output->format().bits, 8);
  ASSERT_NE(no16.speaker->channel(16), nullptr) << "16 sound channels, then the music channel";
  EXPECT_EQ(no16.speaker->channel(17), nullptr);
}

TEST(OpenSpeaker, AGivenWidthIsTriedAloneAndFailuresAreGeneral) {
  Opened no16(16);
  EXPECT_EQ(OpenSpeaker(no16.speaker.get(), 22050, 16, 1, 1, 16), E_FAIL);
  EXPECT_FALSE(no16.speaker->isOpen());

  Opened no8(8);
  ASSERT_EQ(OpenSpeaker(no8.speaker.get(), 11025, 8, 0, 1, 16), E_FAIL);
  ASSERT_EQ(OpenSpeaker(no8.speaker.get(), 11025, 16, 0, 1, 16), S_OK);
  EXPECT_EQ(no8.output->format().channels, 1) << "mode other than 1: mono";

  // A speaker without an output (headless) never opens, whatever the width.
  hssSpeaker silent(nullptr);
  EXPECT_EQ(OpenSpeaker(&silent, 22050, 0, 1, 1, 16), E_FAIL);
  EXPECT_EQ(OpenSpeaker(nullptr, 22050, 0, 1, 1, 16), E_FAIL);
}

TEST(OpenSpeaker, RateZeroLeavesTheSpeakerClosed) {
  Opened fine(0);
  EXPECT_EQ(OpenSpeaker(fine.speaker.get(), 0, 0, 1, 1, 16), S_OK);
  EXPECT_FALSE(fine.speaker->isOpen());
}

}  // namespace
}  // namespace zelph::sound
