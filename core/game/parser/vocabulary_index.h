// Searching the verb and word lists. A verb matches anywhere inside a line; a word matches
// only where its first occurrence in a line starts the line or a synonym (after a ":").
// Either way the match reads on to the end of that synonym.
//
// The index joins a list's lines (each followed by '\n') and sorts every suffix of that text,
// read up to its line's end (line_suffix_array.h). The suffixes starting with a word are one
// range of that order, found by binary search, and the smallest offset in the range
// (range_minimum.h) is the first line holding the word. For a word, a second sorted list keeps
// only the suffixes at synonym starts; its matches are taken in text order, and the first
// whose line has no earlier occurrence of the word is the answer (a line passed over is one
// whose first occurrence lies inside a synonym, which real vocabularies seldom have). A lookup
// costs about log2(text size) comparisons of the word, whatever the size of the list.
//
// Sorting 10,000 words costs about as much as 200 to 600 lookups along their joined text
// (bench/vocabulary_index_bench.cpp), so after a change the list is searched along its text
// until kScansBeforeSorting new words have been looked up, and sorted then: a list edited
// every few sentences never pays for a sort it would not use, and a lookup along the text of
// 10,000 words takes a few tens of microseconds.
#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <unordered_map>
#include <utility>
#include <vector>

#include "game/parser/range_minimum.h"
#include "game/world/line_list.h"

namespace zunk {

struct VocabularyMatch {
  int line = 0;              // from 0; the code is line + 1
  std::string_view synonym;  // from the match to the next ":" or the end of the line
};

// The lookups since a change searched along the joined text before the list is sorted.
inline constexpr int kScansBeforeSorting = 256;

// Above this size a joined list is searched from end to end instead of being sorted: sorting
// takes about 17 bytes a byte of text while it runs and 9 afterwards, and real lists are far
// smaller (10,000 words come to about 150 KB).
inline constexpr std::size_t kMaxSortedVocabularyBytes = 4 * 1024 * 1024;

// The index of one list, rebuilt on the first lookup after the list changes (its generation);
// while it searches along the text or line by line, the results of recent words are kept. The views
// it returns last until the next lookup in a changed list. A list whose lines hold a '\n' cannot be
// joined and is searched line by line.
class VocabularyIndex {
 public:
  explicit VocabularyIndex(int scans_before_sorting = kScansBeforeSorting)
      : scans_before_sorting_(scans_before_sorting) {}

  // The first line holding word anywhere. An empty word matches nothing.
  std::optional<VocabularyMatch> FindAnywhere(const LineList& list, std::string_view word);
  // The first line whose first occurrence of word starts the line or follows a ":". An
  // empty word matches nothing.
  std::optional<VocabularyMatch> FindAtSynonymStart(const LineList& list, std::string_view word);

  // How the current list is searched (as of the last lookup): by the sorted suffixes, along
  // the joined text, or line by line.
  enum class Method { kSorted, kJoinedText, kLineByLine };
  Method method() const { return method_; }
  // The bytes the index holds for the current list, the remembered words aside.
  std::size_t MemoryBytes() const;

 private:
  using Result = std::optional<VocabularyMatch>;
  enum Rule { kAnywhere, kAtSynonymStart };

  Result Find(const LineList& list, std::string_view word, Rule rule);
  Result Search(const LineList& list, std::string_view word, Rule rule) const;
  Result ScanText(std::string_view word, Rule rule) const;
  Result SearchSorted(std::string_view word, Rule rule) const;
  std::pair<std::size_t, std::size_t> Range(const RangeMinimum& sorted,
                                            std::string_view word) const;
  bool FirstInItsLine(std::size_t offset, std::string_view word) const;
  void Refresh(const LineList& list);
  void Sort();
  int LineOf(std::size_t offset) const;
  VocabularyMatch MatchAt(std::size_t offset) const;

  const int scans_before_sorting_;
  int scans_ = 0;  // lookups along the joined text since the list changed
  bool built_ = false;
  std::uint64_t generation_ = 0;
  Method method_ = Method::kJoinedText;
  std::string text_;                 // the lines, each followed by '\n'
  std::vector<std::size_t> starts_;  // offset of each line in text_
  RangeMinimum suffixes_;            // every suffix of text_, sorted
  RangeMinimum synonym_suffixes_;    // those at a line or synonym start, sorted
  std::unordered_map<std::string, Result> remembered_[2];  // by rule
};

// The same rules line by line: the reference for lists the index cannot join.
std::optional<VocabularyMatch> FindAnywhereByLine(const LineList& list, std::string_view word);
std::optional<VocabularyMatch> FindAtSynonymStartByLine(const LineList& list,
                                                        std::string_view word);

}  // namespace zunk
