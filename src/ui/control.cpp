#include "ui/control.h"

#include <algorithm>

#include "gfx/blit.h"
#include "ui/control_tree.h"

namespace zelph::ui {

Control::Control() { detail::RememberControl(this); }

Control::~Control() {
  if (parent_) parent_->RemoveChild(this);
  // Children outlive a parent that did not create them; they must not point back at it.
  for (Control* child : children_) child->parent_ = nullptr;
  children_.clear();
  detail::ForgetControl(this);
}

Result Control::Create(std::uint32_t newId, const Rect& newRect, Control* newParent, std::uint32_t newFlags) {
  id = newId;
  rect = newRect;
  visibleRect = newRect;
  transparent = (newFlags & kTransparent) != 0;
  inputEnabled = (newFlags & kInputDisabled) == 0;
  if (newParent) {
    newParent->AddChild(this);
  } else {
    detail::SetRoot(this);
  }
  flags = newFlags;
  if (flags & kOwnSurface) RecreateSurface();
  return S_OK;
}

Result Control::Draw(gfx::Surface&, int, int, const Rect&) { return S_OK; }
Result Control::DrawOver(gfx::Surface&, int, int, const Rect&) { return S_OK; }
Result Control::Tick(std::uint32_t) { return S_OK; }
Result Control::DrawFrozen(gfx::Surface&, int, int, const Rect&) { return S_OK; }
Result Control::DrawFrozenOver(gfx::Surface&, int, int, const Rect&) { return S_OK; }
Result Control::KeyDown(int, std::uint32_t) { return S_OK; }
Result Control::KeyUp(int, std::uint32_t) { return S_OK; }
Result Control::Char(std::uint32_t, std::intptr_t) { return S_OK; }
Result Control::FocusLost(Control*) { return S_OK; }
Result Control::StylusDown(int, int, std::uint32_t) { return kNotHandled; }
Result Control::StylusUp(int, int, std::uint32_t) { return kNotHandled; }
Result Control::StylusDoubleClick(int, int, std::uint32_t) { return kNotHandled; }
Result Control::StylusMove(int, int, std::uint32_t) { return kNotHandled; }
Result Control::Wheel(int, int, std::uint32_t, int) { return kNotHandled; }
Result Control::CaptureLost(Control*) { return S_OK; }
Result Control::Moved(const Rect&) { return S_OK; }

Result Control::Notify(std::uint32_t code, std::intptr_t argument, std::uint32_t) {
  switch (code) {
    case kNotifyReleaseSurfaces:
      if (surface_.HasPixels()) surface_.CreateSurface(0, 0, 0);
      return kPassOn;
    case kNotifyRestoreSurfaces:
      if (hasSurface && !surface_.HasPixels()) RecreateSurface();
      return kPassOn;
    case kNotifyVisible:
      visible = argument != 0;
      return kConsumed;
    default:
      return kPassOn;
  }
}

void Control::RecreateSurface() {
  hasSurface = Succeeded(surface_.CreateSurface(0, Width(), Height()));
  if (!hasSurface) return;
  surface_.SetColorKey(kColorKey);
  gfx::FillRect(surface_, nullptr, kColorKey);
}

void Control::SetRect(int x, int y, int width, int height) { SetRect(Rect{x, y, x + width, y + height}); }

void Control::SetRect(const Rect& newRect) {
  oldRect = rect;
  const bool resized = newRect.Width() != rect.Width() || newRect.Height() != rect.Height();
  rect = newRect;
  if (resized && (flags & kOwnSurface)) RecreateSurface();
  Moved(oldRect);
}

void Control::MoveTo(int x, int y) { SetRect(x, y, Width(), Height()); }
void Control::MoveBy(int dx, int dy) { MoveTo(rect.left + dx, rect.top + dy); }

Rect Control::ToScreen(Rect r) const {
  int dx = 0, dy = 0;
  ToScreen(&dx, &dy);
  return {r.left + dx, r.top + dy, r.right + dx, r.bottom + dy};
}

void Control::ToScreen(int* x, int* y) const {
  for (const Control* c = this; c; c = c->parent_) {
    *x += c->rect.left;
    *y += c->rect.top;
  }
}

Rect Control::FromScreen(Rect r) const {
  int dx = 0, dy = 0;
  ToScreen(&dx, &dy);
  return {r.left - dx, r.top - dy, r.right - dx, r.bottom - dy};
}

void Control::FromScreen(int* x, int* y) const {
  int dx = 0, dy = 0;
  ToScreen(&dx, &dy);
  *x -= dx;
  *y -= dy;
}

void Control::DisableInputFor(int frames) {
  if (frames <= 0) {
    enableDelay = -1;
    inputEnabled = true;
  } else {
    enableDelay = frames;
    inputEnabled = false;
  }
}

void Control::AddChild(Control* child) {
  if (!child || child == this) return;
  if (std::find(children_.begin(), children_.end(), child) != children_.end()) return;
  if (child->parent_ && child->parent_ != this) child->parent_->RemoveChild(child);
  auto later = std::find_if(children_.begin(), children_.end(),
                            [child](const Control* c) { return c->zOrder > child->zOrder; });
  children_.insert(later, child);
  child->parent_ = this;
}

void Control::RemoveChild(Control* child) {
  auto it = std::find(children_.begin(), children_.end(), child);
  if (it == children_.end()) return;
  children_.erase(it);
  child->parent_ = nullptr;
}

void Control::SortChildren() {
  std::stable_sort(children_.begin(), children_.end(),
                   [](const Control* a, const Control* b) { return a->zOrder < b->zOrder; });
}

Control* Control::FindById(std::uint32_t wanted) {
  if (id == wanted) return this;
  for (Control* child : children_) {
    if (Control* found = child->FindById(wanted)) return found;
  }
  return nullptr;
}

Result Control::SendToOwner(std::uint32_t code, std::intptr_t argument, std::uint32_t senderId) {
  // An owner may have gone before a control that outlives it (a box adopted by the tree) reports.
  Control* owner = commandTarget ? commandTarget : parent_;
  return Send(IsAlive(owner) ? owner : nullptr, code, argument, senderId);
}

Result Control::SendToParent(std::uint32_t code, std::intptr_t argument, std::uint32_t senderId) {
  return Send(parent_, code, argument, senderId);
}

std::uint32_t Control::PictureBltFlags() const {
  std::uint32_t bltFlags = gfx::kBltPlain;
  if (transparent) bltFlags |= gfx::kBltColorKey;
  if (opacity != 0) bltFlags |= gfx::kBltOpacity;
  return bltFlags;
}

Result Send(Control* target, std::uint32_t code, std::intptr_t argument, std::uint32_t senderId) {
  if (!target) return kNoTarget;
  return target->Notify(code, argument, senderId);
}

}  // namespace zelph::ui
