// Searching the verb and word lists. A verb matches anywhere inside a line; a word matches
// only where its first occurrence in a line starts the line or a synonym (after a ":").
// Either way the match reads on to the end of that synonym.
#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

#include "game/world/line_list.h"

namespace zunk {

struct VocabularyMatch {
  int line = 0;              // from 0; the code is line + 1
  std::string_view synonym;  // from the match to the next ":" or the end of the line
};

// A copy of one list with its lines joined, rebuilt whenever the list changes, so that a
// lookup is one pass over the text instead of one search per line; the results of recent
// words are kept until then too. The views it returns last until the next lookup in a
// changed list.
class VocabularyIndex {
 public:
  // The first line holding word anywhere. An empty word matches nothing.
  std::optional<VocabularyMatch> FindAnywhere(const LineList& list, std::string_view word);
  // The first line whose first occurrence of word starts the line or follows a ":". An
  // empty word matches nothing.
  std::optional<VocabularyMatch> FindAtSynonymStart(const LineList& list, std::string_view word);

 private:
  using Result = std::optional<VocabularyMatch>;
  enum Rule { kAnywhere, kAtSynonymStart };

  Result Find(const LineList& list, std::string_view word, Rule rule);
  Result Search(const LineList& list, std::string_view word, Rule rule) const;
  void Refresh(const LineList& list);
  int LineOf(std::size_t offset) const;
  VocabularyMatch MatchAt(int line, std::size_t offset) const;

  bool built_ = false;
  std::uint64_t generation_ = 0;
  bool joinable_ = true;                                   // no line holds the separator
  std::string text_;                                       // the lines, each followed by '\n'
  std::vector<std::size_t> starts_;                        // offset of each line in text_
  std::unordered_map<std::string, Result> remembered_[2];  // by rule
};

// The same rules line by line: the reference for lists the index cannot join.
std::optional<VocabularyMatch> FindAnywhereByLine(const LineList& list, std::string_view word);
std::optional<VocabularyMatch> FindAtSynonymStartByLine(const LineList& list,
                                                        std::string_view word);

}  // namespace zunk
