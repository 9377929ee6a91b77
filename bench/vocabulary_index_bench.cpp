// The vocabulary index's rebuild after a list changes, sorted at once: at 10,000 and 100,000
// words, at the largest text it sorts (lines of one repeated letter, the slowest kind to
// sort), and for a hostile 64 MB list, which it searches along the joined text instead. Each
// reports the bytes the index holds per word. Beside them, one lookup along the joined text
// of 10,000 words, which sets how many of those come before a sort.
#include <benchmark/benchmark.h>

#include <string>
#include <vector>

#include "game/parser/vocabulary_index.h"

namespace zunk {
namespace {

std::vector<std::string> Words(std::size_t count) {
  static const char* const kSyllables[] = {"BA", "CO", "DE", "FI", "GU", "LA", "MO", "NE",
                                           "PI", "RU", "SA", "TO", "VE", "XI", "ZU", "JA"};
  std::vector<std::string> lines;
  for (std::size_t i = 0; i < count; ++i) {
    std::string line;
    for (std::size_t k = i * 7919 + 3; line.size() < 10; k /= 16) line += kSyllables[k % 16];
    if (i % 3 == 0) line += ":" + line.substr(4) + "R";
    lines.push_back(line);
  }
  return lines;
}

// Each iteration changes a line and looks a word up, which rebuilds the index first.
void RebuildAndLookUp(benchmark::State& state, std::vector<std::string> lines,
                      VocabularyIndex::Method expected) {
  const std::size_t count = lines.size();
  LineList list(std::move(lines));
  VocabularyIndex index(/*scans_before_sorting=*/0);
  int i = 0;
  for (auto _ : state) {
    list.Set(0, "MUDOU" + std::to_string(i++));
    benchmark::DoNotOptimize(index.FindAtSynonymStart(list, "ZUZUZU"));
  }
  if (index.method() != expected) state.SkipWithError("not searched the expected way");
  state.counters["bytes_per_word"] = static_cast<double>(index.MemoryBytes()) / count;
}

void BM_VocabularyIndex_Rebuild(benchmark::State& state) {
  RebuildAndLookUp(state, Words(state.range(0)), VocabularyIndex::Method::kSorted);
}
BENCHMARK(BM_VocabularyIndex_Rebuild)->Arg(10000)->Arg(100000)->Unit(benchmark::kMillisecond);

// A word no line holds, looked up along the whole joined text (a new word each time).
void BM_VocabularyIndex_ScanUnsorted(benchmark::State& state) {
  LineList list(Words(10000));
  VocabularyIndex index(/*scans_before_sorting=*/1 << 30);
  int i = 0;
  for (auto _ : state) {
    benchmark::DoNotOptimize(index.FindAtSynonymStart(list, "BAQ" + std::to_string(i++)));
  }
}
BENCHMARK(BM_VocabularyIndex_ScanUnsorted)->Unit(benchmark::kMicrosecond);

void BM_VocabularyIndex_RebuildLongestLines(benchmark::State& state) {
  const std::size_t line_bytes = kMaxLoadedLineBytes;
  RebuildAndLookUp(state,
                   std::vector<std::string>(kMaxSortedVocabularyBytes / (line_bytes + 1),
                                            std::string(line_bytes, 'A')),
                   VocabularyIndex::Method::kSorted);
}
BENCHMARK(BM_VocabularyIndex_RebuildLongestLines)->Unit(benchmark::kMillisecond);

void BM_VocabularyIndex_Rebuild64MB(benchmark::State& state) {
  std::vector<std::string> lines = Words(64 * 1024 * 1024 / 64);
  for (std::string& line : lines) line.resize(63, 'Q');
  RebuildAndLookUp(state, std::move(lines), VocabularyIndex::Method::kJoinedText);
}
BENCHMARK(BM_VocabularyIndex_Rebuild64MB)->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace zunk
