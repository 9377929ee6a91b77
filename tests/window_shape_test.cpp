// A window's outline cut from its picture: runs of non-magenta pixels, row by row.
#include "screen/window_shape.h"

#include <gtest/gtest.h>

#include <chrono>

namespace zunk::testing {
namespace {

using Rects = std::vector<ShapeRect>;

TEST(WindowShapeTest, HolesSplitRowsIntoRunsAndEdgesKeepSinglePixels) {
  // Row 0: magenta in the middle; row 1: single pixels at both edges; row 2: all magenta;
  // row 3: a hole at each edge. Colours next to magenta (one channel off) are not holes.
  Picture picture(6, 4, 0x123456);
  picture.FillRect(2, 0, 2, 1, kMagenta);
  picture.FillRect(1, 1, 4, 1, kMagenta);
  picture.FillRect(0, 2, 6, 1, kMagenta);
  picture.SetPixel(0, 3, kMagenta);
  picture.SetPixel(5, 3, kMagenta);
  picture.SetPixel(2, 3, 0xFE00FF);
  picture.SetPixel(3, 3, 0xFF01FF);
  EXPECT_EQ(ShapeFromMagenta(picture),
            (Rects{{0, 0, 2, 1}, {4, 0, 2, 1}, {0, 1, 1, 1}, {5, 1, 1, 1}, {1, 3, 4, 1}}));
}

TEST(WindowShapeTest, NoMagentaGivesWholeRowsAndAllMagentaOrEmptyGivesNothing) {
  EXPECT_EQ(ShapeFromMagenta(Picture(3, 2, kWhite)), (Rects{{0, 0, 3, 1}, {0, 1, 3, 1}}));
  EXPECT_TRUE(ShapeFromMagenta(Picture(640, 350, kMagenta)).empty());
  EXPECT_TRUE(ShapeFromMagenta(Picture()).empty());
}

TEST(WindowShapeTest, AGameWindowSizedPictureIsCutQuickly) {
  // 640 × 350 with two-pixel holes all along every row: 160 runs a row, found well within
  // the time a window's start-up can spend.
  Picture picture(640, 350, kBlack);
  for (int y = 0; y < 350; ++y)
    for (int x = 0; x < 640; x += 4) picture.FillRect(x + 2, y, 2, 1, kMagenta);
  const auto start = std::chrono::steady_clock::now();
  const Rects rects = ShapeFromMagenta(picture);
  const auto took = std::chrono::steady_clock::now() - start;
  EXPECT_EQ(rects.size(), 350u * 160u);
  EXPECT_EQ(rects.back(), (ShapeRect{636, 349, 2, 1}));
  EXPECT_LT(took, std::chrono::milliseconds(500));
}

}  // namespace
}  // namespace zunk::testing
