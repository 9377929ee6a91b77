// The clock and its countdown script, the periodic timer, the waits and restart, with timer
// scripts and waits that start other runs in the middle of one.
#include "test_support.h"

namespace zunk::testing {
namespace {

using Values = std::vector<std::int32_t>;

struct TimersTest : GameTest {
  void SetUp() override {
    Start("http://jogo/");
    host_.log.clear();  // the fetches of the missing data files
    host_.requests.clear();
  }
  void Tick(int clock, int periodic = 0) {
    while (clock-- > 0) game().ClockTick();
    while (periodic-- > 0) game().PeriodicTick();
  }
  Values Regs(std::initializer_list<int> numbers) {
    Values values;
    for (int n : numbers) values.push_back(world().reg[n]);
    return values;
  }
};

TEST_F(TimersTest, ClockRollsOverOnlyAtExactLimitsAndCountsDownToItsScript) {
  Exec("timer= ligado");
  Tick(1);  // still off
  EXPECT_EQ(world().reg[21], 0);
  Exec("timer= on");
  EXPECT_EQ(host_.log, Strings{"clock on"});
  // Seconds, minutes, hours, days before a tick, then after it.
  for (const Values& c :
       {Values{59, 59, 23, 4, 0, 0, 0, 5}, Values{59, 59, 22, 0, 0, 0, 23, 0},
        Values{75, 59, 23, 0, 76, 59, 23, 0}, Values{INT32_MAX, 0, 0, 0, INT32_MIN, 0, 0, 0}}) {
    for (int i = 0; i < 4; ++i) world().reg[std::array{21, 11, 12, 13}[i]] = c[i];
    Tick(1);
    EXPECT_EQ(Regs({21, 11, 12, 13}), Values(c.begin() + 4, c.end())) << c[0];
  }
  // The countdown script runs at every tick while register 14 is zero.
  WriteScript("alarme", {"inc 50"});
  for (const char* line : {"fncdef 11,x", "fncdef 0,x", "fncdef 10,", "fncdef 10"}) Exec(line);
  Tick(1);
  EXPECT_EQ(world().reg[50], 0);  // nothing was armed
  Exec("fncdef 10,alarme");
  // Register 14 set, ticks, then registers 14 and 50; a negative count never runs the script.
  for (const auto& [count, ticks, left, runs] :
       std::vector<std::array<int, 4>>{{2, 1, 1, 0}, {1, 3, 0, 3}, {-3, 2, -3, 3}}) {
    world().reg[14] = count;
    Tick(ticks);
    EXPECT_EQ(Regs({14, 50}), (Values{left, runs})) << count;
  }
  Exec("timer= off");
  Tick(1);
  EXPECT_EQ(world().reg[21], INT32_MIN + 7);
}

TEST_F(TimersTest, RuntimeStartsOnlyWhenItsSetUpSucceedsAndRunsFilesOrLabels) {
  for (const char* line :
       {"runtime 0,tk", "runtime -200,tk", "runtime 500", "runtime 500,  ", "runtime 500,falta"}) {
    Exec(line);
    EXPECT_FALSE(game().timers().periodic_on) << line;
  }
  // The missing script's name was kept: the same name later starts without loading.
  WriteScript("falta", {"inc 1"});
  Exec("runtime 300, falta ");
  EXPECT_EQ(host_.log.back(), "periodic on 300");
  Tick(0, 1);
  EXPECT_EQ(world().reg[1], 0);
  EXPECT_EQ(std::count(host_.log.begin(), host_.log.end(), "periodic off"), 6);

  // A file runs whole at each tick with its own labels; a label runs the current lines.
  WriteScript("tk", {"inc 40", "goto fim", "inc 41", ":fim", "inc 42"});
  Exec("runtime 100,tk");
  Tick(0, 2);
  EXPECT_EQ(Regs({40, 41, 42}), (Values{2, 0, 2}));
  EXPECT_FALSE(interp().timer_context);  // a later run's fim or jump is its own
  Exec("runtime off");
  Tick(0, 1);
  EXPECT_EQ(world().reg[40], 2);
  host_.requests.clear();
  RunLines({"runtime 500,:tique", "fim", ":tique", "inc 44", ":tique", "inc 45"});
  Tick(0, 2);
  EXPECT_EQ(Regs({40, 44, 45}), (Values{2, 2, 2}));
  EXPECT_TRUE(host_.requests.empty());

  // Timer scripts that reset the game or move finish safely.
  WriteScript("zera", {"reg 70,5", "restart", "inc 70"});
  Exec("runtime 100,zera");
  Tick(0, 2);                     // the timer is off after the first
  EXPECT_EQ(world().reg[70], 1);  // the tick ran to its end after the reset
  WriteScript("anda", {"irpara sala", "inc 71"});
  WriteScript("sala", {"msg= na sala", "fim", "inc 72", ":saida", "msg# saiu"});
  Exec("runtime 100,anda");
  Tick(0, 1);
  EXPECT_EQ(world().local, "sala");
  EXPECT_EQ(Regs({71, 72}), (Values{0, 0}));  // sala's fim ended sala
  EXPECT_EQ(shown(), Strings{"na sala"});
  EXPECT_TRUE(host_.errors.empty() && interp().run_depth() == 0);
}

TEST_F(TimersTest, WaitsSkipNegativeTimesOutliveTheTickWrapAndLetSentencesMove) {
  for (const char* line : {"pausa 30", "pausa -5", "delay 0", "delay -5"}) Exec(line);
  EXPECT_EQ(host_.log, (Strings{"pump", "sleep 30", "pump", "sleep 0"}));
  for (std::uint32_t start : {1000u, 0xFFFFFFF0u}) {
    int pumps = 0;
    host_.on_pump = [&] { ++pumps, host_.clock += 30; };
    host_.clock = start;
    Exec("delay 100");
    EXPECT_EQ(pumps, 4) << start;
  }
  host_.on_pump = nullptr;  // it counted into the loop's variable
  // A sentence typed during delay moves; the waiting run finds the new lines and ends.
  WriteFile("teste.vrb", "NORTE\r\n");
  Start();
  WriteScript("a", {"norte= b", "delay 50", "inc 61", "fim", ":saida", "inc 62"});
  WriteScript("b", {"inc 60"});
  host_.on_pump = [&, once = true]() mutable {
    host_.clock += 10;
    if (std::exchange(once, false)) game().EnterSentence("norte");
  };
  Run("a");
  EXPECT_EQ(world().local, "b");
  EXPECT_EQ(Regs({60, 61, 62}), (Values{1, 0, 1}));
  EXPECT_TRUE(host_.errors.empty());
}

// The clock ticks every 1000 ms of a virtual clock that each pump moves on by 1 ms.
TEST_F(TimersTest, CountdownThatWaitsIsNotStartedAgainAndRefusedRunsLeaveTheWaitingOne) {
  host_.on_pump = [&] {
    if (++host_.clock % 1000 == 0) game().ClockTick();
  };
  interp().SetLineBudget(10000);  // ends a livelock instead of hanging the test
  WriteScript("tick", {"inc 10", "delay 3000"});
  RunLines({"fncdef 10,tick", "reg 14,1", "timer= on", "delay 10000"});
  EXPECT_TRUE(host_.errors.empty()) << host_.errors.front();
  // Started at 1 s, 5 s and 9 s; the last start ran past the outer wait, to 12 s.
  EXPECT_EQ(Regs({10, 21}), (Values{3, 12}));

  // A tick during a wait at the deepest nesting: the countdown run is refused, and the
  // waiting run goes on with its own lines.
  WriteScript("x", {"inc 62", "inc 63"});
  WriteScript("fundo", {"inc 60", "se< 60," + std::to_string(kMaxRunDepth) + ",desce", "delay 1000",
                        "inc 61", "fim", ":desce", "script fundo"});
  Exec("fncdef 10,x");
  Run("fundo");
  ASSERT_EQ(host_.errors.size(), 1u);
  EXPECT_EQ(Regs({60, 61, 62, 63}), (Values{kMaxRunDepth, 1, 0, 0}));
  host_.on_pump = nullptr;
}

TEST_F(TimersTest, RestartReloadsDataAndResetsOnlyWhatItShould) {
  WriteFile("teste.ign", "DE\r\n");
  WriteFile("teste.plr", "LANTERNA\r\n");
  WriteFile("teste.msg", "velha\r\n");
  Start();
  for (const char* name : {"teste.ign", "teste.plr"}) std::filesystem::remove(dir_.path() / name);
  WriteFile("teste.msg", "nova\r\n");
  WriteScript("novo", {"msg= novo correu"});
  for (const char* line :
       {"def 5,x", "reg 5,9", "reg 14,3", "fncdef 3,f3", "fncdef 10,f10", "str= guardado",
        "local= sala", "norte= rua", "timer= on", "runtime 10,:t", "msg= antes"}) {
    Exec(line);
  }
  game().screen().hud_on = game().links().links[0].active = true;
  game().panels().loc.SetPixel(1, 1, kWhite);
  game().panels().jog_slots[0] = 1;
  host_.log.clear();
  RunLines({"restart novo", "inc 9"});
  EXPECT_EQ(host_.log, (Strings{"periodic off", "page 0", "panels"}));
  EXPECT_TRUE(shown().empty());  // the new start script did not run; this run went on
  Exec("reg x,4");               // the name is gone: register 0
  EXPECT_EQ(Regs({9, 5, 14}), (Values{1, 0, 0}));
  EXPECT_EQ(world().fncdef[1] + world().fncdef[3] + world().fncdef[10] + game().output().status(),
            "novo");
  // Data files are read again; a missing one keeps its lines.
  EXPECT_EQ(world().ignored_words.Text() + world().word_list.Get(0) + world().message_list.Get(0),
            std::string(kDefaultIgnoredWords) + "\r\nLANTERNAnova");
  EXPECT_EQ(world().str_reg + world().local + world().norte + interp().timer_script,
            "guardadosalarua:t");
  EXPECT_TRUE(game().timers().clock_on && !game().timers().periodic_on && !game().screen().hud_on &&
              !game().links().links[0].active);
  EXPECT_EQ(game().panels().loc.Pixel(1, 1), kMagenta);
  EXPECT_EQ(game().panels().jog_slots[0], 0);
  Exec("restart");
  EXPECT_EQ(world().fncdef[1], "novo");
}

}  // namespace
}  // namespace zunk::testing
