// Verb and word lookup over a joined copy of a vocabulary list, and the same rules line by
// line.
#include "game/parser/vocabulary_index.h"

#include <algorithm>

namespace zunk {
namespace {

constexpr char kSeparator = '\n';

std::string_view SynonymFrom(std::string_view line, std::size_t offset) {
  const std::size_t end = line.find(':', offset);
  return line.substr(offset, end == std::string_view::npos ? std::string_view::npos : end - offset);
}

bool StartsSynonym(std::string_view line, std::size_t offset) {
  return offset == 0 || line[offset - 1] == ':';
}

}  // namespace

std::optional<VocabularyMatch> FindAnywhereByLine(const LineList& list, std::string_view word) {
  if (word.empty()) return std::nullopt;
  for (int i = 0; i < list.Count(); ++i) {
    const std::string_view line = list.Get(i);
    const std::size_t at = line.find(word);
    if (at != std::string_view::npos) return VocabularyMatch{i, SynonymFrom(line, at)};
  }
  return std::nullopt;
}

std::optional<VocabularyMatch> FindAtSynonymStartByLine(const LineList& list,
                                                        std::string_view word) {
  if (word.empty()) return std::nullopt;
  for (int i = 0; i < list.Count(); ++i) {
    const std::string_view line = list.Get(i);
    const std::size_t at = line.find(word);
    if (at != std::string_view::npos && StartsSynonym(line, at)) {
      return VocabularyMatch{i, SynonymFrom(line, at)};
    }
  }
  return std::nullopt;
}

void VocabularyIndex::Refresh(const LineList& list) {
  if (built_ && generation_ == list.generation()) return;
  text_.clear();
  starts_.clear();
  remembered_[kAnywhere].clear();
  remembered_[kAtSynonymStart].clear();
  joinable_ = true;
  for (const std::string& line : list.lines()) {
    if (line.find(kSeparator) != std::string::npos) joinable_ = false;
    starts_.push_back(text_.size());
    text_ += line;
    text_ += kSeparator;
  }
  generation_ = list.generation();
  built_ = true;
}

int VocabularyIndex::LineOf(std::size_t offset) const {
  return static_cast<int>(std::upper_bound(starts_.begin(), starts_.end(), offset) -
                          starts_.begin()) -
         1;
}

VocabularyMatch VocabularyIndex::MatchAt(int line, std::size_t offset) const {
  const std::size_t start = starts_[line];
  const std::string_view text(text_);
  const std::string_view whole = text.substr(start, text.find(kSeparator, start) - start);
  return VocabularyMatch{line, SynonymFrom(whole, offset - start)};
}

std::optional<VocabularyMatch> VocabularyIndex::FindAnywhere(const LineList& list,
                                                             std::string_view word) {
  return Find(list, word, kAnywhere);
}

std::optional<VocabularyMatch> VocabularyIndex::FindAtSynonymStart(const LineList& list,
                                                                   std::string_view word) {
  return Find(list, word, kAtSynonymStart);
}

VocabularyIndex::Result VocabularyIndex::Find(const LineList& list, std::string_view word,
                                              Rule rule) {
  if (word.empty()) return std::nullopt;
  Refresh(list);
  // Players use few words, typed again and again; anything else is not kept for long.
  constexpr std::size_t kRememberedWords = 4096;
  auto& remembered = remembered_[rule];
  const std::string key(word);
  if (const auto found = remembered.find(key); found != remembered.end()) return found->second;
  if (remembered.size() >= kRememberedWords) remembered.clear();
  const Result result = Search(list, word, rule);
  remembered.emplace(key, result);
  return result;
}

VocabularyIndex::Result VocabularyIndex::Search(const LineList& list, std::string_view word,
                                                Rule rule) const {
  if (!joinable_ || word.find(kSeparator) != std::string_view::npos) {
    return rule == kAnywhere ? FindAnywhereByLine(list, word)
                             : FindAtSynonymStartByLine(list, word);
  }
  const std::string_view text(text_);
  if (rule == kAnywhere) {
    const std::size_t at = text.find(word);
    if (at == std::string_view::npos) return std::nullopt;
    return MatchAt(LineOf(at), at);
  }
  std::size_t from = 0;
  for (;;) {
    // Searching on from a line's start, the first hit in a line is that line's first
    // occurrence; when it does not count, the line is passed over.
    const std::size_t at = text.find(word, from);
    if (at == std::string_view::npos) return std::nullopt;
    const int line = LineOf(at);
    if (at == starts_[line] || text[at - 1] == ':') return MatchAt(line, at);
    if (line + 1 >= static_cast<int>(starts_.size())) return std::nullopt;
    from = starts_[line + 1];
  }
}

}  // namespace zunk
