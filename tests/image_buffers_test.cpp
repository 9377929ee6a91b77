// The image buffers: loading, saving and restoring the screen area, keyed drawing and
// setbuf, with the way bufx and bufy read their fields.
#include "picture_files.h"
#include "test_support.h"

namespace zunk::testing {
namespace {

constexpr Colour kGrey = 0x808080;
constexpr Colour kRed = 0x0000FF;

// Each pixel tells where it came from: x in the low bytes, y in the third.
Picture Numbered(int width, int height) {
  Picture picture(width, height);
  for (int y = 0; y < height; ++y) {
    for (int x = 0; x < width; ++x) picture.SetPixel(x, y, MakeColour(x & 0xFF, x >> 8, y));
  }
  return picture;
}

class ImageBuffersTest : public GameTest {
 protected:
  void SetUp() override {
    Start();
    screen().screen_buffer = Numbered(kTelaWidth, kTelaHeight);
  }
  void ExecAll(std::initializer_list<const char*> lines) {
    for (const char* line : lines) Exec(line);
  }
  Screen& screen() { return game().screen(); }
  const Picture kGreyTela{kTelaWidth, kTelaHeight, kGrey};
};

TEST_F(ImageBuffersTest, LoadSetbufAndHowTheFieldsAreRead) {
  const Picture picture(30, 20, kRed);
  WriteFile("foto.bmp", EncodeBmp24(picture));
  ExecAll({"bufy load,", "bufy load", "bufy load,foto.bmp", "bufy load,nada.bmp"});
  // Without a file name or fields, or with an unknown sub-command, nothing happens.
  ExecAll({"bufy getbuf", "bufy getbuf,", "bufy pegar,0,0,", "bufy"});
  EXPECT_EQ(screen().buffer_y, picture);
  ExecAll({"bufx setbuf,x", "bufy setbuf,640,480,"});  // whatever the fields, Tela-sized white
  EXPECT_EQ(std::pair(screen().buffer_x, screen().buffer_y),
            std::pair(Picture(kTelaWidth, kTelaHeight, kWhite),
                      Picture(kTelaWidth, kTelaHeight, kWhite)));
  // A number needs a comma after it: "getbuf,0,100" gives y = 0 and "getbuf,5" 0, 0.
  for (const auto& [line, x, y] :
       {std::tuple("bufy getbuf,0,100,", 0, 100), std::tuple("bufy getbuf,0,100", 0, 0),
        std::tuple("bufy getbuf,5", 0, 0), std::tuple("bufy getbuf,7,", 7, 0)}) {
    screen().buffer_y = Picture(kTelaWidth + 10, 2 * kTelaHeight, kGrey);
    Exec(line);
    EXPECT_EQ(screen().buffer_y.Pixel(x + 1, y + 2), MakeColour(1, 0, 2)) << line;
  }
}

TEST_F(ImageBuffersTest, CopiesRoundTripClipOrTurnBlackAndDrawsAreKeyed) {
  const Picture screen_area = screen().screen_buffer;
  screen().buffer_x = Picture(2 * kTelaWidth, kTelaHeight, kGrey);
  host_.log.clear();
  ExecAll({"bufx getbuf,480,0,", "clear 000000", "bufx putbuf,480,0,"});
  EXPECT_EQ(screen().screen_buffer, screen_area);
  Exec("bufx putbuf,0,0,");
  EXPECT_EQ(screen().screen_buffer, kGreyTela);
  EXPECT_TRUE(host_.log.empty());  // none of them shows anything
  // draw and drawbuf skip magenta.
  screen().buffer_y = Picture(kTelaWidth, kTelaHeight, kRed);
  screen().buffer_y.FillRect(0, 0, 5, 5, kMagenta);
  for (const char* line : {"bufy draw,10,10,", "bufy drawbuf,10,10,"}) {
    screen().screen_buffer = kGreyTela;
    Exec(line);
    const Picture& s = screen().screen_buffer;
    EXPECT_EQ(std::tuple(s.Pixel(9, 10), s.Pixel(14, 14), s.Pixel(15, 10), s.Pixel(479, 199)),
              std::tuple(kGrey, kGrey, kRed, kRed))
        << line;
  }
  // Into a buffer too small only what fits is stored; the buffer keeps its size.
  screen().screen_buffer = screen_area;
  const Picture& b = screen().buffer_x = Picture(10, 10, kGrey);
  Exec("bufx getbuf,5,5,");
  EXPECT_EQ(std::tuple(b.width(), b.Pixel(9, 9), b.Pixel(4, 4)),
            std::tuple(10, MakeColour(4, 0, 4), kGrey));
  // From an empty buffer the screen area turns black; from an empty screen the stored area.
  screen().buffer_y = Picture();
  Exec("bufy putbuf,0,0,");
  EXPECT_EQ(screen().screen_buffer, Picture(kTelaWidth, kTelaHeight, kBlack));
  screen().screen_buffer = Picture();
  Exec("bufx getbuf,0,0,");
  EXPECT_EQ(b, Picture(10, 10, kBlack));
}

}  // namespace
}  // namespace zunk::testing
