// A published speaker whose mix the test pulls, a resource pack of sounds and modules, and a sound document.
#pragma once

#include <gtest/gtest.h>

#include <cstring>

#include "config/config_document.h"
#include "config/pack_image.h"
#include "config/pack_list.h"
#include "platform/file_io.h"
#include "platform/xmp/xmp_module.h"
#include "sound/menu_click.h"
#include "sound/sound_globals.h"
#include "test_support/audio_data.h"
#include "test_support/module_reader.h"
#include "test_support/temp_dir.h"

namespace zelph::sound::test {

inline constexpr std::uint32_t kRampId = 0x1001;    // 1000-frame ramp at the output rate
inline constexpr std::uint32_t kShortId = 0x1002;   // 50-frame constant 3000
inline constexpr std::uint32_t kBadWavId = 0x1003;  // a WAVE header without a data chunk
inline constexpr std::uint32_t kModId = 0x2001;
inline constexpr std::uint32_t kXmId = 0x2002;
inline constexpr std::uint32_t kBadModId = 0x2003;  // noise
inline constexpr std::uint32_t kCutXmId = 0x2004;   // an XM cut short in its instrument
inline constexpr std::uint32_t kAbsentId = 0x1fff;  // inside the pack's range, not in it
inline constexpr int kRate = 22050;

class SoundTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ramp = zelph::test::Ramp(1000);
    auto wav = zelph::test::MakeWav(kRate, 16, 1, ramp);
    auto shortWav = zelph::test::MakeWav(kRate, 16, 1, std::vector<std::int16_t>(50, 3000));
    auto xm = zelph::test::MakeXm();
    std::vector<config::PackResource> resources = {
        {kRampId, "ramp", "WAV", wav},
        {kShortId, "short", "WAV", shortWav},
        {kBadWavId, "no data", "WAV", std::vector<std::uint8_t>(wav.begin(), wav.begin() + 36)},
        {kModId, "mod", "MOD", zelph::test::MakeMod()},
        {kXmId, "xm", "XM", xm},
        {kBadModId, "noise", "MOD", std::vector<std::uint8_t>(700, 0x5A)},
        {kCutXmId, "cut xm", "XM", std::vector<std::uint8_t>(xm.begin(), xm.begin() + 700)}};
    std::vector<std::uint8_t> image;
    std::string error;
    ASSERT_TRUE(config::BuildPack(resources, u"sounds", image, error)) << error;
    ASSERT_TRUE(platform::WriteFileAtomically(dir.path() / "sound.pak", image));
    ASSERT_EQ(packs.Add(dir.path() / "sound.pak"), 0);
    source = document.AddEmptySource(false);

    auto pulled = std::make_unique<platform::PulledAudioOutput>();
    output = pulled.get();
    speaker = std::make_unique<platform::hssSpeaker>(std::move(pulled));
    ASSERT_EQ(speaker->open(kRate, 16, false, 1, 4), S_OK);
    PublishSpeaker(speaker.get());
    PublishSoundResources(&packs, &document);
  }

  void TearDown() override {
    ReleaseMenuClickSound();
    PublishSoundResources(nullptr, nullptr);
    PublishSpeaker(nullptr);
  }

  // A section of the sound document with the given keys and values.
  void AddSection(const char* name, std::vector<std::pair<const char*, const char*>> keys) {
    int index = document.AddSection(source, name, 256);
    ASSERT_GE(index, 0);
    for (const auto& [key, value] : keys) ASSERT_EQ(document.SectionAt(index)->SetString(key, value), 1);
  }

  std::vector<std::int16_t> Pull(int frames) {
    std::vector<std::uint8_t> bytes = output->Pull(frames);
    std::vector<std::int16_t> samples(bytes.size() / 2);
    if (!samples.empty()) std::memcpy(samples.data(), bytes.data(), samples.size() * 2);
    return samples;
  }
  std::vector<std::int16_t> Ramp(int from, int count, int volume = 64) const {
    std::vector<std::int16_t> part;
    for (int i = from; i < from + count; ++i)
      part.push_back(static_cast<std::int16_t>(ramp[i] * volume / 64));
    return part;
  }
  static bool Silent(const std::vector<std::int16_t>& samples) {
    for (std::int16_t s : samples) {
      if (s != 0) return false;
    }
    return true;
  }

  zelph::test::ModuleReaderScope reader{platform::ReadXmpModule};
  zelph::test::TempDir dir;
  std::vector<std::int16_t> ramp;
  config::PackList packs;
  config::ConfigDocument document;
  int source = -1;
  platform::PulledAudioOutput* output = nullptr;
  std::unique_ptr<platform::hssSpeaker> speaker;
};

}  // namespace zelph::sound::test
