// A window's outline cut from its picture: runs of non-magenta pixels, row by row.
#include "screen/window_shape.h"

#include <gtest/gtest.h>

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

}  // namespace
}  // namespace zunk::testing
