// A list of numbers that answers "where is the smallest in this range" quickly: the sorted
// suffixes of the vocabulary index, asked for the earliest match among those sharing a prefix.
#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

namespace zunk {

// The minimum of each block of 32 values, and a sparse table over those minima; a query scans
// at most two partial blocks and reads two table entries. The table takes 4 * log2(n / 32) / 32
// bytes a value (under 2 for a million values) beside the values themselves.
class RangeMinimum {
 public:
  RangeMinimum() = default;
  explicit RangeMinimum(std::vector<std::uint32_t> values);

  const std::vector<std::uint32_t>& values() const { return values_; }
  // The position of the smallest value in [begin, end); begin < end <= values().size().
  std::size_t Lowest(std::size_t begin, std::size_t end) const;
  std::size_t MemoryBytes() const;

 private:
  static constexpr std::size_t kBlock = 32;

  std::size_t Scan(std::size_t begin, std::size_t end) const;
  std::size_t Lower(std::size_t a, std::size_t b) const { return values_[b] < values_[a] ? b : a; }

  std::vector<std::uint32_t> values_;
  // levels_[k][b]: the position of the smallest value in blocks b .. b + 2^k - 1.
  std::vector<std::vector<std::uint32_t>> levels_;
};

}  // namespace zunk
