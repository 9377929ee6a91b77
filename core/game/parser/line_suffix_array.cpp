// Prefix doubling with counting sorts over the cyclic shifts of the text; the unique line-end
// ranks make the cyclic order that of the suffixes cut at their line ends.
#include "game/parser/line_suffix_array.h"

#include <algorithm>
#include <utility>

namespace zunk {
namespace {

using Ranks = std::vector<std::uint32_t>;

// Sorts order (offsets) by rank[offset], stably, into sorted; count is scratch.
void CountingSort(const Ranks& order, const Ranks& rank, std::size_t classes, Ranks& count,
                  Ranks& sorted) {
  count.assign(classes, 0);
  for (const std::uint32_t i : order) ++count[rank[i]];
  std::uint32_t sum = 0;
  for (std::uint32_t& c : count) sum += std::exchange(c, sum);
  for (const std::uint32_t i : order) sorted[count[rank[i]]++] = i;
}

}  // namespace

std::vector<std::uint32_t> LineSuffixArray(std::string_view text) {
  const std::uint32_t n = static_cast<std::uint32_t>(text.size());
  if (n == 0) return {};
  const std::uint32_t lines =
      static_cast<std::uint32_t>(std::count(text.begin(), text.end(), '\n'));
  // Line ends first, by line; then the bytes.
  Ranks rank(n);
  for (std::uint32_t i = 0, line = 0; i < n; ++i) {
    rank[i] = text[i] == '\n' ? line++ : lines + static_cast<unsigned char>(text[i]);
  }
  Ranks identity(n);
  for (std::uint32_t i = 0; i < n; ++i) identity[i] = i;
  Ranks order(n), count, shifted(n), next_rank(n);
  CountingSort(identity, rank, lines + 256, count, order);
  identity = Ranks();

  // Ranks of the pieces of length 1, dense.
  std::uint32_t classes = 0;
  for (std::uint32_t k = 0; k < n; ++k) {
    if (k > 0 && rank[order[k]] != rank[order[k - 1]]) ++classes;
    next_rank[order[k]] = classes;
  }
  std::swap(rank, next_rank);
  ++classes;

  for (std::uint32_t length = 1; classes < n; length *= 2) {
    // Ordered by their second halves already: the shifts that start length earlier.
    for (std::uint32_t k = 0; k < n; ++k) {
      shifted[k] = order[k] >= length ? order[k] - length : order[k] + n - length;
    }
    CountingSort(shifted, rank, classes, count, order);
    classes = 0;
    for (std::uint32_t k = 0; k < n; ++k) {
      const std::uint32_t i = order[k];
      if (k > 0) {
        const std::uint32_t j = order[k - 1];
        const std::uint32_t i2 = i + length < n ? i + length : i + length - n;
        const std::uint32_t j2 = j + length < n ? j + length : j + length - n;
        if (rank[i] != rank[j] || rank[i2] != rank[j2]) ++classes;
      }
      next_rank[i] = classes;
    }
    std::swap(rank, next_rank);
    ++classes;
  }
  // The line ends themselves start no word.
  std::erase_if(order, [&](std::uint32_t i) { return text[i] == '\n'; });
  return order;
}

}  // namespace zunk
