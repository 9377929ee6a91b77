// The run loops' kept line readings against reading every line from its text: random scripts
// mixing register lines, compares, loops, jumps, register names, messages, hand-overs and
// lists replaced or edited in the middle of a run must leave everything observable the same.
#include <random>

#include "test_support.h"

namespace zunk::testing {
namespace {

class ScriptMaker {
 public:
  explicit ScriptMaker(std::uint32_t seed) : random_(seed) {}

  int Below(int n) { return std::uniform_int_distribution<int>(0, n - 1)(random_); }
  template <typename T>
  const T& Pick(const std::vector<T>& from) {
    return from[Below(static_cast<int>(from.size()))];
  }

  std::string Name() { return Pick<std::string>({"a", "b", "conta", "x y", "a1", "zz"}); }
  std::string Label() { return Pick<std::string>({"l0", "l1", "l2", "l3", "falta"}); }

  // Register fields as scripts write them, the odd ones included.
  std::string RegisterField() {
    switch (Below(6)) {
      case 0:
        return Name();
      case 1:
        return " " + Name() + " ";
      case 2:
        return Pick<std::string>({"0", "250", "251", "-1", "+5", "12a", "", " 7 ", "9999999999"});
      default:
        return std::to_string(1 + Below(12));
    }
  }
  std::string ValueField() {
    switch (Below(7)) {
      case 0:
        return Name();
      case 1:
        return Pick<std::string>({"2147483647", "-2147483648", "2147483648", "-", "", " -3 ", "+4",
                                  "1 2", "0", "-1", "65536", "1000000007"});
      default:
        return std::to_string(Below(21) - 10);
    }
  }
  std::string JumpField() {
    switch (Below(5)) {
      case 0:
        return ":" + Label();
      case 1:
        return Label() + "  ";
      default:
        return Label();
    }
  }

  std::string Line(int scripts) {
    static const std::vector<std::string> kArithmetic = {"reg", "rnd", "add", "sub", "mul", "div"};
    static const std::vector<std::string> kCompare = {"se=", "se#", "se>", "se<"};
    switch (Below(26)) {
      case 0:
      case 1:
      case 2:
      case 3:
        return Pick(kArithmetic) + " " + RegisterField() + "," + ValueField();
      case 4:
        return Pick(kArithmetic) + " " + RegisterField();
      case 5:
      case 6:
        return Pick<std::string>({"inc ", "dec "}) + RegisterField();
      case 7:
        return Pick<std::string>({"inc", "dec", "inc ", "goto", "goto "});
      case 8:
      case 9:
        return Pick(kCompare) + " " + RegisterField() + "," + ValueField() + "," + JumpField();
      case 10:
        return Pick(kCompare) + " " + RegisterField() + "," + Pick<std::string>({"", ",", "3,"});
      case 11:
        return "loop " + RegisterField() + "," + JumpField();
      case 12:
        return "loop " + RegisterField() + Pick<std::string>({"", ","});
      case 13:
        return "goto " + JumpField();
      case 14:
        return "def " + RegisterField() + "," + Pick<std::string>({Name(), Name(), ""});
      case 15:
        return "msg# " + Pick<std::string>({"linha", "x"}) + std::to_string(Below(9));
      case 16:
        return "msg+ %" + Pick<std::string>({Name(), "3", "300"});
      case 17:
        return "str+ " + Name();
      case 18:
        return Pick<std::string>({"str# ", "str= v", "msg= ", "fim", "; nota"});
      case 19:
        return "script s" + std::to_string(Below(scripts));
      case 20:
        return "pausa 0";  // the host's pump: the test's events run in the middle
      case 21:
        return Pick<std::string>({"runtime 10,:" + Label(), "runtime 10,t", "runtime off"});
      case 22:
        return "  " + Pick<std::string>({"inc 1", "add 2,1", ":l1"});
      default:
        return ":" + Label();
    }
  }

  std::vector<std::string> Script(int scripts) {
    std::vector<std::string> lines;
    const int count = 8 + Below(25);
    for (int i = 0; i < count; ++i) lines.push_back(Line(scripts));
    return lines;
  }

 private:
  std::mt19937 random_;
};

// What a game shows of a run: registers, names, counters, text and the host's record.
struct Observed {
  std::vector<std::string> values;
  bool operator==(const Observed&) const = default;
};

constexpr int kScripts = 4;

// One game over its own folder running the made scripts, with the line reuse on or off.
class Sandbox {
 public:
  Sandbox(std::uint32_t seed, bool reuse) : events_(seed ^ 0x5bd1e995u) {
    ScriptMaker maker(seed);
    for (int i = 0; i < kScripts; ++i) Write("s" + std::to_string(i), maker.Script(kScripts));
    Write("t", maker.Script(kScripts));
    Write("aninhado", maker.Script(kScripts));
    game_ = std::make_unique<Game>(host_, GameConfig{dir_.path(), "teste", "", {}});
    game_->random().seed(seed);
    game_->interpreter().SetLineReuse(reuse);
    game_->interpreter().SetLineBudget(4000);
    host_.on_pump = [this] { Event(); };
  }

  ~Sandbox() { host_.on_pump = nullptr; }
  Sandbox(const Sandbox&) = delete;
  Sandbox& operator=(const Sandbox&) = delete;

  Observed Run() {
    game_->RunScriptFromHost("s0");
    for (int tick = 0; tick < 3; ++tick) game_->PeriodicTick();
    game_->RunScriptFromHost("s1");
    Observed seen;
    World& world = game_->world();
    Interpreter& interp = game_->interpreter();
    for (int i = 0; i <= kRegisterCount; ++i) {
      seen.values.push_back(std::to_string(world.reg[i]) + " " + world.reg_name[i]);
    }
    for (const std::int32_t n : {interp.last_reg, interp.main_line, interp.timer_line}) {
      seen.values.push_back(std::to_string(n));
    }
    seen.values.push_back(world.str_reg + "|" + interp.cur_script + "|" + interp.timer_script);
    for (const std::string& line : game_->output().lines()) seen.values.push_back("out " + line);
    for (const std::string& line : host_.errors) seen.values.push_back("error " + line);
    for (const std::string& line : host_.log) seen.values.push_back("host " + line);
    return seen;
  }

 private:
  void Write(const std::string& name, const std::vector<std::string>& lines) {
    WriteBytes(dir_.path() / (name + ".scpt"), EncodeScript(lines));
  }

  // An event while a line waits: the running list is replaced under the loop, one of its lines
  // is rewritten, a nested run replaces it, or the periodic timer ticks.
  void Event() {
    if (depth_ > 2) return;
    ++depth_;
    Interpreter& interp = game_->interpreter();
    switch (std::uniform_int_distribution<int>(0, 5)(events_)) {
      case 0:
        interp.LoadScript("s" + std::to_string(events_() % kScripts), interp.script_lines);
        break;
      case 1:
        interp.script_lines.Set(static_cast<int>(events_() % 8), "inc 3");
        break;
      case 2:
        interp.script_lines.Set(static_cast<int>(events_() % 8), ":l1");
        break;
      case 3:
        game_->RunScriptFromHost("aninhado");
        break;
      case 4:
        game_->PeriodicTick();
        break;
      default:
        break;
    }
    --depth_;
  }

  TempDir dir_;
  FakeHost host_;
  std::unique_ptr<Game> game_;
  std::mt19937 events_;
  int depth_ = 0;
};

struct KeptReadingTest : GameTest {
  void SetUp() override { Start(); }
};

TEST_F(KeptReadingTest, RenamedRegistersAreLookedUpAgain) {
  RunLines({"def 5,x", "reg 9,2", ":v", "inc x", "add 8,x", "def 6,x", "def 5,y", "loop 9,v"});
  // Pass one reads x as register 5; then 6 is x, the first of that name once 5 is renamed.
  EXPECT_EQ(world().reg[5], 1);
  EXPECT_EQ(world().reg[6], 2);
  EXPECT_EQ(world().reg[8], 1 + 1 + 2);
  // A reset of the names between two runs of the same unchanged lines.
  world().ClearRegisters();
  interp().RunFromLabel(interp().script_lines, ":v", interp().main_line);
  EXPECT_EQ(world().reg[0], 1);  // x names nothing now: register 0
  EXPECT_EQ(world().reg[5] + world().reg[6], 0);
}

TEST_F(KeptReadingTest, ListsEditedUnderARunAreReadAgain) {
  int pumps = 0;
  host_.on_pump = [&] {
    if (++pumps == 2) interp().script_lines.Insert(0, "inc 3");
  };
  RunLines({"reg 9,2", ":v", "inc 1", "pausa 0", "loop 9,v", "inc 2"});
  // The second pass's edit moves every line on by one: the loop's jump lands on the label's
  // new line, and the line under the counter is the one that is there now.
  EXPECT_EQ(world().reg[1], 3);
  EXPECT_EQ(world().reg[2], 1);
  EXPECT_EQ(world().reg[3], 0);
  EXPECT_EQ(pumps, 4);
  host_.on_pump = nullptr;
}

TEST_F(KeptReadingTest, JumpsFromAnotherListFollowTheLinesTheyLandIn) {
  // A list run by RunFromLabel jumps to ScriptLines' labels; those move while it stays as it is.
  LineList other({":x", "loop 9,b", "inc 5", "inc 6", "inc 7"});
  interp().script_lines.Assign({":b"});
  world().reg[9] = 1;
  interp().RunFromLabel(other, ":x", interp().main_line);  // lands on line 0: ":x" again
  interp().script_lines.Assign({"", "", "", ":b"});
  world().reg[9] = 1;
  interp().RunFromLabel(other, ":x", interp().main_line);  // lands on line 3: "inc 6"
  EXPECT_EQ(world().reg[5], 1);
  EXPECT_EQ(world().reg[6], 2);
}

TEST(LineReuseTest, RandomScriptsRunAlikeWithAndWithoutReuse) {
  for (std::uint32_t seed = 1; seed <= 200; ++seed) {
    const Observed reading_text = Sandbox(seed, false).Run();
    const Observed reusing = Sandbox(seed, true).Run();
    ASSERT_EQ(reusing.values, reading_text.values) << "seed " << seed;
  }
}

}  // namespace
}  // namespace zunk::testing
