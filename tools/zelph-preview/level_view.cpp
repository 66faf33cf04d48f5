#include "level_view.h"

#include <array>

#include "config/resources.h"
#include "objects/object_kinds.h"
#include "platform/random.h"

namespace zelph::preview {

int LevelCount() {
  const config::ConfigSection* all = config::GameDocument().FindSection("all_levels");
  std::array<std::int32_t, 4> last{};
  return all && all->GetQuad("dif1_level", last) ? last[0] : 0;
}

LevelView::LevelView() {
  objects::RegisterObjectKinds(factory_);
  world_.SetFactory(&factory_);
}

bool LevelView::Load(int number) {
  world_.Reset();
  // The same places on every run, so that two previews of a level can be compared.
  platform::SRand(1);
  return world_.LoadFieldLayout(config::GameDocument().FindSection("game_filed")) == S_OK &&
         world_.LoadLevel(config::GameDocument(), 1, number) == S_OK;
}

Result LevelView::Draw(gfx::Surface& target, int originX, int originY, const ui::Rect&) {
  world_.Draw(target, originX, originY);
  world_.DrawLaserEmitter(target, originX, originY);
  world_.DrawBeam(target, originX, originY);
  return S_OK;
}

}  // namespace zelph::preview
