// The index of a list's lines by their text.
#include "script/first_line_index.h"

#include <functional>

namespace zunk {

void FirstLineIndex::Rebuild(const LineList& list) {
  first_by_hash_.clear();
  first_by_hash_.reserve(static_cast<std::size_t>(list.Count()));
  const std::hash<std::string_view> hash;
  for (int i = 0; i < list.Count(); ++i) first_by_hash_.emplace(hash(list.Get(i)), i);
  generation_ = list.generation();
}

std::int32_t FirstLineIndex::Find(const LineList& list, std::string_view text) {
  if (generation_ != list.generation()) Rebuild(list);
  const auto found = first_by_hash_.find(std::hash<std::string_view>{}(text));
  if (found == first_by_hash_.end()) return -1;
  // Every line equal to text has its hash, so none comes before the first line with it; when
  // that line is another text of the same hash, the equal line can only come later.
  for (int i = found->second; i < list.Count(); ++i) {
    if (list.Get(i) == text) return i;
  }
  return -1;
}

}  // namespace zunk
