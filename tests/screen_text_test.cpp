// Text on the picture screen: print and display with their field splitting and shadow, the
// shadow settings of sombra and the font descriptors of tfont= and mfont=.
#include "test_support.h"

namespace zunk::testing {
namespace {

class ScreenTextTest : public GameTest {
 protected:
  void SetUp() override {
    Start();
    screen().screen_buffer = Picture(kTelaWidth, kTelaHeight, kWhite);
    screen().tela_font.colour = 0x00FF00;
  }
  Screen& screen() { return game().screen(); }
  // The drawing calls (the host's "text" entries) the lines make, in order, each after a "|".
  std::string Texts(std::initializer_list<const char*> lines) {
    host_.log.clear();
    for (const char* line : lines) Exec(line);
    std::string texts;
    for (const std::string& e : host_.log) texts += e.rfind("text ", 0) ? "" : "|" + e.substr(5);
    return texts;
  }
};

TEST_F(ScreenTextTest, PrintSplitsFieldsFromTheLeftAndDisplayDrawsOnTela) {
  EXPECT_EQ(Texts({"reg 5,33", "def 5,linha", "print 10,20", "print 10,20,a,b", "print hello",
                   "print 3,linha, x ", "print", "print 10,", "print 10,20,"}),
            "|10,0 000000 20|10,20 000000 a,b|0,0 000000 hello|3,33 000000  x ");
  EXPECT_EQ(screen().screen_buffer.Pixel(10, 20), kBlack);
  EXPECT_EQ(screen().tela, Picture(kTelaWidth, kTelaHeight, kWhite));
  Exec("display 3,4,oi");  // on Tela, shown at once
  EXPECT_EQ(host_.log.back(), "show");
  EXPECT_EQ(std::pair(screen().tela.Pixel(3, 4), screen().screen_buffer.Pixel(3, 4)),
            std::pair(0x00FF00u, kWhite));
}

TEST_F(ScreenTextTest, ShadowIsDrawnFirstInItsColourAndSombraReadsItsFields) {
  Exec("tfont= 12,BIU,0000FF,arial");
  EXPECT_EQ(Texts({"sombra 2,2,000000", "print 10,20,oi"}), "|12,22 000000 oi|10,20 0000FF oi");
  EXPECT_EQ(Texts({"sombra -1,0,FF0000", "display 5,5,a"}), "|4,5 FF0000 a|5,5 00FF00 a");
  EXPECT_EQ(Texts({"sombra 0,3,FF0000", "print 5,5,t"}), "|5,8 FF0000 t|5,5 0000FF t");
  EXPECT_EQ(Texts({"sombra 0,0,0", "print 1,1,x"}), "|1,1 0000FF x");
  // Offsets that would overflow stop at the largest position.
  EXPECT_EQ(Texts({"sombra 2147483647,0,000000", "print 10,0,x"}),
            "|2147483647,0 000000 x|10,0 0000FF x");
  // An unreadable colour is white; each field ends the command when nothing follows it.
  const Screen& s = screen();
  using Shadow = std::tuple<const char*, int, int, Colour>;
  for (auto [line, dx, dy, colour] :
       {Shadow("sombra 1,1,$000000", 1, 1, kWhite), Shadow("sombra 3,4,00ff00 ", 3, 4, kWhite),
        Shadow("sombra 1,1,123456", 1, 1, 0x123456), Shadow("sombra 7,", 7, 1, 0x123456),
        Shadow("sombra 8,9,", 8, 9, 0x123456), Shadow("sombra", 8, 9, 0x123456)}) {
    Exec(line);
    EXPECT_EQ(std::tie(s.shadow_dx, s.shadow_dy, s.shadow_colour), std::tie(dx, dy, colour));
  }
}

TEST_F(ScreenTextTest, FontDescriptors) {
  const std::pair<const char*, Font> cases[] = {
      {"tfont= 14,BiU,$0000FF,times new roman", {"times new roman", 14, 0x0000FF, 1, 0, 1}},
      {"tfont= 12,b", {"arial", 12, kBlack, 0, 0, 0}},
      {"tfont= 10,.I.,zz,courier", {"courier", 10, kBlack, 0, 1, 0}},
      {"tfont= 10,BIU,00FF00,", {"arial", 10, 0x00FF00, 1, 1, 1}},
      {"tfont= 10,BIU,00FF00", {"arial", 10, 0x00FF00, 1, 1, 1}},
      {"tfont= 10,BIUx$FF0000,a,b", {"a,b", 10, 0xFF0000, 1, 1, 1}},
      {"tfont= 10,biu,FF00FF00,x", {"x", 10, 0x00FF00, 0, 0, 0}},  // the lowest three bytes
      {"tfont= 16", {"arial", 0, kBlack, 0, 0, 0}},
  };
  for (const auto& [line, font] : cases) {
    Exec(line);
    EXPECT_EQ(screen().buffer_font, font) << line;
  }
  Texts({"tfont=", "mfont= 20,B,0000FF,verdana"});
  EXPECT_EQ(std::tuple(screen().message_font, screen().buffer_font),
            std::tuple(Font{"verdana", 20, 0x0000FF, true, false, false}, cases[7].second));
}

}  // namespace
}  // namespace zunk::testing
