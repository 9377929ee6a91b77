// Moving between locations: exit sections, the exit fields, the location tests, reload, and
// locations that send the player back and forth forever.
#include "test_support.h"

namespace zunk::testing {
namespace {

struct NavigationTest : GameTest {
  void SetUp() override { Start(); }
};

TEST_F(NavigationTest, LeavingRunsEveryExitSectionAndLocationTestsCompareExactly) {
  // The part after the first ":saida" passes over the second label; the second runs again.
  WriteScript("a", {"norte= b", "sul= c", "leste= d", "oeste= e", "msg= em a", "fim", ":saida",
                    "msg# s1", ":saida", "msg# s2"});
  WriteScript("b", {"msg# em b", "oeste= a"});
  Run("a");
  world().reg[15] = world().reg[16] = 7;
  game().links().links[3].active = true;
  EXPECT_EQ(Exec("irpara b"), kRunReplaced);
  EXPECT_EQ(shown(), (Strings{"em a", "s1", "s2", "s2", "em b"}));
  EXPECT_EQ(world().norte + world().sul + world().leste + "|" + world().oeste, "|a");
  EXPECT_EQ(world().reg[15] + world().reg[16] + game().links().links[3].active, 0);
  // A missing location is still entered, and the run ends; an empty irpara does nothing.
  RunLines({"norte= x", "oeste= y", "irpara nada", "inc 1"});
  RunLines({"irpara", "inc 1"});
  EXPECT_EQ(world().local + world().norte + world().oeste + std::to_string(world().reg[1]),
            "nada1");

  interp().script_lines.Assign({":x", "fim"});
  Exec("local=");
  EXPECT_EQ(Exec("ifloc= x"), 0);  // no comma: an empty name, the whole text is the label
  Exec("local= casa");
  for (const char* line : {"ifloc= casa,x", "ifloc# sala,x"}) EXPECT_EQ(Exec(line), 0) << line;
  for (const char* line : {"ifloc= Casa,x", "ifloc= casa ,x", "ifloc= casa,", "ifloc# casa,x",
                           "ifloc= x", "ifgo sala,b", "ifgo casa,"})
    EXPECT_EQ(Exec(line), kNextLine) << line;
  EXPECT_EQ(world().local, "casa");
  // In a run, a failed ifgo lets the next line run; a move ends the run.
  WriteScript("b", {"msg= chegou"});
  RunLines({"ifgo sala,c", "inc 2", "ifgo casa,b", "inc 2"});
  EXPECT_EQ(world().local + std::to_string(world().reg[2]) + shown().back(), "b1chegou");
}

TEST_F(NavigationTest, ReloadRestartsOrEndsTheRun) {
  // reload x runs the location's lines again from the top; a bare reload only reloads them.
  WriteScript("a", {"inc 1", "se> 1,1,fim", "reload x", "inc 2", ":fim"});
  world().local = "a";
  RunLines({"reload x", "inc 3"});
  EXPECT_EQ(interp().cur_script, "t");  // reloaded, not run as a script
  RunLines({"inc 4", "reload", "inc 4"});
  EXPECT_EQ(interp().script_lines.Get(0), "inc 1");
  // A location without a script: the current lines run again from the top.
  world().local = "nada";
  RunLines({"inc 5", "se> 5,1,fim", "reload x", "inc 6", ":fim"});
  // A script that stops decoding ends the run.
  WriteFile("ruim.scpt", EncodeScript({"inc 7"}) + "zz\r\n");
  world().local = "ruim";
  RunLines({"reload x", "inc 8"});
  EXPECT_EQ(std::vector<std::int32_t>(&world().reg[1], &world().reg[9]),
            (std::vector<std::int32_t>{2, 0, 0, 1, 2, 0, 0, 0}));
}

TEST_F(NavigationTest, EndlessMovesEndWithAnErrorAndLeaveTheGameUsable) {
  // Exit sections that send the player back, and locations whose own scripts move on.
  WriteScript("a", {"msg= a", "fim", ":saida", "irpara b"});
  WriteScript("b", {"msg= b", "fim", ":saida", "irpara a"});
  WriteScript("p", {"irpara q"});
  WriteScript("q", {"irpara p"});
  WriteScript("c", {"msg= c", "fim", ":saida", "msg# saiu de c"});
  WriteScript("d", {"msg# em d"});
  for (const char* start : {"a", "p"}) {
    host_.errors.clear();
    Run(start);
    game().ExecLineFromHost("irpara b");
    EXPECT_EQ(interp().run_depth(), 0) << start;
    Run("c");
    game().ExecLineFromHost("irpara d");
    EXPECT_EQ(shown(), (Strings{"c", "saiu de c", "em d"}));
    ASSERT_EQ(host_.errors.size(), 1u);
    EXPECT_NE(host_.errors[0].find("aninhados"), std::string::npos);
  }
}

}  // namespace
}  // namespace zunk::testing
