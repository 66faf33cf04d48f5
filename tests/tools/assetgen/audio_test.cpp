#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <string>
#include <vector>

#include "asset_sources.h"
#include "fixed_math.h"
#include "sfx.h"
#include "synth.h"

namespace zelph::assetgen {
namespace {

std::uint32_t U32(const std::vector<std::uint8_t>& b, std::size_t at) {
  return b[at] | (b[at + 1] << 8) | (b[at + 2] << 16) | (static_cast<std::uint32_t>(b[at + 3]) << 24);
}
std::uint32_t U16(const std::vector<std::uint8_t>& b, std::size_t at) { return b[at] | (b[at + 1] << 8); }

TEST(FixedMath, SineSquareRootAndPowersAreAccurate) {
  EXPECT_EQ(SinQ15(0), 0);
  EXPECT_EQ(SinQ15(0x40000000u), 32767);
  EXPECT_EQ(SinQ15(0x80000000u), 0);
  EXPECT_EQ(SinQ15(0xC0000000u), -32767);
  EXPECT_NEAR(SinQ15(0x15555555u), 16384, 1);  // sin 30 degrees
  EXPECT_NEAR(CosQ15(DegreesToPhase(60)), 16384, 1);
  for (std::uint64_t v : {0ULL, 1ULL, 2ULL, 3ULL, 4ULL, 99ULL, 100ULL, 101ULL, 65535ULL * 65535ULL, ~0ULL}) {
    const std::uint64_t r = ISqrt(v);
    EXPECT_LE(r * r, v) << v;
    const unsigned __int128 next = static_cast<unsigned __int128>(r + 1) * (r + 1);
    EXPECT_TRUE(next > v) << v;
  }
  EXPECT_EQ(ISqrt(~0ULL), 0xFFFFFFFFu);
  EXPECT_EQ(Pow2Q16(1 << 16), 2 << 16);
  EXPECT_EQ(Pow2Q16(-(1 << 16)), 1 << 15);
  EXPECT_NEAR(Pow2Q16(1 << 15), 92682, 2);  // sqrt 2
  EXPECT_EQ(NoteMilliHz(69), 440000);
  EXPECT_EQ(NoteMilliHz(81), 880000);
  EXPECT_NEAR(NoteMilliHz(60), 261626, 30);
}

TEST(SoundEffects, EveryEffectIsShortCleanAndUnclipped) {
  const std::vector<Item> items = test::LoadItems("sound/effects.txt");
  ASSERT_FALSE(items.empty());
  for (const Item& item : items) {
    ASSERT_EQ(item.attrs.size(), 1u);
    const std::string recipe = item.attrs[0].second;
    SCOPED_TRACE(recipe);
    ASSERT_TRUE(IsSoundRecipe(recipe));
    const Buffer b = MakeSound(recipe, 23000);
    ASSERT_GE(b.size(), static_cast<std::size_t>(kSoundRate / 50));  // at least 20 ms
    EXPECT_LE(b.size(), static_cast<std::size_t>(kSoundRate * 5 / 2));
    EXPECT_LE(Peak(b), 23000);
    EXPECT_GE(Peak(b), 22000) << "normalised to the asked peak";
    // No click at either end (a loop's end runs on into its start, no further than one step of the wave
    // inside it), and no offset that would thump when the sound starts.
    EXPECT_LE(std::abs(b.front()), 300);
    if (SoundLoops(recipe)) {
      int steepest = 0;
      for (std::size_t i = 1; i < b.size(); ++i) steepest = std::max(steepest, std::abs(b[i] - b[i - 1]));
      EXPECT_LE(std::abs(b.front() - b.back()), steepest);
    } else {
      EXPECT_EQ(b.back(), 0);
    }
    long long sum = 0;
    for (int v : b) sum += v;
    EXPECT_LE(std::llabs(sum / static_cast<long long>(b.size())), 200);
  }
  EXPECT_TRUE(MakeSound("no such sound", 23000).empty());
  EXPECT_FALSE(IsSoundRecipe(""));
  EXPECT_TRUE(SoundLoops("laser"));
  EXPECT_FALSE(SoundLoops("click"));
}

TEST(SoundEffects, WaveFilesHoldSixteenBitMonoPcmAndClampOverflow) {
  const std::vector<std::uint8_t> wav = EncodeWav(Buffer{0, 1000, -1000, 40000, -40000}, 22050);
  ASSERT_EQ(wav.size(), 44u + 10u);
  EXPECT_EQ(std::string(wav.begin(), wav.begin() + 4), "RIFF");
  EXPECT_EQ(U32(wav, 4), wav.size() - 8);
  EXPECT_EQ(std::string(wav.begin() + 8, wav.begin() + 16), "WAVEfmt ");
  EXPECT_EQ(U32(wav, 16), 16u);
  EXPECT_EQ(U16(wav, 20), 1u);  // PCM
  EXPECT_EQ(U16(wav, 22), 1u);  // mono
  EXPECT_EQ(U32(wav, 24), 22050u);
  EXPECT_EQ(U32(wav, 28), 44100u);
  EXPECT_EQ(U16(wav, 32), 2u);
  EXPECT_EQ(U16(wav, 34), 16u);
  EXPECT_EQ(std::string(wav.begin() + 36, wav.begin() + 40), "data");
  EXPECT_EQ(U32(wav, 40), 10u);
  EXPECT_EQ(static_cast<std::int16_t>(U16(wav, 46)), 1000);
  EXPECT_EQ(static_cast<std::int16_t>(U16(wav, 48)), -1000);
  EXPECT_EQ(static_cast<std::int16_t>(U16(wav, 50)), 32767);
  EXPECT_EQ(static_cast<std::int16_t>(U16(wav, 52)), -32768);
}

TEST(Synth, TonesSoundAtTheirPitchAndGlideToTheirTarget) {
  // Count rising zero crossings: a steady 441 Hz tone over one second crosses 441 times, a glide from
  // 200 Hz to 800 Hz ends at the higher rate.
  Buffer steady(22050, 0);
  AddTone(steady, 22050, 0, 22050, Steady(441000, {{1000, 20000, 0}}, 0));
  int crossings = 0;
  for (std::size_t i = 1; i < steady.size(); ++i) crossings += steady[i - 1] < 0 && steady[i] >= 0;
  EXPECT_NEAR(crossings, 441, 1);
  Buffer glide(22050, 0);
  AddTone(glide, 22050, 0, 22050, Glide(200000, 800000, {{1000, 20000, 0}}, 0));
  int early = 0, late = 0;
  for (std::size_t i = 1; i < 2205; ++i) early += glide[i - 1] < 0 && glide[i] >= 0;
  for (std::size_t i = 22050 - 2205; i < 22050; ++i) late += glide[i - 1] < 0 && glide[i] >= 0;
  EXPECT_NEAR(early, 21, 2);  // about 215 Hz over the first tenth
  EXPECT_NEAR(late, 75, 3);   // about 750 Hz over the last
}

}  // namespace
}  // namespace zelph::assetgen
