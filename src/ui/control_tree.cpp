#include "ui/control_tree.h"

#include <algorithm>
#include <cstdint>
#include <unordered_set>
#include <utility>
#include <vector>

#include "gfx/blit.h"

namespace zelph::ui {
namespace {

struct TreeState {
  Control* root = nullptr;
  Control* keyFocus = nullptr;
  Control* capture = nullptr;
  std::vector<Control*> modal;
  gfx::Surface* back = nullptr;
  gfx::KeyList keys;
  int depth = 0;  // nesting of draws, ticks and events under way
  std::vector<std::unique_ptr<Control>> adopted;
  std::vector<std::unique_ptr<Control>> doomed;
  std::unordered_set<const Control*> alive;
};

// Never destroyed: controls released during the program's exit still find it.
TreeState& State() {
  static TreeState* state = new TreeState;
  return *state;
}

void FreeDoomed() {
  TreeState& s = State();
  while (!s.doomed.empty()) {
    auto batch = std::move(s.doomed);
    s.doomed.clear();
    batch.clear();  // destructors may doom more
  }
}

// Marks one draw, tick or event; when the outermost one returns, controls that ended themselves during it
// are freed, so none is freed while a caller up the stack still uses it.
class Outermost {
 public:
  Outermost() { ++State().depth; }
  ~Outermost() {
    if (--State().depth == 0) FreeDoomed();
  }
  Outermost(const Outermost&) = delete;
  Outermost& operator=(const Outermost&) = delete;
};

// `inside` (in the parent's coordinates) in the coordinates of a control at `r`; far-off controls saturate
// instead of overflowing.
Rect Inward(const Rect& inside, const Rect& r) {
  auto sub = [](std::int32_t a, std::int32_t b) {
    return static_cast<std::int32_t>(std::clamp<std::int64_t>(std::int64_t{a} - b, INT32_MIN, INT32_MAX));
  };
  return {sub(inside.left, r.left), sub(inside.top, r.top), sub(inside.right, r.left), sub(inside.bottom, r.top)};
}

bool Usable(const Control* c) { return c && c->visible && !c->frozen; }

// A result that ends a draw or tick walk. The end of a one-shot animation is news, not a failure: it must not
// cost the rest of the tree its tick.
bool Stops(Result r) { return r != S_OK && r != gfx::GFX_S_ANIMATION_END; }

Result DrawControl(Control& c, gfx::Surface& target, int originX, int originY, const Rect& clip) {
  if (!c.visible) return S_OK;
  const Rect inside = gfx::Intersect(c.rect, clip);
  if (inside.IsEmpty() && !c.frozen) {
    c.visibleRect = {};
    return S_OK;
  }
  c.visibleRect = inside.IsEmpty() ? Rect{} : Inward(inside, c.rect);

  if (c.enableDelay > 0) {
    --c.enableDelay;
  } else if (c.enableDelay == 0) {
    c.enableDelay = -1;
    c.inputEnabled = true;
  }

  // With a surface of its own the control draws there in its own coordinates, then the visible part is
  // copied onto the target with the colour key.
  gfx::Surface* own = c.OwnSurface();
  gfx::Surface& dest = own ? *own : target;
  const int drawX = own ? -c.rect.left : originX;
  const int drawY = own ? -c.rect.top : originY;
  auto composite = [&] {
    if (own && !c.visibleRect.IsEmpty()) {
      gfx::Blt(target, originX + c.rect.left + c.visibleRect.left, originY + c.rect.top + c.visibleRect.top,
               own, &c.visibleRect, gfx::kBltColorKey);
    }
  };

  if (c.frozen) {
    c.DrawFrozen(dest, drawX, drawY, clip);
    if (c.flags & kCallDrawOver) c.DrawFrozenOver(dest, drawX, drawY, clip);
    composite();
    return S_OK;
  }

  if (Result r = c.Draw(dest, drawX, drawY, clip); r != S_OK) return r;
  const int childX = own ? 0 : originX + c.rect.left;
  const int childY = own ? 0 : originY + c.rect.top;
  // By index: a control may leave its parent while the parent draws.
  for (std::size_t i = 0; i < c.Children().size(); ++i) {
    if (Result r = DrawControl(*c.Children()[i], dest, childX, childY, c.visibleRect); r != S_OK) return r;
  }
  if (c.flags & kCallDrawOver) {
    if (Result r = c.DrawOver(dest, drawX, drawY, clip); r != S_OK) return r;
  }
  composite();
  return S_OK;
}

Result TickControl(Control& c, std::uint32_t frame) {
  if (!c.visible) return S_OK;
  if (c.ticking) {
    if (Result r = c.Tick(frame); Stops(r)) return r;
  }
  for (std::size_t i = 0; i < c.Children().size(); ++i) {
    if (Result r = TickControl(*c.Children()[i], frame); Stops(r)) return r;
  }
  return S_OK;
}

Result Dispatch(Control& c, StylusEvent event, int x, int y, std::uint32_t keys, int notches) {
  switch (event) {
    case StylusEvent::kDown:
      return c.StylusDown(x, y, 0);
    case StylusEvent::kUp:
      return c.StylusUp(x, y, 0);
    case StylusEvent::kDoubleClick:
      return c.StylusDoubleClick(x, y, 0);
    case StylusEvent::kMove:
      return c.StylusMove(x, y, 0);
    case StylusEvent::kWheel:
      return c.Wheel(x, y, keys, notches);
  }
  return kNotHandled;
}

Result RouteStylus(Control& root, StylusEvent event, int x, int y, std::uint32_t keys, int notches) {
  Outermost guard;
  if (Control* capture = StylusCapture(); Usable(capture)) {
    capture->FromScreen(&x, &y);
    return Dispatch(*capture, event, x, y, keys, notches);
  }
  Control* start = ModalTop();
  if (!Usable(start)) start = &root;
  start->FromScreen(&x, &y);
  return HitTest(*start, event, x, y, keys, notches);
}

Control* KeyTarget(Control& root) {
  for (Control* c : {KeyFocus(), ModalTop(), &root}) {
    if (Usable(c)) return c;
  }
  return nullptr;
}

void BroadcastFrom(Control& c, std::uint32_t code, std::intptr_t argument, std::uint32_t senderId) {
  if (c.Notify(code, argument, senderId) == kSkipChildren) return;
  for (std::size_t i = 0; i < c.Children().size(); ++i) {
    BroadcastFrom(*c.Children()[i], code, argument, senderId);
  }
}

}  // namespace

Control* Root() { return State().root; }
Control* KeyFocus() { return State().keyFocus; }
Control* StylusCapture() { return State().capture; }
Control* ModalTop() { return State().modal.empty() ? nullptr : State().modal.back(); }

Control* SetKeyFocus(Control* control) {
  Control* previous = State().keyFocus;
  if (previous) previous->FocusLost(control);
  State().keyFocus = control;
  return previous;
}

Control* SetCapture(Control* control) {
  Control* previous = State().capture;
  if (previous) previous->CaptureLost(control);
  State().capture = control;
  return previous;
}

void PushModal(Control* control) {
  if (control) State().modal.push_back(control);
}

void RemoveModal(Control* control) { std::erase(State().modal, control); }

void SetBackSurface(gfx::Surface* surface) { State().back = surface; }
gfx::Surface* BackSurface() { return State().back; }

void ResetControlGlobals() {
  TreeState& s = State();
  auto adopted = std::move(s.adopted);
  s.adopted.clear();
  adopted.clear();
  FreeDoomed();
  s.root = s.keyFocus = s.capture = nullptr;
  s.modal.clear();
}

Control* Adopt(std::unique_ptr<Control> control) {
  Control* raw = control.get();
  if (raw) State().adopted.push_back(std::move(control));
  return raw;
}

bool DisposeLater(Control* control) {
  TreeState& s = State();
  auto it = std::find_if(s.adopted.begin(), s.adopted.end(), [control](const auto& p) { return p.get() == control; });
  if (it == s.adopted.end()) return false;
  s.doomed.push_back(std::move(*it));
  s.adopted.erase(it);
  return true;
}

Result DrawTree(Control& control, gfx::Surface& target, int originX, int originY, const Rect& clip) {
  Outermost guard;
  return DrawControl(control, target, originX, originY, clip);
}

Result TickTree(Control& control, std::uint32_t frame) {
  Outermost guard;
  return TickControl(control, frame);
}

int KeyCodeFor(std::uint32_t rawKey, const gfx::KeyList& keys) {
  const std::pair<std::uint16_t, int> table[] = {{keys.up, kKeyUp},       {keys.down, kKeyDown},
                                                 {keys.left, kKeyLeft},   {keys.right, kKeyRight},
                                                 {keys.start, kKeyStart}, {keys.a, kKeyA},
                                                 {keys.b, kKeyB},         {keys.c, kKeyC}};
  for (const auto& [raw, code] : table) {
    // An unassigned entry (0) names no key.
    if (raw != 0 && raw == rawKey) return code;
  }
  return kKeyOther;
}

void SetDeviceKeys(const gfx::KeyList& keys) { State().keys = keys; }
gfx::KeyList DeviceKeys() { return State().keys; }

Result RouteKeyDown(Control& root, std::uint32_t rawKey, const gfx::KeyList& keys) {
  Outermost guard;
  SetDeviceKeys(keys);
  Control* target = KeyTarget(root);
  return target ? target->KeyDown(KeyCodeFor(rawKey, keys), rawKey) : kNotHandled;
}

Result RouteKeyUp(Control& root, std::uint32_t rawKey, const gfx::KeyList& keys) {
  Outermost guard;
  SetDeviceKeys(keys);
  Control* target = KeyTarget(root);
  return target ? target->KeyUp(KeyCodeFor(rawKey, keys), rawKey) : kNotHandled;
}

Result RouteChar(Control& root, std::uint32_t character, std::intptr_t keyData) {
  Outermost guard;
  Control* target = KeyTarget(root);
  return target ? target->Char(character, keyData) : kNotHandled;
}

Result RouteStylusDown(Control& root, int x, int y) { return RouteStylus(root, StylusEvent::kDown, x, y, 0, 0); }
Result RouteStylusUp(Control& root, int x, int y) { return RouteStylus(root, StylusEvent::kUp, x, y, 0, 0); }
Result RouteStylusDoubleClick(Control& root, int x, int y) {
  return RouteStylus(root, StylusEvent::kDoubleClick, x, y, 0, 0);
}
Result RouteStylusMove(Control& root, int x, int y) { return RouteStylus(root, StylusEvent::kMove, x, y, 0, 0); }
Result RouteWheel(Control& root, int x, int y, std::uint32_t keys, int notches) {
  return RouteStylus(root, StylusEvent::kWheel, x, y, keys, notches);
}

Result HitTest(Control& control, StylusEvent event, int x, int y, std::uint32_t keys, int notches) {
  if (!control.visible || control.frozen || !control.inputEnabled) return kNotHandled;
  const bool topmostFirst = (control.flags & kHitTopmostFirst) != 0;
  const std::size_t count = control.Children().size();
  for (std::size_t k = 0; k < count; ++k) {
    const auto& children = control.Children();
    const std::size_t i = topmostFirst ? count - 1 - k : k;
    if (i >= children.size()) continue;
    Control& child = *children[i];
    if (!child.visible || !child.inputEnabled) continue;
    const Rect& r = child.rect;
    // Edges count on all four sides.
    if (x < r.left || x > r.right || y < r.top || y > r.bottom) continue;
    child.hitRect = r;
    if (HitTest(child, event, x - r.left, y - r.top, keys, notches) == kHandled) return kHandled;
  }
  return Dispatch(control, event, x, y, keys, notches);
}

void Broadcast(std::uint32_t code, std::intptr_t argument, std::uint32_t senderId) {
  Outermost guard;
  if (Control* root = Root()) BroadcastFrom(*root, code, argument, senderId);
}

bool IsAlive(const Control* control) { return control && State().alive.contains(control); }

namespace detail {

void SetRoot(Control* control) { State().root = control; }
void RememberControl(Control* control) { State().alive.insert(control); }

void ForgetControl(Control* control) {
  TreeState& s = State();
  s.alive.erase(control);
  if (s.root == control) s.root = nullptr;
  if (s.keyFocus == control) s.keyFocus = nullptr;
  if (s.capture == control) s.capture = nullptr;
  std::erase(s.modal, control);
}

}  // namespace detail
}  // namespace zelph::ui
