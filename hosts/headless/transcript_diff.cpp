// The line diff of --expect: common head and tail lines are set aside, the changed middle is
// matched by a longest-common-subsequence table, and the edit steps are cut into hunks.
#include "transcript_diff.h"

#include <algorithm>
#include <cstdint>
#include <vector>

namespace zunk {
namespace {

using Lines = std::vector<std::string_view>;

// Lines with their line break, so a missing final break makes the last line differ.
Lines SplitLines(std::string_view text) {
  Lines lines;
  std::size_t start = 0;
  while (start < text.size()) {
    const std::size_t end = text.find('\n', start);
    if (end == std::string_view::npos) {
      lines.push_back(text.substr(start));
      break;
    }
    lines.push_back(text.substr(start, end + 1 - start));
    start = end + 1;
  }
  return lines;
}

std::string Shown(std::string_view line) {
  if (!line.empty() && line.back() == '\n') return std::string(line.substr(0, line.size() - 1));
  return std::string(line) + " (sem quebra de linha no fim)";
}

// One edit step; expected_at and actual_at count the lines of each side before it.
struct Step {
  char mark;  // ' ' same, '-' only expected, '+' only actual
  std::size_t expected_at;
  std::size_t actual_at;
};

// The edit steps turning expected[head, n - tail) into actual[head, m - tail), framed by the
// common head and tail.
std::vector<Step> EditSteps(const Lines& expected, const Lines& actual, std::size_t head,
                            std::size_t tail) {
  const std::size_t rows = expected.size() - head - tail;
  const std::size_t columns = actual.size() - head - tail;
  // common[i][j]: longest common subsequence of the middles from i and j on.
  std::vector<std::uint32_t> common((rows + 1) * (columns + 1), 0);
  auto at = [&](std::size_t i, std::size_t j) -> std::uint32_t& {
    return common[i * (columns + 1) + j];
  };
  for (std::size_t i = rows; i-- > 0;) {
    for (std::size_t j = columns; j-- > 0;) {
      at(i, j) = expected[head + i] == actual[head + j] ? at(i + 1, j + 1) + 1
                                                        : std::max(at(i + 1, j), at(i, j + 1));
    }
  }
  std::vector<Step> steps;
  std::size_t e = 0;
  std::size_t a = 0;
  for (; e < head; ++e, ++a) steps.push_back({' ', e, a});
  std::size_t i = 0;
  std::size_t j = 0;
  while (i < rows || j < columns) {
    if (i < rows && j < columns && expected[head + i] == actual[head + j]) {
      steps.push_back({' ', e++, a++});
      ++i, ++j;
    } else if (i < rows && (j == columns || at(i + 1, j) >= at(i, j + 1))) {
      steps.push_back({'-', e++, a});  // removals before additions, as diffs read
      ++i;
    } else {
      steps.push_back({'+', e, a++});
      ++j;
    }
  }
  for (std::size_t k = 0; k < tail; ++k) steps.push_back({' ', e++, a++});
  return steps;
}

void AppendHunks(const std::vector<Step>& steps, const Lines& expected, const Lines& actual,
                 std::size_t context, std::string& out) {
  std::size_t k = 0;
  while (k < steps.size()) {
    if (steps[k].mark == ' ') {
      ++k;
      continue;
    }
    // Changes closer than twice the context share a hunk.
    const std::size_t first = k;
    std::size_t last = k;
    std::size_t j = k + 1;
    while (j < steps.size()) {
      if (steps[j].mark != ' ') {
        last = j++;
        continue;
      }
      std::size_t same_end = j;
      while (same_end < steps.size() && steps[same_end].mark == ' ') ++same_end;
      if (same_end == steps.size() || same_end - j > 2 * context) break;
      j = same_end;
    }
    const std::size_t begin = first > context ? first - context : 0;
    const std::size_t end = std::min(steps.size(), last + 1 + context);
    std::size_t expected_count = 0;
    std::size_t actual_count = 0;
    for (std::size_t s = begin; s < end; ++s) {
      expected_count += steps[s].mark != '+';
      actual_count += steps[s].mark != '-';
    }
    out += "@@ -" + std::to_string(steps[begin].expected_at + 1) + "," +
           std::to_string(expected_count) + " +" + std::to_string(steps[begin].actual_at + 1) +
           "," + std::to_string(actual_count) + " @@\n";
    for (std::size_t s = begin; s < end; ++s) {
      const Step& step = steps[s];
      out += step.mark;
      out += Shown(step.mark == '+' ? actual[step.actual_at] : expected[step.expected_at]);
      out += '\n';
    }
    k = end;
  }
}

}  // namespace

std::string LineDiff(std::string_view expected, std::string_view actual,
                     const LineDiffOptions& options) {
  if (expected == actual) return {};
  const Lines expected_lines = SplitLines(expected);
  const Lines actual_lines = SplitLines(actual);
  const std::size_t shorter = std::min(expected_lines.size(), actual_lines.size());
  std::size_t head = 0;
  while (head < shorter && expected_lines[head] == actual_lines[head]) ++head;
  std::size_t tail = 0;
  while (tail < shorter - head && expected_lines[expected_lines.size() - 1 - tail] ==
                                      actual_lines[actual_lines.size() - 1 - tail]) {
    ++tail;
  }
  const std::size_t rows = expected_lines.size() - head - tail;
  const std::size_t columns = actual_lines.size() - head - tail;
  std::string out;
  if (rows != 0 && columns != 0 && rows > options.max_cells / columns) {
    out += "primeira diferença na linha " + std::to_string(head + 1) +
           " (diferenças demais para listar todas)\n";
    out += "-" + Shown(expected_lines[head]) + "\n";
    out += "+" + Shown(actual_lines[head]) + "\n";
    return out;
  }
  AppendHunks(EditSteps(expected_lines, actual_lines, head, tail), expected_lines, actual_lines,
              options.context, out);
  return out;
}

std::string NormalizeLineBreaks(std::string_view text) {
  std::string out;
  out.reserve(text.size());
  for (std::size_t i = 0; i < text.size(); ++i) {
    if (text[i] == '\r' && i + 1 < text.size() && text[i + 1] == '\n') continue;
    out += text[i];
  }
  return out;
}

}  // namespace zunk
