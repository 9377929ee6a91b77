// Sentence parser throughput over a game-sized vocabulary (about 300 words and 40 verbs), and
// over 10,000 words and verbs with sentences of words not looked up lately, with no scripts in
// the folder, so every sentence ends in one of the fixed replies.
#include <benchmark/benchmark.h>

#include <string>
#include <vector>

#include "test_support.h"

namespace zunk {
namespace {

using testing::FakeHost;
using testing::SettleTime;
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

// Made-up words of four syllables, all different, every third line with a synonym.
std::vector<std::string> ManyMadeUpLines(int count, int seed) {
  static const char* const kSyllables[] = {"BA", "CO", "DE", "FI", "GU", "LA", "MO", "NE",
                                           "PI", "RU", "SA", "TO", "VE", "XI", "ZU", "JA"};
  std::vector<std::string> lines;
  for (int i = 0; i < count; ++i) {
    const int k = (i * 7919 + seed) % 65536;  // 7919 is odd: every k once in 65536 lines
    std::string line;
    for (int s = 0; s < 4; ++s) line += kSyllables[(k >> (4 * s)) & 15];
    if (i % 3 == 0) line += ":" + line.substr(4) + "R";
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
  explicit ParserGame(int vocabulary = 300) {
    const bool large = vocabulary > 300;
    std::vector<std::string> words = large ? ManyMadeUpLines(vocabulary, 11) : MadeUpLines(300, 11);
    words[120] = "CHAVE:CHAVINHA";
    words[210] = "BAU:ARCA";
    words[270] = "LANTERNA:LAMPADA";
    words[290] = "MOEDA";
    std::vector<std::string> verbs = large ? ManyMadeUpLines(vocabulary, 5) : MadeUpLines(40, 5);
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
    // Installed a while ago, as a player's game is: a folder changed this very moment has its
    // listing read again until its time has settled, which is not what a sentence costs.
    SettleTime(dir_.path());
    game_ = std::make_unique<Game>(host_, GameConfig{dir_.path(), "teste", "", {}});
  }
  Game& game() { return *game_; }

 private:
  TempDir dir_;
  FakeHost host_;
  std::unique_ptr<Game> game_;
};

void ParseSentences(benchmark::State& state, const std::vector<std::string>& sentences,
                    int vocabulary = 300) {
  ParserGame bench(vocabulary);
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

// 10,000 words and 10,000 verbs; 20,000 different sentences of a verb and two words, cut
// short as players type them or unknown, so that no word comes back before thousands of
// others have been looked up.
void BM_Parse_NewWords10000(benchmark::State& state) {
  constexpr int kVocabulary = 10000;
  const std::vector<std::string> words = ManyMadeUpLines(kVocabulary, 11);
  const std::vector<std::string> verbs = ManyMadeUpLines(kVocabulary, 5);
  auto typed = [](const std::string& line, int i) {
    const std::string word = line.substr(0, line.find(':'));
    switch (i % 4) {
      case 0:
        return word;
      case 1:
        return word.substr(0, 5);  // a shortened word
      case 2:
        return word.substr(2);  // from inside the word: no word starts so
      default:
        return word.substr(0, 6) + "QQ";  // unknown
    }
  };
  std::vector<std::string> sentences;
  for (int i = 0; i < 20000; ++i) {
    sentences.push_back(typed(verbs[(i * 13) % kVocabulary], i / 3) + " " +
                        typed(words[(i * 2) % kVocabulary], i) + " " +
                        typed(words[(i * 2 + 5001) % kVocabulary], i + 1));
  }
  ParseSentences(state, sentences, kVocabulary);
}
BENCHMARK(BM_Parse_NewWords10000);

}  // namespace
}  // namespace zunk
