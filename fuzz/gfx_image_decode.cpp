// Arbitrary bytes as a picture, as the game decodes every picture from its packs: through the format
// detection ("eBM", PNG, BMP file), as a bitmap in a program's resources (information header first), cut into
// a sprite's frames, and measured and drawn as a font. A decoded picture must have a sane size.
#include <cstdint>
#include <cstdlib>
#include <span>

#include "gfx/alpha_font.h"
#include "gfx/image_decode.h"
#include "gfx/image_decoders.h"
#include "gfx/sprite.h"

using namespace zelph;
using namespace zelph::gfx;

namespace {

GraphicsContext& OpenContext() {
  static GraphicsContext context;
  if (!context.IsOpen()) context.MarkOpen(DisplayProperties::Rgb565(640, 480));
  return context;
}

void CheckSize(const Surface& s) {
  if (s.HasPixels() && !PictureSizeAllowed(s.Width(), s.Height())) std::abort();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  GraphicsContext& context = OpenContext();
  const std::span<const std::uint8_t> bytes(data, size);

  Surface picture(context);
  const Result decoded = DecodeImage(picture, bytes, 0);
  if (Succeeded(decoded) != picture.HasPixels()) std::abort();
  CheckSize(picture);
  Surface alpha(context);
  DecodeImage(alpha, bytes, kLoadAlphaAsGrey);
  CheckSize(alpha);
  Surface resource(context);
  DecodeBmp(resource, bytes, 0, /*fileForm=*/false);
  CheckSize(resource);

  ImageCache cache;
  Sprite sprite(context, cache);
  if (Succeeded(sprite.LoadMemory(bytes, 1, 7u))) {
    sprite.SetAnimation(true, 0, 1, false, 0);
    for (int i = 0; i < sprite.FrameCount() + 2; ++i) sprite.StepAnimation();
    Surface dest(context);
    if (Succeeded(dest.CreateSurface(0, 64, 64))) sprite.DrawFrame(dest, -1, -8, -8, nullptr, kBltColorKey);
  }

  // The decoded picture as a font strip, both layouts, with and without its alpha picture.
  if (Succeeded(decoded) && picture.Width() * picture.Height() <= 1 << 20) {
    AlphaFont font(context);
    font.Picture().CopyFrom(picture);
    if (alpha.HasPixels()) font.Alpha().CopyFrom(alpha);
    const std::int32_t spacing = 1;
    Surface dest(context);
    if (Succeeded(dest.CreateSurface(kCreateNoBoundsCheck, 96, 32))) {
      for (std::uint32_t layout : {0u, kFontLayoutB}) {
        if (Failed(font.CreateFont(std::nullopt, kMagenta, layout | kFontSpacing, &spacing))) continue;
        font.TextWidth(u"Zelph 09");
        font.DrawText(dest, 90, 4, u"Zelph 09", kAlignRight, 0, nullptr);
        font.BitmapFont::DrawText(dest, 48, 4, u"~ !", kAlignCenter, 0, nullptr);
      }
    }
  }
  return 0;
}
