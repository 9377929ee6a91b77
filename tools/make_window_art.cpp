// zunk-window-art OUTDIR: draws the game window's art and writes it into OUTDIR as 24-bit BMP
// files (window_art.h names them and places the elements). The window is a keeper's log on
// a brass-rimmed oak board: the picture screen in a walnut frame, parchment plates for the
// messages, the input line and the suggestions, inset trays for the object panels and a
// small lighthouse beside them. Magenta is transparent: outside the outline, and around
// round buttons and the lamp's glass. Everything comes from shapes and the fixed noise of
// drawing.h, so the same build gives the same files byte for byte.
#include <algorithm>
#include <cmath>
#include <filesystem>
#include <fstream>
#include <functional>
#include <iostream>
#include <string>
#include <utility>
#include <vector>

#include "drawing.h"
#include "picture_files.h"
#include "window_art.h"

namespace zunk {
namespace {

using window_art::ArtButton;
using window_art::ArtRect;

// ---------------------------------------------------------------------------------------
// Palette.

const Colour kEdge = Hex(0x24160C);  // the outermost line of everything raised
const Colour kBrass = Hex(0xB8913F);
const Colour kOak = Hex(0xC9AD7E);        // the board
const Colour kWalnut = Hex(0x4A2E1A);     // the picture frame and the title plate
const Colour kParchment = Hex(0xECE2C4);  // flat text areas: (236, 226, 196)
const Colour kSuggestions = Hex(0xF1E8CE);
const Colour kInk = Hex(0x3A2614);   // pictograms
const Colour kTray = Hex(0xB99D70);  // object panels

// ---------------------------------------------------------------------------------------
// The outline: a rounded board whose top edge steps down between the picture frame and a
// tab holding the title buttons. Signed distances in pixels, negative inside.

double RoundedBox(double x, double y, double x0, double y0, double x1, double y1, double r) {
  const double qx = std::abs(x - (x0 + x1) / 2) - (x1 - x0) / 2 + r;
  const double qy = std::abs(y - (y0 + y1) / 2) - (y1 - y0) / 2 + r;
  return std::hypot(std::max(qx, 0.0), std::max(qy, 0.0)) + std::min(std::max(qx, qy), 0.0) - r;
}

// The larger of two distances, rounding the corners where they cross.
double SmoothMax(double a, double b, double k) {
  const double h = std::clamp(0.5 + 0.5 * (a - b) / k, 0.0, 1.0);
  return b + (a - b) * h + k * h * (1 - h);
}

constexpr int kNotchLeft = 500;   // the step in the top edge, from here...
constexpr int kNotchRight = 597;  // ...to the title tab
constexpr int kNotchDepth = 30;

double OutlineDistance(double x, double y) {
  const double board = RoundedBox(x, y, 0, 0, 640, 350, 14);
  const double notch = RoundedBox(x, y, kNotchLeft, -40, kNotchRight, kNotchDepth, 11);
  const double ledge = RoundedBox(x, y, 36, 341, 318, 400, 8);
  return SmoothMax(SmoothMax(board, -notch, 8), -ledge, 6);
}

// ---------------------------------------------------------------------------------------
// Helpers.

ArtRect Grow(const ArtRect& r, int by) {
  return {r.x - by, r.y - by, r.width + 2 * by, r.height + 2 * by};
}

void Fill(Picture& p, const ArtRect& r, Colour c) {
  p.FillRect(r.x, r.y, r.width, r.height, c);
}

// One-pixel lines around the rectangle: top and left in one colour, bottom and right in the
// other (light then dark looks raised, dark then light sunken).
void Bevel(Picture& p, const ArtRect& r, Colour top_left, Colour bottom_right) {
  p.FillRect(r.x, r.y, r.width, 1, top_left);
  p.FillRect(r.x, r.y, 1, r.height, top_left);
  p.FillRect(r.x, r.y + r.height - 1, r.width, 1, bottom_right);
  p.FillRect(r.x + r.width - 1, r.y, 1, r.height, bottom_right);
}

// Wood grain: smooth streaks along the run of the wood with a little fine noise, -1..1.
double WoodGrain(double along, double across, int seed) {
  const double wave = 3.0 * std::sin(along * 0.021 + seed) + 1.2 * std::sin(along * 0.077 + seed);
  const double streak = std::sin((across + wave) * 0.9 + 0.6 * std::sin(across * 0.31 + seed));
  return 0.75 * streak +
         0.25 * (Noise(static_cast<int>(along), static_cast<int>(across), seed) - 128) / 128.0;
}

// Oak planks running across the whole picture, where the test passes. The seams between
// planks keep clear of the rows where the window writes labels on the board.
void OakBoard(Picture& p, const std::function<bool(int, int)>& where) {
  constexpr int kSeams[] = {44, 102, 160, 201, 243, 283};
  for (int y = 0; y < p.height(); ++y) {
    const int plank = static_cast<int>(
        std::count_if(std::begin(kSeams), std::end(kSeams), [y](int seam) { return seam <= y; }));
    const bool seam = std::find(std::begin(kSeams), std::end(kSeams), y) != std::end(kSeams);
    for (int x = 0; x < p.width(); ++x) {
      if (!where(x, y)) continue;
      int delta = static_cast<int>(std::lround(5 * WoodGrain(x + plank * 131, y, 3 + plank)));
      if (seam) delta -= 16;
      p.SetPixel(x, y, Shade(kOak, delta));
    }
  }
}

// A walnut frame of the thickness inside r: grain follows each side, the outer line and the
// top-left catch the light, the inner line is in shadow.
void WalnutFrame(Picture& p, const ArtRect& r, int thickness) {
  for (int y = r.y; y < r.y + r.height; ++y) {
    for (int x = r.x; x < r.x + r.width; ++x) {
      const int left = x - r.x, top = y - r.y;
      const int right = r.x + r.width - 1 - x, bottom = r.y + r.height - 1 - y;
      const int edge = std::min({left, top, right, bottom});
      if (edge >= thickness) continue;
      const bool horizontal = std::min(top, bottom) <= std::min(left, right);
      const double g = horizontal ? WoodGrain(x, y * 3.0, 11) : WoodGrain(y, x * 3.0, 12);
      int delta = static_cast<int>(std::lround(9 * g));
      const bool lit = horizontal ? top <= bottom : left <= right;
      if (edge == 0) {
        delta = lit ? 28 : -22;
      } else if (edge == thickness - 1) {
        delta = lit ? -26 : 14;
      } else if (lit) {
        delta += 6;
      }
      p.SetPixel(x, y, Shade(kWalnut, delta));
    }
  }
}

// A sunken plate of one flat colour: the rectangle itself stays exactly that colour, the two
// lines around it outside make the recess.
void FlatPlate(Picture& p, const ArtRect& r, Colour fill) {
  Bevel(p, Grow(r, 2), Shade(kOak, -30), Shade(kOak, 26));
  Bevel(p, Grow(r, 1), Hex(0x6E5535), Shade(fill, -18));
  Fill(p, r, fill);
}

// An object panel: a recessed tray with the cell boundaries faintly marked.
void Tray(Picture& p, const ArtRect& r) {
  Bevel(p, Grow(r, 2), Shade(kOak, -34), Shade(kOak, 24));
  Bevel(p, Grow(r, 1), Shade(kTray, -30), Shade(kTray, 10));
  for (int y = r.y; y < r.y + r.height; ++y) {
    for (int x = r.x; x < r.x + r.width; ++x) {
      // Light falls into the tray from the top left: its upper rows are shaded.
      const int shadow = std::max(0, 4 - (y - r.y)) * 4 + std::max(0, 3 - (x - r.x)) * 3;
      p.SetPixel(x, y, Shade(kTray, -shadow + (Noise(x, y, 21) - 128) / 64));
    }
  }
  const Colour mark = Shade(kTray, -14);
  constexpr int kCell = window_art::kPanelCell;
  for (int cx = r.x + kCell; cx < r.x + r.width; cx += kCell) {
    for (int y = r.y + 3; y < r.y + r.height - 3; y += 3) p.SetPixel(cx, y, mark);
  }
  for (int cy = r.y + kCell; cy < r.y + r.height; cy += kCell) {
    for (int x = r.x + 3; x < r.x + r.width - 3; x += 3) p.SetPixel(x, cy, mark);
  }
  // A small cross where cell corners meet.
  for (int cy = r.y; cy <= r.y + r.height; cy += kCell) {
    for (int cx = r.x; cx <= r.x + r.width; cx += kCell) {
      const bool inner_x = cx > r.x && cx < r.x + r.width;
      const bool inner_y = cy > r.y && cy < r.y + r.height;
      if (!inner_x || !inner_y) continue;
      for (int d = -2; d <= 2; ++d) {
        p.SetPixel(cx + d, cy, Shade(kTray, -24));
        p.SetPixel(cx, cy + d, Shade(kTray, -24));
      }
    }
  }
}

// An L-shaped brass bracket over a frame's corner, as wide as the frame, with a screw. sx, sy
// (each 1 or -1) point along the frame's sides away from the corner.
void CornerBracket(Picture& p, int x, int y, int sx, int sy, int thickness) {
  constexpr int kArm = 13;
  const ArtRect arms[] = {
      {sx > 0 ? x : x - kArm + 1, sy > 0 ? y : y - thickness + 1, kArm, thickness},
      {sx > 0 ? x : x - thickness + 1, sy > 0 ? y : y - kArm + 1, thickness, kArm}};
  for (const ArtRect& a : arms) Fill(p, a, Hex(0x5A4318));
  for (const ArtRect& a : arms) Fill(p, Grow(a, -1), kBrass);
  for (const ArtRect& a : arms) {
    p.FillRect(a.x + 1, a.y + 1, a.width - 2, 1, Shade(kBrass, 40));
  }
  const double cx = x + sx * (thickness / 2.0 - 0.5) + 0.5,
               cy = y + sy * (thickness / 2.0 - 0.5) + 0.5;
  Disc(p, cx, cy, 1.2, Hex(0x5A4318));
}

// ---------------------------------------------------------------------------------------
// The background.

// The rim: a rounded brass moulding along the outline, lit from the top left.
constexpr double kRimWidth = 5.0;

using Outline = std::function<double(double, double)>;

Colour RimColour(double x, double y, double d, const Outline& outline = OutlineDistance) {
  constexpr double kWidth = kRimWidth;
  if (d > -1) return kEdge;
  if (d <= -kWidth) return Shade(kBrass, -70);
  const double e = 0.5;
  double nx = outline(x + e, y) - outline(x - e, y);
  double ny = outline(x, y + e) - outline(x, y - e);
  const double length = std::hypot(nx, ny);
  if (length > 0) nx /= length, ny /= length;
  // Across the moulding the surface turns from facing outwards to facing inwards.
  const double t = (-d - 1) / (kWidth - 1);
  const double tilt = std::cos(kPi * t);
  const double sx = nx * tilt, sy = ny * tilt, sz = std::sin(kPi * t);
  const double light = std::max(0.0, -0.5 * sx - 0.6 * sy + 0.62 * sz);
  const int delta = static_cast<int>(std::lround(-60 + 95 * light + 40 * std::pow(light, 8)));
  return Shade(kBrass, delta);
}

// Sockets and rails for the controls, and the lamp's and gauge's recesses.
void ControlFittings(Picture& p) {
  // The title buttons sit on a walnut plate in the tab.
  WalnutFrame(p, {603, 5, 32, 33}, 3);
  p.FillRect(606, 8, 26, 27, Shade(kWalnut, -18));
  // A brass rail under the three small picture buttons and the version label.
  const ArtRect rail{502, 199, 95, 18};
  Fill(p, rail, Shade(kOak, -8));
  Bevel(p, rail, Shade(kOak, -30), Shade(kOak, 22));
  // The stop button's seat, the lamp's socket and the gauge's slot.
  Fill(p, {424, 215, 16, 16}, Shade(kWalnut, -10));
  Disc(p, 446.5, 223.5, 6.5, Hex(0x6E5220));
  Disc(p, 446.5, 223.5, 5.5, Hex(0x1C120A));
  const ArtRect slot = Grow(window_art::kG1, 1);
  Bevel(p, Grow(slot, 1), Shade(kOak, -34), Shade(kOak, 24));
  Fill(p, slot, Hex(0x1C120A));
  Fill(p, window_art::kG1, Hex(0x2E2218));
  // Round seats for the three small buttons.
  for (const ArtButton& b : window_art::kButtons) {
    if (b.width != 14 || b.height != 12) continue;
    const double cx = b.x + 7.0, cy = b.y + 6.0;
    FillWhere(
        p, b.x - 2, b.y - 2, b.x + 16, b.y + 14,
        [&](double x, double y) {
          return (x - cx) * (x - cx) / 64.0 + (y - cy) * (y - cy) / 49.0 <= 1.0;
        },
        Shade(kOak, -36));
  }
}

// A slim lighthouse on its rock in the column right of the object panel, its beams falling
// across the board.
void Lighthouse(Picture& p) {
  const double cx = 614;
  const double lamp_y = 92;
  // Beams: the board lightened inside two narrow wedges.
  for (int y = 60; y < 130; ++y) {
    for (int x = 592; x < 635; ++x) {
      const double dx = x + 0.5 - cx, dy = y + 0.5 - lamp_y;
      if (std::abs(dx) < 6 || std::abs(dy) > std::abs(dx) * 0.28 + 1.5) continue;
      const Colour c = p.Pixel(x, y);
      if (c == kMagenta) continue;
      p.SetPixel(x, y, Mix(c, Hex(0xFFF1C0), 0.55 - std::abs(dx) / 60.0));
    }
  }
  // Sea and rock at the foot.
  for (int i = 0; i < 5; ++i) {
    const int y = 184 + i * 3;
    for (int x = 592 + (i % 2) * 3; x < 634; x += 7) p.FillRect(x, y, 4, 1, Hex(0x5C7F93));
  }
  Polygon(p, {{595, 196}, {600, 184}, {607, 180}, {620, 179}, {628, 184}, {633, 196}},
          Hex(0x6B625A));
  Polygon(p, {{600, 196}, {604, 188}, {612, 186}, {606, 196}}, Hex(0x847A70));
  // The tower: white with red bands, its right side in shade.
  const double base = 182, top = 104;
  auto half_width = [&](double y) { return 7.5 - 3.0 * (base - y) / (base - top); };
  FillWhere(
      p, 600, static_cast<int>(top), 628, static_cast<int>(base),
      [&](double x, double y) { return std::abs(x - cx) <= half_width(y); }, Hex(0xF2EEE4));
  for (int band = 0; band < 3; ++band) {
    const double y0 = base - 14 - band * 26;
    FillWhere(
        p, 600, static_cast<int>(y0 - 12), 628, static_cast<int>(y0),
        [&](double x, double y) { return y >= y0 - 12 && std::abs(x - cx) <= half_width(y); },
        Hex(0xB0392B));
  }
  for (int y = static_cast<int>(top); y < static_cast<int>(base); ++y) {
    const double w = half_width(y + 0.5);
    const int from = static_cast<int>(std::lround(cx + w * 0.35));
    for (int x = from; x < cx + w; ++x) p.SetPixel(x, y, Shade(p.Pixel(x, y), -34));
  }
  // Gallery, lantern room with its light, dome and vane.
  p.FillRect(604, 101, 21, 3, Hex(0x2B2B2B));
  p.FillRect(606, 98, 1, 3, Hex(0x2B2B2B));
  p.FillRect(622, 98, 1, 3, Hex(0x2B2B2B));
  p.FillRect(607, 87, 15, 14, Hex(0x2B2B2B));
  p.FillRect(609, 88, 11, 12, Hex(0xFFE08A));
  p.FillRect(612, 88, 1, 12, Hex(0xE0B050));
  p.FillRect(616, 88, 1, 12, Hex(0xE0B050));
  Disc(p, 614.5, 94, 2.5, Hex(0xFFF8DA));
  Polygon(p, {{605.5, 87.5}, {614.5, 79}, {623.5, 87.5}}, Hex(0x2B2B2B));
  p.FillRect(614, 74, 1, 6, Hex(0x2B2B2B));
  p.FillRect(612, 75, 3, 1, Hex(0x2B2B2B));
}

Picture Background() {
  constexpr int kW = window_art::kWindowWidth, kH = window_art::kWindowHeight;
  Picture p(kW, kH, kMagenta);
  std::vector<double> distance(static_cast<std::size_t>(kW) * kH);
  for (int y = 0; y < kH; ++y) {
    for (int x = 0; x < kW; ++x) distance[y * kW + x] = OutlineDistance(x + 0.5, y + 0.5);
  }
  auto depth = [&](int x, int y) { return distance[y * kW + x]; };
  OakBoard(p, [&](int x, int y) { return depth(x, y) <= -kRimWidth; });

  // The picture screen's frame, with brass brackets at its corners.
  const ArtRect frame = Grow(window_art::kAbook, 5);
  WalnutFrame(p, frame, 5);
  Fill(p, window_art::kAbook, Hex(0x0E0906));
  const int right = frame.x + frame.width - 1, bottom = frame.y + frame.height - 1;
  CornerBracket(p, frame.x, frame.y, 1, 1, 5);
  CornerBracket(p, right, frame.y, -1, 1, 5);
  CornerBracket(p, frame.x, bottom, 1, -1, 5);
  CornerBracket(p, right, bottom, -1, -1, 5);

  // A calm strip for the status line, the parchment plates and the object trays.
  const ArtRect status = Grow(window_art::kStk, 1);
  Fill(p, status, Shade(kOak, 6));
  Bevel(p, Grow(status, 1), Shade(kOak, -14), Shade(kOak, 14));
  FlatPlate(p, window_art::kMensag, kParchment);
  FlatPlate(p, window_art::kFrase, kParchment);
  FlatPlate(p, window_art::kPanSg, kSuggestions);
  Tray(p, window_art::kObjLoc);
  Tray(p, window_art::kObjJog);

  ControlFittings(p);
  Lighthouse(p);
  // The rim goes on last, over the corners of anything that reaches under it.
  for (int y = 0; y < kH; ++y) {
    for (int x = 0; x < kW; ++x) {
      const double d = depth(x, y);
      if (d <= 0 && d > -kRimWidth) p.SetPixel(x, y, RimColour(x + 0.5, y + 0.5, d));
    }
  }
  return p;
}

// ---------------------------------------------------------------------------------------
// Buttons. Each is drawn twice: up, and held down (face darker, light from below, the
// pictogram one pixel down and right).

using Pictogram = std::function<void(Picture&, int dx, int dy)>;

// A brass plaque with slightly rounded corners.
Picture Plaque(int w, int h, bool pressed, const Pictogram& draw) {
  Picture p(w, h, kMagenta);
  const Colour face = pressed ? Shade(kBrass, -30) : kBrass;
  for (int y = 0; y < h; ++y) {
    for (int x = 0; x < w; ++x) {
      const bool corner = (x == 0 || x == w - 1) && (y == 0 || y == h - 1);
      if (corner) continue;
      const bool edge = x == 0 || y == 0 || x == w - 1 || y == h - 1;
      if (edge) {
        p.SetPixel(x, y, kEdge);
        continue;
      }
      const double t = pressed ? 1.0 - y / (h - 1.0) : y / (h - 1.0);
      p.SetPixel(x, y, Shade(face, static_cast<int>(std::lround(18 - 30 * t))));
    }
  }
  const Colour light = Shade(face, 55), dark = Shade(face, -60);
  Bevel(p, {1, 1, w - 2, h - 2}, pressed ? dark : light, pressed ? light : dark);
  const int shift = pressed ? 1 : 0;
  draw(p, shift, shift);
  return p;
}

// A round button: a brass ring around a glass jewel of the colour.
Picture Jewel(int w, int h, bool pressed, Colour glass) {
  Picture p(w, h, kMagenta);
  const double cx = w / 2.0, cy = h / 2.0;
  auto within = [&](double x, double y, double rx, double ry) {
    return (x - cx) * (x - cx) / (rx * rx) + (y - cy) * (y - cy) / (ry * ry) <= 1.0;
  };
  const double rx = w / 2.0, ry = h / 2.0;
  FillWhere(
      p, 0, 0, w - 1, h - 1, [&](double x, double y) { return within(x, y, rx, ry); }, kEdge);
  FillWhere(
      p, 0, 0, w - 1, h - 1,
      [&](double x, double y) { return within(x, y, rx - 1, ry - 1) && x + y < cx + cy; },
      pressed ? Shade(kBrass, -50) : Shade(kBrass, 40));
  FillWhere(
      p, 0, 0, w - 1, h - 1,
      [&](double x, double y) { return within(x, y, rx - 1, ry - 1) && x + y >= cx + cy; },
      pressed ? Shade(kBrass, 20) : Shade(kBrass, -45));
  const double shift = pressed ? 0.5 : 0;
  FillWhere(
      p, 0, 0, w - 1, h - 1,
      [&](double x, double y) { return within(x - shift, y - shift, rx - 2.5, ry - 2.5); },
      pressed ? Shade(glass, -45) : glass);
  const int hx = static_cast<int>(cx - 2 + shift * 2), hy = static_cast<int>(cy - 2 + shift * 2);
  p.SetPixel(hx, hy, pressed ? Shade(glass, 40) : Mix(glass, kWhite, 0.8));
  p.SetPixel(hx + 1, hy, Mix(glass, kWhite, pressed ? 0.2 : 0.45));
  return p;
}

void CloseCross(Picture& p, int dx, int dy) {
  const double cx = 13 + dx, cy = 6.5 + dy;
  Line(p, {cx - 3, cy - 3}, {cx + 3, cy + 3}, 2.0, kInk);
  Line(p, {cx + 3, cy - 3}, {cx - 3, cy + 3}, 2.0, kInk);
}

void MinimiseBar(Picture& p, int dx, int dy) {
  p.FillRect(9 + dx, 8 + dy, 8, 2, kInk);
}

void Eye(Picture& p, int dx, int dy) {
  const double cx = 14 + dx, cy = 6 + dy;
  // The lids are two arcs meeting at the corners of the eye.
  auto lid = [&](double x, double y, double grow) {
    const double u = (x - cx) / (7.5 + grow);
    if (std::abs(u) >= 1) return false;
    return std::abs(y - cy) <= (3.6 + grow) * (1 - u * u);
  };
  FillWhere(
      p, 4 + dx, 1 + dy, 24 + dx, 11 + dy, [&](double x, double y) { return lid(x, y, 0.9); },
      kInk);
  FillWhere(
      p, 4 + dx, 1 + dy, 24 + dx, 11 + dy, [&](double x, double y) { return lid(x, y, -0.2); },
      Hex(0xF4EEDC));
  Disc(p, cx, cy, 2.6, Hex(0x2F5C7A));
  Disc(p, cx, cy, 1.1, kInk);
  Plot(p, static_cast<int>(cx) - 1, static_cast<int>(cy) - 1, kWhite);
}

void Globe(Picture& p, int dx, int dy) {
  const double cx = 14 + dx, cy = 6 + dy;
  const Colour sea = Hex(0x9CC3D6), lines = Hex(0x24506E);
  Disc(p, cx, cy, 4.8, lines);
  Disc(p, cx, cy, 3.8, sea);
  // A meridian ellipse, the central meridian and the equator.
  FillWhere(
      p, static_cast<int>(cx) - 3, static_cast<int>(cy) - 5, static_cast<int>(cx) + 3,
      static_cast<int>(cy) + 5,
      [&](double x, double y) {
        const double outer = (x - cx) * (x - cx) / 5.3 + (y - cy) * (y - cy) / 16.0;
        const double inner = (x - cx) * (x - cx) / 1.6 + (y - cy) * (y - cy) / 12.0;
        return outer <= 1.0 && inner > 1.0;
      },
      lines);
  p.FillRect(static_cast<int>(cx) - 4, static_cast<int>(cy), 9, 1, lines);
}

void Gear(Picture& p, int dx, int dy) {
  const double cx = 14 + dx, cy = 6 + dy;
  for (int i = 0; i < 8; ++i) {
    const double a = i * kPi / 4;
    const double ux = std::cos(a), uy = std::sin(a), vx = -uy, vy = ux;
    const double in = 2.5, out = 4.9, half = 0.95;
    Polygon(p,
            {{cx + ux * in + vx * half, cy + uy * in + vy * half},
             {cx + ux * out + vx * half, cy + uy * out + vy * half},
             {cx + ux * out - vx * half, cy + uy * out - vy * half},
             {cx + ux * in - vx * half, cy + uy * in - vy * half}},
            kInk);
  }
  Disc(p, cx, cy, 3.6, kInk);
  Disc(p, cx, cy, 1.5, Shade(kBrass, 20));
}

Picture StopButton(bool pressed) {
  Picture p(14, 14, kEdge);
  const Colour face = pressed ? Shade(kBrass, -30) : kBrass;
  p.FillRect(1, 1, 12, 12, face);
  const Colour light = Shade(face, 55), dark = Shade(face, -60);
  Bevel(p, {1, 1, 12, 12}, pressed ? dark : light, pressed ? light : dark);
  const int s = pressed ? 1 : 0;
  p.FillRect(4 + s, 4 + s, 6, 6, pressed ? Hex(0x7A2418) : Hex(0xA8321F));
  p.FillRect(4 + s, 4 + s, 6, 1, pressed ? Hex(0x8E3324) : Hex(0xD05A45));
  return p;
}

Picture Button(const ArtButton& b, bool pressed) {
  const std::string name = b.name;
  if (name == "btFim") return Plaque(b.width, b.height, pressed, CloseCross);
  if (name == "btMin") return Plaque(b.width, b.height, pressed, MinimiseBar);
  if (name == "btVsr") return Plaque(b.width, b.height, pressed, Eye);
  if (name == "btWeb") return Plaque(b.width, b.height, pressed, Globe);
  if (name == "btCfg") return Plaque(b.width, b.height, pressed, Gear);
  if (name == "btStp") return StopButton(pressed);
  if (name == "btEdt") return Jewel(b.width, b.height, pressed, Hex(0x3E8A4E));
  if (name == "btOnl") return Jewel(b.width, b.height, pressed, Hex(0x3A6FB0));
  return Jewel(b.width, b.height, pressed, Hex(0xC4482E));  // btChv
}

// ---------------------------------------------------------------------------------------
// Small pictures.

// A tick box for the settings page, ticked or empty.
Picture Tick(bool ticked) {
  constexpr int kS = window_art::kTickSize;
  Picture p(kS, kS, Hex(0x5A4128));
  p.FillRect(1, 1, kS - 2, kS - 2, Hex(0xFBF6E8));
  Bevel(p, {1, 1, kS - 2, kS - 2}, Hex(0xC9BC9A), Hex(0xFBF6E8));
  if (ticked) {
    const Colour ink = Hex(0x2A5A3A);
    Line(p, {3.2, 6.6}, {5.4, 9.0}, 1.7, ink);
    Line(p, {5.4, 9.0}, {9.8, 3.4}, 1.7, ink);
  }
  return p;
}

// The lamp's glass: a dark bezel and a glint over the colour the window fills in; the rest is
// magenta so that colour shows through.
Picture LedGlass() {
  Picture p(window_art::kLed.width, window_art::kLed.height, kMagenta);
  Ring(p, 4.5, 4.5, 3.7, 4.6, Hex(0x3A2A12));
  p.SetPixel(3, 2, Hex(0xFFFBEA));
  p.SetPixel(2, 3, Hex(0xFFFBEA));
  p.SetPixel(2, 2, Hex(0xF2EAD0));
  p.SetPixel(4, 2, Hex(0xD8D0B8));
  return p;
}

// The settings page: aged parchment in a ruled border with a faint compass rose.
Picture SettingsPage() {
  const int w = window_art::kAbook.width, h = window_art::kAbook.height;
  Picture p(w, h);
  const Colour paper = Hex(0xE9DDBC);
  for (int y = 0; y < h; ++y) {
    for (int x = 0; x < w; ++x) {
      const double ex = std::min(x, w - 1 - x) / 30.0, ey = std::min(y, h - 1 - y) / 30.0;
      const double age = std::max(0.0, 1.0 - std::min({ex, ey, 1.0}));
      const int delta =
          static_cast<int>(std::lround(-22 * age * age)) + (Noise(x, y, 31) - 128) / 48;
      p.SetPixel(x, y, Shade(paper, delta));
    }
  }
  const Colour rule = Hex(0x9A7B52);
  Bevel(p, {5, 5, w - 10, h - 10}, rule, rule);
  Bevel(p, {8, 8, w - 16, h - 16}, Shade(rule, 40), Shade(rule, 40));
  // The rose, barely darker than the paper.
  const double cx = 120, cy = 150;
  const Colour faint = Shade(paper, -14);
  Ring(p, cx, cy, 30, 31.2, faint);
  for (int i = 0; i < 8; ++i) {
    const double a = i * kPi / 4;
    const double len = i % 2 == 0 ? 27 : 15;
    const double ux = std::sin(a), uy = -std::cos(a);
    Polygon(p,
            {{cx + ux * len, cy + uy * len},
             {cx + uy * 3, cy - ux * 3},
             {cx - ux * 3, cy - uy * 3},
             {cx - uy * 3, cy + ux * 3}},
            i == 0 ? Shade(paper, -20) : faint);
  }
  return p;
}

// The program's icon: a lighthouse in the night on a round brass badge.
Picture Icon() {
  constexpr int kS = window_art::kIconSize;
  Picture p(kS, kS, kMagenta);
  const double c = kS / 2.0;
  Disc(p, c, c, 31.5, kEdge);
  Disc(p, c, c, 30.5, Hex(0xC9A04A));
  Ring(p, c, c, 26.5, 28.0, Hex(0x8E6A26));
  Disc(p, c, c, 26.5, Hex(0x1D2C4C));
  // Sky, sea and the beams, clipped to the inner disc.
  auto inner = [&](double x, double y) { return std::hypot(x - c, y - c) <= 26.5; };
  for (int y = 0; y < kS; ++y) {
    for (int x = 0; x < kS; ++x) {
      if (!inner(x + 0.5, y + 0.5)) continue;
      const double fy = y + 0.5;
      Colour col = Mix(Hex(0x14203C), Hex(0x3D5A86), (fy - 6) / 40.0);
      if (fy > 46) col = Mix(Hex(0x1C3A5A), Hex(0x10243C), (fy - 46) / 12.0);
      const double dx = x + 0.5 - 32, dy = fy - 19;
      if (std::abs(dx) > 4 && std::abs(dy) < std::abs(dx) * 0.22 + 1 && fy < 46) {
        col = Mix(col, Hex(0xFFE9A0), 0.65 - std::abs(dx) / 60.0);
      }
      p.SetPixel(x, y, col);
    }
  }
  for (const auto& [x, y] : std::vector<std::pair<int, int>>{
           {17, 13}, {23, 9}, {44, 11}, {49, 17}, {13, 26}, {40, 6}, {53, 30}}) {
    p.SetPixel(x, y, Hex(0xE8ECF4));
  }
  for (int i = 0; i < 4; ++i) {
    const int y = 49 + i * 3;
    for (int x = 12 + (i % 2) * 4; x < 54; x += 9) {
      if (inner(x + 0.5, y + 0.5) && inner(x + 5.5, y + 0.5)) {
        p.FillRect(x, y, 5, 1, Hex(0x5F86AE));
      }
    }
  }
  Polygon(p, {{18, 52}, {23, 45}, {30, 43}, {38, 43}, {44, 46}, {48, 52}}, Hex(0x4A443E));
  // The tower.
  auto half = [](double y) { return 6.0 - 2.5 * (46 - y) / 24.0; };
  FillWhere(
      p, 20, 22, 44, 45, [&](double x, double y) { return y >= 22 && std::abs(x - 32) <= half(y); },
      Hex(0xF2EEE4));
  for (double band : {44.0, 35.0, 26.0}) {
    FillWhere(
        p, 20, static_cast<int>(band) - 5, 44, static_cast<int>(band),
        [&](double x, double y) { return y >= band - 4.5 && std::abs(x - 32) <= half(y); },
        Hex(0xC0392B));
  }
  p.FillRect(26, 21, 13, 2, Hex(0x202020));
  p.FillRect(28, 13, 9, 8, Hex(0x202020));
  p.FillRect(29, 14, 7, 6, Hex(0xFFE08A));
  p.FillRect(32, 14, 1, 6, Hex(0xE0B050));
  Polygon(p, {{27, 13.5}, {32.5, 8}, {38, 13.5}}, Hex(0x202020));
  p.FillRect(32, 5, 1, 4, Hex(0x202020));
  return p;
}

// ---------------------------------------------------------------------------------------
// The pop-up browser: a logbook page of oak with a walnut tab on top (the grip), the browser in
// a walnut frame, and a row of brass plaques below it.

namespace popup = window_art::popup;

double PopupOutline(double x, double y) {
  const double body = RoundedBox(x, y, 0, 14, popup::kWidth, popup::kHeight, 12);
  const double tab = RoundedBox(x, y, 0, 0, popup::kGrip.x + popup::kGrip.width + 12, 44, 10);
  return -SmoothMax(-body, -tab, 6);
}

Picture PopupBackground() {
  constexpr int kW = popup::kWidth, kH = popup::kHeight;
  Picture p(kW, kH, kMagenta);
  std::vector<double> distance(static_cast<std::size_t>(kW) * kH);
  for (int y = 0; y < kH; ++y) {
    for (int x = 0; x < kW; ++x) distance[y * kW + x] = PopupOutline(x + 0.5, y + 0.5);
  }
  auto depth = [&](int x, int y) { return distance[y * kW + x]; };
  OakBoard(p, [&](int x, int y) { return depth(x, y) <= -kRimWidth; });
  // The tab: a walnut plate the title is written on.
  WalnutFrame(p, Grow(popup::kGrip, 1), 3);
  Fill(p, Grow(popup::kGrip, -2), Shade(kWalnut, -14));
  // The browser's frame with brass corners.
  const ArtRect frame = Grow(popup::kBrowser, 5);
  WalnutFrame(p, frame, 5);
  Fill(p, popup::kBrowser, kWhite);
  const int right = frame.x + frame.width - 1, bottom = frame.y + frame.height - 1;
  CornerBracket(p, frame.x, frame.y, 1, 1, 5);
  CornerBracket(p, right, frame.y, -1, 1, 5);
  CornerBracket(p, frame.x, bottom, 1, -1, 5);
  CornerBracket(p, right, bottom, -1, -1, 5);
  // A rail under the buttons, the lamp's socket and the gauge's slot.
  const ArtRect rail{8, 342, 464, 26};
  Fill(p, rail, Shade(kOak, -8));
  Bevel(p, rail, Shade(kOak, -30), Shade(kOak, 22));
  const double lx = popup::kLed.x + 4.5, ly = popup::kLed.y + 4.5;
  Disc(p, lx, ly, 6.5, Hex(0x6E5220));
  Disc(p, lx, ly, 5.5, Hex(0x1C120A));
  const ArtRect slot = Grow(popup::kG1, 1);
  Bevel(p, Grow(slot, 1), Shade(kOak, -34), Shade(kOak, 24));
  Fill(p, slot, Hex(0x1C120A));
  Fill(p, popup::kG1, Hex(0x2E2218));
  // The hide button's seat, right of the tab.
  const ArtButton& fim = popup::kButtons[0];
  Fill(p, {fim.x - 3, fim.y - 3, fim.width + 6, fim.height + 6}, Shade(kWalnut, -10));
  for (int y = 0; y < kH; ++y) {
    for (int x = 0; x < kW; ++x) {
      const double d = depth(x, y);
      if (d <= 0 && d > -kRimWidth) {
        p.SetPixel(x, y, RimColour(x + 0.5, y + 0.5, d, PopupOutline));
      }
    }
  }
  return p;
}

// An arrow pointing left (dir -1) or right (dir 1), centred in a w × h plaque.
void Arrow(Picture& p, int w, int h, int dir, int dx, int dy) {
  const double cx = w / 2.0 + dx, cy = h / 2.0 + dy;
  Polygon(p,
          {{cx + 6.0 * dir, cy},
           {cx - 1.0 * dir, cy - 6.0},
           {cx - 1.0 * dir, cy - 2.5},
           {cx - 6.0 * dir, cy - 2.5},
           {cx - 6.0 * dir, cy + 2.5},
           {cx - 1.0 * dir, cy + 2.5},
           {cx - 1.0 * dir, cy + 6.0}},
          kInk);
}

Picture PopupButtonPicture(const ArtButton& b, bool pressed) {
  const std::string name = b.name;
  if (name == "btFim") return Plaque(b.width, b.height, pressed, CloseCross);
  if (name == "btStp") return StopButton(pressed);
  if (name == "btRet") {
    return Plaque(b.width, b.height, pressed,
                  [&](Picture& p, int dx, int dy) { Arrow(p, b.width, b.height, -1, dx, dy); });
  }
  if (name == "btPrx") {
    return Plaque(b.width, b.height, pressed,
                  [&](Picture& p, int dx, int dy) { Arrow(p, b.width, b.height, 1, dx, dy); });
  }
  // The site buttons: plain plaques; the window writes their captions.
  return Plaque(b.width, b.height, pressed, [](Picture&, int, int) {});
}

// ---------------------------------------------------------------------------------------

bool WriteFile(const std::filesystem::path& path, const std::string& bytes) {
  std::ofstream out(path, std::ios::binary | std::ios::trunc);
  out << bytes;
  return static_cast<bool>(out);
}

int Run(const std::filesystem::path& out_dir) {
  std::error_code ec;
  std::filesystem::create_directories(out_dir, ec);
  std::vector<std::pair<std::string, Picture>> files = {
      {window_art::kBackgroundFile, Background()}, {window_art::kSettingsFile, SettingsPage()},
      {window_art::kLedFile, LedGlass()},          {window_art::kIconFile, Icon()},
      {window_art::kTickOnFile, Tick(true)},       {window_art::kTickOffFile, Tick(false)},
  };
  for (const ArtButton& b : window_art::kButtons) {
    files.emplace_back(window_art::ReleasedFile(b), Button(b, false));
    files.emplace_back(window_art::PressedFile(b), Button(b, true));
  }
  files.emplace_back(popup::kBackgroundFile, PopupBackground());
  for (const ArtButton& b : popup::kButtons) {
    files.emplace_back(popup::ReleasedFile(b), PopupButtonPicture(b, false));
    files.emplace_back(popup::PressedFile(b), PopupButtonPicture(b, true));
  }
  for (const auto& [name, picture] : files) {
    if (!WriteFile(out_dir / name, EncodeBmp24(picture))) {
      std::cerr << "zunk-window-art: não foi possível gravar " << (out_dir / name).string() << '\n';
      return 1;
    }
  }
  return 0;
}

}  // namespace
}  // namespace zunk

int main(int argc, char** argv) {
  if (argc != 2) {
    std::cerr << "uso: zunk-window-art PASTA\n";
    return 2;
  }
  return zunk::Run(argv[1]);
}
