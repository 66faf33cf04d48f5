#include "sound/menu_click.h"

#include <memory>

namespace zelph::sound {
namespace {

constexpr std::uint32_t kMissingClickId = 0xFFFFFFFF;  // -1

// Never destroyed: the application releases it at exit, before the speaker goes.
std::unique_ptr<SoundClip>& ClickHolder() {
  static auto* holder = new std::unique_ptr<SoundClip>;
  return *holder;
}

}  // namespace

Result LoadMenuClickSound(const char* section) {
  ReleaseMenuClickSound();
  const config::ConfigSection* found = FindSoundSection(section);
  if (!found) return kSoundFailure;
  std::uint32_t id = found->GetNumber("soundRCID", kMissingClickId);
  if (id == 0) return S_OK;
  auto clip = std::make_unique<SoundClip>();
  Result r = clip->LoadSound(id, false);
  clip->SetSoundVolume(found->GetInt("sound_vol", 0));
  ClickHolder() = std::move(clip);
  return r;
}

void ReleaseMenuClickSound() { ClickHolder().reset(); }

SoundClip* MenuClickSound() { return ClickHolder().get(); }

void PlayMenuClickSound() {
  if (SoundClip* clip = MenuClickSound()) clip->PlaySound(1, kFullVolume);
}

}  // namespace zelph::sound
