// What the composer puts into the patterns: the notes a song asks for, on the channels and with the
// samples it names, in the octaves each part belongs to.
#include "song.h"

#include <gtest/gtest.h>

#include <string>

#include "instruments.h"
#include "mod_writer.h"

namespace zelph::assetgen {
namespace {

constexpr int kLead = 0, kArp = 1, kBass = 2, kFourth = 3;

// MIDI note of a pattern cell for an instrument that sounds `pitchAtC3` at C-3 (note 24).
int Midi(const ModCell& c, int pitchAtC3) { return c.note - 24 + pitchAtC3; }

ModSong Compose(const std::string& body) {
  ModSong song;
  std::string error;
  EXPECT_TRUE(
      ComposeSong("tempo 100\nspeed 5\nlead vibes 40\narp marimba 20\nbass bass 30\n" + body, song, error))
      << error;
  return song;
}

TEST(Songs, MelodyNotesAndRestsLandOnTheirRows) {
  const ModSong song = Compose("pattern A\nchords C C C C\nmelody C5:4 E5:2 -:2 G4:56\norder A");
  ASSERT_EQ(song.patterns.size(), 1u);
  const ModPattern& p = song.patterns[0];
  const int vibes = InstrumentPitchAtC3("vibes");
  EXPECT_EQ(Midi(p[0][kLead], vibes), 72);
  EXPECT_EQ(p[0][kLead].sample, 1);
  EXPECT_EQ(p[1][kLead].note, -1);  // held
  EXPECT_EQ(Midi(p[4][kLead], vibes), 76);
  for (int row : {6, 7}) {  // the rest fades the note out
    EXPECT_EQ(p[static_cast<std::size_t>(row)][kLead].note, -1);
    EXPECT_EQ(p[static_cast<std::size_t>(row)][kLead].effect, 0xA);
  }
  EXPECT_EQ(Midi(p[8][kLead], vibes), 67);
  EXPECT_EQ(ModPeriod(p[0][kLead].note), 214);  // C-3
}

TEST(Songs, BassAndArpeggioPlayEachBarsChordInTheirOwnOctaves) {
  const ModSong song = Compose(
      "pattern A\nchords Am F C7 G#m\nmelody -:64\n"
      "bass_steps 1.......5.......\narp_steps 1.3.5.7.8.......\norder A");
  const ModPattern& p = song.patterns[0];
  const int bass = InstrumentPitchAtC3("bass"), arp = InstrumentPitchAtC3("marimba");
  // Bar roots from E2 upwards: A2, F2, C3, G#2; the fifth above on step 8.
  const int roots[] = {45, 41, 48, 44};
  for (int bar = 0; bar < 4; ++bar) {
    SCOPED_TRACE(bar);
    const auto& first = p[static_cast<std::size_t>(bar * 16)];
    EXPECT_EQ(Midi(first[kBass], bass), roots[bar]);
    EXPECT_EQ(first[kBass].sample, 3);
    EXPECT_EQ(Midi(p[static_cast<std::size_t>(bar * 16 + 8)][kBass], bass), roots[bar] + 7);
  }
  // The arpeggio spells Am from G3 upwards: A3 C4 E4, then the octave for "7" (no seventh in Am), then A4.
  const int am[] = {57, 60, 64, 69, 69};
  for (int i = 0; i < 5; ++i) EXPECT_EQ(Midi(p[static_cast<std::size_t>(2 * i)][kArp], arp), am[i]) << i;
  // C7 has its minor seventh.
  EXPECT_EQ(Midi(p[32 + 6][kArp], arp), 55 + 5 + 10);  // C4 + 10 = Bb4 (root placed from G3: C4)
}

TEST(Songs, DrumsAndTempoGoOnTheFourthChannelAndEveryPatternStartsWithTheSpeed) {
  ModSong song;
  std::string error;
  ASSERT_TRUE(
      ComposeSong("tempo 140\nspeed 4\nlead chiplead 40\narp marimba 20\nbass bass 30\nfourth drums 40\n"
                  "pattern A\nchords C C C C\nmelody -:64\nfourth_steps k.h.s.o.........\n"
                  "pattern B\nchords G G G G\nmelody -:64\norder A B A",
                  song, error))
      << error;
  ASSERT_EQ(song.samples.size(), 6u);  // lead, arp, bass, kick, snare, hat
  EXPECT_EQ(song.samples[3].name, "kick");
  EXPECT_EQ(song.order, (std::vector<int>{0, 1, 0}));
  for (const ModPattern& p : song.patterns) {
    EXPECT_EQ(p[0][kBass].effect, 0xF);
    EXPECT_EQ(p[0][kBass].param, 4);
    EXPECT_EQ(p[0][kFourth].effect, 0xF);
    EXPECT_EQ(p[0][kFourth].param, 140);
  }
  const ModPattern& a = song.patterns[0];
  EXPECT_EQ(a[0][kFourth].sample, 4);  // kick (its cell also carries the tempo)
  EXPECT_EQ(a[2][kFourth].sample, 6);  // hat, quiet
  EXPECT_EQ(a[2][kFourth].effect, 0xC);
  EXPECT_EQ(a[4][kFourth].sample, 5);  // snare
  EXPECT_GT(a[6][kFourth].param, a[2][kFourth].param) << "the open hat is louder than the closed one";
  // Pattern B inherited the drum steps.
  EXPECT_EQ(song.patterns[1][4][kFourth].sample, 5);
}

}  // namespace
}  // namespace zelph::assetgen
