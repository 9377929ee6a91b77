// Cutting a window's outline from its picture: the runs of non-magenta pixels of each row.
#include "screen/window_shape.h"

#include <cstdint>

namespace zunk {
namespace {

// Pixels are stored blue, green, red; magenta is red 255, green 0, blue 255.
bool IsMagenta(const std::uint8_t* pixel) {
  return pixel[0] == BlueOf(kMagenta) && pixel[1] == GreenOf(kMagenta) &&
         pixel[2] == RedOf(kMagenta);
}

}  // namespace

std::vector<ShapeRect> ShapeFromMagenta(const Picture& picture) {
  std::vector<ShapeRect> rects;
  const int width = picture.width();
  for (int y = 0; y < picture.height(); ++y) {
    const std::uint8_t* row = picture.Row(y);
    int x = 0;
    while (x < width) {
      while (x < width && IsMagenta(row + 3 * x)) ++x;
      if (x == width) break;
      const int start = x;
      while (x < width && !IsMagenta(row + 3 * x)) ++x;
      rects.push_back({start, y, x - start, 1});
    }
  }
  return rects;
}

}  // namespace zunk
