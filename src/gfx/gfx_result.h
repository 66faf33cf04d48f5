// Result codes of the graphics layer and of the game's object operations (the 0xC866xxxx family).
// The platform's E_INVALIDARG and E_OUTOFMEMORY are used as they are.
#pragma once

#include "platform/result.h"

namespace zelph::gfx {

using zelph::Result;

inline constexpr Result GFX_E_GENERIC = Code(0xC8660001);     // generic failure of game operations
inline constexpr Result GFX_E_NOT_LOCKED = Code(0xC8660010);  // unlock when not locked; object not open
inline constexpr Result GFX_E_NO_BITMAP = Code(0xC8660020);   // drawing context returned without a bitmap
inline constexpr Result GFX_E_DC_OUT = Code(0xC8660030);      // unlock while a drawing context is lent out
inline constexpr Result GFX_E_DC_FAILED = Code(0xC8660040);   // a drawing context cannot be made
inline constexpr Result GFX_E_FILE_NOT_FOUND = Code(0xC8660060);   // image file or resource cannot be opened
inline constexpr Result GFX_E_BAD_IMAGE = Code(0xC8660070);        // image data unreadable or unsupported
inline constexpr Result GFX_E_NO_PIXELS = Code(0xC8660080);        // surface, font or display has no buffer
inline constexpr Result GFX_E_DISPLAY_SURFACE = Code(0xC8660090);  // not allowed on a display-owned surface
inline constexpr Result GFX_E_NOT_READY = Code(0xC86600A0);      // display closed, surface stale, not RGB 565
inline constexpr Result GFX_E_ALREADY_OPEN = Code(0xC86600B0);   // the display is already open
inline constexpr Result GFX_E_LOCKED = Code(0xC86600C0);         // a surface taking part is locked
inline constexpr Result GFX_E_INPUT_OPEN = Code(0xC86600D0);     // key input already open
inline constexpr Result GFX_E_OUT_OF_BOUNDS = Code(0xC86600E0);  // outside a surface, or an empty rectangle
inline constexpr Result GFX_E_BAD_ORIENTATION = Code(0xC8660100);  // orientation value 0
inline constexpr Result GFX_E_MODE = Code(0xC8660110);             // the screen cannot be driven
inline constexpr Result GFX_E_NO_DISPLAY_LIBRARY = Code(0xC8660120);
inline constexpr Result GFX_E_UNSUPPORTED = Code(0xC8660130);  // video-memory surfaces are not supported
inline constexpr Result GFX_E_NOT_VIDEO = Code(0xC8660140);    // the surface is not in video memory
inline constexpr Result GFX_E_LOST = Code(0xC8660150);         // the display's surfaces were lost
inline constexpr Result GFX_E_READ_ONLY = Code(0xC8660170);    // created with flag 0x008
inline constexpr Result GFX_E_NO_RESOURCE = Code(0xC8661000);  // a pack did not yield a sprite's image data
// Not a failure despite its sign bit: the caller compares for it explicitly.
inline constexpr Result GFX_S_ANIMATION_END = Code(0xC8662000);

}  // namespace zelph::gfx
