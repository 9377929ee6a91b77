// Block copies and keyed drawing, pixel by pixel on small pictures.
#include "screen/picture.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <climits>
#include <string>
#include <vector>

namespace zunk {
namespace {

using Rows = std::vector<std::string>;

// Pictures as rows of letters: r g b w k(black) m(magenta) y(grey); '?' for any other colour.
const std::string kLetters = "rgbwkmy";
const Colour kColours[] = {0x0000FF, 0x00FF00, 0xFF0000, kWhite, kBlack, kMagenta, 0x808080};

Picture FromRows(const Rows& rows) {
  if (rows.empty()) return Picture();
  Picture picture(static_cast<int>(rows[0].size()), static_cast<int>(rows.size()));
  for (int i = 0, w = picture.width(), x, y; x = i % w, y = i / w, y < picture.height(); ++i)
    picture.SetPixel(x, y, kColours[kLetters.find(rows[y][x])]);
  return picture;
}

Rows ToRows(const Picture& picture) {
  Rows rows(picture.height(), std::string(picture.width(), '?'));
  for (int i = 0, w = picture.width(), x, y; x = i % w, y = i / w, y < picture.height(); ++i) {
    const auto at = std::find(std::begin(kColours), std::end(kColours), picture.Pixel(x, y));
    if (at != std::end(kColours)) rows[y][x] = kLetters[at - std::begin(kColours)];
  }
  return rows;
}

TEST(PictureTest, CopyRectClipsTheDestinationAndPaintsMissingSourceBlack) {
  const struct {
    Rows dest, source;
    int dx, dy, sx, sy, w, h;
    Rows after;
  } cases[] = {
      {{"yyyy", "yyyy", "yyyy"}, {"rg", "bw"}, 1, 1, 0, 0, 2, 2, {"yyyy", "yrgy", "ybwy"}},
      // Half outside the source: the outside part is black.
      {{"yyyy", "yyyy", "yyyy"}, {"rg", "bw"}, 0, 0, -1, 1, 4, 2, {"kbwk", "kkkk", "yyyy"}},
      // Destination corners outside dest only clip.
      {{"yyy", "yyy"}, {"rg", "bw"}, -1, -1, 0, 0, 2, 2, {"wyy", "yyy"}},
      {{"yyy", "yyy"}, {"rg", "bw"}, 2, 1, 0, 0, 2, 2, {"yyy", "yyr"}},
      // An empty source and extreme positions: black or nothing, never a stray read.
      {{"yy"}, {}, 0, 0, 0, 0, 2, 1, {"kk"}},
      {{"yy"}, {"rg", "bw"}, 0, 0, INT_MAX, INT_MIN, INT_MAX, INT_MAX, {"kk"}},
      {{"yy"}, {"rg", "bw"}, INT_MAX, 0, 0, 0, 5, 5, {"yy"}},
      {{"yy"}, {"rg", "bw"}, 0, 0, 0, 0, -5, 5, {"yy"}},
  };
  for (const auto& c : cases) {
    Picture dest = FromRows(c.dest);
    CopyRect(dest, c.dx, c.dy, FromRows(c.source), c.sx, c.sy, c.w, c.h);
    EXPECT_EQ(ToRows(dest), c.after) << &c - cases;
  }
  Picture p = FromRows({"rgbw"});  // within one picture
  CopyRect(p, 1, 0, p, 0, 0, 3, 1);
  EXPECT_EQ(ToRows(p), Rows{"rrgb"});
}

TEST(PictureTest, DrawKeyedStretchesClipsAndKeepsMagentaTransparent) {
  const Rows three = {"rgb", "wkr", "bgw"};
  const struct {
    Rows dest, source;
    int dx, dy, sx, sy, sw, sh, dw, dh;
    Rows after;
  } cases[] = {
      {{"yyy", "yyy", "yyy"}, {"rm", "mb"}, 1, 1, 0, 0, 2, 2, 2, 2, {"yyy", "yry", "yyb"}},
      {{"yyy"}, {"rgb"}, 0, 0, 1, 0, 2, 1, 2, 1, {"gby"}},  // a part of the source
      // Stretched by nearest pixel: column i shows source column floor(i * sw / dw).
      {{"yyyy", "yyyy", "yyyy", "yyyy"},
       {"wm", "gb"},
       0,
       0,
       0,
       0,
       2,
       2,
       4,
       4,
       {"wwyy", "wwyy", "ggbb", "ggbb"}},
      {{"yy", "yy"}, {"rgbw", "mmmm", "bwrg", "kkkk"}, 0, 0, 0, 0, 4, 4, 2, 2, {"rb", "br"}},
      {{"yy"}, {"rgb"}, 0, 0, 0, 0, 3, 1, 2, 1, {"rg"}},
      {{"yyy"}, {"rg"}, 0, 0, 0, 0, 2, 1, 3, 1, {"rrg"}},
      // Clipped at every edge; while stretching the visible part keeps its place.
      {{"yy", "yy"}, three, -1, -1, 0, 0, 3, 3, 3, 3, {"kr", "gw"}},
      {{"yy", "yy"}, three, 1, 1, 0, 0, 3, 3, 3, 3, {"yy", "yr"}},
      {{"yyy"}, {"rg"}, -2, 0, 0, 0, 2, 1, 4, 1, {"ggy"}},
      {{"yy"}, three, 2, 0, 0, 0, 3, 3, 3, 3, {"yy"}},
      {{"yy"}, three, -3, 0, 0, 0, 3, 3, 3, 3, {"yy"}},
      {{"yy"}, three, 0, 1, 0, 0, 3, 3, 3, 3, {"yy"}},
      // Source outside its picture (left, above, past a row's end, empty) is transparent.
      {{"yyyy", "yyyy"}, {"rg"}, 0, 0, -1, 0, 4, 2, 4, 2, {"yrgy", "yyyy"}},
      {{"yy", "yy"}, {"rg"}, 0, 0, 0, -1, 2, 2, 2, 2, {"yy", "rg"}},
      {{"yyy"}, {"rg", "bw"}, 0, 0, 1, 0, 3, 1, 3, 1, {"gyy"}},
      {{"yy"}, {}, 0, 0, 0, 0, 2, 1, 2, 1, {"yy"}},
      // Numbers are 16 bits: 65538 is 2, 65537 is 1, 65535 is -1.
      {{"yyyy"}, {"rg"}, 65538, 0, 0, 0, 65538, 65537, 2, 1, {"yyrg"}},
      {{"yyyy"}, {"rg"}, 65535, 0, 0, 0, 2, 1, 2, 1, {"gyyy"}},
  };
  for (const auto& c : cases) {
    Picture dest = FromRows(c.dest);
    DrawKeyed(dest, FromRows(c.source), c.dx, c.dy, c.sx, c.sy, c.sw, c.sh, c.dw, c.dh);
    EXPECT_EQ(ToRows(dest), c.after) << &c - cases;
  }
  // Sizes must be positive; 32768 turns negative.
  Picture dest = FromRows({"yyyy"});
  for (const auto& [sw, dw] : {std::pair{0, 2}, {2, 0}, {-1, 2}, {2, -1}, {32768, 2}, {2, 32768}}) {
    DrawKeyed(dest, FromRows({"rg"}), 0, 0, 0, 0, sw, 1, dw, 1);
    DrawKeyed(dest, FromRows({"rg"}), 0, 0, 0, 0, 2, sw, 2, dw);
  }
  EXPECT_EQ(ToRows(dest), Rows{"yyyy"});
}

}  // namespace
}  // namespace zunk
