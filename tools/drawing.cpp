// Drawing helpers shared by the build-time picture generators (see drawing.h).
#include "drawing.h"

#include <algorithm>
#include <cmath>

namespace zunk {

Colour Hex(std::uint32_t rgb) {
  return MakeColour(rgb >> 16 & 0xFF, rgb >> 8 & 0xFF, rgb & 0xFF);
}

Colour Mix(Colour a, Colour b, double t) {
  t = std::clamp(t, 0.0, 1.0);
  auto channel = [t](int from, int to) {
    return static_cast<int>(std::lround(from + (to - from) * t));
  };
  return MakeColour(channel(RedOf(a), RedOf(b)), channel(GreenOf(a), GreenOf(b)),
                    channel(BlueOf(a), BlueOf(b)));
}

Colour Shade(Colour c, int delta) {
  auto channel = [delta](int v) { return std::clamp(v + delta, 0, 255); };
  return MakeColour(channel(RedOf(c)), channel(GreenOf(c)), channel(BlueOf(c)));
}

int Noise(int x, int y, int seed) {
  std::uint32_t h = static_cast<std::uint32_t>(x) * 374761393u +
                    static_cast<std::uint32_t>(y) * 668265263u +
                    static_cast<std::uint32_t>(seed) * 2246822519u;
  h = (h ^ (h >> 13)) * 1274126177u;
  return static_cast<int>((h ^ (h >> 16)) & 0xFF);
}

void Plot(Picture& p, int x, int y, Colour c) {
  if (x >= 0 && y >= 0 && x < p.width() && y < p.height()) p.SetPixel(x, y, c);
}

void VerticalGradient(Picture& p, int y0, int y1, Colour top, Colour bottom) {
  for (int y = y0; y < y1; ++y) {
    p.FillRect(0, y, p.width(), 1, Mix(top, bottom, (y - y0) / std::max(1.0, y1 - y0 - 1.0)));
  }
}

void FillWhere(Picture& p, int x0, int y0, int x1, int y1,
               const std::function<bool(double, double)>& inside, Colour c) {
  for (int y = std::max(0, y0); y <= std::min(p.height() - 1, y1); ++y) {
    for (int x = std::max(0, x0); x <= std::min(p.width() - 1, x1); ++x) {
      if (inside(x + 0.5, y + 0.5)) p.SetPixel(x, y, c);
    }
  }
}

void Disc(Picture& p, double cx, double cy, double r, Colour c) {
  FillWhere(
      p, static_cast<int>(cx - r) - 1, static_cast<int>(cy - r) - 1, static_cast<int>(cx + r) + 1,
      static_cast<int>(cy + r) + 1,
      [&](double x, double y) { return (x - cx) * (x - cx) + (y - cy) * (y - cy) <= r * r; }, c);
}

void Ring(Picture& p, double cx, double cy, double inner, double outer, Colour c) {
  FillWhere(
      p, static_cast<int>(cx - outer) - 1, static_cast<int>(cy - outer) - 1,
      static_cast<int>(cx + outer) + 1, static_cast<int>(cy + outer) + 1,
      [&](double x, double y) {
        const double d = (x - cx) * (x - cx) + (y - cy) * (y - cy);
        return d <= outer * outer && d >= inner * inner;
      },
      c);
}

void Polygon(Picture& p, const std::vector<Point>& points, Colour c) {
  double top = 1e9, bottom = -1e9, left = 1e9, right = -1e9;
  for (const Point& pt : points) {
    top = std::min(top, pt.y), bottom = std::max(bottom, pt.y);
    left = std::min(left, pt.x), right = std::max(right, pt.x);
  }
  FillWhere(
      p, static_cast<int>(left) - 1, static_cast<int>(top) - 1, static_cast<int>(right) + 1,
      static_cast<int>(bottom) + 1,
      [&](double x, double y) {
        bool inside = false;
        for (std::size_t i = 0, j = points.size() - 1; i < points.size(); j = i++) {
          const Point& a = points[i];
          const Point& b = points[j];
          if ((a.y > y) != (b.y > y) && x < (b.x - a.x) * (y - a.y) / (b.y - a.y) + a.x) {
            inside = !inside;
          }
        }
        return inside;
      },
      c);
}

void Line(Picture& p, Point a, Point b, double width, Colour c) {
  const double length = std::hypot(b.x - a.x, b.y - a.y);
  if (length > 0) {
    const double nx = -(b.y - a.y) / length * width / 2;
    const double ny = (b.x - a.x) / length * width / 2;
    Polygon(
        p, {{a.x + nx, a.y + ny}, {b.x + nx, b.y + ny}, {b.x - nx, b.y - ny}, {a.x - nx, a.y - ny}},
        c);
  }
  Disc(p, a.x, a.y, width / 2, c);
  Disc(p, b.x, b.y, width / 2, c);
}

void Grain(Picture& p, int x0, int y0, int x1, int y1, int amplitude, int seed,
           std::optional<Colour> only) {
  for (int y = std::max(0, y0); y < std::min(p.height(), y1); ++y) {
    for (int x = std::max(0, x0); x < std::min(p.width(), x1); ++x) {
      const Colour c = p.Pixel(x, y);
      if (only ? c != *only : c == kMagenta) continue;
      p.SetPixel(x, y, Shade(c, (Noise(x, y, seed) - 128) * amplitude / 128));
    }
  }
}

}  // namespace zunk
