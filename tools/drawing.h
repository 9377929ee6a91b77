// Drawing helpers for the pictures made at build time: colours, a fixed noise function and
// shapes filled without antialiasing, so sprite edges stay exactly magenta or exactly the
// shape's colour and the same build always gives the same pixels.
#pragma once

#include <cstdint>
#include <functional>
#include <optional>
#include <vector>

#include "screen/picture.h"

namespace zunk {

inline constexpr double kPi = 3.14159265358979323846;

struct Point {
  double x;
  double y;
};

// 0xRRGGBB as a colour.
Colour Hex(std::uint32_t rgb);
// The colour t of the way from a to b (t clamped to 0..1).
Colour Mix(Colour a, Colour b, double t);
// Every channel moved by delta, clamped to 0..255.
Colour Shade(Colour c, int delta);

// A fixed pseudo-random value for a pixel, 0..255.
int Noise(int x, int y, int seed);

// Sets the pixel when it lies inside the picture.
void Plot(Picture& p, int x, int y, Colour c);
// Rows y0..y1-1 across the whole picture, blending from top to bottom.
void VerticalGradient(Picture& p, int y0, int y1, Colour top, Colour bottom);
// Paints the pixels whose centres pass the test, within the bounding box (inclusive).
void FillWhere(Picture& p, int x0, int y0, int x1, int y1,
               const std::function<bool(double, double)>& inside, Colour c);
void Disc(Picture& p, double cx, double cy, double r, Colour c);
void Ring(Picture& p, double cx, double cy, double inner, double outer, Colour c);
// Even-odd fill of a polygon.
void Polygon(Picture& p, const std::vector<Point>& points, Colour c);
// A stroke of the width with round ends.
void Line(Picture& p, Point a, Point b, double width, Colour c);
// Roughens the pixels of the rectangle x0..x1-1, y0..y1-1 by up to ± amplitude: only those of
// the colour when one is given, otherwise every pixel that is not magenta.
void Grain(Picture& p, int x0, int y0, int x1, int y1, int amplitude, int seed,
           std::optional<Colour> only = std::nullopt);

}  // namespace zunk
