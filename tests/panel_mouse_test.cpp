// The mouse on the object panels: the sentences drops build on the demo game, clicks that
// drop beside their cell, cells at the panels' borders, the drag picture, double clicks on
// every kind of Prg, and drags that start while a script waits.
#include "game/panel_mouse.h"

#include <algorithm>
#include <cstdint>
#include <tuple>

#include "picture_files.h"
#include "test_support.h"

namespace zunk::testing {
namespace {

namespace fs = std::filesystem;

// Steps of the host log that belong to the panels, in order.
Strings PanelSteps(const Strings& log) {
  Strings steps;
  std::copy_if(log.begin(), log.end(), std::back_inserter(steps), [](const std::string& entry) {
    return entry.rfind("drag ", 0) == 0 || entry.rfind("panel pointer", 0) == 0 ||
           entry == "focus input";
  });
  return steps;
}

// A press on the panel point, one move of the pointer to the window point to, and the release
// there, as a window sends them: the drag window's top-left, the drop point, ends 10 pixels
// up and left of to.
void Drag(Game& game, Panel panel, int x, int y, int to_x, int to_y) {
  const WindowRect rect = PanelRect(panel);
  PanelPress(game, panel, x, y);
  PanelMove(game, panel, to_x - rect.x, to_y - rect.y);
  PanelRelease(game, panel, to_x - rect.x, to_y - rect.y);
}

// A press and a release at the same point, with no move between them.
void Click(Game& game, Panel panel, int x, int y) {
  PanelPress(game, panel, x, y);
  PanelRelease(game, panel, x, y);
}

using Slots = std::array<int, kPanelSlots>;

// The demo starts on the beach: LANTERNA (1) and CONCHAS (5) lie here, in ObjLoc's top row.
class DemoPanelsTest : public ::testing::Test {
 protected:
  void SetUp() override {
    fs::copy(ZUNK_DEMO_DIR, dir_.path(), fs::copy_options::recursive);
    game_ = std::make_unique<Game>(host_, GameConfig{dir_.path(), "farol", "", {}});
    game_->Activate();
    ASSERT_EQ(game_->panels().loc_slots, (Slots{1, 5}));
    host_.log.clear();
  }
  Game& game() { return *game_; }
  const std::string& Loc(int record) { return game_->world().ObjectLine(record, kLoc); }
  const std::string& status() { return game_->output().status(); }

  TempDir dir_;
  FakeHost host_;
  std::unique_ptr<Game> game_;
};

TEST_F(DemoPanelsTest, DropsOnTheScreenAndOnAnEmptyCarriedCellPutDownAndTake) {
  // Dropped onto the picture screen: put down, although the lantern is not carried.
  Drag(game(), Panel::Loc, 20, 20, 110, 110);
  EXPECT_EQ(status(), "] SOLTE A LANTERNA");
  EXPECT_EQ(PanelSteps(host_.log),
            (Strings{"drag pointer on", "drag show 517,75", "panel pointer L 0",
                     "drag move 100,100", "drag hide", "drag pointer off"}));
  EXPECT_EQ(host_.drag_picture.width(), kDragPictureSide);
  EXPECT_EQ(Loc(0), "praia");

  // Dropped onto an empty cell of ObjJog: taken.
  Drag(game(), Panel::Loc, 20, 20, 460, 270);
  EXPECT_EQ(status(), "] PEGUE A LANTERNA");
  EXPECT_EQ(Loc(0), "jog1");
  EXPECT_EQ(game().panels().jog_slots, (Slots{1}));
  const PanelMouse& mouse = game().panel_mouse();
  EXPECT_EQ(std::tuple(mouse.dragging, mouse.dragged_record, mouse.drag_window_shown),
            std::tuple(false, -1, false));
  EXPECT_TRUE(host_.errors.empty());
}

TEST_F(DemoPanelsTest, AFemininePluralDroppedOnAMasculineSingularIsPutIntoIt) {
  Drag(game(), Panel::Loc, 60, 20, 460, 270);
  ASSERT_EQ(Loc(4), "jog1");
  game().ExecLineFromHost("irpara farol");
  ASSERT_EQ(game().panels().loc_slots, (Slots{3, 4}));  // MAPA, BAÚ
  // From the first carried cell onto BAÚ, ObjLoc's second cell (547..587 × 65..105).
  Drag(game(), Panel::Jog, 20, 20, 570, 90);
  EXPECT_EQ(status(), "] COLOQUE AS CONCHAS NO BA\xDA");
  EXPECT_TRUE(host_.errors.empty());
}

TEST_F(DemoPanelsTest, AClickDropsTenPixelsUpAndLeftOfThePress) {
  // Well inside a cell: onto the object itself, nothing happens.
  const std::string before = status();
  Click(game(), Panel::Loc, 20, 20);
  EXPECT_EQ(status(), before);
  EXPECT_TRUE(game().frase.empty());
  // 5 pixels right of the second cell's left border: onto the first cell's lantern.
  Click(game(), Panel::Loc, 45, 20);
  EXPECT_EQ(status(), "] COLOQUE AS CONCHAS NA LANTERNA");
  // 5 pixels right of the panel's left border: outside the panel, nothing.
  const std::string after = status();
  Click(game(), Panel::Loc, 5, 20);
  EXPECT_EQ(status(), after);
  // Dropped where there is neither screen nor panel: nothing, and the drag has ended.
  Drag(game(), Panel::Loc, 20, 20, 620, 320);
  EXPECT_EQ(status(), after);
  EXPECT_EQ(host_.log.back(), "drag pointer off");
  EXPECT_EQ(game().panel_mouse().dragged_record, -1);
}

// A small game of three objects in "sala", each with its picture "<n>.bmp", and a general
// script per verb that counts its runs in Reg[40 + verb] (PEGUE 5, SOLTE 6, COLOQUE 7,
// EXAMINE 8).
class PanelMouseTest : public GameTest {
 protected:
  void SetUp() override {
    WriteFile("teste.vrb", "NORTE\nLESTE\nSUL\nOESTE\nPEGUE\nSOLTE\nCOLOQUE\nEXAMINE\n");
    WriteFile("teste.plr", "CAIXA\nLIVRO\nCOPO\n");
    WriteFile("teste.ign", "A:O:UM:UMA:OS:AS:NO:NA:NOS:NAS");
    std::string objects;
    int n = 0;
    for (const char* record :
         {"CAIXA\nd\nsala\n........", "LIVRO\nd\nsala\n......X.", "COPO\nd\nsala\n..X...X."}) {
      ++n;
      objects += std::string(record) + "\n1\n1\n" + std::to_string(n) + ".bmp\n\n\n\n";
      WriteFile(std::to_string(n) + ".bmp", EncodeBmp24(Look(n)));
    }
    WriteFile("teste.obj", objects);
    for (int verb = 5; verb <= 8; ++verb)
      WriteScript("0" + std::to_string(verb) + "000000", {"inc 4" + std::to_string(verb)});
    Start();
    world().local = "sala";
    RedrawPanels(game());
    ASSERT_EQ(game().panels().loc_slots, (Slots{1, 2, 3}));
    host_.log.clear();
  }
  // Object n's picture: 4 × 4 in its own colour, its top-left pixel magenta.
  static Picture Look(int n) {
    Picture picture(4, 4, MakeColour(40 * n, 10, 10));
    picture.SetPixel(0, 0, kMagenta);
    return picture;
  }
  std::int32_t& reg(int n) { return world().reg[n]; }
};

TEST_F(PanelMouseTest, CellsEndAtThePanelsBordersAndArticlesFollowTheFlags) {
  // The right border is in the panel, but in no cell: the third object lies where the index
  // of a point there would run on to, and must not be taken.
  EXPECT_EQ(ObjectAt(game(), Panel::Loc, 79, 10), 2);
  for (auto [x, y] : {std::pair(80, 10), {-5, 10}, {10, -39}, {0, 120}, {INT32_MIN, INT32_MIN}})
    EXPECT_EQ(ObjectAt(game(), Panel::Loc, x, y), 0) << x << "," << y;
  EXPECT_EQ(DropSentence(game(), 0, 587, 75), "SOLTE O CAIXA");
  EXPECT_EQ(DropSentence(game(), 0, 450, 280), "PEGUE O CAIXA");  // ObjJog's bottom border
  EXPECT_EQ(DropSentence(game(), 0, 491, 211), "");               // just past the screen's corner
  EXPECT_EQ(DropSentence(game(), 20, 510, 70), "COLOQUE AS COPO NO CAIXA");
  EXPECT_EQ(DropSentence(game(), 0, 570, 70), "COLOQUE O CAIXA NOS LIVRO");

  // Moves: negative points (a held button's moves outside the pressed panel) are on no cell.
  PanelMove(game(), Panel::Loc, -5, 10);
  EXPECT_EQ(game().panel_mouse().current_object[0], 0);
  PanelMove(game(), Panel::Loc, 45, 5);
  EXPECT_EQ(game().panel_mouse().current_object[0], 2);
  PanelMove(game(), Panel::Jog, 10, 10);
  EXPECT_EQ(PanelSteps(host_.log),
            (Strings{"panel pointer L 0", "panel pointer L 1", "panel pointer J 0"}));
}

TEST_F(PanelMouseTest, DoubleClicksExamineOrOpenWhatPrgNamesAndRefuseUnsafeNames) {
  WriteScript("abre", {"inc 50"});
  const Picture quadro(30, 20, MakeColour(1, 2, 3));
  WriteFile("quadro.bmp", EncodeBmp24(quadro));
  // The log of a double click on CAIXA with the Prg; link 0 is switched on before it.
  auto double_click = [&](const std::string& prg) {
    world().SetObjectLine(0, kPrg, prg);
    game().ExecLineFromHost("link 0,0,0,10,10,2,3,x");
    PanelMove(game(), Panel::Loc, 10, 10);
    host_.log.clear();
    PanelDoubleClick(game(), Panel::Loc);
    Strings log = host_.log;
    if (game().links().links[0].active) log.push_back("links on");
    return log;
  };
  EXPECT_EQ(double_click(""), (Strings{"links on"}));
  EXPECT_EQ(std::pair(game().output().status(), reg(48)),
            std::pair(std::string("] EXAMINE O CAIXA"), 1));
  game().url = "http://base/";
  EXPECT_EQ(double_click("pagina.htm"),
            (Strings{"page 2", "navigate http://base/pagina.htm", "focus input", "links on"}));
  EXPECT_EQ(double_click("abre.scpt"), Strings{});
  EXPECT_EQ(reg(50), 1);
  EXPECT_EQ(double_click("quadro.bmp"), Strings{"show"});
  EXPECT_EQ(game().screen().screen_buffer, quadro);
  // The kinds are tested in the order program, page, script, picture.
  EXPECT_EQ(double_click("pagina.exe.htm"), (Strings{"links on"}));
  EXPECT_EQ(double_click("abre.htm.scpt"),
            (Strings{"page 2", "navigate http://base/abre.htm.scpt", "focus input", "links on"}));
  // Nothing opens: a program, a missing picture, names leading out of the game folder.
  game().url.clear();  // a missing picture would be fetched
  for (const char* prg : {"prog.exe", "nada.bmp", "../x.htm", "/abs/x.htm", "..\\x.htm",
                          "../abre.scpt", "/tmp/quadro.bmp"})
    EXPECT_EQ(double_click(prg), (Strings{"links on"})) << prg;
  EXPECT_EQ(reg(50), 1);
  // An empty cell has no object to open.
  PanelMove(game(), Panel::Loc, 50, 50);
  host_.log.clear();
  PanelDoubleClick(game(), Panel::Loc);
  EXPECT_TRUE(host_.log.empty());
  EXPECT_TRUE(host_.errors.empty());
}

TEST_F(PanelMouseTest, TheDragPictureIsADiskBitmapOrNoneAndTheDragWorksWithout) {
  Picture picture;
  ASSERT_TRUE(LoadDragPicture(game(), "1.bmp", picture));
  Picture expected(kDragPictureSide, kDragPictureSide, MakeColour(40, 10, 10));
  expected.FillRect(0, 0, 5, 5, kMagenta);  // the magenta pixel, stretched five times
  EXPECT_EQ(picture, expected);

  WriteFile("ruim.bmp", "BM isto nao e uma imagem");
  WriteFile("vazio.bmp", EncodeBmp24(Picture()));
  WriteFile("foto.jpg", EncodeJpeg(Look(1)));
  for (const char* shp : {"", "nada.bmp", "ruim.bmp", "vazio.bmp", "foto.jpg", "../1.bmp"}) {
    Picture untouched = expected;
    EXPECT_FALSE(LoadDragPicture(game(), shp, untouched)) << shp;
    EXPECT_EQ(untouched, expected) << shp;
  }
  // Never from the web, even with an address set.
  game().url = "http://base/";
  EXPECT_FALSE(LoadDragPicture(game(), "remoto.bmp", picture));
  EXPECT_TRUE(host_.requests.empty());
  game().url.clear();

  // A JPEG shows in the panel but gives no drag picture: the drag goes on, tracked without
  // a window, and drops onto ObjJog.
  world().SetObjectLine(1, kShp, "foto.jpg");
  RedrawPanels(game());
  ASSERT_EQ(game().panels().loc_slots, (Slots{1, 2, 3}));
  host_.log.clear();
  Drag(game(), Panel::Loc, 60, 20, 460, 270);
  EXPECT_EQ(PanelSteps(host_.log),
            (Strings{"drag pointer on", "panel pointer L 0", "drag pointer off"}));
  EXPECT_EQ(game().output().status(), "] PEGUE OS LIVRO");
  EXPECT_TRUE(host_.errors.empty());
}

TEST_F(PanelMouseTest, DragsStartedWhileAScriptWaitsEndCleanly) {
  // PEGUE waits; during its wait the player drags LIVRO onto the screen (a sentence inside the
  // sentence) and presses on COPO, releasing only after PEGUE has finished.
  WriteScript("05000000", {"inc 45", "delay 30"});
  int pumps = 0;
  host_.on_pump = [&] {
    host_.clock += 10;
    if (++pumps == 1) Drag(game(), Panel::Loc, 60, 20, 110, 110);
    if (pumps == 2) PanelPress(game(), Panel::Loc, 20, 45);
  };
  Drag(game(), Panel::Loc, 20, 20, 460, 270);
  host_.on_pump = nullptr;
  EXPECT_EQ(std::pair(reg(45), reg(46)), std::pair(1, 1));
  const PanelMouse& mouse = game().panel_mouse();
  EXPECT_EQ(mouse.dragged_record, 20);  // COPO is still held
  // Dropped 10 pixels up and left: onto CAIXA, in the cell above.
  PanelRelease(game(), Panel::Loc, 20, 45);
  EXPECT_EQ(game().output().status(), "] COLOQUE AS COPO NO CAIXA");
  EXPECT_EQ(reg(47), 1);
  EXPECT_EQ(std::tuple(mouse.dragging, mouse.dragged_record, mouse.drag_window_shown),
            std::tuple(false, -1, false));
  EXPECT_TRUE(host_.errors.empty());
}

}  // namespace
}  // namespace zunk::testing
