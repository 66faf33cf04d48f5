// The tree of controls as the application drives it: the global pointers (root, key focus, stylus capture,
// modal stack), drawing and ticking a whole tree, and routing each input event to the one control that
// takes it. Everything here runs under the application's frame lock.
#pragma once

#include <cstdint>
#include <memory>

#include "gfx/orientation.h"
#include "ui/control.h"

namespace zelph::ui {

// The control created last without a parent.
Control* Root();
// Receives key and character events before anybody else.
Control* KeyFocus();
// Receives stylus and wheel events before anybody else, wherever they land.
Control* StylusCapture();
// The top of the stack of modal windows: stylus events go nowhere else.
Control* ModalTop();

// Each calls the previous holder's FocusLost / CaptureLost with the newcomer first; returns the previous one.
Control* SetKeyFocus(Control* control);
Control* SetCapture(Control* control);

// A modal window pushes itself when it opens and pulls itself out when it goes, wherever it stands in the
// stack, so the one below becomes the top again.
void PushModal(Control* control);
void RemoveModal(Control* control);

// The surface every frame is composed in, for pictures baked into it once; null until the display is there.
void SetBackSurface(gfx::Surface* surface);
gfx::Surface* BackSurface();

// Forgets every pointer and destroys every adopted control: a fresh tree.
void ResetControlGlobals();

// Controls that end themselves (a message box closed with autoDestroy) are handed to the tree, which frees
// them once the outermost draw, tick or event that closed them has returned.
Control* Adopt(std::unique_ptr<Control> control);
// Schedules an adopted control's destruction for the end of the outermost draw, tick or event under way (or
// the next one, when called outside them): the caller may still be running inside the control. False when
// the tree does not own it.
bool DisposeLater(Control* control);

// Draws `control` and its subtree into `target`; origin and clip are those of its parent (the screen for the
// root). The first failing Draw ends the drawing with its result.
Result DrawTree(Control& control, gfx::Surface& target, int originX, int originY, const Rect& clip);
// Ticks every visible control, parents before children. The first failure ends the ticking.
Result TickTree(Control& control, std::uint32_t frame);

// The device key list turns a raw key into a key code: up 2, down 4, left 1, right 3, start 5, A 6, B 7,
// C 8, anything else 0.
int KeyCodeFor(std::uint32_t rawKey, const gfx::KeyList& keys);

// The device's key list as the last key event brought it (or as the application set it), for controls that
// send keys of their own.
void SetDeviceKeys(const gfx::KeyList& keys);
gfx::KeyList DeviceKeys();

// Key events go to one control: the key focus, else the modal top, else `root`, the first of them that is
// visible and not frozen. kNotHandled when none is.
Result RouteKeyDown(Control& root, std::uint32_t rawKey, const gfx::KeyList& keys);
Result RouteKeyUp(Control& root, std::uint32_t rawKey, const gfx::KeyList& keys);
Result RouteChar(Control& root, std::uint32_t character, std::intptr_t keyData);

// Stylus events in screen coordinates: to the capture directly, else hit-tested from the modal top, else
// from `root`.
enum class StylusEvent { kDown, kUp, kDoubleClick, kMove, kWheel };
Result RouteStylusDown(Control& root, int x, int y);
Result RouteStylusUp(Control& root, int x, int y);
Result RouteStylusDoubleClick(Control& root, int x, int y);
Result RouteStylusMove(Control& root, int x, int y);
Result RouteWheel(Control& root, int x, int y, std::uint32_t keys, int notches);

// The point (x, y) in `control`'s coordinates offered to its children (in array order, or from the last with
// kHitTopmostFirst; edges inclusive), then to its own handler. kNotHandled when nobody took it.
Result HitTest(Control& control, StylusEvent event, int x, int y, std::uint32_t keys = 0, int notches = 0);

// Notify on every control of the tree under the root, depth first; a control answering kSkipChildren is
// not descended into.
void Broadcast(std::uint32_t code, std::intptr_t argument, std::uint32_t senderId);

// False once the control has been destroyed (for pointers kept across events, such as a button's previous
// stylus capture).
bool IsAlive(const Control* control);

namespace detail {
void SetRoot(Control* control);
void RememberControl(Control* control);
// Clears every pointer to a control that is going away.
void ForgetControl(Control* control);
}  // namespace detail

}  // namespace zelph::ui
