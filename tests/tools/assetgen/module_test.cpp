// The music modules are checked the way a player reads them: header, order table, patterns and samples,
// with every offset and length inside the file.
#include <gtest/gtest.h>

#include <cstdlib>
#include <set>
#include <string>
#include <vector>

#include "asset_sources.h"
#include "instruments.h"
#include "mod_writer.h"
#include "song.h"

namespace zelph::assetgen {
namespace {

constexpr std::size_t kHeaderSize = 1084;

struct ParsedModule {
  int songLength = 0;
  int patterns = 0;
  std::vector<int> sampleBytes, volumes, loopStart, loopLength;
  std::set<int> periods, samplesUsed;
  bool tempoSet = false;
};

int Word(const std::vector<std::uint8_t>& m, std::size_t at) { return (m[at] << 8) | m[at + 1]; }

// An independent reader of the parts the players depend on; ADD_FAILUREs on anything out of bounds.
ParsedModule Parse(const std::vector<std::uint8_t>& m) {
  ParsedModule p;
  if (m.size() < kHeaderSize) {
    ADD_FAILURE() << "shorter than a module header";
    return p;
  }
  EXPECT_EQ(std::string(m.begin() + 1080, m.begin() + 1084), "M.K.");
  std::size_t sampleTotal = 0;
  for (int i = 0; i < 31; ++i) {
    const std::size_t at = 20 + 30 * static_cast<std::size_t>(i);
    p.sampleBytes.push_back(Word(m, at + 22) * 2);
    EXPECT_EQ(m[at + 24] & 0xF0, 0) << "finetune is a nibble";
    p.volumes.push_back(m[at + 25]);
    p.loopStart.push_back(Word(m, at + 26) * 2);
    p.loopLength.push_back(Word(m, at + 28) * 2);
    sampleTotal += static_cast<std::size_t>(p.sampleBytes.back());
  }
  p.songLength = m[950];
  EXPECT_GE(p.songLength, 1);
  EXPECT_LE(p.songLength, 128);
  int highest = 0;
  for (int i = 0; i < 128; ++i) highest = std::max<int>(highest, m[952 + static_cast<std::size_t>(i)]);
  p.patterns = highest + 1;
  EXPECT_EQ(m.size(), kHeaderSize + static_cast<std::size_t>(p.patterns) * 1024 + sampleTotal)
      << "pattern and sample data must fill the file exactly";
  if (m.size() < kHeaderSize + static_cast<std::size_t>(p.patterns) * 1024) return p;
  for (int cell = 0; cell < p.patterns * 256; ++cell) {
    const std::size_t at = kHeaderSize + static_cast<std::size_t>(cell) * 4;
    const int sample = (m[at] & 0xF0) | (m[at + 2] >> 4);
    const int period = ((m[at] & 0x0F) << 8) | m[at + 1];
    const int effect = m[at + 2] & 0x0F;
    if (period) p.periods.insert(period);
    if (sample) p.samplesUsed.insert(sample);
    if (effect == 0xF && m[at + 3] >= 32) p.tempoSet = true;
  }
  return p;
}

void CheckModule(const std::vector<std::uint8_t>& m, const std::string& what) {
  SCOPED_TRACE(what);
  const ParsedModule p = Parse(m);
  for (int period : p.periods) {
    bool known = false;
    for (int n = 0; n < kModNotes; ++n) known |= ModPeriod(n) == period;
    EXPECT_TRUE(known) << "period " << period << " is not a note";
  }
  for (int s : p.samplesUsed) {
    ASSERT_LE(s, 31);
    EXPECT_GT(p.sampleBytes[static_cast<std::size_t>(s - 1)], 2) << "pattern plays empty sample " << s;
  }
  for (std::size_t i = 0; i < 31; ++i) {
    EXPECT_LE(p.volumes[i], 64);
    if (p.loopLength[i] > 2) {
      EXPECT_LE(p.loopStart[i] + p.loopLength[i], p.sampleBytes[i]) << "sample " << i + 1;
    }
  }
  EXPECT_TRUE(p.tempoSet);
  EXPECT_GE(p.patterns, 3) << "a few patterns long";
}

TEST(Music, TheBuildsSongsComposeIntoValidModules) {
  const std::vector<Item> items = test::LoadItems("sound/music.txt");
  ASSERT_GE(items.size(), 2u);
  for (const Item& item : items) {
    ASSERT_EQ(item.attrs.size(), 1u);
    const std::string song = test::ReadText(test::AssetsDir() + "/sound/" + item.attrs[0].second);
    ASSERT_FALSE(song.empty()) << item.name;
    ModSong composed;
    std::vector<std::uint8_t> bytes;
    std::string error;
    ASSERT_TRUE(ComposeSong(song, composed, error)) << item.name << ": " << error;
    ASSERT_TRUE(WriteMod(composed, bytes, error)) << error;
    CheckModule(bytes, item.name);
  }
}

TEST(Music, ThePadLoopJoinsWithoutAStep) {
  const ModSample pad = MakeInstrument("pad", 20);
  ASSERT_GT(pad.loopLength, 0);
  const int last = pad.data[static_cast<std::size_t>(pad.loopStart + pad.loopLength - 1)];
  const int beforeLast = pad.data[static_cast<std::size_t>(pad.loopStart + pad.loopLength - 2)];
  const int first = pad.data[static_cast<std::size_t>(pad.loopStart)];
  // Across the join the wave goes on as it went before it.
  EXPECT_LE(std::abs(first - (2 * last - beforeLast)), 6);
}

TEST(Music, DecayingInstrumentsEndQuietAndStartSilent) {
  for (const char* name : {"vibes", "chiplead", "marimba", "bass", "kick", "snare", "hat"}) {
    const ModSample s = MakeInstrument(name, 40);
    SCOPED_TRACE(name);
    ASSERT_GE(s.data.size(), 4u);
    EXPECT_EQ(s.data.size() % 2, 0u);
    EXPECT_EQ(s.data[0], 0);
    EXPECT_EQ(s.data[1], 0);
    EXPECT_LE(std::abs(s.data.back()), 2);
    EXPECT_LE(s.data.size(), 131070u);
  }
  EXPECT_TRUE(MakeInstrument("kazoo", 40).data.empty());
}

TEST(Music, SongMistakesAreReportedWithTheirLine) {
  const std::string head = "lead vibes 40\narp marimba 20\nbass bass 40\n";
  const std::string fill = "melody C5:64\n";
  const std::vector<std::pair<std::string, std::string>> cases = {
      {head + "pattern A\nchords C F G C\nmelody C5:60\norder A", "64 rows"},
      {head + "pattern A\nchords C F G C\n" + fill + fill + "order A", "already has a melody"},
      {head + "pattern A\nchords C F G C\nmelody C7:64\norder A", "range"},
      {head + "pattern A\nchords C F G\n" + fill + "order A", "four chords"},
      {head + "pattern A\nchords C F H C\n" + fill + "order A", "bad chord"},
      {head + "pattern A\nchords C F G C\n" + fill + "order B", "unknown pattern"},
      {head + "pattern A\nchords C F G C\n" + fill + "arp_steps 1.3.5.9.........\norder A", "16 steps"},
      {head + "fourth tuba 20\npattern A\nchords C F G C\n" + fill + "order A", "unknown instrument"},
      {head + "tempo 20\n", "tempo"},
      {head + "volume 3\n", "unknown key"},
      {"lead vibes 40\npattern A\nchords C F G C\n" + fill + "order A", "needs a lead, an arp and a bass"},
  };
  for (const auto& [text, expected] : cases) {
    ModSong song;
    std::string error;
    EXPECT_FALSE(ComposeSong(text, song, error)) << text;
    EXPECT_NE(error.find(expected), std::string::npos) << text << "\ngave: " << error;
  }
}

TEST(Music, TheWriterRefusesWhatPlayersCouldNotRead) {
  ModSong song;
  song.patterns.resize(1);
  song.order = {0};
  std::vector<std::uint8_t> out;
  std::string error;
  ASSERT_TRUE(WriteMod(song, out, error)) << error;
  EXPECT_EQ(out.size(), kHeaderSize + 1024);
  song.samples.push_back(ModSample{"odd", std::vector<std::int8_t>(3), 64, 0, 0});
  EXPECT_FALSE(WriteMod(song, out, error));
  song.samples.back() = ModSample{"loop", std::vector<std::int8_t>(8), 64, 4, 8};
  EXPECT_FALSE(WriteMod(song, out, error));
  song.samples.back() = ModSample{"loud", std::vector<std::int8_t>(8), 65, 0, 0};
  EXPECT_FALSE(WriteMod(song, out, error));
  song.samples.back() = ModSample{"ok", std::vector<std::int8_t>(8), 64, 0, 0};
  song.order = {1};
  EXPECT_FALSE(WriteMod(song, out, error));
  song.order.clear();
  EXPECT_FALSE(WriteMod(song, out, error));
}

}  // namespace
}  // namespace zelph::assetgen
