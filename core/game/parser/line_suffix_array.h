// Sorting every suffix of a text of lines, each suffix read only up to its line's end: the
// order the vocabulary index searches by prefix.
#pragma once

#include <cstdint>
#include <string_view>
#include <vector>

namespace zunk {

// The offsets of the suffixes of text that do not start at a line end ('\n'), ordered by the
// suffix cut at its line end, a shorter one before a longer one it begins, and equal ones in
// text order. Bytes compare as unsigned. text must be empty or end with '\n' and be shorter
// than 4 GiB.
//
// Prefix doubling over the ranks of the text's pieces: every line end gets a rank of its own
// below every byte, so a comparison never reads past a line and the rounds end once every
// piece is as long as the longest line (at most log2 of it, each round a few linear passes).
std::vector<std::uint32_t> LineSuffixArray(std::string_view text);

}  // namespace zunk
