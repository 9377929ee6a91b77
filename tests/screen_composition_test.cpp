// Composing the picture screen: tela, refresh in the three modes, clear, shape, frame, hud, telmod.
#include "picture_files.h"
#include "test_support.h"

namespace zunk::testing {
namespace {

constexpr Colour kGrey = 0x808080;
constexpr Colour kBlue = 0xFF0000;
constexpr Colour kRed = 0x0000FF;

using At = std::tuple<int, int, Colour>;  // x, y and the colour expected there
void ExpectPixels(const Picture& picture, std::initializer_list<At> expected) {
  for (auto [x, y, colour] : expected) EXPECT_EQ(picture.Pixel(x, y), colour) << x << ',' << y;
}

class ScreenCompositionTest : public GameTest {
 protected:
  // Every column a colour of its own, so a copied column tells where it came from.
  static Colour Col(int x, int y) { return MakeColour(x & 0xFF, x >> 8, y & 0x7F); }
  static Picture Numbered(int width, int height) {
    Picture picture(width, height);
    for (int y = 0; y < height; ++y)
      for (int x = 0; x < width; ++x) picture.SetPixel(x, y, Col(x, y));
    return picture;
  }
  void SetUp() override {
    Start();
    WriteFile("sala.bmp", EncodeBmp24(kGreyTela));
    Picture ring(4, 4, kBlue);  // a blue square with a magenta 2 × 2 centre
    ring.FillRect(1, 1, 2, 2, kMagenta);
    WriteFile("anel.bmp", EncodeBmp24(ring));
  }
  void ExecAll(auto... lines) { (Exec(lines), ...); }
  void RefreshAt(int scroll_x, int scroll_y = 0) {
    screen().scroll_x = scroll_x;
    screen().scroll_y = scroll_y;
    Exec("refresh");
  }
  Screen& screen() { return game().screen(); }
  auto Mode() { return std::tuple(screen().screen_mode, screen().scroll_x, screen().scroll_y); }
  const Picture& tela() { return game().screen().tela; }
  const Picture kBlackTela{kTelaWidth, kTelaHeight, kBlack};
  const Picture kGreyTela{kTelaWidth, kTelaHeight, kGrey};  // sala.bmp
};

TEST_F(ScreenCompositionTest, TelaLoadsQuietlyRefreshShowsItAndBlackBeyond) {
  Exec("refresh");
  EXPECT_EQ(tela(), kBlackTela);
  const Picture sala = Numbered(kTelaWidth, kTelaHeight);
  WriteFile("sala.bmp", EncodeBmp24(sala));
  Exec("tela sala.bmp");
  EXPECT_EQ(tela(), kBlackTela);
  Exec("refresh");
  EXPECT_EQ(tela(), sala);
  ExecAll("tela", "tela nada.bmp");  // no name, no file: picture and name stay
  EXPECT_EQ(std::tie(screen().screen_buffer, screen().screen_name), std::tie(sala, "sala.bmp"));
  WriteFile("mini.bmp", EncodeBmp24(Picture(10, 5, kRed)));
  ExecAll("tela mini.bmp", "refresh");
  ExpectPixels(tela(), {At(9, 4, kRed), At(10, 0, kBlack), At(0, 5, kBlack)});
  using Case = std::pair<const char*, Colour>;  // clear fills a Tela-sized area
  for (const auto& [line, colour] :
       {Case("clear", kWhite), Case("clear 255", 0x000255), Case("clear $0000FF", kRed),
        Case("clear  00ff00 ", 0x00FF00), Case("clear zz", kBlack), Case("clear 12$34", kBlack),
        Case("clear 123456789", kBlack)}) {
    SCOPED_TRACE(line);
    screen().screen_buffer = Picture(kTelaWidth + 20, kTelaHeight + 20, kGrey);
    Exec(line);
    ExpectPixels(screen().screen_buffer,
                 {At(0, 0, colour), At(479, 199, colour), At(480, 0, kGrey), At(0, 200, kGrey)});
    EXPECT_EQ(screen().buffer_fill, colour);
  }
}

TEST_F(ScreenCompositionTest, ShapeAndFrameDrawKeyedFromOneCachedPicture) {
  WriteFile("strip.bmp", EncodeBmp24(Numbered(200, 20)));
  // A missing field, a missing file or a strip of no cells draws nothing.
  ExecAll("tela sala.bmp", "shape 5,anel.bmp", "shape 0,0,nada.bmp", "frame 0,0,0,0,strip.bmp",
          "frame 1,0,0,-2,strip.bmp", "frame 1,0,0,4,", "frame 1,0,0,", "frame 1,0,", "frame 1,");
  EXPECT_EQ(screen().screen_buffer, kGreyTela);
  ExecAll("shape 5,6,anel.bmp", "frame 2,10,10,4,strip.bmp");
  const Picture& buffer = screen().screen_buffer;
  ExpectPixels(buffer, {At(5, 6, kBlue), At(6, 7, kGrey), At(8, 6, kBlue), At(9, 6, kGrey),
                        At(10, 10, Col(100, 0)), At(59, 29, Col(149, 19)), At(9, 10, kGrey),
                        At(60, 10, kGrey), At(10, 30, kGrey)});
  WriteFile("anel.bmp", EncodeBmp24(Picture(4, 4, kRed)));
  ExecAll("shape 20,20,anel.bmp", "shape 0,0,nada.bmp");  // not read again; the name is kept
  EXPECT_EQ(std::tuple(buffer.Pixel(20, 20), screen().shape_name), std::tuple(kBlue, "anel.bmp"));
  Exec("frame 1311,0,0,4,strip.bmp");  // the cell's x, 50 × 1311, is 16-bit: 14
  EXPECT_EQ(buffer.Pixel(0, 0), Col(14, 0));
}

TEST_F(ScreenCompositionTest, OverlaySwitchingAndRestore) {
  // "on" before any overlay is a file name; it cannot load, so the overlay stays off.
  ExecAll("tela sala.bmp", "hud= #+", "hud= on");
  EXPECT_EQ(std::tuple(screen().hud_on, screen().hud_name), std::tuple(false, ""));
  ExecAll("hud= -3,65537,anel.bmp", "hud=", "hud= on");
  EXPECT_EQ(std::tuple(screen().hud_on, screen().hud_x, screen().hud_y), std::tuple(true, -3, 1));
  Exec("hud= 0,0,nada.bmp");  // a file that cannot load: off, the old name kept
  EXPECT_EQ(std::tuple(screen().hud_on, screen().hud_name), std::tuple(false, "anel.bmp"));
  // Without restore it is painted into ScreenBuffer itself, at every place it has been.
  ExecAll("hud= #-", "hud= 10,20,anel.bmp", "refresh", "hud= 30,20,anel.bmp", "refresh");
  ExpectPixels(tela(), {At(10, 20, kBlue), At(11, 21, kGrey), At(30, 20, kBlue)});
  ExecAll("tela sala.bmp", "hud= #+", "print 100,100,oi", "refresh");
  ExpectPixels(tela(), {At(30, 20, kBlue), At(100, 100, kBlack)});  // the text reached Tela
  EXPECT_EQ(screen().screen_buffer, kGreyTela);
  ExecAll("hud= off", "clear 000000", "refresh");  // overlay off, restoring off: drawing stays
  EXPECT_EQ(screen().screen_buffer.Pixel(0, 0), kBlack);
}

TEST_F(ScreenCompositionTest, TelmodPanningAndPanorama) {
  WriteFile("largo.bmp", EncodeBmp24(Numbered(600, 300)));
  ExecAll("tela largo.bmp", "telmod 1");
  EXPECT_EQ(screen().view_buffer, kBlackTela);
  RefreshAt(10, 5);
  ExpectPixels(tela(), {At(0, 0, Col(10, 5)), At(479, 199, Col(489, 204))});
  Exec("telmod");
  EXPECT_EQ(Mode(), std::tuple(1, 10, 5));
  Exec("telmod 5");
  EXPECT_EQ(Mode(), std::tuple(1, 0, 0));
  RefreshAt(-10, 250);
  ExpectPixels(tela(), {At(9, 0, kBlack), At(10, 0, Col(0, 250)), At(10, 49, Col(0, 299)),
                        At(10, 50, kBlack)});
  Exec("telmod 0");
  EXPECT_EQ(Mode(), std::tuple(0, 0, 0));
  EXPECT_TRUE(screen().view_buffer.empty());
  // The panorama wraps around and ends in black: ScrollX = W - 100, and from outside 0..W-1.
  WriteFile("pano.bmp", EncodeBmp24(Numbered(600, 200)));
  ExecAll("tela pano.bmp", "telmod 2");
  for (const int scroll : {500, -100, 1100}) {
    RefreshAt(scroll);
    for (int x = 0; x < 480; ++x) ASSERT_EQ(tela().Pixel(x, 3), Col((500 + x) % 600, 3)) << x;
  }
  RefreshAt(20);
  EXPECT_EQ(tela().Pixel(479, 199), Col(499, 199));
  screen().screen_buffer = Numbered(100, 50);
  RefreshAt(60);
  ExpectPixels(tela(), {At(0, 0, Col(60, 0)), At(40, 0, Col(0, 0)), At(139, 49, Col(99, 49)),
                        At(140, 0, kBlack), At(0, 50, kBlack)});
  // One column wide: shown once and once more where its left edge follows its right.
  screen().screen_buffer = Numbered(1, 50);
  Exec("refresh");
  ExpectPixels(tela(), {At(0, 10, Col(0, 10)), At(1, 10, Col(0, 10)), At(2, 10, kBlack)});
  screen().screen_buffer = Picture();
  Exec("refresh");
  EXPECT_EQ(tela(), kBlackTela);
}

}  // namespace
}  // namespace zunk::testing
