// The clock and its countdown script, the periodic timer, the waits and restart, with timer
// scripts and waits that start other runs in the middle of one.
#include "test_support.h"

namespace zunk::testing {
namespace {

struct TimersTest : GameTest {
  void SetUp() override {
    Start("http://jogo/");
    host_.log.clear();  // the fetches of the missing data files
    host_.requests.clear();
  }
  void Tick(int n = 1) {
    for (int i = 0; i < n; ++i) game().ClockTick();
  }
  std::vector<std::int32_t> Regs(std::initializer_list<int> numbers) {
    std::vector<std::int32_t> values;
    for (int n : numbers) values.push_back(world().reg[n]);
    return values;
  }
};

TEST_F(TimersTest, ClockRollsOverOnlyAtExactLimits) {
  Tick();  // off at start
  EXPECT_EQ(world().reg[21], 0);
  for (const char* line : {"timer= ligado", "timer= on"}) Exec(line);
  EXPECT_EQ(host_.log, Strings{"clock on"});
  using Clock = std::vector<std::int32_t>;  // seconds, minutes, hours, days
  for (const auto& [before, after] :
       std::vector<std::pair<Clock, Clock>>{{{59, 59, 23, 4}, {0, 0, 0, 5}},
                                            {{59, 59, 22, 0}, {0, 0, 23, 0}},
                                            {{75, 59, 23, 0}, {76, 59, 23, 0}},
                                            {{INT32_MAX, 0, 0, 0}, {INT32_MIN, 0, 0, 0}}}) {
    for (int i = 0; i < 4; ++i) world().reg[std::array{21, 11, 12, 13}[i]] = before[i];
    Tick();
    EXPECT_EQ(Regs({21, 11, 12, 13}), after) << before[0];
  }
  Exec("timer= off");
  Tick();
  EXPECT_EQ(world().reg[21], INT32_MIN);
}

TEST_F(TimersTest, CountdownScriptRunsAtEveryTickWhileTheCountIsZero) {
  WriteScript("alarme", {"inc 50"});
  for (const char* line : {"timer= on", "fncdef 11,x", "fncdef 0,x", "fncdef 10,", "fncdef 10"}) {
    Exec(line);
  }
  Tick();
  EXPECT_EQ(world().reg[50], 0);  // nothing was armed
  Exec("fncdef 10,alarme");
  world().reg[14] = 2;
  Tick();
  EXPECT_EQ(Regs({14, 50}), (std::vector{1, 0}));
  Tick(3);
  EXPECT_EQ(Regs({14, 50}), (std::vector{0, 3}));
  world().reg[14] = -3;  // never counted down, never runs the script
  Tick(2);
  EXPECT_EQ(Regs({14, 50}), (std::vector{-3, 3}));
}

TEST_F(TimersTest, RuntimeStartsOnlyWhenItsSetUpSucceeds) {
  for (const char* line :
       {"runtime 0,tk", "runtime -200,tk", "runtime 500", "runtime 500,  ", "runtime 500,falta"}) {
    Exec(line);
    EXPECT_FALSE(game().timers().periodic_on) << line;
  }
  // The missing script's name was kept: the same name later starts without loading.
  WriteScript("falta", {"inc 1"});
  Exec("runtime 300, falta ");
  EXPECT_EQ(host_.log.back(), "periodic on 300");
  game().PeriodicTick();
  EXPECT_EQ(world().reg[1], 0);
  EXPECT_EQ(std::count(host_.log.begin(), host_.log.end(), "periodic off"), 6);
}

TEST_F(TimersTest, FileModeRunsTheWholeScriptEachTickWithItsOwnLabels) {
  WriteScript("tk", {"inc 40", "goto fim", "inc 41", ":fim", "inc 42"});
  Exec("runtime 100,tk");
  game().PeriodicTick();
  game().PeriodicTick();
  EXPECT_EQ(Regs({40, 41, 42}), (std::vector{2, 0, 2}));
  EXPECT_FALSE(interp().timer_context);  // a later run's fim or jump is its own
  Exec("runtime off");
  game().PeriodicTick();
  EXPECT_EQ(world().reg[40], 2);
}

TEST_F(TimersTest, LabelModeRunsTheCurrentScriptFromItsLabelAndLoadsNothing) {
  RunLines({"runtime 500,:tique", "fim", ":tique", "inc 44", ":tique", "inc 45"});
  EXPECT_EQ(host_.log.back(), "periodic on 500");
  game().PeriodicTick();
  game().PeriodicTick();
  EXPECT_EQ(Regs({44, 45}), (std::vector{2, 2}));
  EXPECT_TRUE(interp().timer_script_lines.Empty());
  EXPECT_TRUE(host_.requests.empty());
}

TEST_F(TimersTest, TimerScriptsThatRestartOrMoveFinishSafely) {
  WriteScript("zera", {"reg 70,5", "restart", "inc 70"});
  Exec("runtime 100,zera");
  game().PeriodicTick();
  game().PeriodicTick();  // the timer is off now
  EXPECT_FALSE(game().timers().periodic_on);
  EXPECT_EQ(world().reg[70], 1);  // the tick ran to its end after the reset

  WriteScript("anda", {"irpara sala", "inc 71"});
  WriteScript("sala", {"msg= na sala", "fim", "inc 72", ":saida", "msg# saiu"});
  Exec("runtime 100,anda");
  game().PeriodicTick();
  EXPECT_EQ(world().local, "sala");
  EXPECT_EQ(Regs({71, 72}), (std::vector{0, 0}));  // sala's fim ended sala
  EXPECT_EQ(shown(), Strings{"na sala"});
  EXPECT_TRUE(host_.errors.empty());
  EXPECT_EQ(interp().run_depth(), 0);
}

TEST_F(TimersTest, WaitsPumpThenSleepOrSpinAndNeverWaitForNegativeTimes) {
  for (const char* line : {"pausa 30", "pausa -5", "delay 0", "delay -5"}) Exec(line);
  EXPECT_EQ(host_.log, (Strings{"pump", "sleep 30", "pump", "sleep 0"}));

  // delay lets events run until its time has passed, across the tick count's wrap-around.
  int pumps = 0;
  host_.on_pump = [&] {
    ++pumps;
    host_.clock += 30;
  };
  for (std::uint32_t start : {1000u, 0xFFFFFFF0u}) {
    pumps = 0;
    host_.clock = start;
    Exec("delay 100");
    EXPECT_EQ(pumps, 4) << start;
  }
}

TEST_F(TimersTest, ASentenceTypedDuringDelayMovesAndEndsTheWaitingRun) {
  WriteFile("teste.vrb", "NORTE\r\n");
  Start();
  WriteScript("a", {"norte= b", "delay 50", "inc 61", "fim", ":saida", "inc 62"});
  WriteScript("b", {"inc 60"});
  bool once = true;
  host_.on_pump = [&] {
    host_.clock += 10;
    if (std::exchange(once, false)) game().EnterSentence("norte");
  };
  Run("a");
  EXPECT_EQ(world().local, "b");
  // a's exit section and b ran; the waiting run found b's lines and ended
  EXPECT_EQ(Regs({60, 61, 62}), (std::vector{1, 0, 1}));
  EXPECT_TRUE(host_.errors.empty());
}

TEST_F(TimersTest, RestartReloadsDataAndResetsOnlyWhatItShould) {
  WriteFile("teste.ign", "DE\r\n");
  WriteFile("teste.plr", "LANTERNA\r\n");
  WriteFile("teste.msg", "velha\r\n");
  Start();
  std::filesystem::remove(dir_.path() / "teste.ign");
  std::filesystem::remove(dir_.path() / "teste.plr");
  WriteFile("teste.msg", "nova\r\n");
  WriteScript("novo", {"msg= novo correu"});
  for (const char* line :
       {"def 5,x", "reg 5,9", "reg 14,3", "fncdef 3,f3", "fncdef 10,f10", "str= guardado",
        "local= sala", "norte= rua", "timer= on", "runtime 10,:t", "msg= antes"}) {
    Exec(line);
  }
  game().screen().hud_on = true;
  game().links().links[0].active = true;
  game().panels().loc.SetPixel(1, 1, kWhite);
  game().panels().jog_slots[0] = 1;
  host_.log.clear();

  RunLines({"restart novo", "inc 9"});
  EXPECT_EQ(host_.log, (Strings{"periodic off", "page 0", "panels"}));
  EXPECT_EQ(world().reg[9], 1);  // the run went on
  EXPECT_EQ(world().fncdef[1], "novo");
  EXPECT_TRUE(shown().empty());  // the new start script did not run
  EXPECT_EQ(game().output().status(), "");
  EXPECT_EQ(world().ignored_words.Text(), std::string(kDefaultIgnoredWords) + "\r\n");
  EXPECT_EQ(world().word_list.Get(0), "LANTERNA");  // a missing file keeps its lines
  EXPECT_EQ(world().message_list.Get(0), "nova");
  Exec("reg x,4");  // the name is gone: register 0
  EXPECT_EQ(Regs({5, 14}), (std::vector{0, 0}));
  EXPECT_EQ(world().fncdef[3] + world().fncdef[10], "");
  EXPECT_EQ(world().str_reg + world().local + world().norte + interp().timer_script,
            "guardadosalarua:t");
  EXPECT_TRUE(game().timers().clock_on);
  EXPECT_FALSE(game().timers().periodic_on || game().screen().hud_on ||
               game().links().links[0].active);
  EXPECT_EQ(game().panels().loc.Pixel(1, 1), kMagenta);
  EXPECT_EQ(game().panels().jog_slots[0], 0);

  Exec("restart");
  EXPECT_EQ(world().fncdef[1], "novo");
}

}  // namespace
}  // namespace zunk::testing
