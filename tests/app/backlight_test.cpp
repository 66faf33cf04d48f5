#include "app/backlight.h"

#include <gtest/gtest.h>

namespace zelph::app {
namespace {

DeviceFacts Facts(std::optional<std::string> oem, bool mains = true) {
  DeviceFacts f;
  f.oemInfo = [oem] { return oem; };
  f.onExternalPower = [mains] { return mains; };
  return f;
}

TEST(Backlight, ModelsMatchTheFirstPrefixInTableOrderIgnoringCase) {
  EXPECT_EQ(MatchDeviceModel("TOSHIBA e750"), 9);  // before the shorter "TOSHIBA e"
  EXPECT_EQ(MatchDeviceModel("TOSHIBA e330"), 12);
  EXPECT_EQ(MatchDeviceModel("hp iPAQ h2210"), 28);
  EXPECT_EQ(MatchDeviceModel("HP IPAQ H2210"), 28);
  EXPECT_EQ(MatchDeviceModel("FUJITSU SIEMENS COMPUTERS Pocket LOOX 720"), 48);
  EXPECT_EQ(MatchDeviceModel("Compaq iPAQ H3870"), 1);
  EXPECT_EQ(MatchDeviceModel("Compaq iPAQ H5450"), 5);
  EXPECT_EQ(MatchDeviceModel("Dell Axim X50v"), 51);
  EXPECT_EQ(MatchDeviceModel("Dell Axim X51"), 16);
  EXPECT_EQ(MatchDeviceModel("SAMSUNG SPH-i730"), 57);
  EXPECT_EQ(MatchDeviceModel("TOSHIBA"), std::nullopt);  // a prefix of the text, not the other way round
  EXPECT_EQ(MatchDeviceModel(""), std::nullopt);
}

TEST(Backlight, AsusModelsAreRefinedByPlatformName) {
  EXPECT_EQ(RefineAsusModel(std::nullopt), 18);
  EXPECT_EQ(RefineAsusModel("AD716"), 20);
  EXPECT_EQ(RefineAsusModel("AD730"), 47);
  EXPECT_EQ(RefineAsusModel("ad730"), 19);
  DeviceFacts f = Facts("ASUS MyPal");
  f.platformName = [] { return std::optional<std::string>("AD716"); };
  EXPECT_EQ(Backlight(f).DetectDeviceModel(), 20);
}

TEST(Backlight, StepsPerClass) {
  EXPECT_EQ(StepsOf(3), 2);
  EXPECT_EQ(StepsOf(39), 6);
  EXPECT_EQ(StepsOf(35), 4);
  EXPECT_EQ(StepsOf(56), 10);
  EXPECT_EQ(StepsOf(19), 8);
  EXPECT_EQ(StepsOf(45), 1);
  EXPECT_EQ(StepsOf(47), 7);
  EXPECT_EQ(StepsOf(58), 11);
  EXPECT_EQ(StepsOf(26), 18);
  EXPECT_EQ(StepsOf(55), 21);
  EXPECT_EQ(StepsOf(46), 14);
  EXPECT_EQ(StepsOf(51), 9);
  EXPECT_EQ(StepsOf(53), 12);
  EXPECT_EQ(StepsOf(57), 5);
  EXPECT_EQ(StepsOf(59), 1);
  EXPECT_EQ(StepsOf(kUnknownDeviceModel), 1);
}

TEST(Backlight, UnknownDevicesFallBackToTheHardwareQuery) {
  DeviceFacts f = Facts(std::nullopt);
  f.halOemValue = [] { return std::optional<std::uint32_t>(0x40000000); };
  EXPECT_EQ(Backlight(f).DetectDeviceModel(), 39);
  f.halOemValue = [] { return std::optional<std::uint32_t>(0x3FFFFFFF); };
  EXPECT_EQ(Backlight(f).DetectDeviceModel(), kUnknownDeviceModel);
  EXPECT_EQ(Backlight(Facts("Some Phone")).SetBacklight(-1), 0);
}

TEST(Backlight, OnlyExternalPowerRefreshesAndClassesWithoutAMethodAnswerZero) {
  Backlight onBattery(Facts("HP iPAQ rx3715", false));
  onBattery.KeepBacklightOn();
  EXPECT_EQ(onBattery.lastLevel(), 0);  // never touched on battery

  Backlight onMains(Facts("HP iPAQ rx3715", true));
  onMains.KeepBacklightOn();
  EXPECT_EQ(onMains.lastLevel(), 11);  // class 40, its standard level
  EXPECT_EQ(onMains.SetBacklight(3), 1);

  EXPECT_EQ(Backlight(Facts("Symbol MC50")).SetBacklight(-1), 0);
}

TEST(Backlight, DetectionIsCached) {
  int reads = 0;
  DeviceFacts f;
  f.oemInfo = [&reads] {
    ++reads;
    return std::optional<std::string>("PW10");
  };
  Backlight b(f);
  EXPECT_EQ(b.DetectDeviceModel(), 3);
  EXPECT_EQ(b.DetectDeviceModel(), 3);
  EXPECT_EQ(reads, 1);
}

}  // namespace
}  // namespace zelph::app
