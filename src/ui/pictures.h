// What every control that shows pictures needs: the GUI document's sections, the pack that holds an image
// identifier, loading a sprite from it, and drawing a frame (through its alpha frame when there is one).
#pragma once

#include <cstdint>
#include <optional>
#include <string_view>

#include "config/config_section.h"
#include "config/resource_pack.h"
#include "gfx/sprite.h"
#include "ui/control.h"

namespace zelph::ui {

// The named section of the GUI document, or null.
const config::ConfigSection* GuiSection(std::string_view name);
// The pack whose identifier range holds `id`, or null (also for 0).
config::ResourcePack* PackFor(std::uint32_t id);

// Binds `sprite` to picture `id` of `pack`, sharing frames already decoded for that identifier.
// E_INVALIDARG without an identifier (or without a pack for a picture not yet decoded), GFX_E_NO_RESOURCE when the pack does not yield the picture; a
// failed load leaves the sprite without frames.
Result LoadPicture(gfx::Sprite& sprite, config::ResourcePack* pack, std::uint32_t id);

// Coordinates and sizes read from documents are kept within this, so that no sum of them can overflow.
inline constexpr std::int32_t kMaxCoordinate = 1 << 15;

// "key" read as x, y, width, height (each kept within kMaxCoordinate); nullopt when it is missing.
std::optional<Rect> FindRect(const config::ConfigSection& section, std::string_view key);
// The same, with the empty rectangle for a missing key.
Rect ReadRect(const config::ConfigSection& section, std::string_view key);
// An integer of a document kept within kMaxCoordinate.
std::int32_t ReadBoundedInt(const config::ConfigSection& section, std::string_view key, std::int32_t fallback);

// Draws the part `source` of image's current frame with its top-left corner at (x, y): through alpha's
// current frame (with the constant opacity when not 0) when alpha has frames, else with `bltFlags` and the
// opacity. The part is first cut to the frames, so a control larger than its picture draws what there is.
void DrawPicture(gfx::Surface& target, int x, int y, gfx::Sprite& image, gfx::Sprite* alpha, Rect source,
                 std::uint32_t bltFlags, std::uint32_t opacity);

// The colour key of a sprite's frames as a colour value; kColorKey without frames.
std::uint32_t FramesColorKey(gfx::Sprite& sprite);
// True when (x, y) lies on a key-coloured pixel of the current frame, or off the frame altogether.
bool IsKeyPixel(gfx::Sprite& sprite, int x, int y, std::uint32_t colorKey);

}  // namespace zelph::ui
