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
  // The "text" entries of the host's log, which are the drawing calls in order.
  Strings Texts() {
    Strings texts;
    for (const std::string& entry : host_.log) {
      if (entry.rfind("text ", 0) == 0) texts.push_back(entry.substr(5));
    }
    host_.log.clear();
    return texts;
  }
};

TEST_F(ScreenTextTest, PrintSplitsFieldsFromTheLeft) {
  Exec("reg 5,33");
  Exec("def 5,linha");
  for (const char* line : {"print 10,20", "print 10,20,a,b", "print hello", "print 3,linha, x ",
                           "print", "print 10,", "print 10,20,"}) {
    Exec(line);
  }
  EXPECT_EQ(Texts(),
            (Strings{"10,0 000000 20", "10,20 000000 a,b", "0,0 000000 hello", "3,33 000000  x "}));
  EXPECT_EQ(screen().screen_buffer.Pixel(10, 20), kBlack);
  EXPECT_EQ(screen().tela, Picture(kTelaWidth, kTelaHeight, kWhite));
}

TEST_F(ScreenTextTest, ShadowIsDrawnFirstInItsColour) {
  Exec("tfont= 12,BIU,0000FF,arial");
  Exec("sombra 2,2,000000");
  Exec("print 10,20,oi");
  EXPECT_EQ(Texts(), (Strings{"12,22 000000 oi", "10,20 0000FF oi"}));
  EXPECT_EQ(screen().buffer_font.colour, 0x0000FFu);  // the font keeps its own colour

  Exec("sombra -1,0,FF0000");
  Exec("display 5,5,tela");
  EXPECT_EQ(Texts(), (Strings{"4,5 FF0000 tela", "5,5 00FF00 tela"}));
  Exec("sombra 0,3,FF0000");  // a vertical offset alone also draws the shadow
  Exec("print 5,5,t");
  EXPECT_EQ(Texts(), (Strings{"5,8 FF0000 t", "5,5 0000FF t"}));

  Exec("sombra 0,0,0");
  Exec("print 1,1,x");
  EXPECT_EQ(Texts(), Strings{"1,1 0000FF x"});

  // Offsets that would overflow stop at the largest position.
  Exec("sombra 2147483647,0,000000");
  Exec("print 10,0,x");
  EXPECT_EQ(Texts(), (Strings{"2147483647,0 000000 x", "10,0 0000FF x"}));
}

TEST_F(ScreenTextTest, SombraFieldsAndColourRule) {
  Exec("sombra 1,1,$000000");  // a "$" of its own makes the colour unreadable: white
  EXPECT_EQ(screen().shadow_colour, kWhite);
  Exec("sombra 1,1,123456");
  EXPECT_EQ(screen().shadow_colour, 0x123456u);
  Exec("sombra 1,1,00ff00 ");
  EXPECT_EQ(screen().shadow_colour, kWhite);

  // Each field ends the command when nothing follows it; the colour stays as it was.
  Exec("sombra 1,1,123456");
  Exec("sombra 7,");
  EXPECT_EQ(screen().shadow_dx, 7);
  EXPECT_EQ(screen().shadow_dy, 1);
  Exec("sombra 8,9,");
  EXPECT_EQ(screen().shadow_dy, 9);
  EXPECT_EQ(screen().shadow_colour, 0x123456u);
  Exec("sombra");
  EXPECT_EQ(screen().shadow_dx, 8);
}

TEST_F(ScreenTextTest, DisplayDrawsOnTelaUntilTheNextRefresh) {
  Exec("display 3,4,oi");
  EXPECT_EQ(screen().tela.Pixel(3, 4), 0x00FF00u);
  EXPECT_EQ(host_.log.back(), "show");
  EXPECT_EQ(screen().screen_buffer.Pixel(3, 4), kWhite);
  Exec("print 6,7,oi");
  Exec("refresh");
  EXPECT_EQ(screen().tela.Pixel(3, 4), kWhite);
  EXPECT_EQ(screen().tela.Pixel(6, 7), kBlack);
}

TEST_F(ScreenTextTest, FontDescriptors) {
  struct Case {
    const char* line;
    Font font;
  };
  const Case cases[] = {
      {"tfont= 14,BiU,$0000FF,times new roman",
       {"times new roman", 14, 0x0000FF, true, false, true}},
      {"tfont= 12,b", {"arial", 12, kBlack, false, false, false}},
      {"tfont= 12,BIU,0000FF,arial", {"arial", 12, 0x0000FF, true, true, true}},
      {"tfont= 9,", {"arial", 9, kBlack, false, false, false}},
      {"tfont= 10,.I.,zz,courier", {"courier", 10, kBlack, false, true, false}},
      {"tfont= 10,BIU,00FF00,", {"arial", 10, 0x00FF00, true, true, true}},
      {"tfont= 10,BIU,00FF00", {"arial", 10, 0x00FF00, true, true, true}},
      {"tfont= 10,BIUx$FF0000,a,b", {"a,b", 10, 0xFF0000, true, true, true}},
      {"tfont= 10,BIU,$$00,x", {"x", 10, kBlack, true, true, true}},
      // Up to eight digits are read; the colour is the lowest three bytes.
      {"tfont= 10,biu,FF00FF00,x", {"x", 10, 0x00FF00, false, false, false}},
      {"tfont= 16", {"arial", 0, kBlack, false, false, false}},
  };
  for (const Case& c : cases) {
    Exec(c.line);
    EXPECT_EQ(screen().buffer_font, c.font) << c.line;
  }
  const Font before = screen().buffer_font;
  Exec("tfont=");
  EXPECT_EQ(screen().buffer_font, before);
  Exec("mfont= 20,B,0000FF,verdana");
  EXPECT_EQ(screen().message_font, (Font{"verdana", 20, 0x0000FF, true, false, false}));
  EXPECT_EQ(screen().buffer_font, before);
}

}  // namespace
}  // namespace zunk::testing
