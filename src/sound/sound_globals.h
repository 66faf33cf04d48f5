// What every sound clip reaches for: the one speaker, and the resource packs and sound document its bytes and
// sections come from. The application publishes them once they exist and withdraws them (null) before they
// go away; until then every clip operation fails quietly and nothing is heard.
#pragma once

#include "config/config_document.h"
#include "config/config_result.h"
#include "config/pack_list.h"
#include "platform/hss_speaker.h"

namespace zelph::sound {

// The failure code of every clip and set operation.
inline constexpr Result kSoundFailure = config::kGenericFailure;
// Volumes run from 0 to 64 everywhere; every clip starts at full volume.
inline constexpr int kFullVolume = 64;

void PublishSpeaker(platform::hssSpeaker* speaker);
platform::hssSpeaker* Speaker();

void PublishSoundResources(config::PackList* packs, const config::ConfigDocument* soundDocument);
config::PackList* SoundPacks();
const config::ConfigDocument* SoundSections();
// The named section of the published sound document; null when either is missing.
const config::ConfigSection* FindSoundSection(const char* name);

}  // namespace zelph::sound
