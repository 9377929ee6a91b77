// The input line Frase and the three suggestions: Return hands the sentence to the parser,
// a press on a suggestion runs its script.
#include "game/game.h"
#include "script/operands.h"
#include "script/script_codec.h"

namespace zunk {

void Game::PressReturn() {
  Guarded([&] { parser_.Parse(); });
}

void Game::EnterSentence(std::string text) {
  frase = std::move(text);
  PressReturn();
}

void Game::PressSuggestion(int n) {
  if (n < 1 || n > static_cast<int>(output_.suggestions.size())) return;
  const Suggestion& suggestion = output_.suggestions[n - 1];
  if (suggestion.caption.empty()) return;
  ShowPage(BookPage::Screen);
  // A copy: running a script empties the suggestions.
  std::string script(TrimBlanks(suggestion.script));
  if (script.empty()) return;
  const std::string_view ext = kScriptExt;
  // A name given with the extension runs the script without it.
  if (script.find(ext) != std::string::npos) script.resize(script.size() - ext.size());
  Guarded([&] {
    if (ScriptAvailable(script)) interpreter_.RunFoundScript(script);
  });
}

}  // namespace zunk
