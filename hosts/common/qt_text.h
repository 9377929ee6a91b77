// Text rasterising with QtGui: fonts as scripts describe them, drawn into pictures.
#pragma once

#include <QFont>
#include <string>

#include "screen/font.h"
#include "screen/picture.h"

namespace zunk {

// The largest text height drawn, in pixels; larger sizes are drawn at this height.
inline constexpr int kMaxTextPixels = 1000;

// Text height in pixels for a size in points at 96 pixels per inch, rounded as the system's
// MulDiv does (halves away from zero), whatever the DPI of the screen. Size 0 takes the
// default 8 points; a negative size is taken as its magnitude.
int FontPixelSize(int points);

// The QFont for a script font: family from the CP1252 name, pixel size, bold, italic and
// underline.
QFont ToQFont(const Font& font);

// Draws CP1252 text onto the picture with the top-left of its cell at x, y, in the font and
// its colour, antialiased, without a background. Parts outside the picture are clipped.
// Creates the QGuiApplication on first use when there is none.
void DrawTextOnPicture(Picture& picture, int x, int y, const std::string& text, const Font& font);

}  // namespace zunk
