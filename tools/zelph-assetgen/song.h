// Songs written as text and composed into modules. A song names its instruments, then gives patterns of four
// bars (64 rows, 16 per bar) as a chord per bar, a melody, and rhythm lines from which the bass, the
// arpeggio and the fourth channel (a pad or drums) are played over the chords:
//
//   title Meadow Morning
//   tempo 96                     beats per minute (32..255); speed 6 ticks per row unless "speed" is given
//   lead vibes 48                channel 1: instrument and volume (0..64)
//   arp marimba 28               channel 2
//   bass bass 44                 channel 3
//   fourth pad 20                channel 4 (drums: "fourth drums 40")
//   pattern A
//   chords C Am F G              one per bar: root, optional # or b, optional m, optional 7 or maj7
//   melody E5:4 G5:4 C6:8 | ...  note and length in rows, "-" for a rest; "|" is only for reading
//   bass_steps 1.......5.......  16 steps, played in every bar: 1 3 5 7 8 chord tones, "." hold, "-" fade out
//   arp_steps  1.3.5.8.5.3.1.3.
//   fourth_steps 3...............  a pad plays chord tones; drums use k (kick), s (snare), h (hat), o (open
//   hat) order A B A C
//
// Rhythm lines carry over to later patterns until changed. "#" starts a comment.
#pragma once

#include <string>
#include <string_view>

#include "mod_writer.h"

namespace zelph::assetgen {

// False with "line N: ..." on a malformed song.
bool ComposeSong(std::string_view text, ModSong& song, std::string& error);

}  // namespace zelph::assetgen
