// ScrollView: a clipped container whose items (labels, images, invisible link buttons) are laid out one
// below the other and scrolled while the user holds one of its scroll buttons: slowly at first, fast after a
// hold delay, never beyond the content. The mouse wheel scrolls it too.
#pragma once

#include <array>
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "gfx/sprite.h"
#include "ui/control.h"

namespace zelph::ui {

inline constexpr std::uint32_t kScrollPixelHit = 0x100;  // a release on a key-coloured background pixel: 64
inline constexpr std::uint32_t kFirstLinkId = 71535;      // items from this id on are links
inline constexpr int kMaxScroll = 1 << 24;

enum ScrollButton { kScrollUp = 0, kScrollDown = 1, kScrollLeft = 2, kScrollRight = 3 };
enum ScrollAxis { kVertical = 0, kHorizontal = 1 };

// The argument of notification 112: the link item and its name.
struct LinkNotice {
  Control* item = nullptr;
  std::string name;
};

class ScrollView : public Control {
 public:
  using Control::Create;
  // backgroundId 0: no background picture.
  Result Create(std::uint32_t id, const Rect& rect, Control* parent, std::uint32_t flags,
                std::uint32_t backgroundId);

  // The view takes the item over as item and child; an item it already holds is left alone.
  Control* AddItem(std::unique_ptr<Control> item, std::uint32_t placement);
  // Unlinks the item with that id: destroyed, or handed back to the caller.
  std::unique_ptr<Control> RemoveItem(std::uint32_t itemId, bool destroy);
  void ClearItems();
  const std::vector<std::unique_ptr<Control>>& Items() const { return items; }

  // Registers a button's id as a scroll button; the button's commandTarget must be this view, so that its
  // press and release come here.
  void SetScrollButton(ScrollButton which, std::uint32_t buttonId);
  void SetScrollSpeed(ScrollAxis axis, std::int32_t slow, std::int32_t fast, std::int32_t delay);
  // The content's extent and the scroll range again; the position goes back to the top left.
  void UpdateExtent();
  // Takes effect at the next draw, clamped to the range.
  void ScrollTo(int x, int y);

  Result Draw(gfx::Surface& target, int originX, int originY, const Rect& clip) override;
  Result Tick(std::uint32_t frame) override;
  Result StylusUp(int x, int y, std::uint32_t extra) override;
  // The desktop's wheel: each notch away from the player scrolls an eighth of the view towards the top of the
  // content (along the view's width when it only scrolls sideways).
  Result Wheel(int x, int y, std::uint32_t keys, int notches) override;
  Result Notify(std::uint32_t code, std::intptr_t argument, std::uint32_t senderId) override;

  std::vector<std::unique_ptr<Control>> items;
  std::vector<std::uint32_t> itemFlags;
  Rect contentRect;
  gfx::Sprite background;
  bool hasBackground = false;
  std::uint32_t backgroundId = 0;
  std::uint32_t colorKey = kColorKey;
  bool pixelHit = false;
  std::array<std::uint32_t, 4> scrollButtons{};
  std::array<bool, 4> held{};
  std::array<std::int32_t, 2> slowStep{1, 1};
  std::array<std::int32_t, 2> fastStep{3, 3};
  std::array<std::int32_t, 2> holdDelay{30, 30};
  std::array<std::int32_t, 2> holdCountdown{30, 30};
  int positionX = 0, positionY = 0;
  int maxX = 0, maxY = 0;
  bool pendingScroll = false;
  int pendingX = 0, pendingY = 0;
  std::uint32_t nextItemId = 0;

 private:
  void ApplyPendingScroll();
  void LoadBackground();
  // Which scroll button has this id; -1 for none.
  int ScrollButtonIndex(std::uint32_t buttonId) const;
  Control* FindItem(std::uint32_t itemId) const;
};

}  // namespace zelph::ui
