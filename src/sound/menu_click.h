// The one click sound of the menus, made from a section of the sound document ("menu_btn_sound").
#pragma once

#include "sound/sound_clip.h"

namespace zelph::sound {

// Releases the previous click sound and makes a new one from the section: "soundRCID" (missing: -1, which no
// pack holds, so the clip stays silent; 0: no click sound at all), loaded now, at volume "sound_vol"
// (default 0). kSoundFailure when the section is missing; otherwise the load's result.
Result LoadMenuClickSound(const char* section);
void ReleaseMenuClickSound();
// The click sound, or null.
SoundClip* MenuClickSound();
// Played once at full volume when a menu button that asks for it is pressed.
void PlayMenuClickSound();

}  // namespace zelph::sound
