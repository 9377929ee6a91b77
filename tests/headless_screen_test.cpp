// The Qt text rasteriser and PNG files, and golden screens: zunk-run plays the demo saving Tela
// at each location, compared pixel for pixel with tests/data/golden/ except the band of location
// names (text depends on the fonts installed; it need only be there). ZUNK_UPDATE_GOLDEN=1
// writes new approved PNGs after a deliberate change: look at them before committing.
#include <QFont>
#include <climits>
#include <cstdlib>
#include <string>

#include "qt_pictures.h"
#include "qt_text.h"
#include "test_support.h"

namespace zunk::testing {
namespace {

namespace fs = std::filesystem;

const auto TestFont = [](int size, Colour colour = kBlack) {
  return Font{"DejaVu Sans", size, colour};
};

// The pixels that differ from the background: how many, and their bounding box.
struct Box {
  int left = INT_MAX, top = INT_MAX, right = -1, bottom = -1, count = 0;
};
Box InkBox(const Picture& p, Colour background) {
  Box box;
  for (int y = 0; y < p.height(); ++y)
    for (int x = 0; x < p.width(); ++x)
      if (p.Pixel(x, y) != background)
        box = {std::min(box.left, x), std::min(box.top, y), std::max(box.right, x),
               std::max(box.bottom, y), box.count + 1};
  return box;
}

TEST(QtTextTest, FontsBecomeQtFontsAt96DotsPerInch) {
  // 8 points are 10.67 pixels, 7 are 9.33; 0 is the default size, -12 is 12 points.
  EXPECT_EQ(std::tuple(FontPixelSize(8), FontPixelSize(7), FontPixelSize(0), FontPixelSize(-12),
                       FontPixelSize(INT_MIN)),
            std::tuple(11, 9, 11, 16, kMaxTextPixels));
  const QFont qfont = ToQFont({"Fonte M\xE1gica", 14, kBlack, true, false, true});  // CP1252
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
  // Antialiased, but the stems are solid red (red in the lowest byte).
  EXPECT_GT(200 * 60 - InkBox(picture, 0x0000FF).count, 10);
  Picture blank(100, 40, 0x123456);  // no box behind the text
  DrawTextOnPicture(blank, 10, 10, "   ", TestFont(14));
  EXPECT_EQ(blank, Picture(100, 40, 0x123456));
}

TEST(QtTextTest, Cp1252TextOddRowsAndClipping) {
  Picture euro(60, 40, kWhite);  // 0x80 in CP1252, a control character in Latin-1
  DrawTextOnPicture(euro, 5, 5, "\x80", TestFont(20));
  EXPECT_GT(InkBox(euro, kWhite).count, 20);
  // 37 pixels make rows of 111 bytes; the ink must land exactly as in a 40-pixel picture.
  Picture odd(37, 30, kWhite), even(40, 30, kWhite), even_cut(37, 30, kWhite);
  DrawTextOnPicture(odd, 2, 3, "a\xE7\xE3o", TestFont(12));
  DrawTextOnPicture(even, 2, 3, "a\xE7\xE3o", TestFont(12));
  ASSERT_GT(InkBox(odd, kWhite).count, 10);
  CopyRect(even_cut, 0, 0, even, 0, 0, 37, 30);
  EXPECT_EQ(odd, even_cut);
  Picture clipped(50, 20, kWhite), untouched(50, 20, kWhite), empty;
  DrawTextOnPicture(clipped, -30, -8, "Ponta Escura", TestFont(16));
  DrawTextOnPicture(clipped, 40, 12, "Ponta Escura", TestFont(16));
  EXPECT_GT(InkBox(clipped, kWhite).count, 0);
  // Far away, at the extremes, with huge sizes or on no picture: nothing.
  DrawTextOnPicture(untouched, INT_MIN, INT_MIN, "x", TestFont(16));
  DrawTextOnPicture(untouched, INT_MAX, 0, "x", TestFont(16));
  DrawTextOnPicture(untouched, 500, 500, "x", TestFont(INT_MAX));
  EXPECT_EQ(untouched, Picture(50, 20, kWhite));
  DrawTextOnPicture(empty, 0, 0, "x", TestFont(16));
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

// The title band, where the demo prints location names (print 12,172, 14 points, shadowed).
constexpr int kTitleX = 0, kTitleY = 160, kTitleW = 260, kTitleH = 40;

// Near-white pixels in the title band: the location name in white over a black shadow.
int TitlePixels(const Picture& picture) {
  int count = 0;
  for (int y = kTitleY; y < kTitleY + kTitleH; ++y)
    for (int x = kTitleX; x < kTitleX + kTitleW; ++x) {
      const Colour c = picture.Pixel(x, y);
      count += RedOf(c) >= 250 && GreenOf(c) >= 250 && BlueOf(c) >= 250;
    }
  return count;
}

TEST(HeadlessScreenTest, DemoScreensMatchTheApprovedPictures) {
  TempDir temp;
  const fs::path game = temp.path() / "jogo", work = temp.path() / "trabalho";
  fs::copy(ZUNK_DEMO_DIR, game, fs::copy_options::recursive);
  fs::create_directory(work);
  // praia: a JPEG screen with frame cells; cais: a plain JPEG; farol: an ".img" screen with
  // sprites and the overlay; porao: lit by the carried lantern, the key as a shape; escada: a
  // ".zip" bitmap faded in with a shape; topo: the panorama in mode 2, and its whole buffer.
  WriteBytes(work / "entrada.txt",
             "!screen praia.png\n!lin irpara cais\n!screen cais.png\n!lin irpara farol\n"
             "!screen farol.png\n!lin pega LANTERNA\n!lin setbit 6,LANTERNA\n"
             "!lin irpara porao\n!screen porao.png\n!lin irpara escada\n!screen escada.png\n"
             "!lin irpara topo\n!screen topo.png\n!buffer topo-buffer.png\n");
  const std::string command = "cd '" + work.string() + "' && " + ZUNK_RUN_PATH + " '" +
                              game.string() + "' --input entrada.txt > transcricao.txt 2>&1";
  ASSERT_EQ(std::system(command.c_str()), 0) << ReadBytes(work / "transcricao.txt");
  const std::string transcript = ReadBytes(work / "transcricao.txt");
  for (const char* word : {"aviso:", "erro:"}) EXPECT_EQ(transcript.find(word), std::string::npos);
  const fs::path golden_dir = fs::path(ZUNK_TEST_DATA_DIR) / "data/golden";
  for (const char* name : {"praia.png", "cais.png", "farol.png", "porao.png", "escada.png",
                           "topo.png", "topo-buffer.png"}) {
    SCOPED_TRACE(name);
    Picture actual = LoadImageFile(work / name);
    ASSERT_FALSE(actual.empty());
    EXPECT_GT(TitlePixels(actual), 20) << "no location name in the title band";
    if (std::getenv("ZUNK_UPDATE_GOLDEN") != nullptr) {
      fs::create_directories(golden_dir);
      fs::copy_file(work / name, golden_dir / name, fs::copy_options::overwrite_existing);
      continue;
    }
    Picture golden = LoadImageFile(golden_dir / name);
    ASSERT_FALSE(golden.empty()) << "no approved picture; run with ZUNK_UPDATE_GOLDEN=1";
    actual.FillRect(kTitleX, kTitleY, kTitleW, kTitleH, kBlack);
    golden.FillRect(kTitleX, kTitleY, kTitleW, kTitleH, kBlack);
    EXPECT_TRUE(actual == golden) << "differs outside the title band";
  }
}

}  // namespace
}  // namespace zunk::testing
