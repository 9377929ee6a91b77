// Block copies and keyed drawing, pixel by pixel on small pictures.
#include "screen/picture.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace zunk {
namespace {

constexpr Colour kRed = 0x0000FF;
constexpr Colour kGreen = 0x00FF00;
constexpr Colour kBlue = 0xFF0000;
constexpr Colour kGrey = 0x808080;

// A picture from rows of letters: r g b w k(black) m(magenta) y(grey).
Picture FromRows(const std::vector<std::string>& rows) {
  Picture picture(static_cast<int>(rows[0].size()), static_cast<int>(rows.size()));
  for (int y = 0; y < picture.height(); ++y) {
    for (int x = 0; x < picture.width(); ++x) {
      Colour c = kBlack;
      switch (rows[y][x]) {
        case 'r':
          c = kRed;
          break;
        case 'g':
          c = kGreen;
          break;
        case 'b':
          c = kBlue;
          break;
        case 'w':
          c = kWhite;
          break;
        case 'm':
          c = kMagenta;
          break;
        case 'y':
          c = kGrey;
          break;
      }
      picture.SetPixel(x, y, c);
    }
  }
  return picture;
}

std::vector<std::string> Rows(const Picture& picture) {
  std::vector<std::string> rows;
  for (int y = 0; y < picture.height(); ++y) {
    std::string row;
    for (int x = 0; x < picture.width(); ++x) {
      switch (picture.Pixel(x, y)) {
        case kRed:
          row += 'r';
          break;
        case kGreen:
          row += 'g';
          break;
        case kBlue:
          row += 'b';
          break;
        case kWhite:
          row += 'w';
          break;
        case kBlack:
          row += 'k';
          break;
        case kMagenta:
          row += 'm';
          break;
        case kGrey:
          row += 'y';
          break;
        default:
          row += '?';
      }
    }
    rows.push_back(row);
  }
  return rows;
}

using Expected = std::vector<std::string>;

TEST(PictureTest, CopyRectClipsTheDestinationAndPaintsMissingSourceBlack) {
  const Picture source = FromRows({"rg", "bw"});
  Picture dest = FromRows({"yyyy", "yyyy", "yyyy"});
  CopyRect(dest, 1, 1, source, 0, 0, 2, 2);
  EXPECT_EQ(Rows(dest), (Expected{"yyyy", "yrgy", "ybwy"}));

  // A rectangle half outside the source: the outside part is black.
  dest = FromRows({"yyyy", "yyyy", "yyyy"});
  CopyRect(dest, 0, 0, source, -1, 1, 4, 2);
  EXPECT_EQ(Rows(dest), (Expected{"kbwk", "kkkk", "yyyy"}));

  // Destination corners outside dest on every side only clip.
  dest = FromRows({"yyy", "yyy"});
  CopyRect(dest, -1, -1, source, 0, 0, 2, 2);
  EXPECT_EQ(Rows(dest), (Expected{"wyy", "yyy"}));
  dest = FromRows({"yyy", "yyy"});
  CopyRect(dest, 2, 1, source, 0, 0, 2, 2);
  EXPECT_EQ(Rows(dest), (Expected{"yyy", "yyr"}));

  // From an empty picture, and with extreme positions: black or nothing, never a stray read.
  dest = FromRows({"yy"});
  CopyRect(dest, 0, 0, Picture(), 0, 0, 2, 1);
  EXPECT_EQ(Rows(dest), Expected{"kk"});
  dest = FromRows({"yy"});
  CopyRect(dest, 0, 0, source, INT32_MAX, INT32_MIN, INT32_MAX, INT32_MAX);
  EXPECT_EQ(Rows(dest), Expected{"kk"});
  CopyRect(dest, INT32_MAX, 0, source, 0, 0, 5, 5);
  CopyRect(dest, 0, 0, source, 0, 0, -5, 5);
  EXPECT_EQ(Rows(dest), Expected{"kk"});
}

TEST(PictureTest, CopyRectWithinOnePicture) {
  Picture p = FromRows({"rgbw"});
  CopyRect(p, 1, 0, p, 0, 0, 3, 1);
  EXPECT_EQ(Rows(p), Expected{"rrgb"});
}

TEST(PictureTest, DrawKeyedSameSizeKeepsMagentaTransparent) {
  const Picture sprite = FromRows({"rm", "mb"});
  Picture dest = FromRows({"yyy", "yyy", "yyy"});
  DrawKeyed(dest, sprite, 1, 1, 0, 0, 2, 2, 2, 2);
  EXPECT_EQ(Rows(dest), (Expected{"yyy", "yry", "yyb"}));
  // A part of the source.
  dest = FromRows({"yyy"});
  DrawKeyed(dest, FromRows({"rgb"}), 0, 0, 1, 0, 2, 1, 2, 1);
  EXPECT_EQ(Rows(dest), Expected{"gby"});
}

TEST(PictureTest, DrawKeyedStretchesUpAndDownByNearestPixel) {
  Picture dest = FromRows({"yyyy", "yyyy", "yyyy", "yyyy"});
  DrawKeyed(dest, FromRows({"wm", "gb"}), 0, 0, 0, 0, 2, 2, 4, 4);
  EXPECT_EQ(Rows(dest), (Expected{"wwyy", "wwyy", "ggbb", "ggbb"}));

  // Down: destination column i shows source column floor(i * 4 / 2).
  dest = FromRows({"yy", "yy"});
  DrawKeyed(dest, FromRows({"rgbw", "mmmm", "bwrg", "kkkk"}), 0, 0, 0, 0, 4, 4, 2, 2);
  EXPECT_EQ(Rows(dest), (Expected{"rb", "br"}));

  // Uneven: 3 columns onto 2 take columns 0 and 1.
  dest = FromRows({"yy"});
  DrawKeyed(dest, FromRows({"rgb"}), 0, 0, 0, 0, 3, 1, 2, 1);
  EXPECT_EQ(Rows(dest), Expected{"rg"});
  // 2 columns onto 3 take columns 0, 0 and 1.
  dest = FromRows({"yyy"});
  DrawKeyed(dest, FromRows({"rg"}), 0, 0, 0, 0, 2, 1, 3, 1);
  EXPECT_EQ(Rows(dest), Expected{"rrg"});
}

TEST(PictureTest, DrawKeyedClipsAtEveryEdge) {
  const Picture source = FromRows({"rgb", "wkr", "bgw"});
  Picture dest = FromRows({"yy", "yy"});
  DrawKeyed(dest, source, -1, -1, 0, 0, 3, 3, 3, 3);  // left and top
  EXPECT_EQ(Rows(dest), (Expected{"kr", "gw"}));
  dest = FromRows({"yy", "yy"});
  DrawKeyed(dest, source, 1, 1, 0, 0, 3, 3, 3, 3);  // right and bottom
  EXPECT_EQ(Rows(dest), (Expected{"yy", "yr"}));
  // Clipped while stretching: the visible part keeps its place in the stretch.
  dest = FromRows({"yyy"});
  DrawKeyed(dest, FromRows({"rg"}), -2, 0, 0, 0, 2, 1, 4, 1);
  EXPECT_EQ(Rows(dest), Expected{"ggy"});
  // Wholly outside.
  dest = FromRows({"yy"});
  DrawKeyed(dest, source, 2, 0, 0, 0, 3, 3, 3, 3);
  DrawKeyed(dest, source, -3, 0, 0, 0, 3, 3, 3, 3);
  DrawKeyed(dest, source, 0, 1, 0, 0, 3, 3, 3, 3);
  EXPECT_EQ(Rows(dest), Expected{"yy"});
}

TEST(PictureTest, DrawKeyedTreatsSourceOutsideAsTransparent) {
  Picture dest = FromRows({"yyyy", "yyyy"});
  DrawKeyed(dest, FromRows({"rg"}), 0, 0, -1, 0, 4, 2, 4, 2);
  EXPECT_EQ(Rows(dest), (Expected{"yrgy", "yyyy"}));
  // Rows above the source are transparent too.
  dest = FromRows({"yy", "yy"});
  DrawKeyed(dest, FromRows({"rg"}), 0, 0, 0, -1, 2, 2, 2, 2);
  EXPECT_EQ(Rows(dest), (Expected{"yy", "rg"}));
  // Unstretched, running past the right edge of a row: the next row is not drawn.
  dest = FromRows({"yyy"});
  DrawKeyed(dest, FromRows({"rg", "bw"}), 0, 0, 1, 0, 3, 1, 3, 1);
  EXPECT_EQ(Rows(dest), Expected{"gyy"});
  dest = FromRows({"yy"});
  DrawKeyed(dest, Picture(), 0, 0, 0, 0, 2, 1, 2, 1);
  EXPECT_EQ(Rows(dest), Expected{"yy"});
}

TEST(PictureTest, DrawKeyedTakesSixteenBitNumbersAndNeedsPositiveSizes) {
  const Picture source = FromRows({"rg"});
  Picture dest = FromRows({"yyyy"});
  // 65538 is 2 and 65537 is 1 in 16 bits; 65535 is -1.
  DrawKeyed(dest, source, 65538, 0, 0, 0, 65538, 65537, 2, 1);
  EXPECT_EQ(Rows(dest), Expected{"yyrg"});
  dest = FromRows({"yyyy"});
  DrawKeyed(dest, source, 65535, 0, 0, 0, 2, 1, 2, 1);
  EXPECT_EQ(Rows(dest), Expected{"gyyy"});
  // 32768 turns negative: nothing is drawn.
  dest = FromRows({"yyyy"});
  for (const auto& [sw, dw] : {std::pair{0, 2}, {2, 0}, {-1, 2}, {2, -1}, {32768, 2}, {2, 32768}}) {
    DrawKeyed(dest, source, 0, 0, 0, 0, sw, 1, dw, 1);
    DrawKeyed(dest, source, 0, 0, 0, 0, 2, sw, 2, dw);
  }
  EXPECT_EQ(Rows(dest), Expected{"yyyy"});
}

}  // namespace
}  // namespace zunk
