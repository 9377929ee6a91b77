// The Qt text rasteriser and PNG files in process, and golden screens of the demo: zunk-run
// plays a short walkthrough that saves what Tela shows at each location, and every pixel is
// compared with the approved PNGs in tests/data/golden/.
//
// Text rendering depends on the fonts installed, so the band where the demo prints location
// names (kTitleBand) is left out of the comparison; the test only checks that text was drawn
// there. Run with ZUNK_UPDATE_GOLDEN=1 to write new approved PNGs after a deliberate change,
// and look at them before committing.
#include <QFont>
#include <climits>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "qt_pictures.h"
#include "qt_text.h"
#include "test_support.h"

namespace zunk::testing {
namespace {

// ---------------------------------------------------------------------------------------
// Text rasteriser.

Font TestFont(int size, Colour colour) {
  Font font;
  font.name = "DejaVu Sans";
  font.size = size;
  font.colour = colour;
  return font;
}

// The bounding box of the pixels that differ from the colour; {INT_MAX, INT_MAX, -1, -1} when
// none does.
struct Box {
  int left = INT_MAX, top = INT_MAX, right = -1, bottom = -1;
  int count = 0;
};
Box InkBox(const Picture& p, Colour background) {
  Box box;
  for (int y = 0; y < p.height(); ++y) {
    for (int x = 0; x < p.width(); ++x) {
      if (p.Pixel(x, y) == background) continue;
      box.left = std::min(box.left, x), box.right = std::max(box.right, x);
      box.top = std::min(box.top, y), box.bottom = std::max(box.bottom, y);
      ++box.count;
    }
  }
  return box;
}

TEST(QtTextTest, PointSizesBecomePixelsAt96DotsPerInch) {
  EXPECT_EQ(FontPixelSize(8), 11);  // 10.67
  EXPECT_EQ(FontPixelSize(12), 16);
  EXPECT_EQ(FontPixelSize(7), 9);   // 9.33
  EXPECT_EQ(FontPixelSize(0), 11);  // the default size
  EXPECT_EQ(FontPixelSize(-12), 16);
  EXPECT_EQ(FontPixelSize(INT_MIN), kMaxTextPixels);
  EXPECT_EQ(FontPixelSize(INT_MAX), kMaxTextPixels);

  Font font = TestFont(14, kBlack);
  font.name = "Fonte M\xE1gica";  // CP1252
  font.bold = true;
  font.underline = true;
  const QFont qfont = ToQFont(font);
  EXPECT_EQ(qfont.family(), QString::fromUtf8("Fonte Mágica"));
  EXPECT_EQ(qfont.pixelSize(), 19);
  EXPECT_TRUE(qfont.bold());
  EXPECT_FALSE(qfont.italic());
  EXPECT_TRUE(qfont.underline());
}

TEST(QtTextTest, TextStartsAtTheTopLeftInItsColourWithoutABackground) {
  Picture picture(200, 60, kWhite);
  DrawTextOnPicture(picture, 20, 10, "Farol", TestFont(14, 0x0000FF));
  const Box ink = InkBox(picture, kWhite);
  ASSERT_GT(ink.count, 50);
  EXPECT_GE(ink.left, 19);  // x, y is the top-left of the text cell, not the baseline
  EXPECT_LE(ink.left, 24);
  EXPECT_GE(ink.top, 10);
  EXPECT_LE(ink.top, 16);
  EXPECT_LE(ink.bottom, 10 + FontPixelSize(14) + 4);
  // Antialiased, but the stems are solid in the font colour (red in the lowest byte).
  int solid = 0;
  for (int y = ink.top; y <= ink.bottom; ++y) {
    for (int x = ink.left; x <= ink.right; ++x) solid += picture.Pixel(x, y) == 0x0000FF;
  }
  EXPECT_GT(solid, 10);
  // No box behind the text: a blank leaves the picture as it was.
  Picture blank(100, 40, 0x123456);
  DrawTextOnPicture(blank, 10, 10, "   ", TestFont(14, kBlack));
  EXPECT_EQ(blank, Picture(100, 40, 0x123456));
}

TEST(QtTextTest, Cp1252TextAndRowsThatAreNotFourByteAligned) {
  // The euro sign is 0x80 in CP1252 and a control character in Latin-1.
  Picture euro(60, 40, kWhite);
  DrawTextOnPicture(euro, 5, 5, "\x80", TestFont(20, kBlack));
  EXPECT_GT(InkBox(euro, kWhite).count, 20);

  // 37 pixels make rows of 111 bytes; the ink must land exactly as in a 40-pixel picture.
  Picture odd(37, 30, kWhite);
  Picture even(40, 30, kWhite);
  DrawTextOnPicture(odd, 2, 3, "a\xE7\xE3o", TestFont(12, kBlack));
  DrawTextOnPicture(even, 2, 3, "a\xE7\xE3o", TestFont(12, kBlack));
  ASSERT_GT(InkBox(odd, kWhite).count, 10);
  for (int y = 0; y < 30; ++y) {
    for (int x = 0; x < 37; ++x) ASSERT_EQ(odd.Pixel(x, y), even.Pixel(x, y)) << x << "," << y;
  }
}

TEST(QtTextTest, TextIsClippedToThePicture) {
  Picture picture(50, 20, kWhite);
  DrawTextOnPicture(picture, -30, -8, "Ponta Escura", TestFont(16, kBlack));
  DrawTextOnPicture(picture, 40, 12, "Ponta Escura", TestFont(16, kBlack));
  EXPECT_GT(InkBox(picture, kWhite).count, 0);
  // Far away, at the extremes of the coordinates, with huge sizes, on empty pictures: nothing.
  Picture untouched(50, 20, kWhite);
  DrawTextOnPicture(untouched, INT_MIN, INT_MIN, "x", TestFont(16, kBlack));
  DrawTextOnPicture(untouched, INT_MAX, 0, "x", TestFont(16, kBlack));
  DrawTextOnPicture(untouched, 500, 500, "x", TestFont(INT_MAX, kBlack));
  EXPECT_EQ(untouched, Picture(50, 20, kWhite));
  Picture empty;
  DrawTextOnPicture(empty, 0, 0, "x", TestFont(16, kBlack));
  EXPECT_TRUE(empty.empty());
}

TEST(QtPicturesTest, PngRoundTripKeepsEveryPixel) {
  TempDir dir;
  Picture picture(3, 2, kBlack);  // odd width: 9-byte rows
  picture.SetPixel(0, 0, 0x0000FF);
  picture.SetPixel(1, 0, 0x00FF00);
  picture.SetPixel(2, 1, 0xFF0000);
  picture.SetPixel(1, 1, 0x123456);
  ASSERT_TRUE(SavePng(picture, dir.path() / "p.png"));
  EXPECT_EQ(LoadImageFile(dir.path() / "p.png"), picture);
  EXPECT_FALSE(SavePng(Picture(), dir.path() / "vazia.png"));
  EXPECT_FALSE(SavePng(picture, dir.path() / "sem-pasta" / "p.png"));
  EXPECT_TRUE(LoadImageFile(dir.path() / "nada.png").empty());
}

// ---------------------------------------------------------------------------------------
// Golden screens of the demo.

// Where the demo prints the location names (print 12,172 with a 14-point font and a shadow).
struct Rect {
  int x, y, w, h;
  bool Contains(int px, int py) const { return px >= x && py >= y && px < x + w && py < y + h; }
};
constexpr Rect kTitleBand = {0, 160, 260, 40};

// Each saved screen and what it shows.
const std::vector<std::string> kGoldenScreens = {
    "praia.png",        // a plain JPEG screen with two cells of the gull strip (frame)
    "farol.png",        // an ".img" screen, a frame cell and the compass overlay (hud=)
    "escada.png",       // a bitmap from a ".zip", faded in from black (bufx + efeito), a shape
    "topo.png",         // the panorama in screen mode 2 with the lens (shape)
    "topo-buffer.png",  // the whole 1440-pixel ScreenBuffer behind it
};

constexpr char kGoldenWalkthrough[] =
    "!screen praia.png\n"
    "!scp farol\n"
    "!screen farol.png\n"
    "!scp escada\n"
    "!screen escada.png\n"
    "!scp topo\n"
    "!screen topo.png\n"
    "!buffer topo-buffer.png\n";

std::string CompareOutsideTitle(const Picture& actual, const Picture& golden) {
  if (actual.width() != golden.width() || actual.height() != golden.height()) {
    return "size " + std::to_string(actual.width()) + "x" + std::to_string(actual.height()) +
           " instead of " + std::to_string(golden.width()) + "x" + std::to_string(golden.height());
  }
  int differences = 0;
  std::string first;
  for (int y = 0; y < actual.height(); ++y) {
    for (int x = 0; x < actual.width(); ++x) {
      if (kTitleBand.Contains(x, y) || actual.Pixel(x, y) == golden.Pixel(x, y)) continue;
      if (differences++ == 0) {
        char text[80];
        std::snprintf(text, sizeof text, "first at %d,%d: %06X instead of %06X", x, y,
                      actual.Pixel(x, y), golden.Pixel(x, y));
        first = text;
      }
    }
  }
  return differences == 0 ? "" : std::to_string(differences) + " pixels differ, " + first;
}

// Near-white pixels in the title band: the location name in white over a black shadow.
int TitlePixels(const Picture& picture) {
  int count = 0;
  for (int y = kTitleBand.y; y < kTitleBand.y + kTitleBand.h; ++y) {
    for (int x = kTitleBand.x; x < kTitleBand.x + kTitleBand.w; ++x) {
      const Colour c = picture.Pixel(x, y);
      count += RedOf(c) >= 250 && GreenOf(c) >= 250 && BlueOf(c) >= 250;
    }
  }
  return count;
}

TEST(HeadlessScreenTest, DemoScreensMatchTheApprovedPictures) {
  TempDir temp;
  const std::filesystem::path game = temp.path() / "jogo";
  const std::filesystem::path work = temp.path() / "trabalho";
  std::filesystem::copy(ZUNK_DEMO_DIR, game, std::filesystem::copy_options::recursive);
  std::filesystem::create_directory(work);
  WriteBytes(work / "entrada.txt", kGoldenWalkthrough);
  const std::string command = "cd '" + work.string() + "' && " + ZUNK_RUN_PATH + " '" +
                              game.string() + "' --input entrada.txt > transcricao.txt 2>&1";
  ASSERT_EQ(std::system(command.c_str()), 0) << ReadBytes(work / "transcricao.txt");
  EXPECT_EQ(ReadBytes(work / "transcricao.txt").find("aviso:"), std::string::npos);
  EXPECT_EQ(ReadBytes(work / "transcricao.txt").find("erro:"), std::string::npos);

  const std::filesystem::path golden_dir =
      std::filesystem::path(ZUNK_TEST_DATA_DIR) / "data/golden";
  const bool update = std::getenv("ZUNK_UPDATE_GOLDEN") != nullptr;
  for (const std::string& name : kGoldenScreens) {
    SCOPED_TRACE(name);
    const Picture actual = LoadImageFile(work / name);
    ASSERT_FALSE(actual.empty());
    EXPECT_GT(TitlePixels(actual), 20) << "no location name in the title band";
    if (update) {
      std::filesystem::create_directories(golden_dir);
      std::filesystem::copy_file(work / name, golden_dir / name,
                                 std::filesystem::copy_options::overwrite_existing);
      continue;
    }
    const Picture golden = LoadImageFile(golden_dir / name);
    ASSERT_FALSE(golden.empty()) << "no approved picture; run with ZUNK_UPDATE_GOLDEN=1";
    EXPECT_EQ(CompareOutsideTitle(actual, golden), "");
  }
}

}  // namespace
}  // namespace zunk::testing
