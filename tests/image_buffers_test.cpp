// The image buffers: loading, saving and restoring the screen area, keyed drawing and
// setbuf, with the way bufx and bufy read their fields.
#include "picture_files.h"
#include "test_support.h"

namespace zunk::testing {
namespace {

constexpr Colour kGrey = 0x808080;
constexpr Colour kRed = 0x0000FF;

Picture Numbered(int width, int height) {
  Picture picture(width, height);
  for (int y = 0; y < height; ++y) {
    for (int x = 0; x < width; ++x) picture.SetPixel(x, y, MakeColour(x & 0xFF, x >> 8, y));
  }
  return picture;
}

// The w × h area of the picture at x, y as a picture of its own.
Picture Area(const Picture& picture, int x, int y, int w, int h) {
  Picture area(w, h);
  CopyRect(area, 0, 0, picture, x, y, w, h);
  return area;
}

class ImageBuffersTest : public GameTest {
 protected:
  void SetUp() override {
    Start();
    screen().screen_buffer = Numbered(kTelaWidth, kTelaHeight);
  }
  Screen& screen() { return game().screen(); }
};

TEST_F(ImageBuffersTest, LoadNeedsAFileName) {
  const Picture picture = Numbered(30, 20);
  WriteFile("foto.bmp", EncodeBmp24(picture));
  Exec("bufy load,");
  Exec("bufy load");
  EXPECT_TRUE(screen().buffer_y.empty());
  Exec("bufy load,foto.bmp");
  EXPECT_EQ(screen().buffer_y, picture);
  Exec("bufy load,nada.bmp");
  EXPECT_EQ(screen().buffer_y, picture);
  EXPECT_TRUE(screen().buffer_x.empty());
}

TEST_F(ImageBuffersTest, SetbufAlwaysMakesATelaSizedWhitePicture) {
  for (const char* line : {"bufx setbuf,0,0,", "bufx setbuf,640,480,", "bufx setbuf,x"}) {
    screen().buffer_x = Picture(7, 3, kRed);
    Exec(line);
    EXPECT_EQ(screen().buffer_x, Picture(kTelaWidth, kTelaHeight, kWhite)) << line;
  }
}

TEST_F(ImageBuffersTest, GetbufAndPutbufRoundTripThroughTheRightHalf) {
  const Picture screen_area = screen().screen_buffer;
  screen().buffer_x = Picture(2 * kTelaWidth, kTelaHeight, kGrey);
  host_.log.clear();
  Exec("bufx getbuf,480,0,");
  EXPECT_EQ(Area(screen().buffer_x, 0, 0, kTelaWidth, kTelaHeight),
            Picture(kTelaWidth, kTelaHeight, kGrey));
  EXPECT_EQ(Area(screen().buffer_x, kTelaWidth, 0, kTelaWidth, kTelaHeight), screen_area);

  Exec("clear 000000");
  Exec("bufx putbuf,480,0,");
  EXPECT_EQ(screen().screen_buffer, screen_area);
  Exec("bufx putbuf,0,0,");
  EXPECT_EQ(screen().screen_buffer, Picture(kTelaWidth, kTelaHeight, kGrey));
  // None of them shows anything.
  EXPECT_TRUE(host_.log.empty());
}

TEST_F(ImageBuffersTest, NumbersNeedACommaAfterThem) {
  // y = 100 only with the comma after it; "getbuf,5" reads 0, 0.
  struct Case {
    const char* line;
    int x, y;
  };
  for (const Case& c : {Case{"bufy getbuf,0,100,", 0, 100}, Case{"bufy getbuf,0,100", 0, 0},
                        Case{"bufy getbuf,5", 0, 0}, Case{"bufy getbuf,7,", 7, 0}}) {
    screen().buffer_y = Picture(kTelaWidth + 10, 2 * kTelaHeight, kGrey);
    Exec(c.line);
    EXPECT_EQ(screen().buffer_y.Pixel(c.x, c.y), MakeColour(0, 0, 0)) << c.line;
    EXPECT_EQ(screen().buffer_y.Pixel(c.x + 1, c.y + 2), MakeColour(1, 0, 2)) << c.line;
  }
  // Without fields or with an unknown sub-command nothing happens.
  const Picture before = screen().buffer_y;
  for (const char* line : {"bufy getbuf", "bufy getbuf,", "bufy pegar,0,0,", "bufy"}) {
    Exec(line);
    EXPECT_EQ(screen().buffer_y, before) << line;
  }
}

TEST_F(ImageBuffersTest, CopiesBeyondEitherPictureAreClippedOrBlack) {
  // Into a buffer too small: only what fits is stored, the buffer keeps its size.
  screen().buffer_x = Picture(10, 10, kGrey);
  Exec("bufx getbuf,5,5,");
  EXPECT_EQ(screen().buffer_x.width(), 10);
  EXPECT_EQ(screen().buffer_x.Pixel(9, 9), MakeColour(4, 0, 4));
  EXPECT_EQ(screen().buffer_x.Pixel(4, 4), kGrey);
  // From an empty buffer, the screen area turns black.
  Exec("bufy putbuf,0,0,");
  EXPECT_EQ(screen().screen_buffer, Picture(kTelaWidth, kTelaHeight, kBlack));
  // From an empty screen picture, the stored area is black.
  screen().screen_buffer = Picture();
  Exec("bufx getbuf,0,0,");
  EXPECT_EQ(screen().buffer_x, Picture(10, 10, kBlack));
}

TEST_F(ImageBuffersTest, DrawAndDrawbufAreKeyed) {
  for (const char* line : {"bufx draw,10,10,", "bufx drawbuf,10,10,"}) {
    screen().screen_buffer = Picture(kTelaWidth, kTelaHeight, kGrey);
    screen().buffer_x = Picture(kTelaWidth, kTelaHeight, kRed);
    screen().buffer_x.FillRect(0, 0, 5, 5, kMagenta);
    Exec(line);
    EXPECT_EQ(screen().screen_buffer.Pixel(9, 10), kGrey) << line;
    EXPECT_EQ(screen().screen_buffer.Pixel(14, 14), kGrey) << line;
    EXPECT_EQ(screen().screen_buffer.Pixel(15, 10), kRed) << line;
    EXPECT_EQ(screen().screen_buffer.Pixel(479, 199), kRed) << line;
  }
}

}  // namespace
}  // namespace zunk::testing
