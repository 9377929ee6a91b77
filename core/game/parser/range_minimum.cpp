// The block minima and their sparse table.
#include "game/parser/range_minimum.h"

#include <algorithm>
#include <bit>
#include <utility>

namespace zunk {

RangeMinimum::RangeMinimum(std::vector<std::uint32_t> values) : values_(std::move(values)) {
  const std::size_t blocks = (values_.size() + kBlock - 1) / kBlock;
  if (blocks == 0) return;
  std::vector<std::uint32_t> first(blocks);
  for (std::size_t b = 0; b < blocks; ++b) {
    first[b] =
        static_cast<std::uint32_t>(Scan(b * kBlock, std::min(values_.size(), (b + 1) * kBlock)));
  }
  levels_.push_back(std::move(first));
  for (std::size_t span = 2; span <= blocks; span *= 2) {
    const std::vector<std::uint32_t>& below = levels_.back();
    std::vector<std::uint32_t> level(blocks - span + 1);
    for (std::size_t b = 0; b < level.size(); ++b) {
      level[b] = static_cast<std::uint32_t>(Lower(below[b], below[b + span / 2]));
    }
    levels_.push_back(std::move(level));
  }
}

std::size_t RangeMinimum::MemoryBytes() const {
  std::size_t bytes = values_.capacity() * sizeof(std::uint32_t);
  for (const auto& level : levels_) bytes += level.capacity() * sizeof(std::uint32_t);
  return bytes;
}

std::size_t RangeMinimum::Scan(std::size_t begin, std::size_t end) const {
  std::size_t lowest = begin;
  for (std::size_t i = begin + 1; i < end; ++i) lowest = Lower(lowest, i);
  return lowest;
}

std::size_t RangeMinimum::Lowest(std::size_t begin, std::size_t end) const {
  const std::size_t first_block = (begin + kBlock - 1) / kBlock;
  const std::size_t end_block = end / kBlock;
  if (first_block >= end_block) return Scan(begin, end);
  // Whole blocks from first_block to end_block, and the partial ones on either side.
  const int level = std::bit_width(end_block - first_block) - 1;
  const auto& table = levels_[level];
  std::size_t lowest = Lower(table[first_block], table[end_block - (std::size_t{1} << level)]);
  if (begin < first_block * kBlock) lowest = Lower(Scan(begin, first_block * kBlock), lowest);
  if (end_block * kBlock < end) lowest = Lower(lowest, Scan(end_block * kBlock, end));
  return lowest;
}

}  // namespace zunk
