// Composing the picture screen: tela, refresh in the three screen modes, clear, shape, frame,
// the overlay and telmod, on small pictures in a game folder.
#include <algorithm>

#include "picture_files.h"
#include "test_support.h"

namespace zunk::testing {
namespace {

constexpr Colour kGrey = 0x808080;
constexpr Colour kBlue = 0xFF0000;
constexpr Colour kRed = 0x0000FF;

// Every column a colour of its own, so a copied column tells where it came from.
Colour ColumnColour(int x, int y) {
  return MakeColour(x & 0xFF, x >> 8, y & 0x7F);
}

Picture Numbered(int width, int height) {
  Picture picture(width, height);
  for (int y = 0; y < height; ++y) {
    for (int x = 0; x < width; ++x) picture.SetPixel(x, y, ColumnColour(x, y));
  }
  return picture;
}

// A 4 × 4 blue square whose inner 2 × 2 is magenta.
Picture Ring() {
  Picture ring(4, 4, kBlue);
  ring.FillRect(1, 1, 2, 2, kMagenta);
  return ring;
}

int Count(const Strings& log, const std::string& entry) {
  return static_cast<int>(std::count(log.begin(), log.end(), entry));
}

class ScreenCompositionTest : public GameTest {
 protected:
  void SetUp() override {
    Start();
    WritePicture("sala.bmp", Picture(kTelaWidth, kTelaHeight, kGrey));
  }
  void WritePicture(const std::string& name, const Picture& picture) {
    WriteFile(name, EncodeBmp24(picture));
  }
  Screen& screen() { return game().screen(); }
};

TEST_F(ScreenCompositionTest, TelaLoadsQuietlyAndRefreshShowsIt) {
  const Picture sala = Numbered(kTelaWidth, kTelaHeight);
  WritePicture("sala.bmp", sala);
  const Picture before = screen().tela;
  Exec("tela sala.bmp");
  EXPECT_EQ(screen().tela, before);
  EXPECT_EQ(screen().screen_buffer, sala);
  EXPECT_EQ(screen().screen_name, "sala.bmp");
  EXPECT_EQ(Count(host_.log, "show"), 0);

  Exec("refresh");
  EXPECT_EQ(screen().tela, sala);
  EXPECT_EQ(Count(host_.log, "show"), 1);

  // An empty name and a missing file leave the screen picture and its name alone.
  Exec("tela");
  Exec("tela nada.bmp");
  EXPECT_EQ(screen().screen_buffer, sala);
  EXPECT_EQ(screen().screen_name, "sala.bmp");
}

TEST_F(ScreenCompositionTest, RefreshOfSmallOrEmptyScreenShowsBlackBeyondIt) {
  Exec("refresh");
  EXPECT_EQ(screen().tela, Picture(kTelaWidth, kTelaHeight, kBlack));
  WritePicture("mini.bmp", Picture(10, 5, kRed));
  Exec("tela mini.bmp");
  Exec("refresh");
  EXPECT_EQ(screen().tela.Pixel(9, 4), kRed);
  EXPECT_EQ(screen().tela.Pixel(10, 0), kBlack);
  EXPECT_EQ(screen().tela.Pixel(0, 5), kBlack);
}

TEST_F(ScreenCompositionTest, ClearFillsTelaSizedAreaWithItsOwnColourRule) {
  struct Case {
    const char* line;
    Colour colour;
  };
  for (const Case& c :
       {Case{"clear", kWhite}, Case{"clear 255", 0x000255}, Case{"clear $0000FF", kRed},
        Case{"clear  00ff00 ", 0x00FF00}, Case{"clear zz", kBlack}, Case{"clear 12$34", kBlack},
        Case{"clear 123456789", kBlack}}) {
    screen().screen_buffer = Picture(kTelaWidth + 20, kTelaHeight + 20, kGrey);
    Exec(c.line);
    EXPECT_EQ(screen().screen_buffer.Pixel(0, 0), c.colour) << c.line;
    EXPECT_EQ(screen().screen_buffer.Pixel(kTelaWidth - 1, kTelaHeight - 1), c.colour) << c.line;
    EXPECT_EQ(screen().screen_buffer.Pixel(kTelaWidth, 0), kGrey) << c.line;
    EXPECT_EQ(screen().screen_buffer.Pixel(0, kTelaHeight), kGrey) << c.line;
    EXPECT_EQ(screen().buffer_fill, c.colour) << c.line;
  }
}

TEST_F(ScreenCompositionTest, ShapeDrawsKeyedAndKeepsOnePictureCached) {
  WritePicture("anel.bmp", Ring());
  Exec("tela sala.bmp");
  Exec("shape 5,6,anel.bmp");
  const Picture& buffer = screen().screen_buffer;
  EXPECT_EQ(buffer.Pixel(5, 6), kBlue);
  EXPECT_EQ(buffer.Pixel(6, 7), kGrey);  // magenta centre
  EXPECT_EQ(buffer.Pixel(8, 6), kBlue);
  EXPECT_EQ(buffer.Pixel(9, 6), kGrey);
  EXPECT_EQ(screen().shape_name, "anel.bmp");

  // The same name does not read the file again.
  WritePicture("anel.bmp", Picture(4, 4, kRed));
  Exec("shape 20,20,anel.bmp");
  EXPECT_EQ(buffer.Pixel(20, 20), kBlue);

  // A missing field or a missing file draws nothing and keeps the name.
  Exec("tela sala.bmp");
  Exec("shape 5,anel.bmp");
  Exec("shape 0,0,nada.bmp");
  EXPECT_EQ(screen().screen_buffer, Picture(kTelaWidth, kTelaHeight, kGrey));
  EXPECT_EQ(screen().shape_name, "anel.bmp");
}

TEST_F(ScreenCompositionTest, FrameDrawsOneCellOfTheStripUnstretched) {
  WritePicture("strip.bmp", Numbered(200, 20));
  Exec("tela sala.bmp");
  Exec("frame 2,10,10,4,strip.bmp");
  const Picture& buffer = screen().screen_buffer;
  for (int y = 0; y < 20; ++y) {
    for (int x = 0; x < 50; ++x) ASSERT_EQ(buffer.Pixel(10 + x, 10 + y), ColumnColour(100 + x, y));
  }
  EXPECT_EQ(buffer.Pixel(9, 10), kGrey);
  EXPECT_EQ(buffer.Pixel(60, 10), kGrey);
  EXPECT_EQ(buffer.Pixel(10, 30), kGrey);
  EXPECT_EQ(screen().frame_name, "strip.bmp");
  EXPECT_EQ(screen().frame_count, 4);

  // The cell's x is a 16-bit number: 50 × 1311 = 65550 becomes 14.
  Exec("frame 1311,0,0,4,strip.bmp");
  EXPECT_EQ(buffer.Pixel(0, 0), ColumnColour(14, 0));
}

TEST_F(ScreenCompositionTest, FrameWithoutCellsOrFieldsDrawsNothing) {
  WritePicture("strip.bmp", Numbered(200, 20));
  Exec("tela sala.bmp");
  for (const char* line : {"frame 0,0,0,0,strip.bmp", "frame 1,0,0,-2,strip.bmp", "frame 1,0,0,4,",
                           "frame 1,0,0,", "frame 1,0,", "frame 1,"}) {
    Exec(line);
    EXPECT_EQ(screen().screen_buffer, Picture(kTelaWidth, kTelaHeight, kGrey)) << line;
  }
}

TEST_F(ScreenCompositionTest, OverlayAccumulatesWithoutRestore) {
  WritePicture("hud.bmp", Ring());
  Exec("tela sala.bmp");
  Exec("hud= 10,20,hud.bmp");
  Exec("refresh");
  EXPECT_EQ(screen().tela.Pixel(10, 20), kBlue);
  EXPECT_EQ(screen().tela.Pixel(11, 21), kGrey);
  Exec("hud= 30,20,hud.bmp");
  Exec("refresh");
  // Painted into ScreenBuffer itself, at both places it has been.
  EXPECT_EQ(screen().screen_buffer.Pixel(10, 20), kBlue);
  EXPECT_EQ(screen().screen_buffer.Pixel(30, 20), kBlue);
  EXPECT_EQ(screen().tela.Pixel(10, 20), kBlue);

  Exec("hud= off");
  Exec("tela sala.bmp");
  Exec("refresh");
  EXPECT_EQ(screen().tela.Pixel(30, 20), kGrey);
}

TEST_F(ScreenCompositionTest, OverlayWithRestoreLeavesTheReloadedScreen) {
  WritePicture("hud.bmp", Ring());
  Exec("tela sala.bmp");
  Exec("hud= #+");
  EXPECT_FALSE(screen().hud_on);
  Exec("hud= 10,20,hud.bmp");
  Exec("print 100,100,oi");
  Exec("refresh");
  EXPECT_EQ(screen().tela.Pixel(10, 20), kBlue);
  EXPECT_EQ(screen().tela.Pixel(100, 100), kBlack);  // the printed text reached Tela
  EXPECT_EQ(screen().screen_buffer, Picture(kTelaWidth, kTelaHeight, kGrey));
  Exec("hud= #-");
  Exec("refresh");
  EXPECT_EQ(screen().screen_buffer.Pixel(10, 20), kBlue);
  // With the overlay off, restoring is off too: what was drawn stays.
  Exec("hud= #+");
  Exec("hud= off");
  Exec("clear 000000");
  Exec("refresh");
  EXPECT_EQ(screen().screen_buffer.Pixel(0, 0), kBlack);
}

TEST_F(ScreenCompositionTest, OverlaySwitching) {
  // "on" before any overlay is a file name; it cannot load, so the overlay stays off.
  Exec("hud= on");
  EXPECT_FALSE(screen().hud_on);
  EXPECT_EQ(screen().hud_name, "");

  WritePicture("hud.bmp", Ring());
  Exec("hud= -3,65537,hud.bmp");
  EXPECT_TRUE(screen().hud_on);
  EXPECT_EQ(screen().hud_x, -3);
  EXPECT_EQ(screen().hud_y, 1);  // 16 bits
  Exec("hud=");
  EXPECT_FALSE(screen().hud_on);
  Exec("hud= on");
  EXPECT_TRUE(screen().hud_on);
  Exec("hud= off");
  Exec("hud= on");
  EXPECT_TRUE(screen().hud_on);

  // A new file that cannot load turns the overlay off and keeps the old name.
  Exec("hud= 0,0,nada.bmp");
  EXPECT_FALSE(screen().hud_on);
  EXPECT_EQ(screen().hud_name, "hud.bmp");
}

TEST_F(ScreenCompositionTest, TelmodSetsModeResetsScrollAndOwnsTheViewBuffer) {
  Exec("telmod 1");
  EXPECT_EQ(screen().screen_mode, 1);
  EXPECT_EQ(screen().view_buffer.width(), kTelaWidth);
  EXPECT_EQ(screen().view_buffer.height(), kTelaHeight);
  screen().scroll_x = 7;
  screen().scroll_y = 9;
  Exec("telmod");
  EXPECT_EQ(screen().scroll_x, 7);
  Exec("telmod 5");
  EXPECT_EQ(screen().scroll_x, 0);
  EXPECT_EQ(screen().scroll_y, 0);
  EXPECT_EQ(screen().screen_mode, 1);
  Exec("telmod 2");
  EXPECT_EQ(screen().screen_mode, 2);
  EXPECT_FALSE(screen().view_buffer.empty());
  Exec("telmod 0");
  EXPECT_EQ(screen().screen_mode, 0);
  EXPECT_TRUE(screen().view_buffer.empty());
}

TEST_F(ScreenCompositionTest, PanningWindowShowsBlackOutsideThePicture) {
  WritePicture("largo.bmp", Numbered(600, 300));
  Exec("tela largo.bmp");
  Exec("telmod 1");
  screen().scroll_x = 10;
  screen().scroll_y = 5;
  Exec("refresh");
  EXPECT_EQ(screen().tela.Pixel(0, 0), ColumnColour(10, 5));
  EXPECT_EQ(screen().tela.Pixel(479, 199), ColumnColour(489, 204));

  screen().scroll_x = -10;
  screen().scroll_y = 250;
  Exec("refresh");
  EXPECT_EQ(screen().tela.Pixel(9, 0), kBlack);
  EXPECT_EQ(screen().tela.Pixel(10, 0), ColumnColour(0, 250));
  EXPECT_EQ(screen().tela.Pixel(10, 49), ColumnColour(0, 299));
  EXPECT_EQ(screen().tela.Pixel(10, 50), kBlack);

  screen().scroll_x = INT32_MIN;
  Exec("refresh");
  EXPECT_EQ(screen().tela.Pixel(479, 0), kBlack);
  // The overlay belongs to mode 0 only.
  EXPECT_FALSE(screen().hud_on);
}

TEST_F(ScreenCompositionTest, PanoramaWrapsAround) {
  WritePicture("pano.bmp", Numbered(600, 200));
  Exec("tela pano.bmp");
  Exec("telmod 2");
  // ScrollX = W - 100, and the same place reached from outside 0..W-1.
  for (const int scroll : {500, -100, 1100}) {
    screen().scroll_x = scroll;
    Exec("refresh");
    for (int x = 0; x < 100; ++x) ASSERT_EQ(screen().tela.Pixel(x, 3), ColumnColour(500 + x, 3));
    for (int x = 100; x < 480; ++x) ASSERT_EQ(screen().tela.Pixel(x, 3), ColumnColour(x - 100, 3));
  }
  screen().scroll_x = 20;
  Exec("refresh");
  EXPECT_EQ(screen().tela.Pixel(479, 199), ColumnColour(499, 199));
}

TEST_F(ScreenCompositionTest, PanoramaNarrowerThanTelaEndsInBlack) {
  WritePicture("estreito.bmp", Numbered(100, 50));
  Exec("tela estreito.bmp");
  Exec("telmod 2");
  screen().scroll_x = 60;
  Exec("refresh");
  EXPECT_EQ(screen().tela.Pixel(0, 0), ColumnColour(60, 0));
  EXPECT_EQ(screen().tela.Pixel(40, 0), ColumnColour(0, 0));
  EXPECT_EQ(screen().tela.Pixel(139, 49), ColumnColour(99, 49));
  EXPECT_EQ(screen().tela.Pixel(140, 0), kBlack);
  EXPECT_EQ(screen().tela.Pixel(0, 50), kBlack);

  // One column wide: shown once and once more where its left edge follows its right.
  screen().screen_buffer = Numbered(1, 50);
  Exec("refresh");
  EXPECT_EQ(screen().tela.Pixel(0, 10), ColumnColour(0, 10));
  EXPECT_EQ(screen().tela.Pixel(1, 10), ColumnColour(0, 10));
  EXPECT_EQ(screen().tela.Pixel(2, 10), kBlack);

  screen().screen_buffer = Picture();
  Exec("refresh");
  EXPECT_EQ(screen().tela, Picture(kTelaWidth, kTelaHeight, kBlack));
}

}  // namespace
}  // namespace zunk::testing
