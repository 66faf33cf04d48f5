#include "screens/progress_window.h"

#include <algorithm>
#include <chrono>
#include <thread>

#include "gfx/blit.h"
#include "gfx/image_decode.h"
#include "ui/pictures.h"

namespace zelph::screens {

namespace {

constexpr gfx::Color kFrameFill = 0xFFC8C8;
constexpr gfx::Color kFrameOutline = 0xFFFFFF;
constexpr gfx::Color kBlockFill = 0x6A240A;
constexpr gfx::Color kBlockOutline = 0x924C32;
constexpr int kBlockPitch = 10, kBlockWidth = 8;

bool DrawResource(gfx::Surface& target, std::uint32_t id, int x, int y, std::uint32_t bltFlags) {
  gfx::Sprite picture;
  if (id == 0 || ui::LoadPicture(picture, ui::PackFor(id), id) < 0 || picture.FrameCount() == 0) return false;
  return picture.DrawFrame(target, -1, x, y, nullptr, bltFlags) >= 0;
}

}  // namespace

Result ProgressWindow::Create(std::uint32_t id, const ui::Rect& rect, ui::Control* parent, std::uint32_t flags,
                              const config::ConfigSection* windowSection) {
  if (!windowSection) return gfx::GFX_E_GENERIC;
  const Result created = Control::Create(id, rect, parent, flags);
  if (created < 0) return created;
  section = windowSection;
  DrawBackground(*section);
  progressRect = ui::ReadRect(*section, "progress_rect");
  const ui::Rect percent = ui::ReadRect(*section, "percent_rect");
  const int dx = rect.left + progressRect.left, dy = rect.top + progressRect.top;
  percentRect = ui::Rect{percent.left + dx, percent.top + dy, percent.right + dx, percent.bottom + dy};
  percentSource = ui::Rect{0, 0, percent.right - percent.left, percent.bottom - percent.top};
  percentStep = section->GetInt("percent_step", 0);
  const std::uint32_t bar = section->GetNumber("percent_img", 0);
  if (bar != 0) ui::LoadPicture(percentImage, ui::PackFor(bar), bar);
  return S_OK;
}

void ProgressWindow::DrawBackground(const config::ConfigSection& s) {
  const std::optional<ui::Rect> at = ui::FindRect(s, "back_rect");
  if (!at || !target) return;
  gfx::Surface snapshot;
  if (!installFolder.empty() && gfx::LoadImageFile(snapshot, installFolder / kSnapshotFile, 0) >= 0 &&
      gfx::Blt(*target, at->left, at->top, &snapshot, nullptr) >= 0) {
    return;
  }
  DrawResource(*target, s.GetNumber("back_img", 0), at->left, at->top, gfx::kBltPlain);
}

void ProgressWindow::SetRange(const std::optional<ui::Rect>& frame, std::uint32_t flags, std::int32_t low,
                              std::int32_t high, std::int32_t increment) {
  barFlags = flags;
  minimum = low;
  maximum = high;
  step = increment;
  value = minimum;
  changed = true;
  const bool picture = HasBarPicture();
  if (frame) {
    frameRect = *frame;
  } else if (picture) {
    frameRect = percentRect;
    if (target && section)
      DrawResource(*target, section->GetNumber("progress_back", 0), progressRect.left, progressRect.top,
                   gfx::kBltColorKey);
  } else {
    const int w = target ? target->Width() : 0, h = target ? target->Height() : 0;
    frameRect = ui::Rect{w / 2 - 50, h / 2 - 10, w / 2 + 50, h / 2 + 10};
  }
  barRect = frameRect;
  if (!picture) barRect = ui::Rect{frameRect.left + 2, frameRect.top + 2, frameRect.right - 2, frameRect.bottom - 2};
}

void ProgressWindow::SetValue(std::int32_t v) {
  const std::int32_t clamped = std::clamp(v, minimum, std::max(minimum, maximum));
  if (clamped != value) changed = true;
  value = clamped;
}

void ProgressWindow::Reset() {
  barFlags = 0;
  maximum = 100;
  value = -1;
  step = 10;
}

std::int32_t ProgressWindow::VisibleWidth() const {
  if (maximum <= minimum || value < minimum) return 0;
  std::int32_t width = (percentRect.right - percentRect.left) * (value - minimum) / (maximum - minimum);
  if (percentStep > 0) width -= width % percentStep;
  return width;
}

Result ProgressWindow::Draw(gfx::Surface& surface, int, int, const ui::Rect&) {
  // The value is advanced by the thread that builds the main window.
  for (int i = 0; waitForChange && !changed && i < 20; ++i) std::this_thread::sleep_for(std::chrono::milliseconds(50));
  changed = false;
  if (HasBarPicture()) {
    const gfx::Rect part{0, 0, VisibleWidth(), percentRect.bottom - percentRect.top};
    if (part.right > 0) percentImage.DrawFrame(surface, -1, percentRect.left, percentRect.top, &part, gfx::kBltColorKey);
    return S_OK;
  }
  DrawBlocks(surface);
  return S_OK;
}

void ProgressWindow::DrawBlocks(gfx::Surface& surface) {
  if (value < 0) return;
  gfx::FillRect(surface, &frameRect, kFrameFill);
  gfx::DrawRect(surface, &frameRect, kFrameOutline);
  if (value <= 0 || maximum <= minimum) return;
  const int width = barRect.right - barRect.left;
  const int end = barRect.left + (value - minimum) * width / (maximum - minimum);
  if (barFlags & kProgressSolid) {
    const gfx::Rect filled{barRect.left, barRect.top, end, barRect.bottom};
    gfx::FillRect(surface, &filled, kBlockFill);
    return;
  }
  for (int left = barRect.left; left < end; left += kBlockPitch) {
    const gfx::Rect block{left, barRect.top, std::min(left + kBlockWidth, barRect.right), barRect.bottom};
    gfx::FillRect(surface, &block, kBlockFill);
    gfx::DrawRect(surface, &block, kBlockOutline);
  }
}

}  // namespace zelph::screens
