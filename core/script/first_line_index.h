// The first line of a list equal to a given text, found through an index of the list's whole
// lines that is rebuilt when the list's generation changes. RunFromLabel finds its label with
// it: a label there is any text a line equals exactly, blanks and ':' included.
#pragma once

#include <cstdint>
#include <limits>
#include <string_view>
#include <unordered_map>

#include "game/world/line_list.h"

namespace zunk {

class FirstLineIndex {
 public:
  // The index of the first line of list equal to text, -1 when none.
  std::int32_t Find(const LineList& list, std::string_view text);

 private:
  void Rebuild(const LineList& list);

  std::uint64_t generation_ = std::numeric_limits<std::uint64_t>::max();
  // The first line with each hash of a line's text. Lines are compared again on a find, so a
  // list copied with its generation, or two texts with one hash, still give the first equal
  // line.
  std::unordered_map<std::size_t, std::int32_t> first_by_hash_;
};

}  // namespace zunk
