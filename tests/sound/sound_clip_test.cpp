#include "sound/sound_clip.h"

#include "sound/shared_data.h"
#include "sound/sound_fixture.h"

namespace zelph::sound::test {
namespace {

using ClipTest = SoundTest;

TEST_F(ClipTest, SingleLoopClipIsHeardAndEnds) {
  SoundClip clip;
  ASSERT_EQ(clip.LoadSound(kRampId, false), S_OK);
  ASSERT_EQ(clip.PlaySound(1, 64), S_OK);
  EXPECT_EQ(Pull(1000), Ramp(0, 1000));
  EXPECT_TRUE(Silent(Pull(100)));
  EXPECT_FALSE(clip.IsSoundPlaying());
}

TEST_F(ClipTest, EndlessClipKeepsGoing) {
  SoundClip clip;
  ASSERT_EQ(clip.LoadSound(kRampId, false), S_OK);
  ASSERT_EQ(clip.PlaySound(0, 64), S_OK);
  Pull(2500);
  EXPECT_EQ(Pull(100), Ramp(500, 100));
  EXPECT_TRUE(clip.IsSoundPlaying());
}

TEST_F(ClipTest, VolumeZeroAndMasterVolumeZeroAreSilent) {
  SoundClip clip;
  ASSERT_EQ(clip.LoadSound(kRampId, false), S_OK);
  ASSERT_EQ(clip.PlaySound(0, 0), S_OK);
  EXPECT_TRUE(Silent(Pull(200)));
  EXPECT_TRUE(clip.IsSoundPlaying());
  EXPECT_EQ(clip.SetSoundVolume(64), S_OK);
  EXPECT_EQ(Pull(10), Ramp(200, 10));
  speaker->volumeSounds(0);
  EXPECT_TRUE(Silent(Pull(200)));
}

TEST_F(ClipTest, PausedClipIsSilentAndResumesWhereItStoppedAtItsStoredVolume) {
  SoundClip clip;
  ASSERT_EQ(clip.LoadSound(kRampId, false), S_OK);
  ASSERT_EQ(clip.PlaySound(0, 32), S_OK);
  EXPECT_EQ(Pull(300), Ramp(0, 300, 32));
  ASSERT_EQ(clip.PauseSound(), S_OK);
  EXPECT_FALSE(clip.IsSoundPlaying());
  EXPECT_TRUE(Silent(Pull(400)));
  ASSERT_EQ(clip.ResumeSound(), S_OK);
  EXPECT_EQ(Pull(300), Ramp(300, 300, 32));
  // Playing a paused clip again also resumes it rather than starting over.
  ASSERT_EQ(clip.PauseSound(), S_OK);
  Pull(100);
  ASSERT_EQ(clip.PlaySound(0, 64), S_OK);
  EXPECT_EQ(Pull(100), Ramp(600, 100));
}

TEST_F(ClipTest, PlayingAPlayingClipDoesNotRestartIt) {
  SoundClip clip;
  ASSERT_EQ(clip.LoadSound(kRampId, false), S_OK);
  ASSERT_EQ(clip.PlaySound(1, 64), S_OK);
  Pull(300);
  ASSERT_EQ(clip.PlaySound(1, 64), S_OK);
  EXPECT_EQ(Pull(100), Ramp(300, 100));
}

TEST_F(ClipTest, ClipsOfOneIdentifierShareOneCopyOfTheBytes) {
  SharedDataCache& cache = SoundDataCache();
  std::size_t before = cache.Count();
  auto first = std::make_unique<SoundClip>();
  SoundClip second;
  ASSERT_EQ(first->LoadSound(kRampId, false), S_OK);
  ASSERT_EQ(second.LoadSound(kRampId, false), S_OK);
  ASSERT_NE(first->sound().data(), nullptr);
  EXPECT_EQ(first->sound().data(), second.sound().data());
  EXPECT_EQ(second.sound().data()->useCount, 2);
  EXPECT_EQ(cache.Count(), before + 1);

  first->UnloadSound(true);
  ASSERT_EQ(cache.Find(kRampId), second.sound().data()) << "the other clip still uses the bytes";
  EXPECT_EQ(cache.Find(kRampId)->useCount, 1);
  ASSERT_EQ(second.PlaySound(1, 64), S_OK);
  EXPECT_EQ(Pull(100), Ramp(0, 100));

  second.UnloadSound(true);
  EXPECT_EQ(cache.Find(kRampId), nullptr);
  EXPECT_EQ(cache.Count(), before);

  // Without freeData the bytes wait, unused, for the next clip of the identifier.
  ASSERT_EQ(first->LoadSound(kRampId, false), S_OK);
  first->UnloadSound(false);
  ASSERT_NE(cache.Find(kRampId), nullptr);
  EXPECT_EQ(cache.Find(kRampId)->useCount, 0);
  ASSERT_EQ(first->LoadSound(kRampId, false), S_OK);
  EXPECT_EQ(cache.Count(), before + 1);
  first.reset();  // a destroyed clip lets its bytes go
  EXPECT_EQ(cache.Find(kRampId), nullptr);
}

TEST_F(ClipTest, ASoundTrustsItsChannelOnlyWhileTheChannelStillPlaysIt) {
  SoundClip done, next;
  ASSERT_EQ(done.LoadSound(kShortId, false), S_OK);
  ASSERT_EQ(next.LoadSound(kRampId, false), S_OK);
  ASSERT_EQ(done.PlaySound(1, 64), S_OK);
  ASSERT_EQ(done.sound().channel(), 0);
  Pull(100);  // the short sound ends and frees channel 0
  ASSERT_EQ(next.PlaySound(0, 64), S_OK);
  ASSERT_EQ(next.sound().channel(), 0);
  EXPECT_FALSE(done.IsSoundPlaying());
  EXPECT_EQ(done.StopSound(), kSoundFailure);
  EXPECT_EQ(done.SetSoundVolume(0), kSoundFailure);
  EXPECT_EQ(done.GetSoundVolume(), 0) << "the volume is only stored";
  EXPECT_EQ(done.sound().channel(), -1);
  EXPECT_EQ(Pull(10), Ramp(0, 10)) << "the other clip's sound is untouched";
  EXPECT_TRUE(next.IsSoundPlaying());
}

TEST_F(ClipTest, DamagedOrMissingResourcesLeaveTheClipUnloadedAndSilent) {
  struct Case {
    std::uint32_t id;
    bool music;
    Result expected;
  };
  std::size_t sounds = SoundDataCache().Count();
  std::size_t modules = MusicDataCache().Count();
  for (Case c : {Case{kBadWavId, false, E_INVALIDARG}, Case{kBadModId, true, E_INVALIDARG},
                 Case{kCutXmId, true, E_INVALIDARG}, Case{kAbsentId, false, kSoundFailure},
                 Case{0x9999, true, kSoundFailure}}) {
    SoundClip clip;
    if (c.music) {
      EXPECT_EQ(clip.LoadMusic(c.id, false), c.expected) << c.id;
      EXPECT_FALSE(clip.music().loaded());
      EXPECT_EQ(clip.PlayMusic(0, 64), kSoundFailure);
    } else {
      EXPECT_EQ(clip.LoadSound(c.id, false), c.expected) << c.id;
      EXPECT_FALSE(clip.sound().loaded());
      EXPECT_EQ(clip.PlaySound(0, 64), kSoundFailure);
    }
    EXPECT_TRUE(Silent(Pull(200))) << c.id;
  }
  EXPECT_EQ(SoundDataCache().Count(), sounds) << "bytes that do not load are not kept";
  EXPECT_EQ(MusicDataCache().Count(), modules);

  PublishSoundResources(nullptr, nullptr);
  SoundClip clip;
  EXPECT_EQ(clip.LoadSound(kRampId, false), kSoundFailure) << "no pack list";
}

TEST_F(ClipTest, WithoutAnOpenSpeakerPlaysFailSilentlyAndVolumesAreStored) {
  SoundClip clip;
  ASSERT_EQ(clip.LoadSound(kRampId, false), S_OK);
  speaker->close();
  EXPECT_EQ(clip.PlaySound(0, 64), kSoundFailure);
  EXPECT_EQ(clip.SetSoundVolume(12), kSoundFailure);
  EXPECT_EQ(clip.GetSoundVolume(), 12);
  PublishSpeaker(nullptr);
  EXPECT_EQ(clip.PlaySound(0, 64), kSoundFailure);
  EXPECT_FALSE(clip.IsSoundPlaying());
}

TEST_F(ClipTest, DeferredLoadsWaitAndAnotherIdentifierReplacesTheSound) {
  SoundClip clip;
  ASSERT_EQ(clip.LoadSound(kRampId, true), S_OK);
  EXPECT_FALSE(clip.sound().loaded());
  EXPECT_EQ(clip.PlaySound(1, 64), kSoundFailure);
  ASSERT_EQ(clip.LoadSound(0, false), S_OK) << "0 keeps the stored identifier";
  ASSERT_EQ(clip.PlaySound(1, 64), S_OK);
  EXPECT_EQ(Pull(10), Ramp(0, 10));
  ASSERT_EQ(clip.LoadSound(kShortId, false), S_OK);
  EXPECT_FALSE(clip.IsSoundPlaying()) << "the old sound stopped";
  ASSERT_EQ(clip.PlaySound(1, 64), S_OK);
  EXPECT_EQ(Pull(1)[0], 3000);
}

TEST_F(ClipTest, ModulesPlayFromThePack) {
  for (std::uint32_t id : {kModId, kXmId}) {
    SoundClip clip;
    ASSERT_EQ(clip.LoadMusic(id, false), S_OK);
    ASSERT_EQ(clip.PlayMusic(0, 64), S_OK);
    EXPECT_FALSE(Silent(Pull(2000))) << id;
    EXPECT_TRUE(clip.IsMusicPlaying());
    clip.SetMusicVolume(0);
    EXPECT_TRUE(Silent(Pull(500)));
    EXPECT_EQ(clip.StopMusic(), S_OK);
    EXPECT_FALSE(clip.IsMusicPlaying());
  }
}

}  // namespace
}  // namespace zelph::sound::test
