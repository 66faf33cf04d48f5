// A level for the object kinds' tests: a boxed 200 x 100 field with the cutting head on its top border,
// every kind registered, and the objects a test places from its own definitions.
#pragma once

#include <string>

#include "game/world_fixture.h"
#include "objects/object_kinds.h"
#include "objects/player.h"

namespace zelph::objects::test {

// The head's keys (definition 1): radius 0, hurt on any ground by anything that may hurt it.
inline const char* const kHeadKeys =
    "type=999999\nrect=-2 -2 5 5\ncut_rect=-3 -3 7 7\naprox_figure=20000\n"
    "aprox_figure_param=0 0 0 0 0 0 0 0\nmove_on=3\ncollide=1\nprocess_cur_state=1\ntest_fill_flag=0\n";

class KindsTest : public game::test::WorldTest {
 protected:
  void SetUp() override {
    WorldTest::SetUp();
    RegisterObjectKinds(factory);
  }

  // The head at (100, 0) and then the entries of `placed` ("en_2_ID=5\nen_2_xy=40 50\n", ...), `count` in
  // all; `head` keys come before the head's own (the first entry of a key wins), `level` keys before the
  // box's, so a test may give its own borders.
  void Play(const std::string& placed, int count, const std::string& definitions,
            const std::string& head = "", const std::string& level = "") {
    world.Reset();
    document.Clear();
    // Unprotected, one pixel per frame, unless the test says otherwise.
    const std::string headKeys = "unbreakable_param=0 10\nspeed_rand=1 1\n";
    Document(std::string(game::test::kLayout) + "laser_death_time=1\n" +
                 Level(1, 1,
                       level + game::test::kBox + "enemy_count=" + std::to_string(count) +
                           "\nen_1_ID=1\nen_1_xy=100 0\n" + placed) +
                 "[enemy]\nID=1\n" + head + headKeys + kHeadKeys + definitions,
             false);
    ASSERT_EQ(Load(), S_OK);
    ASSERT_NE(world.player, nullptr);
    this->head = static_cast<Player*>(world.player);
  }

  void Frames(int n) {
    for (int i = 0; i < n; ++i) world.Tick();
  }

  // The object of the list with definition `id` (the first), or null.
  game::FieldObject* Find(std::uint32_t id) const {
    for (const auto& o : world.objects) {
      if (o->definitionId == id) return o.get();
    }
    return nullptr;
  }

  Player* head = nullptr;
};

}  // namespace zelph::objects::test
