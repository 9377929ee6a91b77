// Interpreter throughput: single register lines through ExecLine, long loops run by RunScript
// from script files (two of them the loops bench/lua_compare.py times beside Lua), and
// RunFromLabel in a long script.
#include <benchmark/benchmark.h>

#include <string>
#include <vector>

#include "script/script_codec.h"
#include "test_support.h"

namespace zunk {
namespace {

using testing::FakeHost;
using testing::TempDir;
using testing::WriteBytes;

// A started game over an empty temporary folder, with registers named as a typical game
// names them: a few dozen, the ones a hot loop uses among the later ones.
class BenchGame {
 public:
  BenchGame() : game_(host_, GameConfig{dir_.path(), "teste", "", {}}) {
    static const char* const kNames[] = {
        "vidas",  "pontos", "moedas", "chaves", "fome",  "sede",   "tocha",   "porta1",
        "porta2", "ponte",  "guarda", "barco",  "remo",  "mapa",   "bussola", "corda",
        "faca",   "lanca",  "escudo", "elmo",   "ouro",  "prata",  "cobre",   "dia",
        "hora",   "clima",  "passos", "turnos", "sorte", "dragao", "bruxa",   "rei"};
    int r = 40;
    for (const char* name : kNames) game_.world().reg_name.Set(r++, name);
  }

  Game& game() { return game_; }
  Interpreter& interp() { return game_.interpreter(); }

  void WriteScript(const std::string& name, const std::vector<std::string>& lines) {
    WriteBytes(dir_.path() / (name + kScriptExt), EncodeScript(lines));
  }

 private:
  TempDir dir_;
  FakeHost host_;
  Game game_;
};

void RunLines(benchmark::State& state, const std::vector<std::string>& lines) {
  BenchGame bench;
  Interpreter& interp = bench.interp();
  std::size_t i = 0;
  for (auto _ : state) {
    benchmark::DoNotOptimize(interp.ExecLine(lines[i]));
    if (++i == lines.size()) i = 0;
  }
  state.SetItemsProcessed(state.iterations());
}

void BM_ExecLine_AddNumbered(benchmark::State& state) { RunLines(state, {"add 5,1"}); }
BENCHMARK(BM_ExecLine_AddNumbered);

void BM_ExecLine_RegNamed(benchmark::State& state) { RunLines(state, {"reg passos,7"}); }
BENCHMARK(BM_ExecLine_RegNamed);

void BM_ExecLine_NamedFromNamed(benchmark::State& state) {
  RunLines(state, {"add pontos,turnos"});
}
BENCHMARK(BM_ExecLine_NamedFromNamed);

void BM_ExecLine_RegisterMix(benchmark::State& state) {
  RunLines(state, {"add 5,1", "reg passos,7", "sub 6,2", "reg ouro,150", "mul 7,3", "inc 8",
                   "add turnos,1", "dec 9"});
}
BENCHMARK(BM_ExecLine_RegisterMix);

// A 50-line script: set-up lines, a few labels, messages the loop never reaches, and near the
// end the loop itself, a label and a body of register lines closed by "loop".
std::vector<std::string> LoopScript(int iterations) {
  std::vector<std::string> lines = {
      "; contagem longa",
      "def 20,contador",
      "reg contador," + std::to_string(iterations),
      "reg pontos,0",
      "reg 21,0",
      "reg 22,0",
      "goto preparar",
      ":inicio",
      "msg= Você está numa sala escura.",
      "msg# Há uma porta ao norte e uma janela a leste.",
      "se= vidas,0,morte",
      "fim",
      ":morte",
      "msg= Você morreu.",
      "fim",
      ":norte",
      "norte=corredor",
      "msg= O corredor é longo e estreito.",
      "fim",
      ":leste",
      "msg= A janela está trancada.",
      "fim",
      ":preparar",
      "reg turnos,0",
      "reg 23,3",
  };
  while (lines.size() < 43) lines.push_back("; (reservado)");
  const std::vector<std::string> tail = {
      ":volta",
      "add pontos,1",
      "add 21,3",
      "inc 22",
      "loop contador,volta",
      "reg turnos,pontos",
      "fim",
  };
  lines.insert(lines.end(), tail.begin(), tail.end());
  return lines;
}

void BM_RunScript_Loop(benchmark::State& state) {
  const int iterations = static_cast<int>(state.range(0));
  BenchGame bench;
  bench.WriteScript("contagem", LoopScript(iterations));
  Interpreter& interp = bench.interp();
  for (auto _ : state) {
    interp.RunScript("contagem");
    if (bench.game().world().reg[21] != 3 * (iterations + 1)) {
      state.SkipWithError("the loop did not run its count");
      break;
    }
  }
  // Five lines a pass: the label, three register lines and the loop.
  state.SetItemsProcessed(state.iterations() * 5 * (iterations + 1));
}
BENCHMARK(BM_RunScript_Loop)->Arg(1'000'000)->Unit(benchmark::kMillisecond);

// Runs a script file whose loop makes a million passes; check tells whether it ran them.
void RunLoopScript(benchmark::State& state, const std::vector<std::string>& lines,
                   int lines_per_pass, bool (*check)(const World&)) {
  BenchGame bench;
  bench.WriteScript("volta", lines);
  Interpreter& interp = bench.interp();
  for (auto _ : state) {
    interp.RunScript("volta");
    if (!check(bench.game().world())) {
      state.SkipWithError("the loop did not run its count");
      break;
    }
  }
  state.SetItemsProcessed(state.iterations() * lines_per_pass * 1'000'000);
}

// The counted loop: three register lines and "loop" a pass, as Lua's
// local c,a,b,d=1000000,0,0,0 ::volta:: a=a+1 b=b+3 d=d+1 if c>0 then c=c-1 goto volta end
void BM_RunScript_CountedLoop(benchmark::State& state) {
  RunLoopScript(state,
                {"reg 20,1000000", "reg 21,0", "reg 22,0", "reg 23,0", ":volta", "add 21,1",
                 "add 22,3", "inc 23", "loop 20,volta"},
                5, [](const World& world) { return world.reg[21] == 1'000'001; });
}
BENCHMARK(BM_RunScript_CountedLoop)->Unit(benchmark::kMillisecond);

// The compare loop: an add and a compare-and-jump a pass, as Lua's
// local i=0 ::volta:: i=i+1 if i<1000000 then goto volta end
void BM_RunScript_CompareLoop(benchmark::State& state) {
  RunLoopScript(state, {"reg 21,0", ":volta", "add 21,1", "se< 21,1000000,volta"}, 3,
                [](const World& world) { return world.reg[21] == 1'000'000; });
}
BENCHMARK(BM_RunScript_CompareLoop)->Unit(benchmark::kMillisecond);

// RunFromLabel in a 100,000-line script, the label near the end: after the first run the
// label is found through the index, not by a scan.
void BM_RunFromLabel_LongScript(benchmark::State& state) {
  BenchGame bench;
  Interpreter& interp = bench.interp();
  std::vector<std::string> lines;
  for (int i = 0; i < 100'000; ++i) {
    lines.push_back(i % 10 == 0 ? ":l" + std::to_string(i) : "add 21," + std::to_string(i % 7));
  }
  lines[99'990] = ":relogio";
  interp.script_lines.Assign(std::move(lines));
  for (auto _ : state) {
    interp.RunFromLabel(interp.script_lines, ":relogio", interp.main_line);
    benchmark::DoNotOptimize(interp.main_line);
  }
}
BENCHMARK(BM_RunFromLabel_LongScript);

}  // namespace
}  // namespace zunk
