// The link table and the pointer over the screen: link and zeralinks, hover in the three
// modes, drag-scrolling, the ten link actions and presses that arrive during other runs.
#include <algorithm>
#include <utility>
#include <vector>

#include "picture_files.h"
#include "test_support.h"

namespace zunk::testing {
namespace {

constexpr Colour kRed = 0x0000FF;
constexpr Colour kBlue = 0xFF0000;
using Ids = std::vector<std::int32_t>;
using Points = std::initializer_list<std::pair<int, int>>;
using Scrolls = std::vector<std::pair<std::int32_t, std::int32_t>>;

class LinksTest : public GameTest {
 protected:
  void SetUp() override {
    WriteFile("teste.vrb", "NORTE\r\nLESTE\r\nSUL\r\nOESTE\r\nABRIR\r\n");  // 1..4 walk
    WriteFile("teste.plr", "PORTA\r\n");
    WriteFile("azul.bmp", EncodeBmp24(Picture(2, 2, kBlue)));
    Start("http://jogo/");
  }
  Link& link(int i) { return game().links().links[i]; }
  std::string Fields(int i) {  // "on|off X Y W H CURSOR ACTION ARGUMENT"
    const Link& l = link(i);
    std::string text = l.active ? "on" : "off";
    for (int n : {l.x, l.y, l.width, l.height, int{l.cursor_code}, int{l.action_code}})
      text += " " + std::to_string(n);
    return text + " " + l.argument;
  }
  Screen& screen() { return game().screen(); }
  auto Scroll() { return std::pair(screen().scroll_x, screen().scroll_y); }
  Colour Buffer(int x, int y) { return screen().screen_buffer.Pixel(x, y); }
  std::int32_t Reg(int i) { return world().reg[i]; }
  Strings Since(std::size_t mark) { return Strings(host_.log.begin() + mark, host_.log.end()); }
  // How often the pointer was hidden and restored.
  auto PointerShows() {
    const auto& log = host_.log;
    return std::pair(std::count(log.begin(), log.end(), "hide pointer"),
                     std::count(log.begin(), log.end(), "restore pointer"));
  }
  // A black screen picture of the size, in the mode, scroll offsets at 0.
  void Panorama(int mode, int width, int height) {
    WriteFile("fundo.bmp", EncodeBmp24(Picture(width, height, kBlack)));
    RunLines({"tela fundo.bmp", "telmod " + std::to_string(mode)});
  }
  std::int32_t HitAt(int x, int y) {
    game().PointerMove(x, y);
    return game().links().current;
  }
  Ids Hits(Points points) {  // the link found at each point in turn
    Ids found;
    for (auto [x, y] : points) found.push_back(HitAt(x, y));
    return found;
  }
  // Presses at the first point and moves through the others: the scroll offsets after each.
  Scrolls Drag(Points points) {
    Scrolls seen;
    game().PointerPress(points.begin()->first, points.begin()->second);
    for (auto at = points.begin() + 1; at != points.end(); ++at) {
      game().PointerMove(at->first, at->second);
      seen.push_back(Scroll());
    }
    return seen;
  }
  void Click(int x, int y) {
    game().PointerPress(x, y);
    game().PointerRelease(x, y);
  }
};

TEST_F(LinksTest, LinkStoresFieldsOneByOneAndOnlyAWholeDefinitionActivates) {
  Exec("link 2,10,20,30,40,258,266,a, b ,c");
  const std::string two = "on 10 20 30 40 2 10 a, b ,c";
  EXPECT_EQ(Fields(2), two);
  Exec("link 4,7,8,");  // runs out after Y: X and Y kept, not activated
  EXPECT_EQ(Fields(4) + " / " + std::to_string(game().links().current), "off 7 8 0 0 0 0  / 4");
  Exec("link 4,1,2,3,4,5,6,");
  EXPECT_EQ(Fields(4), "off 1 2 3 4 5 6 ");
  Ids hits;  // off, on and zeralinks keep every field; indices outside the table change nothing
  for (const char* line : {"link 2,off", "link 2,on", "zeralinks", "link 2,on",
                           "link 10,0,0,5,5,2,10,x", "link -1,off", "link 99,on"}) {
    Exec(line);
    hits.push_back(game().links().current);  // then the link found inside link 2
    hits.push_back(HitAt(15, 25));
  }
  EXPECT_EQ(std::tuple(hits, HitAt(40, 60), Fields(2)),
            std::tuple(Ids{2, -1, 2, 2, 2, -1, 2, 2, 2, 2, 2, 2, 2, 2}, 2, two));
}

TEST_F(LinksTest, HoverHitsInclusiveEdgesHighestIndexAndScrolledLinks) {
  RunLines({"link 0,0,0,20,20,2,0,x", "link 3,10,10,20,20,11,0,x", "link 4,0,0,100,100,5,0,x",
            "link 4,off"});
  const std::size_t mark = host_.log.size();
  // Right and bottom edges belong to the link; overlapping, the higher index wins.
  EXPECT_EQ(Hits({{20, 0}, {0, 20}, {15, 15}, {31, 15}}), Ids({0, 0, 3, -1}));
  EXPECT_EQ(Since(mark), Strings({"pointer 2", "pointer 2", "pointer 11", "pointer 0"}));
  // Mode 1: link positions are picture positions, seen shifted by the scroll window.
  Panorama(1, 800, 400);
  Exec("link 5,150,120,20,10,2,0,x");
  screen().scroll_x = screen().scroll_y = 100;
  EXPECT_EQ(Hits({{49, 20}, {50, 20}, {70, 30}, {71, 30}, {60, 31}}), Ids({-1, 5, 5, -1, -1}));
  std::vector<std::int32_t> regs;  // at a press: the pointer on the link, then on Tela
  for (auto [x, y] : {std::pair(60, 25), {300, 190}}) {  // the second over no link
    game().PointerMove(x, y);
    game().PointerPress(x, y);
    for (int i : {24, 25, 26, 27}) regs.push_back(Reg(i));
  }
  EXPECT_EQ(regs, Ids({-90, -95, 60, 25, -1, -1, 300, 190}));
}

TEST_F(LinksTest, PanoramaHitTestWrapsLinksPastThePictureEdge) {
  Panorama(2, 1000, 200);
  Exec("link 0,10,50,20,20,2,0,x");   // near the picture's left edge
  Exec("link 1,950,50,20,20,3,0,x");  // near its right edge
  screen().scroll_y = 500;            // not used in mode 2
  EXPECT_EQ(std::pair(HitAt(15, 55), game().mouse().labobj1), std::pair(0, std::string("10")));
  screen().scroll_x = 900;  // the picture's last 100 columns, then its first
  EXPECT_EQ(Hits({{109, 55}, {110, 55}, {130, 70}, {50, 50}}), Ids({-1, 0, 0, 1}));
  EXPECT_EQ(game().mouse().labobj1, "110");
  screen().scroll_x = 400;  // the right edge is not yet in view: no wrap
  EXPECT_EQ(std::pair(HitAt(0, 55), game().mouse().labobj1), std::pair(-1, std::string("-390")));
}

TEST_F(LinksTest, DragScrollingClampsInMode1WrapsInMode2AndRestoresThePointerOnce) {
  Panorama(0, 600, 300);
  EXPECT_EQ(Drag({{100, 100}, {50, 50}}), Scrolls({{0, 0}}));  // mode 0: nothing more
  game().PointerRelease(0, 0);
  EXPECT_EQ(PointerShows(), std::pair(0L, 0L));
  // Mode 1 keeps the window inside the picture: past its right and bottom, left and top.
  Exec("telmod 1");
  EXPECT_EQ(Drag({{100, 100}, {50, 80}, {-100, -100}, {1000, 1000}}),
            Scrolls({{50, 20}, {120, 100}, {0, 0}}));
  Click(1000, 1000);         // a second release restores nothing
  game().PointerMove(0, 0);  // released: no scrolling
  EXPECT_EQ(std::pair(Scroll(), PointerShows()), std::pair(std::pair(0, 0), std::pair(1L, 1L)));
  Panorama(1, 300, 100);  // smaller than Tela: the window stays at the picture's corner
  EXPECT_EQ(Drag({{100, 100}, {0, 0}}), Scrolls({{0, 0}}));
  // Mode 2 wraps, a jump longer than the picture too. The pointer still hidden by the drag
  // above (never released) is shown again once, at this drag's release.
  Panorama(2, 1000, 200);
  EXPECT_EQ(Drag({{100, 100}, {150, 0}, {50, 0}, {5050, 0}}),
            Scrolls({{950, 0}, {50, 0}, {50, 0}}));
  game().PointerRelease(0, 0);
  EXPECT_EQ(PointerShows(), std::pair(2L, 2L));
}

TEST_F(LinksTest, EachActionOnce) {
  WriteScript("sala", {"msg= Na sala."});
  WriteScript("oi", {"msg= Oi!"});
  Picture button(4, 2, kRed);  // pressed half red, released half blue
  button.FillRect(2, 0, 2, 2, kBlue);
  WriteFile("botao.bmp", EncodeBmp24(button));
  WriteFile("som.wav", std::string("RIFF\0\0\0\0WAVEfmt ", 16));
  WriteFile("filme.avi", std::string("RIFF\0\0\0\0AVI LIST", 16));
  game().file_source = game().script_source = Source::DiskOnly;
  Panorama(0, 480, 200);
  RunLines({"msg= Antes.", "fim", ":porta", "msg= Na porta."});
  Strings seen;
  auto press_link = [&](const std::string& action_and_argument) {
    Exec("link 1,10,20,30,40,2," + action_and_argument);
    Click(300, 190);  // right after link, the link acts wherever the pointer is
    seen.push_back(shown().empty() ? "" : shown().back());
  };
  for (const char* link : {"5, porta", "1, sala.scpt ", "3,oi.scpt", "10,  Um texto. "})
    press_link(link);
  interp().script_lines.Clear();
  press_link("5,porta");  // no lines held: nothing
  EXPECT_EQ(std::tuple(seen, world().local, host_.errors),
            std::tuple(Strings{"Na porta.", "Na sala.", "Oi!", "Um texto.", "Um texto."}, "sala",
                       Strings()));

  press_link("2,nada.bmp");  // missing: nothing drawn
  EXPECT_EQ(Buffer(10, 20), kBlack);
  press_link("2, azul.bmp");  // stretched to the link's rectangle
  EXPECT_EQ(std::tuple(screen().shape_name, Buffer(10, 20), Buffer(39, 59), Buffer(40, 59),
                       screen().tela.Pixel(39, 59)),
            std::tuple("azul.bmp", kBlue, kBlue, kBlack, kBlue));
  // The pressed half at the press; at the release the argument is used untrimmed, so the
  // blank-led name fails to load and the picture already held is drawn.
  Exec("link 1,10,20,30,40,2,4, botao.bmp");
  std::vector<Colour> button_colours;
  game().PointerPress(10, 20);
  button_colours.push_back(screen().tela.Pixel(25, 40));
  game().PointerRelease(10, 20);
  EXPECT_EQ(std::tuple(screen().frame_name, button_colours[0], screen().tela.Pixel(25, 40)),
            std::tuple("botao.bmp", kRed, kBlue));

  std::size_t mark = host_.log.size();
  for (const char* link : {"6,som.wav", "6,silencio.wav", "7,filme.avi", "8, pagina.htm "})
    press_link(link);
  EXPECT_EQ(Since(mark), Strings({"play 1 1 som.wav", "hide pointer",
                                  "play 4 1 filme.avi 10,20 30x40", "hide video", "restore pointer",
                                  "page 2", "navigate http://jogo/pagina.htm"}));
  EXPECT_EQ(game().page(), BookPage::Web);
  press_link("9,  abrir porta ");
  EXPECT_EQ(std::tuple(game().frase, Reg(31), Reg(32), game().output().status()),
            std::tuple("", 5, 1, "] ABRIR PORTA"));
  link(1).argument = "   ";  // nothing to parse
  mark = host_.log.size();
  Click(0, 0);
  EXPECT_EQ(std::tuple(Since(mark), Reg(31)), std::tuple(Strings(), 5));
}

TEST_F(LinksTest, ActionsAreSafeAgainstTheTableChangingUnderThem) {
  // A current link outside the table is never read.
  Exec("link 0,0,0,480,200,2,10,texto");
  for (std::int32_t bad : {-1, 10, 1000}) {
    game().links().current = bad;
    Click(5, 5);
    EXPECT_EQ(std::tuple(Reg(24), Reg(26), shown()), std::tuple(-1, 5, Strings()));
  }
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
  EXPECT_EQ(std::tuple(Buffer(10, 10), Buffer(100, 100), link(0).x),
            std::tuple(kBlue, kBlack, 100));
  // Presses during an animated effect run a script that replaces the screen picture, the
  // links and the mode, then draw; the effect goes on with the new picture.
  game().file_source = Source::DiskOnly;
  WriteFile("grande.bmp", EncodeBmp24(Picture(900, 50, kRed)));
  WriteScript("troca", {"tela grande.bmp", "link 0,0,0,480,200,2,2,azul.bmp", "telmod 2"});
  Exec("link 0,0,0,480,200,2,3,troca");
  int pumps = 0;
  host_.on_pump = [&] {
    if (++pumps % 3 == 0) Click(5, 5);
  };
  RunLines({"efeito fadeoff,$FFFFFF"});
  EXPECT_EQ(std::tuple(pumps > 3, host_.errors, screen().screen_name),
            std::tuple(true, Strings(), "grande.bmp"));
}

}  // namespace
}  // namespace zunk::testing
