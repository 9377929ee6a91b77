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

// The pixels that differ from the background: how many, and their bounding box.
struct Box {
  int left = INT_MAX, top = INT_MAX, right = -1, bottom = -1, count = 0;
};
Box InkBox(const Picture& p, Colour background) {
  Box box;
  for (int y = 0; y < p.height(); ++y) {
    for (int x = 0; x < p.width(); ++x) {
      if (p.Pixel(x, y) == background) continue;
      box = {std::min(box.left, x), std::min(box.top, y), std::max(box.right, x),
             std::max(box.bottom, y), box.count + 1};
    }
  }
  return box;
}

TEST(QtTextTest, FontsBecomeQtFontsAt96DotsPerInch) {
  EXPECT_EQ(FontPixelSize(8), 11);  // 10.67
  EXPECT_EQ(FontPixelSize(7), 9);   // 9.33
  EXPECT_EQ(FontPixelSize(0), 11);  // the default size
  EXPECT_EQ(FontPixelSize(-12), 16);
  EXPECT_EQ(FontPixelSize(INT_MIN), kMaxTextPixels);
  Font font = TestFont(14, kBlack);
  font.name = "Fonte M\xE1gica";  // CP1252
  font.bold = font.underline = true;
  const QFont qfont = ToQFont(font);
  EXPECT_EQ(qfont.family(), QString::fromUtf8("Fonte Mágica"));
  EXPECT_EQ(qfont.pixelSize(), 19);
  EXPECT_TRUE(qfont.bold() && qfont.underline() && !qfont.italic());
}

TEST(QtTextTest, TextStartsAtTheTopLeftInItsColourWithoutABackground) {
  Picture picture(200, 60, kWhite);
  DrawTextOnPicture(picture, 20, 10, "Farol", TestFont(14, 0x0000FF));
  const Box ink = InkBox(picture, kWhite);
  ASSERT_GT(ink.count, 50);
  // x, y is the top-left of the text cell, not the baseline.
  EXPECT_TRUE(ink.left >= 19 && ink.left <= 24 && ink.top >= 10 && ink.top <= 16);
  EXPECT_LE(ink.bottom, 10 + FontPixelSize(14) + 4);
  int solid = 0;  // antialiased, but the stems are solid red (red in the lowest byte)
  for (int y = ink.top; y <= ink.bottom; ++y) {
    for (int x = ink.left; x <= ink.right; ++x) solid += picture.Pixel(x, y) == 0x0000FF;
  }
  EXPECT_GT(solid, 10);
  Picture blank(100, 40, 0x123456);  // no box behind the text
  DrawTextOnPicture(blank, 10, 10, "   ", TestFont(14, kBlack));
  EXPECT_EQ(blank, Picture(100, 40, 0x123456));
}

TEST(QtTextTest, Cp1252TextOddRowsAndClipping) {
  Picture euro(60, 40, kWhite);  // 0x80 in CP1252, a control character in Latin-1
  DrawTextOnPicture(euro, 5, 5, "\x80", TestFont(20, kBlack));
  EXPECT_GT(InkBox(euro, kWhite).count, 20);
  // 37 pixels make rows of 111 bytes; the ink must land exactly as in a 40-pixel picture.
  Picture odd(37, 30, kWhite), even(40, 30, kWhite);
  DrawTextOnPicture(odd, 2, 3, "a\xE7\xE3o", TestFont(12, kBlack));
  DrawTextOnPicture(even, 2, 3, "a\xE7\xE3o", TestFont(12, kBlack));
  ASSERT_GT(InkBox(odd, kWhite).count, 10);
  Picture even_cut(37, 30, kWhite);
  CopyRect(even_cut, 0, 0, even, 0, 0, 37, 30);
  EXPECT_EQ(odd, even_cut);

  Picture clipped(50, 20, kWhite);
  DrawTextOnPicture(clipped, -30, -8, "Ponta Escura", TestFont(16, kBlack));
  DrawTextOnPicture(clipped, 40, 12, "Ponta Escura", TestFont(16, kBlack));
  EXPECT_GT(InkBox(clipped, kWhite).count, 0);
  Picture untouched(50, 20, kWhite);  // far away, at the extremes, with huge sizes: nothing
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

// Where the demo prints the location names (print 12,172, 14 points, with a shadow).
constexpr int kTitleX = 0, kTitleY = 160, kTitleW = 260, kTitleH = 40;

// praia: a JPEG screen with frame cells; farol: an ".img" screen with the overlay; escada: a
// ".zip" bitmap faded in with a shape; topo: the panorama in mode 2, and its whole buffer.
const std::vector<std::string> kGoldenScreens = {"praia.png", "farol.png", "escada.png", "topo.png",
                                                 "topo-buffer.png"};

constexpr char kGoldenWalkthrough[] =
    "!screen praia.png\n!scp farol\n!screen farol.png\n!scp escada\n!screen escada.png\n"
    "!scp topo\n!screen topo.png\n!buffer topo-buffer.png\n";

// Pixels that differ outside the title band; -1 when the sizes differ.
int DifferencesOutsideTitle(Picture actual, Picture golden) {
  if (actual.width() != golden.width() || actual.height() != golden.height()) return -1;
  actual.FillRect(kTitleX, kTitleY, kTitleW, kTitleH, kBlack);
  golden.FillRect(kTitleX, kTitleY, kTitleW, kTitleH, kBlack);
  int differences = 0;
  for (int y = 0; y < actual.height(); ++y) {
    for (int x = 0; x < actual.width(); ++x)
      differences += actual.Pixel(x, y) != golden.Pixel(x, y);
  }
  return differences;
}

// Near-white pixels in the title band: the location name in white over a black shadow.
int TitlePixels(const Picture& picture) {
  int count = 0;
  for (int y = kTitleY; y < kTitleY + kTitleH; ++y) {
    for (int x = kTitleX; x < kTitleX + kTitleW; ++x) {
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
  const std::string transcript = ReadBytes(work / "transcricao.txt");
  EXPECT_EQ(transcript.find("aviso:"), std::string::npos);
  EXPECT_EQ(transcript.find("erro:"), std::string::npos);

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
    EXPECT_EQ(DifferencesOutsideTitle(actual, golden), 0);
  }
}

}  // namespace
}  // namespace zunk::testing
