// The link table and the pointer over the screen: link and zeralinks, hover in the three
// modes, drag-scrolling, the ten link actions and presses that arrive during other runs.
#include <algorithm>

#include "picture_files.h"
#include "test_support.h"

namespace zunk::testing {
namespace {

constexpr Colour kRed = 0x0000FF;
constexpr Colour kBlue = 0xFF0000;

class LinksTest : public GameTest {
 protected:
  void SetUp() override {
    WriteFile("teste.vrb", "NORTE\r\nLESTE\r\nSUL\r\nOESTE\r\nABRIR\r\n");  // 1..4 walk
    WriteFile("teste.plr", "PORTA\r\n");
    Start("http://jogo/");
  }
  Link& link(int i) { return game().links().links[i]; }
  std::int32_t current() { return game().links().current; }
  Screen& screen() { return game().screen(); }
  std::int32_t Reg(int i) { return world().reg[i]; }
  // The host log from here on.
  Strings Since(std::size_t mark) { return Strings(host_.log.begin() + mark, host_.log.end()); }
  int Count(const std::string& entry) {
    return static_cast<int>(std::count(host_.log.begin(), host_.log.end(), entry));
  }
  // A screen picture of the size in the given mode, scroll offsets at 0.
  void Panorama(int mode, int width, int height) {
    WriteFile("fundo.bmp", EncodeBmp24(Picture(width, height, kBlack)));
    Exec("tela fundo.bmp");
    Exec("telmod " + std::to_string(mode));
  }
  std::int32_t HitAt(int x, int y) {
    game().PointerMove(x, y);
    return current();
  }
  void Click(int x, int y) {
    game().PointerPress(x, y);
    game().PointerRelease(x, y);
  }
};

TEST_F(LinksTest, LinkStoresFieldsOneByOneAndOnlyAWholeDefinitionActivates) {
  Exec("link 2,10,20,30,40,258,266,a, b ,c");
  const Link& two = link(2);
  EXPECT_EQ(std::tie(two.active, two.x, two.y, two.width, two.height),
            std::tuple(true, 10, 20, 30, 40));
  EXPECT_EQ(std::tuple(two.cursor_code, two.action_code, two.argument),
            std::tuple(2, 10, "a, b ,c"));
  EXPECT_EQ(current(), 2);
  Exec("link 4,7,8,");  // runs out after Y: X and Y kept, not activated
  EXPECT_EQ(std::tuple(link(4).active, link(4).x, link(4).y, current()),
            std::tuple(false, 7, 8, 4));
  Exec("link 4,1,2,3,4,5,6,");
  EXPECT_EQ(std::tuple(link(4).active, link(4).action_code), std::tuple(false, 6));

  Exec("link 2,off");  // off, on and zeralinks keep every field
  EXPECT_FALSE(link(2).active);
  EXPECT_EQ(HitAt(15, 25), -1);
  Exec("link 2,on");
  EXPECT_EQ(HitAt(15, 25), 2);
  Exec("zeralinks");
  EXPECT_EQ(HitAt(15, 25), -1);
  Exec("link 2,on");
  EXPECT_EQ(HitAt(40, 60), 2);
  EXPECT_EQ(link(2).argument, "a, b ,c");

  // Indices outside the table change nothing at all.
  const auto before = game().links().links;
  for (const char* line : {"link 10,0,0,5,5,2,10,x", "link -1,off", "link 99,on"}) Exec(line);
  EXPECT_EQ(current(), 2);
  for (int i = 0; i < kLinkCount; ++i) EXPECT_EQ(link(i).active, before[i].active) << i;
}

TEST_F(LinksTest, HoverHitsInclusiveEdgesHighestIndexAndScrolledLinks) {
  Exec("link 0,0,0,20,20,2,0,x");
  Exec("link 3,10,10,20,20,11,0,x");
  Exec("link 4,0,0,100,100,5,0,x");
  Exec("link 4,off");
  const std::size_t mark = host_.log.size();
  EXPECT_EQ(HitAt(20, 0), 0);   // right edge
  EXPECT_EQ(HitAt(0, 20), 0);   // bottom edge
  EXPECT_EQ(HitAt(15, 15), 3);  // overlap: the higher index
  EXPECT_EQ(HitAt(31, 15), -1);
  EXPECT_EQ(Since(mark), Strings({"pointer 2", "pointer 2", "pointer 11", "pointer 0"}));

  // Mode 1: link positions are picture positions, seen shifted by the scroll window.
  Panorama(1, 800, 400);
  Exec("link 5,150,120,20,10,2,0,x");
  screen().scroll_x = 100;
  screen().scroll_y = 100;
  EXPECT_EQ(std::tuple(HitAt(49, 20), HitAt(50, 20), HitAt(70, 30), HitAt(71, 30), HitAt(60, 31)),
            std::tuple(-1, 5, 5, -1, -1));
  game().PointerMove(60, 25);
  game().PointerPress(60, 25);
  EXPECT_EQ(std::tuple(Reg(24), Reg(25), Reg(26), Reg(27)), std::tuple(-90, -95, 60, 25));
  game().PointerMove(300, 190);
  game().PointerPress(300, 190);  // over no link
  EXPECT_EQ(std::tuple(Reg(24), Reg(25), Reg(26), Reg(27)), std::tuple(-1, -1, 300, 190));
}

TEST_F(LinksTest, PanoramaHitTestWrapsLinksPastThePictureEdge) {
  Panorama(2, 1000, 200);
  Exec("link 0,10,50,20,20,2,0,x");   // near the picture's left edge
  Exec("link 1,950,50,20,20,3,0,x");  // near its right edge
  screen().scroll_y = 500;            // not used in mode 2
  EXPECT_EQ(HitAt(15, 55), 0);
  EXPECT_EQ(game().mouse().labobj1, "10");
  screen().scroll_x = 900;  // the picture's last 100 columns, then its first
  EXPECT_EQ(std::tuple(HitAt(109, 55), HitAt(110, 55), HitAt(130, 70), HitAt(50, 50)),
            std::tuple(-1, 0, 0, 1));
  EXPECT_EQ(game().mouse().labobj1, "110");
  screen().scroll_x = 400;  // the right edge is not yet in view: no wrap
  EXPECT_EQ(HitAt(0, 55), -1);
  EXPECT_EQ(game().mouse().labobj1, "-390");
}

TEST_F(LinksTest, DragScrollingClampsInMode1WrapsInMode2AndRestoresThePointerOnce) {
  Panorama(0, 600, 300);
  game().PointerPress(100, 100);
  game().PointerMove(50, 50);  // mode 0: a held button does nothing more
  game().PointerRelease(50, 50);
  EXPECT_EQ(std::tuple(screen().scroll_x, screen().scroll_y, Count("hide pointer")),
            std::tuple(0, 0, 0));

  Exec("telmod 1");
  game().PointerPress(100, 100);
  game().PointerMove(50, 80);
  EXPECT_EQ(std::tuple(screen().scroll_x, screen().scroll_y), std::tuple(50, 20));
  game().PointerMove(-100, -100);  // beyond the picture's right and bottom
  EXPECT_EQ(std::tuple(screen().scroll_x, screen().scroll_y), std::tuple(120, 100));
  game().PointerMove(1000, 1000);  // beyond its left and top
  EXPECT_EQ(std::tuple(screen().scroll_x, screen().scroll_y), std::tuple(0, 0));
  game().PointerRelease(1000, 1000);
  game().PointerRelease(1000, 1000);
  EXPECT_EQ(std::tuple(Count("hide pointer"), Count("restore pointer")), std::tuple(1, 1));
  game().PointerMove(0, 0);  // released: no scrolling
  EXPECT_EQ(screen().scroll_x, 0);

  Panorama(1, 300, 100);  // smaller than Tela: the window stays at the picture's corner
  game().PointerPress(100, 100);
  game().PointerMove(0, 0);
  EXPECT_EQ(std::tuple(screen().scroll_x, screen().scroll_y), std::tuple(0, 0));
  game().PointerRelease(0, 0);

  Panorama(2, 1000, 200);
  game().PointerPress(100, 100);
  game().PointerMove(150, 0);
  EXPECT_EQ(screen().scroll_x, 950);
  game().PointerMove(50, 0);
  EXPECT_EQ(screen().scroll_x, 50);
  game().PointerMove(50 + 5000, 0);  // a jump longer than the picture still lands inside it
  EXPECT_EQ(screen().scroll_x, 50);
  game().PointerRelease(0, 0);
  EXPECT_EQ(std::tuple(Count("hide pointer"), Count("restore pointer")), std::tuple(3, 3));
}

// A two-colour button picture: pressed (left half) red, released (right half) blue.
Picture ButtonPicture() {
  Picture button(4, 2, kRed);
  button.FillRect(2, 0, 2, 2, kBlue);
  return button;
}

TEST_F(LinksTest, EachActionOnce) {
  WriteScript("sala", {"msg= Na sala."});
  WriteScript("oi", {"msg= Oi!"});
  WriteFile("azul.bmp", EncodeBmp24(Picture(2, 2, kBlue)));
  WriteFile("botao.bmp", EncodeBmp24(ButtonPicture()));
  WriteFile("som.wav", "RIFF");
  WriteFile("filme.avi", "RIFF");
  game().file_source = game().script_source = Source::DiskOnly;
  Panorama(0, 480, 200);
  auto press_link = [&](const std::string& action_and_argument) {
    Exec("link 1,10,20,30,40,2," + action_and_argument);
    Click(300, 190);  // right after link, the link acts wherever the pointer is
  };
  press_link("1, sala.scpt ");
  EXPECT_EQ(world().local, "sala");
  EXPECT_EQ(shown(), Strings({"Na sala."}));
  EXPECT_EQ(Reg(24), 290);
  press_link("3,oi.scpt");
  EXPECT_EQ(shown(), Strings({"Oi!"}));
  press_link("10,  Um texto. ");
  EXPECT_EQ(shown(), Strings({"Um texto."}));

  press_link("2,nada.bmp");  // missing: nothing drawn
  EXPECT_EQ(screen().screen_buffer.Pixel(10, 20), kBlack);
  press_link("2, azul.bmp");  // stretched to the link's rectangle
  EXPECT_EQ(screen().shape_name, "azul.bmp");
  EXPECT_EQ(std::tuple(screen().screen_buffer.Pixel(10, 20), screen().screen_buffer.Pixel(39, 59),
                       screen().screen_buffer.Pixel(40, 59), screen().tela.Pixel(39, 59)),
            std::tuple(kBlue, kBlue, kBlack, kBlue));

  // The pressed half at the press; at the release the argument is used untrimmed, so the
  // blank-led name fails to load and the picture already held is drawn.
  Exec("link 1,10,20,30,40,2,4, botao.bmp");
  game().PointerMove(10, 20);
  game().PointerPress(10, 20);
  EXPECT_EQ(std::tuple(screen().frame_name, screen().tela.Pixel(25, 40)),
            std::tuple("botao.bmp", kRed));
  game().PointerRelease(10, 20);
  EXPECT_EQ(std::tuple(screen().frame_name, screen().tela.Pixel(25, 40)),
            std::tuple("botao.bmp", kBlue));

  std::size_t mark = host_.log.size();
  press_link("6,som.wav");
  press_link("6,silencio.wav");
  press_link("7,filme.avi");
  press_link("8, pagina.htm ");
  EXPECT_EQ(Since(mark), Strings({"play 1 1 som.wav", "play 4 1 filme.avi 10,20 30x40", "page 2",
                                  "navigate http://jogo/pagina.htm"}));
  EXPECT_EQ(game().page(), BookPage::Web);

  press_link("9,  abrir porta ");
  EXPECT_EQ(std::tuple(game().frase, Reg(31), Reg(32), game().output().status()),
            std::tuple("", 5, 1, "] ABRIR PORTA"));
  link(1).argument = "   ";  // nothing to parse
  mark = host_.log.size();
  Click(0, 0);
  EXPECT_EQ(std::tuple(Since(mark), Reg(31)), std::tuple(Strings(), 5));

  RunLines({"msg= Antes.", "fim", ":porta", "msg= Na porta."});
  press_link("5, porta");
  EXPECT_EQ(shown(), Strings({"Na porta."}));
  interp().script_lines.Clear();
  press_link("5,porta");  // no lines held: nothing
  EXPECT_EQ(shown(), Strings({"Na porta."}));
  EXPECT_EQ(host_.errors, Strings());
}

TEST_F(LinksTest, ActionsAreSafeAgainstTheTableChangingUnderThem) {
  // A current link outside the table is never read.
  Exec("link 0,0,0,480,200,2,10,texto");
  for (std::int32_t bad : {-1, 10, 1000}) {
    game().links().current = bad;
    Click(5, 5);
    EXPECT_EQ(std::tuple(Reg(24), Reg(26)), std::tuple(-1, 5));
  }
  EXPECT_EQ(shown(), Strings());

  // A picture fetched from the web lets events run, which redefine the link being pressed:
  // the picture still goes where the pressed link was.
  Panorama(0, 480, 200);
  game().file_source = Source::WebOnly;
  host_.http = [](const HttpRequest&) {
    return HttpResult{true, 200, EncodeBmp24(Picture(2, 2, kBlue)), ""};
  };
  host_.on_pump = [&] { Exec("link 0,100,100,5,5,0,0,x"); };
  Exec("link 0,10,10,4,4,2,2,web.bmp");
  game().PointerPress(10, 10);
  EXPECT_EQ(
      std::tuple(screen().screen_buffer.Pixel(10, 10), screen().screen_buffer.Pixel(100, 100)),
      std::tuple(kBlue, kBlack));
  EXPECT_EQ(link(0).x, 100);

  // A press during an animated effect runs a script that replaces the screen picture and
  // the links, and draws on the screen; the effect goes on with the new picture.
  game().file_source = Source::DiskOnly;
  host_.on_pump = nullptr;
  WriteFile("grande.bmp", EncodeBmp24(Picture(900, 50, kRed)));
  WriteFile("azul.bmp", EncodeBmp24(Picture(2, 2, kBlue)));
  WriteScript("troca", {"tela grande.bmp", "link 0,0,0,480,200,2,2,azul.bmp", "telmod 2"});
  Exec("link 0,0,0,480,200,2,3,troca");
  int pumps = 0;
  host_.on_pump = [&] {
    if (++pumps % 3 == 0) Click(5, 5);
  };
  RunLines({"efeito fadeoff,$FFFFFF"});
  EXPECT_GT(pumps, 3);
  EXPECT_EQ(host_.errors, Strings());
  EXPECT_EQ(screen().screen_name, "grande.bmp");
}

}  // namespace
}  // namespace zunk::testing
