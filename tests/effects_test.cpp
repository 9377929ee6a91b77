// Image effects: the pixel work on small pictures with hand-computed values, and the efeito
// command with its parameters, its animation loops and what they ask of the host.
#include <cmath>
#include <initializer_list>

#include "screen/effects/zunkefeitos.h"
#include "test_support.h"

namespace zunk::testing {
namespace {

using namespace zunk::effects;

// A picture from rows of colours.
Picture Make(std::initializer_list<std::initializer_list<Colour>> rows) {
  Picture p(static_cast<int>(rows.begin()->size()), static_cast<int>(rows.size()));
  int y = 0;
  for (const auto& row : rows) {
    int x = 0;
    for (const Colour c : row) p.SetPixel(x++, y, c);
    ++y;
  }
  return p;
}

// A picture whose every pixel differs from its neighbours.
Picture Pattern(int width, int height, int seed) {
  Picture p(width, height);
  for (int y = 0; y < height; ++y) {
    for (int x = 0; x < width; ++x) {
      p.SetPixel(x, y,
                 MakeColour((x + seed) & 0xFF, (y + seed) & 0xFF, (x / 256 * 128 + y) & 0xFF));
    }
  }
  return p;
}

std::size_t Count(const Strings& log, const std::string& entry) {
  return std::count(log.begin(), log.end(), entry);
}

TEST(EffectsPixels, RoundHalfEvenMatchesNearbyint) {
  for (double v = 0; v < 600; v += 0.125) EXPECT_EQ(RoundHalfEven(v), std::nearbyint(v)) << v;
  EXPECT_EQ(RoundHalfEven(2.5), 2.0);
  EXPECT_EQ(RoundHalfEven(3.5), 4.0);
}

TEST(EffectsPixels, IntegerShortcutsMatchTheRoundedFormulas) {
  // Brightening: the single-precision factor, the sum in double, halves to even.
  for (int k = 0; k < 256; ++k) {
    const float f = k / 255.0f;
    for (int c = 0; c < 256; ++c) {
      const double expected = std::min(255.0, std::nearbyint(c + c * static_cast<double>(f)));
      ASSERT_EQ(BrightenedChannel(c, k), expected) << c << " " << k;
    }
  }
  // Blur: every possible sum of nine channels, divided by 9 and rounded.
  for (int sum = 0; sum <= 9 * 255; ++sum) {
    Picture p(3, 3, kBlack);
    for (int i = 0, left = sum; i < 9; ++i, left -= std::min(left, 255)) {
      p.SetPixel(i % 3, i / 3, MakeColour(std::min(left, 255), 0, 0));
    }
    Blur(p);
    ASSERT_EQ(RedOf(p.Pixel(1, 1)), std::nearbyint(sum / 9.0)) << sum;
  }
}

TEST(EffectsPixels, BrightenAndFilter) {
  const Picture original = Make({{MakeColour(10, 100, 200), MakeColour(0, 255, 128)}});
  Picture p = original;
  Brighten(p, 0);
  EXPECT_EQ(p, original);
  Brighten(p, 255);  // doubles, saturating
  EXPECT_EQ(p, Make({{MakeColour(20, 200, 255), MakeColour(0, 255, 255)}}));
  p = original;
  Brighten(p, 128);  // 100 * (1 + 128/255) = 150.196
  EXPECT_EQ(p.Pixel(0, 0), MakeColour(15, 150, 255));
  p = original;
  Filter(p, 0x0000FF);  // red only
  EXPECT_EQ(p, Make({{MakeColour(20, 100, 200), MakeColour(0, 255, 128)}}));
}

TEST(EffectsPixels, BlurCornersEdgesAndCentre) {
  Picture p(3, 3, MakeColour(90, 10, 0));
  Blur(p);
  // Outside neighbours add nothing and the divisor stays 9: corners 4/9, edges 6/9.
  EXPECT_EQ(p.Pixel(0, 0), MakeColour(40, 4, 0));  // 360/9, 40/9 = 4.44
  EXPECT_EQ(p.Pixel(1, 0), MakeColour(60, 7, 0));  // 540/9, 60/9 = 6.67
  EXPECT_EQ(p.Pixel(0, 1), MakeColour(60, 7, 0));
  EXPECT_EQ(p.Pixel(1, 1), MakeColour(90, 10, 0));
  EXPECT_EQ(p.Pixel(2, 2), MakeColour(40, 4, 0));

  Picture single(1, 1, MakeColour(255, 9, 5));
  Blur(single);
  EXPECT_EQ(single.Pixel(0, 0), MakeColour(28, 1, 1));  // 28.3, 1, 0.56
}

TEST(EffectsPixels, EmbossWithBias) {
  // Green is 5x + 20y; red 10x + 40y to reach both clamps.
  Picture p(3, 3);
  for (int y = 0; y < 3; ++y) {
    for (int x = 0; x < 3; ++x) p.SetPixel(x, y, MakeColour(10 * x + 40 * y, 5 * x + 20 * y, 0));
  }
  Emboss(p);
  // sum = -c(x-1,y-1) - c(x-1,y) - c(x,y-1) + c(x,y+1) + c(x+1,y) + c(x+1,y+1), plus 128.
  EXPECT_EQ(GreenOf(p.Pixel(0, 0)), 178);  // 20 + 5 + 25
  EXPECT_EQ(GreenOf(p.Pixel(1, 0)), 193);  // -0 + 25 + 10 + 30
  EXPECT_EQ(GreenOf(p.Pixel(0, 2)), 153);  // -20 + 45
  EXPECT_EQ(GreenOf(p.Pixel(1, 1)), 228);  // -0 - 20 - 5 + 45 + 30 + 50
  EXPECT_EQ(GreenOf(p.Pixel(2, 2)), 28);   // -25 - 45 - 30
  EXPECT_EQ(RedOf(p.Pixel(1, 1)), 255);    // 200 + 128, clamped
  EXPECT_EQ(RedOf(p.Pixel(2, 2)), 0);      // -200 + 128, clamped
  EXPECT_EQ(BlueOf(p.Pixel(1, 1)), 128);
}

TEST(EffectsPixels, ConvolveRoundsHalvesToEvenAndIgnoresDivisorZero) {
  const Kernel3x3 half{{{0, 0, 0}, {0, 1, 0}, {0, 0, 0}}, 0, 2};
  Picture p = Make({{MakeColour(5, 7, 9)}});
  Convolve3x3(p, half);
  EXPECT_EQ(p.Pixel(0, 0), MakeColour(2, 4, 4));  // 2.5, 3.5, 4.5
  const Kernel3x3 none{{{1, 1, 1}, {1, 1, 1}, {1, 1, 1}}, 0, 0};
  Picture q = Pattern(4, 3, 1);
  const Picture before = q;
  Convolve3x3(q, none);
  EXPECT_EQ(q, before);
}

TEST(EffectsPixels, GreyRoundsHalvesToEven) {
  Picture p = Make({{MakeColour(0, 40, 40), MakeColour(1, 41, 41), MakeColour(41, 1, 1),
                     MakeColour(255, 255, 255)}});
  Grey(p);
  EXPECT_EQ(p.Pixel(0, 0), MakeColour(32, 32, 32));  // 31.5
  EXPECT_EQ(p.Pixel(1, 0), MakeColour(32, 32, 32));  // 32.5
  EXPECT_EQ(p.Pixel(2, 0), MakeColour(10, 10, 10));  // 9.5000000000000018
  EXPECT_EQ(p.Pixel(3, 0), MakeColour(255, 255, 255));

  // Rows of any width, against the formula pixel by pixel.
  const Picture original = Pattern(7, 3, 77);
  Picture q = original;
  Grey(q);
  for (int y = 0; y < 3; ++y) {
    for (int x = 0; x < 7; ++x) {
      const Colour c = original.Pixel(x, y);
      const int v = static_cast<int>(
          std::nearbyint(0.2125 * RedOf(c) + 0.7154 * GreenOf(c) + 0.0721 * BlueOf(c)));
      EXPECT_EQ(q.Pixel(x, y), MakeColour(v, v, v)) << x << "," << y;
    }
  }
}

TEST(EffectsPixels, ScanlinesAndMirrors) {
  Picture p(2, 5, kWhite);
  Scanlines(p, 0x123456);
  for (int y = 0; y < 5; ++y) EXPECT_EQ(p.Pixel(1, y), y % 2 ? kWhite : 0x123456) << y;

  const Picture original = Make({{1, 2, 3}, {4, 5, 6}, {7, 8, 9}, {10, 11, 12}});
  Picture m = original;
  MirrorHorizontal(m);
  EXPECT_EQ(m, Make({{3, 2, 1}, {6, 5, 4}, {9, 8, 7}, {12, 11, 10}}));
  MirrorHorizontal(m);
  EXPECT_EQ(m, original);
  MirrorVertical(m);
  EXPECT_EQ(m, Make({{10, 11, 12}, {7, 8, 9}, {4, 5, 6}, {1, 2, 3}}));
  MirrorVertical(m);
  EXPECT_EQ(m, original);
}

TEST(EffectsPixels, AlphaBlendFloorsAndBlendsOnlyTheOverlap) {
  const Picture source = Make({{MakeColour(7, 10, 255)}, {MakeColour(50, 50, 50)}});
  const Picture dest = Make({{MakeColour(10, 7, 0), MakeColour(1, 2, 3)}});
  Picture d = dest;
  AlphaBlend(d, source, 0);
  EXPECT_EQ(d, dest);
  AlphaBlend(d, source, 128);
  // -3 * 128 / 256 = -1.5 floors to -2; +1.5 floors to 1; 255 / 2 = 127.5 to 127. Only the
  // overlap (1 x 1) changes.
  EXPECT_EQ(d, Make({{MakeColour(8, 8, 127), MakeColour(1, 2, 3)}}));
  d = dest;
  AlphaBlend(d, source, 255);
  EXPECT_EQ(d.Pixel(0, 0), MakeColour(7, 9, 254));  // almost the source: -2.99 floors to -3
  Picture empty;
  AlphaBlend(empty, source, 200);
  AlphaBlend(d, Picture(), 200);
  EXPECT_EQ(d.Pixel(1, 0), MakeColour(1, 2, 3));
}

TEST(EffectsPixels, FadeSteps) {
  EXPECT_EQ(StepToward(100, 50), 92);
  EXPECT_EQ(StepToward(100, 95), 95);
  EXPECT_EQ(StepToward(50, 100), 58);
  EXPECT_EQ(StepToward(98, 100), 100);
  EXPECT_EQ(StepToward(7, 7), 7);
  EXPECT_EQ(StepToward(255, 0), 247);
  EXPECT_EQ(StepToward(0, 255), 8);

  Picture p = Make({{MakeColour(100, 0, 255)}});
  FadeStepToColour(p, MakeColour(0, 4, 255));
  EXPECT_EQ(p.Pixel(0, 0), MakeColour(92, 4, 255));

  // Pixels the target lacks fade toward black.
  Picture q(2, 2, MakeColour(100, 100, 100));
  FadeStepToPicture(q, Make({{MakeColour(200, 100, 0)}}));
  EXPECT_EQ(q, Make({{MakeColour(108, 100, 92), MakeColour(92, 92, 92)},
                     {MakeColour(92, 92, 92), MakeColour(92, 92, 92)}}));
}

TEST(EffectsPixels, BlindsAndScrollStepsOnOddSizes) {
  // Passes of 3 over 7 rows: rows 0..5 in passes, row 6 never; missing source rows are black.
  Picture p(1, 7, kWhite);
  const Picture source(1, 4, 0x111111);
  for (int pass = 0; pass < 3; ++pass) BlindsPass(p, source, 3, pass);
  for (int y = 0; y < 7; ++y) {
    EXPECT_EQ(p.Pixel(0, y), y < 4 ? 0x111111 : y < 6 ? kBlack : kWhite) << y;
  }
  Picture shorter(1, 2, kWhite);
  BlindsPass(shorter, source, 3, 0);  // height div 3 == 0: nothing
  EXPECT_EQ(shorter, Picture(1, 2, kWhite));

  // A picture lower than a step takes the incoming rows that reach it; nothing moves outside.
  Picture low(2, 5, kWhite);
  Picture incoming = Pattern(2, 10, 0);
  const Picture incoming_before = incoming;
  ScrollUpStep(low, incoming);
  for (int y = 0; y < 5; ++y) EXPECT_EQ(low.Pixel(1, y), incoming_before.Pixel(1, y + 3)) << y;
  EXPECT_EQ(incoming, incoming_before);

  // Empty pictures on either side.
  Picture empty;
  for (auto step : {ScrollUpStep, ScrollDownStep, ScrollLeftStep, ScrollRightStep}) {
    Picture screen = Pattern(12, 12, 3);
    Picture none;
    step(screen, none);
    step(empty, incoming);
  }
  Picture narrow(3, 2, kWhite);
  Picture wide = Pattern(20, 2, 0);
  ScrollLeftStep(narrow, wide);  // columns -5..2 of the strip: wide's columns 5..7
  for (int x = 0; x < 3; ++x) EXPECT_EQ(narrow.Pixel(x, 1), Pattern(20, 2, 0).Pixel(x + 5, 1));
}

// The command, through a started game.
struct EffectCommandTest : GameTest {
  void SetUp() override {
    Start();
    host_.log.clear();  // start-up's own calls
  }
  Screen& screen() { return game().screen(); }
  Picture& buffer() { return screen().screen_buffer; }
};

TEST_F(EffectCommandTest, NamesAndParameters) {
  buffer() = Make({{MakeColour(10, 100, 200)}});
  const Picture original = buffer();
  for (const char* line : {"efeito", "efeito brilho,", "efeito brilho,0", "efeito brilho,256",
                           "efeito BLUR", "efeito nada,5", "efeito espelho,diag",
                           "efeito persiana,2", "efeito persiana,21", "efeito alfa,"}) {
    Exec(line);
    EXPECT_EQ(buffer(), original) << line;
  }
  EXPECT_TRUE(host_.log.empty());

  Exec("efeito brilho,255");
  EXPECT_EQ(buffer().Pixel(0, 0), MakeColour(20, 200, 255));
  buffer() = original;
  Exec("def 60,forca");
  Exec("reg forca,511");  // lowest byte 255
  Exec("efeito brilho,forca");
  EXPECT_EQ(buffer().Pixel(0, 0), MakeColour(20, 200, 255));

  buffer() = original;
  Exec("efeito filtro,$0000FF");
  EXPECT_EQ(buffer().Pixel(0, 0), MakeColour(20, 100, 200));
  buffer() = original;
  Exec("efeito filtro,65280");  // decimal $00FF00: green
  EXPECT_EQ(buffer().Pixel(0, 0), MakeColour(10, 200, 200));

  buffer() = original;
  Exec("efeito cinza");
  EXPECT_EQ(buffer().Pixel(0, 0), MakeColour(88, 88, 88));
  Exec("efeito emboss");  // no neighbours inside: the bias alone
  EXPECT_EQ(buffer().Pixel(0, 0), MakeColour(128, 128, 128));

  buffer() = Picture(3, 3, MakeColour(90, 90, 90));
  Exec("efeito blur");  // no comma: the parameter is unused
  EXPECT_EQ(buffer().Pixel(0, 0), MakeColour(40, 40, 40));

  buffer() = Picture(2, 2, kWhite);
  Exec("efeito scanline,$ff");
  EXPECT_EQ(buffer(), Make({{0x0000FF, 0x0000FF}, {kWhite, kWhite}}));
  buffer() = Picture(2, 2, kWhite);
  Exec("efeito scanline");  // no comma: the name is the parameter, an unknown register: black
  EXPECT_EQ(buffer(), Make({{kBlack, kBlack}, {kWhite, kWhite}}));

  buffer() = Make({{1, 2}, {3, 4}});
  Exec("efeito espelho,vert");
  EXPECT_EQ(buffer(), Make({{3, 4}, {1, 2}}));
  Exec("efeito espelho,horz");
  EXPECT_EQ(buffer(), Make({{4, 3}, {2, 1}}));

  buffer() = Make({{MakeColour(10, 7, 0)}});
  screen().buffer_x = Make({{MakeColour(7, 10, 255)}});
  Exec("efeito alfa,384");  // lowest byte 128
  EXPECT_EQ(buffer().Pixel(0, 0), MakeColour(8, 8, 127));
}

TEST_F(EffectCommandTest, BadHexColourEndsTheRun) {
  buffer() = Picture(2, 2, kWhite);
  RunLines({"efeito fadeoff,$zz", "msg= depois"});
  ASSERT_EQ(host_.errors.size(), 1u);
  EXPECT_EQ(host_.errors[0], "'$zz' n\xE3o \xE9 um valor inteiro v\xE1lido");
  for (const std::string& line : shown()) EXPECT_EQ(line.find("depois"), std::string::npos);
  EXPECT_EQ(buffer(), Picture(2, 2, kWhite));
  EXPECT_EQ(Count(host_.log, "pump"), 0u);

  for (const char* bad : {"efeito scanline,$", "efeito filtro,$123456789", "efeito fadeon,$-1"}) {
    host_.errors.clear();
    game().ExecLineFromHost(bad);
    EXPECT_EQ(host_.errors.size(), 1u) << bad;
  }
}

TEST_F(EffectCommandTest, FadeOffDrawsStraightOntoTela) {
  // Even with a panning window the fade shows ScreenBuffer itself.
  buffer() = Pattern(kTelaWidth, kTelaHeight, 40);
  screen().screen_mode = 1;
  screen().view_buffer = Picture(kTelaWidth, kTelaHeight, kWhite);
  screen().scroll_x = 30;
  Exec("efeito fadeoff,0");
  EXPECT_EQ(buffer(), Picture(kTelaWidth, kTelaHeight, kBlack));
  EXPECT_EQ(screen().tela, Picture(kTelaWidth, kTelaHeight, kBlack));
  EXPECT_EQ(host_.log.size(), 3u * kFadeSteps);
  for (std::size_t i = 0; i < host_.log.size(); i += 3) {
    EXPECT_EQ(host_.log[i], "show");
    EXPECT_EQ(host_.log[i + 1], "pump");
    EXPECT_EQ(host_.log[i + 2], "sleep 20");
  }

  // A smaller picture covers only its part of Tela.
  buffer() = Picture(4, 2, kWhite);
  Exec("efeito fadeoff,$0000FF");
  EXPECT_EQ(screen().tela.Pixel(3, 1), 0x0000FF);
  EXPECT_EQ(screen().tela.Pixel(4, 1), kBlack);
}

TEST_F(EffectCommandTest, FadeOnSequenceAndDelays) {
  buffer() = Picture(kTelaWidth, kTelaHeight, kWhite);
  screen().buffer_x = Pattern(kTelaWidth, kTelaHeight, 0);
  world().reg[39] = 100;
  Exec("efeito fadeon,$FFFFFF");
  EXPECT_EQ(buffer(), screen().buffer_x);
  EXPECT_EQ(screen().tela, screen().buffer_x);
  ASSERT_EQ(host_.log.size(), 2u + 3u * kFadeSteps);
  EXPECT_EQ(host_.log[0], "pump");
  EXPECT_EQ(host_.log[1], "sleep 100");
  for (std::size_t i = 2; i < host_.log.size(); i += 3) {
    EXPECT_EQ(host_.log[i], "show");
    EXPECT_EQ(host_.log[i + 1], "pump");
    EXPECT_EQ(host_.log[i + 2], "sleep 100");
  }

  // A negative delay waits nothing rather than for ever.
  host_.log.clear();
  world().reg[39] = -5;
  Exec("efeito fadeon,0");
  EXPECT_EQ(Count(host_.log, "sleep 0"), 1u + kFadeSteps);

  // BufferX smaller than ScreenBuffer: what it lacks fades to black.
  buffer() = Picture(4, 4, kWhite);
  screen().buffer_x = Picture(2, 2, 0x00FF00);
  Exec("efeito fadeon,$FFFFFF");
  EXPECT_EQ(buffer().Pixel(1, 1), 0x00FF00);
  EXPECT_EQ(buffer().Pixel(2, 1), kBlack);
  EXPECT_EQ(buffer().Pixel(1, 3), kBlack);
}

TEST_F(EffectCommandTest, Blinds) {
  buffer() = Picture(kTelaWidth, kTelaHeight, kWhite);
  screen().buffer_x = Pattern(kTelaWidth, kTelaHeight, 9);
  Exec("efeito persiana,3");
  EXPECT_EQ(Count(host_.log, "show"), 3u);
  EXPECT_EQ(Count(host_.log, "sleep 20"), 3u);
  for (int y = 0; y < kTelaHeight; ++y) {
    const Colour expected = y < 198 ? screen().buffer_x.Pixel(17, y) : kWhite;
    ASSERT_EQ(buffer().Pixel(17, y), expected) << y;
  }

  // Fewer rows than passes: nothing is copied, every pass still shows and waits.
  host_.log.clear();
  buffer() = Picture(3, 5, kWhite);
  Exec("efeito persiana,20");
  EXPECT_EQ(buffer(), Picture(3, 5, kWhite));
  EXPECT_EQ(Count(host_.log, "sleep 20"), 20u);

  // An empty BufferX gives black rows.
  buffer() = Picture(3, 6, kWhite);
  screen().buffer_x = Picture();
  Exec("efeito persiana,3");
  EXPECT_EQ(buffer(), Picture(3, 6, kBlack));
}

TEST_F(EffectCommandTest, ScrollsEndWithBufferX) {
  const Picture incoming = Pattern(kTelaWidth, kTelaHeight, 5);
  for (const auto& [name, steps] : std::vector<std::pair<std::string, std::size_t>>{
           {"scrollup", 25}, {"scrolldown", 25}, {"scrolldir", 60}, {"scrollesq", 60}}) {
    host_.log.clear();
    buffer() = Picture(kTelaWidth, kTelaHeight, kWhite);
    screen().buffer_x = incoming;
    Exec("efeito " + name);
    EXPECT_EQ(buffer(), incoming) << name;
    EXPECT_EQ(screen().tela, incoming) << name;
    EXPECT_EQ(Count(host_.log, "show"), steps) << name;
    EXPECT_EQ(Count(host_.log, "sleep 20"), steps) << name;
  }

  // A smaller BufferX scrolls in black where it has no pixels.
  buffer() = Picture(16, 16, kWhite);
  screen().buffer_x = Picture(8, 8, 0x0000FF);
  Exec("efeito scrolldown");
  EXPECT_EQ(buffer().Pixel(0, 15), kBlack);
  EXPECT_EQ(buffer().Pixel(15, 0), kBlack);
}

TEST_F(EffectCommandTest, SurvivesPicturesReplacedWhileEventsRun) {
  // Handlers run during every pump may replace both pictures with any size.
  int pumps = 0;
  host_.on_pump = [&] {
    ++pumps;
    buffer() = pumps % 2 ? Picture() : Pattern(3 + pumps % 7, 2 + pumps % 5, pumps);
    screen().buffer_x = pumps % 3 ? Picture(1 + pumps % 4, 1, kWhite) : Picture();
  };
  for (const char* line :
       {"efeito fadeoff,0", "efeito fadeon,0", "efeito persiana,4", "efeito scrollup",
        "efeito scrolldown", "efeito scrolldir", "efeito scrollesq"}) {
    buffer() = Pattern(20, 20, 1);
    Exec(line);
  }
  buffer() = Picture();
  screen().buffer_x = Picture();
  host_.on_pump = nullptr;
  for (const char* line : {"efeito blur", "efeito emboss", "efeito cinza", "efeito brilho,9",
                           "efeito scanline,0", "efeito espelho,vert", "efeito alfa,100"}) {
    Exec(line);
    EXPECT_TRUE(buffer().empty()) << line;
  }
  EXPECT_GT(pumps, 100);
}

}  // namespace
}  // namespace zunk::testing
