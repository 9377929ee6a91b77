// The input line and the suggestions: Return parses Frase, a suggestion runs its script.
#include "test_support.h"

namespace zunk::testing {
namespace {

using InputLineTest = GameTest;

TEST_F(InputLineTest, ReturnParsesFraseAndSuggestionsRunTheirScripts) {
  WriteFile("teste.msg", "zero\r\num\r\n");
  WriteScript("ajuda", {"msg= ajuda", "sgt= 1,de novo"});
  Start();
  game().frase = "voe";
  game().PressReturn();
  EXPECT_EQ(std::tuple(game().frase, game().output().status(), shown()),
            std::tuple("", "] ", Strings{"um"}));

  auto& suggestions = game().output().suggestions;
  // A name given with the extension, or with blanks around it, runs the script; the run
  // empties the suggestions, so only the one the script set is left.
  for (const std::string script : {"ajuda", "  ajuda.scpt "}) {
    suggestions[1] = {"Ajuda", script};
    game().ShowPage(BookPage::Config);
    game().PressSuggestion(2);
    EXPECT_EQ(std::tuple(game().page(), shown()), std::tuple(BookPage::Screen, Strings{"ajuda"}));
    EXPECT_EQ(std::tuple(suggestions[0].caption, suggestions[1].caption, suggestions[1].script),
              std::tuple("de novo", "", ""));
  }
  // No caption, a missing script, no name or a number out of range: nothing runs; only a
  // captioned one shows the picture screen.
  game().output().ClearOutput();
  suggestions = {Suggestion{"", "ajuda"}, Suggestion{"Fora", "sumiu"}, Suggestion{"Nada", ""}};
  game().ShowPage(BookPage::Config);
  for (int n : {0, 1, 4, -1}) game().PressSuggestion(n);
  EXPECT_EQ(game().page(), BookPage::Config);
  game().PressSuggestion(2);
  game().PressSuggestion(3);
  EXPECT_EQ(std::tuple(game().page(), shown().size(), suggestions[0].script),
            std::tuple(BookPage::Screen, 0u, "ajuda"));
}

}  // namespace
}  // namespace zunk::testing
