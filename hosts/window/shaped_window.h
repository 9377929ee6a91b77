// Giving a borderless window the outline cut from its picture's magenta.
#pragma once

#include <QRegion>
#include <QWidget>

#include "screen/picture.h"

namespace zunk {

// The region of the picture's non-magenta pixels, as the core computes it. Empty when the
// picture is all magenta or empty.
QRegion RegionFromMagenta(const Picture& picture);

// Gives the window that region; a picture with no window pixels leaves the window
// rectangular rather than invisible.
void ShapeWindow(QWidget& window, const Picture& picture);

}  // namespace zunk
