#include "sound/sound_globals.h"

#include <atomic>

namespace zelph::sound {
namespace {

// Published from the main thread and read by both game threads.
std::atomic<platform::hssSpeaker*> gSpeaker{nullptr};
std::atomic<config::PackList*> gPacks{nullptr};
std::atomic<const config::ConfigDocument*> gSoundDocument{nullptr};

}  // namespace

void PublishSpeaker(platform::hssSpeaker* speaker) { gSpeaker = speaker; }
platform::hssSpeaker* Speaker() { return gSpeaker; }

void PublishSoundResources(config::PackList* packs, const config::ConfigDocument* soundDocument) {
  gPacks = packs;
  gSoundDocument = soundDocument;
}
config::PackList* SoundPacks() { return gPacks; }
const config::ConfigDocument* SoundSections() { return gSoundDocument; }

const config::ConfigSection* FindSoundSection(const char* name) {
  const config::ConfigDocument* document = gSoundDocument;
  return document && name ? document->FindSection(name) : nullptr;
}

}  // namespace zelph::sound
