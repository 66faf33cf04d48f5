#include "app/backlight.h"

#include <cctype>
#include <filesystem>

#include "platform/file_io.h"

namespace zelph::app {

namespace {

struct ModelRow {
  const char* prefix;
  int deviceClass;
};

// Searched in order: longer names come before the shorter names they start with.
constexpr ModelRow kModels[] = {
    {"PW10", 3},
    {"PH10", 4},
    {"PM10", 4},
    {"PH20", 38},
    {"Pocket LOOX", 13},
    {"FUJITSU SIEMENS Pocket LOOX", 13},
    {"FUJITSU SIEMENS COMPUTERS Pocket LOOX 720", 48},
    {"FUJITSU SIEMENS COMPUTERS Pocket LOOX", 13},
    {"Pocket PC J712", 14},
    {"Dell Axim X50", 51},
    {"Dell Axim X5", 16},
    {"Dell Axim X3", 17},
    {"ASUS", 18},
    {"TOSHIBA e75", 9},
    {"Toshiba e31", 10},
    {"TOSHIBA e80", 11},
    {"TOSHIBA e40", 49},
    {"PA3141E-1P03", 15},
    {"TOSHIBA e", 12},
    {"HP, Jornada", 2},
    {"Jornada 565,, 11178, USEnglish, SAA", 2},
    {"Compaq iPAQ H39", 0},
    {"Compaq iPAQ H38", 1},
    {"Compaq iPAQ H", 5},
    {"CompaqCiPAQ H39", 6},
    {"CompaqCiPAQ H38", 7},
    {"CompaqCiPAQ H", 8},
    {"hp iPAQ rz171", 50},
    {"hp iPAQ h191", 23},
    {"hp iPAQ h194", 29},
    {"hp iPAQ h193", 30},
    {"hp iPAQ h220", 28},
    {"hp iPAQ hx241", 52},
    {"hp iPAQ h221", 28},
    {"hp iPAQ hx275", 54},
    {"HP iPAQ rx37", 40},
    {"hp iPAQ h415", 31},
    {"hp iPAQ h435", 25},
    {"HP iPAQ hx47", 46},
    {"hp iPAQ h500", 24},
    {"HP iPAQ h631", 42},
    {"HP iPAQ h634", 55},
    {"HP iPAQ h636", 43},
    {"hp iPAQ hx211", 56},
    {"hp iPAQ hw651", 58},
    {"MIC, Mio 528", 26},
    {"Mitac, Mio DigiWalker", 41},
    {"Anubis - Typhoon", 41},
    {"ROVERPC, RoverBook", 22},
    {"ViewSonic, PPC V3", 27},
    {"ViewSonic, ViewPad35", 27},
    {"MEDION, MDPPC100", 33},
    {"NEC, SQUALE", 32},
    {"Symbol", 34},
    {"Acer n1", 35},
    {"Acer n3", 36},
    {"SP230", 37},
    {"Hitachi SH-G1000", 44},
    {"PPC4100", 45},
    {"BenQ P50", 53},
    {"SAMSUNG SPH-i730", 57},
};
static_assert(std::size(kModels) == 61);

bool StartsWithNoCase(std::string_view text, std::string_view prefix) {
  if (prefix.size() > text.size()) return false;
  for (std::size_t i = 0; i < prefix.size(); ++i) {
    if (std::tolower(static_cast<unsigned char>(text[i])) != std::tolower(static_cast<unsigned char>(prefix[i]))) {
      return false;
    }
  }
  return true;
}

}  // namespace

std::optional<int> MatchDeviceModel(std::string_view oem) {
  for (const ModelRow& row : kModels) {
    if (StartsWithNoCase(oem, row.prefix)) return row.deviceClass;
  }
  return std::nullopt;
}

int RefineAsusModel(std::optional<std::string> platformName) {
  if (!platformName) return 18;
  if (*platformName == "AD716") return 20;
  if (*platformName == "AD730") return 47;
  return 19;
}

int StepsOf(int deviceClass) {
  switch (deviceClass) {
    case 3: return 2;
    case 4: case 38: case 39: return 6;
    case 9: case 10: case 12: case 15: case 35: return 4;
    case 11: case 49: case 52: case 54: case 56: return 10;
    case 13: case 16: case 17: case 19: return 8;
    case 14: case 18: case 34: case 41: case 45: return 1;
    case 20: case 28: case 36: case 47: return 7;
    case 21: case 22: case 27: case 32: case 33: case 40: case 43: case 48: case 50: case 58: return 11;
    case 26: return 18;
    case 42: case 55: return 21;
    case 46: return 14;
    case 51: return 9;
    case 53: return 12;
    case 0: case 1: case 2: case 5: case 6: case 7: case 8: case 23: case 24: case 25: case 29: case 30:
    case 31: case 37: case 44: case 57: return 5;
    default: return 1;  // above 58, and the unknown class read as a large unsigned number
  }
}

int Backlight::DetectDeviceModel() {
  if (model_) return *model_;
  int found = kUnknownDeviceModel;
  std::optional<std::string> oem = facts_.oemInfo ? facts_.oemInfo() : std::nullopt;
  std::optional<int> match = oem ? MatchDeviceModel(*oem) : std::nullopt;
  if (match) {
    found = *match == 18 ? RefineAsusModel(facts_.platformName ? facts_.platformName() : std::nullopt) : *match;
  } else if (auto hal = facts_.halOemValue ? facts_.halOemValue() : std::nullopt; hal && *hal > 0x3FFFFFFF) {
    found = 39;
  }
  model_ = found;
  return found;
}

int Backlight::SetBacklight(int level) {
  int deviceClass = DetectDeviceModel();
  if (deviceClass < 0 || deviceClass > 58) return 0;
  switch (deviceClass) {
    case 2: case 14: case 18: case 34: case 45: return 0;
    default: break;
  }
  lastLevel_ = level == -1 ? StepsOf(deviceClass) : level;
  return 1;
}

void Backlight::KeepBacklightOn() {
  if (OnExternalPower()) SetBacklight(-1);
}

DeviceFacts DesktopDeviceFacts() {
  DeviceFacts facts;
  facts.onExternalPower = [] {
    // Any mains supply that reports itself online counts, as the handheld's AC-line status did.
    std::error_code ec;
    for (const auto& entry : std::filesystem::directory_iterator("/sys/class/power_supply", ec)) {
      auto type = platform::ReadWholeFile(entry.path() / "type");
      auto online = platform::ReadWholeFile(entry.path() / "online");
      if (type && online && std::string(type->begin(), type->end()).starts_with("Mains") && !online->empty() &&
          (*online)[0] == '1') {
        return true;
      }
    }
    return false;
  };
  return facts;
}

}  // namespace zelph::app
