#include "sound/sound_set.h"

#include "sound/menu_click.h"
#include "sound/sound_fixture.h"

namespace zelph::sound::test {
namespace {

class SetTest : public SoundTest {
 protected:
  void SetUp() override {
    SoundTest::SetUp();
    AddSection("menu_music", {{"musicRCID", "0x2001"}});
    AddSection("game_music", {{"musicRCID", "8194"}, {"music_vol", "40"}});
    AddSection("ramp_sound", {{"soundRCID", "0x1001"}});
    AddSection("quiet_sound", {{"soundRCID", "0x1002"}, {"sound_vol", "20"}});
  }
  SoundSet set;
};

TEST_F(SetTest, MusicPlaysOnlyAboveMusicVolumeFour) {
  ASSERT_EQ(set.AddMusic(2, "menu_music", true), S_OK);
  SoundClip* menu = set.Music(2);
  ASSERT_NE(menu, nullptr);
  EXPECT_FALSE(menu->music().loaded()) << "added deferred";

  speaker->volumeMusics(4);
  EXPECT_EQ(set.PlayMusic(2, 0, true, true), S_OK);
  EXPECT_FALSE(menu->IsMusicPlaying());
  EXPECT_TRUE(Silent(Pull(2000)));

  speaker->volumeMusics(5);
  EXPECT_EQ(set.PlayMusic(2, 0, true, true), S_OK);
  EXPECT_TRUE(menu->IsMusicPlaying());
  EXPECT_FALSE(Silent(Pull(2000)));

  speaker->volumeMusics(4);
  EXPECT_EQ(set.PlayMusic(2, 0, true, true), S_OK);
  EXPECT_FALSE(menu->IsMusicPlaying()) << "a playing one is stopped";
  EXPECT_FALSE(menu->music().loaded()) << "and unloaded";
  EXPECT_TRUE(Silent(Pull(500)));
}

TEST_F(SetTest, StartingOneMusicStopsTheOthers) {
  ASSERT_EQ(set.AddMusic(2, "menu_music", true), S_OK);
  ASSERT_EQ(set.AddMusic(3, "game_music", false), S_OK);
  EXPECT_EQ(set.Music(3)->GetMusicVolume(), 40);
  ASSERT_EQ(set.PlayMusic(3, 0, false, false), S_OK);
  ASSERT_EQ(set.PlayMusic(2, 0, false, true), S_OK);
  EXPECT_FALSE(set.Music(3)->IsMusicPlaying());
  EXPECT_TRUE(set.Music(3)->music().loaded()) << "kept without stopOthers";
  EXPECT_TRUE(set.Music(2)->IsMusicPlaying());
  ASSERT_EQ(set.PlayMusic(3, 0, true, true), S_OK);
  EXPECT_FALSE(set.Music(2)->music().loaded()) << "unloaded with stopOthers";
  EXPECT_TRUE(set.Music(3)->IsMusicPlaying());
  // Asking for the music that already plays changes nothing.
  Pull(1000);
  ASSERT_EQ(set.PlayMusic(3, 0, true, true), S_OK);
  EXPECT_TRUE(set.Music(3)->IsMusicPlaying());
  EXPECT_EQ(set.PlayMusic(7, 0, true, true), kSoundFailure);
}

TEST_F(SetTest, SoundsPlayOneAtATimeAtFullVolume) {
  ASSERT_EQ(set.AddSound(0, "ramp_sound", false), S_OK);
  ASSERT_EQ(set.AddSound(1, "quiet_sound", true), S_OK);
  EXPECT_EQ(set.Sound(0)->GetSoundVolume(), 64) << "no \"sound_vol\": 64";
  EXPECT_EQ(set.Sound(1)->GetSoundVolume(), 20);
  ASSERT_EQ(set.PlaySound(0, 0, false, false), S_OK);
  EXPECT_EQ(Pull(100), Ramp(0, 100));
  ASSERT_EQ(set.PlaySound(1, 1, true, true), S_OK);
  EXPECT_FALSE(set.Sound(0)->IsSoundPlaying());
  EXPECT_FALSE(set.Sound(0)->sound().loaded());
  EXPECT_EQ(Pull(1)[0], 3000) << "played at 64 whatever \"sound_vol\" says";
  EXPECT_EQ(set.StopSound(1, true), S_OK);
  EXPECT_FALSE(set.Sound(1)->sound().loaded());
  EXPECT_TRUE(Silent(Pull(100)));
  EXPECT_EQ(set.PlaySound(9, 1, false, false), kSoundFailure);
  EXPECT_EQ(set.StopSound(9, false), kSoundFailure);
}

TEST_F(SetTest, MissingSectionsAddNothingAndKeysAreReplaced) {
  EXPECT_EQ(set.AddSound(0, "no_such_section", false), kSoundFailure);
  EXPECT_EQ(set.Sound(0), nullptr);
  EXPECT_EQ(set.AddSound(0, nullptr, false), kSoundFailure);
  ASSERT_EQ(set.AddSound(0, "ramp_sound", false), S_OK);
  ASSERT_EQ(set.AddSound(0, "quiet_sound", false), S_OK);
  ASSERT_EQ(set.PlaySound(0, 1, false, false), S_OK);
  EXPECT_EQ(Pull(1)[0], 3000);
}

TEST_F(SetTest, UnloadAllAndClear) {
  ASSERT_EQ(set.AddSound(0, "ramp_sound", false), S_OK);
  ASSERT_EQ(set.AddMusic(2, "menu_music", false), S_OK);
  ASSERT_EQ(set.PlaySound(0, 0, false, false), S_OK);
  ASSERT_EQ(set.PlayMusic(2, 0, false, false), S_OK);
  set.UnloadAllSounds();
  EXPECT_FALSE(set.Sound(0)->sound().loaded());
  EXPECT_TRUE(set.Music(2)->IsMusicPlaying());
  set.UnloadAllMusic();
  EXPECT_FALSE(set.Music(2)->music().loaded());
  EXPECT_TRUE(Silent(Pull(500)));
  ASSERT_EQ(set.PlayMusic(2, 0, false, true), S_OK) << "reload brings it back";
  set.Clear();
  EXPECT_EQ(set.Music(2), nullptr);
  EXPECT_TRUE(Silent(Pull(500))) << "destroyed clips fall silent";
}

TEST_F(SetTest, MenuClickSoundComesFromItsSection) {
  AddSection("menu_btn_sound", {{"soundRCID", "0x1002"}, {"sound_vol", "10"}});
  AddSection("no_click", {{"soundRCID", "0"}});
  AddSection("no_id", {{"sound_vol", "10"}});
  ASSERT_EQ(LoadMenuClickSound("menu_btn_sound"), S_OK);
  ASSERT_NE(MenuClickSound(), nullptr);
  EXPECT_EQ(MenuClickSound()->GetSoundVolume(), 10);
  PlayMenuClickSound();
  EXPECT_EQ(Pull(1)[0], 3000);

  EXPECT_EQ(LoadMenuClickSound("no_click"), S_OK);
  EXPECT_EQ(MenuClickSound(), nullptr);
  PlayMenuClickSound();
  EXPECT_EQ(LoadMenuClickSound("no_id"), kSoundFailure);
  ASSERT_NE(MenuClickSound(), nullptr);
  EXPECT_FALSE(MenuClickSound()->sound().loaded());
  EXPECT_EQ(LoadMenuClickSound("absent"), kSoundFailure);
  EXPECT_EQ(MenuClickSound(), nullptr);
}

}  // namespace
}  // namespace zelph::sound::test
