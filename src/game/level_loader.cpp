// Turning the game document into a ready level: the layout section, the selected level's pictures, grid,
// objects and prize rules, and the objects made from "enemy" definitions.
#include <algorithm>
#include <array>
#include <cstdio>
#include <cstring>
#include <string>

#include "config/pack_list.h"
#include "config/resources.h"
#include "game/game_world.h"
#include "gfx/blit.h"
#include "gfx/gfx_result.h"
#include "gfx/image_decode.h"
#include "platform/random.h"
#include "ui/fonts.h"
#include "ui/pictures.h"

namespace zelph::game {

namespace {

constexpr gfx::Rect CutTo(gfx::Rect r, std::int32_t width, std::int32_t height) {
  r.right = static_cast<std::int32_t>(r.left + std::min<std::int64_t>(r.Width(), width));
  r.bottom = static_cast<std::int32_t>(r.top + std::min<std::int64_t>(r.Height(), height));
  return r;
}

std::string Key(const char* format, std::int32_t n) {
  char key[48];
  std::snprintf(key, sizeof key, format, n);
  return key;
}

// A picture of the pack that holds it, decoded into a surface of its own (which the world draws into).
Result DecodeInto(gfx::Surface& target, config::ResourcePack* pack, std::uint32_t id) {
  if (!pack || id == 0) return gfx::GFX_E_FILE_NOT_FOUND;
  const auto bytes = pack->Extract(id);
  if (!bytes) return gfx::GFX_E_FILE_NOT_FOUND;
  return gfx::DecodeImage(target, *bytes, gfx::kCreateNoBoundsCheck);
}

void LoadClip(sound::SoundClip& clip, const config::ConfigSection& section, const char* key) {
  if (const std::uint32_t id = section.GetNumber(key, 0)) clip.LoadSound(id, false);
}

const config::ConfigSection* FindDefinition(const config::ConfigDocument& document, std::uint32_t id) {
  for (int i = document.FirstSection(); i >= 0; i = document.NextSection(i)) {
    const config::ConfigSection* s = document.SectionAt(i);
    if (s && std::strcmp(s->Name(), "enemy") == 0 && s->GetNumber("ID", 0) == id) return s;
  }
  return nullptr;
}

}  // namespace

Result GameWorld::LoadFieldLayout(const config::ConfigSection* section) {
  layout = section;
  if (!section) return gfx::GFX_E_GENERIC;
  const auto back = ui::FindRect(*section, "back_dc_rect");
  const auto field = ui::FindRect(*section, "game_field");
  const auto stylus = ui::FindRect(*section, "stylus_rect");
  const auto bottom = ui::FindRect(*section, "bott_rect");
  const auto pass = ui::FindRect(*section, "level_pass_rect");
  if (!back || !field || !stylus || !bottom || !pass) return gfx::GFX_E_GENERIC;
  backDcRect = *back;
  gameField = *field;
  stylusRect = *stylus;
  bottRect = *bottom;
  levelPassRect = *pass;
  laserStart = {};
  section->GetPoint("laser_start_pnt", laserStart);
  bottLevelRect = ui::ReadRect(*section, "bott_level_rect");
  bottColour = borderColour = 0;
  section->GetColor("bott_color", bottColour);
  section->GetColor("borders_color", borderColour);

  if (const std::uint32_t id = section->GetNumber("bott_img", 0)) {
    if (Failed(DecodeInto(bottomPanel, ui::PackFor(id), id))) bottomPanel = gfx::Surface();
  }
  if (const std::uint32_t id = section->GetNumber("level_pass_img", 0)) {
    if (Succeeded(ui::LoadPicture(levelPassImage, ui::PackFor(id), id))) {
      std::int32_t w = 0, h = 0;
      levelPassImage.FrameSize(0, &w, &h);
      levelPassRect.right = levelPassRect.left + w;
      levelPassRect.bottom = levelPassRect.top + h;
    }
  }
  barFullWidth = static_cast<std::int32_t>(levelPassRect.Width());
  barClip = {0, 0, 0, static_cast<std::int32_t>(levelPassRect.Height())};
  bottFont = ui::LoadFont(section, "bott_font");
  LoadClip(enemyDeathSound, *section, "enemy_death_sound");
  LoadClip(prizeBlinkSound, *section, "prize_blink_sound");
  LoadClip(laserReloadSound, *section, "laser_reload_sound");
  return S_OK;
}

Result GameWorld::LoadLevel(const config::ConfigDocument& doc, std::int32_t wantedDifficulty, std::int32_t wantedLevel) {
  document = &doc;
  for (int i = doc.FirstSection(); i >= 0; i = doc.NextSection(i)) {
    const config::ConfigSection* s = doc.SectionAt(i);
    if (!s || std::strcmp(s->Name(), "level") != 0) continue;
    if (s->GetInt("difficulty", -1) == wantedDifficulty && s->GetInt("level_num", -1) == wantedLevel) {
      difficulty = wantedDifficulty;
      levelNumber = wantedLevel;
      return BuildLevel(*s);
    }
  }
  return gfx::GFX_E_GENERIC;
}

Result GameWorld::BuildLevel(const config::ConfigSection& level) {
  levelSection = &level;
  name.clear();
  level.GetString("name", name);
  passPercent = level.GetInt("pass_percent", 80);
  percentPrice = level.GetInt("percent_price", 1);
  fillStart = {};
  level.GetPoint("fill_start_pnt", fillStart);
  backImageId = level.GetNumber("back_img", 0);
  textureImageId = level.GetNumber("texture_img", 0);
  if (!layout || backImageId == 0 || textureImageId == 0) return gfx::GFX_E_GENERIC;

  backPack = ui::PackFor(backImageId);
  if (Failed(ui::LoadPicture(backImage, backPack, backImageId))) return gfx::GFX_E_GENERIC;
  std::int32_t backW = 0, backH = 0;
  backImage.FrameSize(0, &backW, &backH);
  backDcRect = CutTo(backDcRect, backW, backH);

  if (Failed(DecodeInto(texture, backPack, textureImageId))) return gfx::GFX_E_GENERIC;
  texture.SetColorKey(gfx::kMagenta);
  gameField = CutTo(gameField, texture.Width(), texture.Height());
  if (gameField.IsEmpty()) return gfx::GFX_E_GENERIC;

  if (backDcRect.IsEmpty() ||
      Failed(composed.CreateSurface(gfx::kCreateNoBoundsCheck, static_cast<std::int32_t>(backDcRect.Width()),
                                    static_cast<std::int32_t>(backDcRect.Height()))) ||
      Failed(grid.Create(static_cast<std::int32_t>(gameField.Width()), static_cast<std::int32_t>(gameField.Height()),
                         CELL_OPEN))) {
    return gfx::GFX_E_GENERIC;
  }

  PlaceObjects(level);
  for (std::size_t i = objects.size(); i-- > 0;) {
    if (objects[i]->Placed(texture, grid) == gfx::GFX_E_GENERIC) EraseObject(i);
  }

  const std::int32_t prizes = std::clamp(level.GetInt("prize_count", 0), 0, config::kMaxListCount);
  for (std::int32_t n = 1; n <= prizes; ++n) {
    const std::uint32_t id = level.GetNumber(Key("prz_%d_ID", n), 0);
    if (id == 0) continue;
    std::array<std::int32_t, 4> rule{10, 60, 1, 1};
    level.GetQuad(Key("prz_%d_rand", n), rule);
    prizeRules.push_back({static_cast<std::int32_t>(id), -1, rule[0], rule[1], rule[2], rule[3]});
  }

  if (Failed(BuildField())) return gfx::GFX_E_GENERIC;
  WriteLevelNumber();
  ArmLaser();
  return S_OK;
}

void GameWorld::PlaceObjects(const config::ConfigSection& level) {
  const std::int32_t count = std::clamp(level.GetInt("enemy_count", 0), 0, config::kMaxListCount);
  for (std::int32_t n = 1; n <= count; ++n) {
    const std::uint32_t id = level.GetNumber(Key("en_%d_ID", n), 0);
    if (id == 0) continue;
    config::Point at{-1, -1};
    level.GetPoint(Key("en_%d_xy", n), at);
    std::unique_ptr<FieldObject> object = CreateObject(id, at.x, at.y);
    if (!object) continue;
    if (object->kindCode == kKindPlayer) player = dynamic_cast<HeadObject*>(object.get());
    objects.push_back(std::move(object));
  }
}

void GameWorld::WriteLevelNumber() {
  if (!bottomPanel.HasPixels()) return;
  ui::TextPen pen;
  pen.Set(bottFont.get(), bottColour);
  const std::string number = std::to_string(levelNumber);
  pen.Draw(bottomPanel, bottLevelRect.left, bottLevelRect.top, std::u16string(number.begin(), number.end()),
           gfx::kAlignLeft);
}

std::unique_ptr<FieldObject> GameWorld::CreateObject(std::uint32_t definitionId, std::int32_t x, std::int32_t y) {
  const config::ConfigSection* def = FindDefinition(document ? *document : config::GameDocument(), definitionId);
  if (!def || !factory_) return nullptr;
  const bool randomX = x < 0, randomY = y < 0;
  const bool random = randomX || randomY;
  auto draw = [](std::int32_t side) {
    return static_cast<std::int32_t>(std::int64_t{platform::Rand()} * side / platform::kRandMax);
  };
  if (randomX) x = draw(grid.Width());
  if (randomY) y = draw(grid.Height());

  std::unique_ptr<FieldObject> object = factory_->Make(def->GetInt("type", -1));
  if (!object) return nullptr;
  object->AttachWorld(this);
  if (Failed(object->Init(*def, x, y))) return nullptr;
  if (!random) return object;

  object->Prepare(grid);
  if (object->OnForbiddenGround(grid, texture)) {
    bool allowed = false;
    for (int attempt = 0; attempt < 9 && !allowed; ++attempt) {
      object->SetCell(draw(grid.Width()), draw(grid.Height()));
      object->Prepare(grid);
      allowed = !object->OnForbiddenGround(grid, texture);
    }
    if (!allowed) return nullptr;
  }
  if (object->collide) {
    for (int round = 0; round < 10; ++round) {
      object->Prepare(grid);
      bool hit = false;
      for (auto& other : objects) {
        if (other->collide && object->Collide(other.get(), kCollideRespond) != 0) hit = true;
      }
      if (!hit) break;
    }
  }
  return object;
}

}  // namespace zelph::game
