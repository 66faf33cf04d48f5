#include <SDL.h>
#include <png.h>

#include "platform/file_io.h"
#include "platform/sdl/sdl_window.h"

namespace zelph::platform {

namespace {

// Icons are small; anything larger is not an icon of ours.
constexpr png_uint_32 kMaxIconSide = 1024;

}  // namespace

SdlSurfacePtr LoadRgbaPng(const std::filesystem::path& file) {
  auto bytes = ReadWholeFile(file);
  if (!bytes || bytes->empty()) return nullptr;
  png_image image{};
  image.version = PNG_IMAGE_VERSION;
  if (!png_image_begin_read_from_memory(&image, bytes->data(), bytes->size())) return nullptr;
  if (image.width == 0 || image.height == 0 || image.width > kMaxIconSide || image.height > kMaxIconSide) {
    png_image_free(&image);
    return nullptr;
  }
  image.format = PNG_FORMAT_RGBA;
  SdlSurfacePtr surface(SDL_CreateRGBSurfaceWithFormat(0, static_cast<int>(image.width),
                                                       static_cast<int>(image.height), 32, SDL_PIXELFORMAT_RGBA32));
  if (!surface) {
    png_image_free(&image);
    return nullptr;
  }
  if (!png_image_finish_read(&image, nullptr, surface->pixels, surface->pitch, nullptr)) return nullptr;
  return surface;
}

}  // namespace zelph::platform
