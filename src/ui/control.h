// Control: one node of the tree of rectangles that makes up everything on screen. Each control draws itself
// into the back surface, ticks once per frame and answers key, character, stylus and wheel events; controls
// talk to each other by notifications. The tree's drawing, ticking and routing live in control_tree.h.
#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "gfx/gfx_result.h"
#include "gfx/rect.h"
#include "gfx/surface.h"

namespace zelph::ui {

using gfx::Rect;
using zelph::Result;

// Creation flags.
inline constexpr std::uint32_t kOwnSurface = 0x1;      // drawn through a surface of its own
inline constexpr std::uint32_t kTransparent = 0x2;     // pictures are blitted with the colour key
inline constexpr std::uint32_t kInputDisabled = 0x4;   // created deaf to the stylus
inline constexpr std::uint32_t kHitTopmostFirst = 0x8; // children are hit-tested from the last one
inline constexpr std::uint32_t kCallDrawOver = 0x20;   // DrawOver after the children

// Input handlers answer kHandled or kNotHandled.
inline constexpr Result kHandled = S_OK;
inline constexpr Result kNotHandled = gfx::GFX_E_GENERIC;
// Notify answers; Broadcast does not descend below a control that answers kSkipChildren.
inline constexpr Result kConsumed = 0;
inline constexpr Result kPassOn = 2;
inline constexpr Result kSkipChildren = 4;
// Send without a target.
inline constexpr Result kNoTarget = 256;

// Notification codes.
inline constexpr std::uint32_t kNotifyReleaseSurfaces = 21;
inline constexpr std::uint32_t kNotifyRestoreSurfaces = 22;
inline constexpr std::uint32_t kNotifyVisible = 24;
inline constexpr std::uint32_t kNotifyClicked = 32;
inline constexpr std::uint32_t kNotifyPressed = 33;
inline constexpr std::uint32_t kNotifyReleased = 34;
inline constexpr std::uint32_t kNotifyAnimationEnded = 35;
inline constexpr std::uint32_t kNotifyBackgroundTap = 64;
inline constexpr std::uint32_t kNotifyEditKey = 96;
inline constexpr std::uint32_t kNotifyEditText = 97;
inline constexpr std::uint32_t kNotifyLink = 112;
inline constexpr std::uint32_t kNotifyBoxClosed = 0x2000010;

// Requests the root raises for the application.
inline constexpr std::int32_t kRequestNone = 0;
inline constexpr std::int32_t kRequestInitial = 16;
inline constexpr std::int32_t kRequestLaunch = 3;
inline constexpr std::int32_t kRequestQuit = 64;

// Key codes handed to KeyDown and KeyUp, translated from the device's key list.
inline constexpr int kKeyOther = 0;
inline constexpr int kKeyLeft = 1;
inline constexpr int kKeyUp = 2;
inline constexpr int kKeyRight = 3;
inline constexpr int kKeyDown = 4;
inline constexpr int kKeyStart = 5;
inline constexpr int kKeyA = 6;
inline constexpr int kKeyB = 7;
inline constexpr int kKeyC = 8;

// The colour key of every picture, as a colour value.
inline constexpr std::uint32_t kColorKey = 0xFF00FF;

class Control;

// Notification arguments are numbers or controls.
inline std::intptr_t ArgOf(const Control* control) { return reinterpret_cast<std::intptr_t>(control); }
inline Control* ControlOf(std::intptr_t argument) { return reinterpret_cast<Control*>(argument); }

class Control {
 public:
  Control();
  Control(const Control&) = delete;
  Control& operator=(const Control&) = delete;
  // Unlinks from the parent, lets go of the children (they belong to whoever created them) and clears every
  // tree pointer that names this control.
  virtual ~Control();

  virtual Result Create(std::uint32_t id, const Rect& rect, Control* parent, std::uint32_t flags);
  // Drawing receives the parent's origin (this control adds its own left and top) and the parent's visible
  // rectangle; `visibleRect` already holds this control's part of it.
  virtual Result Draw(gfx::Surface& target, int originX, int originY, const Rect& clip);
  virtual Result DrawOver(gfx::Surface& target, int originX, int originY, const Rect& clip);
  virtual Result Tick(std::uint32_t frame);
  virtual Result DrawFrozen(gfx::Surface& target, int originX, int originY, const Rect& clip);
  virtual Result DrawFrozenOver(gfx::Surface& target, int originX, int originY, const Rect& clip);
  virtual Result KeyDown(int keyCode, std::uint32_t rawKey);
  virtual Result KeyUp(int keyCode, std::uint32_t rawKey);
  virtual Result Char(std::uint32_t character, std::intptr_t keyData);
  virtual Result FocusLost(Control* next);
  // Stylus points are in this control's coordinates.
  virtual Result StylusDown(int x, int y, std::uint32_t extra);
  virtual Result StylusUp(int x, int y, std::uint32_t extra);
  virtual Result StylusDoubleClick(int x, int y, std::uint32_t extra);
  virtual Result StylusMove(int x, int y, std::uint32_t extra);
  virtual Result Wheel(int x, int y, std::uint32_t keys, int notches);
  virtual Result CaptureLost(Control* next);
  virtual Result Moved(const Rect& previous);
  // 21 and 22 release and re-create the own surface, 24 sets `visible`; everything else answers kPassOn.
  virtual Result Notify(std::uint32_t code, std::intptr_t argument, std::uint32_t senderId);

  // Moving and resizing keep `oldRect`, re-create the own surface when the size changed and call Moved.
  void SetRect(int x, int y, int width, int height);
  void SetRect(const Rect& rect);
  void MoveTo(int x, int y);
  void MoveBy(int dx, int dy);
  int Width() const { return rect.right - rect.left; }
  int Height() const { return rect.bottom - rect.top; }

  // Between this control's coordinates and the screen's.
  Rect ToScreen(Rect r) const;
  void ToScreen(int* x, int* y) const;
  Rect FromScreen(Rect r) const;
  void FromScreen(int* x, int* y) const;

  // frames <= 0 enables input at once; otherwise input stays off for that many draws.
  void DisableInputFor(int frames);

  // Children are kept in ascending zOrder; equal values keep their order of insertion.
  void AddChild(Control* child);
  void RemoveChild(Control* child);
  void SortChildren();
  const std::vector<Control*>& Children() const { return children_; }
  Control* Parent() const { return parent_; }

  // Depth first from this control: the first with this id, or null.
  Control* FindById(std::uint32_t wanted);

  // To commandTarget when set, else to the parent: where a control reports what happened to it.
  Result SendToOwner(std::uint32_t code, std::intptr_t argument, std::uint32_t senderId);
  Result SendToParent(std::uint32_t code, std::intptr_t argument, std::uint32_t senderId);

  gfx::Surface* OwnSurface() { return hasSurface ? &surface_ : nullptr; }

  std::uint32_t flags = 0;
  std::int32_t request = kRequestInitial;
  std::unique_ptr<std::u16string> launchName;
  bool launchNow = false;
  Rect rect;
  Rect visibleRect;
  Rect hitRect;
  Rect oldRect;
  bool visible = true;
  bool inputEnabled = true;
  bool ticking = true;
  std::uint32_t id = 0;
  std::int32_t zOrder = 0;
  std::int32_t enableDelay = -1;
  bool transparent = false;
  std::uint32_t opacity = 0;
  bool frozen = false;
  bool hasSurface = false;
  Control* commandTarget = nullptr;
  std::u16string name;

 protected:
  // Blit flags for this control's pictures: colour key when transparent, constant opacity when set.
  std::uint32_t PictureBltFlags() const;
  // Where a picture drawn through `visibleRect` lands: the origin plus left and top, moved on by the part
  // the clip cut away.
  int DrawX(int originX) const { return originX + rect.left + visibleRect.left; }
  int DrawY(int originY) const { return originY + rect.top + visibleRect.top; }

 private:
  void RecreateSurface();

  gfx::Surface surface_;
  std::vector<Control*> children_;
  Control* parent_ = nullptr;
};

// Calls target's Notify; kNoTarget without one.
Result Send(Control* target, std::uint32_t code, std::intptr_t argument, std::uint32_t senderId);

}  // namespace zelph::ui
