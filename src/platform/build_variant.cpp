#include "platform/build_variant.h"

#include <atomic>

namespace zelph::platform {

const BuildVariant& VgaVariant() {
  static const BuildVariant v{"zelph-vga",
                              "orv-zelph-vga",
                              "vga",
                              "Orv Zelph II v1.1 VGA",
                              "SOFTWARE\\Orv Software House\\OrvZelph II SA VGA",
                              "SOFTWARE\\Orv Software House\\Bluehollow VGA",
                              0x8020,
                              240, 320, 480, 640,
                              640, 480,
                              true};
  return v;
}

const BuildVariant& QvgaVariant() {
  static const BuildVariant v{"zelph-qvga",
                              "orv-zelph-qvga",
                              "qvga",
                              "Orv Zelph II v1.1",
                              "SOFTWARE\\Orv Software House\\OrvZelph II SA",
                              "SOFTWARE\\Orv Software House\\Bluehollow",
                              0x20,
                              240, 240, 480, 480,
                              320, 240,
                              false};
  return v;
}

namespace {
std::atomic<const BuildVariant*> g_variant{nullptr};
}

const BuildVariant& Variant() {
  const BuildVariant* v = g_variant.load(std::memory_order_acquire);
  return v ? *v : VgaVariant();
}

void SelectVariant(const BuildVariant& variant) { g_variant.store(&variant, std::memory_order_release); }

}  // namespace zelph::platform
