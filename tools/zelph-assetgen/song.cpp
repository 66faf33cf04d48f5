#include "song.h"

#include <charconv>
#include <map>
#include <sstream>
#include <vector>

#include "instruments.h"

namespace zelph::assetgen {

namespace {

constexpr int kBars = 4;
constexpr int kStepsPerBar = 16;
constexpr int kFadeOut = 0x08;  // volume slide down, per tick

struct Chord {
  int root = 0;  // pitch class, C = 0
  bool minor = false;
  int seventh = 0;  // semitones of the seventh above the root, 0 for none
};

struct MelodyNote {
  int midi = -1;  // -1: rest
  int rows = 0;
};

struct PatternText {
  int line = 0;
  Chord chords[kBars];
  bool hasChords = false;
  std::vector<MelodyNote> melody;
  std::string rhythm[3];  // arp, bass, fourth
};

enum Role { kLead, kArp, kBass, kFourth };

int PitchClass(char letter) {
  static constexpr int kClasses[] = {9, 11, 0, 2, 4, 5, 7};  // A B C D E F G
  return letter >= 'A' && letter <= 'G' ? kClasses[letter - 'A'] : -1;
}

bool ParseChord(std::string_view text, Chord& c) {
  if (text.empty() || PitchClass(text[0]) < 0) return false;
  c = Chord{};
  c.root = PitchClass(text[0]);
  text.remove_prefix(1);
  if (!text.empty() && (text[0] == '#' || text[0] == 'b')) {
    c.root = (c.root + (text[0] == '#' ? 1 : 11)) % 12;
    text.remove_prefix(1);
  }
  if (text.substr(0, 4) == "maj7") {
    c.seventh = 11;
    text.remove_prefix(4);
  } else {
    if (!text.empty() && text[0] == 'm') {
      c.minor = true;
      text.remove_prefix(1);
    }
    if (!text.empty() && text[0] == '7') {
      c.seventh = 10;
      text.remove_prefix(1);
    }
  }
  return text.empty();
}

bool ParseNote(std::string_view text, int& midi) {
  if (text.size() < 2 || PitchClass(text[0]) < 0) return false;
  int pc = PitchClass(text[0]);
  text.remove_prefix(1);
  if (text[0] == '#' || text[0] == 'b') {
    pc += text[0] == '#' ? 1 : -1;
    text.remove_prefix(1);
  }
  if (text.size() != 1 || text[0] < '0' || text[0] > '8') return false;
  midi = (text[0] - '0' + 1) * 12 + pc;
  return true;
}

bool ParseInt(std::string_view text, int& out) {
  auto [ptr, ec] = std::from_chars(text.data(), text.data() + text.size(), out);
  return ec == std::errc() && ptr == text.data() + text.size();
}

// Semitones above the chord's root for a rhythm step character; -1 when it is not a chord tone.
int ChordTone(const Chord& c, char step) {
  switch (step) {
    case '1':
      return 0;
    case '3':
      return c.minor ? 3 : 4;
    case '5':
      return 7;
    case '7':
      return c.seventh ? c.seventh : 12;
    case '8':
      return 12;
    default:
      return -1;
  }
}

// The root of a chord placed in the octave that starts at `lowest` (a MIDI note).
int RootFrom(const Chord& c, int lowest) { return lowest + ((c.root - lowest % 12 + 24) % 12); }

struct Composer {
  std::string instrument[4];
  int volume[4] = {48, 28, 44, 20};
  bool drums = false;
  int tempo = 125, speed = 6;
  std::string error;

  bool Place(ModPattern& p, int row, Role role, int midi, int sample) {
    const int note = midi - InstrumentPitchAtC3(instrument[role]) + 24;
    if (note < 0 || note >= kModNotes) {
      error = "a note lies outside the range of the " + instrument[role] + " (three octaves)";
      return false;
    }
    p[static_cast<std::size_t>(row)][role] = ModCell{note, sample, 0, 0};
    return true;
  }

  bool Compose(const PatternText& t, const std::string* rhythm, ModPattern& p) {
    int row = 0;
    for (const MelodyNote& n : t.melody) {
      if (n.midi >= 0 && !Place(p, row, kLead, n.midi, 1)) return false;
      if (n.midi < 0)
        for (int r = row; r < row + n.rows; ++r)
          p[static_cast<std::size_t>(r)][kLead] = ModCell{-1, 0, 0xA, kFadeOut};
      row += n.rows;
    }
    static constexpr Role kRhythmRoles[] = {kArp, kBass, kFourth};
    static constexpr int kLowest[] = {55, 40, 60};  // arp from G3, bass from E2, pad from C4
    for (int k = 0; k < 3; ++k) {
      const std::string& steps = rhythm[k];
      if (steps.empty() || (k == 2 && instrument[kFourth].empty())) continue;
      for (int bar = 0; bar < kBars; ++bar)
        for (int s = 0; s < kStepsPerBar; ++s) {
          const char c = steps[static_cast<std::size_t>(s)];
          const int r = bar * kStepsPerBar + s;
          ModCell& cell = p[static_cast<std::size_t>(r)][kRhythmRoles[k]];
          if (c == '-') cell = ModCell{-1, 0, 0xA, kFadeOut};
          if (k == 2 && drums) {
            // Drums sound at C-3; the hats are quieter, the open hat a little less so.
            if (c == 'k') cell = ModCell{24, 4, 0, 0};
            if (c == 's') cell = ModCell{24, 5, 0, 0};
            if (c == 'h') cell = ModCell{24, 6, 0xC, 18};
            if (c == 'o') cell = ModCell{24, 6, 0xC, 34};
            continue;
          }
          const int tone = ChordTone(t.chords[bar], c);
          if (tone >= 0 && !Place(p, r, kRhythmRoles[k], RootFrom(t.chords[bar], kLowest[k]) + tone, 2 + k))
            return false;
        }
    }
    // Every pattern sets the speed and tempo, so the song plays right from whichever pattern it starts.
    p[0][kBass].effect = 0xF;
    p[0][kBass].param = speed;
    p[0][kFourth].effect = 0xF;
    p[0][kFourth].param = tempo;
    return true;
  }
};

bool ValidRhythm(const std::string& s, bool drums) {
  if (s.size() != kStepsPerBar) return false;
  for (char c : s)
    if (std::string_view(drums ? ".-ksho" : ".-13578").find(c) == std::string_view::npos) return false;
  return true;
}

}  // namespace

bool ComposeSong(std::string_view text, ModSong& song, std::string& error) {
  Composer composer;
  std::map<std::string, int> patternIndex;
  std::vector<PatternText> patterns;
  std::vector<std::string> order;
  std::string title = "untitled";
  std::istringstream in{std::string(text)};
  std::string line;
  int lineNumber = 0;
  auto fail = [&](const std::string& what) {
    error = "line " + std::to_string(lineNumber) + ": " + what;
    return false;
  };
  while (std::getline(in, line)) {
    ++lineNumber;
    // '#' is also a sharp: only a '#' that starts a word begins a comment.
    for (std::size_t i = 0; i < line.size(); ++i)
      if (line[i] == '#' && (i == 0 || line[i - 1] == ' ' || line[i - 1] == '\t')) {
        line.resize(i);
        break;
      }
    std::istringstream words(line);
    std::string key;
    if (!(words >> key)) continue;
    std::vector<std::string> args;
    for (std::string w; words >> w;) args.push_back(w);
    if (key == "title") {
      title.clear();
      for (const std::string& a : args) title += (title.empty() ? "" : " ") + a;
    } else if (key == "tempo" || key == "speed") {
      int v = 0;
      const bool tempo = key == "tempo";
      if (args.size() != 1 || !ParseInt(args[0], v) || (tempo ? (v < 32 || v > 255) : (v < 1 || v > 31)))
        return fail(tempo ? "tempo must be 32 to 255" : "speed must be 1 to 31");
      (tempo ? composer.tempo : composer.speed) = v;
    } else if (key == "lead" || key == "arp" || key == "bass" || key == "fourth") {
      const Role role = key == "lead" ? kLead : key == "arp" ? kArp : key == "bass" ? kBass : kFourth;
      int volume = 0;
      if (args.size() != 2 || !ParseInt(args[1], volume) || volume < 0 || volume > 64)
        return fail("expected an instrument and a volume 0..64");
      const bool drums = role == kFourth && args[0] == "drums";
      if (!drums && (!IsInstrument(args[0]) || IsDrum(args[0]))) return fail("unknown instrument " + args[0]);
      composer.instrument[role] = args[0];
      composer.volume[role] = volume;
      if (role == kFourth) composer.drums = drums;
    } else if (key == "pattern") {
      if (args.size() != 1 || patternIndex.count(args[0])) return fail("pattern needs a new name");
      patternIndex[args[0]] = static_cast<int>(patterns.size());
      patterns.push_back(PatternText{});
      patterns.back().line = lineNumber;
      if (patterns.size() > 1)
        for (int k = 0; k < 3; ++k) patterns.back().rhythm[k] = patterns[patterns.size() - 2].rhythm[k];
    } else if (key == "chords" || key == "melody" || key == "arp_steps" || key == "bass_steps" ||
               key == "fourth_steps") {
      if (patterns.empty()) return fail(key + " before the first pattern");
      PatternText& p = patterns.back();
      if (key == "chords") {
        if (args.size() != kBars) return fail("a pattern has four chords, one per bar");
        for (int b = 0; b < kBars; ++b)
          if (!ParseChord(args[static_cast<std::size_t>(b)], p.chords[b]))
            return fail("bad chord " + args[static_cast<std::size_t>(b)]);
        p.hasChords = true;
      } else if (key == "melody") {
        if (!p.melody.empty()) return fail("the pattern already has a melody");
        int rows = 0;
        for (const std::string& a : args) {
          if (a == "|") continue;
          const std::size_t colon = a.find(':');
          MelodyNote n;
          if (colon == std::string::npos || !ParseInt(std::string_view(a).substr(colon + 1), n.rows) ||
              n.rows < 1)
            return fail("a melody note is NOTE:ROWS, found " + a);
          if (a.substr(0, colon) != "-" && !ParseNote(std::string_view(a).substr(0, colon), n.midi))
            return fail("bad note " + a.substr(0, colon));
          rows += n.rows;
          p.melody.push_back(n);
        }
        if (rows != kModRows) return fail("the melody must fill 64 rows, it has " + std::to_string(rows));
      } else {
        const int k = key == "arp_steps" ? 0 : key == "bass_steps" ? 1 : 2;
        if (args.size() != 1 || !ValidRhythm(args[0], k == 2 && composer.drums))
          return fail(key + " needs 16 steps of chord tones (1 3 5 7 8), drums (k s h o), '.' or '-'");
        p.rhythm[k] = args[0];
      }
    } else if (key == "order") {
      order = args;
    } else {
      return fail("unknown key " + key);
    }
  }
  lineNumber = 0;
  if (composer.instrument[kLead].empty() || composer.instrument[kArp].empty() ||
      composer.instrument[kBass].empty())
    return fail("the song needs a lead, an arp and a bass instrument");
  if (patterns.empty() || order.empty()) return fail("the song needs patterns and an order");

  song = ModSong{};
  song.title = title;
  for (int role = 0; role < 4; ++role) {
    if (role == kFourth && composer.drums) {
      song.samples.push_back(MakeInstrument("kick", composer.volume[role]));
      song.samples.push_back(MakeInstrument("snare", composer.volume[role] * 3 / 4));
      song.samples.push_back(MakeInstrument("hat", composer.volume[role]));
    } else if (!composer.instrument[role].empty()) {
      song.samples.push_back(MakeInstrument(composer.instrument[role], composer.volume[role]));
    }
  }
  for (const PatternText& t : patterns) {
    lineNumber = t.line;
    if (!t.hasChords) return fail("the pattern has no chords");
    ModPattern p{};
    if (!composer.Compose(t, t.rhythm, p)) return fail(composer.error);
    song.patterns.push_back(p);
  }
  for (const std::string& name : order) {
    auto it = patternIndex.find(name);
    if (it == patternIndex.end()) return fail("the order names an unknown pattern " + name);
    song.order.push_back(it->second);
  }
  return true;
}

}  // namespace zelph::assetgen
