#include "game/world_dump.h"

#include <cstdio>
#include <string>

namespace zelph::game {

namespace {

std::string Pair(std::int32_t a, std::int32_t b) { return std::to_string(a) + "," + std::to_string(b); }

}  // namespace

void WriteWorldDump(const GameWorld* world, std::ostream& out) {
  out << "zelph-dump 1\n";
  if (!world || world->grid.Empty()) {
    out << "game none\n";
    return;
  }
  const GameWorld& w = *world;
  out << "difficulty " << w.difficulty << "\n"
      << "level " << w.levelNumber << "\n"
      << "score " << w.score << "\n"
      << "lives " << w.lives << "\n"
      << "percent " << w.percent << "\n"
      << "initial_percent " << w.initialPercent << "\n"
      << "pass_percent " << w.passPercent << "\n"
      << "objects " << w.objects.size() << "\n";
  char id[16];
  for (const auto& o : w.objects) {
    std::snprintf(id, sizeof id, "0x%08X", o->definitionId);
    out << "object kind=" << o->kindCode << " id=" << id << " cell=" << Pair(o->CellX(), o->CellY())
        << " pos=" << Pair(o->position.x, o->position.y) << " vel=" << Pair(o->velocity.x, o->velocity.y)
        << " dead=" << (o->dead ? 1 : 0) << " removed=" << (o->removed ? 1 : 0) << "\n";
  }
  if (const HeadObject* head = w.player) {
    out << "head god_frames=" << head->GodFrames() << " slowed=" << (head->slowed ? 1 : 0)
        << " slow_timer=" << head->slowTimer << " speed=" << head->speed << "\n";
  }
  out << "prize_rules " << w.prizeRules.size() << "\n";
  for (const PrizeSpawn& rule : w.prizeRules) {
    std::snprintf(id, sizeof id, "0x%08X", static_cast<std::uint32_t>(rule.id));
    out << "prize_rule id=" << id << " timer=" << rule.timer << " delay=" << Pair(rule.minDelay, rule.maxDelay)
        << " max_alive=" << rule.maxAlive << " remaining=" << rule.remaining << "\n";
  }
  out << "prize_icons " << w.prizeIcons.size() << "\n";
  for (const auto& icon : w.prizeIcons) {
    out << "prize_icon key=" << icon->key << " place=" << Pair(icon->place.left, icon->place.top)
        << " life=" << icon->lifeFrames << " steady=" << icon->steadyFrames
        << " blink=" << Pair(icon->blinkPeriod, icon->blinkPhase) << "\n";
  }
  out << "grid " << w.grid.Width() << " " << w.grid.Height() << "\n";
  static constexpr char kHex[] = "0123456789abcdef";
  std::string row(static_cast<std::size_t>(w.grid.Width()) * 2 + 1, '\n');
  for (std::int32_t y = 0; y < w.grid.Height(); ++y) {
    const CellValue* cells = w.grid.Row(y);
    for (std::int32_t x = 0; x < w.grid.Width(); ++x) {
      row[2 * static_cast<std::size_t>(x)] = kHex[cells[x] >> 4];
      row[2 * static_cast<std::size_t>(x) + 1] = kHex[cells[x] & 15];
    }
    out << row;
  }
}

}  // namespace zelph::game
