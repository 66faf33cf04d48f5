// What the game reads from its shipped packs for each screen: the sections and keys, and what each value must
// be. Kept as data so that a screen added to the game is a few lines here.
#pragma once

#include <string>
#include <vector>

namespace zelph::content {

// How a key's value is checked.
enum class Kind {
  kPresent,   // there, whatever it says
  kAbsent,    // must not be there (a key whose default is the right behaviour and whose value would be wrong)
  kPicture,   // an identifier ("0x" hexadecimal) of a picture that decodes
  kSound,     // ... of a sound effect that loads
  kMusic,     // ... of a music module that loads
  kDocument,  // ... of a configuration document that loads
  kSection,   // the name of another section of the same document
  kCharSet,   // base + "_chars": a set the game knows, and the font's strip holds exactly one cell per
              // character
  kText,      // text that is not empty
  kInt,       // a whole decimal number, not negative
  kVolume,    // a whole number from 0 to 64
  kBool,      // a word the boolean reading takes for what it says: 0, 1, no, yes, off, on, false, true
  kColor,     // red, green and blue, each 0 to 255
  kPoint,     // two whole numbers
  kRect,      // x, y, width and height, the size not negative
  kAnimation,  // four whole numbers: first frame, step, frame delay, play once
  kPageItem,   // "N_type" of a page: eight numbers, and the item's "N_value" as its type needs
};

struct Key {
  std::string name;
  Kind kind = Kind::kPresent;
};

// Keys numbered from 1 to the value of a count key: "%d" in a name stands for the number.
struct Counted {
  std::string countKey;
  std::vector<Key> keys;
};

struct Section {
  std::string name;
  std::vector<Key> keys;
  std::vector<Counted> counted = {};
};

// Every GUI section the screens read, with the keys each reads.
std::vector<Section> GuiSections();
// Every sound section the game reads.
std::vector<Section> SoundSections();
// The description document at the bottom of every pack.
Section PackDescription();

}  // namespace zelph::content
