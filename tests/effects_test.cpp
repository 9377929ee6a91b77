// Image effects: the pixel work on small pictures with hand-computed values, and the efeito
// command with its parameters, its animation loops and what they ask of the host.
#include <cmath>
#include <initializer_list>
#include <tuple>

#include "screen/effects/zunkefeitos.h"
#include "test_support.h"

namespace zunk::testing {
namespace {

using namespace zunk::effects;

// A picture from rows of colours.
Picture Make(std::initializer_list<std::initializer_list<Colour>> rows) {
  Picture p(static_cast<int>(rows.begin()->size()), static_cast<int>(rows.size()));
  for (int i = 0; const auto& row : rows)
    for (const Colour c : row) p.SetPixel(i % p.width(), i / p.width(), c), ++i;
  return p;
}

// A picture whose every pixel differs from its neighbours.
Picture Pattern(int w, int h, int seed) {
  Picture p(w, h);
  for (int i = 0, x, y; x = i % w, y = i / w, i < w * h; ++i)
    p.SetPixel(x, y, MakeColour((x + seed) & 0xFF, (y + seed) & 0xFF, (x / 256 * 128 + y) & 0xFF));
  return p;
}

// The host log of an animation: head, then steps of show, pump and the delay.
Strings Loop(std::size_t steps, const std::string& sleep, Strings head = {}) {
  for (std::size_t i = 0; i < steps; ++i) head.insert(head.end(), {"show", "pump", sleep});
  return head;
}

// The picture after an effect applied to a copy of it.
template <typename Effect, typename... Args>
Picture After(Picture p, Effect effect, const Args&... args) {
  effect(p, args...);
  return p;
}

TEST(EffectsPixels, RoundingAndIntegerShortcutsMatchTheFormulas) {
  for (double v = 0; v < 600; v += 0.125) EXPECT_EQ(RoundHalfEven(v), std::nearbyint(v)) << v;
  // Brightening: the single-precision factor, the sum in double, halves to even.
  for (int i = 0; i < 65536; ++i) {
    const int c = i & 0xFF, k = i >> 8;
    const double f = k / 255.0f;
    ASSERT_EQ(BrightenedChannel(c, k), std::min(255.0, std::nearbyint(c + c * f))) << c << k;
  }
  // Blur: every possible sum of nine channels, divided by 9 and rounded.
  for (int sum = 0; sum <= 9 * 255; ++sum) {
    Picture p(3, 3, kBlack);
    for (int i = 0, left = sum; i < 9; ++i, left -= std::min(left, 255))
      p.SetPixel(i % 3, i / 3, MakeColour(std::min(left, 255), 0, 0));
    ASSERT_EQ(RedOf(After(p, Blur).Pixel(1, 1)), std::nearbyint(sum / 9.0)) << sum;
  }
}

TEST(EffectsPixels, ConvolutionsAndGrey) {
  // Outside neighbours add nothing and the divisor stays 9: corners 4/9, edges 6/9.
  const Colour corner = MakeColour(40, 4, 0), edge = MakeColour(60, 7, 0), grey = 0x000A5A;
  EXPECT_EQ(After(Picture(3, 3, grey), Blur),
            Make({{corner, edge, corner}, {edge, grey, edge}, {corner, edge, corner}}));
  // Emboss: -c(x-1,y-1) - c(x-1,y) - c(x,y-1) + c(x,y+1) + c(x+1,y) + c(x+1,y+1) + 128, on
  // green 5x + 20y and red 10x + 40y (to reach both clamps).
  Picture p(3, 3);
  for (int i = 0, x, y; x = i % 3, y = i / 3, i < 9; ++i)
    p.SetPixel(x, y, MakeColour(10 * x + 40 * y, 5 * x + 20 * y, 0));
  EXPECT_EQ(After(p, Emboss),
            Make({{MakeColour(228, 178, 128), MakeColour(255, 193, 128), MakeColour(178, 153, 128)},
                  {MakeColour(255, 238, 128), MakeColour(255, 228, 128), MakeColour(148, 138, 128)},
                  {MakeColour(178, 153, 128), MakeColour(58, 93, 128), MakeColour(0, 28, 128)}}));
  const Kernel3x3 half{{{0, 0, 0}, {0, 1, 0}, {0, 0, 0}}, 0, 2}, none{{}, 0, 0};
  EXPECT_EQ(After(Make({{MakeColour(5, 7, 9)}}), Convolve3x3, half), Make({{0x040402}}));  // evens
  EXPECT_EQ(After(Pattern(4, 3, 1), Convolve3x3, none), Pattern(4, 3, 1));  // divisor 0
  // Grey halves to even (31.5, 32.5, 9.5000000000000018), and rows of any width follow the formula.
  EXPECT_EQ(After(Make({{0x282800, 0x292901, 0x010129, kWhite}}), Grey),
            Make({{0x202020, 0x202020, 0x0A0A0A, kWhite}}));
  const Picture greyed = After(Pattern(7, 3, 77), Grey);
  for (int i = 0; i < 21; ++i) {
    const Colour c = Pattern(7, 3, 77).Pixel(i % 7, i / 7);
    const double v = std::nearbyint(0.2125 * RedOf(c) + 0.7154 * GreenOf(c) + 0.0721 * BlueOf(c));
    EXPECT_EQ(greyed.Pixel(i % 7, i / 7), MakeColour(v, v, v)) << i;
  }
}

TEST(EffectsPixels, AlphaBlendFadeBlindsAndScrollSteps) {
  const Picture source = Make({{MakeColour(7, 10, 255)}, {MakeColour(50, 50, 50)}});
  const Picture dest = Make({{MakeColour(10, 7, 0), MakeColour(1, 2, 3)}});
  // -1.5 floors to -2, +1.5 to 1, 127.5 to 127; only the 1 x 1 overlap changes.
  EXPECT_EQ(After(dest, AlphaBlend, source, 128), Make({{0x7F0808, MakeColour(1, 2, 3)}}));
  EXPECT_EQ(After(dest, AlphaBlend, source, 255).Pixel(0, 0), 0xFE0907);  // -2.99 floors to -3
  EXPECT_EQ(After(dest, AlphaBlend, Picture(), 200), dest);

  const int steps[][3] = {{100, 50, 92}, {100, 95, 95}, {50, 100, 58}, {98, 100, 100},
                          {7, 7, 7},     {255, 0, 247}, {0, 255, 8}};
  for (const auto& [from, to, expected] : steps) EXPECT_EQ(StepToward(from, to), expected) << from;
  // Pixels the target lacks fade toward black.
  EXPECT_EQ(After(Picture(2, 2, 0x646464), FadeStepToPicture, Make({{0x0064C8}})),
            Make({{MakeColour(108, 100, 92), 0x5C5C5C}, {0x5C5C5C, 0x5C5C5C}}));

  // Passes of 3 over 7 rows: rows 0..5 in passes, row 6 never; missing source rows are black.
  Picture p(1, 7, kWhite);
  const Picture rows(1, 4, 0x111111);
  for (int pass = 0; pass < 3; ++pass) BlindsPass(p, rows, 3, pass);
  EXPECT_EQ(p, Make({{0x111111}, {0x111111}, {0x111111}, {0x111111}, {0}, {0}, {kWhite}}));
  EXPECT_EQ(After(Picture(1, 2, kWhite), BlindsPass, rows, 3, 0), Picture(1, 2, kWhite));

  // A picture lower than a step takes the incoming rows that reach it; nothing moves outside.
  p = Picture(2, 5, kWhite);
  Picture incoming = Pattern(2, 10, 0);
  ScrollUpStep(p, incoming);
  for (int y = 0; y < 5; ++y) EXPECT_EQ(p.Pixel(1, y), Pattern(2, 10, 0).Pixel(1, y + 3)) << y;
  EXPECT_EQ(incoming, Pattern(2, 10, 0));
  p = Picture(3, 2, kWhite);
  Picture wide = Pattern(20, 2, 0);
  ScrollLeftStep(p, wide);  // columns -5..2 of the strip: wide's columns 5..7
  for (int x = 0; x < 3; ++x) EXPECT_EQ(p.Pixel(x, 1), Pattern(20, 2, 0).Pixel(x + 5, 1));
}

// The command, through a started game (start-up's own host calls dropped).
struct EffectCommandTest : GameTest {
  void SetUp() override { Start(), host_.log.clear(); }
  Screen& screen() { return game().screen(); }
  Picture& buffer() { return screen().screen_buffer; }
};

TEST_F(EffectCommandTest, NamesParametersAndBadColours) {
  const Picture one = Make({{MakeColour(10, 100, 200)}});
  buffer() = one;
  for (const char* line : {"efeito", "efeito brilho,", "efeito brilho,0", "efeito brilho,256",
                           "efeito BLUR", "efeito nada,5", "efeito espelho,diag",
                           "efeito persiana,2", "efeito persiana,21", "efeito alfa,"})
    Exec(line);
  EXPECT_EQ(buffer(), one);
  screen().buffer_x = Make({{MakeColour(7, 10, 255)}});
  const Picture white(1, 3, kWhite), four = Make({{1, 2}, {3, 4}});
  const std::tuple<Picture, const char*, Picture> cases[] = {
      {one, "efeito brilho,255", Make({{MakeColour(20, 200, 255)}})},
      {one, "efeito brilho,511", Make({{MakeColour(20, 200, 255)}})},      // lowest byte
      {one, "efeito filtro,$0000FF", Make({{MakeColour(20, 100, 200)}})},  // red only
      {one, "efeito filtro,65280", Make({{MakeColour(10, 200, 200)}})},    // decimal: green
      {one, "efeito cinza", Make({{MakeColour(88, 88, 88)}})},
      {one, "efeito emboss", Make({{MakeColour(128, 128, 128)}})},        // the bias alone
      {Picture(1, 1, 0x5A5A5A), "efeito blur", Picture(1, 1, 0x0A0A0A)},  // no comma needed
      {white, "efeito scanline,$ff", Make({{0x0000FF}, {kWhite}, {0x0000FF}})},
      {white, "efeito scanline", Make({{kBlack}, {kWhite}, {kBlack}})},  // unknown register
      {four, "efeito espelho,vert", Make({{3, 4}, {1, 2}})},
      {four, "efeito espelho,horz", Make({{2, 1}, {4, 3}})},
      {Make({{MakeColour(10, 7, 0)}}), "efeito alfa,384", Make({{MakeColour(8, 8, 127)}})},
  };
  for (const auto& [before, line, after] : cases) {
    buffer() = before;
    Exec(line);
    EXPECT_EQ(buffer(), after) << line;
  }

  // A "$" colour that is no hexadecimal number is a fault that ends the run.
  RunLines({"efeito fadeoff,$zz", "msg= depois"});
  EXPECT_EQ(host_.errors, Strings{"'$zz' n\xE3o \xE9 um valor inteiro v\xE1lido"});
  for (const std::string& line : shown()) EXPECT_EQ(line.find("depois"), std::string::npos);
  EXPECT_TRUE(host_.log.empty());
  for (const char* bad : {"efeito scanline,$", "efeito filtro,$123456789", "efeito fadeon,$-1"})
    game().ExecLineFromHost(bad);
  EXPECT_EQ(host_.errors.size(), 4u);
}

TEST_F(EffectCommandTest, AnimationsShowEveryStepAndWait) {
  const Picture incoming = Pattern(kTelaWidth, kTelaHeight, 5);
  Picture blinds = incoming;  // rows past the last whole group of 3 stay
  blinds.FillRect(0, kTelaHeight / 3 * 3, kTelaWidth, 3, kWhite);
  const std::pair<const char*, std::size_t> runs[] = {{"persiana,3", 3}, {"persiana,20", 20},
                                                      {"scrollup", 25},  {"scrolldown", 25},
                                                      {"scrolldir", 60}, {"scrollesq", 60}};
  for (const auto& [line, steps] : runs) {
    host_.log.clear();
    buffer() = Picture(kTelaWidth, kTelaHeight, kWhite);
    screen().buffer_x = incoming;
    Exec(std::string("efeito ") + line);
    const Picture& after = steps == 3 ? blinds : incoming;
    EXPECT_EQ(screen().tela, after) << line;
    EXPECT_EQ(host_.log, Loop(steps, "sleep 20")) << line;
  }
  // fadeon: the colour, then the steps. Reg 39 sets the delay (0: 20 ms); a negative one waits
  // nothing rather than for ever.
  for (auto [delay, sleep] : {std::pair{100, "sleep 100"}, {-5, "sleep 0"}, {0, "sleep 20"}}) {
    world().reg[39] = delay;
    host_.log.clear();
    screen().buffer_x = incoming;
    Exec("efeito fadeon,$FFFFFF");
    EXPECT_EQ(screen().tela, incoming);
    EXPECT_EQ(host_.log, Loop(kFadeSteps, sleep, {"pump", sleep}));
  }
  // Even with a panning window fadeoff draws ScreenBuffer straight onto Tela.
  host_.log.clear();
  buffer() = incoming;
  screen().screen_mode = 1;
  screen().view_buffer = Picture(kTelaWidth, kTelaHeight, kWhite);
  screen().scroll_x = 30;
  Exec("efeito fadeoff,0");
  EXPECT_EQ(screen().tela, Picture(kTelaWidth, kTelaHeight, kBlack));
  EXPECT_EQ(host_.log, Loop(kFadeSteps, "sleep 20"));
  buffer() = Picture(4, 2, kWhite);  // a smaller picture covers only its part of Tela
  Exec("efeito fadeoff,$0000FF");
  EXPECT_EQ(screen().tela.Pixel(3, 1), 0x0000FF);
  EXPECT_EQ(screen().tela.Pixel(4, 1), kBlack);
}

TEST_F(EffectCommandTest, SurvivesEmptyPicturesAndPicturesReplacedWhileEventsRun) {
  // Handlers run during every pump may replace both pictures with any size. The effects without
  // animation come first, on empty pictures.
  buffer() = screen().buffer_x = Picture();
  int pumps = 0;
  host_.on_pump = [&] {
    ++pumps;
    buffer() = pumps % 2 ? Picture() : Pattern(3 + pumps % 7, 2 + pumps % 5, pumps);
    screen().buffer_x = pumps % 3 ? Picture(1 + pumps % 4, 1, kWhite) : Picture();
  };
  for (const char* line :
       {"efeito blur", "efeito emboss", "efeito cinza", "efeito brilho,9", "efeito scanline,0",
        "efeito espelho,vert", "efeito alfa,100", "efeito fadeoff,0", "efeito fadeon,0",
        "efeito persiana,4", "efeito scrollup", "efeito scrolldown", "efeito scrolldir",
        "efeito scrollesq"})
    Exec(line);
}

}  // namespace
}  // namespace zunk::testing
