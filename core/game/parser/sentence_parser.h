// The sentence parser: turns the text of Frase into a verb code and word codes, and runs the
// script named after them (or moves, for a direction), with the fixed replies when none
// exists.
#pragma once

#include <cstdint>

namespace zunk {

class Game;

class SentenceParser {
 public:
  explicit SentenceParser(Game& game) : game_(game) {}

  // Parses the text of Frase (and empties it), as Return in Frase does.
  void Parse();

  // The only state that outlives a sentence; restart does not touch it.
  std::int32_t pronoun_referent = 0;  // Reg[32] as left by the last script selection
  std::int32_t last_word_index = 0;   // WordList line (from 0) of the word matched last

 private:
  Game& game_;
};

}  // namespace zunk
