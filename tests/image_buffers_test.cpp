// The image buffers: load, getbuf/putbuf, keyed draws, setbuf and how bufx/bufy read fields.
#include "picture_files.h"
#include "test_support.h"

namespace zunk::testing {
namespace {

constexpr Colour kGrey = 0x808080, kRed = 0x0000FF;

class ImageBuffersTest : public GameTest {
 protected:
  void SetUp() override {
    Start();
    Picture& s = screen().screen_buffer = Picture(kTelaWidth, kTelaHeight);  // pixel x, y holds
    for (int y = 0; y < kTelaHeight; ++y)  // x in the low bytes, y in the third
      for (int x = 0; x < kTelaWidth; ++x) s.SetPixel(x, y, MakeColour(x & 0xFF, x >> 8, y));
  }
  void ExecAll(auto... lines) { (Exec(lines), ...); }
  Screen& screen() { return game().screen(); }
  const Picture kGreyTela{kTelaWidth, kTelaHeight, kGrey};
};

TEST_F(ImageBuffersTest, LoadSetbufAndHowTheFieldsAreRead) {
  WriteFile("foto.bmp", EncodeBmp24(Picture(30, 20, kRed)));
  ExecAll("bufy load,", "bufy load", "bufy load,foto.bmp", "bufy load,nada.bmp");
  ExecAll("bufy getbuf", "bufy getbuf,", "bufy pegar,0,0,", "bufy");  // all do nothing
  EXPECT_EQ(screen().buffer_y, Picture(30, 20, kRed));
  ExecAll("bufx setbuf,x", "bufy setbuf,640,480,");  // whatever the fields, Tela-sized white
  const Picture white(kTelaWidth, kTelaHeight, kWhite);
  EXPECT_EQ(std::pair(screen().buffer_x, screen().buffer_y), std::pair(white, white));
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
  Picture& s = screen().screen_buffer;
  const Picture screen_area = s;
  screen().buffer_x = Picture(2 * kTelaWidth, kTelaHeight, kGrey);
  host_.log.clear();
  ExecAll("bufx getbuf,480,0,", "clear 000000", "bufx putbuf,480,0,");
  EXPECT_EQ(s, screen_area);
  // Into a buffer too small only what fits is stored; the buffer keeps its size.
  const Picture& b = screen().buffer_y = Picture(10, 10, kGrey);
  Exec("bufy getbuf,5,5,");
  EXPECT_EQ(std::tuple(b.width(), b.Pixel(9, 9), b.Pixel(4, 4)),
            std::tuple(10, MakeColour(4, 0, 4), kGrey));
  Exec("bufx putbuf,0,0,");
  EXPECT_EQ(s, kGreyTela);
  EXPECT_TRUE(host_.log.empty());  // none of them shows anything
  s = Picture();                   // from an empty screen getbuf stores black
  Exec("bufy getbuf,0,0,");
  EXPECT_EQ(b, Picture(10, 10, kBlack));
  screen().buffer_y = Picture(kTelaWidth, kTelaHeight, kRed);
  screen().buffer_y.FillRect(0, 0, 5, 5, kMagenta);
  for (const char* line : {"bufy draw,10,10,", "bufy drawbuf,10,10,"}) {  // both skip magenta
    s = kGreyTela;
    Exec(line);
    EXPECT_EQ(std::tuple(s.Pixel(9, 10), s.Pixel(14, 14), s.Pixel(15, 10), s.Pixel(479, 199)),
              std::tuple(kGrey, kGrey, kRed, kRed))
        << line;
  }
  screen().buffer_y = Picture();  // from an empty buffer the screen area turns black
  Exec("bufy putbuf,0,0,");
  EXPECT_EQ(s, Picture(kTelaWidth, kTelaHeight, kBlack));
}

}  // namespace
}  // namespace zunk::testing
