#include "ui/button.h"

#include "ui/control_tree.h"
#include "ui/pictures.h"

namespace zelph::ui {
namespace {

constexpr const char* kImageKeys[kStateCount] = {"dis_ID", "app_ID", "rel_ID", "pres_ID"};
constexpr const char* kAlphaKeys[kStateCount] = {"dis_AID", "app_AID", "rel_AID", "pres_AID"};

}  // namespace

Button::~Button() {
  if (StylusCapture() == this) SetCapture(nullptr);
}

Result Button::CreateFromSection(std::uint32_t newId, const Rect* newRect, Control* newParent,
                                 std::uint32_t newFlags, const config::ConfigSection* section) {
  if (!section) return E_INVALIDARG;
  const Rect where = newRect ? *newRect : ReadRect(*section, "rect");
  for (int i = 0; i < kStateCount; ++i) {
    states[i].imageId = section->GetNumber(kImageKeys[i], 0);
    states[i].alphaId = states[i].imageId ? section->GetNumber(kAlphaKeys[i], 0) : 0;
  }
  ButtonAnimation quad{};
  if (section->GetQuad("animpar", quad)) {
    animation_ = quad;
  } else {
    animSpeed_ = section->GetInt("animspeed", kDefaultAnimSpeed);
  }
  if (std::uint32_t sound = section->GetNumber("press_sound", 0)) pressSound.LoadSound(sound, false);
  return Build(newId, where, newParent, newFlags);
}

Result Button::CreateFromIds(std::uint32_t newId, const Rect& newRect, Control* newParent, std::uint32_t newFlags,
                             const std::array<std::uint32_t, kStateCount>& imageIds,
                             std::optional<ButtonAnimation> animation) {
  for (int i = 0; i < kStateCount; ++i) {
    states[i].imageId = imageIds[i];
    states[i].alphaId = 0;
  }
  animation_ = animation;
  animSpeed_ = -1;
  return Build(newId, newRect, newParent, newFlags);
}

Result Button::Build(std::uint32_t newId, Rect where, Control* newParent, std::uint32_t newFlags) {
  Control::Create(newId, where, newParent, newFlags);
  pixelHit = (newFlags & kButtonPixelHit) != 0;
  // The pack found for the first state serves every later one.
  config::ResourcePack* pack = nullptr;
  for (int i = 0; i < kStateCount; ++i) {
    ButtonState& s = states[i];
    if (s.imageId == 0) continue;
    if (!pack) pack = PackFor(s.imageId);
    s.pack = pack;
    if (i == kStateAppear || !(flags & kButtonLoadOnDemand)) LoadState(i);
  }
  if (states[kStateAppear].HasFrames()) {
    state = kStateAppear;
  } else {
    SetState(kStateReleased, true);
  }
  if (rect.right <= rect.left || rect.bottom <= rect.top) {
    std::int32_t w = 0, h = 0;
    for (ButtonState& s : states) {
      if (s.HasFrames()) {
        s.image.FrameSize(-1, &w, &h);
        break;
      }
    }
    rect.right = rect.left + w;
    rect.bottom = rect.top + h;
  }
  drawRect = {0, 0, Width(), Height()};
  return S_OK;
}

void Button::StartAnimation(gfx::Sprite& sprite) const {
  if (animation_) {
    const auto [start, step, delay, once] = *animation_;
    sprite.SetAnimation(true, delay, step, once != 0, 0);
    sprite.SetFrame(start);
  } else if (animSpeed_ >= 0) {
    sprite.SetAnimation(true, animSpeed_, 1, false, 0);
  } else {
    sprite.SetPlaying(true);
  }
}

void Button::LoadState(int index) {
  ButtonState& s = states[index];
  if (s.imageId == 0) return;
  if (Failed(LoadPicture(s.image, s.pack, s.imageId))) {
    s.loaded = false;
    return;
  }
  s.loaded = true;
  s.colorKey = FramesColorKey(s.image);
  StartAnimation(s.image);
  if (s.alphaId != 0 && Succeeded(LoadPicture(s.alpha, s.pack, s.alphaId))) StartAnimation(s.alpha);
}

void Button::FreeState(int index) {
  ButtonState& s = states[index];
  if (s.imageId == 0) return;
  s.image.Reset(false);
  s.alpha.Reset(false);
  s.loaded = false;
}

void Button::SetState(int newState, bool restart) {
  if (newState < kStateDisabled || newState >= kStateCount) newState = kStateDisabled;
  if (flags & kButtonLoadOnDemand) {
    if (newState != state) {
      if (state >= 0) FreeState(state);
      state = kStateNone;
    }
    if (!states[newState].loaded) LoadState(newState);
  }
  state = newState;
  if (restart) {
    for (gfx::Sprite* sprite : {&states[state].image, &states[state].alpha}) {
      sprite->SetAnimation(true, gfx::kKeepDelay, gfx::kKeepStep, sprite->OneShot(), 0);
      sprite->SetFrame(0);
    }
  }
}

void Button::SetPressSound(std::uint32_t resourceId) { pressSound.LoadSound(resourceId, false); }

void Button::Report(std::uint32_t code, std::intptr_t argument) { SendToOwner(code, argument, id); }

Result Button::Draw(gfx::Surface& target, int originX, int originY, const Rect&) {
  if (!visible || state < 0) return S_OK;
  ButtonState& s = states[state];
  if (!s.HasFrames()) return S_OK;
  DrawPicture(target, DrawX(originX), DrawY(originY), s.image, s.alpha.FrameCount() ? &s.alpha : nullptr,
              visibleRect, PictureBltFlags(), opacity);
  return S_OK;
}

Result Button::Tick(std::uint32_t) {
  bool ended = false;
  if (state >= 0 && states[state].HasFrames()) {
    ButtonState& s = states[state];
    ended = s.image.StepAnimation() == gfx::GFX_S_ANIMATION_END;
    s.alpha.StepAnimation();
    if (ended) {
      if (flags & kButtonNotifyAnimEnd) Report(kNotifyAnimationEnded, state);
      if (state == kStateAppear) SetState(kStateReleased, true);
    }
  } else if (state == kStateAppear) {
    SetState(kStateReleased, true);
  }
  if (pendingClick && ended) {
    pendingClick = false;
    if (visible && (state == kStatePressed || (flags & kButtonAnyRelease))) {
      SetState(kStateReleased, true);
      Report(kNotifyReleased, ArgOf(this));
      Report(kNotifyClicked, ArgOf(this));
    }
  }
  return S_OK;
}

Result Button::KeyDown(int, std::uint32_t) {
  SetState(kStatePressed, true);
  return kHandled;
}

Result Button::KeyUp(int, std::uint32_t) {
  SetState(kStateReleased, true);
  Report(kNotifyClicked, ArgOf(this));
  return kHandled;
}

Result Button::StylusDown(int x, int y, std::uint32_t) {
  if (!visible || state != kStateReleased) return kNotHandled;
  const ButtonState& released = states[kStateReleased];
  if (pixelHit && IsKeyPixel(states[kStateReleased].image, x, y, released.colorKey)) return kHandled;
  pressSound.PlaySound(1, kPressSoundVolume);
  SetState(kStatePressed, true);
  previousCapture = StylusCapture();
  SetCapture(this);
  Report(kNotifyPressed, ArgOf(this));
  if (flags & kButtonDeferredClick) pendingClick = true;
  return kHandled;
}

bool Button::ReleasedOverHole(int x, int y) {
  if (!pixelHit) return false;
  const int shown = (state >= 0 && state < kStateCount) ? state : kStateReleased;
  return IsKeyPixel(states[shown].image, x, y, states[shown].colorKey);
}

Result Button::StylusUp(int x, int y, std::uint32_t) {
  if (StylusCapture() == this) {
    // The earlier holder may have gone meanwhile; then the stylus goes back to nobody.
    if (!IsAlive(previousCapture)) previousCapture = nullptr;
    SetCapture(previousCapture);
  }
  if (!visible || (state != kStatePressed && !(flags & kButtonAnyRelease))) return kNotHandled;
  if (flags & kButtonDeferredClick) {
    pendingClick = true;
    return kHandled;
  }
  SetState(kStateReleased, true);
  if (ReleasedOverHole(x, y)) return kHandled;
  Report(kNotifyReleased, ArgOf(this));
  Report(kNotifyClicked, ArgOf(this));
  return kHandled;
}

Result Button::StylusDoubleClick(int x, int y, std::uint32_t) {
  if (StylusCapture() == this) SetCapture(nullptr);
  if (!visible || state < kStateReleased) return kNotHandled;
  SetState(kStateReleased, true);
  if (ReleasedOverHole(x, y)) return kHandled;
  Report(kNotifyClicked, ArgOf(this));
  return kHandled;
}

Result Button::CaptureLost(Control* next) {
  if (next != previousCapture) SetState(kStateReleased, true);
  return S_OK;
}

Result Button::Notify(std::uint32_t code, std::intptr_t argument, std::uint32_t senderId) {
  if (code == kNotifyReleaseSurfaces) {
    for (int i = 0; i < kStateCount; ++i) {
      if (states[i].loaded) FreeState(i);
    }
    pressSound.UnloadSound(true);
  } else if (code == kNotifyRestoreSurfaces) {
    // Buttons that load on demand only need the state they show.
    for (int i = 0; i < kStateCount; ++i) {
      const bool wanted = !(flags & kButtonLoadOnDemand) || i == state;
      if (wanted && states[i].imageId != 0 && !states[i].loaded) LoadState(i);
    }
    if (pressSound.sound().id() != 0) pressSound.LoadSound(0, false);
  }
  return Control::Notify(code, argument, senderId);
}

}  // namespace zelph::ui
