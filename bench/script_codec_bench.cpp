// Script file decoding and encoding throughput over a large, varied script.
#include <benchmark/benchmark.h>

#include <random>
#include <string>
#include <vector>

#include "script/script_codec.h"

namespace zunk {
namespace {

// About `target_bytes` of encoded script: the usual mix of commands, labels, comments and
// long CP1252 message lines.
std::vector<std::string> TypicalLines(std::size_t target_bytes) {
  static const char* const kLines[] = {
      "reg 5,7",
      "add pontos,1",
      "se= vidas,0,morte",
      "loop contador,volta",
      ":inicio",
      "; a porta só abre com a chave de prata",
      "msg= Você está num salão enorme, iluminado por tochas presas às paredes de pedra.",
      "msg# Ao norte há uma escadaria; a leste, uma porta de carvalho entreaberta.",
      "msg+ O guarda olha para você com desconfiança.",
      "norte=escadaria",
      "ifoloc faca,jog1,temfaca",
      "str+ Você encontrou ",
      "sgt= Examinar a porta",
      "sgt# examinar_porta",
      "script sala2",
      "fim",
  };
  std::mt19937 random(12345);
  std::uniform_int_distribution<std::size_t> pick(0, std::size(kLines) - 1);
  std::vector<std::string> lines;
  std::size_t encoded = 0;
  while (encoded < target_bytes) {
    std::string line = kLines[pick(random)];
    encoded += 2 * line.size() + 2;
    lines.push_back(std::move(line));
  }
  return lines;
}

void BM_DecodeScript(benchmark::State& state) {
  const std::string file = EncodeScript(TypicalLines(static_cast<std::size_t>(state.range(0))));
  for (auto _ : state) {
    DecodedScript decoded = DecodeScript(file);
    benchmark::DoNotOptimize(decoded.lines.data());
  }
  state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * file.size()));
}
BENCHMARK(BM_DecodeScript)->Arg(4 << 20)->Unit(benchmark::kMillisecond);

void BM_EncodeScript(benchmark::State& state) {
  const std::vector<std::string> lines = TypicalLines(static_cast<std::size_t>(state.range(0)));
  std::size_t encoded = 0;
  for (auto _ : state) {
    const std::string file = EncodeScript(lines);
    encoded = file.size();
    benchmark::DoNotOptimize(file.data());
  }
  state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * encoded));
}
BENCHMARK(BM_EncodeScript)->Arg(4 << 20)->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace zunk
