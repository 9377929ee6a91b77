// Fuzzes the sentence parser with the demo game's vocabulary and scripts. The first byte
// chooses the options (kStartGame, kOneSentenceALine); the rest is the typed text. Afterwards
// the blank-separated pieces of the text are looked up in the lists as the scripts left them,
// with the index and line by line, which must agree.
#include <algorithm>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "fuzz_game.h"
#include "game/parser/vocabulary_index.h"
#include "game/world/line_list.h"

namespace {

// The game's start script runs before the sentences, as at the first window activation.
constexpr std::uint8_t kStartGame = 1;
// Each line is a sentence entered on its own; otherwise the text is one sentence.
constexpr std::uint8_t kOneSentenceALine = 2;

constexpr std::uint64_t kLineBudget = 256;

bool Same(const std::optional<zunk::VocabularyMatch>& a,
          const std::optional<zunk::VocabularyMatch>& b) {
  return a.has_value() == b.has_value() && (!a || (a->line == b->line && a->synonym == b->synonym));
}

void CheckLookups(const zunk::LineList& list, std::string_view text) {
  zunk::VocabularyIndex index;
  for (std::size_t from = 0; from < text.size();) {
    const std::size_t end = std::min(text.find(' ', from), text.size());
    const std::string_view word = text.substr(from, end - from);
    if (!Same(index.FindAnywhere(list, word), zunk::FindAnywhereByLine(list, word)) ||
        !Same(index.FindAtSynonymStart(list, word), zunk::FindAtSynonymStartByLine(list, word))) {
      __builtin_trap();
    }
    from = end + 1;
  }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  using namespace zunk;
  if (size == 0) return 0;
  static const fuzz::FuzzFolder folder(fuzz::PlayedGameDir());
  const std::uint8_t options = data[0];
  const std::string_view text(reinterpret_cast<const char*>(data) + 1, size - 1);
  {
    fuzz::FuzzGame fuzz_game(folder.path(), fuzz::kDemoBaseName, kLineBudget);
    Game& game = fuzz_game.game();
    if (options & kStartGame) game.Activate();
    if (options & kOneSentenceALine) {
      for (std::string& sentence : SplitLines(text)) game.EnterSentence(std::move(sentence));
    } else {
      game.EnterSentence(std::string(text));
    }
    CheckLookups(game.world().verb_list, text);
    CheckLookups(game.world().word_list, text);
  }
  folder.RemoveAdded();
  return 0;
}
