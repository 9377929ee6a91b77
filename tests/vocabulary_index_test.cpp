// The vocabulary index against the line-by-line rules: random vocabularies and words, lists
// edited between lookups, lists too large to sort or impossible to join, and the two
// structures it is built from (the sorted line suffixes and the range minima).
#include "game/parser/vocabulary_index.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <random>
#include <string>
#include <vector>

#include "game/parser/line_suffix_array.h"
#include "game/parser/range_minimum.h"

namespace zunk {
namespace {

using Method = VocabularyIndex::Method;

std::string Show(const std::optional<VocabularyMatch>& match) {
  return match ? std::to_string(match->line) + ":" + std::string(match->synonym) : "-";
}

// Few letters, so that words are prefixes and pieces of one another and repeat in a line;
// ":" for synonyms (also empty ones and at either end), CP1252 letters and a control byte
// that sorts below the line end.
std::string RandomText(std::mt19937& random, int max_length) {
  static const char kBytes[] = {'A', 'B', 'C', 'A', 'B', ':', ':', '\xC7', '\xE3', '\x01', ' '};
  std::string text(std::uniform_int_distribution<int>(0, max_length)(random), ' ');
  for (char& c : text) c = kBytes[random() % sizeof kBytes];
  return text;
}

// A word to look up: mostly a piece of some line, sometimes made up.
std::string RandomWord(std::mt19937& random, const LineList& list) {
  if (list.Empty() || random() % 4 == 0) return RandomText(random, 4);
  const std::string& line = list.Get(static_cast<int>(random() % list.Count()));
  if (line.empty()) return RandomText(random, 3);
  const std::size_t from = random() % line.size();
  return line.substr(from, 1 + random() % 5);
}

void ExpectSameAsByLine(VocabularyIndex& index, const LineList& list, const std::string& word) {
  EXPECT_EQ(Show(index.FindAnywhere(list, word)), Show(FindAnywhereByLine(list, word)))
      << "anywhere [" << word << "]";
  EXPECT_EQ(Show(index.FindAtSynonymStart(list, word)), Show(FindAtSynonymStartByLine(list, word)))
      << "at a synonym start [" << word << "]";
}

TEST(VocabularyIndex, RandomListsAndEditsAgreeWithTheLineByLineRules) {
  std::mt19937 random(20261206);
  for (int round = 0; round < 300; ++round) {
    std::vector<std::string> lines(random() % 40);
    for (std::string& line : lines) line = RandomText(random, 12);
    LineList list(lines);
    VocabularyIndex index(0);
    for (int lookup = 0; lookup < 60; ++lookup) {
      const std::string word = RandomWord(random, list);
      ExpectSameAsByLine(index, list, word);
      if (!word.empty()) {
        EXPECT_EQ(index.method(), Method::kSorted);
      }
      // Edits between lookups, now and then, as scripts and restarts make them.
      switch (random() % 12) {
        case 0:
          list.Append(RandomText(random, 12));
          break;
        case 1:
          list.Set(static_cast<int>(random() % 40), RandomText(random, 12));
          break;
        case 2:
          list.Insert(static_cast<int>(random() % 40), RandomText(random, 12));
          break;
        case 3:
          list.Delete(static_cast<int>(random() % 40));
          break;
        case 4:
          if (random() % 8 == 0) list.Clear();
          break;
        default:
          break;
      }
    }
  }
}

TEST(VocabularyIndex, ListsItCannotSortOrJoin) {
  std::mt19937 random(7);
  // A line holding a line end: searched line by line.
  LineList broken({"ABC:XAB", "C\nAB", "QAB:ABD", ":AB"});
  VocabularyIndex index(0);
  for (const char* word : {"AB", "C\nAB", "\n", "B", "Q", "ABD"}) {
    ExpectSameAsByLine(index, broken, word);
  }
  EXPECT_EQ(index.method(), Method::kLineByLine);

  // Past the size limit: searched along the joined text, with the same results.
  std::vector<std::string> lines;
  std::size_t bytes = 0;
  while (bytes <= kMaxSortedVocabularyBytes) {
    lines.push_back(RandomText(random, 60) + "X" + std::to_string(lines.size()));
    bytes += lines.back().size() + 1;
  }
  lines.push_back("ZZ:FIM");
  LineList large(std::move(lines));
  for (int i = 0; i < 30; ++i) ExpectSameAsByLine(index, large, RandomWord(random, large));
  ExpectSameAsByLine(index, large, "FIM");
  EXPECT_EQ(index.method(), Method::kJoinedText);
  // Back under it once the list shrinks far enough.
  large.Assign({"A:B", "B:A"});
  ExpectSameAsByLine(index, large, "A");
  EXPECT_EQ(index.method(), Method::kSorted);
}

TEST(VocabularyIndex, LongRepetitiveLinesStaySorted) {
  // Lines of one letter as long as a loaded line may be: the worst case of the sorting rounds.
  std::vector<std::string> lines(8, std::string(kMaxLoadedLineBytes, 'A'));
  lines[3] = std::string(kMaxLoadedLineBytes - 1, 'A') + ":";
  lines[5] = "B:" + std::string(1000, 'A') + "B";
  lines.push_back("AAB:AB");
  LineList list(std::move(lines));
  VocabularyIndex index(0);
  for (const std::string& word : {std::string("AB"), std::string(2000, 'A'), std::string("AAB"),
                                  std::string(kMaxLoadedLineBytes, 'A'), std::string("A:")}) {
    ExpectSameAsByLine(index, list, word);
  }
  EXPECT_EQ(index.method(), Method::kSorted);
  // About 6 bytes a byte of text, whatever the lines.
  EXPECT_LT(index.MemoryBytes(), 8 * 8 * (kMaxLoadedLineBytes + 1));
}

TEST(VocabularyIndex, SortsAListOnlyAfterEnoughLookups) {
  std::vector<std::string> lines;
  for (int i = 0; i < 2000; ++i)
    lines.push_back("P" + std::to_string(i) + ":S" + std::to_string(i));
  LineList list(std::move(lines));
  VocabularyIndex index;
  for (int round = 0; round < 2; ++round) {
    for (int i = 0; i < kScansBeforeSorting; ++i) {
      // A word remembered from an earlier lookup is no new scan.
      EXPECT_EQ(Show(index.FindAtSynonymStart(list, "S" + std::to_string(i))),
                std::to_string(i) + ":S" + std::to_string(i));
      EXPECT_EQ(index.method(), Method::kJoinedText);
      EXPECT_TRUE(index.FindAtSynonymStart(list, "S0"));
    }
    EXPECT_EQ(Show(index.FindAnywhere(list, "99:")), "99:99");
    EXPECT_EQ(index.method(), Method::kSorted);
    EXPECT_EQ(Show(index.FindAtSynonymStart(list, "S1999")), "1999:S1999");
    list.Append("NOVA");  // the list changed: searched along its text again
  }
}

// Every suffix cut at its line end, sorted the slow way.
std::vector<std::uint32_t> SortedTheSlowWay(const std::string& text) {
  std::vector<std::uint32_t> order;
  for (std::uint32_t i = 0; i < text.size(); ++i) {
    if (text[i] != '\n') order.push_back(i);
  }
  auto cut = [&](std::uint32_t i) {
    const std::string_view rest = std::string_view(text).substr(i);
    return rest.substr(0, rest.find('\n'));
  };
  std::stable_sort(order.begin(), order.end(),
                   [&](std::uint32_t a, std::uint32_t b) { return cut(a) < cut(b); });
  return order;
}

TEST(LineSuffixArray, OrdersSuffixesCutAtTheirLineEnds) {
  std::mt19937 random(11);
  EXPECT_TRUE(LineSuffixArray("").empty());
  for (int round = 0; round < 500; ++round) {
    std::string text;
    for (int lines = static_cast<int>(random() % 6); lines >= 0; --lines) {
      text += RandomText(random, 20) + "\n";
    }
    EXPECT_EQ(LineSuffixArray(text), SortedTheSlowWay(text)) << round;
  }
}

TEST(RangeMinimum, FindsTheSmallestOfAnyRange) {
  std::mt19937 random(3);
  for (const std::size_t size : {1u, 31u, 32u, 33u, 64u, 100u, 1000u, 5000u}) {
    std::vector<std::uint32_t> values(size);
    for (std::uint32_t i = 0; i < size; ++i) values[i] = i;
    std::shuffle(values.begin(), values.end(), random);
    const RangeMinimum minimum(values);
    for (int query = 0; query < 2000; ++query) {
      const std::size_t a = random() % size, b = random() % size;
      const std::size_t begin = std::min(a, b), end = std::max(a, b) + 1;
      const std::size_t expected =
          std::min_element(values.begin() + begin, values.begin() + end) - values.begin();
      ASSERT_EQ(minimum.Lowest(begin, end), expected) << size << " " << begin << " " << end;
    }
  }
}

}  // namespace
}  // namespace zunk
