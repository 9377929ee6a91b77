// Fast lookup of command words: candidates are chained by length and first character.
#include "script/command_table.h"

#include <array>
#include <cstdint>

namespace zunk {
namespace {

constexpr std::array<std::string_view, kCommandCount + 1> kWords = {
    "",
#define ZUNK_WORD(name, word) word,
    ZUNK_COMMANDS(ZUNK_WORD)
#undef ZUNK_WORD
};

constexpr std::size_t kMaxWordLength = 10;

// Chains of commands with the same length and first character, built at compile time so a
// lookup needs no start-up check: head[length][first] is the first command of a chain (0
// ends it) and next[command] the one after it.
static_assert(kCommandCount < 256, "command indexes are stored in bytes");

struct Chains {
  std::array<std::array<std::uint8_t, 128>, kMaxWordLength + 1> head{};
  std::array<std::uint8_t, kCommandCount + 1> next{};
};

constexpr Chains MakeChains() {
  Chains chains;
  for (int i = kCommandCount; i >= 1; --i) {
    std::uint8_t& head = chains.head[kWords[i].size()][static_cast<unsigned char>(kWords[i][0])];
    chains.next[i] = head;
    head = static_cast<std::uint8_t>(i);
  }
  return chains;
}
constexpr Chains kChains = MakeChains();

}  // namespace

Command FindCommand(std::string_view word) {
  if (word.empty() || word.size() > kMaxWordLength) return Command::None;
  const auto first = static_cast<unsigned char>(word[0]);
  if (first >= 128) return Command::None;
  // The chain fixes the length and the first character; the rest is compared in place, as
  // words are short and most chains hold a single word.
  for (int i = kChains.head[word.size()][first]; i != 0; i = kChains.next[i]) {
    const std::string_view candidate = kWords[i];
    std::size_t k = 1;
    while (k < word.size() && candidate[k] == word[k]) ++k;
    if (k == word.size()) return static_cast<Command>(i);
  }
  return Command::None;
}

std::string_view CommandWord(Command command) { return kWords[static_cast<int>(command)]; }

}  // namespace zunk
