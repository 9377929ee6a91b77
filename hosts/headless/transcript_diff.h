// A readable line diff of two transcripts, for --expect: hunks of "-" (expected) and "+"
// (actual) lines with a few lines of context and 1-based line numbers.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>

namespace zunk {

struct LineDiffOptions {
  std::size_t context = 3;  // unchanged lines shown around each change
  // Largest table (changed expected lines × changed actual lines) worth a full diff; beyond
  // it only the first differing line is shown.
  std::size_t max_cells = 4'000'000;
};

// Empty when the texts are equal byte for byte; otherwise the differences as text lines. A
// last line without a line break is marked so that it differs from the same line with one.
std::string LineDiff(std::string_view expected, std::string_view actual,
                     const LineDiffOptions& options = {});

// Turns every CR LF into LF.
std::string NormalizeLineBreaks(std::string_view text);

}  // namespace zunk
