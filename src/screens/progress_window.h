// The start-up progress window: the last snapshot of the game (or a fixed picture) behind a bar that
// advances while the main window is built. The bar is a picture revealed from the left, or, without one,
// a frame of blocks.
#pragma once

#include <atomic>
#include <cstdint>
#include <filesystem>
#include <optional>

#include "config/config_section.h"
#include "gfx/sprite.h"
#include "gfx/surface.h"
#include "ui/control.h"

namespace zelph::screens {

// SetRange flags: the default bar as one solid block.
inline constexpr std::uint32_t kProgressSolid = 0x2;
inline constexpr char kSnapshotFile[] = "LastSnapshot.bmp";

class ProgressWindow : public ui::Control {
 public:
  using Control::Create;
  // GFX_E_GENERIC without a section. The background goes into `target` at once.
  Result Create(std::uint32_t id, const ui::Rect& rect, ui::Control* parent, std::uint32_t flags,
                const config::ConfigSection* section);
  // The frame: `frame`, else the bar picture's place (with the picture under the bar drawn now), else a
  // 100 x 20 box in the middle of the target. The value starts at the minimum.
  void SetRange(const std::optional<ui::Rect>& frame, std::uint32_t flags, std::int32_t minimum,
                std::int32_t maximum, std::int32_t step);
  void Step() { SetValue(value + step); }
  void SetValue(std::int32_t v);
  void Reset();
  // Waits (at most a second) for the value to change when waitForChange is set, then draws the bar.
  Result Draw(gfx::Surface& target, int originX, int originY, const ui::Rect& clip) override;

  // The width of the bar picture shown for the current value.
  std::int32_t VisibleWidth() const;
  bool HasBarPicture() { return percentImage.FrameCount() > 0; }

  const config::ConfigSection* section = nullptr;
  gfx::Surface* target = nullptr;         // the back surface; set before Create
  std::filesystem::path installFolder;    // where the snapshot is looked for; set before Create
  std::uint32_t barFlags = 0;
  std::int32_t minimum = 0, maximum = 100, value = -1, step = 10;
  std::atomic<bool> changed{true};
  bool waitForChange = true;
  ui::Rect progressRect, percentRect, percentSource;
  std::int32_t percentStep = 0;
  gfx::Sprite percentImage;
  ui::Rect frameRect, barRect;

 private:
  void DrawBackground(const config::ConfigSection& s);
  void DrawBlocks(gfx::Surface& surface);
};

}  // namespace zelph::screens
