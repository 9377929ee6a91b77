// Message window commands, their operands, the string register, object lists and
// suggestions, over a small game.
#include "test_support.h"

namespace zunk::testing {
namespace {

std::string Record(const std::string& word, const std::string& description, const std::string& loc,
                   const std::string& flags) {
  return word + "\r\n" + description + "\r\n" + loc + "\r\n" + flags + "\r\n1\r\n1\r\n\r\n\r\n\r\n\r\n";
}

class MessagesTest : public GameTest {
 protected:
  void SetUp() override {
    WriteData(".plr", "LANTERNA:LAMPADA\r\nLANTERNA\r\nCHAVE\r\n");
    WriteData(".msg", "zero\r\num\r\ndois\r\n");
    WriteData(".obj", Record("LANTERNA", "uma lanterna", "sala", "........") +  // 1
                          Record("CHAVE", "uma chave", "sala", "") +                // 2
                          Record("MAPA", "um mapa", "sala", ".") +                  // 3
                          Record("ESPADA", "uma espada", "sala", ".......X") +      // 4: hidden
                          Record("CHAVE", "outra chave", "jog1", "X") +             // 5
                          Record("MOEDA", "uma moeda", "jog1", "X.......") +        // 6
                          Record("PEDRA", "uma pedra", "cozinha", ".") +            // 7
                          Record("LIVRO", "um livro", "jog1", "."));                // 8
    Start();
  }
};

TEST_F(MessagesTest, ExtendOperands) {
  RunLines({"def 5,peso", "reg 5,7", "def 6,peso", "reg 6,8", "reg 250,250", "reg 0,-1",
            "msg= Registros:",
            "msg+ %5", "msg+ /", "msg+ % peso ", "msg+ /", "msg+ %0", "msg+ /", "msg+ %250",
            "msg+ %251", "msg+ %300",
            "msg# Objetos:",
            "msg+ #1", "msg+ /", "msg+ #chave", "msg+ /", "msg+ #nada", "msg+ /", "msg+ #8",
            "msg+ #0", "msg+ #9", "msg+ #99",
            "msg# Mensagens:",
            "msg+ $1", "msg+ /", "msg+ $ 2", "msg+ /", "msg+ $texto",
            "msg+ $3", "msg+ $99",
            "reg 32,2", "reg 33,1",
            "msg# Frase:",
            "msg+ obj1", "msg+ /", "msg+ obj2", "msg+ /",
            "reg 32,3", "msg+ obj1",
            "msg+"});
  EXPECT_EQ(output().lines(), (std::vector<std::string>{
                                  "Registros:7/8/-1/250",
                                  "Objetos:uma lanterna/outra chave/?/um livro",
                                  "Mensagens:um/dois/texto",
                                  "Frase:uma lanterna//uma chave"}));
  EXPECT_EQ(output().last_msg_line(), 3);
  EXPECT_EQ(world().reg[30], 2);  // the sentence object found last
  EXPECT_TRUE(host_.errors.empty());

  // Out-of-table operands add nothing, not even a line to an empty window.
  output().ShowMessage("x");
  Exec("msg= Nova");
  EXPECT_EQ(output().lines(), std::vector<std::string>{"Nova"});
  EXPECT_EQ(output().last_msg_line(), 0);
  output().ClearOutput();
  for (const char* line : {"msg+ %251", "msg+ #0", "msg+ #9", "msg+ $3", "msg+ $99999999999"}) {
    Exec(line);
    EXPECT_TRUE(output().lines().empty()) << line;
  }
  Exec("msg+ %250");
  EXPECT_EQ(output().lines(), std::vector<std::string>{"250"});
}

TEST_F(MessagesTest, DefMsgAndStringRegister) {
  RunLines({"defmsg -1,tres", "defmsg 0,ZERO", "defmsg 9,nove", "defmsg -2,nada",
            "def 20,qual", "reg 20,1", "defmsg qual,UM, com virgula",
            "msg= ", "msg+ $3"});
  EXPECT_EQ(world().message_list.lines(),
            (std::vector<std::string>{"ZERO", "UM, com virgula", "dois", "tres"}));
  EXPECT_EQ(output().lines(), std::vector<std::string>{"tres"});

  RunLines({"def 40,peso", "reg 40,12", "def 41, sobra", "reg 41,5", "reg 32,2",
            "str= Carrega", "str+ obj1", "str+ obj2", "str+  e pesa", "str+ peso", "str+  sobra",
            "str+ ."});
  EXPECT_EQ(world().str_reg, "Carrega uma lanternaobj2 e pesa 12 5.");
  Exec("str#");
  EXPECT_EQ(output().lines(), std::vector<std::string>{"Carrega uma lanternaobj2 e pesa 12 5."});
  EXPECT_EQ(world().str_reg, "");
}

TEST_F(MessagesTest, ObjectLists) {
  world().local = "sala";
  Exec("str= Aqui:");
  Exec("list loc");
  EXPECT_EQ(output().lines(), std::vector<std::string>{"Aqui: uma lanterna, uma chave e um mapa."});
  EXPECT_EQ(world().str_reg, "");
  Exec("list jog");
  EXPECT_EQ(output().lines(), std::vector<std::string>{" outra chave e uma moeda."});

  world().local = "cozinha";
  Exec("str= Vejo");
  Exec("list loc");
  EXPECT_EQ(output().lines(), std::vector<std::string>{"Vejo uma pedra."});

  world().local = "porao";
  Exec("str= Nada");
  Exec("list loc");
  EXPECT_EQ(output().lines(), std::vector<std::string>{"Nada "});
  EXPECT_EQ(world().str_reg, "");
}

TEST_F(MessagesTest, Suggestions) {
  RunLines({"sgt= 1,Olhar", "sgt# 1,olhar", "sgt= 2,Norte", "sgt# 2,norte", "sgt= 3,Sair",
            "sgt= 4,Demais", "sgt= 0,Nada", "sgt= 3,", "sgt$ 2"});
  const auto& s = output().suggestions;
  EXPECT_EQ(s[0].caption, "Olhar");
  EXPECT_EQ(s[0].script, "olhar");
  EXPECT_EQ(s[1].caption, "");
  EXPECT_EQ(s[1].script, "");
  EXPECT_EQ(s[2].caption, "Sair");
  Exec("sgt$ 0");
  for (const Suggestion& one : s) EXPECT_EQ(one.caption + one.script, "");

  Exec("sgt= 2,Norte");
  game().RunScriptFromHost("nenhum");  // even a missing script starts with none
  EXPECT_EQ(s[1].caption, "");
}

TEST(OutputTest, EchoAndExtend) {
  Output out;
  out.AddMessageLine("a");
  out.AddMessageLine("b");
  out.ExtendMessageLine("+");
  EXPECT_EQ(out.lines(), (std::vector<std::string>{"a", "b+"}));
  EXPECT_EQ(out.last_msg_line(), 1);
  EXPECT_EQ(out.status(), kInitialStatus);

  out.echo_line = "> abra a porta";
  out.ShowEcho();
  EXPECT_TRUE(out.lines().empty());
  EXPECT_EQ(out.status(), "> abra a porta");
  EXPECT_EQ(out.last_msg_line(), 1);
  out.ExtendMessageLine("nova");  // the old last line is gone: the text starts a new one
  out.ExtendMessageLine("!");
  EXPECT_EQ(out.lines(), std::vector<std::string>{"nova!"});
  EXPECT_EQ(out.last_msg_line(), 0);
}

}  // namespace
}  // namespace zunk::testing
