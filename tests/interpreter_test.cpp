// Line dispatch, register commands and their operands, and control flow across scripts.
#include <climits>
#include <set>

#include "test_support.h"

namespace zunk::testing {
namespace {

struct InterpreterTest : GameTest {
  void SetUp() override { Start(); }
};

TEST_F(InterpreterTest, LineShapesAndResults) {
  // Labels, comments, blank lines, unknown words and words in another case do nothing.
  for (const char* line :
       {"", "   ", ":reg 1,1", "/reg 1,1", "  ; reg 1,1", "REG 1,1", "registro 1,1"}) {
    EXPECT_EQ(Exec(line), kNextLine) << line;
  }
  EXPECT_EQ(world().reg[1], 0);
  EXPECT_EQ(Exec("   reg 1,4"), kNextLine);
  EXPECT_EQ(world().reg[1], 4);

  interp().script_lines.Assign({"reg 1,1", ":alvo", "fim"});
  EXPECT_EQ(Exec("fim"), 3);
  for (const char* line : {"goto alvo", "goto :alvo", "goto alvo  "}) EXPECT_EQ(Exec(line), 1);
  EXPECT_EQ(Exec("goto"), kNextLine);
  interp().timer_context = true;
  interp().timer_script_lines.Assign({":t", "fim"});
  EXPECT_EQ(Exec("fim"), 2);
  EXPECT_EQ(Exec("goto t"), 0);
  EXPECT_FALSE(interp().timer_context);  // a jump leaves the timer's lines
}

TEST_F(InterpreterTest, RegisterOperands) {
  // Register fields: 0..250 by number; anything else that is not a name is register 0.
  for (const auto& [field, index] : std::vector<std::pair<std::string, int>>{
           {"0", 0}, {"250", 250}, {" 17 ", 17}, {"251", 0}, {"-1", 0}, {"300", 0}, {"12a", 0},
           {"+5", 0}, {"99999999999", 0}}) {
    world().reg.fill(0);
    Exec("reg " + field + ",9");
    EXPECT_EQ(world().reg[index], 9) << field;
    EXPECT_EQ(interp().last_reg, index) << field;
    EXPECT_EQ(world().reg[250], index == 250 ? 9 : 0) << field;
  }

  // Values: decimals, then register names; the rest is 0; an empty value does nothing.
  Exec("def 7,meu contador");
  Exec("reg meu contador,-12");
  for (const auto& [text, value] : std::vector<std::pair<std::string, std::int32_t>>{
           {"42", 42}, {"  -7 ", -7}, {"-2147483648", INT_MIN}, {"12a", 0}, {"-", 0}, {"1 2", 0},
           {"+5", 0}, {"", 1234}, {"meu contador", -12}, {" meu contador ", -12}, {"outro", 0},
           {"2147483648", 0}}) {
    world().reg[1] = 1234;
    Exec("reg 1," + text);
    EXPECT_EQ(world().reg[1], value) << text;
  }

  // Every register command sets LastReg, even when it stops early; a bare "inc" does nothing.
  for (const auto& [line, index] : std::vector<std::pair<std::string, int>>{
           {"reg 5,", 5}, {"inc 6", 6}, {"dec meu contador", 7}, {"se= 11,0,x", 11},
           {"def 12,", 12}, {"loop 13,x", 13}, {"rnd 14,5", 14}, {"div 15,0", 15}, {"mul 16", 0},
           {"inc 20", 20}}) {
    Exec(line);
    EXPECT_EQ(interp().last_reg, index) << line;
  }
  world().reg[0] = 3;
  Exec("inc");
  EXPECT_EQ(interp().last_reg, 20);
  EXPECT_EQ(world().reg[0], 3);
}

TEST_F(InterpreterTest, RenamingRegistersRedirectsLaterLookups) {
  for (const char* line : {"def 5,x", "def 7,x", "reg x,1"}) Exec(line);  // the first of that name
  EXPECT_EQ(world().reg[5], 1);
  for (const char* line : {"def 5,y", "reg x,2"}) Exec(line);  // lookups move to the next one
  EXPECT_EQ(world().reg[7], 2);
  EXPECT_EQ(world().reg[5], 1);
  for (const char* line : {"def 9,x", "msg= ", "msg+ %x", "reg 9,42", "msg+ %x"}) Exec(line);
  EXPECT_EQ(shown(), Strings{"042"});  // "%" reads the last register of a name
  world().ClearRegisters();
  Exec("reg x,3");
  EXPECT_EQ(world().reg[0], 3);  // no names after a reset
}

TEST_F(InterpreterTest, ArithmeticWrapsAndSurvivesBadDivisions) {
  RunLines({"reg 1,2147483647", "inc 1", "reg 2,-2147483648", "dec 2",   // wrap both ways
            "reg 3,65536", "mul 3,65536",                                // 2^32 wraps to 0
            "reg 4,2000000000", "add 4,2000000000", "reg 5,-2000000000", "sub 5,2000000000",
            "reg 6,77", "div 6,0",                                       // left as it was
            "reg 7,-2147483648", "div 7,-1",                             // stays INT_MIN
            "reg 8,-7", "div 8,2", "reg 9,5", "mul 9,-3", "sub 9,-1",
            "reg 10,8", "rnd 10,0", "reg 11,8", "rnd 11,1"});
  EXPECT_TRUE(host_.errors.empty());
  const std::vector<std::int32_t> expected = {INT_MIN, INT_MAX, 0,  -294967296, 294967296, 77,
                                              INT_MIN, -3,      -14, 0,          0};
  EXPECT_EQ(std::vector<std::int32_t>(world().reg.begin() + 1, world().reg.begin() + 12), expected);
  std::set<std::int32_t> seen;
  for (int i = 0; i < 300; ++i) seen.insert((Exec("rnd 12,6"), world().reg[12]));
  EXPECT_EQ(seen, (std::set<std::int32_t>{0, 1, 2, 3, 4, 5}));
}

TEST_F(InterpreterTest, LoopsComparisonsAndJumps) {
  RunLines({"reg 1,3", ":volta", "inc 2", "loop 1,volta",  // the body runs 4 times
            "se= 2,4,quatro", "msg# se= falhou", ":quatro",
            "se# 2,4,ruim", "se> 2,4,ruim", "se< 2,4,ruim",
            "se> 2,3,maior", "msg# se> falhou", ":maior",
            "se< 2,5,", "msg# sem rotulo",  // no label: nothing
            "goto escondido", "msg# depois do goto",
            "goto :fim2", "msg# pulada", "  :escondido", "msg# escondida", ":fim2",
            "se< 2,9,final", ":ruim", "msg# ruim", ":final",
            "fim", "msg# depois do fim"});
  EXPECT_EQ(world().reg[1], 0);
  EXPECT_EQ(world().reg[2], 4);
  EXPECT_EQ(shown(), (Strings{"sem rotulo", "depois do goto"}));
  EXPECT_EQ(interp().main_line, 28);

  RunLines({"reg 1,-2", ":l", "inc 2", "loop 1,l"});  // a register at 0 or below does not loop
  EXPECT_EQ(world().reg[1], -2);
  EXPECT_EQ(world().reg[2], 5);
}

TEST_F(InterpreterTest, ScriptHandOverAndAvailability) {
  WriteScript("dois", {"reg 2,2"});
  WriteFile("mapa.png", "png");
  host_.http = [](const HttpRequest& request) {
    const bool ok = request.url.ends_with("/novo.scpt");
    return HttpResult{ok, 200, ok ? EncodeScript({"reg 4,4"}) : "", ""};
  };
  Start("http://jogos.example/aventura/");
  for (const HttpRequest& request : host_.requests) {
    EXPECT_FALSE(request.url.ends_with(".ovt")) << request.url;  // settings: disk only
  }
  RunLines({"reg 1,1", "script dois", "reg 1,99"});
  EXPECT_EQ(world().reg[1] + world().reg[2], 3);
  EXPECT_EQ(interp().cur_script, "dois");

  RunLines({"ifarq dois.scpt,a", "msg# sem dois", ":a", "ifarq nada.scpt,ruim",
            "ifarq MAPA.PNG,b", "msg# sem mapa", ":b", "ifarq nada.png,ruim",
            "ifarq dois.scpt", "fim", ":ruim", "msg# ruim"});
  EXPECT_TRUE(shown().empty());
  EXPECT_TRUE(host_.errors.empty());

  Exec("verifica novo.scpt");  // fetches a missing script
  ASSERT_FALSE(host_.requests.empty());
  EXPECT_EQ(host_.requests.back().url, "http://jogos.example/aventura/novo.scpt");
  Run("novo");
  EXPECT_EQ(world().reg[4], 4);
}

TEST_F(InterpreterTest, EndlessHandOverEndsWithAnError) {
  WriteScript("eu", {"inc 1", "script eu"});
  WriteScript("ping", {"inc 2", "script pong"});
  WriteScript("pong", {"inc 3", "script ping"});
  Run("eu");
  EXPECT_EQ(host_.errors.size(), 1u);
  EXPECT_EQ(world().reg[1], kMaxRunDepth);
  Run("ping");
  ASSERT_EQ(host_.errors.size(), 2u);
  EXPECT_EQ(world().reg[2] + world().reg[3], kMaxRunDepth);
  EXPECT_EQ(interp().run_depth(), 0);

  RunLines({"msg= ainda aqui"});  // the game goes on
  EXPECT_EQ(shown(), Strings{"ainda aqui"});
  EXPECT_EQ(host_.errors.size(), 2u);
}

}  // namespace
}  // namespace zunk::testing
