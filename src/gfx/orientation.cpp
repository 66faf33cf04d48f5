#include "gfx/orientation.h"

#include <utility>

#include "gfx/graphics_context.h"

namespace zelph::gfx {
namespace {

int Quarters(std::int32_t orientation) {
  switch (orientation) {
    case kOrientation90:
      return 1;
    case kOrientation180:
      return 2;
    case kOrientation270:
      return 3;
    default:
      return 0;
  }
}

}  // namespace

int QuartersOn(std::int32_t native, std::int32_t current) {
  return (Quarters(current) - Quarters(native) + 4) % 4;
}

void LogicalSize(std::int32_t orientation, std::int32_t width, std::int32_t height,
                 std::int32_t* logicalWidth, std::int32_t* logicalHeight) {
  const bool sideways = Quarters(orientation) % 2 == 1;
  *logicalWidth = sideways ? height : width;
  *logicalHeight = sideways ? width : height;
}

void MapPoint(std::int32_t native, std::int32_t current, std::int32_t width, std::int32_t height, int* x,
              int* y) {
  switch (QuartersOn(native, current)) {
    case 1:
      std::swap(*x, *y);
      *x = width - *x - 1;
      break;
    case 2:
      *x = width - *x - 1;
      *y = height - *y - 1;
      break;
    case 3:
      std::swap(*x, *y);
      *y = height - *y - 1;
      break;
    default:
      break;
  }
}

KeyList RemapDirectionKeys(const KeyList& keys, std::int32_t native, std::int32_t current) {
  KeyList out = keys;
  switch (QuartersOn(native, current)) {
    case 1:
      out.left = keys.down;
      out.right = keys.up;
      out.up = keys.left;
      out.down = keys.right;
      break;
    case 2:
      out.left = keys.right;
      out.right = keys.left;
      out.up = keys.down;
      out.down = keys.up;
      break;
    case 3:
      out.left = keys.up;
      out.right = keys.down;
      out.up = keys.right;
      out.down = keys.left;
      break;
    default:
      break;
  }
  return out;
}

}  // namespace zelph::gfx
