#include "ui/present.h"

#include <utility>

namespace zelph::ui {

namespace {
std::function<void()>& Hook() {
  static std::function<void()> hook;
  return hook;
}
}  // namespace

void SetPresentHook(std::function<void()> present) { Hook() = std::move(present); }

void PresentNow() {
  if (Hook()) Hook()();
}

}  // namespace zelph::ui
