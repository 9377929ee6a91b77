// Interpreter throughput: single register lines through ExecLine, and a long loop run by
// RunScript from a script file.
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

}  // namespace
}  // namespace zunk
