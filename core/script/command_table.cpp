// Fast lookup of command words: candidates are bucketed by length and first character.
#include "script/command_table.h"

#include <array>
#include <vector>

namespace zunk {
namespace {

constexpr std::array<std::string_view, kCommandCount + 1> kWords = {
    "",
#define ZUNK_WORD(name, word) word,
    ZUNK_COMMANDS(ZUNK_WORD)
#undef ZUNK_WORD
};

constexpr std::size_t kMaxWordLength = 10;

struct Buckets {
  // [length][first character] -> command indexes
  std::array<std::array<std::vector<int>, 128>, kMaxWordLength + 1> index;
  Buckets() {
    for (int i = 1; i <= kCommandCount; ++i) {
      const std::string_view w = kWords[i];
      index[w.size()][static_cast<unsigned char>(w[0])].push_back(i);
    }
  }
};

const Buckets& GetBuckets() {
  static const Buckets buckets;
  return buckets;
}

}  // namespace

Command FindCommand(std::string_view word) {
  if (word.empty() || word.size() > kMaxWordLength) return Command::None;
  const auto first = static_cast<unsigned char>(word[0]);
  if (first >= 128) return Command::None;
  for (int i : GetBuckets().index[word.size()][first]) {
    if (kWords[i] == word) return static_cast<Command>(i);
  }
  return Command::None;
}

std::string_view CommandWord(Command command) { return kWords[static_cast<int>(command)]; }

}  // namespace zunk
