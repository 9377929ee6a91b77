// Sentence parser throughput over a game-sized vocabulary (about 300 words and 40 verbs)
// with no scripts in the folder, so every sentence ends in one of the fixed replies.
#include <benchmark/benchmark.h>

#include <string>
#include <vector>

#include "test_support.h"

namespace zunk {
namespace {

using testing::FakeHost;
using testing::TempDir;
using testing::WriteBytes;

// Made-up words of three syllables, one line each, every third line with a synonym.
std::vector<std::string> MadeUpLines(int count, int seed) {
  static const char* const kSyllables[] = {"BA", "CO", "DE", "FI", "GU", "LA", "MO",
                                           "NE", "PI", "RU", "SA", "TO", "VE", "XI"};
  constexpr int kN = sizeof kSyllables / sizeof *kSyllables;
  std::vector<std::string> lines;
  for (int i = 0; i < count; ++i) {
    const int k = i * 7 + seed;
    std::string line = std::string(kSyllables[k % kN]) + kSyllables[(k / kN) % kN] +
                       kSyllables[(k / (kN * kN)) % kN];
    if (i % 3 == 0) line += ":" + std::string(kSyllables[(k + 3) % kN]) + "R" + line;
    lines.push_back(line);
  }
  return lines;
}

std::string Joined(const std::vector<std::string>& lines) {
  std::string text;
  for (const std::string& line : lines) text += line + "\r\n";
  return text;
}

class ParserGame {
 public:
  ParserGame() {
    std::vector<std::string> words = MadeUpLines(300, 11);
    words[120] = "CHAVE:CHAVINHA";
    words[210] = "BAU:ARCA";
    words[270] = "LANTERNA:LAMPADA";
    words[290] = "MOEDA";
    std::vector<std::string> verbs = MadeUpLines(40, 5);
    verbs[0] = "NORTE:N";
    verbs[1] = "LESTE:L";
    verbs[2] = "SUL:S";
    verbs[3] = "OESTE";
    verbs[20] = "PEGUE:PEGAR:APANHE";
    verbs[30] = "ABRA:ABRIR";
    verbs[35] = "EXAMINE:OLHE";
    std::string objects;
    for (const int w : {120, 210, 270, 290}) {
      objects += words[w] + "\r\nd\r\nsala\r\n........\r\n1\r\n1\r\n\r\n\r\n\r\n\r\n";
    }
    WriteBytes(dir_.path() / "teste.plr", Joined(words));
    WriteBytes(dir_.path() / "teste.vrb", Joined(verbs));
    WriteBytes(dir_.path() / "teste.msg", "zero\r\nNao entendi.\r\nNao pode.\r\nSem saida.\r\n");
    WriteBytes(dir_.path() / "teste.obj", objects);
    // A folder as a game has it: data files, pictures and a few hundred scripts, none of
    // which the benchmark's sentences name.
    for (int i = 0; i < 300; ++i) {
      WriteBytes(dir_.path() / ("local" + std::to_string(i) + ".scpt"), "00");
      WriteBytes(dir_.path() / ("foto" + std::to_string(i) + ".jpg"), "00");
    }
    game_ = std::make_unique<Game>(host_, GameConfig{dir_.path(), "teste", "", {}});
  }
  Game& game() { return *game_; }

 private:
  TempDir dir_;
  FakeHost host_;
  std::unique_ptr<Game> game_;
};

void ParseSentences(benchmark::State& state, const std::vector<std::string>& sentences) {
  ParserGame bench;
  Game& game = bench.game();
  std::size_t i = 0;
  for (auto _ : state) {
    game.frase = sentences[i];
    game.parser().Parse();
    if (++i == sentences.size()) i = 0;
  }
  benchmark::DoNotOptimize(game.output().lines());
  state.SetItemsProcessed(state.iterations());
}

void BM_Parse_Mixed(benchmark::State& state) {
  ParseSentences(state, {"PEGUE A CHAVE", "abra o bau com a chave", "examine a lampada",
                         "pegue a chave, o bau e a lanterna", "abra o xyzzy", "dance comigo",
                         "norte", "pegue-a"});
}
BENCHMARK(BM_Parse_Mixed);

void BM_Parse_KnownObject(benchmark::State& state) {
  ParseSentences(state, {"ABRA O BAU COM A CHAVE"});
}
BENCHMARK(BM_Parse_KnownObject);

void BM_Parse_List(benchmark::State& state) {
  ParseSentences(state, {"PEGUE A CHAVE, O BAU, A MOEDA, A LANTERNA"});
}
BENCHMARK(BM_Parse_List);

void BM_Parse_UnknownWords(benchmark::State& state) {
  ParseSentences(state, {"PEGUE O XYZZY", "DANCE"});
}
BENCHMARK(BM_Parse_UnknownWords);

}  // namespace
}  // namespace zunk
