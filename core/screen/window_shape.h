// The outline of a shaped window cut from its picture: every magenta pixel is a hole, every
// other pixel belongs to the window. The game window, the drag window and the pop-up browser
// give their windows the region these rectangles make.
#pragma once

#include <vector>

#include "screen/picture.h"

namespace zunk {

// A rectangle of window pixels: x, y of its top-left corner, width and height.
struct ShapeRect {
  int x = 0;
  int y = 0;
  int width = 0;
  int height = 0;
  bool operator==(const ShapeRect&) const = default;
};

// The window's region as rows of runs: for each row from the top, each run of non-magenta
// pixels from left to right gives one rectangle one pixel high. A picture with no magenta
// gives one rectangle per row; an all-magenta or empty picture gives none (the host then
// keeps the plain rectangular window rather than showing nothing).
std::vector<ShapeRect> ShapeFromMagenta(const Picture& picture);

}  // namespace zunk
