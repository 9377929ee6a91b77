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

template <typename Effect, typename... Args>
Picture After(Picture p, Effect effect, Args&&... args) {
  effect(p, args...);
  return p;
}

TEST(EffectsPixels, HandComputedValuesAndTheFormulasTheShortcutsReplace) {
  // Brightening: the single-precision factor, the sum in double, halves to even.
  for (int c = 0; c < 256; ++c)
    for (int k = 0; k < 256; ++k)
      ASSERT_EQ(BrightenedChannel(c, k), std::min(255., std::nearbyint(c + c * double{k / 255.f})));
  // Blur: every possible sum of nine channels, divided by 9 and rounded.
  Picture p(3, 3);
  for (int sum = 0; sum <= 9 * 255; ++sum) {
    for (int i = 0, left = sum; i < 9; ++i, left -= std::min(left, 255))
      p.SetPixel(i % 3, i / 3, MakeColour(std::min(left, 255), 0, 0));
    ASSERT_EQ(RedOf(After(p, Blur).Pixel(1, 1)), std::nearbyint(sum / 9.0)) << sum;
  }
  // Grey halves to even (31.5, 32.5, 9.5000000000000018); rows of any width follow the formula.
  EXPECT_EQ(After(Make({{0x282800, 0x292901, 0x010129, kWhite}}), Grey),
            Make({{0x202020, 0x202020, 0x0A0A0A, kWhite}}));
  for (int i = 0; i < 21; ++i) {
    const Colour c = Pattern(7, 3, 77).Pixel(i % 7, i / 7);
    const int v = std::nearbyint(0.2125 * RedOf(c) + 0.7154 * GreenOf(c) + 0.0721 * BlueOf(c));
    EXPECT_EQ(After(Pattern(7, 3, 77), Grey).Pixel(i % 7, i / 7), MakeColour(v, v, v)) << i;
  }
  // Outside neighbours add nothing and the divisor stays 9: corners 4/9, edges 6/9.
  const Colour corner = MakeColour(40, 4, 0), edge = MakeColour(60, 7, 0), grey = 0x000A5A;
  EXPECT_EQ(After(Picture(3, 3, grey), Blur),
            Make({{corner, edge, corner}, {edge, grey, edge}, {corner, edge, corner}}));
  // Emboss, -NW - W - N + S + E + SE + 128, on red 10x + 40y and green 5x + 20y (both clamps).
  for (int i = 0, x, y; x = i % 3, y = i / 3, i < 9; ++i)
    p.SetPixel(x, y, MakeColour(10 * x + 40 * y, 5 * x + 20 * y, 0));
  EXPECT_EQ(After(p, Emboss),
            Make({{MakeColour(228, 178, 128), MakeColour(255, 193, 128), MakeColour(178, 153, 128)},
                  {MakeColour(255, 238, 128), MakeColour(255, 228, 128), MakeColour(148, 138, 128)},
                  {MakeColour(178, 153, 128), MakeColour(58, 93, 128), MakeColour(0, 28, 128)}}));
  const Kernel3x3 half{{{0, 0, 0}, {0, 1, 0}, {0, 0, 0}}, 0, 2}, none{{}, 0, 0};
  EXPECT_EQ(After(Make({{MakeColour(5, 7, 9)}}), Convolve3x3, half), Make({{0x040402}}));  // evens
  EXPECT_EQ(After(Pattern(4, 3, 1), Convolve3x3, none), Pattern(4, 3, 1));  // divisor 0
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
  p = Picture(1, 7, kWhite);
  const Picture rows(1, 4, 0x111111);
  for (int pass = 0; pass < 3; ++pass) BlindsPass(p, rows, 3, pass);
  EXPECT_EQ(p, Make({{0x111111}, {0x111111}, {0x111111}, {0x111111}, {0}, {0}, {kWhite}}));
  EXPECT_EQ(After(Picture(1, 2, kWhite), BlindsPass, rows, 3, 0), Picture(1, 2, kWhite));
  // A picture lower than a step takes the incoming rows that reach it; nothing moves outside.
  Picture incoming = Pattern(2, 10, 0), wide = Pattern(20, 2, 0);
  p = After(Picture(2, 5, kWhite), ScrollUpStep, incoming);
  for (int y = 0; y < 5; ++y) EXPECT_EQ(p.Pixel(1, y), Pattern(2, 10, 0).Pixel(1, y + 3)) << y;
  EXPECT_EQ(incoming, Pattern(2, 10, 0));
  p = After(Picture(3, 2, kWhite), ScrollLeftStep, wide);  // columns -5..2: wide's 5..7
  for (int x = 0; x < 3; ++x) EXPECT_EQ(p.Pixel(x, 1), Pattern(20, 2, 0).Pixel(x + 5, 1));
}

struct EffectCommandTest : GameTest {  // the command in a started game, its host log cleared
  void SetUp() override { Start(), host_.log.clear(); }
  Screen& screen() { return game().screen(); }
  Picture& buffer() { return screen().screen_buffer; }
  // Runs the line; the host log must be head, then steps of show, pump and the delay.
  void ExpectLoop(const std::string& line, int steps, const std::string& sleep, Strings head = {}) {
    host_.log.clear();
    Exec(line);
    for (int i = 0; i < steps; ++i) head.insert(head.end(), {"show", "pump", sleep});
    EXPECT_EQ(host_.log, head) << line;
  }
};

TEST_F(EffectCommandTest, NamesParametersAndBadColours) {
  const Picture one = buffer() = Make({{MakeColour(10, 100, 200)}});
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
  // A "$" colour that is no hexadecimal number is a fault, raised before anything is shown.
  for (const char* bad : {"fadeoff,$zz", "scanline,$", "filtro,$123456789", "fadeon,$-1"})
    game().ExecLineFromHost(std::string("efeito ") + bad);
  EXPECT_EQ(host_.errors.size(), 4u);
  EXPECT_EQ(host_.errors[0], "'$zz' n\xE3o \xE9 um valor inteiro v\xE1lido");
  EXPECT_TRUE(host_.log.empty());
}

TEST_F(EffectCommandTest, AnimationsShowEveryStepWaitAndSurvivePicturesReplacedMeanwhile) {
  const Picture incoming = Pattern(kTelaWidth, kTelaHeight, 5);
  Picture blinds = incoming;  // rows past the last whole group of 3 stay
  blinds.FillRect(0, kTelaHeight / 3 * 3, kTelaWidth, 3, kWhite);
  const std::pair<const char*, int> runs[] = {{"persiana,3", 3}, {"persiana,20", 20},
                                              {"scrollup", 25},  {"scrolldown", 25},
                                              {"scrolldir", 60}, {"scrollesq", 60}};
  for (const auto& [line, steps] : runs) {
    buffer() = Picture(kTelaWidth, kTelaHeight, kWhite);
    screen().buffer_x = incoming;
    ExpectLoop(std::string("efeito ") + line, steps, "sleep 20");
    EXPECT_EQ(screen().tela, steps == 3 ? blinds : incoming) << line;
  }
  // fadeon: the colour, then the steps; reg 39 is the delay (0: 20 ms; negative: no wait).
  for (auto [delay, sleep] : {std::pair{100, "sleep 100"}, {-5, "sleep 0"}, {0, "sleep 20"}}) {
    world().reg[39] = delay;
    screen().buffer_x = incoming;
    ExpectLoop("efeito fadeon,$FFFFFF", kFadeSteps, sleep, {"pump", sleep});
    EXPECT_EQ(screen().tela, incoming);
  }
  // Even with a panning window fadeoff draws ScreenBuffer straight onto Tela.
  buffer() = incoming;
  screen().view_buffer = Picture(kTelaWidth, kTelaHeight, kWhite);
  screen().screen_mode = 1, screen().scroll_x = 30;
  ExpectLoop("efeito fadeoff,0", kFadeSteps, "sleep 20");
  EXPECT_EQ(screen().tela, Picture(kTelaWidth, kTelaHeight, kBlack));
  buffer() = Picture(4, 2, kWhite);  // a smaller picture covers only its part of Tela
  Exec("efeito fadeoff,$0000FF");
  EXPECT_EQ(screen().tela.Pixel(3, 1), 0x0000FF);
  EXPECT_EQ(screen().tela.Pixel(4, 1), kBlack);
  // Handlers run at every pump may replace both pictures with any size; first, empty pictures.
  buffer() = screen().buffer_x = Picture();
  host_.on_pump = [&, pumps = 0]() mutable {
    buffer() = ++pumps % 2 ? Picture() : Pattern(3 + pumps % 7, 2 + pumps % 5, pumps);
    screen().buffer_x = pumps % 3 ? Picture(1 + pumps % 4, 1, kWhite) : Picture();
  };
  for (const char* effect :
       {"blur", "emboss", "cinza", "brilho,9", "scanline,0", "espelho,vert", "alfa,100",
        "fadeoff,0", "fadeon,0", "persiana,4", "scrollup", "scrolldown", "scrolldir", "scrollesq"})
    Exec(std::string("efeito ") + effect);
}

}  // namespace
}  // namespace zunk::testing
