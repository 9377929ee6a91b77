// Message window commands, their operands, the string register, object lists and
// suggestions, over a small game.
#include <algorithm>

#include "test_support.h"

namespace zunk::testing {
namespace {

class MessagesTest : public GameTest {
 protected:
  void SetUp() override {
    WriteFile("teste.plr", "LANTERNA:LAMPADA\r\nLANTERNA\r\nCHAVE\r\n");
    WriteFile("teste.msg", "zero\r\num\r\ndois\r\n");
    // Objects 1 to 8: word, description, place and flags (an "X" 8th: hidden; 1st: carried).
    std::string objects;
    for (std::string record :
         {"LANTERNA|uma lanterna|sala|........", "CHAVE|uma chave|sala|", "MAPA|um mapa|sala|.",
          "ESPADA|uma espada|sala|.......X", "CHAVE|outra chave|jog1|X",
          "MOEDA|uma moeda|jog1|X.......", "PEDRA|uma pedra|cozinha|.", "LIVRO|um livro|jog1|."}) {
      std::replace(record.begin(), record.end(), '|', '\n');
      objects += record + "\n1\n1\n\n\n\n\n";
    }
    WriteFile("teste.obj", objects);
    Start();
  }
};

TEST_F(MessagesTest, ExtendOperands) {
  RunLines({"def 5,peso", "reg 5,7", "def 6,peso", "reg 6,8", "reg 250,250", "reg 0,-1",
            "msg= Registros:", "msg+ %5", "msg+ /", "msg+ % peso ", "msg+ /", "msg+ %0", "msg+ /",
            "msg+ %250",
            "msg# Objetos:", "msg+ #1", "msg+ /", "msg+ #chave", "msg+ /", "msg+ #nada", "msg+ /",
            "msg+ #8",
            "msg# Mensagens:", "msg+ $1", "msg+ /", "msg+ $ 2", "msg+ /", "msg+ $texto",
            "reg 32,2", "reg 33,1",
            "msg# Frase:", "msg+ obj1", "msg+ /", "msg+ obj2", "msg+ /", "reg 32,3", "msg+ obj1",
            "msg+"});
  EXPECT_EQ(shown(), (Strings{"Registros:7/8/-1/250", "Objetos:uma lanterna/outra chave/?/um livro",
                              "Mensagens:um/dois/texto", "Frase:uma lanterna//uma chave"}));

  // The echo of a typed line empties the window.
  game().output().echo_line = "> abra a porta";
  game().output().ShowEcho();
  EXPECT_TRUE(shown().empty());
  EXPECT_EQ(game().output().status(), "> abra a porta");
  // Out-of-table operands add nothing, not even a line to an empty window; others start one.
  for (const char* line : {"msg+ %251", "msg+ %300", "msg+ #0", "msg+ #9", "msg+ #99", "msg+ $3",
                           "msg+ $99", "msg+ $99999999999"}) {
    Exec(line);
    EXPECT_TRUE(shown().empty()) << line;
  }
  for (const char* line : {"msg+ nova", "msg+ !"}) Exec(line);
  EXPECT_EQ(shown(), Strings{"nova!"});
  for (const char* line : {"msg# dois", "msg= tres", "msg+ !"}) Exec(line);
  EXPECT_EQ(shown(), Strings{"tres!"});
}

TEST_F(MessagesTest, DefMsgAndStringRegister) {
  RunLines({"defmsg -1,tres", "defmsg 0,ZERO", "defmsg 9,nove", "defmsg -2,nada",
            "def 20,qual", "reg 20,1", "defmsg qual,UM, com virgula"});
  EXPECT_EQ(world().message_list.lines(), (Strings{"ZERO", "UM, com virgula", "dois", "tres"}));

  RunLines({"def 40,peso", "reg 40,12", "def 41, sobra", "reg 41,5", "reg 32,2", "str= Carrega",
            "str+ obj1", "str+ obj2", "str+  e pesa", "str+ peso", "str+  sobra", "str+ ."});
  Exec("str#");
  EXPECT_EQ(shown(), Strings{"Carrega uma lanternaobj2 e pesa 12 5."});
  EXPECT_EQ(world().str_reg, "");
}

TEST_F(MessagesTest, ObjectLists) {
  // Visible objects only, in record order, closed with "." however many there are.
  for (const auto& [where, expected] : std::vector<std::pair<std::string, std::string>>{
           {"sala", "Aqui: uma lanterna, uma chave e um mapa."}, {"cozinha", "Aqui: uma pedra."},
           {"porao", "Aqui: "}}) {
    world().local = where;
    Exec("str= Aqui:");
    Exec("list loc");
    EXPECT_EQ(shown(), Strings{expected});
    EXPECT_EQ(world().str_reg, "");
  }
  Exec("list jog");
  EXPECT_EQ(shown(), Strings{" outra chave e uma moeda."});
}

TEST_F(MessagesTest, Suggestions) {
  RunLines({"sgt= 1,Olhar", "sgt# 1,olhar", "sgt= 2,Norte", "sgt# 2,norte", "sgt= 3,Sair",
            "sgt= 4,Demais", "sgt= 0,Nada", "sgt= 3,", "sgt$ 2"});
  const auto& s = game().output().suggestions;
  EXPECT_EQ(s[0].caption + "/" + s[0].script, "Olhar/olhar");
  EXPECT_EQ(s[1].caption + s[1].script, "");
  EXPECT_EQ(s[2].caption, "Sair");
  Exec("sgt$ 0");
  for (const Suggestion& one : s) EXPECT_EQ(one.caption + one.script, "");

  Exec("sgt= 2,Norte");
  Run("nenhum");  // even a missing script starts with none
  EXPECT_EQ(s[1].caption, "");
}

}  // namespace
}  // namespace zunk::testing
