// zunk-demo-pictures OUTDIR: draws the pictures of the demo game "O Farol da Ponta Escura" and
// writes them into OUTDIR. Everything is drawn here from simple shapes and a fixed noise
// function, so the same build gives the same files byte for byte.
//
// Screens (480 × 200): praia.jpg, cais.jpg, porao.jpg, farol.img (a scrambled JPEG),
// escada.zip (holding escada.bmp) and the panorama mar.jpg (1440 × 200, its left edge follows
// its right edge). Sprites on magenta: gaivota.bmp (a strip of four gull cells), bussola.bmp
// (the compass overlay), candeeiro.bmp, lente.bmp, luz.bmp (the lit lens's glow), sino.bmp (a
// two-state button: pressed on the left, released on the right), bauaberto.bmp and the object
// pictures.
#include <algorithm>
#include <cmath>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <string>
#include <vector>

#include "drawing.h"
#include "picture_files.h"
#include "screen/picture.h"

namespace zunk {
namespace {

// ---------------------------------------------------------------------------------------
// The screens.

Picture Praia() {
  Picture p(480, 200);
  VerticalGradient(p, 0, 112, Hex(0x3B3A5A), Hex(0xE59A5C));
  Disc(p, 120, 112, 22, Hex(0xF5C16C));
  VerticalGradient(p, 110, 200, Hex(0x2D4A6B), Hex(0x1F3550));
  for (int y = 114; y < 160; y += 4) {
    for (int x = (y * 7) % 23; x < 480; x += 23 + Noise(x, y, 1) % 17) {
      p.FillRect(x, y, 6 + Noise(x, y, 2) % 8, 1, Hex(0x5C7FA3));
    }
  }
  // Sand with a wavy shore and its foam.
  for (int x = 0; x < 480; ++x) {
    const int shore = 152 + static_cast<int>(std::lround(6 * std::sin(x / 40.0)));
    p.FillRect(x, shore, 1, 200 - shore, Hex(0xC9AD7F));
    p.FillRect(x, shore - 1, 1, 2, Hex(0xE8E4D8));
  }
  Grain(p, 0, 140, 480, 200, 14, 3, Hex(0xC9AD7F));
  // The cliff and the lighthouse on top of it.
  Polygon(p, {{330, 200}, {338, 130}, {356, 100}, {392, 84}, {440, 78}, {480, 76}, {480, 200}},
          Hex(0x4A4038));
  Grain(p, 330, 76, 480, 200, 20, 4, Hex(0x4A4038));
  Polygon(p, {{423, 80}, {427, 36}, {437, 36}, {441, 80}}, Hex(0xEEEEE8));
  p.FillRect(425, 52, 14, 6, Hex(0xB03030));
  p.FillRect(424, 28, 16, 8, Hex(0x2A2A2A));
  p.FillRect(427, 29, 10, 6, Hex(0xFFE38A));
  Polygon(p, {{422, 28}, {432, 20}, {442, 28}}, Hex(0x2A2A2A));
  // The stone path up the cliff.
  for (int i = 0; i < 9; ++i) {
    const double t = i / 8.0;
    Disc(p, 300 + 110 * t, 192 - 100 * t, 5 - 2 * t, Hex(0x8A8580));
  }
  // The end of the pier at the left edge, on its posts.
  for (int x = 6; x < 70; x += 16) p.FillRect(x, 140, 4, 22, Hex(0x3A2A1E));
  p.FillRect(0, 136, 72, 6, Hex(0x6B4F36));
  for (int x = 0; x < 72; x += 9) p.FillRect(x, 136, 1, 6, Hex(0x4A3626));
  // An overturned boat on the sand, where the lantern lies.
  Polygon(p, {{150, 184}, {156, 170}, {172, 164}, {200, 164}, {214, 170}, {220, 184}},
          Hex(0x5E7A8C));
  p.FillRect(150, 183, 71, 3, Hex(0x2F3D46));
  for (int x = 160; x < 214; x += 12) p.FillRect(x, 167, 1, 16, Hex(0x4A6170));
  return p;
}

// The pier west of the beach: planks on posts out to the keeper's rowing boat.
Picture Cais() {
  Picture p(480, 200);
  VerticalGradient(p, 0, 104, Hex(0x2E2C4A), Hex(0xD08A5A));
  VerticalGradient(p, 102, 200, Hex(0x27435F), Hex(0x152638));
  for (int y = 108; y < 200; y += 5) {
    for (int x = (y * 11) % 29; x < 480; x += 27 + Noise(x, y, 20) % 19) {
      p.FillRect(x, y, 5 + Noise(x, y, 21) % 9, 1, Hex(0x4F7396));
    }
  }
  // The shore on the right, where the beach begins.
  Polygon(p, {{400, 200}, {420, 118}, {480, 110}, {480, 200}}, Hex(0xC9AD7F));
  Grain(p, 400, 110, 480, 200, 14, 22, Hex(0xC9AD7F));
  // The deck and its posts.
  for (int x = 132; x < 440; x += 36) p.FillRect(x, 138, 6, 50, Hex(0x3A2A1E));
  p.FillRect(120, 128, 330, 10, Hex(0x7A5A3C));
  for (int x = 120; x < 450; x += 11) p.FillRect(x, 128, 1, 10, Hex(0x4E3827));
  Grain(p, 120, 128, 450, 138, 16, 23, Hex(0x7A5A3C));
  // A crate on the pier.
  p.FillRect(250, 108, 30, 20, Hex(0x9C7A4C));
  p.FillRect(250, 108, 30, 2, Hex(0x5E4528));
  p.FillRect(250, 117, 30, 1, Hex(0x5E4528));
  p.FillRect(264, 108, 2, 20, Hex(0x5E4528));
  // The rowing boat tied at the end, and its rope.
  Polygon(p, {{40, 150}, {200, 150}, {186, 170}, {62, 170}}, Hex(0xA03828));
  p.FillRect(44, 148, 154, 4, Hex(0xE8E0D0));
  p.FillRect(80, 152, 4, 10, Hex(0x5E2418));
  p.FillRect(150, 152, 4, 10, Hex(0x5E2418));
  Line(p, {196, 150}, {132, 132}, 1.5, Hex(0xD8C8A0));
  return p;
}

// The cellar under the lighthouse, in the light of the lantern.
Picture Porao() {
  Picture p(480, 200, Hex(0x1A1410));
  for (int row = 0; row * 14 < 200; ++row) {
    for (int x = (row % 2) * -18; x < 480; x += 36) {
      p.FillRect(x + 1, row * 14 + 1, 34, 12, Shade(Hex(0x3E342A), Noise(x, row, 30) % 20 - 10));
    }
  }
  p.FillRect(0, 168, 480, 32, Hex(0x2A221B));
  Grain(p, 0, 168, 480, 200, 12, 31);
  // Barrels on the left, a shelf at the back.
  for (int i = 0; i < 3; ++i) {
    const int x = 30 + i * 46;
    p.FillRect(x, 118, 40, 52, Hex(0x6A4A2A));
    p.FillRect(x, 126, 40, 3, Hex(0x2A2A2A));
    p.FillRect(x, 158, 40, 3, Hex(0x2A2A2A));
  }
  p.FillRect(200, 70, 120, 6, Hex(0x5A3E26));
  for (int i = 0; i < 5; ++i) p.FillRect(208 + i * 22, 52, 12, 18, Hex(0x4A6A5A));
  // Steps up to the door on the right, with daylight above them.
  for (int i = 0; i < 6; ++i)
    p.FillRect(380 + i * 16, 168 - i * 18, 100 - i * 16, 18, Hex(0x6A6058));
  p.FillRect(440, 0, 40, 64, Hex(0xBFC8CC));
  // The lantern's warm light, strongest in the middle.
  for (int y = 0; y < 200; ++y) {
    for (int x = 0; x < 480; ++x) {
      const double d = std::hypot(x - 250.0, (y - 140.0) * 1.6) / 300.0;
      const int delta = static_cast<int>(std::lround(50 * (0.6 - d)));
      if (delta != 0) p.SetPixel(x, y, Shade(p.Pixel(x, y), delta));
    }
  }
  return p;
}

Picture Farol() {
  Picture p(480, 200);
  VerticalGradient(p, 0, 170, Hex(0x6D7580), Hex(0xA9B0B8));
  for (int i = 0; i < 7; ++i) {
    Disc(p, 40 + i * 22, 40 + (i % 3) * 6, 16 + (i % 2) * 5, Hex(0xBCC2C8));
    Disc(p, 300 + i * 18, 120 + (i % 2) * 8, 12 + (i % 3) * 3, Hex(0xB4BAC1));
  }
  p.FillRect(0, 166, 480, 34, Hex(0x4D5A3A));
  Grain(p, 0, 166, 480, 200, 24, 5, Hex(0x4D5A3A));
  // The tower, lit from the left.
  Polygon(p, {{165, 172}, {185, 0}, {295, 0}, {315, 172}}, Hex(0xE8E6DF));
  Polygon(p, {{270, 172}, {280, 0}, {295, 0}, {315, 172}}, Hex(0xCBC8C0));
  Grain(p, 165, 0, 316, 172, 10, 6, Hex(0xE8E6DF));
  Grain(p, 165, 0, 316, 172, 10, 6, Hex(0xCBC8C0));
  const std::vector<Point> crack = {{272, 8}, {266, 30}, {274, 52}, {262, 80}, {268, 96}};
  for (std::size_t i = 1; i < crack.size(); ++i) Line(p, crack[i - 1], crack[i], 2, Hex(0x55524C));
  // The iron door with its rivets.
  Disc(p, 240, 108, 26, Hex(0x3A2E2A));
  p.FillRect(214, 108, 52, 62, Hex(0x3A2E2A));
  for (int x = 222; x < 262; x += 9) p.FillRect(x, 90, 1, 80, Hex(0x2A201D));
  for (int y = 100; y < 170; y += 16) {
    Disc(p, 220, y, 1.6, Hex(0x7B6A5E));
    Disc(p, 260, y, 1.6, Hex(0x7B6A5E));
  }
  p.FillRect(200, 170, 80, 5, Hex(0x8C8A84));
  p.FillRect(194, 175, 92, 6, Hex(0x7A7873));
  // The wooden hatch to the cellar, and the hook of the bell beside the door.
  Polygon(p, {{340, 188}, {354, 174}, {406, 174}, {420, 188}}, Hex(0x5A3E26));
  for (int x = 356; x < 406; x += 10) p.FillRect(x, 175, 1, 13, Hex(0x3A2716));
  p.FillRect(292, 56, 22, 3, Hex(0x303030));
  return p;
}

Picture Escada() {
  Picture p(480, 200, Hex(0x2B2724));
  // Stone blocks in courses, each with its own tint.
  for (int row = 0; row * 16 < 200; ++row) {
    for (int x = (row % 2) * -20; x < 480; x += 40) {
      const Colour block = Shade(Hex(0x4A433C), Noise(x, row, 7) % 24 - 12);
      p.FillRect(x + 1, row * 16 + 1, 38, 14, block);
    }
  }
  Grain(p, 0, 0, 480, 200, 10, 8);
  // A narrow window with daylight.
  p.FillRect(376, 36, 16, 80, Hex(0x1A1715));
  p.FillRect(379, 40, 10, 72, Hex(0xCFE0EA));
  Disc(p, 384, 40, 5, Hex(0xCFE0EA));
  // The central column and the steps winding around it.
  p.FillRect(222, 0, 36, 200, Hex(0x3C3631));
  p.FillRect(222, 0, 10, 200, Hex(0x48413B));
  for (int i = 0; i < 12; ++i) {
    const double angle = kPi * (0.1 + i * 0.16);
    const double y = 190 - i * 15;
    const double reach = 150 * std::cos(angle);
    const Colour tread = Shade(Hex(0x8C8478), Noise(i, 0, 9) % 20 - 10);
    Polygon(p, {{240, y}, {240 + reach, y - 6}, {240 + reach, y + 4}, {240, y + 9}}, tread);
    Polygon(p, {{240, y + 9}, {240 + reach, y + 4}, {240 + reach, y + 8}, {240, y + 13}},
            Shade(tread, -40));
  }
  return p;
}

// The view from the top of the tower: 1440 pixels around, wrapping at the edges.
Picture Mar() {
  constexpr int kWidth = 1440;
  Picture p(kWidth, 200);
  VerticalGradient(p, 0, 124, Hex(0x101A33), Hex(0x3B4A6B));
  for (int i = 0; i < 140; ++i) {
    const int x = Noise(i, 1, 10) * kWidth / 256 + Noise(i, 2, 10) % 6;
    const int y = Noise(i, 3, 10) * 90 / 256;
    Plot(p, x, y, Noise(i, 4, 10) > 200 ? Hex(0xFFFFFF) : Hex(0xB8C2D8));
  }
  VerticalGradient(p, 120, 200, Hex(0x14263D), Hex(0x0D1A2B));
  for (int y = 126; y < 176; y += 5) {
    for (int x = Noise(0, y, 11) % 30; x < kWidth - 12; x += 30 + Noise(x, y, 12) % 25) {
      p.FillRect(x, y, 8, 1, Hex(0x2E4A6A));
    }
  }
  // The coast: periodic hills so the picture joins up.
  for (int x = 0; x < kWidth; ++x) {
    const double t = 2 * kPi * x / kWidth;
    const double height =
        10 + 14 * std::sin(2 * t) + 8 * std::sin(5 * t + 1) + 4 * std::sin(11 * t);
    if (height <= 0) continue;
    const int top = 122 - static_cast<int>(std::lround(height));
    p.FillRect(x, top, 1, 123 - top, Hex(0x1C2420));
  }
  // Boats with their lights.
  for (int boat : {300, 760, 1210}) {
    Polygon(p, {{boat - 12.0, 150}, {boat + 12.0, 150}, {boat + 8.0, 156}, {boat - 8.0, 156}},
            Hex(0x0A0F18));
    p.FillRect(boat, 134, 1, 16, Hex(0x0A0F18));
    p.FillRect(boat + 1, 136, 2, 2, Hex(0xFFD060));
  }
  // The railing of the lantern gallery, a post every 60 pixels.
  p.FillRect(0, 178, kWidth, 3, Hex(0x202020));
  p.FillRect(0, 194, kWidth, 2, Hex(0x202020));
  for (int x = 0; x < kWidth; x += 60) p.FillRect(x, 176, 4, 24, Hex(0x202020));
  // The trapdoor down to the stairs, in the gallery floor.
  p.FillRect(300, 184, 48, 10, Hex(0x5A3E26));
  p.FillRect(300, 184, 48, 1, Hex(0x8A6A4A));
  p.FillRect(322, 187, 4, 4, Hex(0x202020));
  return p;
}

// ---------------------------------------------------------------------------------------
// Sprites on magenta.

// Four cells of a gull in flight: wings up, level, down, level.
Picture Gaivota() {
  constexpr int kCell = 48;
  Picture p(kCell * 4, 32, kMagenta);
  const double tips[] = {-10, -2, 8, -2};
  for (int cell = 0; cell < 4; ++cell) {
    const double cx = cell * kCell + kCell / 2.0;
    const double tip = 16 + tips[cell];
    const double elbow = 16 + tips[cell] / 2 - 3;
    for (double side : {-1.0, 1.0}) {
      Line(p, {cx, 17}, {cx + side * 9, elbow}, 3, Hex(0xF2F2F2));
      Line(p, {cx + side * 9, elbow}, {cx + side * 20, tip}, 2.4, Hex(0xF2F2F2));
      Disc(p, cx + side * 20, tip, 1.5, Hex(0x303030));
    }
    Disc(p, cx, 17, 3, Hex(0xFFFFFF));
    Plot(p, static_cast<int>(cx), 19, Hex(0xE0A020));
  }
  return p;
}

// A compass rose: brass ring and points, the north point red; the inside stays transparent.
Picture Bussola() {
  Picture p(80, 80, kMagenta);
  const Colour brass = Hex(0xB08D3A);
  Ring(p, 40, 40, 33, 37, brass);
  Ring(p, 40, 40, 37, 39, Hex(0x5A4515));
  for (int i = 0; i < 8; ++i) {
    const double angle = i * kPi / 4;
    const double length = i % 2 == 0 ? 34 : 20;
    const double dx = std::sin(angle), dy = -std::cos(angle);
    const Colour c = i == 0 ? Hex(0xC03020) : (i % 2 == 0 ? brass : Hex(0xD9C27A));
    Polygon(p,
            {{40 + dx * length, 40 + dy * length},
             {40 + dy * 4, 40 - dx * 4},
             {40 - dx * 4, 40 - dy * 4},
             {40 - dy * 4, 40 + dx * 4}},
            c);
  }
  Disc(p, 40, 40, 3, Hex(0x5A4515));
  return p;
}

Picture Candeeiro() {
  Picture p(24, 40, kMagenta);
  Line(p, {12, 0}, {12, 8}, 2, Hex(0x303030));
  Polygon(p, {{5, 8}, {19, 8}, {16, 12}, {8, 12}}, Hex(0x303030));
  p.FillRect(7, 12, 10, 16, Hex(0xF6D27A));
  Disc(p, 12, 20, 3, Hex(0xFF8C1A));
  p.FillRect(6, 28, 12, 4, Hex(0x303030));
  return p;
}

// The great lens: glass rings in a brass rim.
Picture Lente() {
  Picture p(64, 64, kMagenta);
  Disc(p, 32, 32, 31, Hex(0x8A6A2A));
  for (int ring = 0; ring < 6; ++ring) {
    const double outer = 28 - ring * 4.6;
    Ring(p, 32, 32, std::max(0.0, outer - 4.6), outer,
         ring % 2 == 0 ? Hex(0xBFE3EA) : Hex(0x8FC2CF));
  }
  Disc(p, 26, 24, 3, Hex(0xFFFFFF));
  return p;
}

Picture Lanterna() {
  Picture p(40, 40, kMagenta);
  Ring(p, 20, 7, 3, 5, Hex(0x303030));
  Polygon(p, {{11, 14}, {29, 14}, {25, 9}, {15, 9}}, Hex(0x303030));
  p.FillRect(12, 14, 16, 18, Hex(0xF4E3A1));
  p.FillRect(12, 14, 2, 18, Hex(0x303030));
  p.FillRect(26, 14, 2, 18, Hex(0x303030));
  Disc(p, 20, 24, 4, Hex(0xFF8C1A));
  p.FillRect(10, 32, 20, 5, Hex(0x303030));
  return p;
}

Picture Chave() {
  Picture p(40, 40, kMagenta);
  const Colour rust = Hex(0x8B5A2B);
  Ring(p, 11, 20, 4, 8, rust);
  Line(p, {18, 20}, {36, 20}, 4, rust);
  p.FillRect(29, 22, 3, 7, rust);
  p.FillRect(34, 22, 3, 5, rust);
  Grain(p, 0, 0, 40, 40, 30, 13);
  return p;
}

Picture Mapa() {
  Picture p(40, 40, kMagenta);
  p.FillRect(5, 8, 30, 24, Hex(0xE0CFA0));
  p.FillRect(3, 8, 3, 24, Hex(0xB8A170));
  p.FillRect(34, 8, 3, 24, Hex(0xB8A170));
  const std::vector<Point> coast = {{8, 12}, {14, 18}, {12, 24}, {20, 27}, {26, 22}, {32, 26}};
  for (std::size_t i = 1; i < coast.size(); ++i)
    Line(p, coast[i - 1], coast[i], 1.5, Hex(0x3A6EA5));
  Line(p, {24, 12}, {30, 18}, 2, Hex(0xC02020));
  Line(p, {30, 12}, {24, 18}, 2, Hex(0xC02020));
  return p;
}

Picture Bau() {
  Picture p(40, 40, kMagenta);
  FillWhere(
      p, 3, 6, 36, 18,
      [](double x, double y) { return y >= 18 - 10 * std::sin((x - 3) / 34 * kPi) * 0.8; },
      Hex(0x8A5528));
  p.FillRect(3, 18, 34, 18, Hex(0x7A4A22));
  p.FillRect(3, 17, 34, 2, Hex(0x3A3A3A));
  p.FillRect(9, 8, 3, 28, Hex(0x3A3A3A));
  p.FillRect(28, 8, 3, 28, Hex(0x3A3A3A));
  p.FillRect(18, 16, 5, 7, Hex(0xD8B040));
  Grain(p, 0, 0, 40, 40, 12, 14);
  return p;
}

Picture Concha() {
  Picture p(40, 40, kMagenta);
  const Point hinge = {20, 34};
  std::vector<Point> fan = {hinge};
  for (int i = 0; i <= 12; ++i) {
    const double angle = kPi * (0.15 + 0.7 * i / 12.0);
    const double radius = 26 + (i % 2) * 2;
    fan.push_back({hinge.x - std::cos(angle) * radius, hinge.y - std::sin(angle) * radius});
  }
  Polygon(p, fan, Hex(0xF0A8A8));
  for (std::size_t i = 2; i < fan.size(); i += 2) Line(p, hinge, fan[i], 1, Hex(0xC07070));
  p.FillRect(15, 33, 10, 4, Hex(0xE08C8C));
  return p;
}

Picture Fosforos() {
  Picture p(40, 40, kMagenta);
  p.FillRect(6, 16, 28, 16, Hex(0x2F5FA8));
  p.FillRect(6, 16, 28, 3, Hex(0xE0C040));
  p.FillRect(6, 29, 28, 3, Hex(0xE0C040));
  for (int i = 0; i < 4; ++i) {
    Line(p, {12.0 + i * 5, 15}, {14.0 + i * 5, 4}, 1.5, Hex(0xE8D8B0));
    Disc(p, 14 + i * 5, 4, 2, Hex(0xB02020));
  }
  return p;
}

Picture Oleo() {
  Picture p(40, 40, kMagenta);
  p.FillRect(9, 12, 22, 24, Hex(0x7A8A3A));
  p.FillRect(9, 20, 22, 8, Hex(0xE0D060));
  p.FillRect(9, 12, 22, 2, Hex(0x4A5422));
  Line(p, {27, 12}, {34, 4}, 3, Hex(0x4A5422));
  Ring(p, 16, 8, 2, 4, Hex(0x303030));
  return p;
}

Picture BauAberto() {
  Picture p(40, 40, kMagenta);
  p.FillRect(3, 4, 34, 12, Hex(0x8A5528));
  p.FillRect(3, 15, 34, 3, Hex(0x3A3A3A));
  p.FillRect(3, 18, 34, 18, Hex(0x7A4A22));
  p.FillRect(6, 19, 28, 6, Hex(0x2A1A0E));
  p.FillRect(9, 18, 3, 18, Hex(0x3A3A3A));
  p.FillRect(28, 18, 3, 18, Hex(0x3A3A3A));
  Grain(p, 0, 0, 40, 40, 12, 15);
  return p;
}

// The bell beside the door on its wooden board: swinging with its clapper out (pressed) and
// hanging (released). The boards are opaque, so either state covers the other.
Picture Sino() {
  Picture p(64, 40, kMagenta);
  const Colour bronze = Hex(0xC08A30);
  for (int cell = 0; cell < 2; ++cell) {
    const double lean = cell == 0 ? 3 : 0;
    const double cx = cell * 32 + 16;
    p.FillRect(cell * 32, 0, 32, 40, Hex(0x3A2716));
    p.FillRect(cell * 32 + 2, 2, 28, 36, Hex(0x5A3E26));
    Line(p, {cx, 0}, {cx + lean, 8}, 2, Hex(0x303030));
    Polygon(p, {{cx + lean - 6, 8}, {cx + lean + 6, 8}, {cx + lean + 9, 30}, {cx + lean - 9, 30}},
            bronze);
    p.FillRect(static_cast<int>(cx + lean) - 10, 30, 21, 3, Shade(bronze, -50));
    Disc(p, cx + lean * 2.2, 35, 3, Hex(0x404040));
  }
  return p;
}

// The beam of the lit lens: rays around a bright core.
Picture Luz() {
  Picture p(160, 120, kMagenta);
  for (int i = 0; i < 12; ++i) {
    const double angle = i * kPi / 6;
    Line(p, {80, 60}, {80 + 78 * std::cos(angle), 60 + 58 * std::sin(angle)}, 6, Hex(0xFFE9A0));
  }
  Disc(p, 80, 60, 40, Hex(0xFFD860));
  Disc(p, 80, 60, 30, Hex(0xFFF4C8));
  return p;
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
  const std::vector<std::pair<std::string, std::string>> files = {
      {"praia.jpg", EncodeJpeg(Praia())},
      {"cais.jpg", EncodeJpeg(Cais())},
      {"porao.jpg", EncodeJpeg(Porao())},
      {"farol.img", EncodeImg(EncodeJpeg(Farol()))},
      {"escada.zip", MakeZip({{"escada.bmp", EncodeBmp24(Escada())}})},
      {"mar.jpg", EncodeJpeg(Mar())},
      {"gaivota.bmp", EncodeBmp24(Gaivota())},
      {"bussola.bmp", EncodeBmp24(Bussola())},
      {"candeeiro.bmp", EncodeBmp24(Candeeiro())},
      {"lente.bmp", EncodeBmp24(Lente())},
      {"lanterna.bmp", EncodeBmp24(Lanterna())},
      {"chave.bmp", EncodeBmp24(Chave())},
      {"mapa.bmp", EncodeBmp24(Mapa())},
      {"bau.bmp", EncodeBmp24(Bau())},
      {"concha.bmp", EncodeBmp24(Concha())},
      {"fosforos.bmp", EncodeBmp24(Fosforos())},
      {"oleo.bmp", EncodeBmp24(Oleo())},
      {"bauaberto.bmp", EncodeBmp24(BauAberto())},
      {"sino.bmp", EncodeBmp24(Sino())},
      {"luz.bmp", EncodeBmp24(Luz())},
  };
  for (const auto& [name, bytes] : files) {
    if (!WriteFile(out_dir / name, bytes)) {
      std::cerr << "zunk-demo-pictures: não foi possível gravar " << (out_dir / name).string()
                << '\n';
      return 1;
    }
  }
  return 0;
}

}  // namespace
}  // namespace zunk

int main(int argc, char** argv) {
  if (argc != 2) {
    std::cerr << "uso: zunk-demo-pictures PASTA\n";
    return 2;
  }
  return zunk::Run(argv[1]);
}
