// Object commands over a small game: where objects are, the plain and the checked moves,
// containers, creating objects, fields, flag bits, counting and panel redraws.
#include <algorithm>
#include <sstream>

#include "picture_files.h"
#include "test_support.h"

namespace zunk::testing {
namespace {

class ObjectCommandsTest : public GameTest {
 protected:
  void SetUp() override {
    WriteFile("teste.plr", "LANTERNA\r\nBAU\r\nCAIXA\r\nCHAVE\r\n");
    std::string messages;
    for (int n = 0; n < 16; ++n) messages += "m" + std::to_string(n) + " \r\n";
    WriteFile("teste.msg", messages);
    WriteFile("lanterna.bmp", EncodeBmp24(Picture(4, 4, 0x00FF00)));
    // Records 0..7: word, description, place, flags, weight, size, picture, three blanks.
    std::string objects =
        "LANTERNA|a lanterna|sala|........|1|2|lanterna.bmp||||BAU|o bau|sala|........|9|3||||"
        "|CAIXA|a caixa|sala|..X.X...|9|3|||||MOEDAS|as moedas|BAU|.X....X.|1|1|||||JOIAS|"
        "as joias|CAIXA|.X....X.|1|1|||||PEDRA|a pedra|jog1|X.......|1|2|||||ESPADA|a espada|"
        "cozinha|........|1|1|||||ANEL|o anel|sala|X|1|grande|||||";
    std::replace(objects.begin(), objects.end(), '|', '\n');
    WriteFile("teste.obj", objects);
    Start();
    world().local = "sala";
    world().reg[kRegCarryLimit] = 10;
    world().reg[kRegCarried] = 1;
  }

  const std::string& Field(int record, int field) { return world().ObjectLine(record, field); }
  // Runs the lines split at ";" and gives the message window's lines joined by "|"; an item
  // "?N" adds " / " and record N's place and flags, and the carried count.
  std::string Say(const std::string& lines) {
    std::istringstream in(lines);
    std::string text, state;
    for (std::string line; std::getline(in, line, ';');) {
      if (line[0] != '?') Exec(line);
      const int r = line[0] == '?' ? std::stoi(line.substr(1)) : -1;
      if (r >= 0)
        state = " / " + Field(r, kLoc) + " " + Field(r, kFlags) + " " +
                std::to_string(world().reg[kRegCarried]);
    }
    for (const std::string& shown_line : shown()) text += (text.empty() ? "" : "|") + shown_line;
    return text + state;
  }
  int Panels() {
    return static_cast<int>(std::count(host_.log.begin(), host_.log.end(), "panels"));
  }
  // Runs each test line with the label "sim" added; "1" for each that jumped, else "0".
  std::string Jumps(std::initializer_list<const char*> lines) {
    std::string jumped;
    for (const char* line : lines) {
      RunLines({line + std::string("sim"), "msg= nao", "goto fora", ":sim", "msg= sim", ":fora"});
      jumped += shown() == Strings{"sim"} ? '1' : '0';
    }
    return jumped;
  }
};

TEST_F(ObjectCommandsTest, CheckedTake) {
  // Carried already is answered before the limit; the limit then refuses and changes nothing.
  world().reg[kRegCarryLimit] = 1;
  EXPECT_EQ(Say("x_peg 5"), "m12 a pedra.");
  EXPECT_EQ(Say("x_peg lanterna;?0"), "m14  / sala ........ 1");
  EXPECT_EQ(Panels(), 0);
  // Out of an open chest here: carried, still marked inside. A closed container names the
  // object, plural or not; then elsewhere, in a container elsewhere, no object at all.
  world().reg[kRegCarryLimit] = 2;  // the take that reaches the limit is allowed
  EXPECT_EQ(Say("x_peg moedas;?3"), "Ok. / jog1 XX....X. 2");
  world().reg[kRegCarryLimit] = 10;
  EXPECT_EQ(Say("x_peg 4"), "N\xE3o existem as joias por aqui.");
  EXPECT_EQ(Say("resbit 7,4;x_peg 4;?4"), "N\xE3o existe as joias por aqui. / CAIXA .X...... 2");
  EXPECT_EQ(Say("x_peg espada"), "m13 a espada.");
  EXPECT_EQ(Say("posobj 1,cozinha;posobj 3,BAU;setbit 2,3;x_peg 3"), "m13 as moedas.");
  EXPECT_EQ(Say("x_peg 99"), "m1 ");
  EXPECT_EQ(Panels(), 2);
}

TEST_F(ObjectCommandsTest, PlainMovesCheckNothingAndRedrawNothing) {
  // The count may go below zero; posobj keeps it and lays the object outside and visible.
  world().reg[kRegCarryLimit] = 0;
  EXPECT_EQ(Say("pega lanterna;?0"), " / jog1 X....... 2");
  EXPECT_EQ(Say("solta 0;solte 5;soltar 5;?5"), " / sala ........ -1");
  EXPECT_EQ(Say("pegue 4;setbit 8,4;posobj 4,loc;?4"), " / sala ......X. 0");
  EXPECT_EQ(Say("posobj 4,cozinha, perto;posobj 99,;?4"), " / cozinha, perto ......X. 0");
  EXPECT_EQ(Panels(), 0);
  EXPECT_EQ(Say("posobj 99,sala"), "m1 ");
}

TEST_F(ObjectCommandsTest, PutIntoAndDrop) {
  // A carried object is put down first and stays down when the container is closed.
  EXPECT_EQ(Say("x_poe pedra,caixa;?5"), "N\xE3o d\xE1, ela est\xE1 fechada. / sala ........ 0");
  EXPECT_EQ(Say("setbit 5,1;x_poe 5,1"), "N\xE3o d\xE1, ele est\xE1 fechado.");
  // Sizes: 2 into 2 does not fit, 2 into 3 does; a size that is no number counts as 0.
  EXPECT_EQ(Say("resbit 5,1;defobj 1,5,2;x_poe 5,1"), "N\xE3o cabe dentro.");
  EXPECT_EQ(Say("defobj 1,5,3;x_poe 5,1;?5"), "Ok. / BAU .X...... 0");
  EXPECT_EQ(Say("x_poe 7,0;?7"), "Ok. / LANTERNA XX 0");
  EXPECT_EQ(Say("defobj 0,5,muito;setbit 1,6;x_poe 6,0"), "m13 a espada.");
  EXPECT_EQ(Say("posobj 6,loc;x_poe 6,0"), "N\xE3o cabe dentro.");
  // Neither an object lying in another location nor a container there takes part.
  EXPECT_EQ(Say("posobj 6,cozinha;x_poe 6,1"), "m13 a espada.");
  EXPECT_EQ(Say("posobj 6,loc;posobj 1,cozinha;x_poe 6,1;?6"), "m13 a espada. / sala ........ 0");
  EXPECT_EQ(Say("msg= a;x_poe 0") + Say("msg= a;x_poe 0,") + Say("msg= a;x_poe 0,nada") +
                Say("msg= a;x_poe 99,0"),
            "m1 m1 m1 m1 ");
  EXPECT_EQ(Say("x_slt 0"), "m15 a lanterna.");
  const int panels = Panels();
  EXPECT_EQ(Say("pega 0;x_slt 0;?0"), "Ok. / sala ........ 0");
  EXPECT_EQ(Say("x_slt 99"), "m1 ");
  EXPECT_EQ(Panels(), panels + 2);
}

TEST_F(ObjectCommandsTest, TestsCountsAndPanels) {
  // ANEL is marked carried but lies here; past the end of its short flags reads '.'.
  EXPECT_EQ(
      Jumps({"ifoloc 0,", "ifojog pedra,", "ifoext 0,", "ifoext   Lanterna,", "ifodnt moedas,bau,",
             "ifbit 3,caixa,", "ifbit 1,7,", "ifoloc 5,", "ifoloc espada,", "ifojog 0,",
             "ifojog 7,", "ifoext 8,", "ifoext nada,", "ifodnt moedas,caixa,",
             "ifodnt moedas,nada,", "ifbit 3,bau,", "ifbit 21,caixa,", "ifbit 9,7,"}),
      "111111100000000000");
  world().reg[kRegWord1] = 2;
  EXPECT_EQ(Jumps({"ifobj1 1,", "ifobj1 0,", "ifobj2 1,"}), "100");
  EXPECT_EQ(world().reg[kRegSentenceObject], 0);
  world().reg[kRegWord1] = 4;  // a word without an object never matches an unknown object
  EXPECT_EQ(Jumps({"ifobj1 nada,"}), "0");
  // lanterna and caixa are counted here: bau is hidden.
  Say("setbit 8,bau;def 60,total;conta total,loc;conta 61,jog;reg 62,7;conta 62,outro");
  EXPECT_EQ(std::to_string(world().reg[60]) + std::to_string(world().reg[61]) +
                std::to_string(world().reg[62]) + " " + std::to_string(interp().last_reg),
            "210 62");
  // objs redraws only the panel it names.
  Say("objs loc");
  EXPECT_EQ(game().panels().loc_slots[0], 1);
  Say("pega 0;objs outro;objs jog");
  EXPECT_EQ(game().panels().loc_slots[0] * 10 + game().panels().jog_slots[0], 11);
  EXPECT_EQ(Panels(), 2);
  world().object_list.Clear();
  EXPECT_EQ(Jumps({"ifoext 0,"}), "0");
}

TEST_F(ObjectCommandsTest, FlagBitsFieldsAndCreating) {
  // Flag bits never write beyond the text.
  EXPECT_EQ(Say("setbit 12,anel;?7"), " / sala X..........X 1");
  EXPECT_EQ(Say("resbit 1, anel;setbit 21,7;setbit 0,7;?7"), " / sala ...........X 1");
  EXPECT_EQ(Say("def 50,qual;reg 50,20;setbit qual,0;?0"), " / sala ...................X 1");
  world().object_list.Set(73, "");
  EXPECT_EQ(Say("pega 7;?7"), " / jog1 X....... 2");
  Say("crie MAPA;criar MAPA;crie CHAVE");
  EXPECT_EQ(Strings(world().object_list.lines().begin() + 80, world().object_list.lines().end()),
            (Strings{"MAPA",  "", "", "....................", "1", "1", "", "", "", "",
                     "CHAVE", "", "", "....................", "1", "1", "", "", "", ""}));
  EXPECT_EQ(world().word_list.lines(), (Strings{"LANTERNA", "BAU", "CAIXA", "CHAVE", "MAPA"}));
  // A partial last record is completed before a new one starts.
  world().object_list.Append("FACA");
  world().object_list.Append("uma faca");
  Say("crie GARFO");
  EXPECT_EQ(Field(10, kDscr) + "|" + Field(11, kPlvr), "uma faca|GARFO");
  // A value may reach the next record, or the one before.
  Say("defobj 0,1,a lanterna, acesa;defobj 0,12,cozinha;defobj 1,-8,outra");
  EXPECT_EQ(Field(0, kDscr) + "|" + Field(1, kLoc) + "|" + Field(0, kLoc),
            "a lanterna, acesa|cozinha|outra");
  // Records or fields out of range, and a missing value, change nothing.
  Say("defobj 0,-1,x;defobj 11,10,x;defobj 12,0,x;defobj 0,1,;defobj 0,1");
  EXPECT_EQ(std::to_string(world().object_list.Count()) + Field(0, kDscr), "120a lanterna, acesa");
}

}  // namespace
}  // namespace zunk::testing
