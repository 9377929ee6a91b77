// Verb and word lookup over the sorted suffixes of a joined vocabulary list (or along the
// joined text when it is too large to sort), and the same rules line by line.
#include "game/parser/vocabulary_index.h"

#include <algorithm>
#include <queue>

#include "game/parser/line_suffix_array.h"

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
  suffixes_ = RangeMinimum();
  synonym_suffixes_ = RangeMinimum();
  remembered_[kAnywhere].clear();
  remembered_[kAtSynonymStart].clear();
  bool joinable = true;
  std::size_t size = 0;
  for (const std::string& line : list.lines()) size += line.size() + 1;
  if (text_.capacity() > 2 * size) text_ = std::string();  // a list much shorter than before
  text_.reserve(size);
  for (const std::string& line : list.lines()) {
    if (line.find(kSeparator) != std::string::npos) joinable = false;
    starts_.push_back(text_.size());
    text_ += line;
    text_ += kSeparator;
  }
  method_ = joinable ? Method::kJoinedText : Method::kLineByLine;
  scans_ = 0;
  generation_ = list.generation();
  built_ = true;
}

void VocabularyIndex::Sort() {
  std::vector<std::uint32_t> all = LineSuffixArray(text_);
  std::vector<std::uint32_t> synonym_starts;
  for (const std::uint32_t at : all) {
    if (at == 0 || text_[at - 1] == kSeparator || text_[at - 1] == ':') {
      synonym_starts.push_back(at);
    }
  }
  suffixes_ = RangeMinimum(std::move(all));
  synonym_suffixes_ = RangeMinimum(std::move(synonym_starts));
}

std::size_t VocabularyIndex::MemoryBytes() const {
  return text_.capacity() + starts_.capacity() * sizeof(std::size_t) + suffixes_.MemoryBytes() +
         synonym_suffixes_.MemoryBytes();
}

int VocabularyIndex::LineOf(std::size_t offset) const {
  return static_cast<int>(std::upper_bound(starts_.begin(), starts_.end(), offset) -
                          starts_.begin()) -
         1;
}

VocabularyMatch VocabularyIndex::MatchAt(std::size_t offset) const {
  const int line = LineOf(offset);
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
  if (method_ == Method::kJoinedText && text_.size() <= kMaxSortedVocabularyBytes &&
      scans_ >= scans_before_sorting_) {
    Sort();
    method_ = Method::kSorted;
    remembered_[kAnywhere].clear();
    remembered_[kAtSynonymStart].clear();
  }
  // Sorted, a lookup costs less than remembering it.
  if (method_ == Method::kSorted) return Search(list, word, rule);
  // Players use few words, typed again and again; anything else is not kept for long.
  constexpr std::size_t kRememberedWords = 4096;
  auto& remembered = remembered_[rule];
  const std::string key(word);
  if (const auto found = remembered.find(key); found != remembered.end()) return found->second;
  if (remembered.size() >= kRememberedWords) remembered.clear();
  const Result result = Search(list, word, rule);
  if (method_ == Method::kJoinedText && word.find(kSeparator) == std::string_view::npos) {
    ++scans_;
  }
  remembered.emplace(key, result);
  return result;
}

VocabularyIndex::Result VocabularyIndex::Search(const LineList& list, std::string_view word,
                                                Rule rule) const {
  if (method_ == Method::kLineByLine || word.find(kSeparator) != std::string_view::npos) {
    return rule == kAnywhere ? FindAnywhereByLine(list, word)
                             : FindAtSynonymStartByLine(list, word);
  }
  return method_ == Method::kSorted ? SearchSorted(word, rule) : ScanText(word, rule);
}

VocabularyIndex::Result VocabularyIndex::ScanText(std::string_view word, Rule rule) const {
  const std::string_view text(text_);
  if (rule == kAnywhere) {
    const std::size_t at = text.find(word);
    if (at == std::string_view::npos) return std::nullopt;
    return MatchAt(at);
  }
  std::size_t from = 0;
  for (;;) {
    // Searching on from a line's start, the first hit in a line is that line's first
    // occurrence; when it does not count, the line is passed over.
    const std::size_t at = text.find(word, from);
    if (at == std::string_view::npos) return std::nullopt;
    const int line = LineOf(at);
    if (at == starts_[line] || text[at - 1] == ':') return MatchAt(at);
    if (line + 1 >= static_cast<int>(starts_.size())) return std::nullopt;
    from = starts_[line + 1];
  }
}

std::pair<std::size_t, std::size_t> VocabularyIndex::Range(const RangeMinimum& sorted,
                                                           std::string_view word) const {
  const std::string_view text(text_);
  // Compares a suffix's first word.size() bytes, cut at its line end, with word: the line
  // end sorts below every byte, and the text ends with one, so reading stops in the text.
  auto compare = [&](std::uint32_t at) {
    for (std::size_t k = 0; k < word.size(); ++k) {
      const char c = text[at + k];
      if (c == word[k]) continue;
      if (c == kSeparator) return -1;
      return static_cast<unsigned char>(c) < static_cast<unsigned char>(word[k]) ? -1 : 1;
    }
    return 0;
  };
  const auto& values = sorted.values();
  const auto begin = std::partition_point(values.begin(), values.end(),
                                          [&](std::uint32_t at) { return compare(at) < 0; });
  const auto end =
      std::partition_point(begin, values.end(), [&](std::uint32_t at) { return compare(at) == 0; });
  return {static_cast<std::size_t>(begin - values.begin()),
          static_cast<std::size_t>(end - values.begin())};
}

bool VocabularyIndex::FirstInItsLine(std::size_t offset, std::string_view word) const {
  const std::size_t start = starts_[LineOf(offset)];
  // An earlier occurrence ends before offset + word.size() - 1.
  const std::string_view before =
      std::string_view(text_).substr(start, offset - start + word.size() - 1);
  return before.find(word) == std::string_view::npos;
}

VocabularyIndex::Result VocabularyIndex::SearchSorted(std::string_view word, Rule rule) const {
  const RangeMinimum& sorted = rule == kAnywhere ? suffixes_ : synonym_suffixes_;
  const auto [begin, end] = Range(sorted, word);
  if (begin == end) return std::nullopt;
  const std::size_t lowest = sorted.Lowest(begin, end);
  const std::size_t first = sorted.values()[lowest];
  if (rule == kAnywhere || FirstInItsLine(first, word)) return MatchAt(first);

  // The matches at synonym starts in text order: the range's smallest offset, then those of
  // the parts on either side of it. A line whose first occurrence lies elsewhere is passed
  // over whole.
  struct Part {
    std::size_t offset, lowest, begin, end;
    bool operator>(const Part& other) const { return offset > other.offset; }
  };
  std::priority_queue<Part, std::vector<Part>, std::greater<>> parts;
  auto add = [&](std::size_t from, std::size_t to) {
    if (from == to) return;
    const std::size_t at = sorted.Lowest(from, to);
    parts.push(Part{sorted.values()[at], at, from, to});
  };
  add(begin, lowest);
  add(lowest + 1, end);
  std::size_t passed_line_end = text_.find(kSeparator, first);
  while (!parts.empty()) {
    const Part part = parts.top();
    parts.pop();
    add(part.begin, part.lowest);
    add(part.lowest + 1, part.end);
    if (part.offset < passed_line_end) continue;
    if (FirstInItsLine(part.offset, word)) return MatchAt(part.offset);
    passed_line_end = text_.find(kSeparator, part.offset);
  }
  return std::nullopt;
}

}  // namespace zunk
