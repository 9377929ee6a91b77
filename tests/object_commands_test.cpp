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
  Exec("x_peg 5");
  EXPECT_EQ(shown(), Strings{"m12 a pedra."});
  Exec("x_peg lanterna");
  EXPECT_EQ(shown(), Strings{"m14 "});
  EXPECT_EQ(Field(0, kLoc), "sala");
  EXPECT_EQ(Field(0, kFlags), "........");
  EXPECT_EQ(world().reg[kRegCarried], 1);
  EXPECT_EQ(Panels(), 0);

  // Out of an open chest lying here: carried, still marked inside, panels redrawn.
  world().reg[kRegCarryLimit] = 10;
  Exec("x_peg moedas");
  EXPECT_EQ(shown(), Strings{"Ok."});
  EXPECT_EQ(Field(3, kLoc), "jog1");
  EXPECT_EQ(Field(3, kFlags), "XX....X.");
  EXPECT_EQ(world().reg[kRegCarried], 2);
  EXPECT_EQ(Panels(), 2);

  // A closed container names the plural object; a singular one takes no "m".
  Exec("x_peg 4");
  EXPECT_EQ(shown(), Strings{"N\xE3o existem as joias por aqui."});
  Exec("resbit 7,4");
  Exec("x_peg 4");
  EXPECT_EQ(shown(), Strings{"N\xE3o existe as joias por aqui."});
  EXPECT_EQ(Field(4, kLoc), "CAIXA");
  // Elsewhere, or inside a container that is elsewhere, or no object at all.
  Exec("x_peg espada");
  EXPECT_EQ(shown(), Strings{"m13 a espada."});
  Exec("posobj 1,cozinha");
  Exec("posobj 3,BAU");
  Exec("setbit 2,3");
  Exec("x_peg 3");
  EXPECT_EQ(shown(), Strings{"m13 as moedas."});
  Exec("x_peg 99");
  EXPECT_EQ(shown(), Strings{"m1 "});
}

TEST_F(ObjectCommandsTest, PlainMovesCheckNothingAndRedrawNothing) {
  world().reg[kRegCarryLimit] = 0;
  Exec("pega lanterna");
  EXPECT_EQ(Field(0, kLoc), "jog1");
  EXPECT_EQ(Field(0, kFlags), "X.......");
  EXPECT_EQ(world().reg[kRegCarried], 2);
  for (const char* line : {"solta 0", "solte 5", "soltar 5"}) Exec(line);
  EXPECT_EQ(Field(5, kLoc), "sala");
  EXPECT_EQ(world().reg[kRegCarried], -1);  // no check: the count goes below zero
  EXPECT_TRUE(shown().empty());
  EXPECT_EQ(Panels(), 0);

  // posobj keeps the carried count, and lays the object outside and visible.
  Exec("pegue 4");
  Exec("setbit 8,4");
  Exec("posobj 4,loc");
  EXPECT_EQ(Field(4, kLoc), "sala");
  EXPECT_EQ(Field(4, kFlags), "......X.");
  EXPECT_EQ(world().reg[kRegCarried], 0);
  Exec("posobj 4,cozinha, perto");
  EXPECT_EQ(Field(4, kLoc), "cozinha, perto");
  Exec("posobj 99,");
  EXPECT_TRUE(shown().empty());
  Exec("posobj 99,sala");
  EXPECT_EQ(shown(), Strings{"m1 "});
  EXPECT_EQ(Panels(), 0);
}

TEST_F(ObjectCommandsTest, PutIntoAndDrop) {
  // A carried object is put down first and stays down when the container is closed.
  Exec("x_poe pedra,caixa");
  EXPECT_EQ(shown(), Strings{"N\xE3o d\xE1, ela est\xE1 fechada."});
  EXPECT_EQ(Field(5, kLoc), "sala");
  EXPECT_EQ(Field(5, kFlags), "........");
  EXPECT_EQ(world().reg[kRegCarried], 0);
  Exec("setbit 5,1");
  Exec("x_poe 5,1");
  EXPECT_EQ(shown(), Strings{"N\xE3o d\xE1, ele est\xE1 fechado."});
  Exec("resbit 5,1");

  // Sizes: 2 into 2 does not fit, 2 into 3 does; words that are not numbers count as 0.
  Exec("defobj 1,5,2");
  Exec("x_poe 5,1");
  EXPECT_EQ(shown(), Strings{"N\xE3o cabe dentro."});
  Exec("defobj 1,5,3");
  Exec("x_poe 5,1");
  EXPECT_EQ(shown(), Strings{"Ok."});
  EXPECT_EQ(Field(5, kLoc), "BAU");
  EXPECT_EQ(Field(5, kFlags), ".X......");
  Exec("x_poe 7,0");  // "grande" into 2
  EXPECT_EQ(Field(7, kLoc), "LANTERNA");
  Exec("defobj 0,5,muito");
  Exec("setbit 1,6");
  Exec("x_poe 6,0");
  EXPECT_EQ(shown(), Strings{"m13 a espada."});
  Exec("posobj 6,loc");
  Exec("x_poe 6,0");
  EXPECT_EQ(shown(), Strings{"N\xE3o cabe dentro."});  // 1 into 0

  for (const char* line : {"x_poe 0", "x_poe 0,", "x_poe 0,nada", "x_poe 99,0"}) {
    Exec("msg= antes");
    Exec(line);
    EXPECT_EQ(shown(), Strings{"m1 "}) << line;
  }

  Exec("x_slt 0");
  EXPECT_EQ(shown(), Strings{"m15 a lanterna."});
  const int panels = Panels();
  Exec("pega 0");
  Exec("x_slt 0");
  EXPECT_EQ(shown(), Strings{"Ok."});
  EXPECT_EQ(Field(0, kLoc), "sala");
  EXPECT_EQ(Panels(), panels + 2);
  Exec("x_slt 99");
  EXPECT_EQ(shown(), Strings{"m1 "});
}

TEST_F(ObjectCommandsTest, Tests) {
  EXPECT_TRUE(Jumps("ifoloc 0,"));
  EXPECT_FALSE(Jumps("ifoloc 5,"));
  EXPECT_FALSE(Jumps("ifoloc espada,"));
  EXPECT_TRUE(Jumps("ifojog pedra,"));
  EXPECT_FALSE(Jumps("ifojog 0,"));
  EXPECT_FALSE(Jumps("ifojog 7,"));  // carried flag but lying here
  EXPECT_TRUE(Jumps("ifoext 0,"));
  EXPECT_TRUE(Jumps("ifoext   Lanterna,"));
  EXPECT_FALSE(Jumps("ifoext 8,"));
  EXPECT_FALSE(Jumps("ifoext nada,"));
  EXPECT_TRUE(Jumps("ifodnt moedas,bau,"));
  EXPECT_FALSE(Jumps("ifodnt moedas,caixa,"));
  EXPECT_FALSE(Jumps("ifodnt moedas,nada,"));
  world().reg[kRegWord1] = 2;
  EXPECT_TRUE(Jumps("ifobj1 1,"));
  EXPECT_FALSE(Jumps("ifobj1 0,"));
  EXPECT_FALSE(Jumps("ifobj2 1,"));
  EXPECT_EQ(world().reg[kRegSentenceObject], 0);
  world().reg[kRegWord1] = 4;  // a word without an object: an unknown object never matches
  EXPECT_FALSE(Jumps("ifobj1 nada,"));
  EXPECT_TRUE(Jumps("ifbit 3,caixa,"));
  EXPECT_FALSE(Jumps("ifbit 3,bau,"));
  EXPECT_FALSE(Jumps("ifbit 21,caixa,"));
  EXPECT_FALSE(Jumps("ifbit 9,7,"));  // past the end of a short text reads '.'
  EXPECT_TRUE(Jumps("ifbit 1,7,"));

  world().object_list.Clear();
  EXPECT_FALSE(Jumps("ifoext 0,"));
}

TEST_F(ObjectCommandsTest, FlagBitsNeverWriteBeyondTheText) {
  Exec("setbit 12,anel");
  EXPECT_EQ(Field(7, kFlags), "X..........X");
  Exec("resbit 1, anel");
  Exec("setbit 21,7");
  Exec("setbit 0,7");
  EXPECT_EQ(Field(7, kFlags), "...........X");
  Exec("def 50,qual");
  Exec("reg 50,20");
  Exec("setbit qual,0");
  EXPECT_EQ(Field(0, kFlags), "...................X");
  world().object_list.Set(73, "");
  Exec("pega 7");
  EXPECT_EQ(Field(7, kFlags), "X.......");
}

TEST_F(ObjectCommandsTest, CreateAndDefine) {
  Exec("crie MAPA");
  Exec("criar MAPA");
  Exec("crie CHAVE");
  EXPECT_EQ(world().ObjectCount(), 10);
  EXPECT_EQ(world().object_list.lines().back(), "");
  EXPECT_EQ(
      Strings(world().object_list.lines().begin() + 80, world().object_list.lines().begin() + 90),
      (Strings{"MAPA", "", "", "....................", "1", "1", "", "", "", ""}));
  EXPECT_EQ(world().word_list.lines(), (Strings{"LANTERNA", "BAU", "CAIXA", "CHAVE", "MAPA"}));
  EXPECT_EQ(world().FindObjectByWordCode(5), 9);
  EXPECT_EQ(world().FindObjectByWordCode(4), 10);

  // A partial last record is completed before a new one starts.
  world().object_list.Append("FACA");
  world().object_list.Append("uma faca");
  Exec("crie GARFO");
  EXPECT_EQ(world().ObjectCount(), 12);
  EXPECT_EQ(Field(10, kDscr), "uma faca");
  EXPECT_EQ(Field(11, kPlvr), "GARFO");
  EXPECT_EQ(world().object_list.Count(), 120);

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
  Exec("setbit 8,bau");
  Exec("def 60,total");
  Exec("conta total,loc");  // lanterna, caixa
  EXPECT_EQ(world().reg[60], 2);
  EXPECT_EQ(interp().last_reg, 60);
  Exec("conta 61,jog");
  EXPECT_EQ(world().reg[61], 1);
  Exec("reg 62,7");
  Exec("conta 62,outro");
  EXPECT_EQ(world().reg[62], 0);
  EXPECT_EQ(interp().last_reg, 62);

  // objs redraws only the panel it names.
  Exec("objs loc");
  EXPECT_EQ(game().panels().loc_slots[0], 1);
  Exec("pega 0");
  Exec("objs outro");
  Exec("objs jog");
  EXPECT_EQ(game().panels().loc_slots[0], 1);
  EXPECT_EQ(game().panels().jog_slots[0], 1);
  EXPECT_EQ(Panels(), 2);
}

}  // namespace
}  // namespace zunk::testing
