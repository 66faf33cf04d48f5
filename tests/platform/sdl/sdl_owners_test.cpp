// The owners of SDL's handles release each one once: subsystem starts, audio devices, and the window's
// window, renderer and texture, on SDL's dummy drivers.
#include <SDL.h>
#include <gtest/gtest.h>

#include <utility>
#include <vector>

#include "platform/sdl/sdl_ptrs.h"
#include "platform/sdl/sdl_window.h"

namespace zelph::platform {
namespace {

TEST(SdlOwners, EachSubsystemStartIsQuitOnceAlsoAfterAMove) {
  ASSERT_EQ(SDL_WasInit(SDL_INIT_AUDIO), 0u) << "an earlier test left the audio subsystem started";
  {
    SdlSubsystems first = StartSdlSubsystems(SDL_INIT_AUDIO);
    ASSERT_TRUE(first);
    SdlSubsystems second = StartSdlSubsystems(SDL_INIT_AUDIO);
    SdlSubsystems moved = std::move(second);
    EXPECT_FALSE(second);
    first.reset();
    first.reset();
    EXPECT_NE(SDL_WasInit(SDL_INIT_AUDIO), 0u) << "the moved start still holds it";
  }
  EXPECT_EQ(SDL_WasInit(SDL_INIT_AUDIO), 0u);
}

TEST(SdlOwners, AnAudioDeviceIsClosedWithItsOwner) {
  SdlSubsystems audio = StartSdlSubsystems(SDL_INIT_AUDIO);
  ASSERT_TRUE(audio);
  SDL_AudioSpec want{};
  want.freq = 22050;
  want.format = AUDIO_S16SYS;
  want.channels = 1;
  want.samples = 512;
  std::uint32_t id = 0;
  {
    SdlAudioDevice device(SDL_OpenAudioDevice(nullptr, 0, &want, nullptr, 0));
    ASSERT_TRUE(device) << SDL_GetError();
    id = device.get();
    EXPECT_EQ(SDL_GetAudioDeviceStatus(id), SDL_AUDIO_PAUSED);
    SdlAudioDevice other;
    other = std::move(device);
    EXPECT_EQ(SDL_GetAudioDeviceStatus(id), SDL_AUDIO_PAUSED) << "moving does not close";
  }
  EXPECT_EQ(SDL_GetAudioDeviceStatus(id), SDL_AUDIO_STOPPED) << "no such device any more";
}

TEST(SdlOwners, TheWindowReleasesItsHandlesAndItsStartOfSdl) {
  {
    SdlWindow window(SdlWindowOptions{.headless = true});
    ASSERT_TRUE(window.RegisterClass("zelph", false));
    for (int round = 0; round < 2; ++round) {
      ASSERT_TRUE(window.Create("owners", 64, 48)) << SDL_GetError();
      EXPECT_NE(SDL_WasInit(SDL_INIT_VIDEO), 0u);
      std::vector<std::uint16_t> pixels(64 * 48, 0xF800);
      window.Present(pixels.data(), 64, 48, 64 * 2);
      window.Present(pixels.data(), 32, 24, 64 * 2);  // a new size takes a new texture
      window.Destroy();
      EXPECT_FALSE(window.Exists());
    }
    EXPECT_NE(SDL_WasInit(SDL_INIT_VIDEO), 0u) << "destroying the window keeps SDL for the next one";
  }
  EXPECT_EQ(SDL_WasInit(SDL_INIT_VIDEO), 0u);
}

}  // namespace
}  // namespace zelph::platform
