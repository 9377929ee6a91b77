// Object commands over a small game: where objects are, the plain and the checked moves,
// containers, creating objects, fields, flag bits, counting and panel redraws.
#include <algorithm>

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
    // Records 0..7: word, description, place, flags, weight, size, picture.
    std::string objects;
    for (std::string record :
         {"LANTERNA|a lanterna|sala|........|1|2|lanterna.bmp", "BAU|o bau|sala|........|9|3|",
          "CAIXA|a caixa|sala|..X.X...|9|3|", "MOEDAS|as moedas|BAU|.X....X.|1|1|",
          "JOIAS|as joias|CAIXA|.X....X.|1|1|", "PEDRA|a pedra|jog1|X.......|1|2|",
          "ESPADA|a espada|cozinha|........|1|1|", "ANEL|o anel|sala|X|1|grande|"}) {
      std::replace(record.begin(), record.end(), '|', '\n');
      objects += record + "\n\n\n\n";
    }
    WriteFile("teste.obj", objects);
    Start();
    world().local = "sala";
    world().reg[kRegCarryLimit] = 10;
    world().reg[kRegCarried] = 1;
  }

  const std::string& Field(int record, int field) { return world().ObjectLine(record, field); }
  // Place and flags of a record, and the carried count: "sala ........ 1".
  std::string State(int record) {
    return Field(record, kLoc) + " " + Field(record, kFlags) + " " +
           std::to_string(world().reg[kRegCarried]);
  }
  // Runs a line and returns the message window's lines joined by "|".
  std::string Say(const std::string& line) {
    Exec(line);
    std::string text;
    for (const std::string& shown_line : shown()) text += (text.empty() ? "" : "|") + shown_line;
    return text;
  }
  int Panels() {
    return static_cast<int>(std::count(host_.log.begin(), host_.log.end(), "panels"));
  }
  // Runs a test line with the label "sim" added and tells whether it jumped.
  bool Jumps(const std::string& line) {
    RunLines({line + "sim", "msg= nao", "goto fora", ":sim", "msg= sim", ":fora"});
    return shown() == Strings{"sim"};
  }
};

TEST_F(ObjectCommandsTest, CheckedTake) {
  // Carried already is answered before the limit; the limit then refuses and changes nothing.
  world().reg[kRegCarryLimit] = 1;
  EXPECT_EQ(Say("x_peg 5"), "m12 a pedra.");
  EXPECT_EQ(Say("x_peg lanterna"), "m14 ");
  EXPECT_EQ(State(0), "sala ........ 1");
  EXPECT_EQ(Panels(), 0);

  // Out of an open chest lying here: carried, still marked inside, panels redrawn.
  world().reg[kRegCarryLimit] = 10;
  EXPECT_EQ(Say("x_peg moedas"), "Ok.");
  EXPECT_EQ(State(3), "jog1 XX....X. 2");
  EXPECT_EQ(Panels(), 2);

  // A closed container names the plural object; a singular one takes no "m".
  EXPECT_EQ(Say("x_peg 4"), "N\xE3o existem as joias por aqui.");
  Exec("resbit 7,4");
  EXPECT_EQ(Say("x_peg 4"), "N\xE3o existe as joias por aqui.");
  EXPECT_EQ(State(4), "CAIXA .X...... 2");
  // Elsewhere, inside a container that is elsewhere, or no object at all.
  EXPECT_EQ(Say("x_peg espada"), "m13 a espada.");
  for (const char* line : {"posobj 1,cozinha", "posobj 3,BAU", "setbit 2,3"}) Exec(line);
  EXPECT_EQ(Say("x_peg 3"), "m13 as moedas.");
  EXPECT_EQ(Say("x_peg 99"), "m1 ");
}

TEST_F(ObjectCommandsTest, PlainMovesCheckNothingAndRedrawNothing) {
  world().reg[kRegCarryLimit] = 0;
  Exec("pega lanterna");
  EXPECT_EQ(State(0), "jog1 X....... 2");
  for (const char* line : {"solta 0", "solte 5", "soltar 5"}) Exec(line);
  EXPECT_EQ(State(5), "sala ........ -1");  // no check: the count goes below zero

  // posobj keeps the carried count, and lays the object outside and visible.
  for (const char* line : {"pegue 4", "setbit 8,4", "posobj 4,loc"}) Exec(line);
  EXPECT_EQ(State(4), "sala ......X. 0");
  Exec("posobj 4,cozinha, perto");
  EXPECT_EQ(Field(4, kLoc), "cozinha, perto");
  EXPECT_EQ(Say("posobj 99,"), "");
  EXPECT_EQ(Panels(), 0);
  EXPECT_EQ(Say("posobj 99,sala"), "m1 ");
}

TEST_F(ObjectCommandsTest, PutIntoAndDrop) {
  // A carried object is put down first and stays down when the container is closed.
  EXPECT_EQ(Say("x_poe pedra,caixa"), "N\xE3o d\xE1, ela est\xE1 fechada.");
  EXPECT_EQ(State(5), "sala ........ 0");
  Exec("setbit 5,1");
  EXPECT_EQ(Say("x_poe 5,1"), "N\xE3o d\xE1, ele est\xE1 fechado.");
  Exec("resbit 5,1");

  // Sizes: 2 into 2 does not fit, 2 into 3 does; words that are not numbers count as 0.
  Exec("defobj 1,5,2");
  EXPECT_EQ(Say("x_poe 5,1"), "N\xE3o cabe dentro.");
  Exec("defobj 1,5,3");
  EXPECT_EQ(Say("x_poe 5,1"), "Ok.");
  EXPECT_EQ(State(5), "BAU .X...... 0");
  EXPECT_EQ(Say("x_poe 7,0"), "Ok.");  // "grande" into 2
  EXPECT_EQ(State(7), "LANTERNA XX 0");
  for (const char* line : {"defobj 0,5,muito", "setbit 1,6"}) Exec(line);
  EXPECT_EQ(Say("x_poe 6,0"), "m13 a espada.");
  Exec("posobj 6,loc");
  EXPECT_EQ(Say("x_poe 6,0"), "N\xE3o cabe dentro.");  // 1 into 0
  // Neither an object lying in another location nor a container there takes part.
  Exec("posobj 6,cozinha");
  EXPECT_EQ(Say("x_poe 6,1"), "m13 a espada.");
  for (const char* line : {"posobj 6,loc", "posobj 1,cozinha"}) Exec(line);
  EXPECT_EQ(Say("x_poe 6,1"), "m13 a espada.");
  EXPECT_EQ(State(6), "sala ........ 0");

  for (const char* line : {"x_poe 0", "x_poe 0,", "x_poe 0,nada", "x_poe 99,0"}) {
    Exec("msg= antes");
    EXPECT_EQ(Say(line), "m1 ") << line;
  }

  EXPECT_EQ(Say("x_slt 0"), "m15 a lanterna.");
  const int panels = Panels();
  Exec("pega 0");
  EXPECT_EQ(Say("x_slt 0"), "Ok.");
  EXPECT_EQ(State(0), "sala ........ 0");
  EXPECT_EQ(Panels(), panels + 2);
  EXPECT_EQ(Say("x_slt 99"), "m1 ");
}

TEST_F(ObjectCommandsTest, Tests) {
  for (const char* line : {"ifoloc 0,", "ifojog pedra,", "ifoext 0,", "ifoext   Lanterna,",
                           "ifodnt moedas,bau,", "ifbit 3,caixa,", "ifbit 1,7,"}) {
    EXPECT_TRUE(Jumps(line)) << line;
  }
  // ANEL is marked carried but lies here; past the end of its short flags reads '.'.
  for (const char* line : {"ifoloc 5,", "ifoloc espada,", "ifojog 0,", "ifojog 7,", "ifoext 8,",
                           "ifoext nada,", "ifodnt moedas,caixa,", "ifodnt moedas,nada,",
                           "ifbit 3,bau,", "ifbit 21,caixa,", "ifbit 9,7,"}) {
    EXPECT_FALSE(Jumps(line)) << line;
  }
  world().reg[kRegWord1] = 2;
  EXPECT_TRUE(Jumps("ifobj1 1,"));
  EXPECT_FALSE(Jumps("ifobj1 0,"));
  EXPECT_FALSE(Jumps("ifobj2 1,"));
  EXPECT_EQ(world().reg[kRegSentenceObject], 0);
  world().reg[kRegWord1] = 4;  // a word without an object never matches an unknown object
  EXPECT_FALSE(Jumps("ifobj1 nada,"));

  world().object_list.Clear();
  EXPECT_FALSE(Jumps("ifoext 0,"));
}

TEST_F(ObjectCommandsTest, FlagBitsNeverWriteBeyondTheText) {
  Exec("setbit 12,anel");
  EXPECT_EQ(Field(7, kFlags), "X..........X");
  for (const char* line : {"resbit 1, anel", "setbit 21,7", "setbit 0,7"}) Exec(line);
  EXPECT_EQ(Field(7, kFlags), "...........X");
  for (const char* line : {"def 50,qual", "reg 50,20", "setbit qual,0"}) Exec(line);
  EXPECT_EQ(Field(0, kFlags), "...................X");
  world().object_list.Set(73, "");
  Exec("pega 7");
  EXPECT_EQ(Field(7, kFlags), "X.......");
}

TEST_F(ObjectCommandsTest, CreateAndDefine) {
  for (const char* line : {"crie MAPA", "criar MAPA", "crie CHAVE"}) Exec(line);
  const Strings& lines = world().object_list.lines();
  EXPECT_EQ(Strings(lines.begin() + 80, lines.end()),
            (Strings{"MAPA",  "", "", "....................", "1", "1", "", "", "", "",
                     "CHAVE", "", "", "....................", "1", "1", "", "", "", ""}));
  EXPECT_EQ(world().word_list.lines(), (Strings{"LANTERNA", "BAU", "CAIXA", "CHAVE", "MAPA"}));
  EXPECT_EQ(world().FindObjectByWordCode(5), 9);

  // A partial last record is completed before a new one starts.
  world().object_list.Append("FACA");
  world().object_list.Append("uma faca");
  Exec("crie GARFO");
  EXPECT_EQ(world().object_list.Count(), 120);
  EXPECT_EQ(Field(10, kDscr), "uma faca");
  EXPECT_EQ(Field(11, kPlvr), "GARFO");

  Exec("defobj 0,1,a lanterna, acesa");
  EXPECT_EQ(Field(0, kDscr), "a lanterna, acesa");
  Exec("defobj 0,12,cozinha");  // the value reaches the next record
  EXPECT_EQ(Field(1, kLoc), "cozinha");
  Exec("defobj 1,-8,outra");
  EXPECT_EQ(Field(0, kLoc), "outra");
  for (const char* line :
       {"defobj 0,-1,x", "defobj 11,10,x", "defobj 12,0,x", "defobj 0,1,", "defobj 0,1"}) {
    Exec(line);
    EXPECT_EQ(world().object_list.Count(), 120) << line;
    EXPECT_EQ(Field(0, kDscr), "a lanterna, acesa") << line;
  }
}

TEST_F(ObjectCommandsTest, CountAndRedrawPanels) {
  for (const char* line : {"setbit 8,bau", "def 60,total", "conta total,loc"}) Exec(line);
  EXPECT_EQ(world().reg[60], 2);  // lanterna and caixa: bau is hidden
  EXPECT_EQ(interp().last_reg, 60);
  Exec("conta 61,jog");
  EXPECT_EQ(world().reg[61], 1);
  for (const char* line : {"reg 62,7", "conta 62,outro"}) Exec(line);
  EXPECT_EQ(world().reg[62], 0);
  EXPECT_EQ(interp().last_reg, 62);

  // objs redraws only the panel it names.
  Exec("objs loc");
  EXPECT_EQ(game().panels().loc_slots[0], 1);
  for (const char* line : {"pega 0", "objs outro", "objs jog"}) Exec(line);
  EXPECT_EQ(game().panels().loc_slots[0], 1);
  EXPECT_EQ(game().panels().jog_slots[0], 1);
  EXPECT_EQ(Panels(), 2);
}

}  // namespace
}  // namespace zunk::testing
