// What the game reads from its shipped packs for each screen: the sections and keys, and which keys name a
// resource and of what kind. Kept as data so that a screen added to the game is a few lines here.
#pragma once

#include <string>
#include <vector>

namespace zelph::content {

// How a key's value is checked: present only, or an identifier that must resolve to a resource of a kind.
enum class Kind { kPresent, kPicture, kSound, kMusic };

struct Key {
  std::string name;
  Kind kind = Kind::kPresent;
};

struct Section {
  std::string name;
  std::vector<Key> keys;
};

// Every GUI section the screens read, with the keys each reads.
std::vector<Section> GuiSections();
// Every sound section the game reads.
std::vector<Section> SoundSections();

}  // namespace zelph::content
