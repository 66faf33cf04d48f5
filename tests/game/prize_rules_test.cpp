// The prize rules as a player meets them: when prizes appear and how many, what their effects do to the
// other objects and the lives, and the icons that show, blink with their sound and go.
#include <gtest/gtest.h>

#include <memory>
#include <vector>

#include "platform/hss_output.h"
#include "sound/sound_globals.h"
#include "test_support/audio_data.h"
#include "world_fixture.h"

namespace zelph::game::test {
namespace {

constexpr std::uint32_t kPrizeId = 7;
// Sounds, in a pack of their own.
constexpr std::uint32_t kBlinkSoundId = 0x01030001;
constexpr std::uint32_t kWorkSoundId = 0x01030002;
constexpr std::uint32_t kGodSoundId = 0x01030003;

class PrizeRules : public WorldTest {
 protected:
  void SetUp() override {
    WorldTest::SetUp();
    const auto wav = zelph::test::MakeWav(22050, 16, 1, std::vector<std::int16_t>(22050, 1000));
    std::vector<config::PackResource> sounds;
    for (std::uint32_t id : {kBlinkSoundId, kWorkSoundId, kGodSoundId}) sounds.push_back({id, "s", "WAV", wav});
    std::vector<std::uint8_t> image;
    std::string error;
    ASSERT_TRUE(config::BuildPack(sounds, u"sounds", image, error)) << error;
    ASSERT_TRUE(platform::WriteFileAtomically(dir.path() / "sound.pak", image));
    ASSERT_GE(config::GlobalPackList().Add(dir.path() / "sound.pak"), 0);
    auto output = std::make_unique<platform::PulledAudioOutput>();
    speaker = std::make_unique<platform::hssSpeaker>(std::move(output));
    ASSERT_EQ(speaker->open(22050, 16, false, 1, 4), S_OK);
    sound::PublishSpeaker(speaker.get());
    sound::PublishSoundResources(&config::GlobalPackList(), &soundDocument);
  }

  void TearDown() override {
    WorldTest::TearDown();
    sound::PublishSoundResources(nullptr, nullptr);
    sound::PublishSpeaker(nullptr);
  }

  // The boxed field with the level's extra keys and the prize definition (a still pin).
  void Play(const std::string& level) {
    Document(std::string(kLayout) + "prize_blink_sound=" + std::to_string(kBlinkSoundId) +
                 "\nlaser_work_sound=" + std::to_string(kWorkSoundId) +
                 "\nlaser_god_work_sound=" + std::to_string(kGodSoundId) + "\n" + Level(1, 1, kBox + level) +
                 Enemy(kPrizeId, "speed_rand=0 0\n") + Enemy(2, "speed_rand=3 3\nprocess_cur_state=1\n"),
             false);
    ASSERT_EQ(Load(), S_OK);
  }

  std::size_t Prizes() const {
    std::size_t n = 0;
    for (const auto& o : world.objects) n += o->definitionId == kPrizeId ? 1 : 0;
    return n;
  }

  // Runs the spawning for `frames` frames; answers the frames (from 1) in which a prize appeared.
  // `takeAll` removes every prize right after it appears, as if the head had taken it.
  std::vector<int> Spawn(int frames, bool takeAll) {
    std::vector<int> at;
    for (int frame = 1; frame <= frames; ++frame) {
      const std::size_t before = Prizes();
      world.SpawnPrizes();
      if (Prizes() > before) at.push_back(frame);
      if (takeAll) std::erase_if(world.objects, [](const auto& o) { return o->definitionId == kPrizeId; });
    }
    return at;
  }

  static PrizeIconLook Look(std::int32_t lifeSeconds, std::int32_t steadySeconds, std::int32_t blinkPeriod) {
    PrizeIconLook look;
    look.param = {1, lifeSeconds, steadySeconds, blinkPeriod};
    look.image = kMarkId;
    look.place = {30, 210, 34, 214};
    return look;
  }

  config::ConfigDocument soundDocument;
  std::unique_ptr<platform::hssSpeaker> speaker;
};

TEST_F(PrizeRules, FiveSecondsTwoAliveTenInAll) {
  Play("prize_count=1\nprz_1_ID=7\nprz_1_rand=5 5 2 10\n");
  const std::vector<int> at = Spawn(3000, true);
  ASSERT_EQ(at.size(), 10u) << "ten in all";
  EXPECT_EQ(at[0], 151) << "armed in the first frame, due five seconds later";
  for (std::size_t i = 1; i < at.size(); ++i) EXPECT_EQ(at[i] - at[i - 1], 150) << i;
  EXPECT_TRUE(world.prizeRules.empty()) << "a rule with no spawns left goes";
}

TEST_F(PrizeRules, AFullFieldSkipsTheSpawnWithoutUsingItUp) {
  Play("prize_count=1\nprz_1_ID=7\nprz_1_rand=5 5 2 10\n");
  EXPECT_EQ(Spawn(1000, false), (std::vector<int>{151, 301}));
  EXPECT_EQ(Prizes(), 2u) << "never more than two alive";
  ASSERT_EQ(world.prizeRules.size(), 1u);
  EXPECT_EQ(world.prizeRules[0].remaining, 8) << "skipped attempts do not count";
  EXPECT_GT(world.prizeRules[0].timer, 0) << "and the rule re-arms";
  world.objects.pop_back();
  const std::vector<int> next = Spawn(150, false);
  ASSERT_EQ(next.size(), 1u) << "room again: the next attempt places one";
  EXPECT_EQ(world.prizeRules[0].remaining, 7);
}

TEST_F(PrizeRules, TheDefaultRuleGivesOnePrizeBetweenTenAndSixtySeconds) {
  for (unsigned seed : {1u, 2u, 3u}) {
    platform::SRand(seed);
    Play("prize_count=1\nprz_1_ID=7\n");
    const std::vector<int> at = Spawn(2000, true);
    ASSERT_EQ(at.size(), 1u) << seed;
    EXPECT_GE(at[0], 10 * 30 + 1) << seed;
    EXPECT_LE(at[0], 60 * 30 + 1) << seed;
    EXPECT_TRUE(world.prizeRules.empty());
  }
}

TEST_F(PrizeRules, HostileRuleNumbersNeitherStallNorOverflow) {
  // A negative delay spawns at once rather than never; a vast one waits as long as 32 bits allow.
  Play("prize_count=2\nprz_1_ID=7\nprz_1_rand=-9 -9 1 1\nprz_2_ID=7\nprz_2_rand=2000000000 2147483647 1 1\n");
  EXPECT_EQ(Spawn(3, true), (std::vector<int>{2}));
  ASSERT_EQ(world.prizeRules.size(), 1u);
  EXPECT_EQ(world.prizeRules[0].timer, 2147483647 - 2);
}

TEST_F(PrizeRules, SlowEnemiesHalvesOnceAndASecondPrizeOnlyRestartsTheTime) {
  Play("enemy_count=1\nen_1_ID=2\nen_1_xy=50 50\n");
  FieldObject& enemy = *world.objects[0];
  ASSERT_EQ(enemy.speed, 3 * kOne);
  enemy.velocity = {3 * kOne, 0};
  world.ApplyPrize(kPrizeSlowEnemies, 50, 8);
  EXPECT_EQ(enemy.speed, 384);
  EXPECT_EQ(enemy.velocity, (Vec8{384, 0}));
  for (int i = 0; i < 100; ++i) enemy.Update(world.grid, kUpdateAll);
  world.ApplyPrize(kPrizeSlowEnemies, 50, 8);
  EXPECT_EQ(enemy.speed, 384) << "not halved again";
  EXPECT_EQ(enemy.slowTimer, 8 * 30) << "the eight seconds start again";
  for (int i = 0; i < 240; ++i) enemy.Update(world.grid, kUpdateAll);
  EXPECT_EQ(enemy.speed, 384) << "still within the restarted time";
  enemy.Update(world.grid, kUpdateAll);
  EXPECT_EQ(enemy.speed, 3 * kOne) << "full speed after eight seconds";
  EXPECT_EQ(enemy.velocity, (Vec8{3 * kOne, 0}));
}

TEST_F(PrizeRules, ExtraLivesStayWithinRange) {
  Play("");
  world.lives = 3;
  world.ApplyPrize(kPrizeLives, 2, 0);
  EXPECT_EQ(world.lives, 5);
  world.ApplyPrize(kPrizeLives, -9, 0);
  EXPECT_EQ(world.lives, 0) << "never below the 0 that ends the game";
  world.lives = 2147483600;
  world.ApplyPrize(kPrizeLives, 1000, 0);
  EXPECT_EQ(world.lives, 2147483647);
  world.ApplyPrize(7, 5, 5);
  EXPECT_EQ(world.lives, 2147483647) << "an unknown prize type does nothing";
}

TEST_F(PrizeRules, AnIconLivesSteadyThenBlinksWithItsSoundThenGoes) {
  Play("");
  ASSERT_EQ(world.ShowPrizeIcon(kPrizeLives, Look(3, 2, 4)), S_OK);
  ASSERT_EQ(world.prizeIcons.size(), 1u);
  const PrizeIcon& icon = *world.prizeIcons[0];
  EXPECT_EQ(icon.lifeFrames, 90);
  auto shown = [&] {
    gfx::Surface screen;
    EXPECT_EQ(screen.CreateSurface(gfx::kCreateClear, 300, 240), S_OK);
    world.DrawPrizeIcons(screen, 10, 5);
    return screen.Row(5 + 211)[(10 + 31) * screen.XStep()] != 0;
  };
  for (int i = 0; i < 59; ++i) world.TickPrizeIcons();
  EXPECT_TRUE(shown());
  EXPECT_FALSE(world.prizeBlinkSound.IsSoundPlaying()) << "steady for two seconds";
  std::string pattern;
  for (int i = 0; i < 12; ++i) {
    world.TickPrizeIcons();
    pattern += shown() ? 'x' : '.';
  }
  EXPECT_EQ(pattern, "xxx.....xxxx") << "four frames shown, five hidden";
  EXPECT_TRUE(world.prizeBlinkSound.IsSoundPlaying());
  for (int i = 0; i < 19; ++i) world.TickPrizeIcons();
  EXPECT_EQ(world.prizeIcons.size(), 1u) << "three seconds of life";
  world.TickPrizeIcons();
  EXPECT_TRUE(world.prizeIcons.empty());
  EXPECT_FALSE(world.prizeBlinkSound.IsSoundPlaying());
  EXPECT_FALSE(shown());
}

TEST_F(PrizeRules, ASecondPrizeOfAKindRestartsItsIconAndAnotherKindAddsOne) {
  Play("");
  ASSERT_EQ(world.ShowPrizeIcon(kPrizeGodMode, Look(8, 6, 10)), S_OK);
  for (int i = 0; i < 200; ++i) world.TickPrizeIcons();
  EXPECT_EQ(world.prizeIcons[0]->lifeFrames, 40);
  EXPECT_TRUE(world.prizeBlinkSound.IsSoundPlaying());
  ASSERT_EQ(world.ShowPrizeIcon(kPrizeGodMode, Look(8, 6, 10)), S_OK);
  ASSERT_EQ(world.prizeIcons.size(), 1u) << "no second god-mode icon";
  EXPECT_EQ(world.prizeIcons[0]->lifeFrames, 240);
  EXPECT_EQ(world.prizeIcons[0]->steadyFrames, 180);
  EXPECT_EQ(world.prizeIcons[0]->blinkPhase, 10);
  ASSERT_EQ(world.ShowPrizeIcon(kPrizeSlowHead, Look(8, 6, 10)), S_OK);
  EXPECT_EQ(world.prizeIcons.size(), 2u);
  PrizeIconLook missing = Look(8, 6, 10);
  missing.image = 0x01020099;
  EXPECT_EQ(world.ShowPrizeIcon(kPrizeLives, missing), gfx::GFX_E_GENERIC) << "a picture that does not load";
  EXPECT_EQ(world.prizeIcons.size(), 2u);
  world.Reset();
  EXPECT_TRUE(world.prizeIcons.empty()) << "the reset clears the icons";
  EXPECT_FALSE(world.prizeBlinkSound.IsSoundPlaying());
}

TEST_F(PrizeRules, TheGodModeIconsEndGivesTheLaserItsWorkingSoundBack) {
  Play("");
  world.PlayGodSound();
  ASSERT_EQ(world.laserSound.sound().id(), kGodSoundId);
  ASSERT_EQ(world.ShowPrizeIcon(kPrizeSlowEnemies, Look(1, 0, 5)), S_OK);
  ASSERT_EQ(world.ShowPrizeIcon(kPrizeGodMode, Look(2, 1, 5)), S_OK);
  for (int i = 0; i < 31; ++i) world.TickPrizeIcons();
  EXPECT_EQ(world.prizeIcons.size(), 1u) << "the slow-enemies icon went";
  EXPECT_EQ(world.laserSound.sound().id(), kGodSoundId) << "and the laser kept its god-mode sound";
  for (int i = 0; i < 30; ++i) world.TickPrizeIcons();
  EXPECT_TRUE(world.prizeIcons.empty());
  EXPECT_EQ(world.laserSound.sound().id(), kWorkSoundId);
  EXPECT_TRUE(world.laserSound.IsSoundPlaying());
}

}  // namespace
}  // namespace zelph::game::test
