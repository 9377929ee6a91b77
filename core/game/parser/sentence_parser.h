// The sentence parser: turns the text of Frase into a verb code and word codes, and runs the
// script named after them (or moves, for a direction), with the fixed replies when none
// exists.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "game/parser/vocabulary_index.h"

namespace zunk {

class Game;
class TokenReader;

class SentenceParser {
 public:
  explicit SentenceParser(Game& game) : game_(game) {}

  // Parses the text of Frase (and empties it), as Return in Frase does. A sentence entered
  // while one of this sentence's scripts waits is parsed in full on its own; this one then
  // goes on with the registers as that one left them.
  void Parse();

  // The only state that outlives a sentence; restart does not touch it.
  std::int32_t pronoun_referent = 0;  // Reg[32] as left by the last script selection
  std::int32_t last_word_index = 0;   // WordList line (from 0) of the word matched last

 private:
  // Counts the sentence; false when the countdown of Reg[8] ran out instead.
  bool CountSentence();
  void RepeatLocation(const std::string& echo);
  // Reads the objects after the verb into Reg[32..38], adding them to the echo.
  void ReadObjects(TokenReader& reader, bool pronoun_sentence, bool list_sentence,
                   std::string& echo);
  std::optional<VocabularyMatch> LookUpWord(std::string_view word);
  void Walk(int direction);
  void SelectScripts(bool list_sentence);
  void ShowEcho(const std::string& echo);
  void Reply(int message);
  const std::string& IgnoredText();

  Game& game_;
  VocabularyIndex verbs_;
  VocabularyIndex words_;
  std::uint64_t ignored_generation_ = 0;
  bool ignored_built_ = false;
  std::string ignored_text_;
};

}  // namespace zunk
