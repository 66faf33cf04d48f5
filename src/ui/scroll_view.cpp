#include "ui/scroll_view.h"

#include <algorithm>

#include "config/text.h"
#include "ui/pictures.h"

namespace zelph::ui {

Result ScrollView::Create(std::uint32_t newId, const Rect& newRect, Control* newParent, std::uint32_t newFlags,
                          std::uint32_t newBackgroundId) {
  Control::Create(newId, newRect, newParent, newFlags);
  pixelHit = (newFlags & kScrollPixelHit) != 0;
  backgroundId = newBackgroundId;
  LoadBackground();
  return S_OK;
}

void ScrollView::LoadBackground() {
  if (backgroundId == 0) return;
  hasBackground = Succeeded(LoadPicture(background, PackFor(backgroundId), backgroundId)) &&
                  background.FrameCount() > 0;
  if (!hasBackground) return;
  colorKey = FramesColorKey(background);
  background.SetPlaying(true);
}

Control* ScrollView::AddItem(std::unique_ptr<Control> item, std::uint32_t placement) {
  if (!item) return nullptr;
  Control* raw = item.get();
  if (FindItem(raw->id) == raw) return raw;
  AddChild(raw);
  items.push_back(std::move(item));
  itemFlags.push_back(placement);
  return raw;
}

Control* ScrollView::FindItem(std::uint32_t itemId) const {
  for (const auto& item : items) {
    if (item->id == itemId) return item.get();
  }
  return nullptr;
}

std::unique_ptr<Control> ScrollView::RemoveItem(std::uint32_t itemId, bool destroy) {
  for (std::size_t i = 0; i < items.size(); ++i) {
    if (items[i]->id != itemId) continue;
    std::unique_ptr<Control> item = std::move(items[i]);
    items.erase(items.begin() + static_cast<std::ptrdiff_t>(i));
    itemFlags.erase(itemFlags.begin() + static_cast<std::ptrdiff_t>(i));
    RemoveChild(item.get());
    if (destroy) item.reset();
    return item;
  }
  return nullptr;
}

void ScrollView::ClearItems() {
  items.clear();
  itemFlags.clear();
}

void ScrollView::SetScrollButton(ScrollButton which, std::uint32_t buttonId) {
  if (which >= kScrollUp && which <= kScrollRight) scrollButtons[which] = buttonId;
}

void ScrollView::SetScrollSpeed(ScrollAxis axis, std::int32_t slow, std::int32_t fast, std::int32_t delay) {
  if (axis != kVertical && axis != kHorizontal) return;
  slowStep[axis] = slow;
  fastStep[axis] = fast;
  holdDelay[axis] = delay;
  holdCountdown[axis] = delay;
}

void ScrollView::UpdateExtent() {
  contentRect = {};
  bool first = true;
  for (const auto& item : items) {
    const Rect& r = item->rect;
    if (first) {
      contentRect = r;
      first = false;
    } else {
      contentRect = {std::min(contentRect.left, r.left), std::min(contentRect.top, r.top),
                     std::max(contentRect.right, r.right), std::max(contentRect.bottom, r.bottom)};
    }
  }
  auto range = [](std::int64_t content, std::int64_t view) {
    return static_cast<int>(std::clamp<std::int64_t>(content - view, 0, kMaxScroll));
  };
  // The range runs from the page's own top-left corner to the far edge of its items, so a page whose first
  // item starts below its top can still bring its last line into view (a range of only the items' height
  // would stop short by that gap).
  maxX = range(contentRect.right, rect.Width());
  maxY = range(contentRect.bottom, rect.Height());
  positionX = positionY = 0;
  pendingScroll = false;
}

void ScrollView::ScrollTo(int x, int y) {
  pendingScroll = true;
  pendingX = x;
  pendingY = y;
}

void ScrollView::ApplyPendingScroll() {
  if (!pendingScroll) return;
  pendingScroll = false;
  const int x = std::clamp(pendingX, 0, maxX);
  const int y = std::clamp(pendingY, 0, maxY);
  if (x == positionX && y == positionY) return;
  for (const auto& item : items) item->MoveBy(positionX - x, positionY - y);
  positionX = x;
  positionY = y;
}

Result ScrollView::Draw(gfx::Surface& target, int originX, int originY, const Rect&) {
  ApplyPendingScroll();
  const int vertical = holdCountdown[kVertical] < 1 ? fastStep[kVertical] : slowStep[kVertical];
  const int horizontal = holdCountdown[kHorizontal] < 1 ? fastStep[kHorizontal] : slowStep[kHorizontal];
  int x = positionX, y = positionY;
  if (held[kScrollUp]) y -= vertical;
  if (held[kScrollDown]) y += vertical;
  if (held[kScrollLeft]) x -= horizontal;
  if (held[kScrollRight]) x += horizontal;
  if (x != positionX || y != positionY) ScrollTo(x, y);
  ApplyPendingScroll();
  if (hasBackground) {
    DrawPicture(target, DrawX(originX), DrawY(originY), background, nullptr, visibleRect, PictureBltFlags(),
                opacity);
  }
  return S_OK;
}

Result ScrollView::Tick(std::uint32_t) {
  if (hasBackground) background.StepAnimation();
  if ((held[kScrollUp] || held[kScrollDown]) && holdCountdown[kVertical] > 0) --holdCountdown[kVertical];
  if ((held[kScrollLeft] || held[kScrollRight]) && holdCountdown[kHorizontal] > 0) --holdCountdown[kHorizontal];
  return S_OK;
}

Result ScrollView::StylusUp(int x, int y, std::uint32_t) {
  if (pixelHit && hasBackground && IsKeyPixel(background, x, y, colorKey)) {
    SendToParent(kNotifyBackgroundTap, ArgOf(this), id);
  }
  return kHandled;
}

Result ScrollView::Wheel(int, int, std::uint32_t, int notches) {
  if (notches == 0) return kNotHandled;
  const bool sideways = maxY == 0 && maxX > 0;
  if (!sideways && maxY == 0) return kNotHandled;  // nothing to scroll: a view behind it may take the wheel
  // Notches that arrive before the next draw add up.
  const int fromX = std::clamp(pendingScroll ? pendingX : positionX, 0, maxX);
  const int fromY = std::clamp(pendingScroll ? pendingY : positionY, 0, maxY);
  const int step =
      static_cast<int>(std::clamp<std::int64_t>((sideways ? rect.Width() : rect.Height()) / 8, 1, kMaxScroll));
  const int by = -std::clamp(notches, -kMaxScroll / step, kMaxScroll / step) * step;
  if (sideways) {
    ScrollTo(std::clamp(fromX + by, 0, maxX), fromY);
  } else {
    ScrollTo(fromX, std::clamp(fromY + by, 0, maxY));
  }
  return kHandled;
}

int ScrollView::ScrollButtonIndex(std::uint32_t buttonId) const {
  for (int i = 0; i < 4; ++i) {
    if (scrollButtons[i] != 0 && scrollButtons[i] == buttonId) return i;
  }
  return -1;
}

Result ScrollView::Notify(std::uint32_t code, std::intptr_t argument, std::uint32_t senderId) {
  if (code == kNotifyPressed || code == kNotifyReleased) {
    if (const int which = ScrollButtonIndex(senderId); which >= 0) {
      const int axis = which < kScrollLeft ? kVertical : kHorizontal;
      held[which] = code == kNotifyPressed;
      holdCountdown[axis] = holdDelay[axis];
      return kConsumed;
    }
  }
  if (code == kNotifyReleaseSurfaces || code == kNotifyRestoreSurfaces || code == kNotifyVisible) {
    if (code == kNotifyReleaseSurfaces && backgroundId != 0) background.Reset(false);
    if (code == kNotifyRestoreSurfaces && backgroundId != 0 && background.FrameCount() == 0) LoadBackground();
    return Control::Notify(code, argument, senderId);
  }
  if (code == kNotifyClicked && senderId >= kFirstLinkId) {
    if (Control* item = FindItem(senderId)) {
      LinkNotice link{item, config::WideToAnsi(item->name)};
      return SendToOwner(kNotifyLink, reinterpret_cast<std::intptr_t>(&link), senderId);
    }
  }
  return SendToParent(code, argument, senderId);
}

}  // namespace zelph::ui
