// Keeping the screen's backlight at the device's standard brightness while on external power. Handhelds of
// different makers do this differently, so the model is recognised from the OEM information string first.
#pragma once

#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <string_view>

namespace zelph::app {

inline constexpr int kUnknownDeviceModel = -1;

// The model class of an OEM string by the first matching prefix (letter case ignored), before refinement;
// nullopt without a match.
std::optional<int> MatchDeviceModel(std::string_view oem);

// Refines the "ASUS" class 18 with the platform name ("AD716" -> 20, "AD730" -> 47, else 19); `platformName`
// is nullopt when the platform key cannot be opened, which leaves 18.
int RefineAsusModel(std::optional<std::string> platformName);

// Brightness steps of a class, used as its standard level. Classes above 58 and the unknown class have 1.
int StepsOf(int deviceClass);

struct DeviceFacts {
  std::function<std::optional<std::string>()> oemInfo;        // nullopt when it cannot be read
  std::function<std::optional<std::string>()> platformName;   // "Platform"/"Name"; nullopt: key unavailable
  std::function<std::optional<std::uint32_t>()> halOemValue;  // the hardware layer's OEM query
  std::function<bool()> onExternalPower;
};

class Backlight {
 public:
  explicit Backlight(DeviceFacts facts) : facts_(std::move(facts)) {}

  int DetectDeviceModel();  // cached after the first call
  // Level -1 asks for the standard level. Returns 0 when the class has no method, 1 otherwise. The methods
  // are device drivers a desktop does not have, so nothing is changed here.
  int SetBacklight(int level);
  bool OnExternalPower() const { return facts_.onExternalPower && facts_.onExternalPower(); }
  // Called every 300 game-thread frames by the main window.
  void KeepBacklightOn();

  int lastLevel() const { return lastLevel_; }

 private:
  DeviceFacts facts_;
  std::optional<int> model_;
  int lastLevel_ = 0;
};

// This machine's facts: no OEM string, no hardware layer, power from the AC line when /sys says so.
DeviceFacts DesktopDeviceFacts();

}  // namespace zelph::app
